#include "support/test_printer.h"

#include <QPrinter>

namespace brenlow::test {

bool PdfPrinterDialog::Ask(QPrinter &printer)
{
    ++Asked;
    if (!Accept)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FilePath);
    return true;
}

} // namespace brenlow::test
