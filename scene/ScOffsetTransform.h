#pragma once

#include "scene/ScTransform.h"

// A transform turning about `position` with the scaled model hung at `offset`:
// M = T(position) · R(rotation) · T(offset) · S(scale).
class ScOffsetTransform : public ScTransform
{
public:
    QMatrix4x4 modelMatrix() const override;
    virtual ScOffsetTransform *setOffset(const QVector3D &offset);

    QVector3D offset;
};
