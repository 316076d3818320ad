#include "source_lines.h"

#include <QFile>
#include <QTextStream>

namespace brenlow::content {

std::vector<SourceLine> ReadSourceLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    std::vector<SourceLine> lines;
    int number = 0;
    while (!in.atEnd()) {
        const QString text = in.readLine().trimmed();
        ++number;
        if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = text.split(QLatin1Char('|'));
        for (QString &field : fields)
            field = field.trimmed();
        lines.push_back(SourceLine{number, text, fields});
    }
    return lines;
}

std::runtime_error LineError(const QString &path, int line, const QString &what)
{
    const QString where = QStringLiteral("%1:%2: ").arg(path).arg(line);
    return std::runtime_error(
        (where + (what.isEmpty() ? QStringLiteral("bad line") : what)).toStdString());
}

} // namespace brenlow::content
