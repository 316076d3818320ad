#include "support/program_process.h"

#include "support/test_platform.h"

namespace brenlow::test {

ProgramOutput RunProgram(const QStringList &arguments, const QString &program,
                         const QString &timeZone)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TZ"), timeZone);
    for (const char *display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(display)); // none is needed
    process.setProcessEnvironment(environment);
    process.start(program.isEmpty() ? BuiltProgramFolder() + QStringLiteral("/brenlow") : program,
                  arguments);
    ProgramOutput output;
    if (!process.waitForFinished(60000))
        return output;
    output.Status = process.exitStatus();
    output.ExitCode = process.exitCode();
    output.Out = QString::fromUtf8(process.readAllStandardOutput());
    output.Err = QString::fromUtf8(process.readAllStandardError());
    return output;
}

QString ToolOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace brenlow::test
