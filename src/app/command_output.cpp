#include "app/command_output.h"

#include <cstdio>

namespace brenlow {

void PrintOut(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

int Refuse(const QString &reason)
{
    QString line = reason;
    for (QChar &c : line)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    std::fputs(QStringLiteral("brenlow: %1\n").arg(line).toUtf8().constData(), stderr);
    return ExitBadInput;
}

} // namespace brenlow
