#include "app/command_line.h"

#include "app/disclaimer.h"
#include "app/main_screen.h"
#include "app/startup.h"
#include "core/app_state.h"
#include "options/stored_options.h"
#include "platform/house_style.h"
#include "platform/printer_dialog.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_message_boxes.h"
#include "platform/qt_pointer_shapes.h"
#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"
#include "platform/termination_signals.h"

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <optional>

int main(int argc, char **argv)
{
    using namespace brenlow;
    // The uses without a display answer and end before any window system is touched.
    if (const std::optional<int> status = RunCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    // The desktop matches the program's windows to its menu entry by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.brenlow.Brenlow"));

    QtSettingsStore settings;
    QtMessageBoxes messages;
    SystemClock clock;
    QtPointerShapes pointers;
    QtPrinterDialog printer;
    QtFileDialogs files;
    AppServices services{RunningProgramInfo(), settings, messages, clock, pointers, printer, files};
    AppState state;

    // A watch-keeper who left the program at night meets the terms in the night colours too:
    // the one preference read before they are accepted.
    HouseStyle::Instance().SetScheme(ReadNightColours(settings, services.Program.AppName)
                                         ? ColourScheme::Night
                                         : ColourScheme::Day);

    // Nothing else is read before the user accepts the terms; the main window's start-up then runs
    // while they are still shown. A failed start-up has shown its fatal report: the program
    // ends once the disclaimer has gone.
    std::unique_ptr<MainScreen> mainScreen;
    Disclaimer disclaimer([&] {
        mainScreen = std::make_unique<MainScreen>(state, services);
        if (!mainScreen->Load()) {
            mainScreen.reset();
            QCoreApplication::exit(EXIT_FAILURE);
            return;
        }
        mainScreen->show();
        mainScreen->activateWindow();
    });
    // Ended by the session or from a terminal, the program unwinds as after Exit: waits and
    // windows end, and what it made in the temporary folder goes.
    const TerminationSignals terminate;
    disclaimer.show();
    return QApplication::exec();
}
