#include "platform/chart_legend.h"

#include "core/arrow_colours.h"
#include "platform/house_style.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <array>

namespace brenlow {
namespace {

constexpr QSize LegendSize(232, 160);
constexpr int Margin = 8;
constexpr int RowHeight = 19;
constexpr int TextLeft = 62; // view pixels from the key's left edge
constexpr int TextPixels = 11;

// The chart picture's water by day.
const QColor DayWater(0xD6, 0xEC, 0xF6);

// The arrows' three sizes (18, 24 and 30 picture pixels across the head) at 60 %.
constexpr std::array<double, 3> ArrowSizes = {10.8, 14.4, 18.0};

QColor ToColor(SurfaceColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// An arrow of the chart's shape, pointing right with its tip at tip: head size wide and 0.87
// size deep, shaft half as wide and 1.5 size long.
void PaintArrow(QPainter &painter, QPointF tip, double size, SurfaceColor fill)
{
    const double head = 0.866 * size;
    const double shaft = 1.5 * size;
    const QPolygonF outline({tip, tip + QPointF(-head, -size / 2), tip + QPointF(-head, -size / 4),
                             tip + QPointF(-head - shaft, -size / 4),
                             tip + QPointF(-head - shaft, size / 4), tip + QPointF(-head, size / 4),
                             tip + QPointF(-head, size / 2)});
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ToColor(fill));
    painter.drawPolygon(outline);
}

} // namespace

QSize ChartLegendSize()
{
    return LegendSize;
}

void PaintChartLegend(QPainter &painter, QPoint topLeft, ArrowPalette palette)
{
    const House::Colours &colours = House::Now();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(topLeft);
    painter.setPen(QPen(colours.Ink, 1));
    painter.setBrush(colours.KeyGround);
    painter.drawRect(QRectF(0.5, 0.5, LegendSize.width() - 1, LegendSize.height() - 1));

    painter.setFont(House::Font(TextPixels + 1, true));
    painter.setPen(colours.Ink);
    painter.drawText(QRect(Margin, 2, LegendSize.width() - 2 * Margin, RowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Key (L hides it)"));

    const SurfaceColor below = PaletteColor(ArrowColorBelow180, palette);
    const SurfaceColor from = PaletteColor(ArrowColorFrom180, palette);
    struct Row
    {
        double Size;
        SurfaceColor Fill;
        const char *Text;
    };
    const Row rows[] = {
        {ArrowSizes[1], below, "sets 0\u00b0 to 179\u00b0 (N, E, S)"},
        {ArrowSizes[1], from, "sets 180\u00b0 to 359\u00b0 (S, W, N)"},
        {ArrowSizes[0], below, "under 1.1 knots"},
        {ArrowSizes[1], below, "1.1 to 2.0 knots"},
        {ArrowSizes[2], below, "2.1 knots and more"},
    };
    painter.setFont(House::Font(TextPixels));
    int top = RowHeight + 2;
    if (palette == ArrowPalette::Night) {
        // At night the arrows are told apart by being lighter and darker than the water: they
        // are shown over a patch of it, as the darkened chart shows it.
        QImage water(1, 1, QImage::Format_RGB32);
        water.fill(DayWater);
        TintForNight(water);
        painter.setPen(Qt::NoPen);
        painter.setBrush(water.pixelColor(0, 0));
        painter.drawRoundedRect(
            QRectF(Margin, top, TextLeft - Margin - 4, RowHeight * double(std::size(rows))), 3, 3);
    }
    for (const Row &row : rows) {
        PaintArrow(painter, QPointF(TextLeft - 8, top + RowHeight / 2.0), row.Size, row.Fill);
        painter.setPen(colours.Text);
        painter.drawText(QRect(TextLeft, top, LegendSize.width() - TextLeft - Margin, RowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(row.Text));
        top += RowHeight;
    }

    // A slack label as the chart draws it: bold on white (at night red on black), in a box.
    QFont slack = House::Font(TextPixels, true);
    painter.setFont(slack);
    const QRect box(Margin, top + 3, TextLeft - Margin - 6, RowHeight - 6);
    painter.setPen(QPen(colours.Rule, 1));
    painter.setBrush(ToColor(LabelBoxColor(SurfaceWhite, palette)));
    painter.drawRect(box);
    painter.setPen(ToColor(LabelInkColor(palette)));
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("SLACK"));
    painter.setFont(House::Font(TextPixels));
    painter.setPen(colours.Text);
    painter.drawText(QRect(TextLeft, top, LegendSize.width() - TextLeft - Margin, RowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("slack water: turning"));
    top += RowHeight;
    painter.drawText(QRect(Margin, top, LegendSize.width() - 2 * Margin, RowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Labels: the rate in knots"));
    painter.restore();
}

} // namespace brenlow
