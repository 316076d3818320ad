#pragma once

#include "core/chart_surface.h"
#include "core/display_list.h"
#include "core/route_drawing.h"
#include "platform/legibility.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace brenlow {

class RecordingSurface;

// The chart surface control: a view of a recording surface that shows only the visible part at
// the current zoom. Drawing goes to the recording surface; the view keeps the scroll offsets as
// written but shows and reads them back limited to the magnified picture at the widget's size,
// paints through SurfacePainter. Input over it belongs to the view's input object.
class ChartSurfaceWidget : public QWidget, public ImageSurface
{
    Q_OBJECT
public:
    explicit ChartSurfaceWidget(QWidget *parent = nullptr);
    ~ChartSurfaceWidget() override;

    // ImageSurface
    void LoadImageFile(const QString &path) override;
    void SetFitOnLoad(bool fit) override;
    bool FitOnLoad() const override;
    void SetKeepViewOnLoad(bool keep) override;
    bool KeepViewOnLoad() const override;
    double Zoom() const override;
    void SetZoom(double percent) override;
    std::int32_t ScrollX() const override;
    void SetScrollX(std::int32_t x) override;
    std::int32_t ScrollY() const override;
    void SetScrollY(std::int32_t y) override;
    SurfaceColor PenColor() const override;
    void SetPenColor(SurfaceColor color) override;
    SurfaceColor BrushColor() const override;
    void SetBrushColor(SurfaceColor color) override;
    std::int32_t PenWidth() const override;
    void SetPenWidth(std::int32_t width) override;
    std::int32_t PenStyle() const override;
    void SetPenStyle(std::int32_t style) override;
    std::int32_t BrushStyle() const override;
    void SetBrushStyle(std::int32_t style) override;
    std::int32_t PenMode() const override;
    void SetPenMode(std::int32_t mode) override;
    bool TextTransparent() const override;
    void SetTextTransparent(bool transparent) override;
    float TextAngle() const override;
    void SetTextAngle(float degrees) override;
    QString FontName() const override;
    void SetFontName(const QString &name) override;
    double FontSize() const override;
    void SetFontSize(double points) override;
    bool FontBold() const override;
    void SetFontBold(bool bold) override;
    void DrawText(std::int32_t x, std::int32_t y, const QString &text) override;
    std::int32_t TextWidth(const QString &text) const override;
    std::int32_t TextHeight(const QString &text) const override;
    void AddPolygonPoint(std::int32_t x, std::int32_t y) override;
    void DrawPolygon() override;
    void SetSymbolMark(const SymbolMark &mark) override;

    // What the view adds for people, never recorded: station symbols no smaller than readable
    // with the labels that would overlap left off (always), the arrows' palette, and the key.
    void SetArrowPalette(ArrowPalette palette);
    ArrowPalette Palette() const;
    // Every step's labels, asked for when a paint at an enlarging zoom needs them; the source
    // answers the same sweep while the tide's data stay the same.
    using LabelSweepSource = std::function<std::shared_ptr<const LabelSweep>()>;
    void SetLabelSweepSource(LabelSweepSource source);
    void SetLegendShown(bool shown);
    bool LegendShown() const;
    // Where the key is painted, view pixels; empty while it is hidden.
    QRect LegendRect() const;

    // The picture, the drawing and the drawing state behind the view.
    const RecordingSurface &Recording() const;
    // What has been drawn since the last load, in drawing order.
    const std::vector<DisplayItem> &DisplayList() const;
    // Size of the loaded picture in picture pixels (empty before the first load).
    QSize PictureSize() const;
    // The loaded picture with the display list drawn into it at 100 %, for checks on pixels.
    QImage RenderPicture() const;
    // How many times the view has made the halved copies of a picture it paints from.
    int PictureReductions() const;
    // How many tiles of the magnified picture the view has made.
    int PictureTilesMade() const;

    // The planner's track, drawn over the chart and its drawing (not recorded in the display
    // list, so read-backs and pages of steps stay as they are); an empty one draws nothing.
    void SetRouteDrawing(RouteDrawing route);
    const RouteDrawing &Route() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // update() once until the next paint.
    void AskPaint();

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace brenlow
