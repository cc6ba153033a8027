#include "presentation/PrRoomRenderer.h"

#include "models/RoomModel.h"
#include "scene/ScMesh.h"

#include <QOpenGLTexture>

QSharedPointer<QOpenGLTexture> PrRoomRenderer::roomLightMapTexture;
QSharedPointer<ScMesh> PrRoomRenderer::roomMesh;

PrRoomRenderer::PrRoomRenderer()
{
    useLightMappedModel(roomLightMapTexture, ":/gfx/roomLightMap.png", roomMesh, roomModelVertices,
                        5298);
}

QSharedPointer<PrRoomRenderer> PrRoomRenderer::create()
{
    return QSharedPointer<PrRoomRenderer>(new PrRoomRenderer);
}
