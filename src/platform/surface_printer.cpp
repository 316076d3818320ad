#include "platform/surface_printer.h"

#include "core/app_error.h"
#include "core/program_info.h"
#include "platform/printer_dialog.h"
#include "platform/recording_surface.h"
#include "platform/route_painter.h"
#include "platform/surface_layout.h"
#include "platform/surface_painter.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QTransform>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <utility>

namespace brenlow {
namespace {

// Why a job could not begin, as far as Qt tells: for a file, what opening it for writing says.
// A file the check creates is removed again.
QString BeginFailureReason(const QPrinter &printer)
{
    const QString path = printer.outputFileName();
    if (path.isEmpty())
        return QStringLiteral("The printer could not start the print job.");
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return path + QStringLiteral(": ") + file.errorString();
    file.close();
    if (!existed)
        file.remove();
    return QStringLiteral("%1 could not be written.").arg(path);
}

[[noreturn]] void ThrowPrintError(const QString &reason)
{
    throw AppError(ErrorNumber::PathFileAccess, reason, ErrorSource());
}

// A printer of its own for every job, with the choices the user made for the last one: a
// printer whose file could not be written keeps failing (QPrinter's file engine stays broken),
// so it is never used again.
std::unique_ptr<QPrinter> FreshPrinter(const QPrinter *last)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(ProgramTitleText());
    printer->setCreator(ProgramTitleText());
    if (!last) {
        printer->setPageOrientation(QPageLayout::Landscape);
        return printer;
    }
    printer->setOutputFormat(last->outputFormat());
    if (last->outputFormat() == QPrinter::NativeFormat)
        printer->setPrinterName(last->printerName());
    printer->setOutputFileName(last->outputFileName());
    printer->setPageLayout(last->pageLayout());
    printer->setCollateCopies(last->collateCopies());
    printer->setColorMode(last->colorMode());
    printer->setDuplex(last->duplex());
    printer->setPageOrder(last->pageOrder());
    printer->setFullPage(last->fullPage());
    return printer;
}

// A PDF is whole when it ends with its end-of-file marker; the file engine does not say when
// a write of its failed (a full disk leaves a file cut short, or an empty one).
bool IsWholePdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8)
        return false;
    constexpr qint64 TailBytes = 32;
    file.seek(std::max<qint64>(0, file.size() - TailBytes));
    return file.read(TailBytes).trimmed().endsWith("%%EOF");
}

constexpr double PointsPerInch = 72;
constexpr double MetresPerInch = 0.0254;

} // namespace

SurfacePrinter::SurfacePrinter(const RecordingSurface &surface, PrinterDialog &dialog,
                               std::function<QSize()> viewSize)
    : surface_(surface),
      dialog_(dialog),
      viewSize_(std::move(viewSize)),
      printer_(FreshPrinter(nullptr))
{ }

SurfacePrinter::~SurfacePrinter()
{
    if (painter_)
        painter_->end();
    if (!scratchPath_.isEmpty())
        QFile::remove(scratchPath_);
}

double SurfacePrinter::PrintOffsetX() const
{
    return offsetX_;
}

void SurfacePrinter::SetPrintOffsetX(double offset)
{
    offsetX_ = offset;
}

double SurfacePrinter::PrintOffsetY() const
{
    return offsetY_;
}

void SurfacePrinter::SetPrintOffsetY(double offset)
{
    offsetY_ = offset;
}

double SurfacePrinter::PrintZoom() const
{
    return zoom_;
}

void SurfacePrinter::SetPrintZoom(double percent)
{
    zoom_ = percent;
}

std::int32_t SurfacePrinter::PrintCopies() const
{
    return copies_;
}

void SurfacePrinter::SetPrintCopies(std::int32_t copies)
{
    copies_ = copies;
}

bool SurfacePrinter::PrintUseZoom() const
{
    return useZoom_;
}

void SurfacePrinter::SetPrintUseZoom(bool useZoom)
{
    useZoom_ = useZoom;
}

