// The rate table parse on arbitrary file content: a table or an AppError, nothing else.
#include "core/app_error.h"
#include "data/auxiliary_files.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace brenlow;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    RateTable table{};
    try {
        const int columns = ParseRateTable(content, QStringLiteral("temp3.bmp"), table);
        if (columns < 0 || columns > RateTableLimit)
            std::abort();
    } catch (const AppError &) { }
    for (const auto &column : table)
        for (const double value : column)
            if (!std::isfinite(value))
                std::abort();
    return 0;
}
