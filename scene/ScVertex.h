#pragma once

#include <QVector2D>
#include <QVector3D>
#include <QVector4D>

// One vertex of every mesh: 48 bytes, interleaved as the vertex buffer holds it.
// Shader attributes: in_VertexCoordMS @0, in_TexCoord @12, in_NormalMS @20, in_Color @32.
struct ScVertex
{
    QVector3D position;
    QVector2D texCoord;
    QVector3D normal;
    QVector4D color;
};

static_assert(sizeof(ScVertex) == 48, "ScVertex must be 48 bytes with no padding");
