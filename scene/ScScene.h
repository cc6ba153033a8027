#pragma once

#include <QVector2D>

// What the GL widget drives; every operation of the base does nothing.
class ScScene
{
public:
    virtual ~ScScene();

    // Once, with the widget's GL context current.
    virtual void initialize();
    // Every frame, with the widget's GL context current.
    virtual void render();
    // On a mouse drag, without a current context: delta = (pitch, yaw) change in degrees.
    virtual void rotateCamera(const QVector2D &delta);
    // On every resize: the widget's size in pixels.
    virtual void resize(float width, float height);
};
