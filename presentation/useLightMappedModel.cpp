#include "presentation/useLightMappedModel.h"

#include "scene/ScMesh.h"
#include "scene/ScMeshRenderer.h"
#include "scene/ScShaders.h"
#include "scene/ScTextures.h"

#include <QOpenGLTexture>

void useLightMappedModel(ScMeshRenderer &renderer, QSharedPointer<QOpenGLTexture> &lightMap,
                         const char *lightMapPath, QSharedPointer<ScMesh> &mesh,
                         const ScVertex *vertices, int count)
{
    if (!lightMap)
        lightMap = loadTexture(lightMapPath);
    if (!mesh)
        mesh = ScMesh::create(vertices, count);
    renderer.m_mesh = mesh;
    renderer.m_shaderProgram = unlitTexturedProgram();
    renderer.m_texture = lightMap;
}
