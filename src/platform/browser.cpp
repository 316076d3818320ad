#include "platform/browser.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace brenlow {
namespace {

// The whole association lookup waits at most this long for the desktop's answers; a lookup
// that runs out of time has found no program.
constexpr int LookupTimeoutMs = 3000;
// After a forced stop the process is gone at once; this only bounds a process the system
// cannot end.
constexpr int KillWaitMs = 500;
// A lookup answers with a name or a path; a command that writes more is not answering, and is
// stopped before its output can fill the memory.
constexpr qint64 LookupOutputLimit = 16 * 1024;

// While the lookup waits, the program's windows keep painting and its timers keep running, but
// what the user clicks or types meanwhile is dropped rather than run inside the wait: a second
// press of a link must not start a second lookup, nor a click close the window that asked.
class UserInputDropper : public QObject
{
public:
    UserInputDropper()
    {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->installEventFilter(this);
    }
    ~UserInputDropper() override
    {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        static constexpr QEvent::Type Dropped[] = {
            QEvent::MouseButtonPress,
            QEvent::MouseButtonRelease,
            QEvent::MouseButtonDblClick,
            QEvent::KeyPress,
            QEvent::KeyRelease,
            QEvent::ShortcutOverride,
            QEvent::Shortcut,
            QEvent::Wheel,
            QEvent::ContextMenu,
            QEvent::TouchBegin,
            QEvent::TouchUpdate,
            QEvent::TouchEnd,
            QEvent::TabletPress,
            QEvent::TabletRelease,
            QEvent::InputMethod,
        };
        return std::find(std::begin(Dropped), std::end(Dropped), event->type())
            != std::end(Dropped);
    }
};

// The first line printed by a command, trimmed; nothing when it fails, prints nothing or has
// not ended by the deadline. Events run while it waits (see UserInputDropper).
std::optional<QString> FirstLineOf(const QString &program, const QStringList &arguments,
                                   const QDeadlineTimer &deadline)
{
    if (deadline.hasExpired())
        return std::nullopt;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QEventLoop wait;
    // Read as it comes, so that no more than the limit is ever held.
    QByteArray output;
    bool flooded = false;
    const auto take = [&] {
        output.append(process.read(LookupOutputLimit + 1 - output.size()));
        if (output.size() > LookupOutputLimit && !flooded) {
            flooded = true;
            wait.quit();
        }
    };
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &wait, take);
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.setTimerType(Qt::PreciseTimer); // a coarse one may end the wait before the deadline
    QObject::connect(&timeout, &QTimer::timeout, &wait, &QEventLoop::quit);
    // Ended or failed to start; its output has been read by then.
    QObject::connect(&process, &QProcess::stateChanged, &wait,
                     [&wait](QProcess::ProcessState state) {
                         if (state == QProcess::NotRunning)
                             wait.quit();
                     });
    process.start();
    if (process.state() != QProcess::NotRunning) {
        timeout.start(std::chrono::milliseconds(deadline.remainingTime()));
        wait.exec();
    }
    if (!flooded && process.state() == QProcess::NotRunning)
        take();
    if (flooded || process.state() != QProcess::NotRunning) {
        QObject::disconnect(&process, nullptr, &wait, nullptr);
        process.kill();
        process.waitForFinished(KillWaitMs);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    const QString line = QString::fromLocal8Bit(output).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (line.isEmpty())
        return std::nullopt;
    return line;
}

QStringList DataDirectories()
{
    QStringList dirs;
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.local/share");
    dirs << home;
    QString system = qEnvironmentVariable("XDG_DATA_DIRS");
    if (system.isEmpty())
        system = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString &dir : system.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        dirs << dir;
    return dirs;
}

// The general escapes of desktop-entry string values: \s \n \t \r \\.
QString UnescapeValue(const QString &value)
{
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            result.append(c);
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            result.append(QLatin1Char(' '));
            break;
        case 'n':
            result.append(QLatin1Char('\n'));
            break;
        case 't':
            result.append(QLatin1Char('\t'));
            break;
        case 'r':
            result.append(QLatin1Char('\r'));
            break;
        case '\\':
            result.append(QLatin1Char('\\'));
            break;
        default:
            result.append(c);
            result.append(next);
        }
    }
    return result;
}

