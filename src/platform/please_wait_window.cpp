#include "platform/please_wait_window.h"

#include "core/event_pump.h"
#include "platform/house_style.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPalette>

namespace brenlow {
namespace {

// Size and offset in twips.
constexpr int WidthTwips = 5085;
constexpr int HeightTwips = 780;
constexpr int OffsetRightTwips = 2950;
constexpr int OffsetDownTwips = 600;

} // namespace

PleaseWaitWindow::PleaseWaitWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setFixedSize(TwipsSize(this, WidthTwips, HeightTwips));

    label_ = new QLabel(QStringLiteral("Please wait..."), this);
    QLabel *label = label_;
    // "MS Sans Serif" where it exists; otherwise the system's sans serif stands in.
    QFont font(QStringLiteral("MS Sans Serif"), 24);
    font.setStyleHint(QFont::SansSerif);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(rect());
    // Red on white by day, the night's red on black at night.
    HouseStyle::Follow(this, [this] {
        QPalette palette;
        palette.setColor(QPalette::Window, House::Now().AlertGround);
        setPalette(palette);
        QPalette labelPalette = label_->palette();
        labelPalette.setColor(QPalette::WindowText, House::Now().Alert);
        label_->setPalette(labelPalette);
    });
}

void PleaseWaitWindow::ShowOver(const QWidget &mainWindow)
{
    const QPoint topLeft = mainWindow.frameGeometry().topLeft();
    move(topLeft + TwipsOffset(&mainWindow, OffsetRightTwips, OffsetDownTwips));
    show();
    PumpEventsOnce();
}

} // namespace brenlow
