#pragma once

#include "support/test_platform.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <stdexcept>

namespace brenlow::test {

// The program's chart geometry: chart units to picture pixels of "backdrop.bmp".
inline constexpr double ContentChartScale = 1.388888;
inline double PictureX(double chartX)
{
    return 180 * ContentChartScale * chartX;
}
inline double PictureY(double chartY)
{
    return 283 * ContentChartScale * chartY - 75;
}

// A built installation file's bytes; throws when it is missing.
inline QByteArray BuiltFile(const QString &name)
{
    QFile file(BuiltProgramFolder() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing installation file " + name.toStdString());
    return file.readAll();
}

// The chart picture of the build, decoded once for all tests.
inline const QImage &BuiltBackdrop()
{
    static const QImage picture(BuiltProgramFolder() + QStringLiteral("/backdrop.bmp"));
    return picture;
}

// Land on the chart picture is buff (243, 226, 172); nothing else drawn there comes near it.
inline bool IsLandColour(QRgb pixel)
{
    return std::abs(qRed(pixel) - 243) <= 8 && std::abs(qGreen(pixel) - 226) <= 8
        && std::abs(qBlue(pixel) - 172) <= 8;
}

// Sea (214, 236, 246) or the shallow band along the shore (178, 216, 236).
inline bool IsSeaColour(QRgb pixel)
{
    const auto near = [pixel](int r, int g, int b) {
        return std::abs(qRed(pixel) - r) <= 8 && std::abs(qGreen(pixel) - g) <= 8
            && std::abs(qBlue(pixel) - b) <= 8;
    };
    return near(214, 236, 246) || near(178, 216, 236);
}

} // namespace brenlow::test
