#pragma once

// What the benchmarks on the real main window share: the window started on the built program
// folder with a settings folder of its own, messages nobody reads, and the process's memory.

#include "app/main_screen.h"
#include "app/startup.h"
#include "core/app_state.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "platform/printer_dialog.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_pointer_shapes.h"
#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

namespace brenlow::bench {

class SilentMessages : public MessageBoxes
{
public:
    void ShowMessage(const QString &, const QString &, MessageIcon) override { }
    bool Ask(const QString &) override { return false; }
};

// Resident memory of this process in MB, from /proc.
inline double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// The main window after start-up on the built program folder (level 1, scrolled 56, 83), not
// yet shown. The printer dialog is the one given, or one that is never asked.
struct MainWindowRun
{
    explicit MainWindowRun(PrinterDialog *printerDialog = nullptr)
        : services{ProgramInfo{QStringLiteral(BRENLOW_BIN_DIR), QStringLiteral("brenlow")},
                   settings,
                   messages,
                   clock,
                   pointers,
                   printerDialog != nullptr ? *printerDialog : unusedPrinter,
                   unusedFiles}
    {
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        screen = std::make_unique<MainScreen>(state, services);
        if (!screen->Load())
            throw std::runtime_error("start-up failed on " BRENLOW_BIN_DIR);
    }

    QTemporaryDir config;
    QtSettingsStore settings;
    SilentMessages messages;
    SystemClock clock;
    QtPointerShapes pointers;
    QtPrinterDialog unusedPrinter;
    QtFileDialogs unusedFiles;
    AppServices services;
    AppState state;
    std::unique_ptr<MainScreen> screen;
};

} // namespace brenlow::bench
