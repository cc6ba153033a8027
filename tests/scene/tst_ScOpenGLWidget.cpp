#include "scene/ScMesh.h"
#include "scene/ScMeshRenderer.h"
#include "scene/ScOpenGLWidget.h"
#include "scene/ScOrbitalCamera.h"
#include "scene/ScProjectionCamera.h"
#include "scene/ScScene.h"
#include "scene/ScShaders.h"
#include "scene/ScTransparentMeshRenderer.h"

#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

#include <GL/gl.h>

#include <memory>

namespace {

// Records what the widget asks of it; with `draw` set it also draws a small test picture.
class RecordingScene : public ScScene
{
public:
    explicit RecordingScene(bool draw = false)
        : draw(draw)
    {
    }

    void initialize() override
    {
        ++initializeCalls;
        depthTestDuringInitialize = glIsEnabled(GL_DEPTH_TEST);
        scissorTestDuringInitialize = glIsEnabled(GL_SCISSOR_TEST);
        contextDuringInitialize = QOpenGLContext::currentContext() != nullptr;
        if (draw)
            build();
    }

    void render() override
    {
        ++renderCalls;
        depthTestDuringRender = glIsEnabled(GL_DEPTH_TEST);
        scissorTestDuringRender = glIsEnabled(GL_SCISSOR_TEST);
        if (!draw)
            return;
        camera->applyViewport();
        opaque->render(camera.data());
        translucent->render(camera.data());
        camera->endPass();
        inset->applyViewport();
        inset->endPass();
    }

    void rotateCamera(const QVector2D &delta) override { deltas.append(delta); }

    void resize(float width, float height) override
    {
        sizes.append(QSizeF(width, height));
        if (draw) {
            camera->width = inset->width = width;
            camera->height = inset->height = height;
        }
    }

    // A red opaque quad left of the centre at z 0, and a half-transparent green quad at z 1
    // over the centre, in front of part of the red one; a black inset at the lower right.
    void build()
    {
        camera = ScOrbitalCamera::create();
        camera->clearColor = QVector4D(1, 1, 1, 1);
        inset = ScProjectionCamera::create();
        inset->viewport = QRectF(0.7, 0.05, 0.25, 0.25);
        inset->clearColor = QVector4D(0, 0, 0, 1);

        opaque = ScMeshRenderer::create();
        opaque->m_mesh = ScMesh::create(quad(-2.0f, 0.0f, 0.0f, QVector4D(1, 0, 0, 1)).constData(), 6);
        opaque->m_shaderProgram = unlitProgram();

        translucent = ScTransparentMeshRenderer::create();
        const QVector<ScVertex> green = quad(-1.0f, 1.0f, 1.0f, QVector4D(0, 1, 0, 1));
        translucent->m_mesh = ScMesh::create(green.constData(), 6, true);
        translucent->m_shaderProgram = unlitProgram();
        translucent->color = QVector4D(1, 1, 1, 0.5f);
    }

    static QVector<ScVertex> quad(float x0, float x1, float z, const QVector4D &color)
    {
        auto v = [&](float x, float y) {
            return ScVertex{QVector3D(x, y, z), QVector2D(), QVector3D(0, 0, 1), color};
        };
        return {v(x0, -1), v(x1, -1), v(x1, 1), v(x0, -1), v(x1, 1), v(x0, 1)};
    }

    bool draw;
    int initializeCalls = 0;
    int renderCalls = 0;
    bool depthTestDuringInitialize = true;
    bool scissorTestDuringInitialize = true;
    bool contextDuringInitialize = false;
    bool depthTestDuringRender = false;
    bool scissorTestDuringRender = false;
    QVector<QVector2D> deltas;
    QVector<QSizeF> sizes;

