// The administrator's line-by-line conversion on arbitrary bytes: the same however the input is
// cut into pieces, and the same as converting its lines one by one.
#include "data/flow_admin.h"
#include "data/line_codec.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace brenlow;

namespace {

using Direction = FlowLineTranscoder::Direction;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The conversion line by line: encoding ends a line at CR LF, at a lone LF or at a lone CR,
// decoding at CR LF only; the last line needs no line end.
QByteArray ByLines(const QByteArray &input, Direction direction)
{
    QByteArray out;
    qsizetype start = 0;
    while (start < input.size()) {
        qsizetype end = start;
        qsizetype breakSize = 2;
        if (direction == Direction::Encode) {
            while (end < input.size() && input[end] != '\r' && input[end] != '\n')
                ++end;
            if (!QByteArrayView(input).sliced(end).startsWith("\r\n"))
                breakSize = 1;
        } else {
            end = input.indexOf("\r\n", start);
            if (end < 0)
                end = input.size();
        }
        const QByteArrayView line = QByteArrayView(input).sliced(start, end - start);
        out += (direction == Direction::Encode ? EncodeLine(line) : DecodeLine(line)) + "\r\n";
        start = end + breakSize;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    // The first byte picks the direction, the next two the cuts.
    const Direction direction = data[0] & 1 ? Direction::Encode : Direction::Decode;
    const QByteArray input(reinterpret_cast<const char *>(data) + 3,
                           static_cast<qsizetype>(size) - 3);
    const qsizetype cutA = input.isEmpty() ? 0 : data[1] % (input.size() + 1);
    const qsizetype cutB = input.isEmpty() ? 0 : cutA + data[2] % (input.size() - cutA + 1);

    FlowLineTranscoder one(direction);
    QByteArray whole = one.Feed(input);
    whole += one.Finish();

    FlowLineTranscoder three(direction);
    QByteArray pieces = three.Feed(QByteArrayView(input).first(cutA));
    pieces += three.Feed(QByteArrayView(input).sliced(cutA, cutB - cutA));
    pieces += three.Feed(QByteArrayView(input).sliced(cutB));
    pieces += three.Finish();

    Check(whole == pieces);
    Check(whole == ByLines(input, direction));
    return 0;
}
