#include "presentation/PrLightMappedRenderer.h"

#include "scene/ScMesh.h"
#include "scene/ScShaders.h"
#include "scene/ScTextures.h"

#include <QOpenGLTexture>

PrLightMappedRenderer::PrLightMappedRenderer() = default;

PrLightMappedRenderer::~PrLightMappedRenderer() = default;

void PrLightMappedRenderer::useLightMappedModel(QSharedPointer<QOpenGLTexture> &lightMap,
                                                const char *lightMapPath,
                                                QSharedPointer<ScMesh> &mesh,
                                                const ScVertex *vertices, int count)
{
    if (!lightMap)
        lightMap = loadTexture(lightMapPath);
    if (!mesh)
        mesh = ScMesh::create(vertices, count);
    m_mesh = mesh;
    m_shaderProgram = unlitTexturedProgram();
    m_texture = lightMap;
}
