#include "platform/chart_surface_widget.h"

#include "platform/chart_legend.h"
#include "platform/recording_surface.h"
#include "platform/route_painter.h"
#include "platform/surface_painter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <utility>

namespace brenlow {
namespace {

// Painting keeps the zoom within these bounds, whatever was written to Zoom (which still reads
// back as written), so that a stray value neither divides by zero nor asks for a picture of
// gigabytes.
constexpr double MinPaintZoom = 1.0;
constexpr double MaxPaintZoom = 1600.0;

// View pixels per picture pixel as painted.
double PaintScale(double zoom)
{
    if (!std::isfinite(zoom))
        return 1.0;
    return std::clamp(zoom, MinPaintZoom, MaxPaintZoom) / FullSizeZoom;
}

// The view stays inside the picture: a scroll offset as shown lies between 0 and the part of
// the magnified picture that does not fit in the view.
std::int32_t LimitScroll(std::int32_t offset, int magnified, int view)
{
    return std::clamp(offset, 0, std::max(0, magnified - view));
}

} // namespace

// The key's distance from the view's bottom-left corner, view pixels.
constexpr int LegendInset = 8;

struct ChartSurfaceWidget::Impl
{
    RecordingSurface Recording;
    SurfacePaintCache Cache;
    ArrowPalette Palette = ArrowPalette::Standard;
    LabelSweepSource Sweep;
    bool Legend = false;
    RouteDrawing Route;
    // Whether a paint has been asked for since the last one: a step draws some two hundred
    // items, and asking Qt each time costs more than recording them.
    bool PaintAsked = false;

    // The size of the magnified picture in view pixels.
    QSize MagnifiedSize() const
    {
        return SurfacePainter::MagnifiedSize(Recording.PictureSize(), PaintScale(Recording.Zoom()));
    }

    // The offsets as shown: those last written, limited to the picture at the present zoom and
    // view size. The written ones are kept, so that zooming out and in again comes back to the
    // same place.
    QPoint Scroll(QSize view) const
    {
        const QSize magnified = MagnifiedSize();
        return QPoint(LimitScroll(Recording.ScrollX(), magnified.width(), view.width()),
                      LimitScroll(Recording.ScrollY(), magnified.height(), view.height()));
    }

