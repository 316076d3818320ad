#include "data/auxiliary_files.h"

#include "core/program_info.h"
#include "core/text_file.h"
#include "data/data_error.h"
#include "data/field_conversions.h"
#include "data/line_codec.h"

#include <cmath>
#include <utility>

namespace brenlow {
namespace {

constexpr int SpotFieldCount = 5;

QByteArrayView NextSpotField(QByteArrayView &line, const QString &fileName, int lineNumber)
{
    try {
        return NextQuotedField(line);
    } catch (const AppError &) {
        throw DataLineError(ErrorNumber::InvalidArgument, fileName, lineNumber,
                            QStringLiteral("has fewer than %1 quoted fields").arg(SpotFieldCount));
    }
}

double FinitePosition(double value, const QString &fileName, int lineNumber)
{
    if (!std::isfinite(value))
        throw DataLineError(ErrorNumber::Overflow, fileName, lineNumber,
                            QStringLiteral("holds a position too large"));
    return value;
}

// Stores the comma-separated values of one line at [1..][column] of table; returns how many.
// Each value is converted before it is stored, so a bad value beyond the table's capacity is
// reported as such. A column beyond the table (a row too many) stores nothing.
int ParseRateLine(QByteArrayView line, const QString &fileName, int lineNumber, RateTable &table,
                  int column)
{
    int position = 0;
    while (!line.isEmpty()) {
        const QByteArrayView text = NextCommaField(line);
        ++position;
        const RateValue value = ReadRateValue(text);
        if (value.Kind != RateValue::Status::Number)
            throw DataLineError(ErrorNumber::TypeMismatch, fileName, lineNumber,
                                text.isEmpty() ? QStringLiteral("value %1 is empty").arg(position)
                                    : value.Kind == RateValue::Status::TooLarge
                                    ? QStringLiteral("value %1 is too large").arg(position)
                                    : QStringLiteral("value %1 is not a number").arg(position));
        if (column > RateTableLimit)
            throw DataLineError(ErrorNumber::SubscriptOutOfRange, fileName, lineNumber,
                                QStringLiteral("is rate row %1; the table holds at most %2")
                                    .arg(column)
                                    .arg(RateTableLimit));
        if (position > RateTableLimit)
            throw DataLineError(ErrorNumber::SubscriptOutOfRange, fileName, lineNumber,
                                QStringLiteral("has more than %1 values").arg(RateTableLimit));
        table[position][column] = value.Number;
    }
    return position;
}

} // namespace

int SpotCount(const PictureSpotTable &spots)
{
    return spots.empty() ? 0 : static_cast<int>(spots.size()) - 1;
}

void ParsePictureSpots(const QByteArray &content, const QString &fileName, PictureSpotTable &spots)
{
    const std::vector<QByteArrayView> lines = SplitFileLines(content);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const int lineNumber = static_cast<int>(i) + 1;
        QByteArrayView line = lines[i];
        const QByteArrayView west = NextSpotField(line, fileName, lineNumber);
        if (west.startsWith(';'))
            continue;
        PictureSpot spot;
        spot.Left = FinitePosition(LongitudeToChartX(west), fileName, lineNumber);
        spot.Top = FinitePosition(LatitudeToChartY(NextSpotField(line, fileName, lineNumber)),
                                  fileName, lineNumber);
        spot.Right = FinitePosition(LongitudeToChartX(NextSpotField(line, fileName, lineNumber)),
                                    fileName, lineNumber);
        spot.Bottom = FinitePosition(LatitudeToChartY(NextSpotField(line, fileName, lineNumber)),
                                     fileName, lineNumber);
        spot.PictureFile = NextSpotField(line, fileName, lineNumber).toByteArray();
        if (spots.empty())
            spots.emplace_back();
        spots.push_back(std::move(spot));
    }
}

void LoadPictureSpots(const ProgramInfo &program, PictureSpotTable &spots)
{
    const QString fileName = QString::fromLatin1(PictureSpotFileName);
    ParsePictureSpots(
        ReadWholeFile(program.FilePath(fileName), PictureSpotFileLimit).value_or(QByteArray()),
        fileName, spots);
}

int ParseRateTable(const QByteArray &content, const QString &fileName, RateTable &table)
{
    table = RateTable{};
    const std::vector<QByteArrayView> lines = SplitFileLines(content);
    if (lines.empty())
        throw DataLineError(ErrorNumber::SubscriptOutOfRange, fileName, 1,
                            QStringLiteral("is missing: the rate table needs a line of heights"));
    const int columns = ParseRateLine(lines[0], fileName, 1, table, 0);
    int row = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const int lineNumber = static_cast<int>(i) + 1;
        ++row;
        ParseRateLine(lines[i], fileName, lineNumber, table, row);
    }
    return columns;
}

int LoadRateTable(const ProgramInfo &program, RateTable &table)
{
    const QString fileName = QString::fromLatin1(RateTableFileName);
    return ParseRateTable(
        ReadWholeFile(program.FilePath(fileName), RateTableFileLimit).value_or(QByteArray()),
        fileName, table);
}

} // namespace brenlow
