// gfxgen: writes every picture of the resource bundles except the two light maps.
//   gfxgen <light-map dir> <output dir>
// The light maps (roomLightMap.png, screenLightMap.png) are read from the first folder
// for the cube-map faces; all outputs are deterministic.
#include "tools/gfxgen/ScenePictures.h"
#include "tools/gfxgen/WindowPictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QTextStream>

#include <functional>

namespace {

bool write(const QDir &dir, const QString &name, const QImage &image)
{
    QImageWriter writer(dir.filePath(name));
    if (name.endsWith(".jpg"))
        writer.setQuality(90);
    if (!writer.write(image)) {
        QTextStream(stderr) << "gfxgen: cannot write " << dir.filePath(name) << ": " << writer.errorString() << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: gfxgen <light-map dir> <output dir>\n";
        return 2;
    }
    const QDir out(args.at(2));
    if (!QDir().mkpath(out.path())) {
        QTextStream(stderr) << "gfxgen: cannot create " << out.path() << '\n';
        return 1;
    }

    const QList<QPair<QString, std::function<QImage()>>> pictures = {
        {"color_mask.png", ScenePictures::colorMask},
        {"quellstone1.png", WindowPictures::quellstoneEmblem},
        {"marrowfen.png", WindowPictures::marrowfenEmblem},
        {"dravic.png", WindowPictures::dravicPortrait},
        {"tovanek.png", WindowPictures::tovanekPortrait},
        {"green.png", WindowPictures::framedSwatch},
        {"blue.png", WindowPictures::blackSwatch},
        {"spectrum.jpg", WindowPictures::spectrum},
    };
    for (const auto &picture : pictures)
        if (!write(out, picture.first, picture.second()))
            return 1;

    for (const char *face : {"RT", "LF", "UP", "DN", "BK", "FR"})
        if (!write(out, QString("roomCubemap_%1.png").arg(face), ScenePictures::greyFace()))
            return 1;
    return 0;
}
