#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace brenlow {

// The data files are single-byte text; lines reach these routines without their CR LF.

// Takes the next double-quoted field off the front of line: returns the text strictly between
// the first double quote and the next one, and leaves in line what follows the closing quote.
// Whatever stands before the opening quote is discarded. There is no escape for a quote.
//   line  x"a","b"   returns a, leaves  ,"b"
// Throws AppError (invalid argument) and leaves line unchanged when it holds fewer than two
// double quotes.
QByteArray NextQuotedField(QByteArray &line);

// The same walk on a view, for parsers that copy only the fields they keep: the result and
// the rest of line view into the same text.
QByteArrayView NextQuotedField(QByteArrayView &line);

// Takes the next comma-separated field off the front of line: the text before the first
// comma (line keeps what follows it), or the whole line when there is no comma (line becomes
// empty). Nothing is trimmed and no quotes are recognised. Cannot fail.
//   line  1.5,2,3   returns 1.5, leaves  2,3
QByteArray NextCommaField(QByteArray &line);
QByteArrayView NextCommaField(QByteArrayView &line);

// The codec of an encoded flow database line: each code c becomes ((c + CodecOffset) mod 256)
// XOR CodecMask; CR and LF are dropped. The pair is chosen so that only the control codes 0x18
// and 0x1F, which never stand in a text line, encode to LF or CR: every line of printable
// ASCII, TAB and codes 128..255 encodes to a line without line breaks of the same length, and
// DecodeLine gives it back. Files encoded under another pair cannot be read.
inline constexpr unsigned char CodecOffset = 0x90;
inline constexpr unsigned char CodecMask = 0xA5;

QByteArray EncodeLine(QByteArrayView text);
QByteArray DecodeLine(QByteArrayView text);

// The lines of a whole data file, as views into content (valid while it lives): cut at every
// CR LF pair; a lone CR or LF stays inside its line. An empty file has no line; a file ending
// in CR LF ends with an empty line.
std::vector<QByteArrayView> SplitFileLines(const QByteArray &content);

} // namespace brenlow
