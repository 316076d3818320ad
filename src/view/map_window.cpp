#include "view/map_window.h"

#include "core/app_error.h"
#include "core/picture_spot.h"
#include "core/program_info.h"
#include "platform/house_style.h"
#include "platform/legibility.h"
#include "platform/picture_file.h"

#include <QFileInfo>
#include <QLabel>

namespace brenlow {

Map::Map(const ProgramInfo &program, const PictureSpot &spot, QWidget *parent)
    : FramelessWindow(ClientSize, parent)
{
    const QString fileName = QString::fromLatin1(spot.PictureFile);
    const QString place = QFileInfo(fileName).baseName();
    const QString title = place.isEmpty()
        ? ProgramTitleText()
        : ProgramTitleText() + QStringLiteral(" \u2013 ") + place.left(1).toUpper() + place.mid(1);
    setWindowTitle(title);
    SetBackgroundPainter([title] { return PaintFramelessBackground(ClientSize, title); });

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(4, 35, 620, 431);
    Picture1->setAlignment(Qt::AlignCenter);
    // White by day; at night the plan is darkened and tinted red as the chart is (the window
    // is modal, so the scheme cannot change while it is open).
    const bool night = House::IsNight();
    Picture1->setStyleSheet(
        QStringLiteral("background: %1;")
            .arg(night ? House::Now().AlertGround.name() : QStringLiteral("white")));
    // The chart's loader: it refuses what is not a file, and a picture that is cut short or
    // damaged, which a plain decode would show in part.
    QImage picture;
    try {
        picture = DecodePictureFile(program.FilePath(fileName));
    } catch (const AppError &) {
        // Not available, as a missing file is.
    }
    if (night)
        TintForNight(picture);
    if (picture.isNull()) {
        Picture1->setText(QStringLiteral("Picture not available: ") + fileName);
    } else {
        // A plan larger than the box is shown whole, at the largest size that fits.
        const QSize box = Picture1->size();
        Picture1->setPixmap(QPixmap::fromImage(
            picture.width() > box.width() || picture.height() > box.height()
                ? picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : picture));
    }

    closebutton =
        AddPictureButton(ButtonArt::Close, QRect(578, 7, 23, 18), QStringLiteral("Close Brenlow"));
    connect(closebutton, &QAbstractButton::clicked, this, &Map::closebutton_Click);
    ClearDrag();
}

} // namespace brenlow
