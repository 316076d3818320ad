#include "tidal_model.h"

#include "source_lines.h"

#include <QFile>
#include <QTextStream>

#include <cmath>
#include <functional>
#include <numbers>
#include <stdexcept>

namespace brenlow::content {

StreamAt StreamAtStep(const Station &station, int step)
{
    const double h = StepHour(step);
    const double firstStart = station.Timing.Start;
    const double secondStart = firstStart + station.Timing.Duration;
    const double secondDuration = TidePeriodHours - station.Timing.Duration;
    const auto rate = [](double peak, double sinceStart, double duration) {
        return peak * std::sin(std::numbers::pi * sinceStart / duration);
    };
    if (h >= firstStart && h < secondStart)
        return {station.First.Direction,
                rate(station.First.SpringRate, h - firstStart, station.Timing.Duration)};
    const double sinceSecond =
        h >= secondStart ? h - secondStart : h - (secondStart - TidePeriodHours);
    return {station.Second.Direction, rate(station.Second.SpringRate, sinceSecond, secondDuration)};
}

namespace {

Stream ParseStream(const QString &text, const std::function<void(const QString &)> &fail)
{
    const QStringList parts = text.simplified().split(QLatin1Char(' '));
    bool dirOk = false;
    bool rateOk = false;
    Stream stream;
    if (parts.size() == 2) {
        stream.Direction = parts[0].toInt(&dirOk);
        stream.SpringRate = parts[1].toDouble(&rateOk);
    }
    if (!dirOk || !rateOk || stream.Direction < 0 || stream.Direction > 359
        || stream.SpringRate <= 0)
        fail(QStringLiteral("a stream is \"direction rate\", direction 0..359"));
    return stream;
}

} // namespace

std::vector<Station> ReadStations(const QString &path)
{
    std::map<QString, Regime> regimes;
    std::vector<Station> stations;
    for (const SourceLine &line : ReadSourceLines(path)) {
        const auto fail = [&](const QString &what) { throw LineError(path, line.Number, what); };
        const QStringList &f = line.Fields;
        if (f[0] == QLatin1String("regime")) {
            bool startOk = false;
            bool durationOk = false;
            if (f.size() != 5)
                fail(QStringLiteral("a regime has 5 fields"));
            Regime r{f[2].toDouble(&startOk), f[3].toDouble(&durationOk)};
            const bool onHalfHours =
                std::fmod(r.Start * 2, 1.0) == 0 && std::fmod(r.Duration * 2, 1.0) == 0;
            if (!startOk || !durationOk || !onHalfHours || r.Duration <= 0
                || r.Duration >= TidePeriodHours)
                fail(QStringLiteral("a regime's start and duration are whole or half hours"));
            regimes[f[1]] = r;
        } else if (f[0] == QLatin1String("station")) {
            if (f.size() != 9)
                fail(QStringLiteral("a station has 9 fields"));
            Station s;
            s.Title = f[1];
            const auto lat = ParseLatitude(f[2]);
            const auto lon = ParseLongitude(f[3]);
            if (!lat || !lon)
                fail(QStringLiteral("positions are written 50 45.12N and 001 23.45W"));
            s.Position = {*lon, *lat};
            s.RegimeName = f[4];
            const auto regime = regimes.find(f[4]);
            if (regime == regimes.end())
                fail(QStringLiteral("unknown regime ") + f[4]);
            s.Timing = regime->second;
            s.First = ParseStream(f[5], fail);
            s.Second = ParseStream(f[6], fail);
            if (f[7] == QLatin1String("springs"))
                s.SpringReferenced = true;
            else if (f[7] != QLatin1String("mean"))
                fail(QStringLiteral("reference is springs or mean"));
            s.Description = f[8];
            if (s.Title.isEmpty() || s.Description.isEmpty())
                fail(QStringLiteral("a station needs a title and a description"));
            // The station panel takes both as rich text and the file as quoted fields.
            for (const QString &text : {s.Title, s.Description})
                if (text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('{'))
                    || text.contains(QLatin1Char('}')) || text.contains(QLatin1Char('\\')))
                    fail(QStringLiteral(
                        "no quotes, braces or backslashes in titles and descriptions"));
            stations.push_back(s);
        } else {
            fail(QStringLiteral("a line is a regime or a station"));
        }
    }
    return stations;
}

} // namespace brenlow::content
