#pragma once

#include "support/test_platform.h"

#include <QByteArray>
#include <QList>

namespace brenlow::test {

// One station of a flow database line, before it is written.
struct StationFields
{
    QByteArray Longitude = "001 20.00W"; // minutes at characters 5..9
    QByteArray Latitude = "50 45.00N";   // minutes at characters 4..8
    QList<QByteArray> Rates;             // up to 25 texts, the rest empty
    QList<QByteArray> Directions;        // up to 25 texts, the rest empty
    QByteArray Title;
    QList<QByteArray> Heights; // up to 25 texts, the rest empty
    QByteArray Description;
    int FieldCount = 123;
};

// A plain flow-database line of quoted fields, comma separated.
QByteArray StationLine(const StationFields &station);

// The same rate and direction at every step.
StationFields SteadyStation(const QByteArray &rate, const QByteArray &direction);

// Writes a small but complete set of installation files: a plain chart picture
// (backdrop.bmp, 4400 x 3100), help.rtf, a plain temp.bmp with the given lines, an empty
// picture-spot file and a rate table with columns 3.4 .. 5.0 and rows of 0.1 knot steps.
void WriteInstallation(const TempProgramFolder &folder, const QList<QByteArray> &stationLines);

} // namespace brenlow::test
