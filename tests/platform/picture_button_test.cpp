#include "platform/picture_button.h"

#include <QEnterEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

// Every art at the sizes the windows give their buttons.
struct ArtAtSize
{
    ButtonArt art;
    QSize size;
};
const ArtAtSize ButtonsOfTheWindows[] = {
    {ButtonArt::ZoomOut, {49, 45}},    {ButtonArt::Hand, {46, 44}},
    {ButtonArt::ZoomIn, {46, 44}},     {ButtonArt::Back, {51, 42}},
    {ButtonArt::Now, {50, 43}},        {ButtonArt::Forward, {50, 44}},
    {ButtonArt::Play, {50, 43}},       {ButtonArt::Stop, {50, 45}},
    {ButtonArt::Print, {50, 42}},      {ButtonArt::Options, {49, 42}},
    {ButtonArt::Help, {42, 15}},       {ButtonArt::Minimise, {25, 17}},
    {ButtonArt::Close, {23, 18}},      {ButtonArt::Accept, {97, 44}},
    {ButtonArt::Exit, {46, 21}},       {ButtonArt::Save, {82, 36}},
    {ButtonArt::Cancel, {61, 32}},     {ButtonArt::Link, {72, 40}},
    {ButtonArt::PrintPages, {76, 32}}, {ButtonArt::Route, {46, 15}},
    {ButtonArt::Open, {96, 32}},       {ButtonArt::Clear, {96, 32}},
};

// The picture's pixels inside its rounded corners (which show whatever is behind the button).
QImage Inner(const QPixmap &picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    const int inset = std::min(image.width(), image.height()) / 3;
    return image.copy(image.rect().adjusted(inset, inset, -inset, -inset));
}

TEST(PictureButton, ThreePicturesDifferAtEverySize)
{
    for (const ArtAtSize &button : ButtonsOfTheWindows) {
        SCOPED_TRACE(int(button.art));
        PictureButton widget(button.art);
        widget.resize(button.size);
        const QImage normal = widget.NormalPicture().toImage();
        const QImage pressed = widget.PressedPicture().toImage();
        const QImage hover = widget.HoverPicture().toImage();
        EXPECT_EQ(normal.size(), button.size);
        EXPECT_EQ(pressed.size(), button.size);
        EXPECT_EQ(hover.size(), button.size);
        EXPECT_NE(normal, pressed);
        EXPECT_NE(normal, hover);
        EXPECT_NE(pressed, hover);
    }
}

TEST(PictureButton, ArtworkDistinguishesTheButtons)
{
    // At one size, no two arts may look the same.
    std::vector<QImage> pictures;
    for (const ArtAtSize &button : ButtonsOfTheWindows) {
        PictureButton widget(button.art);
        widget.resize(60, 44);
        pictures.push_back(widget.NormalPicture().toImage());
    }
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
}

TEST(PictureButton, PicturesFollowTheSize)
{
    PictureButton widget(ButtonArt::Play);
    widget.resize(50, 43);
    EXPECT_EQ(widget.NormalPicture().size(), QSize(50, 43));
    widget.resize(25, 17);
    EXPECT_EQ(widget.NormalPicture().size(), QSize(25, 17));
}

TEST(PictureButton, PaintsAtTheDevicesOwnResolution)
{
    // On a device of pixel ratio 2 the artwork is drawn for the device: a doubled picture of
    // ratio 1 would make every aligned 2 × 2 square of device pixels one colour.
    for (const ArtAtSize &button : ButtonsOfTheWindows) {
        PictureButton widget(button.art);
        widget.resize(button.size);
        QImage device(button.size * 2, QImage::Format_ARGB32_Premultiplied);
        device.setDevicePixelRatio(2);
        device.fill(Qt::transparent);
        widget.render(&device);
        int squares = 0, mixed = 0;
        for (int y = 0; y + 1 < device.height(); y += 2)
            for (int x = 0; x + 1 < device.width(); x += 2) {
                const QRgb first = device.pixel(x, y);
                ++squares;
                mixed += device.pixel(x + 1, y) != first || device.pixel(x, y + 1) != first
                    || device.pixel(x + 1, y + 1) != first;
            }
        EXPECT_GT(mixed, squares / 4) << int(button.art);
    }
}

TEST(PictureButton, ShowsThePictureOfItsState)
{
    PictureButton widget(ButtonArt::Options);
    widget.resize(49, 42);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    // The window may have opened under the pointer.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &leave);
    EXPECT_EQ(Inner(widget.grab()), Inner(widget.NormalPicture()));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&widget, &enter);
    EXPECT_EQ(Inner(widget.grab()), Inner(widget.HoverPicture()));

    widget.setDown(true);
    EXPECT_EQ(Inner(widget.grab()), Inner(widget.PressedPicture()));
    widget.setDown(false);

    QCoreApplication::sendEvent(&widget, &leave);
    EXPECT_EQ(Inner(widget.grab()), Inner(widget.NormalPicture()));
}

TEST(PictureButton, ClickIsReportedWithTooltip)
{
    PictureButton widget(ButtonArt::Close);
    widget.resize(23, 18);
    widget.setToolTip("Close Brenlow");
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QSignalSpy clicked(&widget, &QAbstractButton::clicked);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(10, 9));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(widget.toolTip(), "Close Brenlow");
    EXPECT_EQ(widget.Art(), ButtonArt::Close);
}

} // namespace
} // namespace brenlow
