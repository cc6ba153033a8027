#include "presentation/PrScreenRenderer.h"

#include "models/ScreenModel.h"
#include "presentation/useLightMappedModel.h"
#include "scene/ScMesh.h"

#include <QOpenGLTexture>

#include <iterator>

// The screen mesh is uploaded with a fixed count; the table must hold exactly that many records.
static constexpr int screenModelVertexCount = 2106;
static_assert(std::size(screenModelVertices) == screenModelVertexCount,
              "the screen model table and the uploaded count differ");

const QVector3D PrScreenRenderer::surfaceCornerA(-1.77f, 0.485f, -1.49f);
const QVector3D PrScreenRenderer::surfaceCornerB(1.77f, 2.07f, -1.49f);
QSharedPointer<QOpenGLTexture> PrScreenRenderer::screenLightMapTexture;
QSharedPointer<ScMesh> PrScreenRenderer::screenMesh;

PrScreenRenderer::PrScreenRenderer()
{
    useLightMappedModel(*this, screenLightMapTexture, ":/gfx/screenLightMap.png", screenMesh,
                        screenModelVertices, screenModelVertexCount);
    plane.normal = QVector3D(0.0f, 0.0f, -1.0f);
    plane.passThrough = true;
}

PrScreenRenderer::~PrScreenRenderer() = default;

QSharedPointer<PrScreenRenderer> PrScreenRenderer::create()
{
    return QSharedPointer<PrScreenRenderer>(new PrScreenRenderer);
}

PrScreenRenderer *PrScreenRenderer::setPosition(const QVector3D &p)
{
    plane.cornerA = p + scale * surfaceCornerA;
    plane.cornerB = p + scale * surfaceCornerB;
    position = p;
    return this;
}

PrScreenRenderer *PrScreenRenderer::setRotation(const QQuaternion &)
{
    return this;
}

PrScreenRenderer *PrScreenRenderer::setOffset(const QVector3D &)
{
    return this;
}

void PrScreenRenderer::refract(PhRay *ray, bool)
{
    plane.refract(ray, true);
}
