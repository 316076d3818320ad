#include "platform/twips.h"

#include "core/rounding.h"

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

QSize TwipsSize(const QWidget *widget, int widthTwips, int heightTwips)
{
    return QSize(NearestInt32(widthTwips / TwipsPerPixelX(widget)),
                 NearestInt32(heightTwips / TwipsPerPixelY(widget)));
}

QPoint TwipsOffset(const QWidget *widget, int rightTwips, int downTwips)
{
    return QPoint(NearestInt32(rightTwips / TwipsPerPixelX(widget)),
                  NearestInt32(downTwips / TwipsPerPixelY(widget)));
}

QRect TwipsRect(const QWidget *widget, int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    return QRect(TwipsOffset(widget, leftTwips, topTwips),
                 TwipsSize(widget, widthTwips, heightTwips));
}

} // namespace brenlow
