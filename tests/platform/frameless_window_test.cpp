#include "platform/frameless_window.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

constexpr QSize WindowSize{386, 309};

// Delivers a mouse event to a widget as the window system would: local and screen positions
// of the same pointer.
void SendMouse(QWidget &target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(local), QPointF(target.mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

// Moves the pointer to a screen position while a button is held, over the window wherever it
// has got to.
void MovePointerTo(FramelessWindow &window, QPoint screen)
{
    SendMouse(window, QEvent::MouseMove, screen - window.pos(), Qt::NoButton, Qt::LeftButton);
}

class FramelessWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.move(200, 150);
        window.show();
    }

    FramelessWindow window{WindowSize};
};

TEST_F(FramelessWindowTest, PressStartsADragOnlyInsideTheTitleBand)
{
    struct Row
    {
        int x;
        int y;
        Qt::MouseButton button;
        bool drags;
    };
    const Row rows[] = {
        {100, 3, Qt::LeftButton, false},  // just above the band
        {100, 4, Qt::LeftButton, true},   // first row of the band
        {100, 39, Qt::LeftButton, true},  // last row of the band
        {100, 40, Qt::LeftButton, false}, // just below the band
        {0, 4, Qt::RightButton, true},    // any x, any button
        {385, 39, Qt::MiddleButton, true},
        {385, 40, Qt::RightButton, false},
        {0, 3, Qt::MiddleButton, false},
        {200, 150, Qt::LeftButton, false}, // the body of the window
    };
    for (const Row &row : rows) {
        SendMouse(window, QEvent::MouseButtonPress, {row.x, row.y}, row.button, row.button);
        EXPECT_EQ(window.Moving(), row.drags) << "press at " << row.x << ", " << row.y;
        SendMouse(window, QEvent::MouseButtonRelease, {row.x, row.y}, row.button, Qt::NoButton);
        EXPECT_FALSE(window.Moving());
    }
}

TEST_F(FramelessWindowTest, DragFollowsThePointerHoweverManyMovesArrive)
{
    struct Row
    {
        int moves;
        QPoint by; // pixels
    };
    const Row rows[] = {{1, {100, 0}}, {7, {100, 0}}, {100, {100, 0}}, {3, {-40, 65}}};
    for (const Row &row : rows) {
        window.move(200, 150);
        const QPoint start = window.pos();
        const QPoint pressAt(60, 20);
        const QPoint pointer = start + pressAt;
        SendMouse(window, QEvent::MouseButtonPress, pressAt, Qt::LeftButton, Qt::LeftButton);
        for (int k = 1; k <= row.moves; ++k)
            MovePointerTo(window, pointer + row.by * k / row.moves);
        EXPECT_EQ(window.pos(), start + row.by) << row.moves << " moves";
        SendMouse(window, QEvent::MouseButtonRelease, pointer + row.by - window.pos(),
                  Qt::LeftButton, Qt::NoButton);
    }
}

// Regression: positions beyond 32767 twips (about 2184 pixels) overflowed a 16-bit drag state.
TEST_F(FramelessWindowTest, DragWorksFarOutOnALargeDesktop)
{
    window.move(40000, 30000);
    const QPoint start = window.pos();
    ASSERT_EQ(start, QPoint(40000, 30000));
    const QPoint pressAt(20, 10);
    SendMouse(window, QEvent::MouseButtonPress, pressAt, Qt::LeftButton, Qt::LeftButton);
    MovePointerTo(window, start + pressAt + QPoint(2500, -1200));
    MovePointerTo(window, start + pressAt + QPoint(3000, -1000));
    EXPECT_EQ(window.pos(), start + QPoint(3000, -1000));
}

