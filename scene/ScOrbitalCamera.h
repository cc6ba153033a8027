#pragma once

#include "scene/ScBasicCamera.h"

#include <QSharedPointer>
#include <QVector2D>
#include <QVector3D>

// Orbits `target`: R = fromEulerAngles(pitch, yaw, 0), eye = target + R·offset, up = R·(0, 1, 0),
// view = lookAt(eye, target, up).
class ScOrbitalCamera : public ScBasicCamera
{
public:
    ~ScOrbitalCamera() override;

    static QSharedPointer<ScOrbitalCamera> create();

    QMatrix4x4 viewMatrix() const override;

    // Adds delta (pitch, yaw) in degrees; each angle is fmod-ed by 360, then held within
    // [minRotation, maxRotation] with the lower limit winning.
    ScOrbitalCamera *rotate(const QVector2D &delta);

    QVector2D rotation;
    QVector2D minRotation = QVector2D(-90.0f, -360.0f);
    QVector2D maxRotation = QVector2D(90.0f, 360.0f);
    QVector3D target;
    QVector3D offset = QVector3D(0.0f, 0.0f, 5.0f);
};
