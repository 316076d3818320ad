#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace brenlow::test {

// What a run of a program printed and how it ended.
struct ProgramOutput
{
    QProcess::ExitStatus Status = QProcess::CrashExit; // CrashExit too when it did not finish
    int ExitCode = -1;
    QString Out;
    QString Err;
};

// Runs program (by default the built build/bin/brenlow) as a user runs it from a terminal
// without a display, under the time zone timeZone (a TZ value), and waits for it to end.
ProgramOutput RunProgram(const QStringList &arguments, const QString &program = QString(),
                         const QString &timeZone = QStringLiteral("UTC"));

// The standard output of a command-line tool (pdfinfo, pdftotext ...), or nothing when it
// fails.
QString ToolOutput(const QString &program, const QStringList &arguments);

} // namespace brenlow::test
