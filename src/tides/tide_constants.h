#pragma once

#include "core/installation_files.h"
#include "tides/constituents.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace brenlow {

// The name of the constants file in the program folder.

// One constituent of a place's tide: amplitude in metres, Greenwich phase lag in degrees
// (times in UTC), and the model that turns them into heights.
struct HarmonicConstant
{
    QString Name;
    double AmplitudeM = 0;
    double PhaseLagDeg = 0;
    ConstituentModel Model;
};

// A place's harmonic constants, read from its constants file. Heights are predicted above the
// chart datum: MeanLevelM is mean sea level above it (Z0), to which the constituents add.
struct TideConstants
{
    QString Station;
    QString ChartDatum;
    double MeanLevelM = 0;
    std::vector<HarmonicConstant> Constants;
};

// What a read gives: the constants, or a plain reason why there are none, naming the file and,
// where one is at fault, its line.
struct TideConstantsResult
{
    std::optional<TideConstants> Constants;
    QString Error;
};

// Reads the text of a constants file (described at the head of content/tides/portsmouth.txt).
// fileName is only used in the reasons. A constituent the predictor does not know, a repeated
// one, a missing datum or a number out of range is an error: nothing is silently left out.
TideConstantsResult ParseTideConstants(const QByteArray &text, const QString &fileName);

// Reads the constants file at path.
TideConstantsResult LoadTideConstants(const QString &path);

} // namespace brenlow
