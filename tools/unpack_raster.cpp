// Usage: expans-unpack-raster <in.png> <out.argb>
// Run by the build for every raster in assets/rasters: writes its pixels as the windows draw them,
// so the program shows a raster without decoding it. The output is the width and the height (two
// 32-bit numbers), then the rows top to bottom in premultiplied ARGB, 32 bits a pixel, all in the
// byte order of the machine that builds and runs the program.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTextStream>
#include <cstdint>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        QTextStream(stderr) << "usage: expans-unpack-raster <in.png> <out.argb>\n";
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QImageReader reader(input, "png");
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        QTextStream(stderr) << "cannot read " << input << ": " << reader.errorString() << '\n';
        return 1;
    }
    QFile file(output);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QTextStream(stderr) << "cannot write " << output << '\n';
        return 1;
    }
    const std::uint32_t size[2] = {std::uint32_t(image.width()), std::uint32_t(image.height())};
    bool ok = file.write(reinterpret_cast<const char*>(size), sizeof size) == sizeof size;
    const qint64 row = qint64(image.width()) * 4;
    for (int y = 0; ok && y < image.height(); ++y) {
        ok = file.write(reinterpret_cast<const char*>(image.constScanLine(y)), row) == row;
    }
    if (!ok || !file.flush()) {
        QTextStream(stderr) << "cannot write " << output << '\n';
        file.remove();
        return 1;
    }
    return 0;
}
