// The codec round trip and the tokenizers' walks on arbitrary bytes.
#include "core/app_error.h"
#include "data/line_codec.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace brenlow;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool EncodesToALineBreak(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return c == '\n' || c == '\r' || code == 0x18 || code == 0x1F;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    const QByteArray encoded = EncodeLine(bytes);
    Check(encoded.size() == bytes.size() - bytes.count('\n') - bytes.count('\r'));
    bool plainText = true;
    for (const char c : bytes)
        plainText = plainText && !EncodesToALineBreak(c);
    if (plainText) {
        Check(!encoded.contains('\n') && !encoded.contains('\r'));
        Check(DecodeLine(encoded) == bytes);
    }
    Check(EncodeLine(DecodeLine(bytes)).size() <= bytes.size());

    // Cutting into lines loses nothing but the CR LF pairs.
    const std::vector<QByteArrayView> lines = SplitFileLines(bytes);
    QByteArray joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += "\r\n";
        joined += lines[i];
    }
    Check(joined == bytes);

    // Each walk ends, and each call shortens the line.
    QByteArray line = bytes;
    for (;;) {
        const qsizetype before = line.size();
        try {
            const QByteArray field = NextQuotedField(line);
            Check(!field.contains('"') && line.size() <= before - field.size() - 2);
        } catch (const AppError &) {
            Check(line.size() == before && line.count('"') < 2);
            break;
        }
    }
    line = bytes;
    while (!line.isEmpty()) {
        const qsizetype before = line.size();
        const QByteArray field = NextCommaField(line);
        Check(!field.contains(',') && line.size() < before);
    }
    return 0;
}
