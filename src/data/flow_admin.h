#pragma once

#include "data/flow_database_files.h"

#include <QByteArray>
#include <QByteArrayView>

namespace brenlow {

struct ProgramInfo;
class MessageBoxes;

// Converts "temp.bmp" of the program folder to its encoded form in place: the marker line,
// then every line through EncodeLine. The converted file is written in full as a scratch file
// of a name of its own beside it (FlowScratchFilePattern), with the mode and (where the system
// allows) the owner of "temp.bmp", flushed to disk and renamed over "temp.bmp" in one step, so
// the flow database is whole at every moment, also while another conversion runs. When
// "temp.bmp" is a symbolic link, the file it links to is converted so, in its own folder, and
// the link is kept.
// The file is streamed: memory does not grow with its size or with the length of a line.
// A file that is already encoded is left as it is. A missing or empty file, one that is no
// regular file (never waited on, see OpenRegularFile), a folder or file that cannot be written,
// a failure to write or a lack of memory is reported and leaves "temp.bmp" untouched.
void EncryptFlowDatabase(const ProgramInfo &program, MessageBoxes &messages);

// The reverse: the marker line dropped, every later line through DecodeLine. An encoded file
// that holds only its marker line is reported and left untouched.
void DecryptFlowDatabase(const ProgramInfo &program, MessageBoxes &messages);

// The line-by-line conversion of the flow database's data lines (the marker line excluded),
// fed in pieces of any size; the result is the same however the input is cut. Every line is
// written ended by CR LF, the last one included.
// - Encoding reads a plain file, which an editor may have saved with LF or with CR line ends:
//   a line ends at CR LF, at a lone LF or at a lone CR ("a\r\r\n" is "a" and an empty line).
// - Decoding reads an encoded file, where a lone LF or CR is the code of a control character
//   inside a line: a line ends at CR LF only, and DecodeLine drops the lone ones.
class FlowLineTranscoder
{
public:
    enum class Direction { Encode, Decode };

    explicit FlowLineTranscoder(Direction direction) : direction_(direction) { }

    // The converted form of the next piece of the input.
    QByteArray Feed(QByteArrayView piece);
    // The end of a last line that the input left without its line end.
    QByteArray Finish();

private:
    void EndLine(QByteArray &out);

    Direction direction_;
    bool lineOpen_ = false;  // the input so far ends inside a line
    bool pendingCr_ = false; // the last piece ended in a CR that may begin a CR LF
};

} // namespace brenlow
