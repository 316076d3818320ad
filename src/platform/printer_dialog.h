#pragma once

class QPrinter;

namespace brenlow {

// Where the user chooses the printer for a print job (or a file to print to). The person
// answering is the outside world: tests put a double here.
class PrinterDialog
{
public:
    virtual ~PrinterDialog() = default;
    // Offers the choice for printer, which keeps what the user chose. Returns false when the
    // user cancelled.
    virtual bool Ask(QPrinter &printer) = 0;
};

// The system's print dialog, modal over the program's active window.
class QtPrinterDialog : public PrinterDialog
{
public:
    bool Ask(QPrinter &printer) override;
};

} // namespace brenlow
