#include "presentation/PrRoomRenderer.h"

#include "models/RoomModel.h"
#include "scene/ScMesh.h"
#include "scene/ScShaders.h"
#include "scene/ScTextures.h"

#include <QOpenGLTexture>

QSharedPointer<QOpenGLTexture> PrRoomRenderer::roomLightMapTexture;
QSharedPointer<ScMesh> PrRoomRenderer::roomMesh;

PrRoomRenderer::PrRoomRenderer()
{
    if (!roomLightMapTexture)
        roomLightMapTexture = loadTexture(":/gfx/roomLightMap.png");
    if (!roomMesh)
        roomMesh = ScMesh::create(roomModelVertices, 5298);
    m_mesh = roomMesh;
    m_shaderProgram = unlitTexturedProgram();
    m_texture = roomLightMapTexture;
}

QSharedPointer<PrRoomRenderer> PrRoomRenderer::create()
{
    return QSharedPointer<PrRoomRenderer>(new PrRoomRenderer);
}
