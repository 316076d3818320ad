#include "options/web_links.h"

#include "platform/browser.h"
#include "platform/termination_signals.h"
#include "support/test_platform.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <map>
#include <sys/resource.h>

namespace brenlow {
namespace {

const char *const DesktopVariables[] = {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                                        "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                                        "KDE_SESSION_VERSION"};

// A desktop of its own: XDG data and configuration folders and a temporary folder in a fresh
// directory, with a browser that records the addresses it is started with. The system's MIME
// type database stays visible so that file types are still recognised.
class DesktopAssociations
{
public:
    DesktopAssociations()
    {
        const QString root = dir_.path();
        for (const char *sub : {"data/applications", "system", "config", "config-dirs", "tmp"})
            QDir().mkpath(root + QLatin1Char('/') + QLatin1String(sub));
        QFile::link(QStringLiteral("/usr/share/mime"), root + QStringLiteral("/system/mime"));

        Set("XDG_DATA_HOME", root + QStringLiteral("/data"));
        Set("XDG_DATA_DIRS", root + QStringLiteral("/system"));
        Set("XDG_CONFIG_HOME", root + QStringLiteral("/config"));
        Set("XDG_CONFIG_DIRS", root + QStringLiteral("/config-dirs"));
        Set("TMPDIR", TempFolder());
        for (const char *name : DesktopVariables)
            Unset(name);
    }

    ~DesktopAssociations()
    {
        for (const auto &[name, value] : saved_) {
            if (value.isNull())
                qunsetenv(name.c_str());
            else
                qputenv(name.c_str(), value);
        }
    }

    // A browser script and its desktop entry; "interpreter" may name a missing program so
    // that the browser cannot start.
    void InstallBrowser(const QString &interpreter = QStringLiteral("/bin/sh"))
    {
        const QString script = dir_.path() + QStringLiteral("/record-browser");
        Write(script,
              QStringLiteral("#!%1\nprintf '%s\\n' \"$#:$1\" >> '%2'\n")
                  .arg(interpreter, RecordPath()));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Write(dir_.path() + QStringLiteral("/data/applications/brenlow-test-browser.desktop"),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=Test browser\n"
                             "Exec=\"%1\" %u\nMimeType=text/html;\n")
                  .arg(script));
        Write(dir_.path() + QStringLiteral("/config/mimeapps.list"),
              QStringLiteral("[Default Applications]\ntext/html=brenlow-test-browser.desktop\n"));
    }

    // An xdg-mime first on PATH that notes each run (its process number) and then hangs far
    // longer than any test runs (or runs then).
    void InstallHangingXdgMime(const QString &then = QStringLiteral("exec sleep 600"))
    {
        const QString bin = dir_.path() + QStringLiteral("/bin");
        QDir().mkpath(bin);
        Write(bin + QStringLiteral("/xdg-mime"),
              QStringLiteral("#!/bin/sh\necho \"$$ $*\" >> '%1'\n%2\n").arg(RunsPath(), then));
        QFile::setPermissions(bin + QStringLiteral("/xdg-mime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Set("PATH", bin + QLatin1Char(':') + qEnvironmentVariable("PATH"));
    }
    QString RunsPath() const { return dir_.path() + QStringLiteral("/xdg-mime-runs.txt"); }

    QString TempFolder() const { return dir_.path() + QStringLiteral("/tmp"); }
    QString RecordPath() const { return dir_.path() + QStringLiteral("/started.txt"); }

    // The lines the browser recorded ("argument count:first argument") once it has written
    // the expected number, or what is there after the wait.
    QStringList WaitForStarts(int count, int timeoutMs = 10000) const
    {
        QStringList lines;
        QDeadlineTimer deadline(timeoutMs);
        do {
            QFile file(RecordPath());
            if (file.open(QIODevice::ReadOnly))
                lines =
                    QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (lines.size() >= count)
                break;
            QTest::qWait(50);
        } while (!deadline.hasExpired());
        return lines;
    }

    QStringList LeftInTempFolder() const
    {
        return QDir(TempFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

private:
    void Set(const char *name, const QString &value)
    {
        Save(name);
        qputenv(name, value.toLocal8Bit());
    }
    void Unset(const char *name)
    {
        Save(name);
        qunsetenv(name);
    }
    void Save(const char *name)
    {
        if (saved_.count(name) == 0)
            saved_[name] = qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray();
    }
    static void Write(const QString &path, const QString &content)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content.toUtf8());
    }

    QTemporaryDir dir_;
    std::map<std::string, QByteArray> saved_;
};

TEST(OpenWebPage, StartsTheAssociatedBrowserWithTheAddressUnchanged)
{
    DesktopAssociations desktop;
    desktop.InstallBrowser();
    XdgBrowser browser;
    test::RecordingMessageBoxes messages;

    const QString address = LinkAddress(3) + QStringLiteral("?a=1&b=two words");
    OpenWebPage(address, browser, messages);

    EXPECT_EQ(desktop.WaitForStarts(1), QStringList{QStringLiteral("1:") + address});
    EXPECT_TRUE(messages.Shown.empty());
    EXPECT_TRUE(desktop.LeftInTempFolder().isEmpty());
}

TEST(OpenWebPage, TwoPressesOpenThePageTwice)
{
    DesktopAssociations desktop;
    desktop.InstallBrowser();
    XdgBrowser browser;
    test::RecordingMessageBoxes messages;

    OpenWebPage(LinkAddress(2), browser, messages);
    OpenWebPage(LinkAddress(2), browser, messages);

    const QString home = QStringLiteral("1:https://www.brenlow.example");
    EXPECT_EQ(desktop.WaitForStarts(2), QStringList({home, home}));
    EXPECT_TRUE(desktop.LeftInTempFolder().isEmpty());
}

TEST(OpenWebPage, NoAssociationGivesTheFirstMessageAndStartsNothing)
{
    DesktopAssociations desktop;
    XdgBrowser browser;
    test::RecordingMessageBoxes messages;

    OpenWebPage(LinkAddress(1), browser, messages);

    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, QStringLiteral("Could not find associated Browser"));
    EXPECT_EQ(messages.Shown[0].Title, QStringLiteral("Browser Not Found"));
    EXPECT_EQ(messages.Shown[0].Icon, MessageIcon::Warning);
    EXPECT_TRUE(desktop.WaitForStarts(1, 300).isEmpty());
    EXPECT_TRUE(desktop.LeftInTempFolder().isEmpty());
}

TEST(OpenWebPage, BrowserThatCannotStartGivesTheSecondMessage)
{
    DesktopAssociations desktop;
    desktop.InstallBrowser(QStringLiteral("/nonexistent/interpreter"));
    XdgBrowser browser;
    test::RecordingMessageBoxes messages;

    OpenWebPage(LinkAddress(4), browser, messages);

    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, QStringLiteral("Web Page not Opened"));
    EXPECT_EQ(messages.Shown[0].Title, QStringLiteral("URL Failed"));
    EXPECT_EQ(messages.Shown[0].Icon, MessageIcon::Warning);
    EXPECT_TRUE(desktop.LeftInTempFolder().isEmpty());
}

// A hanging association lookup used to freeze the window for 30 s.
TEST(OpenWebPage, HangingLookupIsBoundedAndLetsTimersRunButNotClicks)
{
    DesktopAssociations desktop;
    desktop.InstallBrowser();
    desktop.InstallHangingXdgMime();
    XdgBrowser browser;
    test::RecordingMessageBoxes messages;
    QPushButton link;
    QObject::connect(&link, &QPushButton::clicked,
                     [&] { OpenWebPage(LinkAddress(2), browser, messages); });
    link.show();
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&] {
        if (++ticks == 5)
            QTest::mouseClick(&link, Qt::LeftButton); // a second press while waiting
    });
    clock.start(100);

