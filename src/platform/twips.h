#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace brenlow {

inline constexpr int TwipsPerInch = 1440;
// Twips per pixel of the 96 dots-per-inch layout that documents and the surface measure in.
inline constexpr double TwipsPerLayoutPixel = TwipsPerInch / 96.0;

// The screen's twips per pixel (15 on a usual 96 dots-per-inch screen), for the screen the
// widget is on, or the primary screen.
double TwipsPerPixelX(const QWidget *widget = nullptr);
double TwipsPerPixelY(const QWidget *widget = nullptr);

// Sizes and offsets given in twips, in whole pixels of the screen the widget is on (each
// rounded to the nearest, halves to even).
QSize TwipsSize(const QWidget *widget, int widthTwips, int heightTwips);
QPoint TwipsOffset(const QWidget *widget, int rightTwips, int downTwips);
QRect TwipsRect(const QWidget *widget, int leftTwips, int topTwips, int widthTwips,
                int heightTwips);

} // namespace brenlow
