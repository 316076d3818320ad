#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace brenlow {
namespace {

const QScreen *ScreenOf(const QWidget *widget)
{
    if (widget != nullptr && widget->screen() != nullptr)
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

// Window positions are in device-independent pixels here, so the logical dots per inch give
// the twips per pixel.
double TwipsPerPixelX(const QWidget *widget)
{
    const QScreen *screen = ScreenOf(widget);
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    return TwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

double TwipsPerPixelY(const QWidget *widget)
{
    const QScreen *screen = ScreenOf(widget);
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    return TwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

} // namespace brenlow
