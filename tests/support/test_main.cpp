#if defined(BRENLOW_TEST_WIDGETS)
#    include <QApplication>
using TestApplication = QApplication;
#elif defined(BRENLOW_TEST_GUI)
#    include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#    include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

// Every test binary runs with the application its layer needs (Qt Core, Gui, or real widgets on
// the offscreen platform), with settings kept in a configuration folder of its own so that no
// run sees another's values.
int main(int argc, char **argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 2;
    setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);

    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