bool SurfacePrinter::PrintAreaOnly() const
{
    return areaOnly_;
}

void SurfacePrinter::SetPrintAreaOnly(bool areaOnly)
{
    areaOnly_ = areaOnly;
}

bool SurfacePrinter::PrintStretch() const
{
    return stretch_;
}

void SurfacePrinter::SetPrintStretch(bool stretch)
{
    stretch_ = stretch;
}

bool SurfacePrinter::ShowPrintDialog() const
{
    return showDialog_;
}

void SurfacePrinter::SetShowPrintDialog(bool show)
{
    showDialog_ = show;
}

void SurfacePrinter::SetPrintArea(std::int32_t left, std::int32_t top, std::int32_t right,
                                  std::int32_t bottom)
{
    area_ = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

std::int32_t SurfacePrinter::ViewWidth() const
{
    return viewSize_().width();
}

std::int32_t SurfacePrinter::ViewHeight() const
{
    return viewSize_().height();
}

bool SurfacePrinter::PrintImage()
{
    if (!StartPage())
        return false;
    PaintPage();
    EndPage();
    return true;
}

void SurfacePrinter::SetRouteDrawing(RouteDrawing route)
{
    route_ = std::move(route);
}

bool SurfacePrinter::PrintDrawnPage(
    const std::function<void(QPainter &painter, QSizeF pageSize)> &paint)
{
    if (!StartPage())
        return false;
    QPainter &painter = *painter_;
    painter.save();
    const double scaleX = painter.device()->logicalDpiX() / double(LayoutDpi);
    const double scaleY = painter.device()->logicalDpiY() / double(LayoutDpi);
    // Whatever an earlier page left of the painter's state.
    painter.setClipping(false);
    painter.setWorldTransform(QTransform::fromScale(scaleX, scaleY));
    paint(painter, QSizeF(painter.device()->width() / scaleX, painter.device()->height() / scaleY));
    painter.restore();
    EndPage();
    return true;
}

bool SurfacePrinter::StartPage()
{
    if (showDialog_) {
        // A dialog begins a new job; one still open from before ends first.
        EndPrintJob();
        printer_ = FreshPrinter(printer_.get());
        printer_->setCopyCount(std::max(copies_, 1));
        if (!dialog_.Ask(*printer_))
            return false;
    }
    if (!painter_)
        BeginJob();
    else if (pageDrawn_ && !printer_->newPage())
        ThrowPrintError(QStringLiteral("The printer did not take a new page."));
    return true;
}

void SurfacePrinter::EndPage()
{
    pageDrawn_ = true;
    if (printer_->printerState() == QPrinter::Error)
        ThrowPrintError(QStringLiteral("The printer reported an error."));
}

void SurfacePrinter::EndPrintJob()
{
    if (!painter_)
        return;
    const bool ended = painter_->end();
    painter_.reset();
    pageDrawn_ = false;
    const QString scratch = std::exchange(scratchPath_, QString());
    if (!ended || printer_->printerState() == QPrinter::Error) {
        if (!scratch.isEmpty())
            QFile::remove(scratch);
        ThrowPrintError(QStringLiteral("The printer could not finish the print job."));
    }
    if (scratch.isEmpty())
        return;
    // The document takes the chosen file's place only when it was written whole, so a failed
    // run leaves no part of a document behind (and an earlier file of that name as it was).
    const QString target = std::exchange(targetPath_, QString());
    printer_->setOutputFileName(target);
    if (!IsWholePdf(scratch)) {
        QFile::remove(scratch);
        ThrowPrintError(
            QStringLiteral("%1 could not be written whole; is the disk full?").arg(target));
    }
    if (::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(target).constData())
        != 0) {
        const QString reason = qt_error_string(errno);
        QFile::remove(scratch);
        ThrowPrintError(target + QStringLiteral(": ") + reason);
    }
}

