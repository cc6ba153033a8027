#pragma once

#include <QMatrix4x4>
#include <QRect>
#include <QRectF>
#include <QVector4D>

// Base camera: identity view, projection perspective(60°, width / height, 0.01, 100);
// claims its pixel rectangle (viewportRect) and clears it.
class ScBasicCamera
{
public:
    virtual ~ScBasicCamera();

    virtual QMatrix4x4 viewMatrix() const;
    virtual QMatrix4x4 projectionMatrix() const;
    // Sets scissor and viewport to the camera's rectangle and clears its colour and depth.
    // Needs a current GL context.
    virtual void applyViewport();
    virtual void endPass();

    // The pixel rectangle that applyViewport claims (lower-left origin); here
    // trunc(viewport × (width, height)).
    virtual QRect viewportRect() const;

    float width = 800.0f;
    float height = 600.0f;
    QRectF viewport = QRectF(0.0, 0.0, 1.0, 1.0);
    QVector4D clearColor = QVector4D(0.0f, 0.0f, 0.0f, 0.0f);
};
