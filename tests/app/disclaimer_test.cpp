#include "app/disclaimer.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(Disclaimer, ExitClosesWithoutCreatingTheMainWindow)
{
    int created = 0;
    Disclaimer disclaimer([&created] { ++created; });
    disclaimer.show();
    QSignalSpy closed(&disclaimer, &FramelessWindow::Closed);

    disclaimer.saveandexit->click();

    EXPECT_EQ(created, 0);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(disclaimer.isVisible());
}

TEST(Disclaimer, AcceptRunsStartUpWhileTheTermsAreStillShown)
{
    bool shownDuringStartUp = false;
    int created = 0;
    Disclaimer *self = nullptr;
    Disclaimer disclaimer([&] {
        ++created;
        shownDuringStartUp = self->isVisible();
    });
    self = &disclaimer;
    disclaimer.show();
    QSignalSpy closed(&disclaimer, &FramelessWindow::Closed);

    disclaimer.ARButton1->click();

    EXPECT_EQ(created, 1);
    EXPECT_TRUE(shownDuringStartUp);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(disclaimer.isVisible());
}

TEST(Disclaimer, TermsAreDrawnOnTheBackground)
{
    const QImage picture = PaintDisclaimerBackground().toImage();
    ASSERT_EQ(picture.size(), Disclaimer::PictureSize);
    // Some dark text pixels in the body where the terms are written.
    int ink = 0;
    for (int y = 76; y < 200; ++y)
        for (int x = 24; x < 360; ++x)
            ink += qGray(picture.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(ink, 500);
}

} // namespace
} // namespace brenlow
