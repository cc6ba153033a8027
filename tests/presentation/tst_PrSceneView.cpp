// The scene inside its GL widget: a retrace from outside the widget's GL callbacks uploads into the
// widget's own buffers, whatever context was current before.
#include "presentation/PrBeamConeRenderer.h"
#include "presentation/PrPrismRenderer.h"
#include "presentation/PrScene.h"
#include "scene/ScMesh.h"
#include "scene/ScOpenGLWidget.h"
#include "scene/ScProjectionCamera.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QtTest>

#include <memory>

class TestPrSceneView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void retraceFromAForeignContext();
    void retraceKeepsACurrentContext();

private:
    void verifyBuffers(const char *when);

    std::unique_ptr<ScOpenGLWidget> m_view;
    QSharedPointer<PrScene> m_scene;
};

void TestPrSceneView::initTestCase()
{
    m_scene = PrScene::create();
    m_view = std::make_unique<ScOpenGLWidget>();
    m_view->m_scene = m_scene;
    m_view->resize(640, 480);
    m_view->show();
    QVERIFY2(QTest::qWaitForWindowExposed(m_view.get()), "the GL widget is never shown");
    QTRY_VERIFY2(m_scene->beam, "the widget never initialised the scene");
}

void TestPrSceneView::cleanupTestCase()
{
    m_view.reset();
    m_scene.reset();
}

void TestPrSceneView::verifyBuffers(const char *when)
{
    const QSharedPointer<ScMesh> meshes[3] = {m_scene->beam->mesh(), m_scene->beam->roomStrip->mesh(),
                                              m_scene->beam->closeUpStrip->mesh()};
    const char *names[3] = {"cones", "room strip", "close-up strip"};
    for (int i = 0; i < 3; ++i) {
        QOpenGLBuffer &buffer = meshes[i]->buffer;
        QVERIFY2(buffer.bind(), qPrintable(QStringLiteral("%1: %2 buffer cannot be bound").arg(when, names[i])));
        const int bytes = buffer.size();
        const int needed = meshes[i]->vertexCount * int(sizeof(ScVertex));
        QVERIFY2(bytes >= needed, qPrintable(QStringLiteral("%1: %2 buffer holds %3 bytes for %4 vertices (%5 bytes)")
                                                 .arg(when, names[i]).arg(bytes).arg(meshes[i]->vertexCount).arg(needed)));
    }
}

void TestPrSceneView::retraceFromAForeignContext()
{
    // Small meshes first: the hidden prism leaves a single spot on the screen.
    QVERIFY(m_view->ensureContextCurrent());
    m_scene->firstPrism()->setVisible(false);
    m_scene->retrace();
    QCOMPARE(m_scene->beam->roomStrip->mesh()->vertexCount, 6);

    // Another context, not shared with the widget's, is current when the window's slot runs.
    QOpenGLContext foreign;
    QVERIFY(foreign.create());
    QOffscreenSurface surface;
    surface.setFormat(foreign.format());
    surface.create();
    QVERIFY(foreign.makeCurrent(&surface));

    m_scene->firstPrism()->setVisible(true);
    m_scene->retrace();
    QVERIFY2(QOpenGLContext::currentContext() == m_view->context(), "retrace made the widget's context current");
    QVERIFY2(m_scene->beam->roomStrip->mesh()->vertexCount > 6, "the spectrum spreads again");
    verifyBuffers("after a retrace from a foreign context");

    // The next frame draws the new spectrum in the inset.
    const QImage frame = m_view->grabFramebuffer();
    const QRect r = m_scene->closeUpCamera->viewportRect();
    int coloured = 0;
    for (int y = frame.height() - r.bottom() - 1; y < frame.height() - r.top(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            coloured += qMax(qMax(qRed(frame.pixel(x, y)), qGreen(frame.pixel(x, y))), qBlue(frame.pixel(x, y))) > 40 ? 1 : 0;
    QVERIFY2(coloured > 50, qPrintable(QStringLiteral("only %1 coloured pixels in the inset").arg(coloured)));
    foreign.doneCurrent();
}

void TestPrSceneView::retraceKeepsACurrentContext()
{
    QVERIFY(m_view->ensureContextCurrent());
    m_scene->firstPrism()->setApexAngle(50);
    m_scene->retrace();
    QVERIFY2(QOpenGLContext::currentContext() == m_view->context(), "a current widget context stays current");
    verifyBuffers("after a retrace with the widget's context current");
}

QTEST_MAIN(TestPrSceneView)
#include "tst_PrSceneView.moc"
