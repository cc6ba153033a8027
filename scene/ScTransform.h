#pragma once

#include <QMatrix3x3>
#include <QMatrix4x4>
#include <QQuaternion>
#include <QVector3D>

// Places an object: model matrix M = T(position) · R(rotation) · S(scale),
// normal matrix = inverse transpose of M's upper 3x3 (identity when singular).
class ScTransform
{
public:
    virtual ~ScTransform();

    virtual ScTransform *setPosition(const QVector3D &position);
    virtual ScTransform *setRotation(const QQuaternion &rotation);
    virtual ScTransform *setScale(const QVector3D &scale);
    virtual QMatrix4x4 modelMatrix() const;
    virtual QMatrix3x3 normalMatrix() const;

    QQuaternion rotation;
    QVector3D position;
    QVector3D scale = QVector3D(1.0f, 1.0f, 1.0f);
};
