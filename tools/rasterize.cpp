// Usage: expans-rasterize <folder>
// Renders the rasters that are compiled in beside the drawings into <folder> (assets/rasters):
// every picture except the two flat grounds at 1× and 2×, and the emblem at every icon size.
// Run it again after changing a drawing (scripts/rasters.sh); a picture test compares them.

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QTextStream>

#include "widgets/pictures.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: expans-rasterize <folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) return 1;
    using expans::ui::Picture;
    bool ok = true;
    const auto save = [&](const QPixmap& pixmap, const QString& resource) {
        // ":/rasters/name.argb" → <folder>/name.png (the build unpacks it again)
        const QString name = resource.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
        const QString path = folder.filePath(name + QStringLiteral(".png"));
        if (!pixmap.save(path, "PNG")) {
            QTextStream(stderr) << "cannot write " << path << '\n';
            ok = false;
        }
    };
    for (const Picture picture :
         {Picture::Banner, Picture::Emblem, Picture::TemperatureScale, Picture::ValveClosed,
          Picture::ValveBlowing, Picture::Gauge, Picture::VesselOutline}) {
        for (const int scale : {1, 2}) {
            save(expans::ui::renderPicture(picture, scale), expans::ui::rasterPath(picture, scale));
        }
    }
    for (const int side : expans::ui::kIconSides) {
        save(expans::ui::renderEmblemIcon(side), expans::ui::iconRasterPath(side));
    }
    return ok ? 0 : 1;
}
