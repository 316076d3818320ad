#include "core/text_file.h"

#include "core/app_error.h"
#include "core/regular_file.h"

#include <algorithm>
#include <array>

namespace brenlow {

std::optional<QByteArray> ReadWholeFile(const QString &path, qint64 maxBytes)
{
    const OpenedFile opened = OpenRegularFile(path);
    const QString accessError = QStringLiteral("Path/File access error: %1");
    if (!opened.File) {
        if (opened.Problem == FileOpenProblem::Missing)
            return std::nullopt;
        throw AppError(ErrorNumber::PathFileAccess,
                       accessError.arg(
                           opened.Problem == FileOpenProblem::NotAFile ? NotAFileText(path) : path),
                       ErrorSource());
    }
    const auto tooLarge = [&] {
        return AppError(ErrorNumber::PathFileAccess,
                        accessError.arg(QStringLiteral("%1 is too large").arg(path)),
                        ErrorSource());
    };
    QFile &file = *opened.File;
    if (file.size() > maxBytes)
        throw tooLarge();
    // The size is only what the file said when opened: it may grow meanwhile (or, for some
    // system files, say 0), so the reading stops one byte past the bound in any case.
    QByteArray content(std::min(file.size(), maxBytes) + 1, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (filled > maxBytes)
                throw tooLarge();
            content.resize(std::min(2 * filled, maxBytes + 1));
        }
        const qint64 read = file.read(content.data() + filled, content.size() - filled);
        if (read < 0)
            throw AppError(ErrorNumber::PathFileAccess, accessError.arg(path), ErrorSource());
        if (read == 0)
            break;
        filled += read;
    }
    content.truncate(filled);
    return content;
}

QString Windows1252ToUnicode(const QByteArray &text)
{
    // 0x80..0x9F; every other code is the Unicode code point of the same number.
    static constexpr std::array<char16_t, 32> High = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        result.append(QChar(code >= 0x80 && code <= 0x9F ? High[code - 0x80] : char16_t(code)));
    }
    return result;
}

} // namespace brenlow
