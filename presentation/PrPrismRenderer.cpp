#include "presentation/PrPrismRenderer.h"

#include "optics/PhGaussianIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhRay.h"
#include "presentation/PrPrismPartMeshes.h"
#include "scene/ScMesh.h"
#include "scene/ScMeshRenderer.h"
#include "scene/ScShaders.h"
#include "scene/ScTextures.h"

#include <QOpenGLTexture>
#include <qopengl.h>

#include <cmath>
#include <iterator>

QSharedPointer<QOpenGLTexture> PrPrismRenderer::roomCubeMap;
QSharedPointer<ScMesh> PrPrismRenderer::prismBodyMesh;
QSharedPointer<ScMesh> PrPrismRenderer::prismStandBaseMesh;
QSharedPointer<ScMesh> PrPrismRenderer::prismStandRodMesh;
QSharedPointer<ScMesh> PrPrismRenderer::prismStandArcMesh;
float PrPrismRenderer::standRodHeight = 0.0f;
float PrPrismRenderer::standArcHeight = 0.0f;

namespace {

// Ranges of the Kramers–Kronig table of an anomalous glass.
const double kTableMin = 0.38;
const double kTableMax = 0.78;
const int kTableNodes = 100;

QSharedPointer<ScMeshRenderer> standPart(const QSharedPointer<ScMesh> &mesh)
{
    QSharedPointer<ScMeshRenderer> part = ScMeshRenderer::create();
    part->setVisible(true);
    part->m_mesh = mesh;
    part->m_shaderProgram = litProgram();
    return part;
}

} // namespace

PrPrismRenderer::PrPrismRenderer()
{
    if (!roomCubeMap)
        roomCubeMap = loadCubeMapTexture(":/gfx/roomCubemap", ".png", "_LF", "_RT", "_UP", "_DN", "_FR", "_BK");
    if (!prismBodyMesh)
        prismBodyMesh = ScMesh::create(prismBodyVertices, int(std::size(prismBodyVertices)), true);
    if (!prismStandBaseMesh)
        prismStandBaseMesh = ScMesh::create(prismStandBaseVertices, int(std::size(prismStandBaseVertices)));
    if (!prismStandRodMesh)
        prismStandRodMesh = ScMesh::create(prismStandRodVertices, int(std::size(prismStandRodVertices)), false, true);
    if (!prismStandArcMesh)
        prismStandArcMesh = ScMesh::create(prismStandArcVertices, int(std::size(prismStandArcVertices)), false, true);
    if (standRodHeight == 0.0f) {
        standRodHeight = prismStandRodMesh->boundsMax.y() - prismStandRodMesh->boundsMin.y();
        standArcHeight = prismStandArcMesh->boundsMax.y() - prismStandArcMesh->boundsMin.y();
    }

    standBase = standPart(prismStandBaseMesh);
    standBase->setScale(QVector3D(0.5f, 0.5f, 0.5f));
    standRod = standPart(prismStandRodMesh);
    standRod->setScale(QVector3D(0.5f, 1.0f, 0.5f));
    standArc = standPart(prismStandArcMesh);

    setVisible(true);
    m_mesh = prismBodyMesh;
    m_shaderProgram = refractProgram();
    m_texture = roomCubeMap;

    offset = QVector3D(0.0f, standArcHeight / -6.0f, 0.0f);
    facesValid = false;
    setDispersionMode(dispersionMode);
}

PrPrismRenderer::~PrPrismRenderer() = default;

QSharedPointer<PrPrismRenderer> PrPrismRenderer::create()
{
    return QSharedPointer<PrPrismRenderer>(new PrPrismRenderer);
}

PrPrismRenderer *PrPrismRenderer::placeStand(const QVector3D &p)
{
    position = p;
    standBase->setPosition(QVector3D(p.x(), 0.0f, p.z()));
    const float rodY = (p.y() - standRodHeight) - scale.y() * standArcHeight;
    standRod->setPosition(QVector3D(p.x(), rodY, p.z()));
    standArc->setPosition(p);
    facesValid = false;
    return this;
}

PrPrismRenderer *PrPrismRenderer::setPosition(const QVector3D &p)
{
    return placeStand(p);
}

PrPrismRenderer *PrPrismRenderer::setRotation(const QQuaternion &q)
{
    rotation = q;
    const QVector3D euler = q.toEulerAngles();
    standArc->setRotation(QQuaternion::fromEulerAngles(0.0f, 0.0f, euler.z()));
    facesValid = false;
    return this;
}

PrPrismRenderer *PrPrismRenderer::setScale(const QVector3D &s)
{
    scale = s;
    standArc->setScale(1.2f * s);
    facesValid = false;
    return placeStand(position);
}

QMatrix4x4 PrPrismRenderer::modelMatrix() const
{
    return bodyMatrix(position, rotation, offset, scale, apexAngle);
}

