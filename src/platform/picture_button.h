#pragma once

#include "platform/button_art.h"

#include <QAbstractButton>
#include <QPixmap>

namespace brenlow {

// A button drawn from three pictures: normal, pressed and pointer-over. Clicks arrive through
// QAbstractButton::clicked; the tooltip through setToolTip. A checkable button shows its
// pressed picture while it is checked.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    // Pictures drawn for the art at the button's size (set with setGeometry / resize).
    explicit PictureButton(ButtonArt art, QWidget *parent = nullptr);

    ButtonArt Art() const { return art_; }
    // The picture shown in each state, at the button's present size.
    QPixmap NormalPicture() const;
    QPixmap PressedPicture() const;
    QPixmap HoverPicture() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    ButtonArt art_;
    bool hover_ = false;
};

} // namespace brenlow
