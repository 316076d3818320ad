#pragma once

#include "platform/printer_dialog.h"

#include <QString>

#include <utility>

namespace brenlow::test {

// The user in the printer dialog: chooses printing to a PDF file at FilePath and accepts, or
// cancels.
class PdfPrinterDialog : public PrinterDialog
{
public:
    explicit PdfPrinterDialog(QString filePath) : FilePath(std::move(filePath)) { }
    bool Ask(QPrinter &printer) override;

    QString FilePath;
    bool Accept = true;
    int Asked = 0;
};

} // namespace brenlow::test
