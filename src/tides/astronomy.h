#pragma once

#include <QDateTime>

namespace brenlow {

// The slowly turning angles of the harmonic method at one instant, in degrees (0..360).
// They are taken at UTC: the difference from terrestrial time (about a minute) moves the Moon
// by 0.01°, well inside what the predictions need.
struct AstronomicalArguments
{
    double LunarTime = 0;     // τ: hour angle of the mean Moon at Greenwich, plus 180°
    double MoonLongitude = 0; // s
    double SunLongitude = 0;  // h
    double LunarPerigee = 0;  // p
    double LunarNode = 0;     // N, longitude of the Moon's ascending node (N' = -N)
    double SolarPerigee = 0;  // p'
};

// How fast each argument turns, in degrees per hour (their rates at J2000; the change over
// this century is below 1e-9 °/h).
struct AstronomicalRates
{
    double LunarTime;
    double MoonLongitude;
    double SunLongitude;
    double LunarPerigee;
    double LunarNode;
    double SolarPerigee;
};

AstronomicalArguments AstronomicalArgumentsAt(const QDateTime &utc);
AstronomicalRates MeanAstronomicalRates();

// The Moon's orbit against the equator as the node turns (Schureman's terms), in degrees: the
// inclination I of the orbit to the equator, the right ascension ν and the longitude in the orbit
// ξ of its intersection with the equator, and the angles ν' and 2ν'' of the lunisolar K1 and K2.
struct LunarOrbitTerms
{
    double I = 0;
    double Nu = 0;
    double Xi = 0;
    double NuPrime = 0;
    double TwoNuSecond = 0;
};

LunarOrbitTerms LunarOrbitTermsFor(double lunarNodeDeg);

// An angle in degrees brought into 0 <= angle < 360.
double NormalisedDegrees(double angle);

} // namespace brenlow
