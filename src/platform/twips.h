#pragma once

class QWidget;

namespace brenlow {

inline constexpr int TwipsPerInch = 1440;

// The screen's twips per pixel (15 on a usual 96 dots-per-inch screen), for the screen the
// widget is on, or the primary screen.
double TwipsPerPixelX(const QWidget *widget = nullptr);
double TwipsPerPixelY(const QWidget *widget = nullptr);

} // namespace brenlow