TEST_F(FramelessWindowTest, ReleaseEndsTheDrag)
{
    const QPoint start = window.pos();
    SendMouse(window, QEvent::MouseButtonPress, {50, 20}, Qt::LeftButton, Qt::LeftButton);
    MovePointerTo(window, start + QPoint(80, 20));
    SendMouse(window, QEvent::MouseButtonRelease, {50, 20}, Qt::LeftButton, Qt::NoButton);
    const QPoint afterDrag = window.pos();
    EXPECT_EQ(afterDrag, start + QPoint(30, 0));

    SendMouse(window, QEvent::MouseMove, {150, 20}, Qt::NoButton, Qt::NoButton);
    SendMouse(window, QEvent::MouseMove, {10, 200}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(window.pos(), afterDrag);
}

TEST_F(FramelessWindowTest, PressOnAControlInTheBandStartsNoDrag)
{
    // A label passes the press on to the window; it still belongs to the label.
    auto *label = new QLabel(QStringLiteral("Brenlow"), &window);
    label->setGeometry(100, 10, 80, 20);
    label->show();
    SendMouse(*label, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(window.Moving());
    SendMouse(*label, QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);

    // Beside the label the same row drags.
    SendMouse(window, QEvent::MouseButtonPress, {190, 20}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(window.Moving());
}

TEST(FramelessWindowPlacement, CentredOverAnotherWindow)
{
    QWidget owner;
    owner.setGeometry(100, 80, 797, 601);
    FramelessWindow window({382, 526});
    window.PlaceCentredOver(owner);
    EXPECT_EQ(window.frameGeometry().center(), owner.frameGeometry().center());
}

TEST(FramelessWindowPlacement, BackgroundHasTheRequestedSizeAndATitleBand)
{
    const QPixmap picture = PaintFramelessBackground({387, 310}, QStringLiteral("Brenlow"));
    ASSERT_EQ(picture.size(), QSize(387, 310));
    const QImage image = picture.toImage();
    // The band is dark, the body below it light.
    EXPECT_LT(qGray(image.pixel(300, 20)), 100);
    EXPECT_GT(qGray(image.pixel(300, 200)), 180);
}

// Regression: the frame was two pixels on the left and top but one on the right and bottom.
TEST(FramelessWindowPlacement, FrameIsTwoPixelsOnEverySide)
{
    for (const QSize size : {QSize(386, 309), QSize(382, 526), QSize(630, 472)}) {
        const QImage image = PaintFramelessBackground(size, QStringLiteral("Brenlow")).toImage();
        const int w = size.width();
        const int h = size.height();
        const int midX = w / 2;
        const int midY = h / 2;
        const QRgb frame = image.pixel(0, midY);
        for (const QPoint edge : {QPoint(1, midY), QPoint(w - 1, midY), QPoint(w - 2, midY),
                                  QPoint(midX, h - 1), QPoint(midX, h - 2)})
            EXPECT_EQ(image.pixel(edge), frame)
                << w << "x" << h << " at " << edge.x() << "," << edge.y();
        EXPECT_NE(image.pixel(w - 3, midY), frame) << w << "x" << h;
        EXPECT_NE(image.pixel(midX, h - 3), frame) << w << "x" << h;
    }
}

TEST(FramelessWindowPlacement, BesideAnotherWindowInsideTheScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize panel(460, 624);
    struct Row
    {
        const char *name;
        QRect owner;
        QPoint expected;
    };
    const Row rows[] = {
        {"right when it fits", QRect(200, 100, 797, 601), QPoint(1003, 100)},
        {"just fits on the right", QRect(657, 100, 797, 601), QPoint(1460, 100)},
        {"else left", QRect(900, 100, 797, 601), QPoint(434, 100)},
        {"neither: flush left, the roomier side, below the owner's top band",
         QRect(350, 100, 1400, 601), QPoint(0, 198)},
        {"neither, more room right", QRect(200, 100, 1300, 601), QPoint(1460, 198)},
        {"neither, the band kept clear as far as the screen lets it", QRect(200, 420, 1300, 601),
         QPoint(1460, 456)},
        {"moved up to end on the screen", QRect(200, 700, 797, 300), QPoint(1003, 456)},
    };
    for (const Row &row : rows)
        EXPECT_EQ(BesidePlace(row.owner, panel, screen, 98), row.expected) << row.name;
}

} // namespace
} // namespace brenlow