    // Picture pixels to view pixels.
    QTransform ToView(QSize view) const
    {
        const double scale = PaintScale(Recording.Zoom());
        const QPoint scroll = Scroll(view);
        return QTransform().translate(-scroll.x(), -scroll.y()).scale(scale, scale);
    }
};

ChartSurfaceWidget::ChartSurfaceWidget(QWidget *parent)
    : QWidget(parent), impl_(std::make_unique<Impl>())
{
    // paintEvent covers every pixel of the view, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ChartSurfaceWidget::~ChartSurfaceWidget() = default;

void ChartSurfaceWidget::LoadImageFile(const QString &path)
{
    Impl &d = *impl_;
    d.Recording.LoadImageFile(path); // throws and leaves the surface as it was
    d.Cache.UsePicture(d.Recording.Picture());
    if (d.Recording.FitOnLoad() && width() > 0 && height() > 0) {
        const double across = double(width()) / d.Recording.PictureSize().width();
        const double down = double(height()) / d.Recording.PictureSize().height();
        d.Recording.SetZoom(std::min(across, down) * FullSizeZoom);
    }
    update();
}

void ChartSurfaceWidget::SetFitOnLoad(bool fit)
{
    impl_->Recording.SetFitOnLoad(fit);
}

bool ChartSurfaceWidget::FitOnLoad() const
{
    return impl_->Recording.FitOnLoad();
}

void ChartSurfaceWidget::SetKeepViewOnLoad(bool keep)
{
    impl_->Recording.SetKeepViewOnLoad(keep);
}

bool ChartSurfaceWidget::KeepViewOnLoad() const
{
    return impl_->Recording.KeepViewOnLoad();
}

double ChartSurfaceWidget::Zoom() const
{
    return impl_->Recording.Zoom();
}

void ChartSurfaceWidget::SetZoom(double percent)
{
    impl_->Recording.SetZoom(percent);
    update();
}

// The offsets read back are those shown, worked out afresh at every read, so they follow the
// zoom and the widget's size (which a hidden widget is told of only when shown). A drag adds
// to what it reads, so pulling past the edge never builds up a distance to drag back.
std::int32_t ChartSurfaceWidget::ScrollX() const
{
    return impl_->Scroll(size()).x();
}

void ChartSurfaceWidget::SetScrollX(std::int32_t x)
{
    impl_->Recording.SetScrollX(x);
    update();
}

std::int32_t ChartSurfaceWidget::ScrollY() const
{
    return impl_->Scroll(size()).y();
}

void ChartSurfaceWidget::SetScrollY(std::int32_t y)
{
    impl_->Recording.SetScrollY(y);
    update();
}

SurfaceColor ChartSurfaceWidget::PenColor() const
{
    return impl_->Recording.PenColor();
}

void ChartSurfaceWidget::SetPenColor(SurfaceColor color)
{
    impl_->Recording.SetPenColor(color);
}

SurfaceColor ChartSurfaceWidget::BrushColor() const
{
    return impl_->Recording.BrushColor();
}

void ChartSurfaceWidget::SetBrushColor(SurfaceColor color)
{
    impl_->Recording.SetBrushColor(color);
}

std::int32_t ChartSurfaceWidget::PenWidth() const
{
    return impl_->Recording.PenWidth();
}

void ChartSurfaceWidget::SetPenWidth(std::int32_t width)
{
    impl_->Recording.SetPenWidth(width);
}

std::int32_t ChartSurfaceWidget::PenStyle() const
{
    return impl_->Recording.PenStyle();
}

void ChartSurfaceWidget::SetPenStyle(std::int32_t style)
{
    impl_->Recording.SetPenStyle(style);
}

std::int32_t ChartSurfaceWidget::BrushStyle() const
{
    return impl_->Recording.BrushStyle();
}

void ChartSurfaceWidget::SetBrushStyle(std::int32_t style)
{
    impl_->Recording.SetBrushStyle(style);
}

std::int32_t ChartSurfaceWidget::PenMode() const
{
    return impl_->Recording.PenMode();
}

void ChartSurfaceWidget::SetPenMode(std::int32_t mode)
{
    impl_->Recording.SetPenMode(mode);
}

bool ChartSurfaceWidget::TextTransparent() const
{
    return impl_->Recording.TextTransparent();
}

void ChartSurfaceWidget::SetTextTransparent(bool transparent)
{
    impl_->Recording.SetTextTransparent(transparent);
}

float ChartSurfaceWidget::TextAngle() const
{
    return impl_->Recording.TextAngle();
}

void ChartSurfaceWidget::SetTextAngle(float degrees)
{
    impl_->Recording.SetTextAngle(degrees);
}

QString ChartSurfaceWidget::FontName() const
{
    return impl_->Recording.FontName();
}

void ChartSurfaceWidget::SetFontName(const QString &name)
{
    impl_->Recording.SetFontName(name);
}

double ChartSurfaceWidget::FontSize() const
{
    return impl_->Recording.FontSize();
}

void ChartSurfaceWidget::SetFontSize(double points)
{
    impl_->Recording.SetFontSize(points);
}

bool ChartSurfaceWidget::FontBold() const
{
    return impl_->Recording.FontBold();
}

void ChartSurfaceWidget::SetFontBold(bool bold)
{
    impl_->Recording.SetFontBold(bold);
}

void ChartSurfaceWidget::DrawText(std::int32_t x, std::int32_t y, const QString &text)
{
    impl_->Recording.DrawText(x, y, text);
    AskPaint();
}

std::int32_t ChartSurfaceWidget::TextWidth(const QString &text) const
{
    return impl_->Recording.TextWidth(text);
}

std::int32_t ChartSurfaceWidget::TextHeight(const QString &text) const
{
    return impl_->Recording.TextHeight(text);
}

void ChartSurfaceWidget::AddPolygonPoint(std::int32_t x, std::int32_t y)
{
    impl_->Recording.AddPolygonPoint(x, y);
}

void ChartSurfaceWidget::DrawPolygon()
{
    impl_->Recording.DrawPolygon();
    AskPaint();
}

void ChartSurfaceWidget::SetSymbolMark(const SymbolMark &mark)
{
    impl_->Recording.SetSymbolMark(mark);
}

void ChartSurfaceWidget::SetArrowPalette(ArrowPalette palette)
{
    if (impl_->Palette == palette)
        return;
    impl_->Palette = palette;
    update();
}

ArrowPalette ChartSurfaceWidget::Palette() const
{
    return impl_->Palette;
}

void ChartSurfaceWidget::SetLabelSweepSource(LabelSweepSource source)
{
    impl_->Sweep = std::move(source);
    update();
}

void ChartSurfaceWidget::SetLegendShown(bool shown)
{
    if (impl_->Legend == shown)
        return;
    impl_->Legend = shown;
    update();
}

bool ChartSurfaceWidget::LegendShown() const
{
    return impl_->Legend;
}

QRect ChartSurfaceWidget::LegendRect() const
{
    if (!impl_->Legend)
        return {};
    const QSize size = ChartLegendSize();
    return QRect(QPoint(LegendInset, height() - LegendInset - size.height()), size);
}

const RecordingSurface &ChartSurfaceWidget::Recording() const
{
    return impl_->Recording;
}

const std::vector<DisplayItem> &ChartSurfaceWidget::DisplayList() const
{
    return impl_->Recording.DisplayList();
}

QSize ChartSurfaceWidget::PictureSize() const
{
    return impl_->Recording.PictureSize();
}

int ChartSurfaceWidget::PictureReductions() const
{
    return impl_->Cache.Reductions();
}

int ChartSurfaceWidget::PictureTilesMade() const
{
    return impl_->Cache.TilesMade();
}

void ChartSurfaceWidget::SetRouteDrawing(RouteDrawing route)
{
    impl_->Route = std::move(route);
    update();
}

const RouteDrawing &ChartSurfaceWidget::Route() const
{
    return impl_->Route;
}

QImage ChartSurfaceWidget::RenderPicture() const
{
    return brenlow::RenderPicture(impl_->Recording);
}

void ChartSurfaceWidget::AskPaint()
{
    if (impl_->PaintAsked && isVisible())
        return;
    impl_->PaintAsked = true;
    update();
}

void ChartSurfaceWidget::paintEvent(QPaintEvent *event)
{
    Impl &d = *impl_;
    d.PaintAsked = false;
    QPainter painter(this);
    const QRect dirty = event->rect();
    const QRect pictureInView(-d.Scroll(size()), d.MagnifiedSize());

    // Around a picture smaller than the view.
    for (const QRect &rect : QRegion(dirty).subtracted(QRegion(pictureInView)))
        painter.fillRect(rect, palette().color(QPalette::Dark));
    ViewAids aids;
    aids.Floor = true;
    aids.Palette = d.Palette;
    // The sweep is asked for only where symbols are enlarged, where the labels are chosen.
    if (d.Sweep && SymbolScaleAt(PaintScale(d.Recording.Zoom())).Enlarged())
        aids.Sweep = d.Sweep();
    const QTransform toView = d.ToView(size());
    SurfacePainter(d.Recording, &d.Cache, std::move(aids)).Paint(painter, toView, dirty);
    PaintRoute(painter, toView, d.Route,
               d.Palette == ArrowPalette::Night ? NightRouteColours : DayRouteColours);

    const QRect legend = LegendRect();
    if (!legend.isEmpty() && legend.intersects(dirty)) {
        // The painter is left with the picture's transform and the dirty clip.
        painter.resetTransform();
        painter.setClipRect(dirty);
        PaintChartLegend(painter, legend.topLeft(), d.Palette);
    }
}

} // namespace brenlow
