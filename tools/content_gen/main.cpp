// Writes every installation file of the program folder from the committed sources in content/:
//   brenlow_content_gen <content folder> <program folder>
#include "backdrop.h"
#include "coastline.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

using namespace brenlow::content;

namespace {

// The region of "gmt coast -R-1.65/-0.98/50.50/50.91", the extraction of the shoreline file.
constexpr Region ShorelineRegion {-1.65, -0.98, 50.50, 50.91};

void Save(const QImage &image, const QString &path, const char *format)
{
    if (!image.save(path, format))
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: brenlow_content_gen CONTENT_DIR PROGRAM_DIR\n");
        return 2;
    }
    const QDir content(QString::fromLocal8Bit(argv[1]));
    const QDir program(QString::fromLocal8Bit(argv[2]));
    try {
        if (!program.exists() && !QDir().mkpath(program.path()))
            throw std::runtime_error("cannot create " + program.path().toStdString());
        const Coastline coast = ReadCoastline(
            content.filePath(QStringLiteral("coastline_gshhg_f.txt")), ShorelineRegion);
        const auto places = ReadPlaceNames(content.filePath(QStringLiteral("places.txt")));
        Save(RenderBackdrop(coast, places), program.filePath(QStringLiteral("backdrop.bmp")),
             "BMP");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "brenlow_content_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