    QTest::mouseClick(&link, Qt::LeftButton);

    // The click during the wait came and was dropped, and the hanging lookup was stopped.
    EXPECT_GE(ticks, 5);
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, QStringLiteral("Could not find associated Browser"));
    QFile runs(desktop.RunsPath());
    ASSERT_TRUE(runs.open(QIODevice::ReadOnly));
    const QByteArray ran = runs.readAll();
    ASSERT_EQ(ran.count('\n'), 1) << ran.constData();
    const pid_t lookup = ran.split(' ').first().toInt();
    QDeadlineTimer gone(10000);
    while (::kill(lookup, 0) == 0 && !gone.hasExpired())
        QTest::qWait(20);
    EXPECT_NE(::kill(lookup, 0), 0) << "the lookup still runs";
    EXPECT_TRUE(desktop.WaitForStarts(1, 300).isEmpty());
}

// In a process of its own: a signal during a hanging lookup ends the wait as the program's quit
// does, and the probe file is gone when the lookup returns. Exits 0 when all went so.
[[noreturn]] void LookupInterruptedBy(int signalNumber)
{
    DesktopAssociations desktop;
    desktop.InstallBrowser();
    desktop.InstallHangingXdgMime();
    XdgBrowser browser;
    test::RecordingMessageBoxes messages;
    bool quitAsked = false;
    const TerminationSignals signals([&] { quitAsked = true; });
    QTimer::singleShot(300, [signalNumber] { ::raise(signalNumber); });
    OpenWebPage(LinkAddress(2), browser, messages);
    std::exit(quitAsked && desktop.LeftInTempFolder().isEmpty()
                      && desktop.WaitForStarts(1, 300).isEmpty()
                  ? 0
                  : 1);
}

