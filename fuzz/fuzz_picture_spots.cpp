// The picture-spot file parse on arbitrary file content: spots or an AppError, nothing else.
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
    PictureSpotTable spots;
    try {
        ParsePictureSpots(content, QStringLiteral("temp2.bmp"), spots);
    } catch (const AppError &) { }
    if (spots.size() == 1)
        std::abort();
    for (const PictureSpot &spot : spots)
        if (!std::isfinite(spot.Left) || !std::isfinite(spot.Right) || !std::isfinite(spot.Top)
            || !std::isfinite(spot.Bottom))
            std::abort();
    return 0;
}
