// screengen: builds the screen stand's vertex table and its light map.
// Usage: screengen <output root>  (writes models/ScreenModel.cpp and resources/gfx/screenLightMap.png)
#include "tools/screengen/BoardShape.h"
#include "tools/screengen/CrossbarShape.h"
#include "tools/screengen/FootShape.h"
#include "tools/screengen/LightMapPainter.h"
#include "tools/screengen/ScreenMeshBuilder.h"
#include "tools/screengen/SourceWriter.h"
#include "tools/modelgen/OutputWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(data) == data.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: screengen <output root>\n");
        return 2;
    }
    const QString root = args.at(1);

    ScreenMeshBuilder b;
    buildScreenBoard(b);
    buildFoot(b, FootSide::Left);
    buildFoot(b, FootSide::Right);
    buildCrossbar(b);
    // The telling records: position, light-map point and normal as listed, zero signs included.
    struct Listed { int record; Vec3 p; double u, v; Vec3 n; };
    const Listed listed[] = {
        {0, {1.7574, 0.4165, -1.5607}, 0.7142, 0.5011, {0, -1, -0.0}},
        {125, {-0.0079, 2.0679, -1.4975}, 0.4719, 0.2486, {0, -0.0056, 1}},
        {129, {-0.0079, 0.4758, -1.5061}, 0.6906, 0.2486, {0, -0.017, 0.9999}},
        {335, {-1.7682, 2.0679, -1.5061}, 0.6568, 0.9505, {0, -1, -0.0}},
        {336, {-1.6358, 0.2158, -1.5367}, 0.5961, 0.917, {-1, 0, -0.0}},
        {394, {-1.6358, 0.3336, -1.5367}, 0.6436, 0.9406, {0, 1, 0}},
        {549, {-1.6358, 0.0117, -1.7711}, 0.3839, 0.964, {-0.0, 0, -1}},
        {696, {-1.6358, 0, -1.3404}, 0.6628, 0.9026, {0.0242, -0.9991, -0.0358}},
        {851, {-1.5573, 0.202, -1.4635}, 0.6436, 0.9013, {-0.0, -0.9825, -0.1861}},
        {852, {1.62, 0.3336, -1.5367}, 0.5961, 0.9794, {1, 0, 0}},
        {964, {1.62, 0, -1.7329}, 0.6736, 0.6777, {-0.0242, -0.9991, 0.0358}},
        {991, {1.62, 0.2149, -1.5557}, 0.6436, 0.6991, {0.0161, -0.9988, 0.0458}},
        {1092, {1.62, 0.0679, -1.7711}, 0.3724, 0.9718, {-0.0, 0, -1}},
        {1391, {1.5415, 0.202, -1.4635}, 0.6328, 0.6864, {-0.0, -0.9843, -0.1765}},
        {1392, {1.62, 0.3336, -1.5568}, 0.4309, 0.9486, {0.0368, 0.9993, -0.0}},
        {1520, {1.6507, 0.199, -1.5568}, 0.5263, 0.9385, {0.0239, -0.9981, 0.0567}},
        {1629, {1.62, 0.4121, -1.51}, 0.6587, 0.5273, {-0.0, -0.0, 1}},
        {2105, {1.4983, 0.3006, -1.51}, 0.453, 0.9281, {-0.0, 1, 0}}};
    for (const Listed &l : listed)
        b.pinRecord(l.record, l.p, l.u, l.v, l.n);
    b.setDistinctTexCoords(266, 281);
    const QStringList problems = b.finish();
    for (const QString &p : problems)
        std::fprintf(stderr, "screengen: %s\n", qPrintable(p));
    if (b.triangleCount() != 702)
        std::fprintf(stderr, "screengen: %d triangles, expected 702\n", b.triangleCount());
    if (!problems.isEmpty() || b.triangleCount() != 702)
        return 1;

    if (!writeFile(root + QStringLiteral("/models/ScreenModel.cpp"), screenModelSource(b))) {
        std::fprintf(stderr, "screengen: cannot write the model source\n");
        return 1;
    }
    const QString pngPath = root + QStringLiteral("/resources/gfx/screenLightMap.png");
    QDir().mkpath(QFileInfo(pngPath).absolutePath());
    if (!modelgen::OutputWriter::writePng(paintLightMap(b), pngPath)) {
        std::fprintf(stderr, "screengen: cannot write the light map\n");
        return 1;
    }
    return 0;
}
