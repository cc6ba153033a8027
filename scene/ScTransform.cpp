#include "scene/ScTransform.h"

ScTransform::~ScTransform() = default;

ScTransform *ScTransform::setPosition(const QVector3D &position)
{
    this->position = position;
    return this;
}

ScTransform *ScTransform::setRotation(const QQuaternion &rotation)
{
    this->rotation = rotation;
    return this;
}

ScTransform *ScTransform::setScale(const QVector3D &scale)
{
    this->scale = scale;
    return this;
}

QMatrix4x4 ScTransform::modelMatrix() const
{
    QMatrix4x4 m;
    m.translate(position);
    m.rotate(rotation);
    m.scale(scale);
    return m;
}

QMatrix3x3 ScTransform::normalMatrix() const
{
    return modelMatrix().normalMatrix();
}
