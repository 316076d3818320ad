#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPalette>

#include <functional>

namespace brenlow {

// The program's two colour schemes: its own colours by day, and dim red on black at night, so
// that a watch-keeper's eyes stay adapted to the dark.
enum class ColourScheme { Day, Night };

// The program's own colours and face, in one place: the windows' backgrounds and captions,
// the picture buttons and check boxes, all drawn from the set of the scheme in use.
namespace House {

// One set of the program's colours, named by what each is for.
struct Colours
{
    QColor Ink;         // captions and headings on the windows' bodies
    QColor Text;        // body text of long passages (the disclaimer, the chart's key)
    QColor Rule;        // light rules: the print window's dividers, the key's boxes
    QColor BandTop;     // a title band's upper colour ...
    QColor BandBottom;  // ... shading into this at its foot
    QColor ToolBandTop; // the main window's title band shades from this into BandBottom
    QColor BandRule;    // the line under a title band
    QColor TitleInk;    // text on the title bands
    QColor Frame;       // the frames round the windows and the chart
    QColor Panel;       // the main window's tool band
    QColor BodyTop;     // the other windows' bodies, from top ...
    QColor BodyBottom;  // ... to bottom
    QColor BoxFrame;    // the check boxes' frames and focus marks
    QColor BoxFace;     // a check box the user may change ...
    QColor FixedFace;   // ... and one fixed by the program
    QColor Tick;
    QColor Alert;       // the please-wait window's text ...
    QColor AlertGround; // ... and its ground
    QColor KeyGround;   // the chart key's ground, a little transparent
};

const Colours &ColoursOf(ColourScheme scheme);
// The set of the scheme the program is in.
const Colours &Now();
bool IsNight();

// A colour meant as ink on a light ground (a document's text colours), as the scheme in use
// shows it: by day the colour itself; at night a red on black, the lighter the darker the
// colour was, so that what stood out still stands out.
QColor InkOnGround(const QColor &dayInk, ColourScheme scheme);

// The sans serif face every window writes in, at a size in pixels.
QFont Font(int pixelSize, bool bold = false);

} // namespace House

// The scheme the whole program draws in: one for the program, as Qt's application palette is
// one. Switching it sets the application palette (every standard control and message box
// follows it) and tells the windows that draw pictures of their own, which draw them again.
class HouseStyle : public QObject
{
    Q_OBJECT
public:
    static HouseStyle &Instance();

    ColourScheme Scheme() const { return scheme_; }
    // Nothing happens when the scheme is in use already.
    void SetScheme(ColourScheme scheme);

    // Runs apply now and again whenever the scheme changes, for as long as owner lives: for
    // what a window colours itself (a label's ink) rather than through the palette.
    static void Follow(QObject *owner, std::function<void()> apply);

    // The application palette of the night scheme (by day the platform's own is used).
    static QPalette NightPalette();

Q_SIGNALS:
    void SchemeChanged(ColourScheme scheme);

private:
    HouseStyle() = default;
    ColourScheme scheme_ = ColourScheme::Day;
};

} // namespace brenlow
