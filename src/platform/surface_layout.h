#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRectF>
#include <QString>

#include <vector>

namespace brenlow {

// Text is measured and laid out as on a 96 dots-per-inch screen, whatever the real device, so
// that label positions are the same everywhere: 11.111104 pt = 14.81 picture pixels.
inline constexpr int LayoutDpi = 96;
// A QImage reports its resolution as qRound(dots per metre × 0.0254): 3780 gives 96.
inline constexpr int LayoutDotsPerMetre = 3780;

// The surface's initial font size; a size that is not a number is drawn at it.
inline constexpr double InitialFontPoints = 10.0;

struct FontKey
{
    QString Name;
    double Points = 0;
    bool Bold = false;
    bool operator==(const FontKey &) const = default;
};

// The font of a text, sized so that it covers the same number of pixels on a device of the
// given resolution as on the 96 dpi layout device. Hinting is off so that sizes scale linearly
// and a text drawn magnified or turned keeps the shape it was measured with.
QFont LayoutFont(const FontKey &key, int deviceDpi);

// Layout of a text in picture pixels: the box it is drawn on and its baseline below the top.
struct TextBox
{
    int Width = 0;
    int Height = 0;
    int Ascent = 0;
};

// What painting needs beside a display item: where it lies, and a text's measured box.
struct ItemLayout
{
    QRectF Bounds; // picture pixels, generous enough to hold the whole mark
    TextBox Box;
    int Symbol = -1; // index of the item's SymbolMark in the recording's Symbols(); -1 = none
};

// Glyphs may reach a little beyond their advance box (overhangs, antialiasing): picture
// pixels around a label's box that painting must still cover.
double LabelMargin(const TextBox &box);

// Measurements on the 96 dpi layout device. The last few fonts are kept, with the widths of
// the texts measured in them: the program measures the same few labels again at every step.
class LayoutMetrics
{
public:
    TextBox Measure(const FontKey &font, const QString &text);
    int Width(const FontKey &font, const QString &text);
    int Height(const FontKey &font);

private:
    struct MeasuredFont
    {
        FontKey Key;
        QFontMetrics Metrics;
        int Height = 0;
        int Ascent = 0;
        QHash<QString, int> Widths;
    };
    MeasuredFont &Font(const FontKey &key);

    std::vector<MeasuredFont> fonts_; // most recently used first
};

} // namespace brenlow
