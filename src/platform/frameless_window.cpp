#include "platform/frameless_window.h"

#include "core/rounding.h"
#include "platform/house_style.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSizeGrip>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace brenlow {
namespace {

// Where the windowing system keeps window positions to itself, a program cannot move its own
// window; the system's own move takes over the drag there.
bool SystemPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

constexpr int FrameWidth = 2; // pixels

} // namespace

FramelessWindow::FramelessWindow(QSize clientSize, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setFixedSize(clientSize);
    connect(&HouseStyle::Instance(), &HouseStyle::SchemeChanged, this, [this] {
        if (paintBackground_)
            background_ = paintBackground_();
        update();
    });
}

void FramelessWindow::AllowResizing(QSize minimum)
{
    resizable_ = true;
    setMinimumSize(minimum);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setMouseTracking(true); // for the edges' pointer shapes
    grip_ = new QSizeGrip(this);
    grip_->setObjectName(QStringLiteral("sizegrip"));
    grip_->resize(grip_->sizeHint());
    grip_->move(width() - grip_->width(), height() - grip_->height());
    grip_->raise();
    grip_->show();
}

void FramelessWindow::ToggleMaximised()
{
    if (!resizable_)
        return;
    if (maximised_) {
        maximised_ = false;
        setGeometry(restored_);
        return;
    }
    const QScreen *screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    restored_ = geometry();
    maximised_ = true;
    setGeometry(screen->availableGeometry());
}

Qt::Edges FramelessWindow::EdgesAt(QPoint at) const
{
    Qt::Edges edges;
    if (!resizable_ || maximised_)
        return edges;
    if (at.x() < ResizeBorder)
        edges |= Qt::LeftEdge;
    if (at.x() >= width() - ResizeBorder)
        edges |= Qt::RightEdge;
    if (at.y() < ResizeBorder)
        edges |= Qt::TopEdge;
    if (at.y() >= height() - ResizeBorder)
        edges |= Qt::BottomEdge;
    return edges;
}

QSize FittedWindowSize(QSize wanted, QSize minimum, QSize available)
{
    const QSize least = minimum.boundedTo(available);
    return wanted.expandedTo(least).boundedTo(available);
}

void FramelessWindow::PlaceCentredOnScreen()
{
    const QScreen *screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void FramelessWindow::PlaceCentredOver(const QWidget &owner)
{
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(owner.frameGeometry().center());
    move(frame.topLeft());
}

void FramelessWindow::PlaceBeside(const QWidget &owner, int clearTop)
{
    const QScreen *screen =
        owner.screen() != nullptr ? owner.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    move(BesidePlace(owner.frameGeometry(), frameGeometry().size(), screen->availableGeometry(),
                     clearTop));
}

void FramelessWindow::ShowModal()
{
    QPointer<FramelessWindow> self(this);
    QEventLoop loop;
    connect(this, &FramelessWindow::Closed, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    setWindowModality(Qt::ApplicationModal);
    show();
    if (self && isVisible())
        loop.exec();
}

void FramelessWindow::SetBackgroundPainter(std::function<QPixmap()> paint)
{
    paintBackground_ = std::move(paint);
    background_ = paintBackground_ ? paintBackground_() : QPixmap();
    update();
}

PictureButton *FramelessWindow::AddPictureButton(ButtonArt art, const QRect &geometry,
                                                 const QString &tooltip)
{
    auto *button = new PictureButton(art, this);
    button->setGeometry(geometry);
    button->setToolTip(tooltip);
    return button;
}

void FramelessWindow::closebutton_Click()
{
    close();
}

void FramelessWindow::minimise_Click()
{
    showMinimized();
}

void FramelessWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!background_.isNull())
        painter.drawPixmap(0, 0, background_);
}

double FramelessWindow::LeftTwips() const
{
    return pos().x() * TwipsPerPixelX(this);
}

double FramelessWindow::TopTwips() const
{
    return pos().y() * TwipsPerPixelY(this);
}

void FramelessWindow::mousePressEvent(QMouseEvent *event)
{
    // A press on a control belongs to the control, even one (a label) that passes it on.
    const QPoint at = event->position().toPoint();
    if (childAt(at) != nullptr)
        return;
    if (const Qt::Edges edges = EdgesAt(at)) {
        if (SystemPlacesWindows() && windowHandle() != nullptr
            && windowHandle()->startSystemResize(edges))
            return;
        resizing_ = edges;
        resizeFrom_ = geometry();
        resizePress_ = event->globalPosition();
        return;
    }
    const double y = event->position().y();
    if (!(y > TitleBandTop && y < TitleBandBottom))
        return;
    if (SystemPlacesWindows() && windowHandle() != nullptr && windowHandle()->startSystemMove())
        return;

    moving = true;
    oldleft = NearestInt64(LeftTwips());
    oldtop = NearestInt64(TopTwips());
    // The pointer on the screen in twips, taken from its screen position (the window's left
    // plus the pointer's x in the window). Example at 15 twips per pixel: a window at pixel
    // 100 pressed at x 20 gives oldleft 1500 and oldx 15 * (100 + 20) = 1800.
    oldx = NearestInt64(TwipsPerPixelX(this) * event->globalPosition().x());
    oldy = NearestInt64(TwipsPerPixelY(this) * event->globalPosition().y());
}

void FramelessWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (resizing_) {
        // Each grabbed edge follows the pointer; the opposite edges stay where they were.
        const QPoint by = (event->globalPosition() - resizePress_).toPoint();
        QRect to = resizeFrom_;
        const QSize least = minimumSize();
        if (resizing_ & Qt::LeftEdge)
            to.setLeft(std::min(to.left() + by.x(), to.right() + 1 - least.width()));
        if (resizing_ & Qt::RightEdge)
            to.setRight(std::max(to.right() + by.x(), to.left() + least.width() - 1));
        if (resizing_ & Qt::TopEdge)
            to.setTop(std::min(to.top() + by.y(), to.bottom() + 1 - least.height()));
        if (resizing_ & Qt::BottomEdge)
            to.setBottom(std::max(to.bottom() + by.y(), to.top() + least.height() - 1));
        setGeometry(to);
        return;
    }
    if (!moving) {
        const Qt::Edges edges = EdgesAt(event->position().toPoint());
        if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
            setCursor(Qt::SizeFDiagCursor);
        else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
            setCursor(Qt::SizeBDiagCursor);
        else if (edges & (Qt::LeftEdge | Qt::RightEdge))
            setCursor(Qt::SizeHorCursor);
        else if (edges)
            setCursor(Qt::SizeVerCursor);
        else
            unsetCursor();
        return;
    }
    const double twipsX = TwipsPerPixelX(this);
    const double twipsY = TwipsPerPixelY(this);
    // The pointer's screen position does not depend on where the window has got to, so the
    // window follows the pointer's whole movement since the press however many moves arrive.
    // It is taken from the event itself rather than from the window's present position,
    // which a window system may not have confirmed yet.
    thisx = NearestInt64(twipsX * event->globalPosition().x());
    thisy = NearestInt64(twipsY * event->globalPosition().y());

    const std::int64_t leftTwips = oldleft + thisx - oldx;
    const std::int64_t topTwips = oldtop + thisy - oldy;
    move(static_cast<int>(NearestInt64(static_cast<double>(leftTwips) / twipsX)),
         static_cast<int>(NearestInt64(static_cast<double>(topTwips) / twipsY)));
}

void FramelessWindow::mouseReleaseEvent(QMouseEvent *)
{
    moving = false;
    resizing_ = {};
}

void FramelessWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const double y = event->position().y();
    if (resizable_ && childAt(at) == nullptr && y > TitleBandTop && y < TitleBandBottom) {
        moving = false;
        ToggleMaximised();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void FramelessWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (grip_)
        grip_->move(width() - grip_->width(), height() - grip_->height());
}

void FramelessWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        moving = false;
        resizing_ = {};
        Q_EMIT Closed();
    }
}

QPoint BesidePlace(const QRect &owner, QSize size, const QRect &available, int clearTop)
{
    constexpr int Gap = 6; // pixels between the two windows
    const int right = owner.right() + 1 + Gap;
    const int left = owner.left() - Gap - size.width();
    const int roomRight = available.right() + 1 - right;
    const int roomLeft = left - available.left();
    int x = 0;
    int top = owner.top();
    if (roomRight >= size.width()) {
        x = right;
    } else if (roomLeft >= 0) {
        x = left;
    } else {
        x = roomRight >= roomLeft + size.width() ? available.right() + 1 - size.width()
                                                 : available.left();
        top += clearTop;
    }
    const int y = std::max(available.top(), std::min(top, available.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

QPixmap PaintFramelessBackground(QSize size, const QString &title)
{
    const House::Colours &colours = House::Now();
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);

    QLinearGradient body(0, 0, 0, size.height());
    body.setColorAt(0, colours.BodyTop);
    body.setColorAt(1, colours.BodyBottom);
    painter.fillRect(QRect(QPoint(0, 0), size), body);

    // The band where a press drags the window: rows 4 to 39, drawn a little wider.
    const QRect band(0, 0, size.width(), FramelessWindow::TitleBandBottom + 2);
    QLinearGradient bandFill(0, 0, 0, band.height());
    bandFill.setColorAt(0, colours.BandTop);
    bandFill.setColorAt(1, colours.BandBottom);
    painter.fillRect(band, bandFill);
    painter.setPen(colours.BandRule);
    painter.drawLine(0, band.bottom() + 1, size.width() - 1, band.bottom() + 1);

    painter.setFont(House::Font(15, true));
    painter.setPen(colours.TitleInk);
    painter.drawText(band.adjusted(16, 0, -16, 0), Qt::AlignLeft | Qt::AlignVCenter, title);

    // A frame two pixels wide on every side, the picture being the window's own size.
    const int w = size.width();
    const int h = size.height();
    const QColor &frame = colours.Frame;
    painter.fillRect(QRect(0, 0, w, FrameWidth), frame);
    painter.fillRect(QRect(0, h - FrameWidth, w, FrameWidth), frame);
    painter.fillRect(QRect(0, 0, FrameWidth, h), frame);
    painter.fillRect(QRect(w - FrameWidth, 0, FrameWidth, h), frame);
    return picture;
}

} // namespace brenlow
