#pragma once

#include <QPoint>
#include <QString>

#include <cstdint>

namespace brenlow {

// A 24-bit colour written &HBBGGRR: red in the low byte, blue in the high byte.
using SurfaceColor = std::uint32_t;

inline constexpr SurfaceColor SurfaceBlack = 0x000000;
inline constexpr SurfaceColor SurfaceWhite = 0xFFFFFF;

// Zoom in percent at which one picture pixel is one view pixel.
inline constexpr double FullSizeZoom = 100.0;

// The codes of the surface's pen styles, brush styles and pen modes; the program draws solid
// with a plain copy.
enum SurfacePenStyle : std::int32_t {
    PenSolid = 0,
    PenDash = 1,
    PenDot = 2,
    PenDashDot = 3,
    PenDashDotDot = 4,
    PenNone = 5,
    PenInsideFrame = 6,
};
enum SurfaceBrushStyle : std::int32_t {
    BrushSolid = 0,
    BrushHollow = 1,
    BrushHorizontal = 2,
    BrushVertical = 3,
    BrushUpwardDiagonal = 4,
    BrushDownwardDiagonal = 5,
    BrushCross = 6,
    BrushDiagonalCross = 7,
};
enum SurfacePenMode : std::int32_t { PenModeCopy = 4 };

// Which station's symbol the marks drawn next belong to, for a view that shows symbols larger
// than the picture's scale: the arrow grows about the station's point and its label keeps its
// place behind the grown tail. Recorded beside the drawing; nothing reads it back.
struct SymbolMark
{
    std::int32_t Station = 0; // index in the station table; 0 = the marks belong to no station
    QPoint Anchor;            // picture pixels: the station's point, where the arrow's tip lies
    QPoint LabelPivot;        // picture pixels: the middle of the arrow's tail end
    bool operator==(const SymbolMark &) const = default;
};

// The chart surface: a zoomable, scrollable view of one picture that the program draws on.
// Drawing coordinates are picture pixels; scroll offsets are view pixels, i.e. pixels of the
// magnified picture. Everything written reads back exactly as written. Printing what the
// surface shows is the interface beside it, SurfacePrinting (render/surface_printing.h).
class ImageSurface
{
public:
    virtual ~ImageSurface() = default;

    // The file's picture replaces the picture and all drawing on it. Throws AppError when the
    // file cannot be read as a picture.
    virtual void LoadImageFile(const QString &path) = 0;
    // With FitOnLoad false and KeepViewOnLoad true a load leaves Zoom, ScrollX, ScrollY alone.
    virtual void SetFitOnLoad(bool fit) = 0;
    virtual bool FitOnLoad() const = 0;
    virtual void SetKeepViewOnLoad(bool keep) = 0;
    virtual bool KeepViewOnLoad() const = 0;

    virtual double Zoom() const = 0; // percent; 100 = one picture pixel per view pixel
    virtual void SetZoom(double percent) = 0;
    virtual std::int32_t ScrollX() const = 0; // view pixels
    virtual void SetScrollX(std::int32_t x) = 0;
    virtual std::int32_t ScrollY() const = 0;
    virtual void SetScrollY(std::int32_t y) = 0;

    virtual SurfaceColor PenColor() const = 0;
    virtual void SetPenColor(SurfaceColor color) = 0;
    virtual SurfaceColor BrushColor() const = 0;
    virtual void SetBrushColor(SurfaceColor color) = 0;
    // Width in picture pixels, and the codes above.
    virtual std::int32_t PenWidth() const = 0;
    virtual void SetPenWidth(std::int32_t width) = 0;
    virtual std::int32_t PenStyle() const = 0;
    virtual void SetPenStyle(std::int32_t style) = 0;
    virtual std::int32_t BrushStyle() const = 0;
    virtual void SetBrushStyle(std::int32_t style) = 0;
    virtual std::int32_t PenMode() const = 0;
    virtual void SetPenMode(std::int32_t mode) = 0;

    virtual bool TextTransparent() const = 0;
    virtual void SetTextTransparent(bool transparent) = 0;
    virtual float TextAngle() const = 0; // degrees counter-clockwise
    virtual void SetTextAngle(float degrees) = 0;

    virtual QString FontName() const = 0;
    virtual void SetFontName(const QString &name) = 0;
    virtual double FontSize() const = 0; // points
    virtual void SetFontSize(double points) = 0;
    virtual bool FontBold() const = 0;
    virtual void SetFontBold(bool bold) = 0;

    // Top-left of the text at (x, y) in picture pixels, turned by TextAngle about that point,
    // on a box of BrushColor unless TextTransparent.
    virtual void DrawText(std::int32_t x, std::int32_t y, const QString &text) = 0;
    // Pixel extent of the text in the current font, measured at 96 dots per inch.
    virtual std::int32_t TextWidth(const QString &text) const = 0;
    virtual std::int32_t TextHeight(const QString &text) const = 0;

    // Points since the last DrawPolygon form one closed shape, filled with the brush and
    // outlined with the pen; DrawPolygon then starts a fresh point list.
    virtual void AddPolygonPoint(std::int32_t x, std::int32_t y) = 0;
    virtual void DrawPolygon() = 0;

    // What is drawn from now on belongs to mark's station (none when its Station is 0). A
    // surface without a view ignores it.
    virtual void SetSymbolMark(const SymbolMark &mark) { static_cast<void>(mark); }
};

} // namespace brenlow
