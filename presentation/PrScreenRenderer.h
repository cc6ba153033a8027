#pragma once

#include "optics/IPhRefractiveObject.h"
#include "optics/PhRefractivePlane.h"
#include "scene/ScMeshRenderer.h"

#include <QSharedPointer>
#include <QVector3D>

class QOpenGLTexture;
class ScMesh;

// The projection screen on its stand, and the last object of every ray: a pass-through plane with
// normal (0, 0, -1) through position + scale ⊙ (±1.77, 0.485 | 2.07, -1.49), the scale taken when
// the position is set. Rotation and offset cannot be set.
class PrScreenRenderer : public ScMeshRenderer, public IPhRefractiveObject
{
public:
    // Needs a current GL context (the first screen uploads the shared mesh and light map).
    PrScreenRenderer();
    ~PrScreenRenderer() override;

    // Needs a current GL context.
    static QSharedPointer<PrScreenRenderer> create();

    // Also moves the plane's corners, with the scale current now (a later setScale keeps them).
    PrScreenRenderer *setPosition(const QVector3D &p) override;
    // Ignore their argument.
    PrScreenRenderer *setRotation(const QQuaternion &rotation) override;
    PrScreenRenderer *setOffset(const QVector3D &offset) override;

    // Appends the ray's intersection with the plane (entering is ignored).
    void refract(PhRay *ray, bool entering) override;

    PhRefractivePlane plane;

    // Corners of the surface rectangle in model units.
    static const QVector3D surfaceCornerA;
    static const QVector3D surfaceCornerB;

    // Shared by all screens, created by the first constructor, kept until exit.
    static QSharedPointer<QOpenGLTexture> screenLightMapTexture;
    static QSharedPointer<ScMesh> screenMesh;
};
