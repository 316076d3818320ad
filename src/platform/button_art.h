#pragma once

#include <QPixmap>
#include <QSize>

namespace brenlow {

// What a picture button's artwork shows.
enum class ButtonArt {
    ZoomIn,
    ZoomOut,
    Hand,
    Back,
    Now,
    Forward,
    Play,
    Stop,
    Print,
    Options,
    Help,
    Minimise,
    Close,
    Accept,         // the disclaimer's accept button
    Exit,           // the disclaimer's exit button
    Save,           // save and close (options window)
    Cancel,         // cancel (print window)
    PrintPages,     // print the chosen steps (print window): a printer and the word
    Link,           // a web link
    Route,          // the passage planner: a route of three legs between numbered points
    Open,           // open a file (the planner's route)
    Clear,          // clear (the planner's route)
    TidePrediction, // the tide prediction window (options window)
    UsePredicted,   // put the predicted high waters into the options
    SavePictures,   // save the chosen steps as pictures (print window)
};

// The three pictures of a picture button.
enum class ButtonLook { Normal, Pressed, Hover };

// The picture of an art in a look, drawn in the colours of the scheme in use for a button of the
// given size (view pixels) at the device pixel ratio. Pictures are the same for every button of
// that size, so they are kept in the application's pixmap cache rather than drawn at every paint.
QPixmap ButtonPicture(ButtonArt art, ButtonLook look, QSize size, qreal pixelRatio);

} // namespace brenlow
