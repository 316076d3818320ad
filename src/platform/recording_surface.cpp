#include "platform/recording_surface.h"

#include "platform/picture_cache.h"

#include <QRect>
#include <QTransform>

#include <algorithm>

namespace brenlow {

// The initial font is the control's; the program sets its own before drawing.
RecordingSurface::RecordingSurface() : fontName_(QStringLiteral("arial")) { }

RecordingSurface::~RecordingSurface() = default;

void RecordingSurface::LoadImageFile(const QString &path)
{
    QImage picture = pictures_.Load(path); // throws and leaves the surface as it was
    if (picture.cacheKey() != picture_.cacheKey())
        picture_ = std::move(picture);
    items_.clear();
    layouts_.clear();
    symbols_.clear();
    symbolOfStation_.clear();
    symbol_ = -1;
    pendingPoints_.clear();
    ++generation_;
    if (fitOnLoad_ || !keepViewOnLoad_) {
        scrollX_ = 0;
        scrollY_ = 0;
    }
}

void RecordingSurface::SetFitOnLoad(bool fit)
{
    fitOnLoad_ = fit;
}

bool RecordingSurface::FitOnLoad() const
{
    return fitOnLoad_;
}

void RecordingSurface::SetKeepViewOnLoad(bool keep)
{
    keepViewOnLoad_ = keep;
}

bool RecordingSurface::KeepViewOnLoad() const
{
    return keepViewOnLoad_;
}

double RecordingSurface::Zoom() const
{
    return zoom_;
}

void RecordingSurface::SetZoom(double percent)
{
    zoom_ = percent;
}

std::int32_t RecordingSurface::ScrollX() const
{
    return scrollX_;
}

void RecordingSurface::SetScrollX(std::int32_t x)
{
    scrollX_ = x;
}

std::int32_t RecordingSurface::ScrollY() const
{
    return scrollY_;
}

void RecordingSurface::SetScrollY(std::int32_t y)
{
    scrollY_ = y;
}

SurfaceColor RecordingSurface::PenColor() const
{
    return pen_;
}

void RecordingSurface::SetPenColor(SurfaceColor color)
{
    pen_ = color & 0xFFFFFF;
}

SurfaceColor RecordingSurface::BrushColor() const
{
    return brush_;
}

void RecordingSurface::SetBrushColor(SurfaceColor color)
{
    brush_ = color & 0xFFFFFF;
}

std::int32_t RecordingSurface::PenWidth() const
{
    return penWidth_;
}

void RecordingSurface::SetPenWidth(std::int32_t width)
{
    penWidth_ = width;
}

std::int32_t RecordingSurface::PenStyle() const
{
    return penStyle_;
}

void RecordingSurface::SetPenStyle(std::int32_t style)
{
    penStyle_ = style;
}

std::int32_t RecordingSurface::BrushStyle() const
{
    return brushStyle_;
}

void RecordingSurface::SetBrushStyle(std::int32_t style)
{
    brushStyle_ = style;
}

std::int32_t RecordingSurface::PenMode() const
{
    return penMode_;
}

void RecordingSurface::SetPenMode(std::int32_t mode)
{
    penMode_ = mode;
}

bool RecordingSurface::TextTransparent() const
{
    return textTransparent_;
}

void RecordingSurface::SetTextTransparent(bool transparent)
{
    textTransparent_ = transparent;
}

float RecordingSurface::TextAngle() const
{
    return textAngle_;
}

void RecordingSurface::SetTextAngle(float degrees)
{
    textAngle_ = degrees;
}

QString RecordingSurface::FontName() const
{
    return fontName_;
}

void RecordingSurface::SetFontName(const QString &name)
{
    fontName_ = name;
}

double RecordingSurface::FontSize() const
{
    return fontSize_;
}

void RecordingSurface::SetFontSize(double points)
{
    fontSize_ = points;
}

bool RecordingSurface::FontBold() const
{
    return fontBold_;
}

void RecordingSurface::SetFontBold(bool bold)
{
    fontBold_ = bold;
}

FontKey RecordingSurface::CurrentFont() const
{
    return FontKey{fontName_, fontSize_, fontBold_};
}

void RecordingSurface::DrawText(std::int32_t x, std::int32_t y, const QString &text)
{
    const TextBox box = metrics_.Measure(CurrentFont(), text);
    DrawnText item;
    item.At = QPoint(x, y);
    item.Text = text;
    item.Angle = textAngle_;
    item.FontName = fontName_;
    item.FontSize = fontSize_;
    item.Bold = fontBold_;
    item.Transparent = textTransparent_;
    item.Box = brush_;
    const double margin = LabelMargin(box);
    const QRectF bounds = QTransform()
                              .translate(x, y)
                              .rotate(-double(textAngle_))
                              .mapRect(QRectF(0, 0, box.Width, box.Height))
                              .adjusted(-margin, -margin, margin, margin);
    items_.push_back(std::move(item));
    layouts_.push_back(ItemLayout{bounds, box, symbol_});
    ++generation_;
}

std::int32_t RecordingSurface::TextWidth(const QString &text) const
{
    return metrics_.Width(CurrentFont(), text);
}

std::int32_t RecordingSurface::TextHeight(const QString &) const
{
    return metrics_.Height(CurrentFont());
}

void RecordingSurface::AddPolygonPoint(std::int32_t x, std::int32_t y)
{
    pendingPoints_.emplace_back(x, y);
}

void RecordingSurface::DrawPolygon()
{
    if (pendingPoints_.empty())
        return;
    QRect extent;
    for (const QPoint &point : pendingPoints_)
        extent |= QRect(point, QSize(1, 1));
    const double margin = std::max(penWidth_, 1) + 1.0;
    DrawnPolygon item;
    item.Points.assign(pendingPoints_.begin(), pendingPoints_.end());
    pendingPoints_.clear();
    item.Pen = pen_;
    item.Brush = brush_;
    item.PenWidth = penWidth_;
    item.PenStyle = penStyle_;
    item.BrushStyle = brushStyle_;
    item.PenMode = penMode_;
    items_.push_back(std::move(item));
    layouts_.push_back(
        ItemLayout{QRectF(extent).adjusted(-margin, -margin, margin, margin), {}, symbol_});
    ++generation_;
}

void RecordingSurface::SetSymbolMark(const SymbolMark &mark)
{
    if (mark.Station == 0) {
        symbol_ = -1;
        return;
    }
    // A station's arrow and its label, drawn apart, share one entry.
    const auto found = symbolOfStation_.constFind(mark.Station);
    if (found != symbolOfStation_.constEnd() && symbols_[std::size_t(*found)] == mark) {
        symbol_ = *found;
        return;
    }
    symbols_.push_back(mark);
    symbol_ = int(symbols_.size()) - 1;
    symbolOfStation_.insert(mark.Station, symbol_);
}

} // namespace brenlow
