#include "platform/legibility.h"

#include "core/arrow_colours.h"
#include "platform/recording_surface.h"

#include <QHash>
#include <QLineF>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace brenlow {
namespace {

using Quad = std::array<QPointF, 4>;

// Labels a view pixel (or a point on paper) apart still read as two.
constexpr double LabelGapUnits = 1;

// One station's labels over the sweep, in view pixels about an origin common to all.
struct StationLabels
{
    std::int32_t Station = 0;
    QPointF Anchor;
    double Reach = 0;    // the farthest corner of any of its labels from the anchor
    double PeakRate = 0; // knots
    std::vector<std::pair<int, Quad>> Steps;
};

Quad LabelQuad(const SweptLabel &label, const SymbolScale &scale, double viewScale)
{
    const double margin = LabelGapUnits / (scale.Label * viewScale);
    const QTransform toView =
        QTransform().translate(label.At.x(), label.At.y()).rotate(-double(label.Angle))
        * LabelTransform(label.Mark, scale) * QTransform::fromScale(viewScale, viewScale);
    const double w = label.Box.Width + margin;
    const double h = label.Box.Height + margin;
    return {toView.map(QPointF(-margin, -margin)), toView.map(QPointF(w, -margin)),
            toView.map(QPointF(w, h)), toView.map(QPointF(-margin, h))};
}

// Projections of a quadrilateral on the normal of one of its or the other's edges.
std::pair<double, double> Project(const Quad &quad, const QPointF &axis)
{
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (const QPointF &corner : quad) {
        const double along = corner.x() * axis.x() + corner.y() * axis.y();
        low = std::min(low, along);
        high = std::max(high, along);
    }
    return {low, high};
}

bool SeparatedAlongEdgesOf(const Quad &edges, const Quad &a, const Quad &b)
{
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const QPointF edge = edges[(i + 1) % edges.size()] - edges[i];
        const QPointF normal(-edge.y(), edge.x());
        const auto [lowA, highA] = Project(a, normal);
        const auto [lowB, highB] = Project(b, normal);
        if (highA < lowB || highB < lowA)
            return true;
    }
    return false;
}

} // namespace

SymbolScale SymbolScaleAt(double viewScale, const LegibilityFloor &floor)
{
    if (!(viewScale > 0) || !std::isfinite(viewScale))
        return {};
    return SymbolScale{std::max(1.0, floor.ArrowLength / (SmallestArrowLength * viewScale)),
                       std::max(1.0, floor.LabelEm / (RateLabelEmPixels * viewScale))};
}

QTransform ArrowTransform(const SymbolMark &mark, const SymbolScale &scale)
{
    const QPointF anchor(mark.Anchor);
    return QTransform::fromTranslate(-anchor.x(), -anchor.y())
        * QTransform::fromScale(scale.Arrow, scale.Arrow)
        * QTransform::fromTranslate(anchor.x(), anchor.y());
}

QTransform LabelTransform(const SymbolMark &mark, const SymbolScale &scale)
{
    const QPointF anchor(mark.Anchor);
    const QPointF pivot(mark.LabelPivot);
    const QPointF grownPivot = anchor + (pivot - anchor) * scale.Arrow;
    return QTransform::fromTranslate(-pivot.x(), -pivot.y())
        * QTransform::fromScale(scale.Label, scale.Label)
        * QTransform::fromTranslate(grownPivot.x(), grownPivot.y());
}

SurfaceColor PaletteColor(SurfaceColor color, ArrowPalette palette)
{
    if (palette == ArrowPalette::ColourBlindSafe) {
        if (color == ArrowColorBelow180)
            return SafeColorBelow180;
        if (color == ArrowColorFrom180)
            return SafeColorFrom180;
    }
    if (palette == ArrowPalette::Night) {
        if (color == ArrowColorBelow180)
            return NightColorBelow180;
        if (color == ArrowColorFrom180)
            return NightColorFrom180;
    }
    return color;
}

SurfaceColor LabelBoxColor(SurfaceColor box, ArrowPalette palette)
{
    return palette == ArrowPalette::Night ? NightLabelBox : box;
}

SurfaceColor LabelInkColor(ArrowPalette palette)
{
    return palette == ArrowPalette::Night ? NightLabelInk : SurfaceBlack;
}

