#pragma once

#include "core/clock.h"
#include "core/file_dialogs.h"
#include "core/message_boxes.h"
#include "core/program_info.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace brenlow::test {

// A message box as the user would have seen it.
struct ShownMessage
{
    QString Text;
    QString Title;
    MessageIcon Icon = MessageIcon::None;
};

// Records every message instead of showing it; the "user" answers at once with OK, after an
// optional hook (which may, for instance, look at what is on the screen meanwhile). Questions
// are recorded apart and answered with Answer.
class RecordingMessageBoxes : public MessageBoxes
{
public:
    void ShowMessage(const QString &text, const QString &title, MessageIcon icon) override;
    bool Ask(const QString &text) override;

    std::vector<ShownMessage> Shown;
    std::function<void(const ShownMessage &)> OnShow;
    std::vector<QString> Questions;
    bool Answer = false;
};

// A clock that says whatever date and time it is set to.
class FixedClock : public Clock
{
public:
    explicit FixedClock(QTime time = QTime(12, 0), QDate date = QDate(2026, 12, 9))
        : Time(time), Date(date)
    { }
    QTime TimeOfDay() const override { return Time; }
    QDate Today() const override { return Date; }
    QTime Time;
    QDate Date;
};

// The user in the file dialogs: answers every question with Answer (the empty text cancels),
// and records what was asked.
class AnsweringFileDialogs : public FileDialogs
{
public:
    QString ChooseFileToOpen(const QString &caption, const QString &filter) override;
    QString ChooseFileToSave(const QString &caption, const QString &filter,
                             const QString &suggested) override;
    QString ChooseFolder(const QString &caption) override;

    QString Answer;
    QStringList Asked; // the captions, in order
};

// Sets TZ, which the C library and Qt's local time read, for the life of the object.
struct ScopedTimeZone
{
    explicit ScopedTimeZone(const char *zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone &) = delete;
    ScopedTimeZone &operator=(const ScopedTimeZone &) = delete;
};

// A program folder in a fresh temporary directory.
class TempProgramFolder
{
public:
    explicit TempProgramFolder(const QString &appName = QStringLiteral("brenlow-test"));

    const ProgramInfo &Info() const { return info_; }
    QString FilePath(const QString &name) const { return info_.FilePath(name); }
    void WriteFile(const QString &name, const QByteArray &content) const;
    QByteArray ReadFile(const QString &name) const;
    // Copies a file of the built program folder (build/bin) into this folder.
    void CopyFromBuiltProgram(const QString &name) const;

private:
    QTemporaryDir dir_;
    ProgramInfo info_;
};

// The built program folder (build/bin), where the generated installation files are.
QString BuiltProgramFolder();

// A FIFO made at path (replacing whatever was there). Opening it for reading waits for a
// writer, so a reader that fails to refuse it would hang the test: after a generous deadline
// the guard opens and closes the writing end until it is destroyed, which lets such a reader
// go on with nothing read, and records that it had to.
class FifoGuard
{
public:
    explicit FifoGuard(const QString &path);
    ~FifoGuard();
    FifoGuard(const FifoGuard &) = delete;
    FifoGuard &operator=(const FifoGuard &) = delete;

    // A reader waited on the FIFO until the guard released it.
    bool Released() const { return released_; }

private:
    QByteArray path_;
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::atomic<bool> released_ = false;
    std::thread releaser_;
};

} // namespace brenlow::test
