#pragma once

#include "scene/ScTransparentMeshRenderer.h"

#include <QMatrix4x4>
#include <QSharedPointer>
#include <QVector>

class PrPrismRenderer;
class PrScreenRenderer;
class QOpenGLTexture;
class ScBasicCamera;
class ScProjectionCamera;

// The light beam from `position` (the source): 1000 rays traced through the prisms and the screen,
// drawn as translucent cones and as a spectrum strip on the screen (0.022 wide) and, for the
// close-up camera, a strip 0.02 × its extent m wide, the camera aimed 1 unit in front of the
// strip's centre with orthoSize 1.1 m. Meshes are in world coordinates (identity model matrix).
class PrBeamConeRenderer : public ScTransparentMeshRenderer
{
public:
    // Needs a current GL context (the first beam loads the strip mask).
    PrBeamConeRenderer();
    ~PrBeamConeRenderer() override;

    // Needs a current GL context.
    static QSharedPointer<PrBeamConeRenderer> create();

    // Ignore their argument.
    PrBeamConeRenderer *setRotation(const QQuaternion &rotation) override;
    PrBeamConeRenderer *setScale(const QVector3D &scale) override;
    PrBeamConeRenderer *setOffset(const QVector3D &offset) override;
    // Always the identity.
    QMatrix4x4 modelMatrix() const override;
    // Room camera (exactly ScOrbitalCamera): the room strip, then the cones; any other camera: the
    // close-up strip. Needs a current GL context.
    void render(ScBasicCamera *camera) override;

    // Traces a new bundle and rebuilds the three meshes; re-aims the close-up camera.
    // Needs a current GL context.
    void rebuild(const QVector<QSharedPointer<PrPrismRenderer>> &prisms,
                 const QSharedPointer<PrScreenRenderer> &screen,
                 const QSharedPointer<ScProjectionCamera> &closeUpCamera);

    QSharedPointer<ScTransparentMeshRenderer> roomStrip;
    QSharedPointer<ScTransparentMeshRenderer> closeUpStrip;

    // Shared by all strips, created by the first constructor, kept until exit.
    static QSharedPointer<QOpenGLTexture> colorMaskTexture;
};
