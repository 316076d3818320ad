#pragma once

#include "core/route_drawing.h"
#include "core/surface_printing.h"
#include "platform/surface_painter.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;

namespace brenlow {

class PrinterDialog;
class RecordingSurface;

// The chart surface's printing group: prints the print area of a recording surface, its
// picture from the full-resolution picture and its display list as vector shapes and text,
// through SurfacePainter, onto a QPrinter. Each job has a printer of its own, given the choices
// of the last one, so the dialog offers what the user chose last time; pages are landscape
// unless the user chooses otherwise. A job printed to a file replaces the file only when the
// document was written whole.
//
// On the page one picture pixel covers PrintZoom / 100 of 1/96 inch, and the print area's
// top-left lies at the printable area's top-left: the program always prints so (offsets 0, the
// area alone, at the zoom, unstretched), and those settings are only kept and read back. Stretched
// (the chart fitted to the page), the area fills the printable area instead, keeping its
// proportions, with the legibility floor in points (see legibility.h).
//
// It also writes the page as a picture file, for the same drawing.
class SurfacePrinter : public SurfacePrinting, public PagePictures
{
public:
    // viewSize: the surface's view in view pixels, asked when a page is composed.
    SurfacePrinter(const RecordingSurface &surface, PrinterDialog &dialog,
                   std::function<QSize()> viewSize);
    ~SurfacePrinter() override; // an open job is ended
    SurfacePrinter(const SurfacePrinter &) = delete;
    SurfacePrinter &operator=(const SurfacePrinter &) = delete;

    double PrintOffsetX() const override;
    void SetPrintOffsetX(double offset) override;
    double PrintOffsetY() const override;
    void SetPrintOffsetY(double offset) override;
    double PrintZoom() const override;
    void SetPrintZoom(double percent) override;
    std::int32_t PrintCopies() const override;
    void SetPrintCopies(std::int32_t copies) override;
    bool PrintUseZoom() const override;
    void SetPrintUseZoom(bool useZoom) override;
    bool PrintAreaOnly() const override;
    void SetPrintAreaOnly(bool areaOnly) override;
    bool PrintStretch() const override;
    void SetPrintStretch(bool stretch) override;
    bool ShowPrintDialog() const override;
    void SetShowPrintDialog(bool show) override;
    void SetPrintArea(std::int32_t left, std::int32_t top, std::int32_t right,
                      std::int32_t bottom) override;
    bool PrintImage() override;
    void EndPrintJob() override;
    std::int32_t ViewWidth() const override;
    std::int32_t ViewHeight() const override;

    void SavePagePicture(const QString &path, int width) override;

    // Every step's labels, which decide which labels a page with the floor shows, as the screen
    // decides them; none, and each page decides from its own.
    using LabelSweepSource = std::function<std::shared_ptr<const LabelSweep>()>;
    void SetLabelSweepSource(LabelSweepSource source);

    // The planner's track, drawn over the print area of every page as the view shows it; an
    // empty one draws nothing.
    void SetRouteDrawing(RouteDrawing route);

    // A page of the job that is open, or of a new one begun as PrintImage begins it (with the
    // printer dialog when ShowPrintDialog is on), drawn by paint: its coordinates are pixels of
    // a 96 dots-per-inch layout from the printable area's top-left, pageSize is the printable
    // area in them. Returns false when the user cancelled the printer dialog (nothing is
    // printed); throws AppError as PrintImage does.
    bool PrintDrawnPage(const std::function<void(QPainter &painter, QSizeF pageSize)> &paint);

    // The rectangle last marked, in picture pixels (right and bottom exclusive).
    QRect PrintArea() const { return area_; }
    // The printer the jobs go to, with the choices of the last dialog.
    QPrinter &Printer() { return *printer_; }

private:
    // Offers the dialog when it is to be offered, and opens the job or a new page of it;
    // false when the user cancelled.
    bool StartPage();
    void EndPage();
    void BeginJob();
    void PaintPage();
    // The smallest sizes of the symbols on a fitted page (in points) or on a picture (in pixels
    // of a screen, as they are looked at).
    struct AreaFloor
    {
        LegibilityFloor Sizes;
        double UnitsPerInch = 0;
    };
    // Paints the print area onto painter at inchesPerPicturePixel, from the painter's origin,
    // with the symbols no smaller than floor when there is one.
    void PaintArea(QPainter &painter, double inchesPerPicturePixel, const AreaFloor *floor);

    const RecordingSurface &surface_;
    PrinterDialog &dialog_;
    std::function<QSize()> viewSize_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_; // while a job is open
    bool pageDrawn_ = false;            // the open job has a page already
    QString scratchPath_;               // the open job's file, until it is known whole
    QString targetPath_;                // the file the user chose for it

    double offsetX_ = 0;
    double offsetY_ = 0;
    double zoom_ = 100.0;
    std::int32_t copies_ = 1;
    bool useZoom_ = true;
    bool areaOnly_ = true;
    bool stretch_ = false;
    bool showDialog_ = true;
    QRect area_;
    PagePictureCut pageCut_; // the picture under the area, the same image on every page
    RouteDrawing route_;
    LabelSweepSource sweepSource_;
};

} // namespace brenlow
