#pragma once

#include "platform/legibility.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QTransform>

#include <memory>
#include <optional>

class QPainter;

namespace brenlow {

class RecordingSurface;

// What one view keeps between paints: the picture halved again and again (a third of its
// memory in all), so that a paint at any zoom and pixel ratio smooths only the visible part of
// the copy nearest the device's resolution; and each label as a small picture per
// magnification and pixel ratio, so that repainting a step (or the next loop of the animation)
// copies pixels instead of rasterising turned glyphs again.
class SurfacePaintCache
{
public:
    SurfacePaintCache();
    ~SurfacePaintCache();
    SurfacePaintCache(const SurfacePaintCache &) = delete;
    SurfacePaintCache &operator=(const SurfacePaintCache &) = delete;

    // Makes the halved copies of this picture, off the paint path, unless they are made from
    // it already: a reload of the same decoded picture keeps them.
    void UsePicture(const QImage &picture);
    // How many times it has made the halved copies of a picture.
    int Reductions() const;
    // How many tiles of the picture as magnified for the screen it has made.
    int TilesMade() const;

private:
    friend class SurfacePainter;
    struct Data;
    std::unique_ptr<Data> d_;
};

// What a page keeps between the pages of a print run: the part of the picture it shows, cut out
// once while the picture and the part stay, so that every page draws the same image and a PDF
// stores it only once.
class PagePictureCut
{
public:
    const QImage &Cut(const QImage &picture, const QRect &part);

private:
    QImage cut_;
    qint64 pictureKey_ = 0; // cacheKey of the picture it was cut from
    QRect part_;
};

// What the screen view adds over the drawing for people (see legibility.h). A page the user
// asks to be fitted gets the floor in its own units; a page never gets the palette.
struct ViewAids
{
    bool Floor = false; // station symbols no smaller than readable, and no labels overlapping
    // The floor's sizes, and how many of their units one pixel of the painter's coordinates
    // is: 1 on the screen (view pixels); 72 / dots per inch on a page (points).
    LegibilityFloor FloorSizes = ScreenFloor;
    double FloorUnitsPerPixel = 1;
    ArrowPalette Palette = ArrowPalette::Standard;
    // Every step's labels, which decide once per zoom which labels are shown; without it the
    // painted step's own labels decide.
    std::shared_ptr<const LabelSweep> Sweep;
};

// Replays a recorded surface, its picture and the display list over it, onto any QPainter
// through one transform from picture pixels to the painter's coordinates (on a high-density
// screen those are device-independent pixels; the device pixel ratio applies beneath).
//
// Without a screen cache every mark goes through the transform as it is: the picture from its
// full resolution, arrows as polygons, labels as text laid out for the device's resolution.
// That serves a QImage and the printer, which keeps its cut of the picture between pages.
// With a screen cache and a transform that only magnifies and shifts by whole pixels, the
// picture comes from the halved copy nearest above the device's resolution, labels are copied
// from kept pictures at the nearest whole device pixel, and arrows from kept pictures drawn
// with the tip at the same place within a device pixel.
class SurfacePainter
{
public:
    explicit SurfacePainter(const RecordingSurface &surface, SurfacePaintCache *cache = nullptr,
                            ViewAids aids = {});
    SurfacePainter(const RecordingSurface &surface, PagePictureCut &pageCut, ViewAids aids = {});

    // Paints the part of the picture and the drawing that falls inside area (painter
    // coordinates), replacing the painter's transform and clipping to area.
    void Paint(QPainter &painter, const QTransform &toDevice, const QRectF &area) const;
    // The picture alone, the part inside area, clipped to it; the painter's transform is left
    // reset.
    void PaintPicture(QPainter &painter, const QTransform &toDevice, const QRectF &area) const;
    // Paints the display list alone, only the items that meet visible (picture pixels) when it
    // is given; the painter's transform is left at toDevice. Returns how many items it painted.
    int PaintDrawing(QPainter &painter, const QTransform &toDevice,
                     const std::optional<QRectF> &visible) const;

    // The size of the picture magnified by scale (1 = 100 %) as the view shows it, at least one
    // pixel each way; the screen view paints the picture at exactly this size.
    static QSize MagnifiedSize(QSize picture, double scale);

private:
    const RecordingSurface &surface_;
    SurfacePaintCache *cache_ = nullptr;
    PagePictureCut *pageCut_ = nullptr;
    ViewAids aids_;
};

// The picture with the display list drawn into it at 100 %, for checks on pixels.
QImage RenderPicture(const RecordingSurface &surface);

} // namespace brenlow