void SurfacePrinter::BeginJob()
{
    // A file is written under a name of its own beside the chosen one, and checked at the end.
    const QString target = printer_->outputFileName();
    QString scratch;
    if (!target.isEmpty()) {
        const QFileInfo chosen(target);
        QTemporaryFile reserve(chosen.absolutePath() + QStringLiteral("/.")
                               + chosen.completeBaseName() + QStringLiteral("-XXXXXX.part"));
        reserve.setAutoRemove(false);
        if (!reserve.open())
            ThrowPrintError(target + QStringLiteral(": ") + reserve.errorString());
        scratch = reserve.fileName();
        reserve.close();
        printer_->setOutputFileName(scratch);
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        printer_->setOutputFileName(target);
        if (!scratch.isEmpty())
            QFile::remove(scratch);
        ThrowPrintError(BeginFailureReason(*printer_));
    }
    painter_ = std::move(painter);
    pageDrawn_ = false;
    scratchPath_ = scratch;
    targetPath_ = target;
}

void SurfacePrinter::PaintPage()
{
    // The print area at PrintZoom (one picture pixel is PrintZoom / 100 of 1/96 inch) from the
    // printable area's top-left corner, through the same painter as the screen; stretched, as
    // large as the printable area holds it.
    if (area_.isEmpty())
        return; // an empty page
    QPainter &painter = *painter_;
    const QPaintDevice &device = *painter.device();
    double inches = 0;
    if (stretch_) {
        inches = std::min(device.width() / double(device.logicalDpiX()) / area_.width(),
                          device.height() / double(device.logicalDpiY()) / area_.height());
    } else {
        const double zoom = std::isfinite(zoom_) && zoom_ > 0 ? zoom_ : FullSizeZoom;
        inches = zoom / FullSizeZoom / LayoutDpi;
    }
    const AreaFloor paper{PrintFloor, PointsPerInch};
    PaintArea(painter, inches, stretch_ ? &paper : nullptr);
}

void SurfacePrinter::PaintArea(QPainter &painter, double inchesPerPicturePixel,
                               const AreaFloor *floor)
{
    const QPaintDevice &device = *painter.device();
    const QTransform toDevice = QTransform::fromTranslate(-area_.left(), -area_.top())
        * QTransform::fromScale(inchesPerPicturePixel * device.logicalDpiX(),
                                inchesPerPicturePixel * device.logicalDpiY());
    ViewAids aids;
    if (floor != nullptr) {
        aids.Floor = true;
        aids.FloorSizes = floor->Sizes;
        aids.FloorUnitsPerPixel = floor->UnitsPerInch / device.logicalDpiX();
        if (sweepSource_)
            aids.Sweep = sweepSource_();
    }
    SurfacePainter(surface_, pageCut_, std::move(aids))
        .Paint(painter, toDevice, toDevice.mapRect(QRectF(area_)));
    PaintRoute(painter, toDevice, route_);
    painter.setClipping(false);
}

void SurfacePrinter::SetLabelSweepSource(LabelSweepSource source)
{
    sweepSource_ = std::move(source);
}

void SurfacePrinter::SavePagePicture(const QString &path, int width)
{
    if (area_.isEmpty() || width < 1)
        ThrowPrintError(QStringLiteral("There is no part of the chart to save."));
    const double pixels = double(width) / area_.width(); // picture pixels to image pixels
    const int height = std::max(1, int(std::lround(area_.height() * pixels)));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        ThrowPrintError(
            QStringLiteral("A picture of %1 x %2 pixels is too large.").arg(width).arg(height));
    // A picture is looked at on a screen: its symbols are as large as the chart view shows
    // them, one pixel of the picture a pixel of the screen (at the layout's 96 dots per inch).
    const int dotsPerMetre = int(std::lround(LayoutDpi / MetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const AreaFloor screen{ScreenFloor, LayoutDpi};
        PaintArea(painter, pixels / LayoutDpi, &screen);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        ThrowPrintError(path + QStringLiteral(": ")
                        + (file.error() == QFileDevice::NoError
                               ? QStringLiteral("the picture could not be written")
                               : file.errorString()));
}

} // namespace brenlow
