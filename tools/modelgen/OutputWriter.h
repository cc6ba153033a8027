#pragma once

#include "tools/modelgen/MeshBuilder.h"

#include <QImage>
#include <QString>
#include <QVector>

namespace modelgen {

// Writes a generator's outputs. Numbers are written in fixed notation with at most six
// decimals (trailing zeros dropped, at least one decimal, "-0.0" written as "0.0"), so the
// generated source reads back exactly what roundToWritten() gives.
class OutputWriter
{
public:
    static QString formatFloat(float value);
    // The float that the compiler makes of formatFloat(value).
    static float roundToWritten(float value);
    // Rounds every position, normal and texCoord of the triangles to their written values.
    static void roundToWritten(QVector<Triangle> &triangles);

    // Writes a C++ source defining `constexpr ScVertex <arrayName>[3 * triangles]` (the
    // declaration comes from `headerInclude`), every colour (1, 1, 1, 1), one vertex a line:
    //   {{x, y, z}, {u, v}, {nx, ny, nz}, {1.0f, 1.0f, 1.0f, 1.0f}},   (each number + "f")
    // `generator` names the program in the file's first comment line.
    static bool writeVertexSource(const QString &path, const QString &generator,
                                  const QString &headerInclude, const QString &arrayName,
                                  const QVector<Triangle> &triangles);

    // Saves the picture as PNG (ARGB32 as RGBA, RGB32 as RGB, 8 bits a channel).
    static bool writePng(const QImage &image, const QString &path);
};

} // namespace modelgen
