#include "platform/please_wait_window.h"

#include "core/event_pump.h"
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
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setFixedSize(TwipsSize(this, WidthTwips, HeightTwips));

    auto *label = new QLabel(QStringLiteral("Please wait..."), this);
    // "MS Sans Serif" where it exists; otherwise the system's sans serif stands in.
    QFont font(QStringLiteral("MS Sans Serif"), 24);
    font.setStyleHint(QFont::SansSerif);
    label->setFont(font);
    QPalette labelPalette = label->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    label->setPalette(labelPalette);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(rect());
}

void PleaseWaitWindow::ShowOver(const QWidget &mainWindow)
{
    const QPoint topLeft = mainWindow.frameGeometry().topLeft();
    move(topLeft + TwipsOffset(&mainWindow, OffsetRightTwips, OffsetDownTwips));
    show();
    PumpEventsOnce();
}

} // namespace brenlow
