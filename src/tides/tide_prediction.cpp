#include "tides/tide_prediction.h"

#include "tides/astronomy.h"

#include <QTime>

#include <cmath>
#include <complex>
#include <numbers>

namespace brenlow {

namespace {

constexpr double Degree = std::numbers::pi / 180.0;
constexpr qint64 MsPerHour = 3600000;
constexpr qint64 MsPerMinute = 60000;

// The sum is sampled every SampleMinutes for turns of the tide: the shortest interval between
// a high and a low water at Portsmouth is over three hours, and the young flood's stand lasts
// well over SampleMinutes. Each stretch of SeriesHours shares one set of nodal corrections,
// which change by under 0.01° of u in a day.
constexpr qint64 SampleMinutes = 6;
constexpr qint64 SampleMs = SampleMinutes * MsPerMinute;
constexpr qint64 SeriesHours = 24;
constexpr qint64 SeriesMs = SeriesHours * MsPerHour;
// A turn is placed to within this many hours (a tenth of a second).
constexpr double TurnToleranceHours = 0.1 / 3600.0;

struct Term
{
    double Amplitude; // metres, f H
    double Speed;     // radians per hour
    double Phase;     // radians at the epoch, V + u - g
};

// The harmonic sum made ready around one instant (its epoch): times are hours from it.
class HarmonicSeries
{
public:
    HarmonicSeries(const TideConstants &constants, qint64 epochMs)
        : meanLevel_(constants.MeanLevelM), epochMs_(epochMs)
    {
        const AstronomicalArguments arguments =
            AstronomicalArgumentsAt(QDateTime::fromMSecsSinceEpoch(epochMs, Qt::UTC));
        const LunarOrbitTerms orbit = LunarOrbitTermsFor(arguments.LunarNode);
        terms_.reserve(constants.Constants.size());
        for (const HarmonicConstant &constant : constants.Constants) {
            const NodalCorrection nodal =
                ConstituentNodalCorrection(constant.Model, arguments, orbit);
            const double v = EquilibriumArgument(constant.Model, arguments);
            terms_.push_back({nodal.F * constant.AmplitudeM,
                              ConstituentSpeed(constant.Model) * Degree,
                              (v + nodal.U - constant.PhaseLagDeg) * Degree});
        }
    }

    qint64 EpochMs() const { return epochMs_; }
    const std::vector<Term> &Terms() const { return terms_; }

    double Height(double hours) const
    {
        double sum = meanLevel_;
        for (const Term &term : terms_)
            sum += term.Amplitude * std::cos(term.Phase + term.Speed * hours);
        return sum;
    }

