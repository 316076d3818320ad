#pragma once

#include "app/startup.h"
#include "core/app_state.h"
#include "platform/qt_pointer_shapes.h"
#include "platform/qt_settings_store.h"
#include "support/test_platform.h"
#include "support/test_printer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace brenlow::test {

// The outside world of one program run as main() wires it, on a temporary program folder:
// real settings and pointer shapes, the message-box, clock and printer-dialog doubles. Each run has
// an application name of its own, so no run sees settings another one saved.
struct ProgramRun
{
    explicit ProgramRun(const QString &appName)
        : folder(UniqueName(appName)),
          printer(folder.FilePath(QStringLiteral("pages.pdf"))),
          services{folder.Info(), settings, messages, clock, pointers, printer, files}
    { }

    TempProgramFolder folder;
    QtSettingsStore settings;
    RecordingMessageBoxes messages;
    FixedClock clock{QTime(12, 0)};
    QtPointerShapes pointers;
    PdfPrinterDialog printer; // prints to pages.pdf in the program folder
    AnsweringFileDialogs files;
    AppServices services;
    AppState state;

private:
    static QString UniqueName(const QString &appName)
    {
        static int runs = 0;
        return appName + QLatin1Char('-') + QString::number(++runs);
    }
};

// The left button as a user works it over target at a point of its own: pressed, moved with
// it held, let go.
inline void SendLeftMouse(QWidget &target, QEvent::Type type, QPoint at)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), target.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

} // namespace brenlow::test
