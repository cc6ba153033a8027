#include "scene/ScProjectionCamera.h"

ScProjectionCamera::~ScProjectionCamera() = default;

QSharedPointer<ScProjectionCamera> ScProjectionCamera::create()
{
    return QSharedPointer<ScProjectionCamera>(new ScProjectionCamera());
}

QMatrix4x4 ScProjectionCamera::viewMatrix() const
{
    QMatrix4x4 placement;
    placement.translate(position);
    placement.rotate(rotation);
    return placement.inverted();
}

QMatrix4x4 ScProjectionCamera::projectionMatrix() const
{
    const float a = -0.5f * orthoSize;
    // A target without height gets a square box instead of a division by zero.
    const float b = height != 0.0f ? (width * a) / height : a;
    QMatrix4x4 m;
    m.ortho(a, -a, b, -b, 0.01f, 100.0f);
    return m;
}

QRect ScProjectionCamera::viewportRect() const
{
    // r = height / width; a target without width has no pixels, and r = 0 gives an empty rect.
    const float r = width != 0.0f ? height / width : 0.0f;
    const float oneMinusR = 1.0f - r;
    const int x = int(float((viewport.x() * double(r) + double(oneMinusR)) * double(width)));
    const int y = int(float(viewport.y() * double(height)));
    const float square = width * r;
    const int w = int(float(viewport.width() * double(square)));
    const int h = int(float(viewport.height() * double(height)));
    return QRect(x, y, w, h);
}
