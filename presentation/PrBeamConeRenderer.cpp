#include "presentation/PrBeamConeRenderer.h"

#include "optics/PhRayBundle.h"
#include "presentation/PrBeamMeshBuilders.h"
#include "presentation/PrPrismRenderer.h"
#include "presentation/PrScreenRenderer.h"
#include "scene/ScMesh.h"
#include "scene/ScOrbitalCamera.h"
#include "scene/ScProjectionCamera.h"
#include "scene/ScShaders.h"
#include "scene/ScTextures.h"

#include <QOpenGLTexture>
#include <qopengl.h>

#include <typeinfo>

QSharedPointer<QOpenGLTexture> PrBeamConeRenderer::colorMaskTexture;

namespace {

const int kRayCount = 1000;
const float kRoomStripWidth = 0.022f;
const float kCloseUpWidthFactor = 0.02f;
const float kCloseUpDistance = 1.0f;
const float kCloseUpMargin = 1.1f;

QSharedPointer<ScTransparentMeshRenderer> newStrip(const QSharedPointer<QOpenGLTexture> &mask)
{
    QSharedPointer<ScTransparentMeshRenderer> strip = ScTransparentMeshRenderer::create();
    strip->m_mesh = ScMesh::create();
    strip->m_shaderProgram = unlitProgram();
    strip->m_texture = mask;
    return strip;
}

void upload(const QSharedPointer<ScMesh> &mesh, const QVector<ScVertex> &vertices, bool computeBounds)
{
    mesh->setVertices(vertices.constData(), vertices.size(), true, computeBounds);
}

} // namespace

PrBeamConeRenderer::PrBeamConeRenderer()
{
    if (!colorMaskTexture)
        colorMaskTexture = loadTexture(":/gfx/color_mask.png");
    m_mesh = ScMesh::create();
    m_shaderProgram = unlitProgram();
    color = QVector4D(1.0f, 1.0f, 1.0f, 0.2f);
    roomStrip = newStrip(colorMaskTexture);
    closeUpStrip = newStrip(colorMaskTexture);
}

PrBeamConeRenderer::~PrBeamConeRenderer() = default;

QSharedPointer<PrBeamConeRenderer> PrBeamConeRenderer::create()
{
    return QSharedPointer<PrBeamConeRenderer>(new PrBeamConeRenderer);
}

PrBeamConeRenderer *PrBeamConeRenderer::setRotation(const QQuaternion &)
{
    return this;
}

PrBeamConeRenderer *PrBeamConeRenderer::setScale(const QVector3D &)
{
    return this;
}

PrBeamConeRenderer *PrBeamConeRenderer::setOffset(const QVector3D &)
{
    return this;
}

QMatrix4x4 PrBeamConeRenderer::modelMatrix() const
{
    return QMatrix4x4();
}

void PrBeamConeRenderer::render(ScBasicCamera *camera)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (typeid(*camera) == typeid(ScOrbitalCamera)) {
        roomStrip->render(camera);
        ScTransparentMeshRenderer::render(camera);
    } else {
        closeUpStrip->render(camera);
    }
    glDisable(GL_BLEND);
}

void PrBeamConeRenderer::rebuild(const QVector<QSharedPointer<PrPrismRenderer>> &prisms,
                                 const QSharedPointer<PrScreenRenderer> &screen,
                                 const QSharedPointer<ScProjectionCamera> &closeUpCamera)
{
    const QVector3D facing = screen->plane.normal;
    PhRayBundle bundle;
    bundle.reset(kRayCount).setOrigin(position).setDirection(facing);
    for (const QSharedPointer<PrPrismRenderer> &prism : prisms)
        bundle.traceThrough(prism.data());
    bundle.traceThrough(screen.data());

    QVector<ScVertex> cones;
    buildBeamCones(bundle, cones);
    QVector<ScVertex> roomVertices;
    buildSpectrumStrip(bundle, facing, roomVertices, kRoomStripWidth);

    upload(mesh(), cones, false);
    const QSharedPointer<ScMesh> strip = roomStrip->mesh();
    upload(strip, roomVertices, true);

    const QVector3D lo = strip->boundsMin;
    const QVector3D hi = strip->boundsMax;
    const float w = hi.x() - lo.x();
    const float h = hi.y() - lo.y();
    const float extent = h <= w ? w : h;
    closeUpCamera->position = QVector3D((lo.x() + hi.x()) * 0.5f, (lo.y() + hi.y()) * 0.5f,
                                        (lo.z() + hi.z()) * 0.5f + kCloseUpDistance);
    closeUpCamera->orthoSize = extent * kCloseUpMargin;

    QVector<ScVertex> closeUpVertices;
    buildSpectrumStrip(bundle, facing, closeUpVertices, extent * kCloseUpWidthFactor);
    upload(closeUpStrip->mesh(), closeUpVertices, false);
}