// Guards: a program ended by a signal while looking up the browser left its probe file behind.
TEST(OpenWebPageDeathTest, ASignalDuringTheLookupEndsItAndTheProbeGoes)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        EXPECT_EXIT(LookupInterruptedBy(signalNumber), ::testing::ExitedWithCode(0), "")
            << "signal " << signalNumber;
}

// Guards: a lookup that wrote without end had its output held whole, gigabytes in 3 s.
TEST(OpenWebPage, AFloodingLookupIsStoppedWithoutHoldingItsOutput)
{
    DesktopAssociations desktop;
    desktop.InstallBrowser();
    desktop.InstallHangingXdgMime(QStringLiteral("exec cat /dev/zero"));
    XdgBrowser browser;
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(browser.FindAssociatedProgram(desktop.TempFolder() + QStringLiteral("/a.HTM")),
              std::nullopt);
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "kilobytes more at the peak";
}

// What the lookup is shown: a fresh ".HTM" file in the user's temporary folder with the
// 18-byte probe, which is gone afterwards.
class ProbeRecordingBrowser : public Browser
{
public:
    std::optional<AssociatedProgram> FindAssociatedProgram(const QString &filePath) override
    {
        ProbePath = filePath;
        QFile file(filePath);
        if (file.open(QIODevice::ReadOnly))
            ProbeContent = file.readAll();
        return std::nullopt;
    }
    bool StartProgram(const AssociatedProgram &, const QString &) override { return true; }

    QString ProbePath;
    QByteArray ProbeContent;
};

TEST(OpenWebPage, ProbeFileIsUniqueInTheUsersTemporaryFolder)
{
    DesktopAssociations desktop;
    ProbeRecordingBrowser browser;
    test::RecordingMessageBoxes messages;
    // A file planted under the old shared name is neither used nor touched.
    QFile planted(desktop.TempFolder() + QStringLiteral("/temphtm.HTM"));
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.write("planted");
    planted.close();

    OpenWebPage(LinkAddress(1), browser, messages);

    EXPECT_EQ(QFileInfo(browser.ProbePath).absolutePath(), desktop.TempFolder());
    EXPECT_TRUE(browser.ProbePath.endsWith(QLatin1String(".HTM")));
    EXPECT_EQ(browser.ProbeContent, QByteArray("\"<HTML> <\\HTML>\"\r\n"));
    EXPECT_EQ(browser.ProbeContent.size(), 18);
    EXPECT_FALSE(QFile::exists(browser.ProbePath));
    EXPECT_EQ(desktop.LeftInTempFolder(), QStringList{QStringLiteral("temphtm.HTM")});
}

TEST(LinkAddress, FourPagesOfTheSite)
{
    EXPECT_EQ(LinkAddress(1), QStringLiteral("https://www.brenlow.example/pages/download.htm"));
    EXPECT_EQ(LinkAddress(2), QStringLiteral("https://www.brenlow.example"));
    EXPECT_EQ(LinkAddress(3), QStringLiteral("https://www.brenlow.example/pages/feedback.asp"));
    EXPECT_EQ(LinkAddress(4),
              QStringLiteral("https://www.brenlow.example/pages/customerresources.htm"));
}

TEST(ExecLine, SplitsQuotedWordsAndPlacesTheAddress)
{
    struct Row
    {
        const char *exec;
        QStringList command; // program, then arguments with the address placed
    };
    const QString url = QStringLiteral("https://x.example/a b");
    const Row rows[] = {
        {"firefox %u", {"firefox", url}},
        {"browser", {"browser", url}},
        {"\"/opt/My Browser/run\" --new-window %U", {"/opt/My Browser/run", "--new-window", url}},
        {"b %i --name=%c %k --url=%u", {"b", "--name=", "--url=" + url}},
        {"b \"say \\\"hi\\\"\" 100%% %f", {"b", "say \"hi\"", "100%", url}},
        {"env A=1 b %F %u", {"env", "A=1", "b", url}},
    };
    for (const Row &row : rows) {
        const std::optional<AssociatedProgram> program =
            ParseExecLine(QString::fromLatin1(row.exec));
        ASSERT_TRUE(program.has_value()) << row.exec;
        QStringList command{program->Program};
        command << ArgumentsForAddress(program->Arguments, url);
        EXPECT_EQ(command, row.command) << row.exec;
    }
    EXPECT_FALSE(ParseExecLine(QString()).has_value());
    EXPECT_FALSE(ParseExecLine(QStringLiteral("\"unterminated %u")).has_value());
}

} // namespace
} // namespace brenlow
