#include "scene/ScBasicCamera.h"

#include <GL/gl.h>

namespace {

// trunc(float(fraction × size)): the product in double, rounded to single precision.
int scaledPixels(double fraction, float size)
{
    return int(float(fraction * double(size)));
}

} // namespace

ScBasicCamera::~ScBasicCamera() = default;

QMatrix4x4 ScBasicCamera::viewMatrix() const
{
    return QMatrix4x4();
}

QMatrix4x4 ScBasicCamera::projectionMatrix() const
{
    // A target without height gets aspect 1 instead of a division by zero.
    const float aspect = height != 0.0f ? width / height : 1.0f;
    QMatrix4x4 m;
    m.perspective(60.0f, aspect, 0.01f, 100.0f);
    return m;
}

void ScBasicCamera::applyViewport()
{
    const QRect rect = viewportRect();
    glScissor(rect.x(), rect.y(), rect.width(), rect.height());
    glViewport(rect.x(), rect.y(), rect.width(), rect.height());
    glClearColor(clearColor.x(), clearColor.y(), clearColor.z(), clearColor.w());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ScBasicCamera::endPass()
{
}

QRect ScBasicCamera::viewportRect() const
{
    return QRect(scaledPixels(viewport.x(), width), scaledPixels(viewport.y(), height),
                 scaledPixels(viewport.width(), width), scaledPixels(viewport.height(), height));
}
