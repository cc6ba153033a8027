#pragma once

#include "tools/modelgen/MeshBuilder.h"

#include <QImage>
#include <QVector>
#include <QVector3D>

// Looks at the textured room without OpenGL: casts one ray a pixel from a perspective camera
// (60 degrees vertical field of view) through the room placed in the world at `position`
// with `scale`, and shows the light map's bilinear sample at the hit, white where the ray
// leaves the room.
class RoomPreview
{
public:
    static QImage render(const QVector<modelgen::Triangle> &triangles, const QImage &lightMap,
                         const QVector3D &eye, const QVector3D &target, const QVector3D &up,
                         const QVector3D &position, const QVector3D &scale, int width, int height);
};
