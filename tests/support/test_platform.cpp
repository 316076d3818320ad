#include "support/test_platform.h"

#include <QCoreApplication>
#include <QFile>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace brenlow::test {

void RecordingMessageBoxes::ShowMessage(const QString &text, const QString &title, MessageIcon icon)
{
    Shown.push_back(ShownMessage{text, title, icon});
    if (OnShow)
        OnShow(Shown.back());
}

QString AnsweringFileDialogs::ChooseFileToOpen(const QString &caption, const QString &)
{
    Asked.push_back(caption);
    return Answer;
}

QString AnsweringFileDialogs::ChooseFolder(const QString &caption)
{
    Asked.push_back(caption);
    return Answer;
}

QString AnsweringFileDialogs::ChooseFileToSave(const QString &caption, const QString &,
                                               const QString &)
{
    Asked.push_back(caption);
    return Answer;
}

bool RecordingMessageBoxes::Ask(const QString &text)
{
    Questions.push_back(text);
    return Answer;
}

ScopedTimeZone::ScopedTimeZone(const char *zone)
{
    setenv("TZ", zone, 1);
    tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    unsetenv("TZ");
    tzset();
}

TempProgramFolder::TempProgramFolder(const QString &appName)
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary program folder");
    info_ = ProgramInfo{dir_.path(), appName};
}

void TempProgramFolder::WriteFile(const QString &name, const QByteArray &content) const
{
    QFile::remove(FilePath(name)); // never write through a link to a shared file
    QFile file(FilePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + name.toStdString());
}

QByteArray TempProgramFolder::ReadFile(const QString &name) const
{
    QFile file(FilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + name.toStdString());
    return file.readAll();
}

void TempProgramFolder::CopyFromBuiltProgram(const QString &name) const
{
    const QString from = BuiltProgramFolder() + QLatin1Char('/') + name;
    QFile::remove(FilePath(name));
    if (!QFile::copy(from, FilePath(name)))
        throw std::runtime_error("cannot copy " + from.toStdString());
}

FifoGuard::FifoGuard(const QString &path) : path_(QFile::encodeName(path))
{
    QFile::remove(path);
    if (::mkfifo(path_.constData(), 0644) != 0)
        throw std::runtime_error("cannot make a FIFO at " + path_.toStdString());
    releaser_ = std::thread([this] {
        using namespace std::chrono_literals;
        std::unique_lock lock(mutex_);
        if (stop_.wait_for(lock, 10s, [this] { return stopping_; }))
            return;
        // Opening the writing end wakes a reader waiting in open(); it then reads the end.
        while (!stop_.wait_for(lock, 50ms, [this] { return stopping_; })) {
            const int writer = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                released_ = true;
                ::close(writer);
            }
        }
    });
}

FifoGuard::~FifoGuard()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stop_.notify_all();
    releaser_.join();
}

QString BuiltProgramFolder()
{
    return QStringLiteral(BRENLOW_BIN_DIR);
}

} // namespace brenlow::test
