// Generates the room model: its vertex table (a C++ source) and its baked light map (PNG).
//   roomgen [--threads N] [--preview DIR] <RoomModel.cpp> <roomLightMap.png>
// --preview also writes DIR/room-camera.png (the room seen from the presentation's room
// camera), DIR/room-overview.png (a wide view of the whole room) and DIR/room-window.png
// (a view towards the window).

#include "tools/modelgen/AtlasLayout.h"
#include "tools/modelgen/LightMapBaker.h"
#include "tools/modelgen/OutputWriter.h"
#include "tools/roomgen/RoomBuilder.h"
#include "tools/roomgen/RoomLighting.h"
#include "tools/roomgen/RoomPreview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQuaternion>
#include <QStringList>
#include <QTextStream>

#include <thread>

using namespace modelgen;

namespace {

constexpr int atlasSize = 1024;
constexpr int margin = 3;

struct Expected
{
    const char *piece;
    int triangles;
};

// The figures the room is built to.
constexpr Expected expectedPieces[] = {{"shell", 558}, {"plinth", 64},     {"post", 28},
                                       {"lintel", 96}, {"panel", 36},      {"wall frame", 60},
                                       {"board frame", 192}, {"lamp", 208}};
constexpr int expectedTriangles = 1766;
constexpr int expectedFlat = 1049;

bool checkFigures(const MeshBuilder &mesh, QTextStream &err)
{
    bool ok = mesh.triangles().size() == expectedTriangles;
    int flat = 0;
    for (const Triangle &t : mesh.triangles())
        flat += t.isFlat() ? 1 : 0;
    err << "triangles " << mesh.triangles().size() << ", flat " << flat << ", smoothed "
        << mesh.triangles().size() - flat << "\n";
    ok = ok && flat == expectedFlat;
    for (int p = 0; p < mesh.pieceNames().size(); ++p) {
        const QString name = mesh.pieceNames()[p];
        int flatHere = 0;
        for (const Triangle &t : mesh.triangles())
            flatHere += t.piece == p && t.isFlat() ? 1 : 0;
        const int count = mesh.pieceTriangleCount(p);
        err << "  " << name << ": " << count << " (" << count - flatHere << " smoothed)\n";
        for (const Expected &e : expectedPieces)
            if (name == QLatin1String(e.piece) && count != e.triangles)
                ok = false;
    }
    return ok;
}

QImage preview(const QVector<Triangle> &triangles, const QImage &lightMap, const QVector3D &eye,
               const QVector3D &target, const QVector3D &up)
{
    // The room as the presentation places it: at (0, 0, -2), scaled (-1.5, 1.1, 2).
    return RoomPreview::render(triangles, lightMap, eye, target, up, QVector3D(0, 0, -2),
                               QVector3D(-1.5f, 1.1f, 2.0f), 800, 600);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    QString previewDir;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--threads") && !args.isEmpty())
            threads = std::max(1, args.takeFirst().toInt());
        else if (option == QLatin1String("--preview") && !args.isEmpty())
            previewDir = args.takeFirst();
        else
            args.clear();
    }
    if (args.size() != 2) {
        err << "usage: roomgen [--threads N] [--preview DIR] <RoomModel.cpp> <roomLightMap.png>\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();

    RoomBuilder room;
    MeshBuilder &mesh = room.mesh();

    AtlasOptions options;
    options.size = atlasSize;
    options.texelsPerUnit = 66.0;
    options.gap = 2 * margin + 2;
    options.border = 0.0005 * atlasSize;
    options.top = 0.005837 * atlasSize;
    AtlasLayout atlas(options);
    atlas.fixChart(room.floorChart(), RoomBuilder::floorTexels(), true, true);
    if (!atlas.layout(mesh.triangles())) {
        err << "roomgen: the light-map charts do not fit into the atlas\n";
        return 1;
    }
    OutputWriter::roundToWritten(mesh.triangles());
    if (!checkFigures(mesh, err)) {
        err << "roomgen: the room's triangle counts are off\n";
        return 1;
    }
    err << "atlas coverage " << AtlasLayout::coverage(mesh.triangles()) << "\n";

    const QVector<Triangle> &triangles = mesh.triangles();
    const RoomLighting lighting(triangles, room.lampPiece());
    const LightMapBaker baker(triangles, atlasSize);
    const QVector<float> values =
        baker.bake([&](const TexelSample &s) { return lighting.shade(s); }, threads);
    const QImage lightMap = baker.toImage(values, margin, true);

    if (!OutputWriter::writeVertexSource(args[0], QStringLiteral("tools/roomgen"),
                                         QStringLiteral("models/RoomModel.h"),
                                         QStringLiteral("roomModelVertices"), triangles)) {
        err << "roomgen: cannot write " << args[0] << "\n";
        return 1;
    }
    if (!OutputWriter::writePng(lightMap, args[1])) {
        err << "roomgen: cannot write " << args[1] << "\n";
        return 1;
    }
    err << "generated in " << timer.elapsed() << " ms with " << threads << " threads\n";

    if (!previewDir.isEmpty()) {
        // The presentation's room camera: target (1.3, 0.5, -3.1), offset (0, 0, 1.3) turned by
        // pitch -8 and yaw 31 degrees.
        const QQuaternion q = QQuaternion::fromEulerAngles(-8.0f, 31.0f, 0.0f);
        const QVector3D target(1.3f, 0.5f, -3.1f);
        const QVector3D eye = target + q.rotatedVector(QVector3D(0, 0, 1.3f));
        preview(triangles, lightMap, eye, target, q.rotatedVector(QVector3D(0, 1, 0)))
            .save(previewDir + QStringLiteral("/room-camera.png"));
        preview(triangles, lightMap, QVector3D(2.6f, 2.2f, 1.9f), QVector3D(-0.5f, 0.9f, -3.2f), QVector3D(0, 1, 0))
            .save(previewDir + QStringLiteral("/room-overview.png"));
        preview(triangles, lightMap, QVector3D(-2.4f, 1.6f, -5.2f), QVector3D(0.0f, 1.1f, 1.0f), QVector3D(0, 1, 0))
            .save(previewDir + QStringLiteral("/room-window.png"));
    }
    return 0;
}
