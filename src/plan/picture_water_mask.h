#pragma once

#include "plan/water_mask.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QImage;

namespace brenlow {

// The water of the chart picture, read from its colours once. The picture is drawn in the
// chart's palette: a blue sea and shallow band, buff land, a dark shoreline, a grey-blue
// graticule drawn thinly over both, dark names over land and sea with a halo of the colour
// under them, a cream title block on land, and a black and white border.
//
// The border is off the chart: it reaches in from each edge as far as the first blue or buff
// pixel along most lines. Within it a pixel is water when clearly blue (blue over red by
// BlueMargin or more), land when clearly buff (red over blue by the margin, and bright). The
// rest (the shoreline, the names' ink, lines where they cross, the title block) is decided by
// its patch of such pixels: a patch touching land is land (the shoreline, names and title
// block over land, and a name printed across a creek); one ringed by water is water (a name
// printed at sea, whose halo rings it in the sea's colour, and the border's ticks).
class PictureWaterMask : public WaterMask
{
public:
    static constexpr int BlueMargin = 16; // of 255
    static constexpr int BuffLeastRed = 150;

    explicit PictureWaterMask(const QImage &picture);

    // The mask of a picture file; nothing when it cannot be read.
    static std::optional<PictureWaterMask> Load(const QString &path);

    Ground GroundAt(double pictureX, double pictureY) const override;

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    // A Ground per pixel in BitsPerPixel bits, row by row, the first pixel in the low bits.
    static constexpr std::size_t BitsPerPixel = 2;
    static constexpr std::size_t PixelsPerByte = 8 / BitsPerPixel;
    std::vector<std::uint8_t> packed_;
};

} // namespace brenlow
