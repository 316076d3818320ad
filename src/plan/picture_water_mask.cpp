#include "plan/picture_water_mask.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace brenlow {

namespace {

enum class Colour : std::uint8_t { Blue, Buff, Other };

Colour ColourOf(QRgb pixel)
{
    const int red = qRed(pixel);
    const int blue = qBlue(pixel);
    if (blue - red >= PictureWaterMask::BlueMargin)
        return Colour::Blue;
    if (red - blue >= PictureWaterMask::BlueMargin && red >= PictureWaterMask::BuffLeastRed)
        return Colour::Buff;
    return Colour::Other;
}

// The colours of a picture, row by row.
class Colours
{
public:
    explicit Colours(const QImage &picture) : width_(picture.width()), height_(picture.height())
    {
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        colours_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        for (int y = 0; y < height_; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < width_; ++x)
                colours_[Index(x, y)] = ColourOf(line[x]);
        }
    }

    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)
            + static_cast<std::size_t>(x);
    }
    Colour At(int x, int y) const { return colours_[Index(x, y)]; }
    Colour At(std::size_t index) const { return colours_[index]; }

    // How far the chart reaches in from one edge of the picture: the median, over the middle
    // half of that edge, of the distance to the first blue or buff pixel. The border's ticks
    // and labels reach further in along some lines, but along fewer than half of them. 0 for
    // a picture without a border.
    int Inset(bool vertical, bool fromFar) const
    {
        const int along = vertical ? width_ : height_; // the lines run across this
        const int depth = vertical ? height_ : width_; // ... and this deep
        std::vector<int> insets;
        for (int line = along / 4; line < along - along / 4; ++line) {
            for (int d = 0; d < depth / 2; ++d) {
                const int inward = fromFar ? depth - 1 - d : d;
                const Colour colour = vertical ? At(line, inward) : At(inward, line);
                if (colour != Colour::Other) {
                    insets.push_back(d);
                    break;
                }
            }
        }
        if (insets.empty())
            return 0;
        const auto middle = insets.begin() + static_cast<std::ptrdiff_t>(insets.size() / 2);
        std::nth_element(insets.begin(), middle, insets.end());
        return *middle;
    }

private:
    int width_;
    int height_;
    std::vector<Colour> colours_;
};

} // namespace

PictureWaterMask::PictureWaterMask(const QImage &picture)
    : width_(picture.width()), height_(picture.height())
{
    const Colours colours(picture);
    const int left = colours.Inset(false, false);
    const int right = width_ - colours.Inset(false, true);
    const int top = colours.Inset(true, false);
    const int bottom = height_ - colours.Inset(true, true);
    const auto inChart = [&](int x, int y) {
        return x >= left && x < right && y >= top && y < bottom;
    };

    const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    std::vector<Ground> grounds(count, Ground::OffChart);
    std::vector<bool> seen(count);
    std::vector<std::size_t> patch;
    std::vector<std::pair<int, int>> pending;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::size_t start = colours.Index(x, y);
            const Colour colour = colours.At(start);
            if (colour != Colour::Other) {
                grounds[start] = colour == Colour::Blue ? Ground::Water : Ground::Land;
                continue;
            }
            if (seen[start])
                continue;

            // The patch of other colours around start (four-connected, within the chart), and
            // whether it touches land.
            patch.clear();
            pending.assign(1, {x, y});
            seen[start] = true;
            bool touchesLand = false;
            while (!pending.empty()) {
                const auto [px, py] = pending.back();
                pending.pop_back();
                patch.push_back(colours.Index(px, py));
                for (const auto &[nx, ny] : {std::pair{px - 1, py}, std::pair{px + 1, py},
                                             std::pair{px, py - 1}, std::pair{px, py + 1}}) {
                    if (!inChart(nx, ny))
                        continue;
                    const std::size_t next = colours.Index(nx, ny);
                    if (colours.At(next) == Colour::Buff) {
                        touchesLand = true;
                    } else if (colours.At(next) == Colour::Other && !seen[next]) {
                        seen[next] = true;
                        pending.push_back({nx, ny});
                    }
                }
            }
            for (const std::size_t at : patch)
                grounds[at] = touchesLand ? Ground::Land : Ground::Water;
        }
    }

    packed_.assign((count + PixelsPerByte - 1) / PixelsPerByte, 0);
    for (std::size_t i = 0; i < count; ++i)
        packed_[i / PixelsPerByte] |= static_cast<std::uint8_t>(
            static_cast<unsigned>(grounds[i]) << (i % PixelsPerByte * BitsPerPixel));
}

std::optional<PictureWaterMask> PictureWaterMask::Load(const QString &path)
{
    const QImage picture(path);
    if (picture.isNull())
        return std::nullopt;
    return PictureWaterMask(picture);
}

Ground PictureWaterMask::GroundAt(double pictureX, double pictureY) const
{
    // The pixel holding the point: pixel (i, j) covers i <= x < i + 1, j <= y < j + 1.
    if (!(pictureX >= 0 && pictureX < width_ && pictureY >= 0 && pictureY < height_))
        return Ground::OffChart;
    const std::size_t i = static_cast<std::size_t>(pictureY) * static_cast<std::size_t>(width_)
        + static_cast<std::size_t>(pictureX);
    constexpr unsigned Bits = (1u << BitsPerPixel) - 1;
    return static_cast<Ground>((packed_[i / PixelsPerByte] >> (i % PixelsPerByte * BitsPerPixel))
                               & Bits);
}

} // namespace brenlow
