#include "platform/surface_printer.h"

#include "core/app_error.h"
#include "platform/printer_dialog.h"
#include "platform/recording_surface.h"
#include "platform/surface_layout.h"
#include "platform/surface_painter.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace brenlow {
namespace {

constexpr double FullSize = 100.0; // percent

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

} // namespace

SurfacePrinter::SurfacePrinter(const RecordingSurface &surface, PrinterDialog &dialog,
                               std::function<QSize()> viewSize)
    : surface_(surface),
      dialog_(dialog),
      viewSize_(std::move(viewSize)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setPageOrientation(QPageLayout::Landscape);
    printer_->setDocName(QStringLiteral("Brenlow"));
    printer_->setCreator(QStringLiteral("Brenlow"));
}

SurfacePrinter::~SurfacePrinter()
{
    if (painter_)
        painter_->end();
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
    if (showDialog_) {
        // A dialog begins a new job; one still open from before ends first.
        EndPrintJob();
        printer_->setCopyCount(std::max(copies_, 1));
        if (!dialog_.Ask(*printer_))
            return false;
    }
    if (!painter_)
        BeginJob();
    else if (pageDrawn_ && !printer_->newPage())
        ThrowPrintError(QStringLiteral("The printer did not take a new page."));
    PaintPage();
    pageDrawn_ = true;
    if (printer_->printerState() == QPrinter::Error)
        ThrowPrintError(QStringLiteral("The printer reported an error."));
    return true;
}

void SurfacePrinter::EndPrintJob()
{
    if (!painter_)
        return;
    const bool ended = painter_->end();
    painter_.reset();
    pageDrawn_ = false;
    if (!ended || printer_->printerState() == QPrinter::Error)
        ThrowPrintError(QStringLiteral("The printer could not finish the print job."));
}

void SurfacePrinter::BeginJob()
{
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get()))
        ThrowPrintError(BeginFailureReason(*printer_));
    painter_ = std::move(painter);
    pageDrawn_ = false;
}

void SurfacePrinter::PaintPage()
{
    QPainter &painter = *painter_;
    const QImage &picture = surface_.Picture();
    const QRect area = areaOnly_ ? area_ : picture.rect();
    if (area.isEmpty())
        return; // an empty page

    // Device pixels per picture pixel: the zoom on a 96 dots-per-inch layout, at the printer's
    // resolution; or the whole printable area when stretched.
    const double dpiX = painter.device()->logicalDpiX();
    const double dpiY = painter.device()->logicalDpiY();
    const double zoom = useZoom_ && std::isfinite(zoom_) && zoom_ > 0 ? zoom_ : FullSize;
    double scaleX = zoom / FullSize * dpiX / LayoutDpi;
    double scaleY = zoom / FullSize * dpiY / LayoutDpi;
    if (stretch_) {
        const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
        scaleX = double(page.width()) / area.width();
        scaleY = double(page.height()) / area.height();
    }
    const double offsetX = std::isfinite(offsetX_) ? offsetX_ * dpiX / LayoutDpi : 0.0;
    const double offsetY = std::isfinite(offsetY_) ? offsetY_ * dpiY / LayoutDpi : 0.0;
    const QTransform toDevice = QTransform::fromTranslate(-area.left(), -area.top())
        * QTransform::fromScale(scaleX, scaleY) * QTransform::fromTranslate(offsetX, offsetY);

    painter.resetTransform();
    painter.setClipRect(toDevice.mapRect(QRectF(area)));
    const QRect shown = area & picture.rect();
    if (!shown.isEmpty()) {
        painter.setTransform(toDevice);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(shown), AreaPicture(shown));
    }
    SurfacePainter(surface_).PaintDrawing(painter, toDevice, QRectF(area));
    painter.setClipping(false);
}

const QImage &SurfacePrinter::AreaPicture(const QRect &area)
{
    const QImage &picture = surface_.Picture();
    if (areaPicture_.isNull() || areaPictureKey_ != picture.cacheKey()
        || areaPictureRect_ != area) {
        areaPicture_ = picture.copy(area);
        areaPictureKey_ = picture.cacheKey();
        areaPictureRect_ = area;
    }
    return areaPicture_;
}

} // namespace brenlow