void TintForNight(QImage &image)
{
    if (image.isNull())
        return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32
        && image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_RGB32);
    // A lightness taken mostly from blue against red, so that the pale blue water comes out
    // about twice as light as the pale yellow land and the black lines and lettering stay
    // black; then a red of at most 96 of 255, with a touch of green and blue so that it reads
    // as a deep red rather than a glare.
    std::array<quint32, 256> red{};
    std::array<quint32, 256> green{};
    std::array<quint32, 256> blue{};
    for (quint32 v = 0; v < 256; ++v) {
        red[v] = (v * 96 + 127) / 255;
        green[v] = (v * 12 + 127) / 255;
        blue[v] = (v * 7 + 127) / 255;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const quint32 pixel = line[x];
            const quint32 r = (pixel >> 16) & 0xFF;
            const quint32 b = pixel & 0xFF;
            const int lightness = (3 * int(b) - int(r)) / 2;
            const auto v = quint32(std::clamp(lightness, 0, 255));
            line[x] = (pixel & 0xFF000000) | (red[v] << 16) | (green[v] << 8) | blue[v];
        }
    }
}

void AddSweptLabels(LabelSweep &sweep, const RecordingSurface &recording, int step)
{
    const std::vector<DisplayItem> &items = recording.DisplayList();
    const std::vector<ItemLayout> &layouts = recording.Layouts();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto *text = std::get_if<DrawnText>(&items[i]);
        if (text == nullptr || layouts[i].Symbol < 0)
            continue;
        bool isRate = false;
        const double rate = text->Text.toDouble(&isRate);
        sweep.Labels.push_back(SweptLabel{step, recording.Symbols()[std::size_t(layouts[i].Symbol)],
                                          text->At, text->Angle, layouts[i].Box,
                                          isRate ? rate : 0.0});
    }
}

QSet<std::int32_t> LabelledStations(const LabelSweep &sweep, double viewScale,
                                    const LegibilityFloor &floor)
{
    QSet<std::int32_t> labelled;
    const SymbolScale scale = SymbolScaleAt(viewScale, floor);
    QHash<std::int32_t, std::size_t> indexOf;
    std::vector<StationLabels> stations;
    for (const SweptLabel &label : sweep.Labels) {
        auto found = indexOf.constFind(label.Mark.Station);
        if (found == indexOf.constEnd()) {
            found = indexOf.insert(label.Mark.Station, stations.size());
            StationLabels added;
            added.Station = label.Mark.Station;
            added.Anchor = QPointF(label.Mark.Anchor) * viewScale;
            stations.push_back(std::move(added));
        }
        StationLabels &station = stations[*found];
        station.PeakRate = std::max(station.PeakRate, label.Rate);
        if (!scale.Enlarged())
            continue;
        const Quad quad = LabelQuad(label, scale, viewScale);
        for (const QPointF &corner : quad) {
            const QPointF d = corner - station.Anchor;
            station.Reach = std::max(station.Reach, d.x() * d.x() + d.y() * d.y());
        }
        station.Steps.emplace_back(label.Step, quad);
    }
    if (!scale.Enlarged()) {
        for (const StationLabels &station : stations)
            labelled.insert(station.Station);
        return labelled;
    }

    // Reach was gathered squared, which spares a square root a corner.
    for (StationLabels &station : stations)
        station.Reach = std::sqrt(station.Reach);
    std::sort(stations.begin(), stations.end(), [](const StationLabels &a, const StationLabels &b) {
        if (a.PeakRate != b.PeakRate)
            return a.PeakRate > b.PeakRate;
        return a.Station < b.Station;
    });
    std::vector<const StationLabels *> kept;
    for (const StationLabels &station : stations) {
        const auto clashes = [&station](const StationLabels *other) {
            // Labels further apart than both their reaches cannot meet (compared squared).
            const QPointF d = station.Anchor - other->Anchor;
            const double reach = station.Reach + other->Reach;
            if (d.x() * d.x() + d.y() * d.y() > reach * reach)
                return false;
            for (const auto &[step, quad] : station.Steps)
                for (const auto &[otherStep, otherQuad] : other->Steps)
                    if (step == otherStep && QuadsOverlap(quad, otherQuad))
                        return true;
            return false;
        };
        if (std::none_of(kept.begin(), kept.end(), clashes)) {
            kept.push_back(&station);
            labelled.insert(station.Station);
        }
    }
    return labelled;
}

bool QuadsOverlap(const Quad &a, const Quad &b)
{
    return !SeparatedAlongEdgesOf(a, a, b) && !SeparatedAlongEdgesOf(b, a, b);
}

} // namespace brenlow
