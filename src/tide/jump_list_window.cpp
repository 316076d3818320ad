#include "tide/jump_list_window.h"

#include "core/event_pump.h"
#include "core/step_view.h"
#include "platform/twips.h"
#include "tide/step_navigation.h"

#include <QEvent>
#include <QListWidget>
#include <QTimer>

namespace brenlow {
namespace {

// Size and place in twips, from the main window's top-left corner.
constexpr int WidthTwips = 450;
constexpr int HeightTwips = 4905;
constexpr int OffsetRightTwips = 6550;
constexpr int OffsetDownTwips = 1250;
constexpr int IdleTickMs = 1000;
// Entries of 13 pixels in a 10-pixel face: all 25 show without scrolling.
constexpr int EntryPixels = 13;
constexpr int EntryFontPixels = 10;

} // namespace

hwselect::hwselect(QWidget &mainWindow, StepView &view, StepNavigator &navigator)
    : QWidget(&mainWindow, Qt::Tool | Qt::FramelessWindowHint),
      mainWindow_(mainWindow),
      view_(view),
      navigator_(navigator)
{
    setObjectName(QStringLiteral("hwselect"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    const QSize size = TwipsSize(&mainWindow, WidthTwips, HeightTwips);
    setFixedSize(size);

    // The list covers the window, one pixel beyond each edge.
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(-1, -1, size.width() + 2, size.height() + 2);
    List1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setUniformItemSizes(true);
    List1->setTextElideMode(Qt::ElideNone); // "+0.5" fills the 30-pixel column
    List1->setStyleSheet(QStringLiteral("QListWidget::item { padding: 0px; margin: 0px; }"));
    QFont font = List1->font();
    font.setPixelSize(EntryFontPixels);
    List1->setFont(font);
    for (const QString &entry : JumpListEntries()) {
        auto *item = new QListWidgetItem(entry, List1);
        item->setSizeHint(QSize(size.width(), EntryPixels));
        item->setTextAlignment(Qt::AlignCenter);
    }
    List1->setMouseTracking(true);
    List1->viewport()->setMouseTracking(true);
    List1->viewport()->installEventFilter(this);
    connect(List1, &QListWidget::itemClicked, this, &hwselect::List1_Click);

    Timer1 = new QTimer(this);
    Timer1->setInterval(IdleTickMs);
    connect(Timer1, &QTimer::timeout, this, &hwselect::Timer1_Timer);

    // Load: placed beside the step labels, counted as just moved over.
    const QPoint corner = mainWindow.frameGeometry().topLeft();
    move(corner + TwipsOffset(&mainWindow, OffsetRightTwips, OffsetDownTwips));
    mousemoved = true;
    Timer1->start();
}

hwselect::~hwselect() = default;

void hwselect::ShowList()
{
    show();
    raise();
}

void hwselect::Timer1_Timer()
{
    if (mousemoved) {
        mousemoved = false;
        return;
    }
    Timer1->stop();
    Unload();
}

bool hwselect::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove)
        mousemoved = true;
    return QWidget::eventFilter(watched, event);
}

void hwselect::mouseMoveEvent(QMouseEvent *)
{
    mousemoved = true;
}

void hwselect::List1_Click(QListWidgetItem *item)
{
    const std::optional<std::int32_t> step = JumpListStep(item->text());
    if (!step)
        return;
    Timer1->stop();
    const bool pleaseWait = view_.IsShown();
    if (pleaseWait)
        view_.ShowPleaseWait();
    hide();
    PumpEventsOnce();
    mainWindow_.repaint();
    navigator_.JumpTo(*step);
    if (pleaseWait)
        view_.ClosePleaseWait();
    Unload();
}

void hwselect::Unload()
{
    close(); // and deleted: the next click on the label loads the list afresh
}

} // namespace brenlow
