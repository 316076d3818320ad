// The flow database parse on arbitrary file content: records or an AppError, nothing else.
#include "core/app_error.h"
#include "data/station_table.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace brenlow;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    StationTable table;
    try {
        ParseStationTable(content, QStringLiteral("temp.bmp"), table);
    } catch (const AppError &) { }
    // Element 0 comes with the first record, and no line makes more than one record.
    if (table.size() == 1 || table.size() > static_cast<std::size_t>(content.count("\r\n")) + 2)
        std::abort();
    return 0;
}
