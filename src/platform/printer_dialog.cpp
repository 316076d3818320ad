#include "platform/printer_dialog.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace brenlow {

bool QtPrinterDialog::Ask(QPrinter &printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    // Every chosen step is one page of the job: a range of pages would have no meaning.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace brenlow
