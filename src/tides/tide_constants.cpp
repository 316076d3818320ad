#include "tides/tide_constants.h"

#include <QFile>
#include <QHash>
#include <QList>

#include <cmath>

namespace brenlow {

namespace {

// A file larger than this is not a constants file (the Portsmouth one is some 3 kB).
constexpr qint64 MaxFileBytes = 1 << 20;
// Tidal amplitudes and datums of any real place lie well inside this many metres.
constexpr double MaxMetres = 100.0;

std::optional<double> ReadNumber(const QByteArray &field, double lowest, double highest)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

TideConstantsResult Failure(QString error)
{
    return TideConstantsResult{std::nullopt, std::move(error)};
}

} // namespace

TideConstantsResult ParseTideConstants(const QByteArray &text, const QString &fileName)
{
    TideConstants constants;
    QHash<QString, double> datums;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QByteArray line = lines.at(index).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QString where = QStringLiteral("%1, line %2: ").arg(fileName).arg(index + 1);
        const QList<QByteArray> fields = line.simplified().split(' ');
        const QByteArray &keyword = fields.front();
        if (keyword == "station" && fields.size() >= 2) {
            constants.Station = QString::fromUtf8(line.mid(keyword.size()).trimmed());
        } else if (keyword == "chart_datum" && fields.size() == 2) {
            constants.ChartDatum = QString::fromLatin1(fields.at(1));
        } else if (keyword == "datum" && fields.size() == 3) {
            const auto height = ReadNumber(fields.at(2), -MaxMetres, MaxMetres);
            if (!height)
                return Failure(where
                               + QStringLiteral("the datum height is not a number of metres"));
            datums.insert(QString::fromLatin1(fields.at(1)), *height);
        } else if (keyword == "constituent" && fields.size() == 4) {
            HarmonicConstant constant;
            constant.Name = QString::fromLatin1(fields.at(1));
            const auto model = FindConstituentModel(constant.Name);
            if (!model)
                return Failure(where + QStringLiteral("unknown constituent %1").arg(constant.Name));
            const auto amplitude = ReadNumber(fields.at(2), 0.0, MaxMetres);
            const auto phase = ReadNumber(fields.at(3), -360.0, 360.0);
            if (!amplitude || !phase)
                return Failure(where
                               + QStringLiteral("the amplitude or phase of %1 is out of range")
                                     .arg(constant.Name));
            for (const HarmonicConstant &earlier : constants.Constants)
                if (earlier.Name == constant.Name)
                    return Failure(where + QStringLiteral("%1 is given twice").arg(constant.Name));
            constant.AmplitudeM = *amplitude;
            constant.PhaseLagDeg = *phase;
            constant.Model = *model;
            constants.Constants.push_back(constant);
        } else {
            return Failure(where + QStringLiteral("not a line of a tidal constants file"));
        }
    }

    if (constants.Constants.empty())
        return Failure(fileName + QStringLiteral(": no tidal constituents"));
    if (constants.ChartDatum.isEmpty())
        return Failure(fileName + QStringLiteral(": no chart datum"));
    const QString msl = QStringLiteral("MSL");
    if (!datums.contains(msl) || !datums.contains(constants.ChartDatum))
        return Failure(
            fileName
            + QStringLiteral(": the datums MSL and %1 are needed").arg(constants.ChartDatum));
    constants.MeanLevelM = datums.value(msl) - datums.value(constants.ChartDatum);
    return TideConstantsResult{std::move(constants), QString()};
}

TideConstantsResult LoadTideConstants(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return Failure(QStringLiteral("The tidal constants file %1 is missing.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("The tidal constants file %1 cannot be read.").arg(path));
    if (file.size() > MaxFileBytes)
        return Failure(QStringLiteral("%1 is too large for a tidal constants file.").arg(path));
    const QByteArray text = file.read(MaxFileBytes);
    if (file.error() != QFileDevice::NoError)
        return Failure(QStringLiteral("The tidal constants file %1 cannot be read.").arg(path));
    return ParseTideConstants(text, path);
}

} // namespace brenlow
