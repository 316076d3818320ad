#include "platform/picture_check_box.h"

#include "platform/house_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

namespace brenlow {
namespace {

constexpr int BoxSide = 14; // pixels
constexpr int LabelGap = 6; // pixels between the box and a label on its right

QPixmap DrawBox(bool ticked, bool enabled, qreal pixelRatio, const House::Colours &colours)
{
    QPixmap pixmap(QSize(BoxSide, BoxSide) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, 0.5, BoxSide - 1, BoxSide - 1);
    p.setPen(QPen(colours.BoxFrame, 1));
    p.setBrush(enabled ? colours.BoxFace : colours.FixedFace);
    p.drawRoundedRect(face, 2.5, 2.5);
    if (ticked) {
        QPainterPath tick(QPointF(3.2, 7.2));
        tick.lineTo(QPointF(6.0, 10.2));
        tick.lineTo(QPointF(11.0, 3.6));
        p.setPen(QPen(enabled ? colours.Tick : colours.Ink, 2.2, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return pixmap;
}

} // namespace

PictureCheckBox::PictureCheckBox(const QString &label, LabelPlace place, QWidget *parent)
    : QAbstractButton(parent), place_(place)
{
    setText(label);
    setCheckable(true);
    setFont(House::Font(12));
}

QPixmap PictureCheckBox::BoxPicture(bool ticked, bool enabled, qreal pixelRatio)
{
    const ColourScheme scheme = HouseStyle::Instance().Scheme();
    const QString key = QStringLiteral("brenlow-box/%1/%2@%3/%4")
                            .arg(int(ticked))
                            .arg(int(enabled))
                            .arg(pixelRatio)
                            .arg(int(scheme));
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = DrawBox(ticked, enabled, pixelRatio, House::ColoursOf(scheme));
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QRect PictureCheckBox::BoxRect() const
{
    if (place_ == LabelPlace::Below)
        return QRect((width() - BoxSide) / 2, 0, BoxSide, BoxSide);
    return QRect(0, (height() - BoxSide) / 2, BoxSide, BoxSide);
}

void PictureCheckBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect box = BoxRect();
    painter.drawPixmap(box.topLeft(), BoxPicture(isChecked(), isEnabled(), devicePixelRatioF()));
    const QRect label = place_ == LabelPlace::Below
        ? QRect(0, box.bottom() + 2, width(), height() - box.bottom() - 2)
        : QRect(box.right() + 1 + LabelGap, 0, width() - box.right() - 1 - LabelGap, height());
    painter.setPen(House::Now().Ink);
    QRect drawn;
    painter.drawText(label,
                     place_ == LabelPlace::Below ? Qt::AlignHCenter | Qt::AlignTop
                                                 : Qt::AlignLeft | Qt::AlignVCenter,
                     text(), &drawn);
    if (hasFocus()) {
        painter.setPen(QPen(House::Now().BoxFrame, 1, Qt::DotLine));
        painter.drawRect(drawn.adjusted(-2, -1, 1, 0) & rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace brenlow
