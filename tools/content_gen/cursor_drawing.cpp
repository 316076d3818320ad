#include "cursor_drawing.h"

#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <stdexcept>

namespace brenlow::content {

namespace {

constexpr int CursorSize = 32;

} // namespace

CursorDrawing ReadCursorDrawing(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    const auto fail = [&](const char *what) {
        throw std::runtime_error(path.toStdString() + ": " + what);
    };
    CursorDrawing drawing;
    drawing.Image = QImage(CursorSize, CursorSize, QImage::Format_ARGB32);
    drawing.Image.fill(Qt::transparent);
    bool hotspotSeen = false;
    int row = 0;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1Char('#')) && !hotspotSeen)
            continue;
        if (!hotspotSeen) {
            const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            bool xOk = false;
            bool yOk = false;
            if (parts.size() != 3 || parts[0] != QLatin1String("hotspot"))
                fail("expected \"hotspot X Y\"");
            drawing.Hotspot = QPoint(parts[1].toInt(&xOk), parts[2].toInt(&yOk));
            if (!xOk || !yOk || !drawing.Image.rect().contains(drawing.Hotspot))
                fail("the hotspot lies outside the picture");
            hotspotSeen = true;
            continue;
        }
        if (row >= CursorSize || line.size() != CursorSize)
            fail("a drawing is 32 rows of 32 characters");
        for (int x = 0; x < CursorSize; ++x) {
            switch (line[x].toLatin1()) {
            case '.':
                break;
            case '#':
                drawing.Image.setPixel(x, row, qRgba(0, 0, 0, 255));
                break;
            case 'o':
                drawing.Image.setPixel(x, row, qRgba(255, 255, 255, 255));
                break;
            case '-':
                drawing.Image.setPixel(x, row, qRgba(128, 128, 128, 255));
                break;
            default:
                fail("unknown character in the drawing");
            }
        }
        ++row;
    }
    if (row != CursorSize)
        fail("a drawing is 32 rows of 32 characters");
    return drawing;
}

} // namespace brenlow::content
