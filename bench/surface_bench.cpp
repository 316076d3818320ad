// One step of the chart as the animation redraws it: reload the backdrop, draw 200 arrows and
// their labels, paint the 780 × 497 view at the first zoom level. Compared in the same run
// with painting the bare view (the floor), with the straightforward way of decoding the file
// and drawing into the full picture every step (the baseline the surface replaces), with the
// same step recorded and painted without a widget (what the widget adds), and painted exactly
// without the view's cache (as a page is).
//
//   build/bench/brenlow_bench --benchmark_filter='Surface'

#include "platform/chart_surface_widget.h"
#include "platform/recording_surface.h"
#include "platform/surface_painter.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTransform>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace brenlow {
namespace {

constexpr QSize ChartSize(4750, 4300); // picture pixels, as the real chart
constexpr QSize ViewSize(780, 497);    // view pixels of the main window's surface
constexpr double FirstZoomLevel = 19.444432;
constexpr int ScrollX = 56;
constexpr int ScrollY = 83;
constexpr int Arrows = 200;
constexpr double LabelPoints = 11.111104;

// A 24-bit chart-like picture in a temporary folder, made once per run.
const QString &ChartPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage image(ChartSize, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = qRgb(150 + x * 80 / ChartSize.width(), 190 + y * 50 / ChartSize.height(),
                              230 - (x + y) % 7);
        }
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::darkGray, 3));
        for (int i = 0; i < 120; ++i) {
            painter.setBrush(QColor(230 - i % 40, 220 - i % 25, 160 + i % 60));
            painter.drawEllipse(
                QPoint((i * 397) % ChartSize.width(), (i * 613) % ChartSize.height()), 60 + i % 150,
                40 + i % 90);
        }
        painter.end();
        const QString file = dir.filePath("backdrop.bmp");
        image.save(file, "BMP");
        return file;
    }();
    return path;
}

struct Arrow
{
    std::vector<QPoint> Points; // picture pixels
    QPoint LabelAt;
    float LabelAngle;
};

// 200 arrows of seven points, about 30 pixels long, spread over the chart at many headings.
const std::vector<Arrow> &StepArrows()
{
    static const std::vector<Arrow> arrows = [] {
        const QPointF outline[] = {{0, 0}, {-8, 12}, {-3, 12}, {-3, 30}, {3, 30}, {3, 12}, {8, 12}};
        std::vector<Arrow> result;
        for (int i = 0; i < Arrows; ++i) {
            const QPoint tip(200 + (i * 1237) % (ChartSize.width() - 400),
                             200 + (i * 2711) % (ChartSize.height() - 400));
            const int heading = (i * 37) % 360;
            const QTransform turn = QTransform().translate(tip.x(), tip.y()).rotate(heading);
            Arrow arrow;
            for (const QPointF &point : outline)
                arrow.Points.push_back(turn.map(point).toPoint());
            arrow.LabelAt = turn.map(QPointF(12, 40)).toPoint();
            arrow.LabelAngle = float((360 - heading) % 180);
            result.push_back(std::move(arrow));
        }
        return result;
    }();
    return arrows;
}

// Draws the arrows through the surface as the glyph does: polygon, then the labels last.
// labelTurn turns every label by that many degrees more, to make labels not seen before.
void DrawStep(ImageSurface &surface, float labelTurn = 0)
{
    surface.SetPenColor(SurfaceBlack);
    surface.SetPenWidth(1);
    surface.SetPenStyle(0);
    surface.SetPenMode(4);
    surface.SetBrushStyle(0);
    surface.SetFontName("arial");
    surface.SetFontSize(LabelPoints);
    surface.SetFontBold(true);
    int i = 0;
    for (const Arrow &arrow : StepArrows()) {
        surface.SetBrushColor(i++ % 2 == 0 ? 0x00FF10 : 0x0010FF);
        for (const QPoint &point : arrow.Points)
            surface.AddPolygonPoint(point.x(), point.y());
        surface.DrawPolygon();
        benchmark::DoNotOptimize(surface.TextWidth("2.5") + surface.TextHeight("2.5"));
    }
    surface.SetBrushColor(SurfaceWhite);
    surface.SetTextTransparent(false);
    for (const Arrow &arrow : StepArrows()) {
        surface.SetTextAngle(arrow.LabelAngle + labelTurn);
        surface.DrawText(arrow.LabelAt.x(), arrow.LabelAt.y(), "2.5");
    }
}

QImage ViewImage()
{
    return QImage(ViewSize, QImage::Format_ARGB32_Premultiplied);
}

void PaintView(ChartSurfaceWidget &surface, QImage &view)
{
    surface.render(&view, QPoint(), QRegion(), QWidget::RenderFlags());
    benchmark::DoNotOptimize(view.constBits());
}

std::unique_ptr<ChartSurfaceWidget> ViewAtFirstLevel()
{
    auto surface = std::make_unique<ChartSurfaceWidget>();
    surface->resize(ViewSize);
    surface->LoadImageFile(ChartPath());
    surface->SetZoom(FirstZoomLevel);
    surface->SetScrollX(ScrollX);
    surface->SetScrollY(ScrollY);
    return surface;
}

