#pragma once

#include "platform/frameless_window.h"

#include <functional>

namespace brenlow {

// The first window of every run: nothing is loaded until the user accepts its terms, and
// declining ends the program. Nothing records the answer.
class Disclaimer : public FramelessWindow
{
    Q_OBJECT
public:
    static constexpr QSize ClientSize{386, 309};

    // Placed centred on the screen. createMainWindow creates and shows the main window, which
    // runs the start-up sequence.
    explicit Disclaimer(std::function<void()> createMainWindow, QWidget *parent = nullptr);

    PictureButton *ARButton1 = nullptr;   // accept
    PictureButton *saveandexit = nullptr; // exit

private:
    void ARButton1_Click();
    void saveandexit_Click();

    std::function<void()> createMainWindow_;
    bool accepted_ = false;
};

// The disclaimer's background: title band and the terms of use.
QPixmap PaintDisclaimerBackground();

} // namespace brenlow
