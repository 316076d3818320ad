#include "platform/chart_surface_widget.h"

#include "platform/picture_cache.h"

#include <QFontMetrics>
#include <QHash>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>

namespace brenlow {
namespace {

constexpr double FullSize = 100.0; // percent: one picture pixel per view pixel

// Text is measured and laid out as on a 96 dots-per-inch screen, whatever the real one, so
// that label positions are the same everywhere: 11.111104 pt = 14.81 picture pixels.
constexpr int LayoutDpi = 96;
// A QImage reports its resolution as qRound(dots per metre × 0.0254): 3780 gives 96.
constexpr int LayoutDotsPerMetre = 3780;

// Painting keeps the zoom within these bounds, whatever was written to Zoom (which still reads
// back as written), so that a stray value neither divides by zero nor asks for a picture of
// gigabytes.
constexpr double MinPaintZoom = 1.0;
constexpr double MaxPaintZoom = 1600.0;
// Font sizes outside this range (including 0 and negative sizes) are measured and drawn at the
// nearest bound.
constexpr double MinFontPoints = 0.5;
constexpr double MaxFontPoints = 1000.0;

// Scaled copies of the picture kept for quick painting: one per zoom value, enough for the
// four levels of the zoom ladder.
constexpr std::size_t ScaledCopies = 4;

// Fonts whose measurements are kept (the labels use two sizes), and texts per font.
constexpr std::size_t MeasuredFonts = 4;
constexpr qsizetype MeasuredTexts = 4096;
// Label pictures kept for painting: a full loop of the animation (25 steps of a few hundred
// labels) needs about 2 MB at the first zoom level, some 30 MB at 100 %.
constexpr qint64 SpriteBudgetBytes = 48 * 1024 * 1024;

// The control's initial font; the program sets its own before drawing.
const QString InitialFontName = QStringLiteral("arial");
constexpr double InitialFontPoints = 10.0;

QColor ToQColor(SurfaceColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// Pen style codes: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none; 6 (solid inside
// the frame) and any other code draw solid.
Qt::PenStyle ToPenStyle(std::int32_t code)
{
    switch (code) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// Brush style codes: 0 solid, 1 hollow, 2 horizontal lines, 3 vertical lines, 4 upward
// diagonals, 5 downward diagonals, 6 cross, 7 diagonal cross; any other code fills solid.
Qt::BrushStyle ToBrushStyle(std::int32_t code)
{
    switch (code) {
    case 1:
        return Qt::NoBrush;
    case 2:
        return Qt::HorPattern;
    case 3:
        return Qt::VerPattern;
    case 4:
        return Qt::BDiagPattern;
    case 5:
        return Qt::FDiagPattern;
    case 6:
        return Qt::CrossPattern;
    case 7:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

double PaintZoom(double zoom)
{
    if (!std::isfinite(zoom))
        return FullSize;
    return std::clamp(zoom, MinPaintZoom, MaxPaintZoom);
}

// The font of a text, sized so that it covers the same number of pixels on a device of the
// given resolution as on the 96 dpi layout device. Hinting is off so that sizes scale linearly
// and a text drawn magnified or turned keeps the shape it was measured with.
QFont LayoutFont(const QString &name, double points, bool bold, int deviceDpi)
{
    QFont font(name);
    const double size = std::isfinite(points) ? std::clamp(points, MinFontPoints, MaxFontPoints)
                                              : InitialFontPoints;
    font.setPointSizeF(size * LayoutDpi / std::max(deviceDpi, 1));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

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

// Layout of a text in picture pixels: the box it is drawn on and its baseline below the top.
struct TextBox
{
    int Width = 0;
    int Height = 0;
    int Ascent = 0;
};

struct FontKey
{
    QString Name;
    double Points = 0;
    bool Bold = false;
    bool operator==(const FontKey &) const = default;
};

// What painting needs beside a display item: where it lies, and a text's measured box.
struct ItemLayout
{
    QRectF Bounds; // picture pixels, generous enough to hold the whole mark
    TextBox Box;
};

// Glyphs may reach a little beyond their advance box (overhangs, antialiasing): picture
// pixels around a label's box that painting must still cover.
double LabelMargin(const TextBox &box)
{
    return box.Height / 2.0 + 2.0;
}

// A label as painted on one device at one zoom.
struct SpriteKey
{
    QString Text;
    FontKey Font;
    bool Transparent = false;
    SurfaceColor Box = 0;
    float Angle = 0;
    double Scale = 1;
    qreal PixelRatio = 1;
    bool operator==(const SpriteKey &) const = default;
};

size_t qHash(const SpriteKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.Text, key.Font.Name, key.Font.Points, key.Font.Bold,
                      key.Transparent, key.Box, key.Angle, key.Scale, key.PixelRatio);
}

// The label's picture and where its top-left lies from the label's own top-left corner, in
// device-independent pixels.
struct Sprite
{
    QImage Image;
    QPoint Offset;
};

// How a polygon is drawn, so that a run of alike polygons sets the painter up once.
struct PolygonStyle
{
    SurfaceColor Pen = 0;
    SurfaceColor Brush = 0;
    std::int32_t PenWidth = 1;
    std::int32_t PenStyle = 0;
    std::int32_t BrushStyle = 0;
    bool operator==(const PolygonStyle &) const = default;
};

// A painter's resolution, for the fonts drawn through it.
int DeviceDpi(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return device != nullptr ? device->logicalDpiY() : LayoutDpi;
}

} // namespace

struct ChartSurfaceWidget::Impl
{
    ChartSurfaceWidget *Self = nullptr;

    QImage Picture;
    std::vector<DisplayItem> Items;
    std::vector<ItemLayout> Layouts; // one per item
    std::vector<QPoint> PendingPoints;

    bool FitOnLoad = false;
    bool KeepViewOnLoad = true;
    double Zoom = FullSize;
    std::int32_t ScrollX = 0;
    std::int32_t ScrollY = 0;

    SurfaceColor Pen = SurfaceBlack;
    SurfaceColor Brush = SurfaceWhite;
    std::int32_t PenWidth = 1;
    std::int32_t PenStyle = 0;
    std::int32_t BrushStyle = 0;
    std::int32_t PenMode = 4;
    bool TextTransparent = false;
    float TextAngle = 0;
    QString FontName = InitialFontName;
    double FontSize = InitialFontPoints;
    bool FontBold = false;

    // Measurements of the last few fonts on the layout device. The widths of texts already
    // measured are kept: the program measures the same few labels again at every step.
    struct MeasuredFont
    {
        FontKey Key;
        QFontMetrics Metrics;
        int Height = 0;
        int Ascent = 0;
        QHash<QString, int> Widths;
    };
    mutable std::vector<MeasuredFont> Measured; // most recently used first

    // Labels as painted on the view at the current zoom, each kept as a small picture so that
    // repainting a step (or the next loop of the animation) copies pixels instead of laying out
    // and rasterising turned glyphs again.
    mutable QHash<SpriteKey, Sprite> Sprites;
    mutable qint64 SpriteBytes = 0;

    struct ScaledCopy
    {
        QSize Size;
        QImage Picture;
    };
    std::vector<ScaledCopy> Scaled; // for the current picture, most recently used first

    // The size of the magnified picture in view pixels.
    QSize MagnifiedSize() const
    {
        if (Picture.isNull())
            return {};
        const double factor = PaintZoom(Zoom) / FullSize;
        return QSize(std::max(1, int(std::lround(Picture.width() * factor))),
                     std::max(1, int(std::lround(Picture.height() * factor))));
    }

    // The surface keeps the view inside the picture: a scroll offset lies between 0 and the part
    // of the magnified picture that does not fit in the view.
    std::int32_t ClampScroll(std::int32_t offset, int magnified, int view) const
    {
        return std::clamp(offset, 0, std::max(0, magnified - view));
    }

    void ClampView()
    {
        const QSize magnified = MagnifiedSize();
        ScrollX = ClampScroll(ScrollX, magnified.width(), Self->width());
        ScrollY = ClampScroll(ScrollY, magnified.height(), Self->height());
    }

    MeasuredFont &CurrentFont() const
    {
        const FontKey key{FontName, FontSize, FontBold};
        const auto found = std::find_if(Measured.begin(), Measured.end(),
                                        [&](const MeasuredFont &font) { return font.Key == key; });
        if (found != Measured.end()) {
            std::rotate(Measured.begin(), found, found + 1);
        } else {
            QFontMetrics metrics(LayoutFont(FontName, FontSize, FontBold, LayoutDpi),
                                 &LayoutDevice());
            const int height = metrics.height();
            const int ascent = metrics.ascent();
            Measured.insert(Measured.begin(),
                            MeasuredFont{key, std::move(metrics), height, ascent, {}});
            if (Measured.size() > MeasuredFonts)
                Measured.pop_back();
        }
        return Measured.front();
    }

    int MeasureWidth(const QString &text) const
    {
        MeasuredFont &font = CurrentFont();
        const auto found = font.Widths.constFind(text);
        if (found != font.Widths.constEnd())
            return *found;
        if (font.Widths.size() >= MeasuredTexts)
            font.Widths.clear();
        const int width = font.Metrics.horizontalAdvance(text);
        font.Widths.insert(text, width);
        return width;
    }

    // The picture at the given size, scaled once (smoothly) and then kept.
    const QImage &ScaledPicture(QSize size)
    {
        if (size == Picture.size())
            return Picture;
        const auto found = std::find_if(Scaled.begin(), Scaled.end(),
                                        [&](const ScaledCopy &copy) { return copy.Size == size; });
        if (found != Scaled.end()) {
            std::rotate(Scaled.begin(), found, found + 1);
        } else {
            Scaled.insert(
                Scaled.begin(),
                ScaledCopy{size,
                           Picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)});
            if (Scaled.size() > ScaledCopies)
                Scaled.pop_back();
        }
        return Scaled.front().Picture;
    }

    void Append(DisplayItem item, const ItemLayout &layout)
    {
        Items.push_back(std::move(item));
        Layouts.push_back(layout);
        Self->update();
    }

    // Draws the display list through the painter's transform (picture pixels to its device);
    // scale is the transform's magnification, visible the part of the picture worth drawing.
    // With sprites, labels are copied from their kept pictures at the nearest whole device
    // pixel (for the screen); without, they are drawn exactly (for the picture and the page).
    void Replay(QPainter &painter, double scale, const std::optional<QRectF> &visible,
                bool sprites) const
    {
        const int dpi = DeviceDpi(painter);
        const qreal pixelRatio =
            painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
        const QTransform base = painter.transform();
        painter.setRenderHint(QPainter::Antialiasing, false);
        std::optional<FontKey> fontOnPainter;
        // The style the painter holds, when it holds a polygon style at all.
        PolygonStyle styleOnPainter;
        bool polygonStyleSet = false;
        // What the painter's transform maps from: picture pixels, device pixels (sprites are
        // copied unscaled) or the pixels of one turned label.
        enum class Space { PicturePixels, DevicePixels, LabelPixels } space = Space::PicturePixels;
        for (std::size_t i = 0; i < Items.size(); ++i) {
            const ItemLayout &layout = Layouts[i];
            if (visible && !visible->intersects(layout.Bounds))
                continue;
            if (const auto *polygon = std::get_if<DrawnPolygon>(&Items[i])) {
                if (space != Space::PicturePixels)
                    painter.setTransform(base);
                space = Space::PicturePixels;
                DrawPolygonItem(painter, *polygon, scale, styleOnPainter, polygonStyleSet);
                continue;
            }
            const DrawnText &text = std::get<DrawnText>(Items[i]);
            if (sprites) {
                const QPointF origin = base.map(QPointF(text.At));
                const QPoint at(qRound(origin.x()), qRound(origin.y()));
                const Sprite &sprite = LabelSprite(text, layout.Box, scale, pixelRatio);
                if (space != Space::DevicePixels)
                    painter.resetTransform();
                space = Space::DevicePixels;
                painter.drawImage(at + sprite.Offset, sprite.Image);
                continue;
            }
            FontKey key{text.FontName, text.FontSize, text.Bold};
            if (!fontOnPainter || !(*fontOnPainter == key)) {
                painter.setFont(LayoutFont(text.FontName, text.FontSize, text.Bold, dpi));
                fontOnPainter = std::move(key);
            }
            polygonStyleSet = false; // the label's pen is black
            space = Space::LabelPixels;
            // Turned counter-clockwise on the y-down picture about the top-left corner.
            DrawLabel(painter,
                      QTransform::fromTranslate(text.At.x(), text.At.y()).rotate(-text.Angle)
                          * base,
                      text, layout.Box);
        }
        painter.setTransform(base);
    }

    // The label drawn at device scale with its top-left corner on a whole pixel.
    const Sprite &LabelSprite(const DrawnText &text, const TextBox &box, double scale,
                              qreal pixelRatio) const
    {
        SpriteKey key{text.Text,        FontKey{text.FontName, text.FontSize, text.Bold},
                      text.Transparent, text.Transparent ? SurfaceColor(0) : text.Box,
                      text.Angle,       scale,
                      pixelRatio};
        const auto found = Sprites.constFind(key);
        if (found != Sprites.constEnd())
            return *found;

        const QTransform turn =
            QTransform().rotate(-text.Angle) * QTransform::fromScale(scale, scale);
        const double margin = LabelMargin(box);
        const QRect extent =
            turn.mapRect(QRectF(-margin, -margin, box.Width + 2 * margin, box.Height + 2 * margin))
                .toAlignedRect();
        QImage image(QSize(int(std::ceil(extent.width() * pixelRatio)),
                           int(std::ceil(extent.height() * pixelRatio))),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(pixelRatio);
        image.setDotsPerMeterX(LayoutDotsPerMetre);
        image.setDotsPerMeterY(LayoutDotsPerMetre);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setFont(LayoutFont(text.FontName, text.FontSize, text.Bold, LayoutDpi));
        DrawLabel(painter, turn * QTransform::fromTranslate(-extent.left(), -extent.top()), text,
                  box);
        painter.end();

        const qint64 bytes = image.sizeInBytes();
        if (SpriteBytes + bytes > SpriteBudgetBytes) {
            Sprites.clear();
            SpriteBytes = 0;
        }
        SpriteBytes += bytes;
        return *Sprites.insert(std::move(key), Sprite{std::move(image), extent.topLeft()});
    }

    // Polygons are drawn without antialiasing: the arrows keep crisp outlines at every zoom,
    // and an outline never thinner than one device pixel, so it does not fade when zoomed out.
    // Every pen mode draws as plain copy.
    static void DrawPolygonItem(QPainter &painter, const DrawnPolygon &polygon, double scale,
                                PolygonStyle &styleOnPainter, bool &styleSet)
    {
        if (polygon.Points.empty())
            return;
        const PolygonStyle style{polygon.Pen, polygon.Brush, std::max(polygon.PenWidth, 1),
                                 polygon.PenStyle, polygon.BrushStyle};
        if (!styleSet || !(styleOnPainter == style)) {
            QPen pen(ToQColor(style.Pen));
            pen.setStyle(ToPenStyle(style.PenStyle));
            pen.setJoinStyle(Qt::MiterJoin);
            pen.setWidthF(style.PenWidth * scale < 1.0 ? 0.0 : double(style.PenWidth));
            painter.setPen(pen);
            painter.setBrush(QBrush(ToQColor(style.Brush), ToBrushStyle(style.BrushStyle)));
            styleOnPainter = style;
            styleSet = true;
        }
        painter.drawPolygon(polygon.Points.data(), int(polygon.Points.size()));
    }

    // The box is filled without antialiasing (so it covers exactly the measured pixels at
    // 100 %); the glyphs are antialiased. Text is black: the program never sets a text colour.
    // toDevice maps the label's own pixels (top-left of its box at 0, 0) to the device; the
    // painter already holds the label's font.
    static void DrawLabel(QPainter &painter, const QTransform &toDevice, const DrawnText &text,
                          const TextBox &box)
    {
        painter.setTransform(toDevice);
        if (!text.Transparent)
            painter.fillRect(QRect(0, 0, box.Width, box.Height), ToQColor(text.Box));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(0, box.Ascent), text.Text);
    }
};

ChartSurfaceWidget::ChartSurfaceWidget(QWidget *parent)
    : QWidget(parent), impl_(std::make_unique<Impl>())
{
    impl_->Self = this;
    setMouseTracking(true);
    // paintEvent covers every pixel of the view, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ChartSurfaceWidget::~ChartSurfaceWidget() = default;

void ChartSurfaceWidget::LoadImageFile(const QString &path)
{
    QImage picture = LoadCachedPicture(path); // throws and leaves the surface as it was
    Impl &d = *impl_;
    if (picture.cacheKey() != d.Picture.cacheKey()) {
        d.Picture = std::move(picture);
        d.Scaled.clear();
    }
    d.Items.clear();
    d.Layouts.clear();
    d.PendingPoints.clear();
    if (d.FitOnLoad && width() > 0 && height() > 0) {
        const double across = double(width()) / d.Picture.width();
        const double down = double(height()) / d.Picture.height();
        d.Zoom = std::min(across, down) * FullSize;
    }
    if (d.FitOnLoad || !d.KeepViewOnLoad) {
        d.ScrollX = 0;
        d.ScrollY = 0;
    }
    d.ClampView();
    update();
}

void ChartSurfaceWidget::SetFitOnLoad(bool fit)
{
    impl_->FitOnLoad = fit;
}

bool ChartSurfaceWidget::FitOnLoad() const
{
    return impl_->FitOnLoad;
}

void ChartSurfaceWidget::SetKeepViewOnLoad(bool keep)
{
    impl_->KeepViewOnLoad = keep;
}

bool ChartSurfaceWidget::KeepViewOnLoad() const
{
    return impl_->KeepViewOnLoad;
}

double ChartSurfaceWidget::Zoom() const
{
    return impl_->Zoom;
}

void ChartSurfaceWidget::SetZoom(double percent)
{
    impl_->Zoom = percent;
    impl_->ClampView();
    update();
}

// The offsets are brought inside the picture again whenever they are read or painted, so they
// follow changes of the widget's size (which a hidden widget is told of only when shown).
std::int32_t ChartSurfaceWidget::ScrollX() const
{
    impl_->ClampView();
    return impl_->ScrollX;
}

void ChartSurfaceWidget::SetScrollX(std::int32_t x)
{
    impl_->ScrollX = impl_->ClampScroll(x, impl_->MagnifiedSize().width(), width());
    update();
}

std::int32_t ChartSurfaceWidget::ScrollY() const
{
    impl_->ClampView();
    return impl_->ScrollY;
}

void ChartSurfaceWidget::SetScrollY(std::int32_t y)
{
    impl_->ScrollY = impl_->ClampScroll(y, impl_->MagnifiedSize().height(), height());
    update();
}

SurfaceColor ChartSurfaceWidget::PenColor() const
{
    return impl_->Pen;
}

void ChartSurfaceWidget::SetPenColor(SurfaceColor color)
{
    impl_->Pen = color & 0xFFFFFF;
}

SurfaceColor ChartSurfaceWidget::BrushColor() const
{
    return impl_->Brush;
}

void ChartSurfaceWidget::SetBrushColor(SurfaceColor color)
{
    impl_->Brush = color & 0xFFFFFF;
}

std::int32_t ChartSurfaceWidget::PenWidth() const
{
    return impl_->PenWidth;
}

void ChartSurfaceWidget::SetPenWidth(std::int32_t width)
{
    impl_->PenWidth = width;
}

std::int32_t ChartSurfaceWidget::PenStyle() const
{
    return impl_->PenStyle;
}

void ChartSurfaceWidget::SetPenStyle(std::int32_t style)
{
    impl_->PenStyle = style;
}

std::int32_t ChartSurfaceWidget::BrushStyle() const
{
    return impl_->BrushStyle;
}

void ChartSurfaceWidget::SetBrushStyle(std::int32_t style)
{
    impl_->BrushStyle = style;
}

std::int32_t ChartSurfaceWidget::PenMode() const
{
    return impl_->PenMode;
}

void ChartSurfaceWidget::SetPenMode(std::int32_t mode)
{
    impl_->PenMode = mode;
}

bool ChartSurfaceWidget::TextTransparent() const
{
    return impl_->TextTransparent;
}

void ChartSurfaceWidget::SetTextTransparent(bool transparent)
{
    impl_->TextTransparent = transparent;
}

float ChartSurfaceWidget::TextAngle() const
{
    return impl_->TextAngle;
}

void ChartSurfaceWidget::SetTextAngle(float degrees)
{
    impl_->TextAngle = degrees;
}

QString ChartSurfaceWidget::FontName() const
{
    return impl_->FontName;
}

void ChartSurfaceWidget::SetFontName(const QString &name)
{
    impl_->FontName = name;
}

double ChartSurfaceWidget::FontSize() const
{
    return impl_->FontSize;
}

void ChartSurfaceWidget::SetFontSize(double points)
{
    impl_->FontSize = points;
}

bool ChartSurfaceWidget::FontBold() const
{
    return impl_->FontBold;
}

void ChartSurfaceWidget::SetFontBold(bool bold)
{
    impl_->FontBold = bold;
}

void ChartSurfaceWidget::DrawText(std::int32_t x, std::int32_t y, const QString &text)
{
    Impl &d = *impl_;
    const Impl::MeasuredFont &font = d.CurrentFont();
    const TextBox box{d.MeasureWidth(text), font.Height, font.Ascent};
    DrawnText item;
    item.At = QPoint(x, y);
    item.Text = text;
    item.Angle = d.TextAngle;
    item.FontName = d.FontName;
    item.FontSize = d.FontSize;
    item.Bold = d.FontBold;
    item.Transparent = d.TextTransparent;
    item.Box = d.Brush;
    const double margin = LabelMargin(box);
    const QRectF bounds = QTransform()
                              .translate(x, y)
                              .rotate(-double(d.TextAngle))
                              .mapRect(QRectF(0, 0, box.Width, box.Height))
                              .adjusted(-margin, -margin, margin, margin);
    d.Append(std::move(item), ItemLayout{bounds, box});
}

std::int32_t ChartSurfaceWidget::TextWidth(const QString &text) const
{
    return impl_->MeasureWidth(text);
}

std::int32_t ChartSurfaceWidget::TextHeight(const QString &) const
{
    return impl_->CurrentFont().Height;
}

void ChartSurfaceWidget::AddPolygonPoint(std::int32_t x, std::int32_t y)
{
    impl_->PendingPoints.emplace_back(x, y);
}

void ChartSurfaceWidget::DrawPolygon()
{
    Impl &d = *impl_;
    if (d.PendingPoints.empty())
        return;
    QRect extent;
    for (const QPoint &point : d.PendingPoints)
        extent |= QRect(point, QSize(1, 1));
    const double margin = std::max(d.PenWidth, 1) + 1.0;
    DrawnPolygon item;
    item.Points.assign(d.PendingPoints.begin(), d.PendingPoints.end());
    d.PendingPoints.clear();
    item.Pen = d.Pen;
    item.Brush = d.Brush;
    item.PenWidth = d.PenWidth;
    item.PenStyle = d.PenStyle;
    item.BrushStyle = d.BrushStyle;
    item.PenMode = d.PenMode;
    d.Append(std::move(item),
             ItemLayout{QRectF(extent).adjusted(-margin, -margin, margin, margin), TextBox{}});
}

const std::vector<DisplayItem> &ChartSurfaceWidget::DisplayList() const
{
    return impl_->Items;
}

QSize ChartSurfaceWidget::PictureSize() const
{
    return impl_->Picture.size();
}

QImage ChartSurfaceWidget::RenderPicture() const
{
    if (impl_->Picture.isNull())
        return {};
    QImage image = impl_->Picture.copy();
    QPainter painter(&image);
    impl_->Replay(painter, 1.0, std::nullopt, false);
    painter.end();
    return image;
}

// Printing replays the same display list onto the printer at its own resolution; it joins
// here with page composition.

void ChartSurfaceWidget::paintEvent(QPaintEvent *event)
{
    Impl &d = *impl_;
    d.ClampView();
    QPainter painter(this);
    const QRect dirty = event->rect();
    const QSize magnified = d.MagnifiedSize();
    const QRect pictureInView(QPoint(-d.ScrollX, -d.ScrollY), magnified);

    // Around a picture smaller than the view.
    for (const QRect &rect : QRegion(dirty).subtracted(QRegion(pictureInView)))
        painter.fillRect(rect, palette().color(QPalette::Dark));
    if (d.Picture.isNull())
        return;

    const double scale = PaintZoom(d.Zoom) / FullSize;
    const QRect target = dirty & pictureInView;
    if (!target.isEmpty()) {
        if (scale <= 1.0) {
            // The bare view is a copy of the visible rectangle of the scaled picture.
            const QImage &scaled = d.ScaledPicture(magnified);
            painter.drawImage(target.topLeft(), scaled, target.translated(d.ScrollX, d.ScrollY));
        } else {
            // Magnified beyond 100 % a scaled copy would be huge: scale the visible part only.
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.translate(-d.ScrollX, -d.ScrollY);
            painter.scale(scale, scale);
            const QRect source = painter.transform()
                                     .inverted()
                                     .mapRect(QRectF(target))
                                     .toAlignedRect()
                                     .adjusted(-1, -1, 1, 1)
                & d.Picture.rect();
            painter.drawImage(QRectF(source), d.Picture, QRectF(source));
            painter.restore();
        }
    }

    painter.setClipRect(dirty);
    painter.translate(-d.ScrollX, -d.ScrollY);
    painter.scale(scale, scale);
    const QRectF visible = painter.transform().inverted().mapRect(QRectF(dirty));
    d.Replay(painter, scale, visible, true);
}

void ChartSurfaceWidget::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    Q_EMIT MouseDown(int(event->button()), int(event->modifiers()), at.x(), at.y());
}

void ChartSurfaceWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    Q_EMIT MouseMove(int(event->modifiers()), at.x(), at.y());
}

void ChartSurfaceWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    Q_EMIT MouseUp(int(event->button()), int(event->modifiers()), at.x(), at.y());
}

} // namespace brenlow
