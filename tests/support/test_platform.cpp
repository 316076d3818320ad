#include "support/test_platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QPrinter>

#include <stdexcept>

namespace brenlow::test {

void RecordingMessageBoxes::ShowMessage(const QString &text, const QString &title, MessageIcon icon)
{
    Shown.push_back(ShownMessage{text, title, icon});
    if (OnShow)
        OnShow(Shown.back());
}

bool PdfPrinterDialog::Ask(QPrinter &printer)
{
    ++Asked;
    if (!Accept)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FilePath);
    return true;
}

TempProgramFolder::TempProgramFolder(const QString &appName)
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary program folder");
    info_ = ProgramInfo{dir_.path(), appName};
}

void TempProgramFolder::WriteFile(const QString &name, const QByteArray &content) const
{
    QFile::remove(FilePath(name)); // never write through a link to a shared file
    QFile file(FilePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + name.toStdString());
}

QByteArray TempProgramFolder::ReadFile(const QString &name) const
{
    QFile file(FilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + name.toStdString());
    return file.readAll();
}

void TempProgramFolder::CopyFromBuiltProgram(const QString &name) const
{
    const QString from = BuiltProgramFolder() + QLatin1Char('/') + name;
    QFile::remove(FilePath(name));
    if (!QFile::copy(from, FilePath(name)))
        throw std::runtime_error("cannot copy " + from.toStdString());
}

QString BuiltProgramFolder()
{
    return QStringLiteral(BRENLOW_BIN_DIR);
}

} // namespace brenlow::test
