// Draws the program's scalable icon as a square PNG for the icon theme's fixed sizes:
//   brenlow_icon_render <icon.svg> <size in pixels> <icon.png>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: brenlow_icon_render ICON.svg SIZE ICON.png\n");
        return 2;
    }
    const QString svgPath = QString::fromLocal8Bit(argv[1]);
    const QString pngPath = QString::fromLocal8Bit(argv[3]);
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
    // Icon themes go up to 512 pixels; anything else is a mistake in the build.
    if (!isNumber || size < 16 || size > 512) {
        std::fprintf(stderr, "brenlow_icon_render: bad size %s\n", argv[2]);
        return 2;
    }

    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "brenlow_icon_render: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    {
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!icon.save(pngPath, "PNG")) {
        std::fprintf(stderr, "brenlow_icon_render: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
