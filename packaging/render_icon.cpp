// Build-time tool: renders an SVG picture to a square PNG of the given side, for the icon theme.
// Usage: render_icon <in.svg> <out.png> <side>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_icon <in.svg> <out.png> <side>\n");
        return 2;
    }
    // The emblem has no text, so no font database and no application object (and no display)
    // are needed: QPainter renders paths into a QImage on its own.
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    bool ok = false;
    const int side = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    if (!ok || side <= 0) {
        std::fprintf(stderr, "render_icon: bad side '%s'\n", argv[3]);
        return 2;
    }
    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, side, side));
    painter.end();
    if (!image.save(output, "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
