#pragma once

#include "scene/ScMeshRenderer.h"

#include <QSharedPointer>

class QOpenGLTexture;
class ScMesh;
struct ScVertex;

// A generated model drawn unlit with its baked light map (colour = texel): the room and the screen.
class PrLightMappedRenderer : public ScMeshRenderer
{
public:
    ~PrLightMappedRenderer() override;

protected:
    PrLightMappedRenderer();

    // Draws the model with its light map. While empty, lightMap is loaded from the picture at
    // lightMapPath, then mesh from the vertex table; both are shared by the callers. Needs a
    // current GL context.
    void useLightMappedModel(QSharedPointer<QOpenGLTexture> &lightMap, const char *lightMapPath,
                             QSharedPointer<ScMesh> &mesh, const ScVertex *vertices, int count);
};
