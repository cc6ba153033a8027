#pragma once

#include <QOpenGLWidget>
#include <QPointF>
#include <QSharedPointer>

class ScScene;

// The GL view that drives one ScScene: a drag by (dx, dy) pixels rotates by (dy / -40, dx / -40)
// degrees (pitch, yaw); frames are drawn continuously.
class ScOpenGLWidget : public QOpenGLWidget
{
public:
    explicit ScOpenGLWidget(QWidget *parent = nullptr);
    ~ScOpenGLWidget() override;

    QSharedPointer<ScScene> scene() const;

    // For GL work outside the widget's GL callbacks (uploads from slots): makes the widget's
    // context current unless it already is; never releases a current context. Returns whether
    // the widget's context is current afterwards (false before the widget's GL initialisation).
    bool ensureContextCurrent();

    QPointF lastMousePos;
    QSharedPointer<ScScene> m_scene;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
};