    // The first and second derivatives of the height, metres per hour and per hour².
    std::pair<double, double> Slope(double hours) const
    {
        double slope = 0.0;
        double curvature = 0.0;
        for (const Term &term : terms_) {
            const double angle = term.Phase + term.Speed * hours;
            slope -= term.Amplitude * term.Speed * std::sin(angle);
            curvature -= term.Amplitude * term.Speed * term.Speed * std::cos(angle);
        }
        return {slope, curvature};
    }

private:
    double meanLevel_;
    qint64 epochMs_;
    std::vector<Term> terms_;
};

// The hour in (low, high] where the slope turns, given slope(low) and slope(high) of opposite
// signs (or zero at high): Newton's steps kept inside the bracket, else halving it.
double TurnBetween(const HarmonicSeries &series, double low, double high, double slopeAtLow)
{
    double a = low;
    double b = high;
    const bool rising = slopeAtLow > 0;
    double x = 0.5 * (a + b);
    for (int iteration = 0; iteration < 60 && b - a > TurnToleranceHours; ++iteration) {
        const auto [slope, curvature] = series.Slope(x);
        if ((slope > 0) == rising)
            a = x;
        else
            b = x;
        const double newton = curvature != 0.0 ? x - slope / curvature : a - 1.0;
        const double next = (newton > a && newton < b) ? newton : 0.5 * (a + b);
        if (std::abs(next - x) < TurnToleranceHours)
            return next;
        x = next;
    }
    return x;
}

QDateTime FromMs(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

} // namespace

double PredictHeight(const TideConstants &constants, const QDateTime &utc)
{
    return HarmonicSeries(constants, utc.toMSecsSinceEpoch()).Height(0.0);
}

std::vector<TideExtreme> PredictExtremes(const TideConstants &constants, const QDateTime &fromUtc,
                                         const QDateTime &toUtc)
{
    std::vector<TideExtreme> extremes;
    const qint64 fromMs = fromUtc.toMSecsSinceEpoch();
    const qint64 toMs = toUtc.toMSecsSinceEpoch();
    if (toMs <= fromMs || constants.Constants.empty())
        return extremes;

    // Sampling starts a step early so that a turn at fromUtc itself is bracketed.
    qint64 epochMs = fromMs - SampleMs;
    qint64 previousMs = 0;
    double previousSlope = 0.0;
    bool havePrevious = false;
    std::vector<std::complex<double>> phasors;
    std::vector<std::complex<double>> steps;
    while (epochMs < toMs) {
        const HarmonicSeries series(constants, epochMs);
        const std::vector<Term> &terms = series.Terms();
        // Each term as a turning phasor A e^{iφ}: one complex product per term and sample.
        phasors.clear();
        steps.clear();
        for (const Term &term : terms) {
            phasors.push_back(std::polar(term.Amplitude, term.Phase));
            steps.push_back(std::polar(1.0, term.Speed * SampleMs / MsPerHour));
        }
        const qint64 endMs = std::min(epochMs + SeriesMs, toMs);
        for (qint64 atMs = epochMs;;) {
            const double hours = double(atMs - epochMs) / MsPerHour;
            double slope = 0.0;
            if ((atMs - epochMs) % SampleMs == 0) {
                for (std::size_t k = 0; k < terms.size(); ++k)
                    slope -= terms[k].Speed * phasors[k].imag(); // -Σ ω A sin φ
            } else {
                slope = series.Slope(hours).first; // the last, shorter step to toUtc
            }
            // The first sample of a series repeats the last of the one before.
            if (!havePrevious || previousMs != atMs) {
                if (havePrevious
                    && ((previousSlope > 0 && slope <= 0) || (previousSlope < 0 && slope >= 0))) {
                    const double turn = TurnBetween(
                        series, double(previousMs - epochMs) / MsPerHour, hours, previousSlope);
                    const qint64 turnMs = epochMs + std::llround(turn * MsPerHour);
                    if (turnMs >= fromMs && turnMs < toMs)
                        extremes.push_back(
                            {FromMs(turnMs), series.Height(turn), previousSlope > 0});
                }
                previousMs = atMs;
                previousSlope = slope;
                havePrevious = true;
            }
            if (atMs >= endMs)
                break;
            for (std::size_t k = 0; k < terms.size(); ++k)
                phasors[k] *= steps[k];
            atMs = std::min(atMs + SampleMs, endMs);
        }
        epochMs = endMs;
    }
    return extremes;
}

LocalHighWaters HighWatersOfLocalDay(const TideConstants &constants, QDate localDate)
{
    const QDateTime start(localDate, QTime(0, 0), Qt::LocalTime);
    const QDateTime end(localDate.addDays(1), QTime(0, 0), Qt::LocalTime);
    LocalHighWaters highWaters;
    for (const TideExtreme &extreme : PredictExtremes(constants, start.toUTC(), end.toUTC())) {
        // A turn below mean sea level is a wobble of the low-water stand (24 November 2028,
        // 11:14 UTC, 1.99 m between lows of 1.94 and 1.99 m), not one of the day's tides.
        if (!extreme.High || extreme.HeightM <= constants.MeanLevelM
            || extreme.Utc.toLocalTime().date() != localDate)
            continue;
        if (!highWaters.First)
            highWaters.First = extreme;
        else if (!highWaters.Second)
            highWaters.Second = extreme;
    }
    return highWaters;
}

QDateTime NearestMinute(const QDateTime &time)
{
    const qint64 ms = time.toMSecsSinceEpoch();
    const qint64 intoMinute = ((ms % MsPerMinute) + MsPerMinute) % MsPerMinute;
    // addMSecs keeps the kind of time it was given (UTC, local time or a zone).
    return time.addMSecs(intoMinute >= MsPerMinute / 2 ? MsPerMinute - intoMinute : -intoMinute);
}

} // namespace brenlow
