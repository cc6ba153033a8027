#include "scene/ScOrbitalCamera.h"

#include <QQuaternion>

#include <cmath>

namespace {

// fmod(angle + delta, 360) in double, then min with the upper and max with the lower limit.
float limitedAngle(float angle, float delta, float lower, float upper)
{
    const float sum = angle + delta;
    float v = float(std::fmod(double(sum), 360.0));
    v = v <= upper ? v : upper;
    return v > lower ? v : lower;
}

} // namespace

ScOrbitalCamera::~ScOrbitalCamera() = default;

QSharedPointer<ScOrbitalCamera> ScOrbitalCamera::create()
{
    return QSharedPointer<ScOrbitalCamera>(new ScOrbitalCamera());
}

QMatrix4x4 ScOrbitalCamera::viewMatrix() const
{
    const QQuaternion q = QQuaternion::fromEulerAngles(rotation.x(), rotation.y(), 0.0f);
    QMatrix4x4 r;
    r.rotate(q);
    const QVector3D eye = target + r.map(offset);
    const QVector3D up = r.map(QVector3D(0.0f, 1.0f, 0.0f));
    QMatrix4x4 m;
    m.lookAt(eye, target, up);
    return m;
}

ScOrbitalCamera *ScOrbitalCamera::rotate(const QVector2D &delta)
{
    rotation.setX(limitedAngle(rotation.x(), delta.x(), minRotation.x(), maxRotation.x()));
    rotation.setY(limitedAngle(rotation.y(), delta.y(), minRotation.y(), maxRotation.y()));
    return this;
}
