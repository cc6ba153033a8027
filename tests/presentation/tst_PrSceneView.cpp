// The scene inside its GL widget: the two passes cover the widget's framebuffer at any display
// scale (QT_SCALE_FACTOR), and a retrace from outside the widget's GL callbacks uploads into the
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
    void passesCoverTheFramebuffer();
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
    // An odd size: at scale 1.25 the framebuffer is 803.75 x 603.75 pixels, rounded.
    m_view->resize(643, 483);
    m_view->show();
    QVERIFY2(QTest::qWaitForWindowExposed(m_view.get()), "the GL widget is never shown");
    QTRY_VERIFY2(m_scene->beam, "the widget never initialised the scene");
}

void TestPrSceneView::cleanupTestCase()
{
    m_view.reset();
    m_scene.reset();
}

namespace {

bool isBlack(QRgb pixel)
{
    return qMax(qMax(qRed(pixel), qGreen(pixel)), qBlue(pixel)) <= 8;
}

} // namespace

void TestPrSceneView::passesCoverTheFramebuffer()
{
    const QImage frame = m_view->grabFramebuffer();
    const qreal scale = m_view->devicePixelRatioF();
    qInfo("device pixel ratio %g, framebuffer %d x %d", scale, frame.width(), frame.height());
    QVERIFY2(frame.size() == m_view->size() * scale,
             qPrintable(QStringLiteral("a %1 x %2 frame for a %3 x %4 widget at scale %5")
                            .arg(frame.width()).arg(frame.height()).arg(m_view->width()).arg(m_view->height()).arg(scale)));
    const int w = frame.width();
    const int h = frame.height();

    // The room reaches every edge: one pixel inside each, a black sample is rare (the stand's dark
    // foot at the right edge gives a few); outside the room's pass, they all would be.
    struct Edge { const char *name; QPoint from; QPoint step; int count; };
    const Edge edges[] = {{"top", {0, 1}, {1, 0}, w}, {"bottom", {0, h - 2}, {1, 0}, w},
                          {"left", {1, 0}, {0, 1}, h}, {"right", {w - 2, 0}, {0, 1}, h}};
    for (const Edge &edge : edges) {
        int black = 0;
        int samples = 0;
        for (int i = 0; i < edge.count; i += 4, ++samples)
            black += isBlack(frame.pixel(edge.from + edge.step * i)) ? 1 : 0;
        QVERIFY2(black * 20 < samples,
                 qPrintable(QStringLiteral("%1 of %2 samples along the %3 edge of the %4 x %5 frame are black (bound 5%)")
                                .arg(black).arg(samples).arg(edge.name).arg(w).arg(h)));
    }

    // The inset: the square of side 0.2333 h, 0.05 h above the bottom, at 0.7167 h into the h x h
    // square at the right edge; rows of the image run top down. Its corners are black, and just
    // outside it the room shows.
    const QRectF inset(w - h + 0.71666664 * h, h - 0.05 * h - 0.23333333 * h, 0.23333333 * h, 0.23333333 * h);
    const QRect inside = inset.toRect().adjusted(3, 3, -3, -3);
    for (const QPoint corner : {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()})
        QVERIFY2(isBlack(frame.pixel(corner)),
                 qPrintable(QStringLiteral("inset corner (%1, %2) of the %3 x %4 frame is not black")
                                .arg(corner.x()).arg(corner.y()).arg(w).arg(h)));
    const QRect outside = inset.toRect().adjusted(-3, -3, 3, 3);
    for (const QPoint corner : {outside.topLeft(), outside.topRight(), outside.bottomLeft(), outside.bottomRight()})
        QVERIFY2(!isBlack(frame.pixel(corner)),
                 qPrintable(QStringLiteral("(%1, %2), just outside the inset of the %3 x %4 frame, is black")
                                .arg(corner.x()).arg(corner.y()).arg(w).arg(h)));
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
