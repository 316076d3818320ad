#pragma once

#include <QColor>
#include <QFont>

namespace brenlow {

// The program's own colours and face, in one place: the windows' backgrounds and captions,
// the picture buttons and check boxes, all drawn from these.
namespace House {

// Navy ink of captions, rules and frames, and the lower colour of the title bands.
inline const QColor Navy{0x0E, 0x2A, 0x47};
// The title bands' upper colour and the check boxes' frames.
inline const QColor Blue{0x1F, 0x4E, 0x79};
// The main window's tool band shading into its title band.
inline const QColor Teal{0x1F, 0x6F, 0x8B};
// Light backgrounds: the main window's tool band, the other windows' bodies from top to bottom.
inline const QColor Panel{0xE4, 0xEE, 0xF3};
inline const QColor BodyTop{0xF4, 0xF8, 0xFB};
inline const QColor BodyBottom{0xD6, 0xE4, 0xEE};
// The line under a title band, and the rules of the print window.
inline const QColor BandRule{0x6F, 0xB7, 0xE0};
inline const QColor Rule{0x9F, 0xBD, 0xD3};
// Body text of long passages (the disclaimer).
inline const QColor Text{0x20, 0x20, 0x20};

// The sans serif face every window writes in, at a size in pixels.
QFont Font(int pixelSize, bool bold = false);

} // namespace House
} // namespace brenlow
