// Feeds arbitrary bytes to the cursor file decoder: every offset and size in the file is
// untrusted, so any read outside the bytes is a fault.
#include "platform/cursor_file.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto cursor = brenlow::DecodeCursorFile(
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (cursor
        && (cursor->Image.width() > 256 || cursor->Image.height() > 256
            || !cursor->Image.rect().contains(cursor->Hotspot)))
        __builtin_trap();
    return 0;
}
