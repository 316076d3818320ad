#include "platform/surface_painter.h"

#include "platform/pixel_ratio.h"
#include "platform/recording_surface.h"
#include "platform/surface_layout.h"

#include <QHash>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace brenlow {
namespace {

// Halving stops before a copy's shorter side would fall below this many pixels: smaller
// copies would serve only zooms of a few percent.
constexpr int SmallestHalvedSide = 16;

// Label pictures kept for painting: a full loop of the animation (25 steps of a few hundred
// labels) needs about 2 MB at the first zoom level, some 30 MB at 100 %.
constexpr qint64 SpriteBudgetBytes = 48 * 1024 * 1024;

// Arrows kept as pictures, by shape, colours, magnification and where the tip falls within a
// device pixel: a station's arrow at one zoom keeps that place while the view scrolls, so a
// loop of the tide makes each arrow once. An arrow of the largest size at 100 % is some 20 kB.
constexpr qint64 ArrowBudgetBytes = 24 * 1024 * 1024;
constexpr int ArrowSpritePoints = 8; // the glyph has 7; longer outlines are drawn as they are
// Arrows are copied from kept pictures only while a drawing is of the chart's size (some two
// hundred items): a database of thousands of stations would make a picture for nearly every
// arrow of every step, which costs more than filling the outlines.
constexpr std::size_t MostItemsForArrowPictures = 1024;

// The picture as the screen shows it, magnified once per zoom and pixel ratio, in square tiles
// of this many device pixels made as they come into view: a pan or a repaint copies pixels,
// and a step moves only the tiles of a strip that scrolls in. The whole chart at the first
// three zoom levels takes 3, 20 and 46 MB.
constexpr int TileSide = 128;
constexpr qint64 TileBudgetBytes = 72 * 1024 * 1024;

QColor ToQColor(SurfaceColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// Inside the frame and any unknown code draw solid.
Qt::PenStyle ToPenStyle(std::int32_t code)
{
    switch (code) {
    case PenDash:
        return Qt::DashLine;
    case PenDot:
        return Qt::DotLine;
    case PenDashDot:
        return Qt::DashDotLine;
    case PenDashDotDot:
        return Qt::DashDotDotLine;
    case PenNone:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// Any unknown code fills solid.
Qt::BrushStyle ToBrushStyle(std::int32_t code)
{
    switch (code) {
    case BrushHollow:
        return Qt::NoBrush;
    case BrushHorizontal:
        return Qt::HorPattern;
    case BrushVertical:
        return Qt::VerPattern;
    case BrushUpwardDiagonal:
        return Qt::BDiagPattern;
    case BrushDownwardDiagonal:
        return Qt::FDiagPattern;
    case BrushCross:
        return Qt::CrossPattern;
    case BrushDiagonalCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

// Device pixels per picture pixel along the transform's x axis.
double Magnification(const QTransform &toDevice)
{
    return std::hypot(toDevice.m11(), toDevice.m12());
}

// Whether the transform only magnifies (the same each way) and shifts: the kept pictures of
// the cache fit only such a view.
bool IsMagnification(const QTransform &toDevice)
{
    return toDevice.type() <= QTransform::TxScale && toDevice.m11() == toDevice.m22()
        && toDevice.m11() > 0;
}

// The rounded mean of four pixels, channel by channel (red and blue, then alpha and green, in
// the 16-bit halves of one word); premultiplied pixels average alike.
quint32 Mean4(quint32 a, quint32 b, quint32 c, quint32 d)
{
    constexpr quint32 Lanes = 0x00FF00FF;
    constexpr quint32 Half = 0x00020002;
    const quint32 rb = (a & Lanes) + (b & Lanes) + (c & Lanes) + (d & Lanes) + Half;
    const quint32 ag =
        ((a >> 8) & Lanes) + ((b >> 8) & Lanes) + ((c >> 8) & Lanes) + ((d >> 8) & Lanes) + Half;
    return ((rb >> 2) & Lanes) | (((ag >> 2) & Lanes) << 8);
}

// The picture at half size, each pixel the mean of a 2 × 2 square (an odd last row or column
// counts twice), so that pixel (x, y) of the picture lies at (x / 2, y / 2) of the half.
QImage Halved(const QImage &image)
{
    const QSize size((image.width() + 1) / 2, (image.height() + 1) / 2);
    QImage half(size, image.format());
    const int pairs = image.width() / 2;
    const int lastX = image.width() - 1;
    const int lastY = image.height() - 1;
    for (int y = 0; y < size.height(); ++y) {
        const auto *upper = reinterpret_cast<const quint32 *>(image.constScanLine(2 * y));
        const auto *lower =
            reinterpret_cast<const quint32 *>(image.constScanLine(std::min(2 * y + 1, lastY)));
        auto *out = reinterpret_cast<quint32 *>(half.scanLine(y));
        for (int x = 0; x < pairs; ++x)
            out[x] = Mean4(upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]);
        if (pairs < size.width())
            out[pairs] = Mean4(upper[lastX], upper[lastX], lower[lastX], lower[lastX]);
    }
    return half;
}

// A painter's resolution, for the fonts drawn through it.
int DeviceDpi(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return device != nullptr ? device->logicalDpiY() : LayoutDpi;
}

// A label as painted on one device at one magnification.
struct SpriteKey
{
    QString Text;
    FontKey Font;
    bool Transparent = false;
    SurfaceColor Box = 0;
    SurfaceColor Ink = 0;
    float Angle = 0;
    double Scale = 1;
    qreal PixelRatio = 1;
    bool operator==(const SpriteKey &) const = default;
};

size_t qHash(const SpriteKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.Text, key.Font.Name, key.Font.Points, key.Font.Bold,
                      key.Transparent, key.Box, key.Ink, key.Angle, key.Scale, key.PixelRatio);
}

// The label's picture and where its top-left lies from the label's own top-left corner, in
// device-independent pixels.
struct Sprite
{
    QImage Image;
    QPoint Offset;
};

// What the painter's transform maps from during a replay: picture pixels, device pixels
// (sprites are copied unscaled) or the pixels of one turned label.
enum class TransformSpace { Picture, Device, Label, Symbol };

// How a polygon is drawn, so that a run of alike polygons sets the painter up once.
struct PolygonStyle
{
    double DeviceScale = 1;
    SurfaceColor Pen = 0;
    SurfaceColor Brush = 0;
    std::int32_t PenWidth = 1;
    std::int32_t PenStyle = 0;
    std::int32_t BrushStyle = 0;
    bool operator==(const PolygonStyle &) const = default;
};

// An arrow as painted on one device at one magnification, its points from its first (the tip),
// and where the tip falls within a device pixel.
struct ArrowKey
{
    std::array<QPoint, ArrowSpritePoints> Points{};
    int Count = 0;
    PolygonStyle Style;
    SurfaceColor Fill = 0; // the brush in the view's palette
    QPointF Phase;         // device pixels, from 0 to under 1 each way
    qreal PixelRatio = 1;
    bool operator==(const ArrowKey &) const = default;
};

size_t qHash(const ArrowKey &key, size_t seed = 0)
{
    size_t hash = qHashMulti(seed, key.Count, key.Style.DeviceScale, key.Style.Pen,
                             key.Style.PenWidth, key.Style.PenStyle, key.Style.BrushStyle, key.Fill,
                             key.Phase.x(), key.Phase.y(), key.PixelRatio);
    for (int i = 0; i < key.Count; ++i)
        hash = qHashMulti(hash, key.Points[std::size_t(i)].x(), key.Points[std::size_t(i)].y());
    return hash;
}

// Polygons are drawn without antialiasing: the arrows keep crisp outlines at every zoom, and
// an outline never thinner than one device pixel, so it does not fade when zoomed out.
// style.DeviceScale is device pixels per unit of the painter's transform.
void SetPolygonStyle(QPainter &painter, const PolygonStyle &style, ArrowPalette palette)
{
    QPen pen(ToQColor(style.Pen));
    pen.setStyle(ToPenStyle(style.PenStyle));
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setWidthF(style.PenWidth * style.DeviceScale < 1.0 ? 0.0 : double(style.PenWidth));
    painter.setPen(pen);
    painter.setBrush(
        QBrush(ToQColor(PaletteColor(style.Brush, palette)), ToBrushStyle(style.BrushStyle)));
}

// deviceScale is device pixels per picture pixel. Every pen mode draws as plain copy.
// onPainter is the style the painter holds when styleSet.
void DrawPolygonItem(QPainter &painter, const DrawnPolygon &polygon, double deviceScale,
                     ArrowPalette palette, PolygonStyle &onPainter, bool &styleSet)
{
    if (polygon.Points.empty())
        return;
    const PolygonStyle style{deviceScale,      polygon.Pen,
                             polygon.Brush,    std::max(polygon.PenWidth, 1),
                             polygon.PenStyle, polygon.BrushStyle};
    if (!styleSet || !(onPainter == style)) {
        SetPolygonStyle(painter, style, palette);
        onPainter = style;
        styleSet = true;
    }
    painter.drawPolygon(polygon.Points.data(), int(polygon.Points.size()));
}

// The box is filled without antialiasing (so it covers exactly the measured pixels at 100 %);
// the glyphs are antialiased. Text is black, as the program never sets a text colour, unless
// the view's palette says otherwise. toDevice maps the label's own pixels (top-left of its box
// at 0, 0) to the device; the painter already holds the label's font.
void DrawLabel(QPainter &painter, const QTransform &toDevice, const DrawnText &text,
               const TextBox &box, ArrowPalette palette)
{
    painter.setTransform(toDevice);
    if (!text.Transparent)
        painter.fillRect(QRect(0, 0, box.Width, box.Height),
                         ToQColor(LabelBoxColor(text.Box, palette)));
    painter.setPen(ToQColor(LabelInkColor(palette)));
    painter.drawText(QPointF(0, box.Ascent), text.Text);
}

// Where each symbol's arrow and label are shown at scale.
void GrowInto(const RecordingSurface &surface, const SymbolScale &scale,
              std::vector<QTransform> &arrows, std::vector<QTransform> &labels)
{
    arrows.clear();
    labels.clear();
    arrows.reserve(surface.Symbols().size());
    labels.reserve(surface.Symbols().size());
    for (const SymbolMark &mark : surface.Symbols()) {
        arrows.push_back(ArrowTransform(mark, scale));
        labels.push_back(LabelTransform(mark, scale));
    }
}

// The stations labelled at scale (units of the floor per picture pixel): by every step's
// labels when there is a sweep, else by the drawing's own.
QSet<std::int32_t> Labelled(const RecordingSurface &surface, const LabelSweep *sweep, double scale,
                            const LegibilityFloor &floor)
{
    if (sweep != nullptr)
        return LabelledStations(*sweep, scale, floor);
    LabelSweep own;
    AddSweptLabels(own, surface, 0);
    return LabelledStations(own, scale, floor);
}

} // namespace

struct SurfacePaintCache::Data
{
    qint64 PictureKey = 0;       // QImage::cacheKey of the picture the copies were made from
    int Reductions = 0;          // how many times copies were made
    std::vector<QImage> Reduced; // [i] is the picture halved i + 1 times

    QHash<SpriteKey, Sprite> Sprites;
    qint64 SpriteBytes = 0;
    QHash<ArrowKey, Sprite> Arrows; // Offset in device pixels from the tip's whole pixel
    qint64 ArrowBytes = 0;

    // Where each symbol of the last drawing painted is shown at the last scale: the same for
    // every paint of a step, and for the several parts of one paint.
    const RecordingSurface *GrownFor = nullptr;
    quint64 GrownGeneration = 0;
    SymbolScale GrownScale;
    std::vector<QTransform> ArrowTransforms;
    std::vector<QTransform> LabelTransforms;

    void GrowSymbols(const RecordingSurface &surface, const SymbolScale &scale)
    {
        if (GrownFor == &surface && GrownGeneration == surface.Generation() && GrownScale == scale)
            return;
        GrownFor = &surface;
        GrownGeneration = surface.Generation();
        GrownScale = scale;
        GrowInto(surface, scale, ArrowTransforms, LabelTransforms);
    }

    // The arrow whose tip lies at local + shift (device pixels), drawn magnified deviceScale
    // times from picture pixels, and where its picture's top-left goes (device pixels). The
    // shift is the view's scroll, which is in whole pixels: the tip's place within its pixel,
    // and so the picture, stays the same while the view scrolls.
    std::pair<const QImage &, QPoint> ArrowSprite(const DrawnPolygon &polygon, QPointF local,
                                                  QPointF shift, const PolygonStyle &style,
                                                  ArrowPalette palette, qreal pixelRatio)
    {
        const QPointF shiftWhole(std::floor(shift.x()), std::floor(shift.y()));
        const QPointF tip = local + (shift - shiftWhole);
        const QPointF tipWhole(std::floor(tip.x()), std::floor(tip.y()));
        const QPoint whole = (tipWhole + shiftWhole).toPoint();
        ArrowKey key;
        key.Count = int(polygon.Points.size());
        for (int i = 0; i < key.Count; ++i)
            key.Points[std::size_t(i)] = polygon.Points[std::size_t(i)] - polygon.Points.front();
        key.Style = style;
        key.Fill = PaletteColor(style.Brush, palette);
        key.Phase = tip - tipWhole;
        key.PixelRatio = pixelRatio;
        const auto found = Arrows.constFind(key);
        if (found != Arrows.constEnd())
            return {found->Image, whole + found->Offset};

        // Device pixels from the tip's whole pixel.
        const QTransform toSprite(style.DeviceScale, 0, 0, style.DeviceScale, key.Phase.x(),
                                  key.Phase.y());
        const QPolygon outline(QList<QPoint>(key.Points.begin(), key.Points.begin() + key.Count));
        const double pen = style.PenWidth * style.DeviceScale;
        const QRect extent = toSprite.mapRect(QRectF(outline.boundingRect()))
                                 .adjusted(-pen - 2, -pen - 2, pen + 2, pen + 2)
                                 .toAlignedRect();
        QImage image(extent.size(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(pixelRatio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setTransform(toSprite * QTransform::fromTranslate(-extent.left(), -extent.top())
                             * QTransform::fromScale(1 / pixelRatio, 1 / pixelRatio));
        // The same pen as on the view: its width is in picture pixels, through the transform.
        SetPolygonStyle(painter, style, palette);
        painter.drawPolygon(key.Points.data(), key.Count);
        painter.end();

        const qint64 bytes = image.sizeInBytes();
        if (ArrowBytes + bytes > ArrowBudgetBytes) {
            Arrows.clear();
            ArrowBytes = 0;
        }
        ArrowBytes += bytes;
        const Sprite &made =
            *Arrows.insert(std::move(key), Sprite{std::move(image), extent.topLeft()});
        return {made.Image, whole + made.Offset};
    }

    // Tiles of the magnified picture, by device scale and tile; the oldest go first.
    struct TileKey
    {
        double DeviceScale = 0;
        qreal PixelRatio = 1;
        QPoint Tile;
        bool Night = false;
        bool operator==(const TileKey &) const = default;
    };
    struct TileKeyHash
    {
        size_t operator()(const TileKey &key) const
        {
            return qHashMulti(0, key.DeviceScale, key.PixelRatio, key.Tile.x(), key.Tile.y(),
                              key.Night);
        }
    };
    std::unordered_map<TileKey, std::pair<QImage, quint64>, TileKeyHash> Tiles;
    qint64 TileBytes = 0;
    quint64 TileClock = 0;
    int TilesMade = 0;

    // The labels shown at each view scale, decided from one sweep (the zoom ladder has four).
    std::shared_ptr<const LabelSweep> DecidedSweep;
    std::vector<std::pair<double, QSet<std::int32_t>>> Decided;
    QSet<std::int32_t> DecidedNow;

    const QSet<std::int32_t> &LabelledAt(double scale,
                                         const std::shared_ptr<const LabelSweep> &sweep,
                                         const RecordingSurface &surface)
    {
        if (sweep == nullptr) {
            // Without every step's labels the painted step decides, afresh at each paint.
            DecidedNow = Labelled(surface, nullptr, scale, ScreenFloor);
            return DecidedNow;
        }
        if (DecidedSweep != sweep) {
            DecidedSweep = sweep;
            Decided.clear();
        }
        for (const auto &[at, stations] : Decided)
            if (at == scale)
                return stations;
        return Decided.emplace_back(scale, LabelledStations(*sweep, scale)).second;
    }

    // The tile of the picture magnified to deviceScale whose top-left is tile * TileSide in
    // the magnified picture of magnifiedSize device pixels; at night tinted from the day's
    // tile, which is a pass over its pixels rather than a magnification.
    const QImage &Tile(const QImage &picture, QSize magnifiedSize, double deviceScale,
                       qreal pixelRatio, QPoint tile, bool night)
    {
        const TileKey key{deviceScale, pixelRatio, tile, night};
        auto found = Tiles.find(key);
        if (found != Tiles.end()) {
            found->second.second = ++TileClock;
            return found->second.first;
        }
        QImage image;
        if (night) {
            image = Tile(picture, magnifiedSize, deviceScale, pixelRatio, tile, false).copy();
            TintForNight(image);
        } else {
            image = MagnifiedTile(picture, magnifiedSize, tile);
        }
        image.setDevicePixelRatio(pixelRatio);
        ++TilesMade;
        TileBytes += image.sizeInBytes();
        while (TileBytes > TileBudgetBytes && !Tiles.empty()) {
            auto oldest =
                std::min_element(Tiles.begin(), Tiles.end(), [](const auto &a, const auto &b) {
                    return a.second.second < b.second.second;
                });
            TileBytes -= oldest->second.first.sizeInBytes();
            Tiles.erase(oldest);
        }
        return Tiles.emplace(key, std::make_pair(std::move(image), ++TileClock))
            .first->second.first;
    }

    QImage MagnifiedTile(const QImage &picture, QSize magnifiedSize, QPoint tile)
    {
        const QRect area(tile * TileSide, QSize(TileSide, TileSide));
        const QRect inside = area & QRect(QPoint(0, 0), magnifiedSize);
        QImage image(inside.size(), QImage::Format_RGB32);
        {
            const double across = magnifiedSize.width() / double(picture.width());
            const double down = magnifiedSize.height() / double(picture.height());
            const auto [reduced, halvings] = ReducedPicture(picture, std::min(across, down));
            const double toReduced = double(1 << halvings);
            const QTransform fromReduced = QTransform::fromScale(toReduced, toReduced)
                * QTransform::fromScale(across, down)
                * QTransform::fromTranslate(-inside.left(), -inside.top());
            QPainter painter(&image);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.setTransform(fromReduced);
            const QRect source = fromReduced.inverted()
                                     .mapRect(QRectF(image.rect()))
                                     .toAlignedRect()
                                     .adjusted(-1, -1, 1, 1)
                & reduced.rect();
            painter.drawImage(QRectF(source), reduced, QRectF(source));
        }
        return image;
    }

    void UsePicture(const QImage &picture)
    {
        if (picture.cacheKey() == PictureKey)
            return;
        Reduced.clear();
        Tiles.clear();
        TileBytes = 0;
        PictureKey = picture.cacheKey();
        if (picture.isNull())
            return;
        ++Reductions;
        QImage level = picture;
        if (level.format() != QImage::Format_RGB32
            && level.format() != QImage::Format_ARGB32_Premultiplied)
            level.convertTo(QImage::Format_ARGB32_Premultiplied);
        while (std::min(level.width(), level.height()) >= 2 * SmallestHalvedSide) {
            level = Halved(level);
            Reduced.push_back(level);
        }
    }

    // The copy of the picture with the fewest pixels that still has at least one for each
    // device pixel it covers at deviceScale (device pixels per picture pixel), and how many
    // times it was halved.
    std::pair<const QImage &, int> ReducedPicture(const QImage &picture, double deviceScale)
    {
        UsePicture(picture);
        int halvings = 0;
        while (halvings < int(Reduced.size()) && deviceScale * double(2 << halvings) <= 1.0)
            ++halvings;
        return {halvings == 0 ? picture : Reduced[std::size_t(halvings - 1)], halvings};
    }

    // The label drawn at device scale with its top-left corner on a whole pixel.
    const Sprite &LabelSprite(const DrawnText &text, const TextBox &box, double scale,
                              qreal pixelRatio, ArrowPalette palette)
    {
        SpriteKey key{text.Text,
                      FontKey{text.FontName, text.FontSize, text.Bold},
                      text.Transparent,
                      text.Transparent ? SurfaceColor(0) : LabelBoxColor(text.Box, palette),
                      LabelInkColor(palette),
                      text.Angle,
                      scale,
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
        if (text.Angle == 0) {
            painter.setFont(LayoutFont(key.Font, LayoutDpi));
            DrawLabel(painter, turn * QTransform::fromTranslate(-extent.left(), -extent.top()),
                      text, box, palette);
        } else {
            // The text is laid out once per scale, upright, and turned as a picture: a label
            // at a new angle costs a small image transform, not its glyphs again.
            DrawnText upright = text;
            upright.Angle = 0;
            const Sprite level = LabelSprite(upright, box, scale, pixelRatio, palette);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.setTransform(QTransform().rotate(-text.Angle)
                                 * QTransform::fromTranslate(-extent.left(), -extent.top()));
            painter.drawImage(QPointF(level.Offset), level.Image);
        }
        painter.end();

        const qint64 bytes = image.sizeInBytes();
        if (SpriteBytes + bytes > SpriteBudgetBytes) {
            Sprites.clear();
            SpriteBytes = 0;
        }
        SpriteBytes += bytes;
        return *Sprites.insert(std::move(key), Sprite{std::move(image), extent.topLeft()});
    }
};

SurfacePaintCache::SurfacePaintCache() : d_(std::make_unique<Data>()) { }

SurfacePaintCache::~SurfacePaintCache() = default;

void SurfacePaintCache::UsePicture(const QImage &picture)
{
    d_->UsePicture(picture);
}

int SurfacePaintCache::Reductions() const
{
    return d_->Reductions;
}

int SurfacePaintCache::TilesMade() const
{
    return d_->TilesMade;
}

const QImage &PagePictureCut::Cut(const QImage &picture, const QRect &part)
{
    if (cut_.isNull() || pictureKey_ != picture.cacheKey() || part_ != part) {
        cut_ = picture.copy(part);
        pictureKey_ = picture.cacheKey();
        part_ = part;
    }
    return cut_;
}

SurfacePainter::SurfacePainter(const RecordingSurface &surface, SurfacePaintCache *cache,
                               ViewAids aids)
    : surface_(surface), cache_(cache), aids_(std::move(aids))
{ }

SurfacePainter::SurfacePainter(const RecordingSurface &surface, PagePictureCut &pageCut,
                               ViewAids aids)
    : surface_(surface), pageCut_(&pageCut), aids_(std::move(aids))
{ }

QSize SurfacePainter::MagnifiedSize(QSize picture, double scale)
{
    if (picture.isEmpty())
        return {};
    return QSize(std::max(1, int(std::lround(picture.width() * scale))),
                 std::max(1, int(std::lround(picture.height() * scale))));
}

void SurfacePainter::Paint(QPainter &painter, const QTransform &toDevice, const QRectF &area) const
{
    if (surface_.Picture().isNull())
        return;
    PaintPicture(painter, toDevice, area);
    painter.setClipRect(area);
    PaintDrawing(painter, toDevice, toDevice.inverted().mapRect(area));
}

void SurfacePainter::PaintPicture(QPainter &painter, const QTransform &toDevice,
                                  const QRectF &area) const
{
    const QImage &picture = surface_.Picture();
    if (picture.isNull())
        return;
    painter.resetTransform();
    const double scale = Magnification(toDevice);
    if (cache_ != nullptr && IsMagnification(toDevice)) {
        // On the screen the picture covers exactly its magnified size from a whole pixel.
        const QRect pictureArea(toDevice.map(QPointF(0, 0)).toPoint(),
                                MagnifiedSize(picture.size(), scale));
        const QRect target = area.toAlignedRect() & pictureArea;
        if (!target.isEmpty()) {
            const qreal pixelRatio = PaintedPixelRatio(painter);
            const double deviceScale = scale * pixelRatio;
            const QSize magnified = MagnifiedSize(picture.size(), deviceScale);
            const bool night = aids_.Palette == ArrowPalette::Night;
            painter.save();
            painter.setClipRect(target);
            if (magnified == picture.size() && pixelRatio == 1 && !night) {
                // At full size on a screen of ratio 1 the picture is copied as it is.
                painter.drawImage(target.topLeft(), picture,
                                  target.translated(-pictureArea.topLeft()));
            } else {
                // The tiles under the target, each a copy of pixels once it has been made.
                const QPointF origin = QPointF(pictureArea.topLeft()) * pixelRatio;
                const QRectF inDevice(QPointF(target.topLeft()) * pixelRatio - origin,
                                      QSizeF(target.size()) * pixelRatio);
                const QRect tiles(QPoint(int(std::floor(inDevice.left() / TileSide)),
                                         int(std::floor(inDevice.top() / TileSide))),
                                  QPoint(int(std::ceil(inDevice.right() / TileSide)) - 1,
                                         int(std::ceil(inDevice.bottom() / TileSide)) - 1));
                painter.resetTransform();
                for (int ty = std::max(tiles.top(), 0); ty <= tiles.bottom(); ++ty) {
                    for (int tx = std::max(tiles.left(), 0); tx <= tiles.right(); ++tx) {
                        if (tx * TileSide >= magnified.width()
                            || ty * TileSide >= magnified.height())
                            continue;
                        const QImage &tile = cache_->d_->Tile(picture, magnified, deviceScale,
                                                              pixelRatio, QPoint(tx, ty), night);
                        painter.drawImage((origin + QPointF(tx, ty) * TileSide) / pixelRatio, tile);
                    }
                }
            }
            painter.restore();
        }
    } else {
        const QRectF target = area & toDevice.mapRect(QRectF(picture.rect()));
        if (!target.isEmpty()) {
            // Only the part of the picture under the target goes through the transform, from
            // the picture's own pixels: a magnified copy of the whole would be huge.
            const QRect source =
                toDevice.inverted().mapRect(target).toAlignedRect().adjusted(-1, -1, 1, 1)
                & picture.rect();
            painter.save();
            painter.setClipRect(area);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.setTransform(toDevice);
            if (pageCut_ != nullptr)
                painter.drawImage(QRectF(source), pageCut_->Cut(picture, source));
            else
                painter.drawImage(QRectF(source), picture, QRectF(source));
            painter.restore();
        }
    }
}

int SurfacePainter::PaintDrawing(QPainter &painter, const QTransform &toDevice,
                                 const std::optional<QRectF> &visible) const
{
    int painted = 0;
    const std::vector<DisplayItem> &items = surface_.DisplayList();
    const std::vector<ItemLayout> &layouts = surface_.Layouts();
    const double scale = Magnification(toDevice);
    // Labels are copied from kept pictures at the nearest whole device pixel (the screen), or
    // drawn exactly (a picture, the page).
    const bool sprites = cache_ != nullptr && IsMagnification(toDevice);
    const bool arrowPictures = sprites && items.size() <= MostItemsForArrowPictures;
    const int dpi = DeviceDpi(painter);
    const qreal pixelRatio = PaintedPixelRatio(painter);
    const ArrowPalette palette = sprites ? aids_.Palette : ArrowPalette::Standard;

    // Station symbols shown larger than the picture's scale, each about its own point, and the
    // labels that would then overlap left off: on the screen from kept transforms and choices,
    // on a page worked out for the page.
    const bool floored = aids_.Floor && (sprites || cache_ == nullptr);
    const double floorScale = scale * aids_.FloorUnitsPerPixel;
    const SymbolScale symbolScale =
        floored ? SymbolScaleAt(floorScale, aids_.FloorSizes) : SymbolScale{};
    const std::vector<SymbolMark> &symbols = surface_.Symbols();
    const bool enlarged = symbolScale.Enlarged() && !symbols.empty();
    const std::vector<QTransform> *arrowTransforms = nullptr;
    const std::vector<QTransform> *labelTransforms = nullptr;
    const QSet<std::int32_t> *labelled = nullptr;
    std::vector<QTransform> pageArrows;
    std::vector<QTransform> pageLabels;
    QSet<std::int32_t> pageLabelled;
    if (enlarged && cache_ != nullptr) {
        cache_->d_->GrowSymbols(surface_, symbolScale);
        arrowTransforms = &cache_->d_->ArrowTransforms;
        labelTransforms = &cache_->d_->LabelTransforms;
        labelled = &cache_->d_->LabelledAt(floorScale, aids_.Sweep, surface_);
    } else if (enlarged) {
        GrowInto(surface_, symbolScale, pageArrows, pageLabels);
        pageLabelled = Labelled(surface_, aids_.Sweep.get(), floorScale, aids_.FloorSizes);
        arrowTransforms = &pageArrows;
        labelTransforms = &pageLabels;
        labelled = &pageLabelled;
    }

    painter.setTransform(toDevice);
    painter.setRenderHint(QPainter::Antialiasing, false);
    std::optional<FontKey> fontOnPainter;
    PolygonStyle styleOnPainter;
    bool polygonStyleSet = false;
    TransformSpace space = TransformSpace::Picture;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ItemLayout &layout = layouts[i];
        const bool inSymbol = enlarged && layout.Symbol >= 0;
        const auto *polygon = std::get_if<DrawnPolygon>(&items[i]);
        const QTransform *grown = nullptr;
        if (inSymbol) {
            const auto symbol = std::size_t(layout.Symbol);
            grown = polygon != nullptr ? &(*arrowTransforms)[symbol] : &(*labelTransforms)[symbol];
            if (polygon == nullptr && !labelled->contains(symbols[symbol].Station))
                continue;
        }
        if (visible && !visible->intersects(grown ? grown->mapRect(layout.Bounds) : layout.Bounds))
            continue;
        ++painted;
        if (polygon != nullptr) {
            const double deviceScale = scale * pixelRatio * (grown ? symbolScale.Arrow : 1.0);
            if (arrowPictures && !polygon->Points.empty()
                && polygon->Points.size() <= std::size_t(ArrowSpritePoints)) {
                // Copied from a kept picture drawn with the tip in the same place within its
                // device pixel: the same pixels as drawing it here.
                const QPointF tip = (grown ? grown->map(QPointF(polygon->Points.front()))
                                           : QPointF(polygon->Points.front()));
                const PolygonStyle style{deviceScale,       polygon->Pen,
                                         polygon->Brush,    std::max(polygon->PenWidth, 1),
                                         polygon->PenStyle, polygon->BrushStyle};
                const auto [image, at] = cache_->d_->ArrowSprite(
                    *polygon,
                    QPointF(tip.x() * toDevice.m11(), tip.y() * toDevice.m22()) * pixelRatio,
                    QPointF(toDevice.dx(), toDevice.dy()) * pixelRatio, style, palette, pixelRatio);
                if (space != TransformSpace::Device)
                    painter.resetTransform();
                space = TransformSpace::Device;
                painter.drawImage(QPointF(at) / pixelRatio, image);
                continue;
            }
            if (grown != nullptr) {
                painter.setTransform(*grown * toDevice);
                space = TransformSpace::Symbol;
            } else if (space != TransformSpace::Picture) {
                painter.setTransform(toDevice);
                space = TransformSpace::Picture;
            }
            DrawPolygonItem(painter, *polygon, deviceScale, palette, styleOnPainter,
                            polygonStyleSet);
            continue;
        }
        const DrawnText &text = std::get<DrawnText>(items[i]);
        if (sprites) {
            // On a whole device pixel, which on a high-density screen is a fraction of one of
            // the painter's pixels.
            const QPointF at = grown ? grown->map(QPointF(text.At)) : QPointF(text.At);
            const QPointF origin = toDevice.map(at) * pixelRatio;
            const QPointF snapped(std::round(origin.x()) / pixelRatio,
                                  std::round(origin.y()) / pixelRatio);
            const Sprite &sprite = cache_->d_->LabelSprite(
                text, layout.Box, scale * (grown ? symbolScale.Label : 1.0), pixelRatio, palette);
            if (space != TransformSpace::Device)
                painter.resetTransform();
            space = TransformSpace::Device;
            painter.drawImage(snapped + QPointF(sprite.Offset), sprite.Image);
            continue;
        }
        FontKey key{text.FontName, text.FontSize, text.Bold};
        if (!fontOnPainter || !(*fontOnPainter == key)) {
            painter.setFont(LayoutFont(key, dpi));
            fontOnPainter = std::move(key);
        }
        polygonStyleSet = false; // the label's pen is its ink
        space = TransformSpace::Label;
        // Turned counter-clockwise on the y-down picture about the top-left corner, and grown
        // about its symbol's point as a whole, still as text.
        const QTransform onPicture =
            QTransform::fromTranslate(text.At.x(), text.At.y()).rotate(-text.Angle);
        DrawLabel(painter, (grown ? onPicture * *grown : onPicture) * toDevice, text, layout.Box,
                  palette);
    }
    painter.setTransform(toDevice);
    return painted;
}

QImage RenderPicture(const RecordingSurface &surface)
{
    if (surface.Picture().isNull())
        return {};
    QImage image = surface.Picture().copy();
    QPainter painter(&image);
    SurfacePainter(surface).PaintDrawing(painter, QTransform(), std::nullopt);
    painter.end();
    return image;
}

} // namespace brenlow
