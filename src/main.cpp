#include "app/app_state.h"
#include "app/main_screen.h"
#include "app/startup.h"
#include "platform/clock.h"
#include "platform/pointer_shapes.h"
#include "platform/qt_message_boxes.h"
#include "platform/settings_store.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char **argv)
{
    using namespace brenlow;
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromLatin1(ProgramTitle));

    QtSettingsStore settings;
    QtMessageBoxes messages;
    SystemClock clock;
    QtPointerShapes pointers;
    AppServices services{RunningProgramInfo(), settings, messages, clock, pointers};
    AppState state;

    MainScreen mainScreen(state, services);
    if (!mainScreen.Load())
        return EXIT_FAILURE;
    mainScreen.show();
    mainScreen.activateWindow();
    return QApplication::exec();
}