// The Exec value of the [Desktop Entry] group.
std::optional<QString> ExecValueOf(const QString &desktopEntryPath)
{
    QFile file(desktopEntryPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed() == QLatin1String("Exec"))
            return UnescapeValue(line.mid(equals + 1).trimmed());
    }
    return std::nullopt;
}

bool IsFileFieldCode(QChar code)
{
    return code == QLatin1Char('u') || code == QLatin1Char('U') || code == QLatin1Char('f')
        || code == QLatin1Char('F');
}

} // namespace

std::optional<AssociatedProgram> ParseExecLine(const QString &exec)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                word.append(exec.at(++i));
            } else {
                word.append(c);
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word.append(c);
            inWord = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inWord)
        words << word;
    if (words.isEmpty() || words.first().isEmpty())
        return std::nullopt;
    AssociatedProgram program;
    program.Program = words.takeFirst();
    program.Arguments = words;
    return program;
}

QStringList ArgumentsForAddress(const QStringList &arguments, const QString &address)
{
    QStringList result;
    bool placed = false;
    for (const QString &argument : arguments) {
        QString expanded;
        bool onlyCodes = true;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            const QChar c = argument.at(i);
            if (c != QLatin1Char('%') || i + 1 == argument.size()) {
                expanded.append(c);
                onlyCodes = false;
                continue;
            }
            const QChar code = argument.at(++i);
            if (code == QLatin1Char('%')) {
                expanded.append(QLatin1Char('%'));
                onlyCodes = false;
            } else if (IsFileFieldCode(code) && !placed) {
                expanded.append(address);
                placed = true;
                onlyCodes = false;
            }
            // Every other field code (%i %c %k and the deprecated ones) expands to nothing.
        }
        if (!(onlyCodes && expanded.isEmpty()))
            result << expanded;
    }
    if (!placed)
        result << address;
    return result;
}

std::optional<QString> FindDesktopEntry(const QString &desktopId)
{
    for (const QString &dataDir : DataDirectories()) {
        const QString applications = dataDir + QStringLiteral("/applications");
        const QString direct = applications + QLatin1Char('/') + desktopId;
        if (QFile::exists(direct))
            return direct;
        // An id names a file in a subfolder with the folder separators made "-".
        QDirIterator it(applications, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext()) {
            const QString path = it.next();
            QString id = QDir(applications).relativeFilePath(path);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (id == desktopId)
                return path;
        }
    }
    return std::nullopt;
}

std::optional<AssociatedProgram> XdgBrowser::FindAssociatedProgram(const QString &filePath)
{
    const QDeadlineTimer deadline(LookupTimeoutMs, Qt::PreciseTimer);
    const UserInputDropper dropper;
    const QString xdgMime = QStringLiteral("xdg-mime");
    const std::optional<QString> type = FirstLineOf(
        xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), filePath}, deadline);
    // Without the type sniffers xdg-mime relies on, the MIME database gives the type.
    const QString mimeType = type ? type->section(QLatin1Char(';'), 0, 0).trimmed()
                                  : QMimeDatabase().mimeTypeForFile(filePath).name();
    const std::optional<QString> desktopId = FirstLineOf(
        xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType}, deadline);
    if (!desktopId)
        return std::nullopt;
    const std::optional<QString> entry = FindDesktopEntry(*desktopId);
    if (!entry)
        return std::nullopt;
    const std::optional<QString> exec = ExecValueOf(*entry);
    if (!exec)
        return std::nullopt;
    return ParseExecLine(*exec);
}

bool XdgBrowser::StartProgram(const AssociatedProgram &program, const QString &address)
{
    QString executable = program.Program;
    if (!executable.contains(QLatin1Char('/'))) {
        executable = QStandardPaths::findExecutable(executable);
        if (executable.isEmpty())
            return false;
    }
    return QProcess::startDetached(executable, ArgumentsForAddress(program.Arguments, address));
}

} // namespace brenlow
