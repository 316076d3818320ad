#include "support/program_files.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <stdexcept>

namespace brenlow::test {
namespace {

void AppendFields(QList<QByteArray> &fields, const QList<QByteArray> &values, int count)
{
    for (int i = 0; i < count; ++i)
        fields.append(i < values.size() ? values.at(i) : QByteArray());
}

} // namespace

QByteArray StationLine(const StationFields &station)
{
    QList<QByteArray> fields{station.Longitude, station.Latitude};
    AppendFields(fields, station.Rates, 25);
    AppendFields(fields, station.Directions, 25);
    fields.append(station.Title);
    AppendFields(fields, {}, 8);
    AppendFields(fields, station.Heights, 25);
    AppendFields(fields, {}, 27);
    fields.append(station.Description);
    AppendFields(fields, {}, 9);
    fields.resize(station.FieldCount);

    QByteArray line;
    for (const QByteArray &field : fields) {
        if (!line.isEmpty())
            line.append(',');
        line.append('"').append(field).append('"');
    }
    return line;
}

StationFields SteadyStation(const QByteArray &rate, const QByteArray &direction)
{
    StationFields station;
    for (int step = 1; step <= 25; ++step) {
        station.Rates.append(rate);
        station.Directions.append(direction);
    }
    station.Title = "Test station";
    station.Description = "A station of the test installation";
    return station;
}

void WriteInstallation(const TempProgramFolder &folder, const QList<QByteArray> &stationLines)
{
    // One chart picture for the whole test run, linked into each folder: it must be large
    // enough for the start-up view (780 x 497 view pixels at 19.4 %, scrolled to 56, 83).
    static const QTemporaryDir shared;
    static const QString chartPath = [] {
        const QString path = shared.filePath(QStringLiteral("backdrop.bmp"));
        QImage chart(4400, 3100, QImage::Format_RGB888);
        chart.fill(QColor(0xcc, 0xe6, 0xf5));
        if (!chart.save(path, "BMP"))
            throw std::runtime_error("cannot write the test chart picture");
        return path;
    }();
    QFile::remove(folder.FilePath("backdrop.bmp"));
    if (!QFile::link(chartPath, folder.FilePath("backdrop.bmp")))
        throw std::runtime_error("cannot link the test chart picture");

    folder.WriteFile("help.rtf", "{\\rtf1\\ansi{\\b Brenlow help}\\par Arrows show the stream.}");
    folder.WriteFile("temp.bmp", stationLines.join("\r\n") + "\r\n");
    folder.WriteFile("temp2.bmp", "\";spots\"\r\n");

    QByteArray rates = "3.4,3.5,3.6,3.7,3.8,3.9,4.0,4.1,4.2,4.3,4.4,4.5,4.6,4.7,4.8,4.9,5.0\r\n";
    for (int row = 1; row <= 40; ++row) {
        QList<QByteArray> values;
        for (int column = 0; column < 17; ++column)
            values.append(QByteArray::number(row * 0.1 * (0.8 + column * 0.025), 'f', 2));
        rates.append(values.join(',')).append("\r\n");
    }
    folder.WriteFile("temp3.bmp", rates);
}

} // namespace brenlow::test
