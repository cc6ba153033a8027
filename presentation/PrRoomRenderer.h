#pragma once

#include "scene/ScMeshRenderer.h"

#include <QSharedPointer>

class QOpenGLTexture;
class ScMesh;

// The lecture room: the room model drawn unlit with its light map (colour = texel).
class PrRoomRenderer : public ScMeshRenderer
{
public:
    // Needs a current GL context (the first room uploads the shared mesh and light map).
    PrRoomRenderer();

    // Needs a current GL context.
    static QSharedPointer<PrRoomRenderer> create();

    // Shared by all rooms, created by the first constructor, kept until exit.
    static QSharedPointer<QOpenGLTexture> roomLightMapTexture;
    static QSharedPointer<ScMesh> roomMesh;
};
