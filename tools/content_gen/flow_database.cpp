#include "flow_database.h"

#include "data/line_codec.h"

#include <QList>

#include <stdexcept>

namespace brenlow::content {

namespace {

constexpr int UnusedAfterTitle = 8;
constexpr int UnusedAfterHeights = 27;
constexpr int UnusedAfterDescription = 9;

QByteArray Windows1252(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() > 0xFF || (c.unicode() >= 0x80 && c.unicode() < 0xA0))
            throw std::runtime_error("not writable in Windows-1252: " + text.toStdString());
    // Latin-1 and Windows-1252 agree outside 0x80..0x9F.
    return text.toLatin1();
}

QByteArray TenthsText(int tenths)
{
    return QByteArray::number(tenths / 10) + '.' + QByteArray::number(tenths % 10);
}

} // namespace

QByteArray FlowDatabaseLine(const Station &station, const RateTableModel &table)
{
    QList<QByteArray> fields;
    fields << LongitudeText(station.Position.Lon).toLatin1()
           << LatitudeText(station.Position.Lat).toLatin1();
    for (int step = 1; step <= StepCount; ++step)
        fields << TenthsText(
            table.StoredTenths(StreamAtStep(station, step).SpringRate, station.SpringReferenced));
    for (int step = 1; step <= StepCount; ++step)
        fields << QByteArray::number(StreamAtStep(station, step).Direction);
    fields << Windows1252(station.Title);
    for (int i = 0; i < UnusedAfterTitle; ++i)
        fields << QByteArray();
    for (int step = 1; step <= StepCount; ++step)
        fields << (station.SpringReferenced ? QByteArray("4.7") : QByteArray());
    for (int i = 0; i < UnusedAfterHeights; ++i)
        fields << QByteArray();
    fields << Windows1252(station.Description);
    for (int i = 0; i < UnusedAfterDescription; ++i)
        fields << QByteArray();

    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += '"' + fields[i] + '"';
    }
    return line;
}

QByteArray EncodedFlowDatabase(const std::vector<Station> &stations, const RateTableModel &table)
{
    QByteArray file("encrypted\r\n");
    for (const Station &station : stations)
        file += EncodeLine(FlowDatabaseLine(station, table)) + "\r\n";
    return file;
}

} // namespace brenlow::content
