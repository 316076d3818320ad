#include "platform/picture_button.h"

#include "platform/pixel_ratio.h"

#include <QEnterEvent>
#include <QPainter>

namespace brenlow {

PictureButton::PictureButton(ButtonArt art, QWidget *parent) : QAbstractButton(parent), art_(art)
{
    setFocusPolicy(Qt::NoFocus);
}

QPixmap PictureButton::NormalPicture() const
{
    return ButtonPicture(art_, ButtonLook::Normal, size(), devicePixelRatioF());
}

QPixmap PictureButton::PressedPicture() const
{
    return ButtonPicture(art_, ButtonLook::Pressed, size(), devicePixelRatioF());
}

QPixmap PictureButton::HoverPicture() const
{
    return ButtonPicture(art_, ButtonLook::Hover, size(), devicePixelRatioF());
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.45);
    // Drawn for the device painted on, so that the artwork has the device's own resolution
    // (a high-density screen, or an image the button is rendered into).
    const ButtonLook look = isDown() || isChecked() ? ButtonLook::Pressed
        : hover_                                    ? ButtonLook::Hover
                                                    : ButtonLook::Normal;
    painter.drawPixmap(0, 0, ButtonPicture(art_, look, size(), PaintedPixelRatio(painter)));
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace brenlow
