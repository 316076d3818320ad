#pragma once

#include "core/app_error.h"
#include "core/program_info.h"

#include <QString>

namespace brenlow {

struct AppState;
class Clock;
class DayHighWaters;
class FileDialogs;
class MessageBoxes;
class PointerShapes;
class PrinterDialog;
class RichTextPanel;
class SettingsStore;
class StepView;

// The outside world as the program meets it; main() wires the real pieces, tests the doubles.
struct AppServices
{
    ProgramInfo Program;
    SettingsStore &Settings;
    MessageBoxes &Messages;
    const brenlow::Clock &Clock;
    PointerShapes &Pointers;
    PrinterDialog &Printer; // the person choosing the printer for a print job
    FileDialogs &Files;     // ... and the files to read and write
};

// Reads the six settings into their texts, in the start-up order (animspeed defaults to "2").
void ReadStartupSettings(AppState &state, const SettingsStore &settings, const QString &appName);

// Runs the start-up sequence up to the initial view and pointer: geometry, settings and the
// high waters of today (typed for today, else predicted from the tidal constants, which
// highWaters reads), the help document into helpPanel, the three data files, the first step
// drawn on view, zoom and scroll. Throws AppError (or another exception) when any step fails;
// the rest do not run. Tidal constants that cannot be read are no failure.
void RunStartupSequence(AppState &state, AppServices &services, DayHighWaters &highWaters,
                        RichTextPanel &helpPanel, StepView &view);

// The start-up sequence with its error handler: on failure shows the fatal report and returns
// false, and the main window must then close without being shown.
bool RunStartup(AppState &state, AppServices &services, DayHighWaters &highWaters,
                RichTextPanel &helpPanel, StepView &view);

// The three lines of the fatal report.
QString FatalErrorText(const AppError &error);
// Shows the fatal report; returns when the user has closed it.
void FatalErrorReport(const AppError &error, MessageBoxes &messages);

} // namespace brenlow
