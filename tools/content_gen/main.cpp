// Writes every installation file of the program folder from the committed sources in content/:
//   brenlow_content_gen <content folder> <program folder>
// It checks the stations (at sea, clear of the shore and of each other, covered by the rate
// table) before it writes anything, and fails with a list of faults otherwise.
#include "backdrop.h"
#include "coastline.h"
#include "cursor_drawing.h"
#include "cursor_file_writer.h"
#include "flow_database.h"
#include "help_rtf.h"
#include "rate_table.h"
#include "spots.h"
#include "station_checks.h"
#include "tidal_model.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>
#include <stdexcept>

using namespace brenlow::content;

namespace {

// The region of "gmt coast -R-1.65/-0.98/50.50/50.91", the extraction of the shoreline file.
constexpr Region ShorelineRegion{-1.65, -0.98, 50.50, 50.91};

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void SaveImage(const QImage &image, const QString &path, const char *format)
{
    if (!image.save(path, format))
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString ReadText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

void Generate(const QDir &content, const QDir &program)
{
    const Coastline coast =
        ReadCoastline(content.filePath(QStringLiteral("coastline_gshhg_f.txt")), ShorelineRegion);
    const auto places = ReadPlaceNames(content.filePath(QStringLiteral("places.txt")));
    const auto stations = ReadStations(content.filePath(QStringLiteral("stations.txt")));
    const auto spots = ReadSpots(content.filePath(QStringLiteral("spots.txt")));
    const RateTableModel rates;
    const Coastline drawn = Smoothed(coast, 2);

    std::vector<QRectF> spotRects;
    for (const Spot &spot : spots)
        spotRects.push_back(SpotPictureRect(spot));
    CheckStations(stations, coast, spotRects);
    CheckStoredRates(stations, rates);

    if (!program.exists() && !QDir().mkpath(program.path()))
        throw std::runtime_error("cannot create " + program.path().toStdString());
    WriteFile(program.filePath(QStringLiteral("temp.bmp")), EncodedFlowDatabase(stations, rates));
    WriteFile(program.filePath(QStringLiteral("temp3.bmp")), rates.FileText());
    WriteFile(program.filePath(QStringLiteral("temp2.bmp")), PictureSpotFile(spots));
    for (const Spot &spot : spots)
        SaveImage(RenderHarbourPlan(spot, drawn, places, stations),
                  program.filePath(spot.PictureFile), "PNG");
    WriteFile(program.filePath(QStringLiteral("help.rtf")),
              HelpRtf(ReadText(content.filePath(QStringLiteral("help.txt")))));
    for (const char *name : {"handopen", "handshut", "camera"}) {
        const QString source = QStringLiteral("cursors/%1.txt").arg(QLatin1String(name));
        const CursorDrawing drawing = ReadCursorDrawing(content.filePath(source));
        WriteFile(program.filePath(QStringLiteral("%1.cur").arg(QLatin1String(name))),
                  brenlow::EncodeCursorFile(drawing.Image, drawing.Hotspot));
    }
    SaveImage(RenderBackdrop(drawn, places), program.filePath(QStringLiteral("backdrop.bmp")),
              "BMP");
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: brenlow_content_gen CONTENT_DIR PROGRAM_DIR\n");
        return 2;
    }
    try {
        Generate(QDir(QString::fromLocal8Bit(argv[1])), QDir(QString::fromLocal8Bit(argv[2])));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "brenlow_content_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
