// screengen: builds the screen stand's vertex table and its light map.
// Usage: screengen <output root>  (writes models/ScreenModel.cpp and resources/gfx/screenLightMap.png)
#include "tools/screengen/BoardShape.h"
#include "tools/screengen/CrossbarShape.h"
#include "tools/screengen/FootShape.h"
#include "tools/screengen/LightMapPainter.h"
#include "tools/screengen/MeshBuilder.h"
#include "tools/screengen/SourceWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

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

    MeshBuilder b;
    buildScreenBoard(b);
    buildFoot(b, FootSide::Left);
    buildFoot(b, FootSide::Right);
    buildCrossbar(b);
    const QStringList problems = b.finish();
    for (const QString &p : problems)
        std::fprintf(stderr, "screengen: %s\n", qPrintable(p));
    const bool failed = !problems.isEmpty() || b.triangleCount() != 702;
    if (b.triangleCount() != 702)
        std::fprintf(stderr, "screengen: %d triangles, expected 702\n", b.triangleCount());
    if (failed && !qEnvironmentVariableIsSet("SCREENGEN_DEV"))
        return 1;

    if (!writeFile(root + QStringLiteral("/models/ScreenModel.cpp"), screenModelSource(b))) {
        std::fprintf(stderr, "screengen: cannot write the model source\n");
        return 1;
    }
    const QByteArray png = paintLightMapPng(b);
    if (png.isEmpty() || !writeFile(root + QStringLiteral("/resources/gfx/screenLightMap.png"), png)) {
        std::fprintf(stderr, "screengen: cannot write the light map\n");
        return 1;
    }
    return failed ? 1 : 0;
}
