#include "platform/qt_file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace brenlow {
namespace {

// "gpx" of "GPX routes (*.gpx)": the first pattern's suffix, or nothing.
QString FilterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString Ask(QFileDialog &dialog, QString &folder)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    folder = QFileInfo(chosen).absolutePath();
    return chosen;
}

} // namespace

QString QtFileDialogs::ChooseFileToOpen(const QString &caption, const QString &filter)
{
    QFileDialog dialog(QApplication::activeWindow(), caption,
                       folder_.isEmpty() ? QDir::homePath() : folder_, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Ask(dialog, folder_);
}

QString QtFileDialogs::ChooseFileToSave(const QString &caption, const QString &filter,
                                        const QString &suggested)
{
    QFileDialog dialog(QApplication::activeWindow(), caption,
                       QDir(folder_.isEmpty() ? QDir::homePath() : folder_).filePath(suggested),
                       filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(FilterSuffix(filter));
    return Ask(dialog, folder_);
}

QString QtFileDialogs::ChooseFolder(const QString &caption)
{
    QFileDialog dialog(QApplication::activeWindow(), caption,
                       folder_.isEmpty() ? QDir::homePath() : folder_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    folder_ = dialog.selectedFiles().constFirst();
    return folder_;
}

} // namespace brenlow
