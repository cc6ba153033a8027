#include "scene/ScOpenGLWidget.h"

#include "app/SceneWindow.h"
#include "scene/ScOpenGLSupport.h"
#include "scene/ScScene.h"

#include <QDebug>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QResizeEvent>
#include <QSurfaceFormat>
#include <QTimer>
#include <QWheelEvent>

#include <GL/gl.h>

ScOpenGLWidget::ScOpenGLWidget(QWidget *parent)
    : QOpenGLWidget(parent)
{
}

ScOpenGLWidget::~ScOpenGLWidget()
{
    m_scene.reset();
}

QSharedPointer<ScScene> ScOpenGLWidget::scene() const
{
    return m_scene;
}

bool ScOpenGLWidget::ensureContextCurrent()
{
    QOpenGLContext *own = context();
    if (!own || !isValid())
        return false;
    if (QOpenGLContext::currentContext() != own)
        makeCurrent();
    return QOpenGLContext::currentContext() == own;
}

// Every handler keeps its event accepted, so no press, release, move or wheel event is passed on
// to the parent (Qt hands some of them over ignored).
void ScOpenGLWidget::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_scene)
        return;
    lastMousePos = event->localPos();
}

void ScOpenGLWidget::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void ScOpenGLWidget::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_scene)
        return;
    const QPointF p = event->localPos();
    const QVector2D delta(float((p.y() - lastMousePos.y()) / -40.0),
                          float((p.x() - lastMousePos.x()) / -40.0));
    lastMousePos = p;
    m_scene->rotateCamera(delta);
}

void ScOpenGLWidget::wheelEvent(QWheelEvent *event)
{
    event->accept();
}

void ScOpenGLWidget::initializeGL()
{
    // Only a request: the context already exists and keeps the format it was created with.
    QSurfaceFormat format;
    format.setDepthBufferSize(32);
    format.setVersion(2, 0);
    format.setSamples(4);
    format.setAlphaBufferSize(0);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    context()->setFormat(format);
    context()->functions()->initializeOpenGLFunctions();

    const auto text = [](GLenum name) {
        return QByteArray(reinterpret_cast<const char *>(glGetString(name)));
    };
    const QString shortfall =
        openGLShortfall(text(GL_VERSION), text(GL_SHADING_LANGUAGE_VERSION),
                        context()->functions()->hasOpenGLFeature(QOpenGLFunctions::Framebuffers),
                        context()->format().profile() == QSurfaceFormat::CoreProfile);
    if (!shortfall.isEmpty()) {
        reportUnusableOpenGL(shortfall);
        return;
    }

    if (const QSharedPointer<ScScene> s = m_scene) {
        s->initialize();
        if (SceneWindow::instance)
            SceneWindow::instance->applySetup(false);
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_SCISSOR_TEST);
}

QSize ScOpenGLWidget::framebufferSize() const
{
    return size() * devicePixelRatioF();
}

void ScOpenGLWidget::resizeScene(const QSharedPointer<ScScene> &scene)
{
    sceneSize = framebufferSize();
    scene->resize(float(sceneSize.width()), float(sceneSize.height()));
}

// Qt passes the size in device-independent pixels; viewports and scissor boxes count device pixels.
void ScOpenGLWidget::resizeGL(int, int)
{
    if (const QSharedPointer<ScScene> s = m_scene)
        resizeScene(s);
}

void ScOpenGLWidget::paintGL()
{
    // A driver found wanting leaves the scene uninitialised: no frames to draw or to ask for.
    const QSharedPointer<ScScene> s = m_scene;
    if (!s || openGLReported)
        return;
    if (framebufferSize() != sceneSize)
        resizeScene(s);
    s->render();
    update();
}

void ScOpenGLWidget::showEvent(QShowEvent *event)
{
    QOpenGLWidget::showEvent(event);
    if (!size().isEmpty() && window()->windowHandle())
        reportIfContextFailed();
}

void ScOpenGLWidget::resizeEvent(QResizeEvent *event)
{
    QOpenGLWidget::resizeEvent(event);
    if (!event->size().isEmpty())
        reportIfContextFailed();
}

void ScOpenGLWidget::reportIfContextFailed()
{
    if (!isValid())
        reportUnusableOpenGL(openGLShortfall(QByteArray(), QByteArray(), false, false));
}

void ScOpenGLWidget::reportUnusableOpenGL(const QString &shortfall)
{
    if (openGLReported)
        return;
    openGLReported = true;
    qCritical().noquote() << openGLShortfallLine(shortfall);
    // Not from inside Qt's GL or event handling: a receiver may run an event loop of its own.
    QTimer::singleShot(0, this, [this, shortfall]() { emit openGLUnusable(shortfall); });
}
