#pragma once

#include <QWidget>

class QLabel;

namespace brenlow {

// The small borderless white window with "Please wait..." in red (at night dark, in the night's
// red), shown while a step is redrawn. It takes no input.
class PleaseWaitWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PleaseWaitWindow(QWidget *parent = nullptr);

    // Shows the window with its top-left corner 2950 twips right of and 600 twips below the
    // given window's top-left corner, and lets pending events run once so that it paints.
    void ShowOver(const QWidget &mainWindow);

private:
    QLabel *label_ = nullptr;
};

} // namespace brenlow