    QSharedPointer<ScOrbitalCamera> camera;
    QSharedPointer<ScProjectionCamera> inset;
    QSharedPointer<ScMeshRenderer> opaque;
    QSharedPointer<ScTransparentMeshRenderer> translucent;
};

void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &pos)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, pos, pos, Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QByteArray text(const QColor &c)
{
    return "(" + QByteArray::number(c.red()) + ", " + QByteArray::number(c.green()) + ", "
        + QByteArray::number(c.blue()) + ")";
}

} // namespace

class TestScOpenGLWidget : public QObject
{
    Q_OBJECT

private slots:
    void dragRotates_data();
    void dragRotates();
    void pressReleaseAndWheelChangeNothing();
    void withoutSceneEveryHandlerIsSilent();
    void firstFrameSequence();
    void resizePassesPixels();
    void ensureContextCurrent();
    void coreProfileIsReportedOnce();
    void rendersOpaqueAndTranslucentMeshes_data();
    void rendersOpaqueAndTranslucentMeshes();
    void cleanupTestCase();

private:
    // One drawing widget for every probe: the shared programs belong to its context.
    std::unique_ptr<ScOpenGLWidget> m_drawing;
    QSharedPointer<RecordingScene> m_drawingScene;
    QImage m_frame;
};

void TestScOpenGLWidget::dragRotates_data()
{
    QTest::addColumn<QVector<QPointF>>("path"); // press, then moves
    QTest::addColumn<QVector<QVector2D>>("deltas");

    QTest::newRow("diagonal drag") << QVector<QPointF>{{100, 100}, {180, 140}}
                                   << QVector<QVector2D>{{-1, -2}};
    QTest::newRow("one pixel down") << QVector<QPointF>{{10, 10}, {10, 11}}
                                    << QVector<QVector2D>{{-0.025f, 0}};
    QTest::newRow("up and left are positive") << QVector<QPointF>{{50, 50}, {30, 10}}
                                              << QVector<QVector2D>{{1, 0.5f}};
    QTest::newRow("fractional positions") << QVector<QPointF>{{0.5, 0.25}, {1.5, 0.75}}
                                          << QVector<QVector2D>{{-0.0125f, -0.025f}};
    QTest::newRow("moves chain from the last one") << QVector<QPointF>{{0, 0}, {40, 0}, {80, 40}}
                                                   << QVector<QVector2D>{{0, -1}, {-1, -1}};
}

void TestScOpenGLWidget::dragRotates()
{
    QFETCH(QVector<QPointF>, path);
    QFETCH(QVector<QVector2D>, deltas);

    ScOpenGLWidget widget;
    const QSharedPointer<RecordingScene> scene(new RecordingScene);
    widget.m_scene = scene;
    sendMouse(&widget, QEvent::MouseButtonPress, path[0]);
    QCOMPARE(widget.lastMousePos, path[0]);
    for (int i = 1; i < path.size(); ++i)
        sendMouse(&widget, QEvent::MouseMove, path[i]);
    QCOMPARE(scene->deltas.size(), deltas.size());
    for (int i = 0; i < deltas.size(); ++i) {
        const float error = (scene->deltas[i] - deltas[i]).length();
        QVERIFY2(error <= 1e-6f,
                 QByteArray("move " + QByteArray::number(i) + " gave ("
                            + QByteArray::number(scene->deltas[i].x()) + ", "
                            + QByteArray::number(scene->deltas[i].y()) + "), expected ("
                            + QByteArray::number(deltas[i].x()) + ", "
                            + QByteArray::number(deltas[i].y()) + ")")
                     .constData());
    }
    QCOMPARE(widget.lastMousePos, path.last());
}

void TestScOpenGLWidget::pressReleaseAndWheelChangeNothing()
{
    ScOpenGLWidget widget;
    const QSharedPointer<RecordingScene> scene(new RecordingScene);
    widget.m_scene = scene;
    sendMouse(&widget, QEvent::MouseButtonPress, QPointF(5, 5));
    sendMouse(&widget, QEvent::MouseButtonRelease, QPointF(5, 5));
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &wheel);
    QVERIFY2(wheel.isAccepted(), "the wheel event was passed on");
    QVERIFY2(scene->deltas.isEmpty(), "press, release or wheel rotated the camera");
    QCOMPARE(widget.scene().data(), static_cast<ScScene *>(scene.data()));
}

