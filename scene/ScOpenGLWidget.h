#pragma once

#include <QOpenGLWidget>
#include <QPointF>
#include <QSharedPointer>

class ScScene;

// The GL view that drives one ScScene: a drag by (dx, dy) device-independent pixels rotates by
// (dy / -40, dx / -40) degrees (pitch, yaw); frames are drawn continuously. The scene measures its
// size in framebuffer pixels, which Qt's display scaling makes more than the widget's own. Without
// a context that meets the need in ScOpenGLSupport.h it leaves the scene uninitialised, draws no
// frames, says so on the console and reports it once through openGLUnusable.
class ScOpenGLWidget : public QOpenGLWidget
{
    Q_OBJECT

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

signals:
    // What the driver lacks, in words (see openGLShortfall); emitted once, from the event loop
    // rather than from inside Qt's GL or show handling.
    void openGLUnusable(const QString &shortfall);

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
    // Once: the console line now, openGLUnusable next.
    void reportUnusableOpenGL(const QString &shortfall);
    // The framebuffer's size in device pixels, as Qt sizes it: the widget's size times its device
    // pixel ratio, rounded.
    QSize framebufferSize() const;
    // Passes the framebuffer's size to the scene and remembers it.
    void resizeScene(const QSharedPointer<ScScene> &scene);

    bool openGLReported = false;
    // The size last passed to the scene; a move to a screen of another scale changes the
    // framebuffer without a resizeGL.
    QSize sceneSize;
};
