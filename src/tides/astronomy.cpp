#include "tides/astronomy.h"

#include <cmath>
#include <numbers>

namespace brenlow {

namespace {

constexpr double Degree = std::numbers::pi / 180.0;
constexpr double J2000JulianDay = 2451545.0;
constexpr double UnixEpochJulianDay = 2440587.5;
constexpr double MillisecondsPerDay = 86400000.0;
constexpr double DaysPerCentury = 36525.0;
constexpr double HoursPerCentury = DaysPerCentury * 24.0;

// Mean longitudes in degrees as polynomials of T, Julian centuries from J2000 (Meeus,
// Astronomical Algorithms, 2nd ed., chapters 22 and 47; the Sun's perigee is the Earth's
// perihelion plus 180°).
struct Polynomial
{
    double C0, C1, C2, C3, C4;
    double At(double t) const { return C0 + t * (C1 + t * (C2 + t * (C3 + t * C4))); }
};

constexpr Polynomial MoonLongitude{218.3164477, 481267.88123421, -0.0015786, 1.0 / 538841.0,
                                   -1.0 / 65194000.0};
constexpr Polynomial SunLongitude{280.46646, 36000.76983, 0.0003032, 0.0, 0.0};
constexpr Polynomial LunarPerigee{83.3532465, 4069.0137287, -0.0103200, -1.0 / 80053.0,
                                  1.0 / 18999000.0};
constexpr Polynomial LunarNode{125.04452, -1934.136261, 0.0020708, 1.0 / 450000.0, 0.0};
constexpr Polynomial SolarPerigee{282.93735, 1.71946, 0.00046, 0.0, 0.0};

// Schureman's constants: the obliquity of the ecliptic and the inclination of the Moon's orbit
// to it (degrees), and the ratios of solar to lunar parts in K1 and K2.
constexpr double Obliquity = 23.452;
constexpr double OrbitInclination = 5.145;
constexpr double K1SolarPart = 0.3347;
constexpr double K2SolarPart = 0.0727;

} // namespace

double NormalisedDegrees(double angle)
{
    const double wrapped = std::fmod(angle, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

AstronomicalArguments AstronomicalArgumentsAt(const QDateTime &utc)
{
    const qint64 ms = utc.toMSecsSinceEpoch();
    const double julianDay = static_cast<double>(ms) / MillisecondsPerDay + UnixEpochJulianDay;
    const double t = (julianDay - J2000JulianDay) / DaysPerCentury;
    // Hours since 0h UTC of the day, for the mean Sun's hour angle (180° at midnight).
    const qint64 msOfDay = ((ms % qint64(86400000)) + qint64(86400000)) % qint64(86400000);
    const double hourOfDay = static_cast<double>(msOfDay) / 3600000.0;

    AstronomicalArguments a;
    a.MoonLongitude = NormalisedDegrees(MoonLongitude.At(t));
    a.SunLongitude = NormalisedDegrees(SunLongitude.At(t));
    a.LunarPerigee = NormalisedDegrees(LunarPerigee.At(t));
    a.LunarNode = NormalisedDegrees(LunarNode.At(t));
    a.SolarPerigee = NormalisedDegrees(SolarPerigee.At(t));
    a.LunarTime = NormalisedDegrees(180.0 + 15.0 * hourOfDay + a.SunLongitude - a.MoonLongitude);
    return a;
}

AstronomicalRates MeanAstronomicalRates()
{
    AstronomicalRates r{};
    r.MoonLongitude = MoonLongitude.C1 / HoursPerCentury;
    r.SunLongitude = SunLongitude.C1 / HoursPerCentury;
    r.LunarPerigee = LunarPerigee.C1 / HoursPerCentury;
    r.LunarNode = LunarNode.C1 / HoursPerCentury;
    r.SolarPerigee = SolarPerigee.C1 / HoursPerCentury;
    r.LunarTime = 15.0 + r.SunLongitude - r.MoonLongitude;
    return r;
}

LunarOrbitTerms LunarOrbitTermsFor(double lunarNodeDeg)
{
    const double w = Obliquity * Degree;
    const double i = OrbitInclination * Degree;
    // N in (-180°, 180°], so that the half-angle tangents below stay on their principal branch.
    double n = NormalisedDegrees(lunarNodeDeg);
    if (n > 180.0)
        n -= 360.0;
    n *= Degree;

    LunarOrbitTerms terms;
    const double cosI = std::cos(i) * std::cos(w) - std::sin(i) * std::sin(w) * std::cos(n);
    const double inclination = std::acos(cosI);
    // Napier's analogies in the triangle of the equinox, the Moon's node on the ecliptic and
    // the orbit's intersection with the equator: a = ½(N - ξ + ν), b = ½(N - ξ - ν).
    const double a =
        std::atan(std::cos(0.5 * (w - i)) / std::cos(0.5 * (w + i)) * std::tan(0.5 * n));
    const double b =
        std::atan(std::sin(0.5 * (w - i)) / std::sin(0.5 * (w + i)) * std::tan(0.5 * n));
    const double nu = a - b;
    const double xi = n - a - b;

    const double sin2I = std::sin(2.0 * inclination);
    const double sinI2 = std::sin(inclination) * std::sin(inclination);
    const double nuPrime = std::atan2(sin2I * std::sin(nu), sin2I * std::cos(nu) + K1SolarPart);
    const double twoNuSecond =
        std::atan2(sinI2 * std::sin(2.0 * nu), sinI2 * std::cos(2.0 * nu) + K2SolarPart);

    terms.I = inclination / Degree;
    terms.Nu = nu / Degree;
    terms.Xi = xi / Degree;
    terms.NuPrime = nuPrime / Degree;
    terms.TwoNuSecond = twoNuSecond / Degree;
    return terms;
}

} // namespace brenlow
