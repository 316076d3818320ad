#pragma once

#include <QAbstractButton>

namespace brenlow {

// A two-state box (ticked or clear) drawn from small pictures of the program's own, with its
// label to the right of the box or centred under it. Changes arrive through toggled, whether
// the user clicked or the program set the box. A box the user may not change is disabled; it
// still shows its tick plainly.
class PictureCheckBox : public QAbstractButton
{
    Q_OBJECT
public:
    enum class LabelPlace { Right, Below };

    PictureCheckBox(const QString &label, LabelPlace place, QWidget *parent = nullptr);

    // The box's pictures, 14 × 14 pixels at the screen's pixel ratio.
    static QPixmap BoxPicture(bool ticked, bool enabled, qreal pixelRatio);
    // Where the box is drawn in the widget, in widget pixels.
    QRect BoxRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LabelPlace place_;
};

} // namespace brenlow
