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

} // namespace brenlow