void BM_SurfaceStepRedraw(benchmark::State &state)
{
    auto surface = ViewAtFirstLevel();
    QImage view = ViewImage();
    PaintView(*surface, view); // the labels of this zoom are rasterised once, not per step
    for (auto _ : state) {
        surface->SetFitOnLoad(false);
        surface->SetKeepViewOnLoad(true);
        surface->LoadImageFile(ChartPath());
        DrawStep(*surface);
        PaintView(*surface, view);
    }
}
BENCHMARK(BM_SurfaceStepRedraw)->Unit(benchmark::kMillisecond);

// The same with labels at angles not drawn before at this zoom: every label is laid out and
// rasterised afresh, as on the first showing of a step.
void BM_SurfaceStepRedrawNewLabels(benchmark::State &state)
{
    auto surface = ViewAtFirstLevel();
    QImage view = ViewImage();
    PaintView(*surface, view);
    float turn = 0;
    for (auto _ : state) {
        turn += 0.001f;
        surface->SetFitOnLoad(false);
        surface->SetKeepViewOnLoad(true);
        surface->LoadImageFile(ChartPath());
        DrawStep(*surface, turn);
        PaintView(*surface, view);
    }
}
BENCHMARK(BM_SurfaceStepRedrawNewLabels)->Unit(benchmark::kMillisecond);

// The view's transform (picture pixels to view pixels) for a surface without a widget.
void PaintRecording(const RecordingSurface &surface, SurfacePaintCache *cache, QImage &view)
{
    const double scale = FirstZoomLevel / 100;
    QPainter painter(&view);
    SurfacePainter(surface, cache)
        .Paint(painter, QTransform().translate(-ScrollX, -ScrollY).scale(scale, scale),
               view.rect());
    painter.end();
    benchmark::DoNotOptimize(view.constBits());
}

void RunRecordingStepRedraw(benchmark::State &state, bool cached)
{
    RecordingSurface surface;
    SurfacePaintCache cache;
    SurfacePaintCache *used = cached ? &cache : nullptr;
    QImage view = ViewImage();
    surface.LoadImageFile(ChartPath());
    PaintRecording(surface, used, view);
    for (auto _ : state) {
        surface.SetFitOnLoad(false);
        surface.SetKeepViewOnLoad(true);
        surface.LoadImageFile(ChartPath());
        DrawStep(surface);
        PaintRecording(surface, used, view);
    }
}

// The step on a recording surface painted with the view's cache: the widget's share of
// BM_SurfaceStepRedraw is the difference.
void BM_SurfacePainterStepRedraw(benchmark::State &state)
{
    RunRecordingStepRedraw(state, true);
}
BENCHMARK(BM_SurfacePainterStepRedraw)->Unit(benchmark::kMillisecond);

// The same painted exactly, as onto a page: the visible part of the picture scaled through the
// transform, every label laid out and drawn as text.
void BM_SurfacePainterExactStepRedraw(benchmark::State &state)
{
    RunRecordingStepRedraw(state, false);
}
BENCHMARK(BM_SurfacePainterExactStepRedraw)->Unit(benchmark::kMillisecond);

void BM_SurfaceBareView(benchmark::State &state)
{
    auto surface = ViewAtFirstLevel();
    QImage view = ViewImage();
    PaintView(*surface, view);
    for (auto _ : state)
        PaintView(*surface, view);
}
BENCHMARK(BM_SurfaceBareView)->Unit(benchmark::kMillisecond);

// Decode the file, draw into the full picture, scale the visible part into the view.
void BM_SurfaceNaive(benchmark::State &state)
{
    QImage view = ViewImage();
    QFont font("arial");
    font.setPointSizeF(LabelPoints);
    font.setBold(true);
    const double factor = FirstZoomLevel / 100;
    const QRectF visible(ScrollX / factor, ScrollY / factor, ViewSize.width() / factor,
                         ViewSize.height() / factor);
    for (auto _ : state) {
        QImage picture(ChartPath());
        QPainter painter(&picture);
        painter.setPen(Qt::black);
        int i = 0;
        for (const Arrow &arrow : StepArrows()) {
            painter.setBrush(i++ % 2 == 0 ? QColor(16, 255, 0) : QColor(255, 16, 0));
            painter.drawPolygon(arrow.Points.data(), int(arrow.Points.size()));
        }
        painter.setFont(font);
        const QFontMetrics metrics(font, &picture);
        for (const Arrow &arrow : StepArrows()) {
            painter.save();
            painter.translate(arrow.LabelAt);
            painter.rotate(-arrow.LabelAngle);
            painter.fillRect(QRect(0, 0, metrics.horizontalAdvance("2.5"), metrics.height()),
                             Qt::white);
            painter.drawText(QPoint(0, metrics.ascent()), "2.5");
            painter.restore();
        }
        painter.end();
        QPainter viewPainter(&view);
        viewPainter.setRenderHint(QPainter::SmoothPixmapTransform);
        viewPainter.drawImage(QRectF(QPointF(), QSizeF(ViewSize)), picture, visible);
        viewPainter.end();
        benchmark::DoNotOptimize(view.constBits());
    }
}
BENCHMARK(BM_SurfaceNaive)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace brenlow
