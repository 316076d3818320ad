#pragma once

#include "support/test_platform.h"

#include <QDir>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

// What the conversion's tests share.
namespace brenlow::test {

// The scratch files a conversion left in folder.
inline QStringList ScratchFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("tempt.*")}, QDir::AllEntries | QDir::System);
}

inline QStringList TextsOf(const RecordingMessageBoxes &messages)
{
    QStringList texts;
    for (const test::ShownMessage &shown : messages.Shown)
        texts << shown.Text;
    return texts;
}

// The exit code of body run in a child process (which may limit its memory or give up its
// privileges without touching this one); -1 when it did not exit.
inline int InChild(const std::function<int()> &body)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// 0 when the messages are the expected ones; they go to the test's output otherwise.
inline int Compare(const QStringList &shown, const QStringList &expected)
{
    if (shown == expected)
        return 0;
    std::fprintf(stderr, "shown: %s\n", qPrintable(shown.join(" | ")));
    return 1;
}

} // namespace brenlow::test
