#include "presentation/PrRoomRenderer.h"

#include "models/RoomModel.h"
#include "presentation/useLightMappedModel.h"
#include "scene/ScMesh.h"

#include <QOpenGLTexture>

#include <iterator>

static constexpr int roomModelVertexCount = 5298;
static_assert(std::size(roomModelVertices) == roomModelVertexCount,
              "the room model table and the uploaded count differ");

QSharedPointer<QOpenGLTexture> PrRoomRenderer::roomLightMapTexture;
QSharedPointer<ScMesh> PrRoomRenderer::roomMesh;

PrRoomRenderer::PrRoomRenderer()
{
    useLightMappedModel(*this, roomLightMapTexture, ":/gfx/roomLightMap.png", roomMesh,
                        roomModelVertices, roomModelVertexCount);
}

QSharedPointer<PrRoomRenderer> PrRoomRenderer::create()
{
    return QSharedPointer<PrRoomRenderer>(new PrRoomRenderer);
}
