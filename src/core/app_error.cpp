#include "core/app_error.h"

#include "core/program_info.h"

namespace brenlow {

QString ErrorMeaning(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::InvalidArgument:
        return QStringLiteral("Invalid procedure call or argument");
    case ErrorNumber::Overflow:
        return QStringLiteral("Overflow");
    case ErrorNumber::SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case ErrorNumber::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case ErrorNumber::FileNotFound:
        return QStringLiteral("File not found");
    case ErrorNumber::PathFileAccess:
        return QStringLiteral("Path/File access error");
    case ErrorNumber::InternalError:
        return QStringLiteral("Internal error");
    }
    return QStringLiteral("Application-defined or object-defined error");
}

QString ErrorSource()
{
    return QString::fromLatin1(ProgramTitle);
}

} // namespace brenlow