void TestScOpenGLWidget::withoutSceneEveryHandlerIsSilent()
{
    ScOpenGLWidget widget;
    QVERIFY(!widget.scene());
    sendMouse(&widget, QEvent::MouseButtonPress, QPointF(7, 9));
    sendMouse(&widget, QEvent::MouseMove, QPointF(70, 90));
    QCOMPARE(widget.lastMousePos, QPointF(0, 0));
    widget.resize(64, 48);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QImage frame = widget.grabFramebuffer();
    QVERIFY2(!frame.isNull(), "no frame from a widget without a scene");
}

void TestScOpenGLWidget::firstFrameSequence()
{
    ScOpenGLWidget widget;
    const QSharedPointer<RecordingScene> scene(new RecordingScene);
    widget.m_scene = scene;
    QVERIFY2(!widget.ensureContextCurrent(), "a context before the widget was shown");
    widget.resize(120, 90);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.grabFramebuffer();
    QVERIFY2(widget.isValid(), "the widget has no GL context");
    QCOMPARE(scene->initializeCalls, 1);
    QVERIFY2(scene->contextDuringInitialize, "initialize ran without a current context");
    QVERIFY2(!scene->depthTestDuringInitialize && !scene->scissorTestDuringInitialize,
             "the depth or scissor test was on before the scene's initialize");
    QVERIFY2(scene->renderCalls >= 1, "render was not called");
    QVERIFY2(scene->depthTestDuringRender && scene->scissorTestDuringRender,
             "depth and scissor tests are not on while rendering");
    QVERIFY2(!scene->sizes.isEmpty() && scene->sizes.first() == QSizeF(120, 90),
             "resize did not follow initialisation with the widget's size");
}

void TestScOpenGLWidget::resizePassesPixels()
{
    ScOpenGLWidget widget;
    const QSharedPointer<RecordingScene> scene(new RecordingScene);
    widget.m_scene = scene;
    widget.resize(100, 80);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.resize(1024, 768);
    QTRY_VERIFY2(!scene->sizes.isEmpty() && scene->sizes.last() == QSizeF(1024, 768),
                 "resize(1024, 768) did not reach the scene");
}

void TestScOpenGLWidget::ensureContextCurrent()
{
    ScOpenGLWidget widget;
    widget.m_scene.reset(new RecordingScene);
    widget.resize(32, 32);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.grabFramebuffer();

    // From another current context: switches to the widget's.
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext other;
    QVERIFY(other.create() && other.makeCurrent(&surface));
    QVERIFY2(widget.ensureContextCurrent(), "could not make the widget's context current");
    QCOMPARE(QOpenGLContext::currentContext(), widget.context());

    // Already current: stays current, nothing released.
    QVERIFY(widget.ensureContextCurrent());
    QCOMPARE(QOpenGLContext::currentContext(), widget.context());

    // Without any current context.
    widget.doneCurrent();
    QVERIFY(!QOpenGLContext::currentContext());
    QVERIFY(widget.ensureContextCurrent());
    QCOMPARE(QOpenGLContext::currentContext(), widget.context());
    widget.doneCurrent();
}

