#pragma once

#include <QSharedPointer>

class QOpenGLTexture;
class ScMesh;
class ScMeshRenderer;
struct ScVertex;

// Makes the renderer draw a generated model unlit with its baked light map (colour = texel): the
// room and the screen. While empty, lightMap is loaded from the picture at lightMapPath, then mesh
// from the vertex table; both slots are shared by every renderer of that model. Needs a current GL
// context.
void useLightMappedModel(ScMeshRenderer &renderer, QSharedPointer<QOpenGLTexture> &lightMap,
                         const char *lightMapPath, QSharedPointer<ScMesh> &mesh,
                         const ScVertex *vertices, int count);
