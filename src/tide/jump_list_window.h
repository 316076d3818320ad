#pragma once

#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QTimer;

namespace brenlow {

class StepNavigator;
class StepView;

// The jump list: a small borderless window beside the step labels listing the 25 steps of the
// active tide. A click on an entry jumps there; left alone it closes by itself between one and
// two seconds after the pointer last moved over it.
class hwselect : public QWidget
{
    Q_OBJECT
public:
    // Loads the list beside the main window's step labels; a chosen entry is shown through
    // the navigator on the main window's view.
    hwselect(QWidget &mainWindow, StepView &view, StepNavigator &navigator);
    ~hwselect() override;

    // Shows the list; a list already up is only shown again.
    void ShowList();

    QListWidget *List1 = nullptr;
    QTimer *Timer1 = nullptr;
    bool mousemoved = false;

    // Timer1's tick: an idle second ends the list.
    void Timer1_Timer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void List1_Click(QListWidgetItem *item);
    void Unload();

    QWidget &mainWindow_;
    StepView &view_;
    StepNavigator &navigator_;
};

} // namespace brenlow
