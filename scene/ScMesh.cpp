#include "scene/ScMesh.h"

#include <QOpenGLShaderProgram>

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>

namespace {

struct Attribute
{
    const char *name;
    int offset;
    int floats;
};

const Attribute attributes[] = {
    {"in_VertexCoordMS", int(offsetof(ScVertex, position)), 3},
    {"in_TexCoord", int(offsetof(ScVertex, texCoord)), 2},
    {"in_NormalMS", int(offsetof(ScVertex, normal)), 3},
    {"in_Color", int(offsetof(ScVertex, color)), 4},
};

} // namespace

ScMesh::ScMesh() = default;

ScMesh::ScMesh(const ScVertex *vertices, int count, bool keepCopy, bool computeBounds)
{
    setVertices(vertices, count, keepCopy, computeBounds);
}

QSharedPointer<ScMesh> ScMesh::create()
{
    return QSharedPointer<ScMesh>(new ScMesh());
}

QSharedPointer<ScMesh> ScMesh::create(const ScVertex *vertices, int count)
{
    return QSharedPointer<ScMesh>(new ScMesh(vertices, count, false, false));
}

QSharedPointer<ScMesh> ScMesh::create(const ScVertex *vertices, int count, bool keepCopy)
{
    return QSharedPointer<ScMesh>(new ScMesh(vertices, count, keepCopy, false));
}

QSharedPointer<ScMesh> ScMesh::create(const ScVertex *vertices, int count, bool keepCopy,
                                      bool computeBounds)
{
    return QSharedPointer<ScMesh>(new ScMesh(vertices, count, keepCopy, computeBounds));
}

ScMesh *ScMesh::setVertices(const ScVertex *vertices, int count, bool keepCopy, bool computeBounds)
{
    if (keepCopy) {
        this->vertices.resize(count);
        std::copy(vertices, vertices + count, this->vertices.begin());
    } else {
        this->vertices.resize(0);
    }

    if (computeBounds && count != 0) {
        boundsMin = boundsMax = vertices[0].position;
        for (int i = 1; i < count; ++i) {
            const QVector3D &p = vertices[i].position;
            for (int axis = 0; axis < 3; ++axis) {
                boundsMin[axis] = std::min(boundsMin[axis], p[axis]);
                boundsMax[axis] = std::max(boundsMax[axis], p[axis]);
            }
        }
    } else {
        boundsMin = boundsMax = QVector3D(0.0f, 0.0f, 0.0f);
    }

    const int bytes = int(sizeof(ScVertex)) * count;
    if (!buffer.isCreated()) {
        buffer.create();
        buffer.bind();
        buffer.allocate(vertices, bytes);
    } else {
        buffer.bind();
        if (bytes < int(sizeof(ScVertex)) * vertexCount)
            buffer.write(0, vertices, bytes);
        else
            buffer.allocate(vertices, bytes);
    }
    vertexCount = count;
    return this;
}

void ScMesh::draw(QOpenGLShaderProgram *program, int first, int count)
{
    if (!buffer.isCreated() || count == 0)
        return;
    program->bind();
    buffer.bind();
    for (const Attribute &a : attributes) {
        const int location = program->attributeLocation(a.name);
        if (location == -1)
            continue;
        program->enableAttributeArray(location);
        program->setAttributeBuffer(location, GL_FLOAT, a.offset, a.floats, int(sizeof(ScVertex)));
    }
    glDrawArrays(GL_TRIANGLES, first, count);
}
