#include "data/data_error.h"

namespace brenlow {

AppError DataLineError(ErrorNumber number, const QString &fileName, int lineNumber,
                       const QString &detail)
{
    return AppError(number,
                    QStringLiteral("%1: %2 line %3 %4")
                        .arg(ErrorMeaning(number), fileName, QString::number(lineNumber), detail),
                    ErrorSource());
}

} // namespace brenlow
