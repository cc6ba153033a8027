#include "scene/ScOffsetTransform.h"

QMatrix4x4 ScOffsetTransform::modelMatrix() const
{
    QMatrix4x4 m;
    m.translate(position);
    m.rotate(rotation);
    m.translate(offset);
    m.scale(scale);
    return m;
}

ScOffsetTransform *ScOffsetTransform::setOffset(const QVector3D &offset)
{
    this->offset = offset;
    return this;
}
