#include "platform/surface_layout.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace brenlow {
namespace {

// Font sizes outside this range (including 0 and negative sizes) are measured and drawn at the
// nearest bound.
constexpr double MinFontPoints = 0.5;
constexpr double MaxFontPoints = 1000.0;

// Fonts whose measurements are kept (the labels use two sizes), and texts per font.
constexpr std::size_t MeasuredFonts = 4;
constexpr qsizetype MeasuredTexts = 4096;

const QImage &LayoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(LayoutDotsPerMetre);
        image.setDotsPerMeterY(LayoutDotsPerMetre);
        return image;
    }();
    return device;
}

} // namespace

QFont LayoutFont(const FontKey &key, int deviceDpi)
{
    QFont font(key.Name);
    const double size = std::isfinite(key.Points)
        ? std::clamp(key.Points, MinFontPoints, MaxFontPoints)
        : InitialFontPoints;
    font.setPointSizeF(size * LayoutDpi / std::max(deviceDpi, 1));
    font.setBold(key.Bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double LabelMargin(const TextBox &box)
{
    return box.Height / 2.0 + 2.0;
}

LayoutMetrics::MeasuredFont &LayoutMetrics::Font(const FontKey &key)
{
    const auto found = std::find_if(fonts_.begin(), fonts_.end(),
                                    [&](const MeasuredFont &font) { return font.Key == key; });
    if (found != fonts_.end()) {
        std::rotate(fonts_.begin(), found, found + 1);
    } else {
        QFontMetrics metrics(LayoutFont(key, LayoutDpi), &LayoutDevice());
        const int height = metrics.height();
        const int ascent = metrics.ascent();
        fonts_.insert(fonts_.begin(), MeasuredFont{key, std::move(metrics), height, ascent, {}});
        if (fonts_.size() > MeasuredFonts)
            fonts_.pop_back();
    }
    return fonts_.front();
}

int LayoutMetrics::Width(const FontKey &key, const QString &text)
{
    MeasuredFont &font = Font(key);
    const auto found = font.Widths.constFind(text);
    if (found != font.Widths.constEnd())
        return *found;
    if (font.Widths.size() >= MeasuredTexts)
        font.Widths.clear();
    const int width = font.Metrics.horizontalAdvance(text);
    font.Widths.insert(text, width);
    return width;
}

int LayoutMetrics::Height(const FontKey &key)
{
    return Font(key).Height;
}

TextBox LayoutMetrics::Measure(const FontKey &key, const QString &text)
{
    const MeasuredFont &font = Font(key);
    const int height = font.Height;
    const int ascent = font.Ascent;
    return TextBox{Width(key, text), height, ascent};
}

} // namespace brenlow
