#pragma once

#include "core/chart_surface.h"
#include "core/display_list.h"
#include "platform/picture_cache.h"
#include "platform/surface_layout.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <vector>

namespace brenlow {

// The chart surface without a view: the immutable decoded picture (cached by path, size and
// modification time), a display list of what was drawn on it in picture pixels, the drawing
// state, and the view numbers as plain values. Text is measured at 96 dots per inch. Painting
// it is SurfacePainter's work; ChartSurfaceWidget shows it on the screen.
class RecordingSurface : public ImageSurface
{
public:
    RecordingSurface();
    ~RecordingSurface() override;
    RecordingSurface(const RecordingSurface &) = delete;
    RecordingSurface &operator=(const RecordingSurface &) = delete;

    // ImageSurface. Without a view there is nothing to fit to: FitOnLoad scrolls home, as does
    // KeepViewOnLoad false, and leaves Zoom as it is. Scroll offsets are kept as written.
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

    // How many times a picture file was decoded for this surface (a reload of an unchanged
    // file is not).
    int PictureDecodes() const { return pictures_.Decodes(); }
    // The loaded picture (null before the first load) and its size in picture pixels.
    const QImage &Picture() const { return picture_; }
    QSize PictureSize() const { return picture_.size(); }
    // What has been drawn since the last load, in drawing order, and where each item lies.
    const std::vector<DisplayItem> &DisplayList() const { return items_; }
    const std::vector<ItemLayout> &Layouts() const { return layouts_; }
    // The station symbols the items belong to (ItemLayout::Symbol indexes them).
    const std::vector<SymbolMark> &Symbols() const { return symbols_; }
    // Changes whenever the picture or the drawing may have: a view that kept what it painted
    // of one generation may show it again while the generation stays.
    quint64 Generation() const { return generation_; }

private:
    FontKey CurrentFont() const;

    PictureCache pictures_;
    QImage picture_;
    std::vector<DisplayItem> items_;
    std::vector<ItemLayout> layouts_; // one per item
    std::vector<SymbolMark> symbols_;
    QHash<std::int32_t, int> symbolOfStation_; // the latest entry of each station
    int symbol_ = -1;                          // the mark of the items drawn next
    std::vector<QPoint> pendingPoints_;
    quint64 generation_ = 0;

    bool fitOnLoad_ = false;
    bool keepViewOnLoad_ = true;
    double zoom_ = 100.0; // percent
    std::int32_t scrollX_ = 0;
    std::int32_t scrollY_ = 0;

    SurfaceColor pen_ = SurfaceBlack;
    SurfaceColor brush_ = SurfaceWhite;
    std::int32_t penWidth_ = 1;
    std::int32_t penStyle_ = PenSolid;
    std::int32_t brushStyle_ = BrushSolid;
    std::int32_t penMode_ = PenModeCopy;
    bool textTransparent_ = false;
    float textAngle_ = 0;
    QString fontName_;
    double fontSize_ = InitialFontPoints;
    bool fontBold_ = false;

    mutable LayoutMetrics metrics_;
};

} // namespace brenlow
