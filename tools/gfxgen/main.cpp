// gfxgen: writes every picture of the resource bundles except the two light maps.
//   gfxgen <light-map dir> <output dir>
// The cube-map faces are rendered from the room and screen models with the light maps
// (roomLightMap.png, screenLightMap.png) read from the first folder. All outputs are
// deterministic and do not depend on the number of threads.
#include "models/RoomModel.h"
#include "models/ScreenModel.h"
#include "tools/gfxgen/CubeMapRenderer.h"
#include "tools/gfxgen/ScenePictures.h"
#include "tools/gfxgen/WindowPictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <iterator>
#include <thread>

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

// Where the presentation scene places the room and the screen, and the centre of the
// first prism's body (its position plus its stand offset, 0.2 / -6 in y), from which
// the prism sees the room.
const QVector3D roomPosition(0, 0, -2);
const QVector3D roomScale(-1.5f, 1.1f, 2.0f);
const QVector3D screenPosition(0, 0, -4);
const QVector3D screenScale(1.5f, 1.15f, 1.0f);
const QVector3D prismCentre(1.3f, 0.22f + 0.2f / -6.0f, -2.6f);
constexpr int faceSize = 512;

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

    const QDir lightMaps(args.at(1));
    const QImage roomLightMap(lightMaps.filePath("roomLightMap.png"));
    const QImage screenLightMap(lightMaps.filePath("screenLightMap.png"));
    if (roomLightMap.isNull() || screenLightMap.isNull()) {
        QTextStream(stderr) << "gfxgen: cannot read the light maps in " << lightMaps.path() << '\n';
        return 1;
    }
    const CubeMapRenderer renderer({
        {roomModelVertices, int(std::size(roomModelVertices)), roomPosition, roomScale, roomLightMap},
        {screenModelVertices, int(std::size(screenModelVertices)), screenPosition, screenScale, screenLightMap},
    });
    const int threads = int(std::clamp(std::thread::hardware_concurrency(), 1u, 16u));
    const QList<QPair<const char *, CubeMapRenderer::Face>> faces = {
        {"RT", CubeMapRenderer::PositiveX}, {"LF", CubeMapRenderer::NegativeX},
        {"UP", CubeMapRenderer::PositiveY}, {"DN", CubeMapRenderer::NegativeY},
        {"BK", CubeMapRenderer::PositiveZ}, {"FR", CubeMapRenderer::NegativeZ},
    };
    for (const auto &face : faces)
        if (!write(out, QString("roomCubemap_%1.png").arg(face.first),
                   renderer.renderFace(face.second, prismCentre, faceSize, threads)))
            return 1;
    return 0;
}
