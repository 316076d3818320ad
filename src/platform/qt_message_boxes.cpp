#include "platform/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace brenlow {

void QtMessageBoxes::ShowMessage(const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtMessageBoxes::Ask(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ProgramTitle), text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    // No is the answer that changes nothing, so it is what Enter and Escape give.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace brenlow
