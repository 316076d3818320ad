#include "data/station_table.h"

#include "core/heights.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/rounding.h"
#include "core/text_file.h"
#include "data/data_error.h"
#include "data/field_conversions.h"
#include "data/line_codec.h"

#include <cmath>
#include <utility>

namespace brenlow {
namespace {

// Walks the quoted fields of one flow database line, numbering them from 1 for errors.
class StationFields
{
public:
    StationFields(QByteArrayView line, const QString &fileName, int lineNumber)
        : line_(line), fileName_(fileName), lineNumber_(lineNumber)
    { }

    QByteArrayView Next()
    {
        ++field_;
        try {
            return NextQuotedField(line_);
        } catch (const AppError &) {
            throw DataLineError(ErrorNumber::InvalidArgument, fileName_, lineNumber_,
                                QStringLiteral("has fewer than %1 quoted fields (field %2 is "
                                               "missing)")
                                    .arg(StationFieldCount)
                                    .arg(field_));
        }
    }

    void Skip(int count)
    {
        for (int i = 0; i < count; ++i)
            Next();
    }

    // A number that must be finite to be of any use to the renderer.
    double Finite(double value, const char *what) const
    {
        if (!std::isfinite(value))
            throw DataLineError(ErrorNumber::Overflow, fileName_, lineNumber_,
                                QStringLiteral("field %1 (%2) is a number too large")
                                    .arg(field_)
                                    .arg(QLatin1String(what)));
        return value;
    }

    std::int32_t Direction(QByteArrayView text) const
    {
        const std::optional<int> degrees = RoundToInt32(ReadZeroPrefixedNumber(text));
        if (!degrees)
            throw DataLineError(
                ErrorNumber::Overflow, fileName_, lineNumber_,
                QStringLiteral("field %1 (direction) does not fit 32 bits").arg(field_));
        return *degrees;
    }

private:
    QByteArrayView line_;
    const QString &fileName_;
    int lineNumber_;
    int field_ = 0;
};

} // namespace

StationRecord ParseStationLine(QByteArrayView line, const QString &fileName, int lineNumber)
{
    StationFields fields(line, fileName, lineNumber);
    StationRecord record;
    record.ChartX = fields.Finite(LongitudeToChartX(fields.Next()), "longitude");
    record.ChartY = fields.Finite(LatitudeToChartY(fields.Next()), "latitude");
    for (int step = 1; step <= StepCount; ++step) {
        const QByteArrayView text = fields.Next();
        record.Rate[step] =
            text.isEmpty() ? -1 : fields.Finite(ReadZeroPrefixedNumber(text), "rate");
    }
    for (int step = 1; step <= StepCount; ++step) {
        const QByteArrayView text = fields.Next();
        record.Direction[step] = text.isEmpty() ? -1 : fields.Direction(text);
    }
    record.Title = fields.Next().toByteArray();
    fields.Skip(8);
    for (int step = 1; step <= StepCount; ++step) {
        const QByteArrayView text = fields.Next();
        record.RateHeight[step] =
            text.isEmpty() ? DefaultHeight : fields.Finite(ReadZeroPrefixedNumber(text), "height");
    }
    fields.Skip(27);
    record.Description = fields.Next().toByteArray();
    fields.Skip(9);
    return record;
}

FlowDatabaseForm ParseStationTable(const QByteArray &content, const QString &fileName,
                                   StationTable &table)
{
    const std::vector<QByteArrayView> lines = SplitFileLines(content);
    const bool encoded = !lines.empty() && lines.front() == EncodedMarker;
    QByteArray decoded;
    for (std::size_t i = encoded ? 1 : 0; i < lines.size(); ++i) {
        // Emptiness is judged on the line as stored, before decoding.
        if (lines[i].isEmpty())
            continue;
        QByteArrayView line = lines[i];
        if (encoded) {
            decoded = DecodeLine(line);
            line = decoded;
        }
        StationRecord record = ParseStationLine(line, fileName, static_cast<int>(i) + 1);
        if (table.empty())
            table.emplace_back();
        table.push_back(std::move(record));
    }
    return encoded ? FlowDatabaseForm::Encoded : FlowDatabaseForm::Plain;
}

void LoadStationTable(const ProgramInfo &program, MessageBoxes &messages, StationTable &table)
{
    const QString fileName = QString::fromLatin1(FlowDatabaseFileName);
    const QByteArray content =
        ReadWholeFile(program.FilePath(fileName), FlowDatabaseLoadLimit).value_or(QByteArray());
    if (ParseStationTable(content, fileName, table) == FlowDatabaseForm::Plain)
        messages.Inform(QStringLiteral("Warning Flow database is not Encrypted"));
}

int LastIndex(const StationTable &table)
{
    if (table.empty())
        throw AppError(ErrorNumber::SubscriptOutOfRange,
                       ErrorMeaning(ErrorNumber::SubscriptOutOfRange)
                           + QStringLiteral(": the flow database %1 holds no stations")
                                 .arg(QLatin1String(FlowDatabaseFileName)),
                       ErrorSource());
    return static_cast<int>(table.size()) - 1;
}

} // namespace brenlow
