#pragma once

#include "scene/ScVertex.h"

#include <QOpenGLBuffer>
#include <QSharedPointer>
#include <QVector>
#include <QVector3D>

class QOpenGLShaderProgram;

// A shared GPU triangle list of ScVertex records in one interleaved vertex buffer (stride 48),
// with an optional CPU copy and optional axis-aligned bounds of the last upload.
class ScMesh
{
public:
    ScMesh();
    // Needs a current GL context.
    ScMesh(const ScVertex *vertices, int count, bool keepCopy = false, bool computeBounds = false);

    static QSharedPointer<ScMesh> create();
    // Needs a current GL context (as do the other overloads).
    static QSharedPointer<ScMesh> create(const ScVertex *vertices, int count);
    static QSharedPointer<ScMesh> create(const ScVertex *vertices, int count, bool keepCopy);
    static QSharedPointer<ScMesh> create(const ScVertex *vertices, int count, bool keepCopy,
                                         bool computeBounds);

    // Replaces the content; a smaller upload than the previous one is written in place.
    // Needs a current GL context.
    ScMesh *setVertices(const ScVertex *vertices, int count, bool keepCopy, bool computeBounds);

    // Draws vertices first .. first + count - 1 as GL_TRIANGLES. Needs a current GL context.
    void draw(QOpenGLShaderProgram *program, int first, int count);

    QVector<ScVertex> vertices;
    int vertexCount = 0;
    QOpenGLBuffer buffer;
    QVector3D boundsMin;
    QVector3D boundsMax;
};
