#include "data/line_codec.h"

#include "data/data_error.h"

#include <utility>

namespace brenlow {
namespace {

constexpr char Quote = '"';
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';

} // namespace

QByteArray NextQuotedField(QByteArray &line)
{
    const qsizetype open = line.indexOf(Quote);
    const qsizetype close = open < 0 ? -1 : line.indexOf(Quote, open + 1);
    if (close < 0)
        throw AppError(ErrorNumber::InvalidArgument,
                       ErrorMeaning(ErrorNumber::InvalidArgument)
                           + QStringLiteral(": a quoted field needs two double quotes"),
                       ErrorSource());
    QByteArray field = line.mid(open + 1, close - open - 1);
    // Removing from the front of an unshared array only moves its start: walking a line
    // field by field stays linear in its length.
    line.remove(0, close + 1);
    return field;
}

QByteArray NextCommaField(QByteArray &line)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return std::exchange(line, QByteArray());
    QByteArray field = line.left(comma);
    line.remove(0, comma + 1);
    return field;
}

QByteArray EncodeLine(const QByteArray &text)
{
    QByteArray result;
    result.reserve(text.size());
    for (const char c : text) {
        if (c == LineFeed || c == CarriageReturn)
            continue;
        const auto code = static_cast<unsigned char>(c);
        result.append(
            static_cast<char>(static_cast<unsigned char>(code + CodecOffset) ^ CodecMask));
    }
    return result;
}

QByteArray DecodeLine(const QByteArray &text)
{
    QByteArray result;
    result.reserve(text.size());
    for (const char e : text) {
        if (e == LineFeed || e == CarriageReturn)
            continue;
        const auto code = static_cast<unsigned char>(e);
        result.append(
            static_cast<char>(static_cast<unsigned char>((code ^ CodecMask) - CodecOffset)));
    }
    return result;
}

std::vector<QByteArray> SplitFileLines(const QByteArray &content)
{
    std::vector<QByteArray> lines;
    if (content.isEmpty())
        return lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = content.indexOf("\r\n", start);
        if (end < 0) {
            lines.push_back(content.mid(start));
            return lines;
        }
        lines.push_back(content.mid(start, end - start));
        start = end + 2;
    }
}

} // namespace brenlow
