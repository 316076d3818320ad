#include "core/program_info.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace brenlow {

ProgramInfo RunningProgramInfo()
{
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    return ProgramInfo{executable.absolutePath(), executable.completeBaseName()};
}

QString VersionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(BRENLOW_VERSION_MAJOR)
        .arg(BRENLOW_VERSION_MINOR)
        .arg(BRENLOW_VERSION_PATCH);
}

} // namespace brenlow