void TestScOpenGLWidget::coreProfileIsReportedOnce()
{
    ScOpenGLWidget widget;
    const QSharedPointer<RecordingScene> scene(new RecordingScene);
    widget.m_scene = scene;
    QSurfaceFormat core;
    core.setVersion(3, 3);
    core.setProfile(QSurfaceFormat::CoreProfile);
    widget.setFormat(core);
    QSignalSpy reports(&widget, &ScOpenGLWidget::openGLUnusable);
    widget.resize(64, 48);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QVERIFY2(widget.isValid() && widget.format().profile() == QSurfaceFormat::CoreProfile,
             "the driver gave no core-profile context to refuse");
    QTRY_COMPARE(reports.count(), 1);
    const QString shortfall = reports.first().first().toString();
    QVERIFY2(shortfall.contains(QStringLiteral("as a core profile")), qPrintable(shortfall));

    // Resizes and repaints report nothing more, and the scene is neither initialised nor drawn.
    widget.resize(100, 80);
    widget.update();
    QTest::qWait(50);
    QCOMPARE(reports.count(), 1);
    QCOMPARE(scene->initializeCalls, 0);
    QCOMPARE(scene->renderCalls, 0);
}

void TestScOpenGLWidget::rendersOpaqueAndTranslucentMeshes_data()
{
    QTest::addColumn<QVector3D>("world");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("opaque red alone") << QVector3D(-1.5f, 0.5f, 0) << QColor(255, 0, 0);
    QTest::newRow("green blended over red") << QVector3D(-0.5f, 0, 1) << QColor(128, 128, 0);
    QTest::newRow("green blended over white") << QVector3D(0.5f, -0.5f, 1) << QColor(128, 255, 128);
    QTest::newRow("background") << QVector3D(2.2f, 0, 0) << QColor(255, 255, 255);
    QTest::newRow("above the quads") << QVector3D(-1.5f, 1.4f, 0) << QColor(255, 255, 255);
}

void TestScOpenGLWidget::rendersOpaqueAndTranslucentMeshes()
{
    QFETCH(QVector3D, world);
    QFETCH(QColor, expected);

    if (!m_drawing) {
        m_drawing.reset(new ScOpenGLWidget);
        m_drawingScene.reset(new RecordingScene(true));
        m_drawing->m_scene = m_drawingScene;
        m_drawing->resize(200, 150);
        m_drawing->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_drawing.get()));
        m_frame = m_drawing->grabFramebuffer();
    }
    const QImage &frame = m_frame;
    const QSharedPointer<RecordingScene> &scene = m_drawingScene;
    QCOMPARE(frame.size(), QSize(200, 150));

    // Where the camera puts the point: clip space, then window pixels (rows from the top).
    const QVector3D ndc =
        (scene->camera->projectionMatrix() * scene->camera->viewMatrix()).map(world);
    const int x = int((ndc.x() + 1.0f) * 0.5f * 200.0f);
    const int y = 149 - int((ndc.y() + 1.0f) * 0.5f * 150.0f);
    QVERIFY2(x >= 0 && x < 200 && y >= 0 && y < 150, "the probe lies outside the frame");
    const QColor got = frame.pixelColor(x, y);
    const int error = std::max({std::abs(got.red() - expected.red()),
                                std::abs(got.green() - expected.green()),
                                std::abs(got.blue() - expected.blue())});
    QVERIFY2(error <= 3,
             QByteArray("pixel (" + QByteArray::number(x) + ", " + QByteArray::number(y) + ") is "
                        + text(got) + ", expected " + text(expected) + " within 3")
                 .constData());

    // The inset pass cleared only its own square: x from 200 - 150 + 0.7 · 150, y from 0.05 · 150.
    const QRect inset = scene->inset->viewportRect();
    QCOMPARE(inset, QRect(155, 7, 37, 37));
    const QColor inside = frame.pixelColor(inset.x() + 2, 149 - inset.y() - 2);
    const QColor outside = frame.pixelColor(inset.x() - 2, 149 - inset.y() - 2);
    QVERIFY2(inside == QColor(0, 0, 0), QByteArray("inset pixel " + text(inside)).constData());
    QVERIFY2(outside != QColor(0, 0, 0), "the inset's clear reached beyond its square");
}

void TestScOpenGLWidget::cleanupTestCase()
{
    m_drawing.reset();
}

QTEST_MAIN(TestScOpenGLWidget)
#include "tst_ScOpenGLWidget.moc"
