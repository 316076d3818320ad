#include "data/line_codec.h"

#include "data/data_error.h"

#include <utility>

namespace brenlow {
namespace {

constexpr char Quote = '"';
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';

struct QuotePair
{
    qsizetype open;
    qsizetype close;
};

QuotePair FindQuotePair(QByteArrayView line)
{
    const qsizetype open = line.indexOf(Quote);
    const qsizetype close = open < 0 ? -1 : line.indexOf(Quote, open + 1);
    if (close < 0)
        throw AppError(ErrorNumber::InvalidArgument,
                       ErrorMeaning(ErrorNumber::InvalidArgument)
                           + QStringLiteral(": a quoted field needs two double quotes"),
                       ErrorSource());
    return {open, close};
}

// Applies code to every byte of text but CR and LF, which are dropped.
template<typename Code>
QByteArray Transcode(QByteArrayView text, Code code)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    char *out = result.data();
    for (const char c : text)
        if (c != LineFeed && c != CarriageReturn)
            *out++ = static_cast<char>(code(static_cast<unsigned char>(c)));
    result.truncate(out - result.constData());
    return result;
}

} // namespace

QByteArray NextQuotedField(QByteArray &line)
{
    const QuotePair quotes = FindQuotePair(line);
    QByteArray field = line.mid(quotes.open + 1, quotes.close - quotes.open - 1);
    // Removing from the front of an unshared array only moves its start: walking a line
    // field by field stays linear in its length.
    line.remove(0, quotes.close + 1);
    return field;
}

QByteArrayView NextQuotedField(QByteArrayView &line)
{
    const QuotePair quotes = FindQuotePair(line);
    const QByteArrayView field = line.sliced(quotes.open + 1, quotes.close - quotes.open - 1);
    line = line.sliced(quotes.close + 1);
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

QByteArrayView NextCommaField(QByteArrayView &line)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return std::exchange(line, QByteArrayView());
    const QByteArrayView field = line.first(comma);
    line = line.sliced(comma + 1);
    return field;
}

QByteArray EncodeLine(QByteArrayView text)
{
    return Transcode(text, [](unsigned char c) {
        return static_cast<unsigned char>(c + CodecOffset) ^ CodecMask;
    });
}

QByteArray DecodeLine(QByteArrayView text)
{
    return Transcode(text, [](unsigned char e) {
        return static_cast<unsigned char>((e ^ CodecMask) - CodecOffset);
    });
}

std::vector<QByteArrayView> SplitFileLines(const QByteArray &content)
{
    std::vector<QByteArrayView> lines;
    const QByteArrayView text(content);
    if (text.isEmpty())
        return lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf("\r\n", start);
        if (end < 0) {
            lines.push_back(text.sliced(start));
            return lines;
        }
        lines.push_back(text.sliced(start, end - start));
        start = end + 2;
    }
}

} // namespace brenlow
