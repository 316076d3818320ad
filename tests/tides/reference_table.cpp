#include "tides/reference_table.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace brenlow::test {

std::vector<TideExtreme> ReadExtremeTable(const QByteArray &text)
{
    std::vector<TideExtreme> extremes;
    for (const QByteArray &line : text.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(' ');
        QDateTime utc = QDateTime::fromString(QString::fromLatin1(line.left(16)),
                                              QStringLiteral("yyyy-MM-dd HH:mm"));
        utc.setTimeSpec(Qt::UTC);
        if (fields.size() != 4 || !utc.isValid())
            throw std::runtime_error("not a table line: " + line.toStdString());
        extremes.push_back({utc, fields.at(3).toDouble(), fields.at(2) == "HW"});
    }
    return extremes;
}

std::vector<TideExtreme> ReadReferenceTable(const char *fileName)
{
    QFile file(QStringLiteral(BRENLOW_TIDES_TEST_DIR "/") + QLatin1String(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("cannot read ") + fileName);
    return ReadExtremeTable(file.readAll());
}

TideConstants ContentTideConstants(const std::vector<QString> &leftOut)
{
    const auto loaded =
        LoadTideConstants(QStringLiteral(BRENLOW_CONTENT_DIR "/tides/portsmouth.txt"));
    if (!loaded.Constants)
        throw std::runtime_error(loaded.Error.toStdString());
    TideConstants constants = *loaded.Constants;
    std::erase_if(constants.Constants, [&](const HarmonicConstant &constant) {
        return std::find(leftOut.begin(), leftOut.end(), constant.Name) != leftOut.end();
    });
    return constants;
}

std::vector<std::string> Disagreements(const std::vector<TideExtreme> &reference,
                                       const std::vector<TideExtreme> &predicted,
                                       const TideConstants *flatTop)
{
    if (reference.size() != predicted.size())
        return {"predicted " + std::to_string(predicted.size()) + " extremes, reference "
                + std::to_string(reference.size())};
    std::vector<std::string> faults;
    for (std::size_t k = 0; k < reference.size(); ++k) {
        const TideExtreme &expected = reference[k];
        const TideExtreme &actual = predicted[k];
        const qint64 minutes = std::abs(NearestMinute(actual.Utc).secsTo(expected.Utc)) / 60;
        const bool onFlatTurn =
            flatTop && std::abs(PredictHeight(*flatTop, expected.Utc) - actual.HeightM) <= 0.005;
        if (actual.High != expected.High || (minutes > 2 && !onFlatTurn)
            || std::abs(std::round(actual.HeightM * 100) / 100 - expected.HeightM) > 0.02 + 1e-9)
            faults.push_back(actual.Utc.toString(Qt::ISODate).toStdString() + " "
                             + std::to_string(actual.HeightM) + " against reference "
                             + expected.Utc.toString(Qt::ISODate).toStdString() + " "
                             + std::to_string(expected.HeightM));
    }
    return faults;
}

} // namespace brenlow::test
