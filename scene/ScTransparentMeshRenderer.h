#pragma once

#include "scene/ScMeshRenderer.h"
#include "scene/ScVertex.h"

#include <QMatrix4x4>
#include <QVector>

// Sort record of one triangle of a translucent mesh.
struct TransparentTriangleKey
{
    int firstVertex;
    float distance;
};

// Blended draw, one triangle at a time, farthest first by the key
// distance = |Σ alpha_i · (MV · p_i)| over the triangle's three vertices (not a true depth).
class ScTransparentMeshRenderer : public ScMeshRenderer
{
public:
    static QSharedPointer<ScTransparentMeshRenderer> create();

    // Sorted, blended draw from the mesh's CPU copy; leaves GL_BLEND disabled. Nothing without
    // mesh or program. Needs a current GL context.
    void render(ScBasicCamera *camera) override;

    // The keys of the whole triangles of `vertices` under `modelView`, greatest distance first.
    static QVector<TransparentTriangleKey> sortedTriangleKeys(const QVector<ScVertex> &vertices,
                                                             const QMatrix4x4 &modelView);
};