QMatrix4x4 PrPrismRenderer::bodyMatrix(const QVector3D &position, const QQuaternion &rotation,
                                       const QVector3D &offset, const QVector3D &scale, float apexAngle)
{
    const float halfAngle = apexAngle * 0.5f * 0.017453292f;
    const float t = float(std::tan(double(halfAngle)));
    QMatrix4x4 m;
    m.translate(position);
    m.rotate(rotation);
    m.translate(offset);
    m.scale(scale.x(), scale.y(), scale.z() * t);
    return m;
}

PrPrismRenderer *PrPrismRenderer::setOffset(const QVector3D &)
{
    return this;
}

PrPrismRenderer *PrPrismRenderer::setVisible(bool v)
{
    visible = v;
    standBase->setVisible(v);
    standRod->setVisible(v);
    standArc->setVisible(v);
    return this;
}

void PrPrismRenderer::render(ScBasicCamera *camera)
{
    standBase->render(camera);
    standRod->render(camera);
    standArc->render(camera);

    const QSharedPointer<QOpenGLShaderProgram> saved = m_shaderProgram;
    ScTransparentMeshRenderer::render(camera);

    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    m_shaderProgram = unlitProgram();
    ScMeshRenderer::render(camera);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    m_shaderProgram = saved;
}

void PrPrismRenderer::refract(PhRay *ray, bool)
{
    if (!visible)
        return;
    if (!facesValid)
        updateFacePlanes();
    if (!indexValid)
        updateIndexFunction();
    entryFace.refract(ray, true);
    exitFace.refract(ray, false);
}

PrPrismRenderer *PrPrismRenderer::setApexAngle(float degrees)
{
    apexAngle = degrees;
    facesValid = false;
    return this;
}

PrPrismRenderer *PrPrismRenderer::setDispersionMode(int mode)
{
    QSharedPointer<PhComplexIndexFunction> glass = indexFunction();
    if (!glass)
        glass = PhComplexIndexFunction::create();
    if (mode < 0) {
        glass->imaginaryFunction = PhGaussianIndexFunction::create();
        glass->buildRealPartFromAbsorption(kTableMin, kTableMax, kTableNodes);
    } else {
        glass->realFunction = PhParabolicIndexFunction::create();
        glass->imaginaryFunction.reset();
    }
    entryFace.material = glass;
    exitFace.material = glass;
    dispersionMode = mode;
    return this;
}

template <typename Band>
PrPrismRenderer *PrPrismRenderer::writeBand(Band write)
{
    const QSharedPointer<PhComplexIndexFunction> glass = indexFunction();
    const QSharedPointer<PhGaussianIndexFunction> band =
        glass ? qSharedPointerDynamicCast<PhGaussianIndexFunction>(glass->imaginaryPart())
              : QSharedPointer<PhGaussianIndexFunction>();
    if (!band)
        return this;
    write(*band);
    indexValid = false;
    return this;
}

PrPrismRenderer *PrPrismRenderer::setAbsorptionSpectrumCenter(double center)
{
    return writeBand([center](PhGaussianIndexFunction &band) { band.center = center; });
}

PrPrismRenderer *PrPrismRenderer::setAbsorptionSpectrumWidth(double widthCoefficient)
{
    return writeBand([widthCoefficient](PhGaussianIndexFunction &band) { band.widthCoefficient = widthCoefficient; });
}

PrPrismRenderer *PrPrismRenderer::setAbsorptionSpectrumHeight(double height)
{
    return writeBand([height](PhGaussianIndexFunction &band) { band.height = height; });
}

QSharedPointer<PhComplexIndexFunction> PrPrismRenderer::indexFunction() const
{
    return entryFace.indexFunction();
}

void PrPrismRenderer::updateFacePlanes()
{
    placeFaces(modelMatrix(), &entryFace, &exitFace);
    facesValid = true;
}

void PrPrismRenderer::placeFaces(const QMatrix4x4 &m, PhRefractivePlane *entry, PhRefractivePlane *exit)
{
    const QVector3D edgeA = m.map(QVector3D(-0.1f, -0.1f, 0.0f));
    const QVector3D edgeB = m.map(QVector3D(0.1f, -0.1f, 0.0f));
    const QVector3D entryTop = m.map(QVector3D(0.1f, 0.1f, 0.2f));
    const QVector3D exitTop = m.map(QVector3D(-0.1f, 0.1f, -0.2f));

    entry->normal = -QVector3D::normal(edgeA, edgeB, entryTop);
    entry->cornerA = edgeA;
    entry->cornerB = entryTop;

    exit->normal = -QVector3D::normal(edgeA, edgeB, exitTop);
    exit->cornerA = edgeB;
    exit->cornerB = exitTop;
}

void PrPrismRenderer::updateIndexFunction()
{
    if (dispersionMode < 0)
        indexFunction()->buildRealPartFromAbsorption(kTableMin, kTableMax, kTableNodes);
    indexValid = true;
}
