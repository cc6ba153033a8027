#pragma once

#include <QOpenGLWidget>
#include <QPointF>
#include <QSharedPointer>

class ScScene;

// The GL view that drives one ScScene: a drag by (dx, dy) pixels rotates by (dy / -40, dx / -40)
// degrees (pitch, yaw); frames are drawn continuously. Without a context that meets the need in
// ScOpenGLSupport.h (OpenGL 2.0 with GLSL 1.20 and framebuffer objects) it leaves the scene
// uninitialised, says so on the console and in a message box, and ends the application's event
// loop with openGLFailureExitCode once the box is closed.
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

    static const int openGLFailureExitCode = 1;

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
    // Qt creates the context on the first show or non-empty resize; these look at the outcome.
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void reportIfContextFailed();
    // Once: the console line now, the message box and the end of the event loop next.
    void reportUnusableOpenGL(const QString &shortfall);

    bool openGLReported = false;
};
