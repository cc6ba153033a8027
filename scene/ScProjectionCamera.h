#pragma once

#include "scene/ScBasicCamera.h"
#include "scene/ScTransform.h"

#include <QSharedPointer>

// Orthographic camera placed by its transform: view = inverse(T(position) · R(rotation)),
// box ortho(a, -a, b, -b, 0.01, 100) with a = -orthoSize / 2, b = a · width / height;
// its rectangle is in units of the height inside the height × height square at the right edge.
class ScProjectionCamera : public ScBasicCamera, public ScTransform
{
public:
    ~ScProjectionCamera() override;

    static QSharedPointer<ScProjectionCamera> create();

    QMatrix4x4 viewMatrix() const override;
    QMatrix4x4 projectionMatrix() const override;
    QRect viewportRect() const override;

    float orthoSize = 5.0f;
};
