#pragma once

#include "core/file_dialogs.h"

namespace brenlow {

// The system's file dialogs, modal over the program's active window. They open in the folder
// of the file last chosen, and a file to write gets the filter's suffix when it has none.
class QtFileDialogs : public FileDialogs
{
public:
    QString ChooseFileToOpen(const QString &caption, const QString &filter) override;
    QString ChooseFolder(const QString &caption) override;
    QString ChooseFileToSave(const QString &caption, const QString &filter,
                             const QString &suggested) override;

private:
    QString folder_; // of the file last chosen; the home folder at first
};

} // namespace brenlow
