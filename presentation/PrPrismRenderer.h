#pragma once

#include "optics/IPhRefractiveObject.h"
#include "optics/PhComplexIndexFunction.h"
#include "optics/PhRefractivePlane.h"
#include "scene/ScTransparentMeshRenderer.h"

#include <QMatrix4x4>
#include <QQuaternion>
#include <QSharedPointer>
#include <QVector3D>

class QOpenGLTexture;
class ScBasicCamera;
class ScMesh;
class ScMeshRenderer;

// A glass prism on its stand, drawn refracting the room and traced by the beam.
// Model matrix T(position) · R(rotation) · T(offset) · S(sx, sy, sz · tan(apexAngle / 2)) turns the
// body's 90-degree model apex into apexAngle; each ray gets one point per face (none when hidden).
class PrPrismRenderer : public ScTransparentMeshRenderer, public IPhRefractiveObject
{
public:
    // Needs a current GL context (the first prism uploads the shared meshes and cube map).
    PrPrismRenderer();
    ~PrPrismRenderer() override;

    // Needs a current GL context.
    static QSharedPointer<PrPrismRenderer> create();

    // Also places the stand: base on the floor below, rod under the arc, arc at p.
    PrPrismRenderer *setPosition(const QVector3D &p) override;
    // Also turns the arc by the roll angle of q.
    PrPrismRenderer *setRotation(const QQuaternion &q) override;
    // Also scales the arc by 1.2 s and places the stand again.
    PrPrismRenderer *setScale(const QVector3D &s) override;
    QMatrix4x4 modelMatrix() const override;
    // The offset is fixed by the constructor: ignores its argument.
    PrPrismRenderer *setOffset(const QVector3D &offset) override;
    // Also shows or hides the three stand parts.
    PrPrismRenderer *setVisible(bool v) override;
    // Stand parts, the refracting body, then its wireframe. Needs a current GL context.
    void render(ScBasicCamera *camera) override;

    // Traces the ray through the entry face and then the exit face; `entering` is ignored.
    void refract(PhRay *ray, bool entering) override;

    PrPrismRenderer *setApexAngle(float degrees);
    // Negative: anomalous dispersion from a new default absorption band; otherwise normal dispersion.
    PrPrismRenderer *setDispersionMode(int mode);
    // Band of an anomalous glass: centre (µm), k of exp(-k (λ - centre)²), peak κ.
    // On a glass with no band they do nothing.
    PrPrismRenderer *setAbsorptionSpectrumCenter(double center);
    PrPrismRenderer *setAbsorptionSpectrumWidth(double widthCoefficient);
    PrPrismRenderer *setAbsorptionSpectrumHeight(double height);

    // The glass, shared by both faces.
    QSharedPointer<PhComplexIndexFunction> indexFunction() const;

    void updateFacePlanes();
    void updateIndexFunction();

    // The body's model matrix for a placement and apex angle (what modelMatrix() returns).
    static QMatrix4x4 bodyMatrix(const QVector3D &position, const QQuaternion &rotation, const QVector3D &offset,
                                 const QVector3D &scale, float apexAngle);
    // Normal and corners of the two refracting faces of a body under model matrix m; the normals
    // point along the direction of travel (towards -z in model space).
    static void placeFaces(const QMatrix4x4 &m, PhRefractivePlane *entry, PhRefractivePlane *exit);

    float apexAngle = 60.0f;
    int dispersionMode = 1;
    QSharedPointer<ScMeshRenderer> standBase;
    QSharedPointer<ScMeshRenderer> standRod;
    QSharedPointer<ScMeshRenderer> standArc;
    bool facesValid = false;
    bool indexValid = false;
    PhRefractivePlane entryFace;
    PhRefractivePlane exitFace;

    // Shared by all prisms, created by the first constructor, kept until exit.
    static QSharedPointer<QOpenGLTexture> roomCubeMap;
    static QSharedPointer<ScMesh> prismBodyMesh;
    static QSharedPointer<ScMesh> prismStandBaseMesh;
    static QSharedPointer<ScMesh> prismStandRodMesh;
    static QSharedPointer<ScMesh> prismStandArcMesh;
    static float standRodHeight;
    static float standArcHeight;

private:
    PrPrismRenderer *placeStand(const QVector3D &p);
    template <typename Band>
    PrPrismRenderer *writeBand(Band write);
};
