// The presentation scene with a real GL context: set-ups, prisms, screen, beam, GL state after a
// frame and a read-back of the two render passes. Set PRESENTATION_SCREENSHOT_DIR to also write the
// 1920 × 1080 frames as PNG files there.
#include "optics/PhGaussianIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhRayBundle.h"
#include "optics/PhUniformMeshIndexFunction.h"
#include "presentation/PrBeamConeRenderer.h"
#include "presentation/PrBeamMeshBuilders.h"
#include "presentation/PrPrismRenderer.h"
#include "presentation/PrRoomRenderer.h"
#include "presentation/PrScene.h"
#include "presentation/PrScreenRenderer.h"
#include "scene/ScMesh.h"
#include "scene/ScOrbitalCamera.h"
#include "scene/ScProjectionCamera.h"
#include "scene/ScShaders.h"
#include "tests/presentation/WindowStates.h"

#include <QDir>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLShaderProgram>
#include <QtTest>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>

using PrismAction = std::function<void(PrScene &)>;
Q_DECLARE_METATYPE(PrismAction)

namespace {

const int kWidth = 1920;
const int kHeight = 1080;

QString str(const QVector3D &v)
{
    return QStringLiteral("(%1, %2, %3)").arg(v.x(), 0, 'g', 8).arg(v.y(), 0, 'g', 8).arg(v.z(), 0, 'g', 8);
}

bool near(const QVector3D &a, const QVector3D &b, float eps = 2e-6f)
{
    return std::fabs(a.x() - b.x()) <= eps && std::fabs(a.y() - b.y()) <= eps && std::fabs(a.z() - b.z()) <= eps;
}

#define VERIFY_NEAR(what, got, expected, eps)                                                                          \
    QVERIFY2(near((got), (expected), (eps)),                                                                           \
             qPrintable(QStringLiteral("%1: %2, expected %3 (bound %4)").arg(what, str(got), str(expected)).arg(eps)))

bool sameVertices(const QVector<ScVertex> &a, const QVector<ScVertex> &b)
{
    return a.size() == b.size() && std::memcmp(a.constData(), b.constData(), size_t(a.size()) * sizeof(ScVertex)) == 0;
}

// The bundle that the beam traces: 1000 rays from the source along the screen normal.
PhRayBundle traceLikeBeam(PrScene &scene)
{
    PhRayBundle bundle;
    bundle.reset(1000).setOrigin(scene.beam->position).setDirection(scene.screen->plane.normal);
    for (const QSharedPointer<PrPrismRenderer> &prism : scene.prisms)
        bundle.traceThrough(prism.data());
    bundle.traceThrough(scene.screen.data());
    return bundle;
}

// The kWidth × kHeight image pixel (rows top down) where viewProjection puts a world point.
QPoint pixelOf(const QMatrix4x4 &viewProjection, const QVector3D &world)
{
    const QVector3D ndc = viewProjection.map(world);
    return QPoint(int((ndc.x() + 1) * 0.5f * kWidth), int((1 - ndc.y()) * 0.5f * kHeight));
}

// The switch to anomalous dispersion and its retrace, then `change` on the last prism's band.
PrismAction bandChange(const std::function<void(PrPrismRenderer &)> &change)
{
    return [change](PrScene &s) {
        windowstates::switchSecondPrismAnomalous(s);
        s.retrace();
        change(*s.lastPrism());
    };
}

int g_reflectionLines = 0;
QtMessageHandler g_previousHandler = nullptr;

void countingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QStringLiteral("internally reflected")))
        ++g_reflectionLines;
    g_previousHandler(type, context, message);
}

} // namespace

class TestPrScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void emptySceneHasNoPrisms();
    void emptySceneIgnoresInputAndFrames();
    void initializeAppliesOnePrismSetup();
    void cameraLimitsAndResize();
    void setupsPlacePrisms();
    void pointsPerRay_data();
    void pointsPerRay();
    void retraceFollowsEveryChange_data();
    void retraceFollowsEveryChange();

    void newPrismDefaults();
    void standFollowsPrism();
    void hiddenPrismLeavesRaysAlone();
    void dispersionModeKeepsTheGlass();
    void absorptionSetters();

    void screenPlane();
    void roomAndBeamTransforms();
    void singlePointSpectrum();

    void glStateAfterFrame();
    void framebufferReadBack_data();
    void framebufferReadBack();
    void prismBodyShowsTheRoom();

private:
    QImage renderFrame(PrScene &scene);

    QOpenGLContext m_context;
    QOffscreenSurface m_surface;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
    QSharedPointer<PrScene> m_scene;
};

void TestPrScene::initTestCase()
{
    QVERIFY2(m_context.create(), "no OpenGL context");
    m_surface.setFormat(m_context.format());
    m_surface.create();
    QVERIFY2(m_context.makeCurrent(&m_surface), "cannot make the context current");
    // Run with Mesa's overrides, the context must really be the old driver they describe.
    const QByteArray version(reinterpret_cast<const char *>(glGetString(GL_VERSION)));
    qInfo("GL_VERSION %s", version.constData());
    const QByteArray versionOverride = qgetenv("MESA_GL_VERSION_OVERRIDE");
    if (!versionOverride.isEmpty())
        QVERIFY2(version.startsWith(versionOverride + ' '),
                 qPrintable(QStringLiteral("GL_VERSION %1 ignores the override %2").arg(version, versionOverride)));
    for (const QByteArray &removed : qgetenv("MESA_EXTENSION_OVERRIDE").split(' '))
        if (removed.startsWith('-'))
            QVERIFY2(!m_context.hasExtension(removed.mid(1)), qPrintable("the driver still has " + removed.mid(1)));
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::Depth);
    m_fbo.reset(new QOpenGLFramebufferObject(kWidth, kHeight, format));
    QVERIFY2(m_fbo->isValid(), "no 1920 x 1080 framebuffer");
    m_fbo->bind();
    g_previousHandler = qInstallMessageHandler(countingHandler);
}

void TestPrScene::cleanupTestCase()
{
    qInstallMessageHandler(g_previousHandler);
    m_scene.reset();
    m_fbo.reset();
    m_context.doneCurrent();
}

void TestPrScene::init()
{
    // A fresh scene as the GL widget would set it up.
    m_scene = PrScene::create();
    m_scene->initialize();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_SCISSOR_TEST);
}

QImage TestPrScene::renderFrame(PrScene &scene)
{
    m_fbo->bind();
    scene.resize(kWidth, kHeight);
    scene.render();
    glFinish();
    return m_fbo->toImage().convertToFormat(QImage::Format_RGB32);
}

void TestPrScene::emptySceneHasNoPrisms()
{
    const QSharedPointer<PrScene> empty = PrScene::create();
    QVERIFY2(empty->firstPrism().isNull() && empty->lastPrism().isNull(), "an empty scene hands out null prisms");
    QVERIFY2(!empty->roomCamera && !empty->closeUpCamera && !empty->room && !empty->screen && !empty->beam,
             "create() leaves every field empty");
}

void TestPrScene::emptySceneIgnoresInputAndFrames()
{
    // The GL widget may pass on a drag, a resize or a frame before (or without) initialisation.
    const QSharedPointer<PrScene> empty = PrScene::create();
    empty->rotateCamera(QVector2D(-1, -2));
    empty->resize(1024, 768);
    empty->render();
    empty->retrace();
    QVERIFY2(!empty->roomCamera && !empty->closeUpCamera && !empty->beam && empty->prisms.isEmpty(),
             "an uninitialised scene builds nothing on input");
    QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
}

void TestPrScene::initializeAppliesOnePrismSetup()
{
    PrScene &s = *m_scene;
    QCOMPARE(s.prisms.size(), 2);
    QVERIFY2(s.firstPrism() == s.prisms.first() && s.lastPrism() == s.prisms.last() && s.firstPrism() != s.lastPrism(),
             "firstPrism/lastPrism are the list's two elements");
    QVERIFY2(s.firstPrism() == s.firstPrism() && s.lastPrism() == s.lastPrism(), "the same objects on every call");

    const PrPrismRenderer &p0 = *s.prisms.first();
    QVERIFY2(p0.visible && p0.apexAngle == 60.0f && p0.dispersionMode == 1 && p0.rotation == QQuaternion(),
             "first prism visible, apex 60, normal dispersion, unrotated");
    VERIFY_NEAR("first prism position", p0.position, QVector3D(1.3f, 0.22f, -2.6f), 0.0f);
    VERIFY_NEAR("first prism scale", p0.scale, QVector3D(0.5f, 0.5f, 0.5f), 0.0f);

    const PrPrismRenderer &p1 = *s.prisms.last();
    QVERIFY2(!p1.visible && !p1.standBase->visible && !p1.standRod->visible && !p1.standArc->visible,
             "second prism and its stand hidden");
    QVERIFY2(p1.apexAngle == 60.0f && p1.dispersionMode == 1 && p1.position == QVector3D() && p1.rotation == QQuaternion(),
             "second prism keeps its construction defaults");

    VERIFY_NEAR("light source", s.beam->position, QVector3D(1.3f, 0.20333333f, 2.0f), 1e-7f);
    QVERIFY2(s.beam->visible, "beam visible");

    const ScOrbitalCamera &cam = *s.roomCamera;
    QVERIFY2(cam.rotation == QVector2D(-8, 31), qPrintable(QStringLiteral("room camera at pitch %1 yaw %2").arg(cam.rotation.x()).arg(cam.rotation.y())));
    VERIFY_NEAR("room camera target", cam.target, QVector3D(1.3f, 0.5f, -3.1f), 0.0f);
    VERIFY_NEAR("room camera offset", cam.offset, QVector3D(0, 0, 1.3f), 0.0f);
    QVERIFY2(cam.clearColor == QVector4D(1, 1, 1, 1) && s.closeUpCamera->clearColor == QVector4D(0, 0, 0, 1),
             "room camera clears white, close-up camera black");
    QVERIFY2(s.closeUpCamera->viewport == QRectF(0.7166666388511658, 0.05000000074505806, 0.23333333432674408, 0.23333333432674408),
             "close-up rectangle from single-precision constants");

    VERIFY_NEAR("room position", s.room->position, QVector3D(0, 0, -2), 0.0f);
    VERIFY_NEAR("room scale (mirrored in x)", s.room->scale, QVector3D(-1.5f, 1.1f, 2.0f), 0.0f);
    VERIFY_NEAR("screen scale", s.screen->scale, QVector3D(1.5f, 1.15f, 1.0f), 0.0f);
    // The close-up camera is one unit in front of the screen plane (z = -5.49).
    QVERIFY2(std::fabs(s.closeUpCamera->position.z() + 4.49f) < 1e-5f,
             qPrintable(QStringLiteral("close-up camera z %1, expected -4.49").arg(s.closeUpCamera->position.z())));
}

void TestPrScene::cameraLimitsAndResize()
{
    PrScene &s = *m_scene;
    s.rotateCamera(QVector2D(-30, 0));
    QVERIFY2(s.roomCamera->rotation.x() == -24.0f, qPrintable(QStringLiteral("pitch %1, expected the limit -24").arg(s.roomCamera->rotation.x())));
    s.rotateCamera(QVector2D(0, 200));
    QVERIFY2(s.roomCamera->rotation.y() == 145.0f, qPrintable(QStringLiteral("yaw %1, expected the limit 145").arg(s.roomCamera->rotation.y())));

    s.resize(1024, 768);
    QVERIFY2(s.roomCamera->width == 1024 && s.roomCamera->height == 768 && s.closeUpCamera->width == 1024 &&
                 s.closeUpCamera->height == 768,
             "both cameras take the widget size");
    const QRect inset = s.closeUpCamera->viewportRect();
    QVERIFY2(inset == QRect(806, 38, 179, 179),
             qPrintable(QStringLiteral("inset at 1024 x 768: %1, %2, %3 x %4").arg(inset.x()).arg(inset.y()).arg(inset.width()).arg(inset.height())));
}

void TestPrScene::setupsPlacePrisms()
{
    PrScene &s = *m_scene;
    const QVector<ScVertex> cones = s.beam->mesh()->vertices;
    const QVector<ScVertex> strip = s.beam->roomStrip->mesh()->vertices;

    s.applyTwoPrismsSetup();
    const PrPrismRenderer &p1 = *s.lastPrism();
    QVERIFY2(p1.visible && p1.standArc->visible, "second prism shown with its stand");
    VERIFY_NEAR("second prism position", p1.position, QVector3D(1.27f, 0.32f, -2.9f), 0.0f);
    VERIFY_NEAR("second prism roll", p1.rotation.toEulerAngles(), QVector3D(0, 0, 90), 1e-4f);
    VERIFY_NEAR("second prism's arc roll", p1.standArc->rotation.toEulerAngles(), QVector3D(0, 0, 90), 1e-4f);
    VERIFY_NEAR("light source", s.beam->position, QVector3D(1.3f, 0.20333333f, 2.0f), 1e-7f);
    QVERIFY2(sameVertices(cones, s.beam->mesh()->vertices) && sameVertices(strip, s.beam->roomStrip->mesh()->vertices),
             "a set-up does not retrace");

    s.applyOnePrismSetup();
    QVERIFY2(!p1.visible && !p1.standArc->visible, "one-prism set-up hides the second prism");
    VERIFY_NEAR("hidden second prism keeps its position", p1.position, QVector3D(1.27f, 0.32f, -2.9f), 0.0f);
    VERIFY_NEAR("hidden second prism keeps its roll", p1.rotation.toEulerAngles(), QVector3D(0, 0, 90), 1e-4f);
}

void TestPrScene::pointsPerRay_data()
{
    QTest::addColumn<bool>("twoPrisms");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("segments");
    QTest::newRow("one prism") << false << 4 << 3;
    QTest::newRow("two prisms") << true << 6 << 5;
}

void TestPrScene::pointsPerRay()
{
    QFETCH(bool, twoPrisms);
    QFETCH(int, points);
    QFETCH(int, segments);
    PrScene &s = *m_scene;
    if (twoPrisms)
        s.applyTwoPrismsSetup();
    s.retrace();
    const PhRayBundle bundle = traceLikeBeam(s);
    QCOMPARE(bundle.rays.size(), 1000);
    for (const PhRay &ray : bundle.rays)
        QVERIFY2(ray.points.size() == points, qPrintable(QStringLiteral("ray %1 µm has %2 points, expected %3").arg(ray.wavelength).arg(ray.points.size()).arg(points)));
    QVERIFY2(segments == points - 1, "one cone segment per pair of successive points");

    QVector<ScVertex> cones, strip;
    buildBeamCones(bundle, cones);
    buildSpectrumStrip(bundle, QVector3D(0, 0, -1), strip, 0.022f);
    QVERIFY2(sameVertices(cones, s.beam->mesh()->vertices),
             qPrintable(QStringLiteral("cone mesh %1 vertices, the trace gives %2").arg(s.beam->mesh()->vertices.size()).arg(cones.size())));
    QVERIFY2(sameVertices(strip, s.beam->roomStrip->mesh()->vertices), "room strip is the trace's spectrum, 0.022 wide");
    QVERIFY2(s.beam->mesh()->vertexCount == cones.size() && s.beam->roomStrip->mesh()->vertexCount == strip.size(),
             "uploaded counts match");
    for (const PhRay &ray : bundle.rays)
        QVERIFY2(std::fabs(ray.points.last().position.z() + 5.49f) < 1e-5f, "every ray ends on the screen plane z = -5.49");

    // Close-up: 1 unit in front of the strip's centre, box 1.1 times its extent, strip 0.02 extent wide.
    const ScMesh &room = *s.beam->roomStrip->mesh();
    const float w = room.boundsMax.x() - room.boundsMin.x(), h = room.boundsMax.y() - room.boundsMin.y();
    const float m = h <= w ? w : h;
    VERIFY_NEAR("close-up camera", s.closeUpCamera->position, (room.boundsMin + room.boundsMax) * 0.5f + QVector3D(0, 0, 1), 1e-6f);
    QVERIFY2(std::fabs(s.closeUpCamera->orthoSize - 1.1f * m) < 1e-6f,
             qPrintable(QStringLiteral("orthoSize %1, expected 1.1 × %2").arg(s.closeUpCamera->orthoSize).arg(m)));
    QVector<ScVertex> closeUp;
    buildSpectrumStrip(bundle, QVector3D(0, 0, -1), closeUp, m * 0.02f);
    QVERIFY2(sameVertices(closeUp, s.beam->closeUpStrip->mesh()->vertices), "close-up strip is 0.02 × extent wide");

    // Rebuilding with unchanged inputs gives the same meshes and aim.
    const QVector3D aim = s.closeUpCamera->position;
    s.retrace();
    QVERIFY2(sameVertices(cones, s.beam->mesh()->vertices) && aim == s.closeUpCamera->position, "retrace is repeatable");
}

void TestPrScene::retraceFollowsEveryChange_data()
{
    QTest::addColumn<bool>("twoPrisms");
    QTest::addColumn<PrismAction>("change");
    QTest::newRow("apex angle 50") << false << PrismAction([](PrScene &s) { s.firstPrism()->setApexAngle(50); });
    QTest::newRow("rotation") << false
                              << PrismAction([](PrScene &s) { s.firstPrism()->setRotation(QQuaternion::fromEulerAngles(6, 0, 0)); });
    QTest::newRow("two prisms") << false << PrismAction([](PrScene &s) { s.applyTwoPrismsSetup(); });
    QTest::newRow("back to one prism") << true << PrismAction([](PrScene &s) { s.applyOnePrismSetup(); });
    QTest::newRow("second prism apex 55") << true << PrismAction([](PrScene &s) { s.lastPrism()->setApexAngle(55); });
    // The band rows start from the anomalous state as the scene window's switch leaves it.
    QTest::newRow("anomalous second prism") << true << PrismAction([](PrScene &s) { windowstates::switchSecondPrismAnomalous(s); });
    QTest::newRow("band centre") << true << bandChange([](PrPrismRenderer &p) { p.setAbsorptionSpectrumCenter(0.5); });
    QTest::newRow("band width") << true << bandChange([](PrPrismRenderer &p) { p.setAbsorptionSpectrumWidth(4 / (0.1 * 0.1)); });
    QTest::newRow("band height") << true << bandChange([](PrPrismRenderer &p) { p.setAbsorptionSpectrumHeight(0.1); });
}

void TestPrScene::retraceFollowsEveryChange()
{
    QFETCH(bool, twoPrisms);
    QFETCH(PrismAction, change);
    PrScene &s = *m_scene;
    if (twoPrisms)
        s.applyTwoPrismsSetup();
    s.retrace();
    const QVector<ScVertex> before = s.beam->roomStrip->mesh()->vertices;
    change(s);
    s.retrace();
    const QVector<ScVertex> after = s.beam->roomStrip->mesh()->vertices;
    QVERIFY2(!sameVertices(before, after), "the spectrum on the screen moves after the change and a retrace");
    for (const QSharedPointer<PrPrismRenderer> &prism : s.prisms)
        QVERIFY2(!prism->visible || (prism->facesValid && prism->indexValid), "a visible prism is up to date after a trace");
    const PhRayBundle bundle = traceLikeBeam(s);
    QVector<ScVertex> strip;
    buildSpectrumStrip(bundle, QVector3D(0, 0, -1), strip, 0.022f);
    QVERIFY2(sameVertices(strip, after), "the strip matches a fresh trace of the changed scene");
}

void TestPrScene::newPrismDefaults()
{
    const QSharedPointer<PrPrismRenderer> a = PrPrismRenderer::create();
    const QSharedPointer<PrPrismRenderer> b = PrPrismRenderer::create();
    QVERIFY2(a->visible && a->apexAngle == 60.0f && a->dispersionMode == 1 && !a->facesValid && !a->indexValid,
             "new prism: visible, apex 60, normal, both flags false");
    VERIFY_NEAR("offset", a->offset, QVector3D(0, -0.033333335f, 0), 1e-9f);
    QVERIFY2(PrPrismRenderer::standRodHeight == 1.5f && std::fabs(PrPrismRenderer::standArcHeight - 0.2f) < 1e-7f,
             qPrintable(QStringLiteral("stand heights %1 and %2").arg(PrPrismRenderer::standRodHeight).arg(PrPrismRenderer::standArcHeight)));
    const QSharedPointer<PhComplexIndexFunction> glass = a->indexFunction();
    QVERIFY2(glass && glass == a->entryFace.material && glass == a->exitFace.material, "both faces hold the one glass");
    QVERIFY2(qSharedPointerDynamicCast<PhParabolicIndexFunction>(glass->realPart()) && glass->imaginaryPart().isNull(),
             "normal glass: parabola, no band");
    QVERIFY2(a->mesh() == PrPrismRenderer::prismBodyMesh && b->mesh() == a->mesh() && b->texture() == a->texture() &&
                 b->standBase->mesh() == a->standBase->mesh() && b->standArc->mesh() == a->standArc->mesh(),
             "prisms share the body and stand meshes and the cube map");
    QVERIFY2(b->standBase != a->standBase && b->indexFunction() != glass, "each prism has its own stand parts and glass");
    QVERIFY2(a->mesh()->vertices.size() == 24 && a->standRod->mesh()->vertices.isEmpty(), "only the body keeps a CPU copy");
    QVERIFY2(a->setOffset(QVector3D(1, 2, 3)) == a.data() && near(a->offset, QVector3D(0, -0.033333335f, 0), 1e-9f),
             "setOffset is ignored");
    QVERIFY2(a->shaderProgram() == refractProgram() && a->standBase->shaderProgram() == litProgram(),
             "body refracts, stand parts are lit");
}

void TestPrScene::standFollowsPrism()
{
    const QSharedPointer<PrPrismRenderer> p = PrPrismRenderer::create();
    p->setPosition(QVector3D(1.3f, 0.22f, -2.6f));
    VERIFY_NEAR("rod placed with the old scale 1", p->standRod->position, QVector3D(1.3f, 0.22f - 1.5f - 0.2f, -2.6f), 1e-6f);
    p->setScale(QVector3D(0.5f, 0.5f, 0.5f));
    VERIFY_NEAR("base on the floor", p->standBase->position, QVector3D(1.3f, 0, -2.6f), 0.0f);
    VERIFY_NEAR("rod under the arc", p->standRod->position, QVector3D(1.3f, -1.38f, -2.6f), 1e-6f);
    VERIFY_NEAR("arc at the prism", p->standArc->position, QVector3D(1.3f, 0.22f, -2.6f), 0.0f);
    VERIFY_NEAR("arc scale", p->standArc->scale, QVector3D(0.6f, 0.6f, 0.6f), 1e-7f);
    VERIFY_NEAR("base scale", p->standBase->scale, QVector3D(0.5f, 0.5f, 0.5f), 0.0f);
    VERIFY_NEAR("rod scale", p->standRod->scale, QVector3D(0.5f, 1.0f, 0.5f), 0.0f);

    p->setRotation(QQuaternion::fromEulerAngles(-8, 0, 0));
    VERIFY_NEAR("pitch leaves the arc unturned", p->standArc->rotation.toEulerAngles(), QVector3D(), 1e-5f);
    p->setRotation(QQuaternion::fromEulerAngles(0, 0, 90));
    VERIFY_NEAR("roll turns the arc", p->standArc->rotation.toEulerAngles(), QVector3D(0, 0, 90), 1e-4f);
    QVERIFY2(p->standBase->rotation == QQuaternion() && p->standRod->rotation == QQuaternion(), "base and rod never turn");

    p->setVisible(false);
    QVERIFY2(!p->standBase->visible && !p->standRod->visible && !p->standArc->visible, "stand hidden with the prism");
}

void TestPrScene::hiddenPrismLeavesRaysAlone()
{
    const QSharedPointer<PrPrismRenderer> p = PrPrismRenderer::create();
    p->setPosition(QVector3D(1.3f, 0.22f, -2.6f))->setScale(QVector3D(0.5f, 0.5f, 0.5f));
    p->setVisible(false);
    PhRay ray;
    ray.wavelength = 0.5;
    ray.points[0].position = QVector3D(1.3f, 0.2f, 2);
    ray.points[0].direction = QVector3D(0, 0, -1);
    p->refract(&ray, true);
    QVERIFY2(ray.points.size() == 1 && !p->facesValid && !p->indexValid, "a hidden prism adds no point and rebuilds nothing");
    p->setVisible(true);
    p->refract(&ray, false);
    QVERIFY2(ray.points.size() == 3 && p->facesValid && p->indexValid, "a shown prism adds two points and is up to date");
    VERIFY_NEAR("entry point on the entry face", ray.points[1].position, QVector3D(1.3f, 0.2f, -2.6f + (0.2f - 0.136667f) * 0.57735f), 1e-5f);
}

void TestPrScene::dispersionModeKeepsTheGlass()
{
    const QSharedPointer<PrPrismRenderer> p = PrPrismRenderer::create();
    const QSharedPointer<PhComplexIndexFunction> glass = p->indexFunction();
    const QSharedPointer<PhIndexFunction> parabola = glass->realPart();

    p->setDispersionMode(-1);
    QVERIFY2(p->indexFunction() == glass && p->dispersionMode == -1, "anomalous mode keeps the glass object");
    const QSharedPointer<PhUniformMeshIndexFunction> table = qSharedPointerDynamicCast<PhUniformMeshIndexFunction>(glass->realPart());
    QVERIFY2(table && table->table.size() == 100, "anomalous real part: a 100-node table, built at once");
    const QSharedPointer<PhGaussianIndexFunction> band = qSharedPointerDynamicCast<PhGaussianIndexFunction>(glass->imaginaryPart());
    QVERIFY2(band && band->center == 0.58 && band->widthCoefficient == 1600 && band->height == 0.3, "default band installed");

    p->setAbsorptionSpectrumCenter(0.5);
    p->setDispersionMode(-1);
    const QSharedPointer<PhGaussianIndexFunction> band2 = qSharedPointerDynamicCast<PhGaussianIndexFunction>(glass->imaginaryPart());
    QVERIFY2(band2 && band2 != band && band2->center == 0.58, "switching to anomalous again installs a new default band");

    p->setDispersionMode(1);
    QVERIFY2(p->indexFunction() == glass && glass->imaginaryPart().isNull(), "normal mode drops the band, same glass");
    QVERIFY2(qSharedPointerDynamicCast<PhParabolicIndexFunction>(glass->realPart()) && glass->realPart() != parabola,
             "normal mode installs a new parabola");
}

void TestPrScene::absorptionSetters()
{
    const QSharedPointer<PrPrismRenderer> p = PrPrismRenderer::create();
    p->setPosition(QVector3D(1.3f, 0.22f, -2.6f))->setScale(QVector3D(0.5f, 0.5f, 0.5f));

    // No band: the setters do nothing and chain.
    const QSharedPointer<PhIndexFunction> parabola = p->indexFunction()->realPart();
    p->indexValid = true;
    QVERIFY2(p->setAbsorptionSpectrumCenter(0.5)->setAbsorptionSpectrumWidth(400)->setAbsorptionSpectrumHeight(0.1) == p.data(),
             "setters return the prism");
    QVERIFY2(p->indexValid && p->indexFunction()->imaginaryPart().isNull() && p->indexFunction()->realPart() == parabola,
             "setters on a glass with no band change nothing");

    p->setDispersionMode(-1);
    PhRay ray;
    ray.points[0].position = QVector3D(1.3f, 0.2f, 2);
    ray.points[0].direction = QVector3D(0, 0, -1);
    ray.wavelength = 0.56;
    p->refract(&ray, true);
    const QSharedPointer<PhComplexIndexFunction> chart = p->indexFunction();
    const QSharedPointer<PhIndexFunction> table = chart->realPart();
    p->setAbsorptionSpectrumCenter(0.6)->setAbsorptionSpectrumWidth(4 / (0.08 * 0.08))->setAbsorptionSpectrumHeight(0.2);
    const QSharedPointer<PhGaussianIndexFunction> band = qSharedPointerDynamicCast<PhGaussianIndexFunction>(chart->imaginaryPart());
    QVERIFY2(band->center == 0.6 && band->widthCoefficient == 4 / (0.08 * 0.08) && band->height == 0.2,
             "the chart's copy of the glass sees the new band at once");
    QVERIFY2(!p->indexValid && chart->realPart() == table, "the real part waits for the next trace");
    p->refract(&ray, true);
    QVERIFY2(p->indexValid && chart->realPart() != table, "the next refraction rebuilds the table");
    // The Kramers–Kronig correction vanishes at the band's centre: the parabola's 1.307852 at 0.6 µm.
    QVERIFY2(std::fabs(chart->value(0.6) - 1.307852) < 1e-5,
             qPrintable(QStringLiteral("n(0.6) = %1 at the new band centre, expected 1.307852").arg(chart->value(0.6), 0, 'f', 6)));
}

void TestPrScene::screenPlane()
{
    PrScene &s = *m_scene;
    VERIFY_NEAR("cornerA computed before the scale", s.screen->plane.cornerA, QVector3D(-1.77f, 0.485f, -5.49f), 1e-6f);
    VERIFY_NEAR("cornerB computed before the scale", s.screen->plane.cornerB, QVector3D(1.77f, 2.07f, -5.49f), 1e-6f);
    QVERIFY2(s.screen->plane.passThrough && s.screen->plane.normal == QVector3D(0, 0, -1) && !s.screen->plane.material,
             "pass-through plane facing -z without material");

    const QSharedPointer<PrScreenRenderer> other = PrScreenRenderer::create();
    QVERIFY2(other->mesh() == s.screen->mesh() && other->texture() == s.screen->texture(), "screens share mesh and light map");
    other->setScale(QVector3D(2, 2, 2));
    QVERIFY2(other->setPosition(QVector3D(0, 0, -4)) == other.data(), "setPosition chains");
    VERIFY_NEAR("cornerA with scale 2", other->plane.cornerA, QVector3D(-3.54f, 0.97f, -6.98f), 1e-6f);
    VERIFY_NEAR("cornerB with scale 2", other->plane.cornerB, QVector3D(3.54f, 4.14f, -6.98f), 1e-6f);
    QVERIFY2(other->setRotation(QQuaternion::fromEulerAngles(0, 45, 0)) == other.data() && other->rotation == QQuaternion() &&
                 other->setOffset(QVector3D(1, 1, 1)) == other.data() && other->offset == QVector3D(),
             "rotation and offset cannot be set");

    // A ray far outside the rectangle still lands on the plane, with no debug line.
    g_reflectionLines = 0;
    PhRay ray;
    ray.points[0].position = QVector3D(10, 10, 0);
    ray.points[0].direction = QVector3D(0.1f, 0, -1);
    PhRay copy = ray;
    s.screen->refract(&ray, true);
    s.screen->refract(&copy, false);
    VERIFY_NEAR("landing point", ray.points[1].position, QVector3D(10.549f, 10, -5.49f), 1e-5f);
    QVERIFY2(ray.points[1].position == copy.points[1].position && ray.points[1].direction == QVector3D(0.1f, 0, -1),
             "entering is ignored and the direction is kept");
    QVERIFY2(g_reflectionLines == 0, "no debug line for a ray outside the rectangle");
}

void TestPrScene::roomAndBeamTransforms()
{
    PrScene &s = *m_scene;
    const QSharedPointer<PrRoomRenderer> other = PrRoomRenderer::create();
    QVERIFY2(other->mesh() == s.room->mesh() && other->texture() == s.room->texture() && other->mesh()->vertexCount == 5298,
             "rooms share one mesh of 5298 vertices and one light map");
    other->setRotation(QQuaternion::fromEulerAngles(0, 90, 0));
    other->setOffset(QVector3D(0, 1, 0));
    VERIFY_NEAR("room transform takes rotation and offset", other->modelMatrix().map(QVector3D(1, 0, 0)), QVector3D(0, 1, -1), 1e-6f);

    PrBeamConeRenderer &beam = *s.beam;
    QVERIFY2(beam.setRotation(QQuaternion::fromEulerAngles(0, 30, 0)) == &beam && beam.setScale(QVector3D(2, 2, 2)) == &beam &&
                 beam.setOffset(QVector3D(1, 0, 0)) == &beam,
             "beam setters chain");
    QVERIFY2(beam.rotation == QQuaternion() && beam.scale == QVector3D(1, 1, 1) && beam.offset == QVector3D() &&
                 beam.modelMatrix() == QMatrix4x4(),
             "beam ignores rotation, scale and offset; identity model matrix whatever its position");
    QVERIFY2(beam.color == QVector4D(1, 1, 1, 0.2f) && beam.roomStrip->color == QVector4D(1, 1, 1, 1) &&
                 beam.roomStrip->texture() == PrBeamConeRenderer::colorMaskTexture && beam.closeUpStrip->texture() == beam.roomStrip->texture() &&
                 beam.texture().isNull(),
             "cones alpha 0.2 and untextured; strips share the mask");
}

void TestPrScene::singlePointSpectrum()
{
    PrScene &s = *m_scene;
    s.firstPrism()->setVisible(false);
    s.retrace();
    const ScMesh &room = *s.beam->roomStrip->mesh();
    QVERIFY2(room.vertexCount == 6, qPrintable(QStringLiteral("room strip of %1 vertices, expected a square of 6").arg(room.vertexCount)));
    const float w = room.boundsMax.x() - room.boundsMin.x(), h = room.boundsMax.y() - room.boundsMin.y();
    QVERIFY2(std::fabs(w - 0.022f) < 1e-6f && std::fabs(h - 0.022f) < 1e-6f, qPrintable(QStringLiteral("square %1 x %2, expected 0.022").arg(w).arg(h)));
    QVERIFY2(std::fabs(s.closeUpCamera->orthoSize - 0.0242f) < 1e-6f, qPrintable(QStringLiteral("orthoSize %1, expected 0.0242").arg(s.closeUpCamera->orthoSize)));
    const QVector<ScVertex> &close = s.beam->closeUpStrip->mesh()->vertices;
    QVERIFY2(close.size() == 6 && std::fabs((close[0].position - close[1].position).length() - 0.00044f) < 1e-7f,
             "close-up square 0.00044 wide");
    VERIFY_NEAR("spot straight ahead of the source", (room.boundsMin + room.boundsMax) * 0.5f, QVector3D(1.3f, 0.20333333f, -5.49f), 1e-5f);
    QVERIFY2(s.beam->mesh()->vertexCount == 6, "cones: one link band from the source to the screen");
}

void TestPrScene::glStateAfterFrame()
{
    PrScene &s = *m_scene;
    s.applyTwoPrismsSetup();
    s.retrace();
    const QSharedPointer<QOpenGLShaderProgram> body = s.firstPrism()->shaderProgram();
    renderFrame(s);
    GLint polygonMode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    QVERIFY2(!glIsEnabled(GL_BLEND), "blending off after a frame");
    QVERIFY2(!glIsEnabled(GL_TEXTURE_2D), "texturing off after a frame");
    QVERIFY2(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_SCISSOR_TEST), "depth and scissor tests stay on");
    QVERIFY2(polygonMode[0] == GL_FILL, qPrintable(QStringLiteral("polygon mode 0x%1, expected GL_FILL").arg(polygonMode[0], 0, 16)));
    QVERIFY2(program == 0, qPrintable(QStringLiteral("program %1 still bound").arg(program)));
    QVERIFY2(s.firstPrism()->shaderProgram() == body && body == refractProgram(), "the prism restores its refract program");
    const GLenum error = glGetError();
    QVERIFY2(error == GL_NO_ERROR, qPrintable(QStringLiteral("GL error 0x%1 after a frame").arg(error, 0, 16)));
}

void TestPrScene::framebufferReadBack_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<QString>("file");
    QTest::newRow("one prism") << 1 << "presentation-one-prism.png";
    QTest::newRow("two prisms") << 2 << "presentation-two-prisms.png";
    QTest::newRow("two prisms, anomalous") << 3 << "presentation-two-prisms-anomalous.png";
}

void TestPrScene::framebufferReadBack()
{
    QFETCH(int, setup);
    QFETCH(QString, file);
    PrScene &s = *m_scene;
    if (setup >= 2)
        s.applyTwoPrismsSetup();
    if (setup == 3)
        windowstates::switchSecondPrismAnomalous(s);
    g_reflectionLines = 0;
    s.retrace();
    QVERIFY2(g_reflectionLines == 0,
             qPrintable(QStringLiteral("%1 rays internally reflected in a state the window shows").arg(g_reflectionLines)));
    const QImage image = renderFrame(s);
    const QString dir = qEnvironmentVariable("PRESENTATION_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY2(image.save(QDir(dir).filePath(file)), qPrintable(QStringLiteral("cannot write %1 in %2").arg(file, dir)));

    // The inset: 252 px square at x 1614, its bottom 54 px above the bottom edge (image rows run top down).
    const QRect inset(1614, kHeight - 54 - 252, 252, 252);
    QVERIFY2(s.closeUpCamera->viewportRect() == QRect(1614, 54, 252, 252), "inset rectangle at 1920 x 1080");
    auto isBlack = [](QRgb c) { return qRed(c) < 8 && qGreen(c) < 8 && qBlue(c) < 8; };
    for (const QPoint corner : {inset.topLeft(), inset.topRight(), inset.bottomLeft(), inset.bottomRight()})
        QVERIFY2(isBlack(image.pixel(corner)), qPrintable(QStringLiteral("inset corner (%1, %2) not black").arg(corner.x()).arg(corner.y())));
    int outsideBlack = 0;
    for (int y = inset.top(); y <= inset.bottom(); y += 4) {
        outsideBlack += isBlack(image.pixel(inset.left() - 2, y)) ? 1 : 0;
        outsideBlack += isBlack(image.pixel(inset.right() + 2, y)) ? 1 : 0;
    }
    QVERIFY2(outsideBlack == 0, qPrintable(QStringLiteral("%1 black samples just outside the inset: it leaks").arg(outsideBlack)));

    // The spectrum line inside the inset.
    int top = -1, bottom = -1, left = kWidth, right = -1;
    for (int y = inset.top(); y <= inset.bottom(); ++y) {
        for (int x = inset.left(); x <= inset.right(); ++x) {
            if (qMax(qMax(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y))), qBlue(image.pixel(x, y))) > 40) {
                if (top < 0)
                    top = y;
                bottom = y;
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    QVERIFY2(top >= 0, "no spectrum in the inset");
    // The box is orthoSize wide and orthoSize × 16/9 tall: a spectrum whose extent is its height
    // fills 1 / (1.1 × 16/9) of the inset's height.
    const ScMesh &strip = *s.beam->roomStrip->mesh();
    const float w = strip.boundsMax.x() - strip.boundsMin.x(), h = strip.boundsMax.y() - strip.boundsMin.y();
    const double expectedRows = 252.0 * double(h) / (double(qMax(w, h)) * 1.1 * 1920.0 / 1080.0);
    QVERIFY2(std::fabs((bottom - top + 1) - expectedRows) < 4.0,
             qPrintable(QStringLiteral("spectrum %1 px tall in the inset, expected %2 ± 4 (squashed by the aspect)").arg(bottom - top + 1).arg(expectedRows)));

    if (setup == 1) {
        // One prism: a vertical line, violet at the top, red at the bottom.
        QVERIFY2(right - left < 12, qPrintable(QStringLiteral("one-prism spectrum %1 px wide, expected a thin line").arg(right - left + 1)));
        auto rowColour = [&](int y) {
            int r = 0, g = 0, b = 0;
            for (int x = left; x <= right; ++x) {
                r = qMax(r, qRed(image.pixel(x, y)));
                g = qMax(g, qGreen(image.pixel(x, y)));
                b = qMax(b, qBlue(image.pixel(x, y)));
            }
            return qRgb(r, g, b);
        };
        const QRgb violet = rowColour(top + 2), red = rowColour(bottom - 2);
        QVERIFY2(qBlue(violet) > qGreen(violet) + 40 && qBlue(violet) >= qRed(violet),
                 qPrintable(QStringLiteral("top of the line (%1, %2, %3) is not violet").arg(qRed(violet)).arg(qGreen(violet)).arg(qBlue(violet))));
        QVERIFY2(qRed(red) > qGreen(red) + 40 && qRed(red) > qBlue(red) + 40,
                 qPrintable(QStringLiteral("bottom of the line (%1, %2, %3) is not red").arg(qRed(red)).arg(qGreen(red)).arg(qBlue(red))));
    } else {
        QVERIFY2(right - left > 20, qPrintable(QStringLiteral("crossed prisms spread the spectrum sideways too: %1 px wide").arg(right - left + 1)));
    }

    // The room pass: the strip's centre on the screen shows spectral colour, not the grey screen.
    const QMatrix4x4 vp = s.roomCamera->projectionMatrix() * s.roomCamera->viewMatrix();
    int coloured = 0;
    const QVector<ScVertex> &vertices = strip.vertices;
    for (int i = 0; i + 1 < vertices.size(); i += 6) {
        // Vertices 6k and 6k + 1 are the two sides of the strip at point k.
        const QPoint at = pixelOf(vp, (vertices[i].position + vertices[i + 1].position) * 0.5f);
        if (at.x() < 0 || at.x() >= kWidth || at.y() < 0 || at.y() >= kHeight)
            continue;
        const QRgb c = image.pixel(at);
        const int spread = qMax(qMax(qRed(c), qGreen(c)), qBlue(c)) - qMin(qMin(qRed(c), qGreen(c)), qBlue(c));
        coloured += spread > 60 ? 1 : 0;
    }
    const int samples = vertices.size() / 6;
    QVERIFY2(coloured * 2 > samples, qPrintable(QStringLiteral("only %1 of %2 strip samples show colour on the screen").arg(coloured).arg(samples)));
    // White background is cleared; the room covers the view.
    QVERIFY2(image.pixel(10, 10) != qRgb(255, 255, 255) && image.pixel(kWidth / 2, kHeight / 2) != qRgb(255, 255, 255),
             "the room fills the view");
}

void TestPrScene::prismBodyShowsTheRoom()
{
    // The body samples the room's cube map; an incomplete map (one level on a driver without
    // immutable storage) samples black.
    PrScene &s = *m_scene;
    const QImage image = renderFrame(s);
    const PrPrismRenderer &prism = *s.firstPrism();
    const QVector3D centre = prism.modelMatrix().map((prism.mesh()->boundsMin + prism.mesh()->boundsMax) * 0.5f);
    const QPoint at = pixelOf(s.roomCamera->projectionMatrix() * s.roomCamera->viewMatrix(), centre);
    QVERIFY2(QRect(0, 0, kWidth, kHeight).adjusted(8, 8, -8, -8).contains(at), "the prism body is in view");

    // A 17 x 17 patch around the body's centre: the wire frame's lines alone do not make it.
    QVector<int> brightness;
    int red = 0, green = 0, blue = 0;
    for (int y = at.y() - 8; y <= at.y() + 8; ++y) {
        for (int x = at.x() - 8; x <= at.x() + 8; ++x) {
            const QRgb c = image.pixel(x, y);
            brightness << qMax(qMax(qRed(c), qGreen(c)), qBlue(c));
            red += qRed(c);
            green += qGreen(c);
            blue += qBlue(c);
        }
    }
    std::sort(brightness.begin(), brightness.end());
    const int median = brightness[brightness.size() / 2];
    QVERIFY2(median > 60, qPrintable(QStringLiteral("the body around (%1, %2) is dark: median brightness %3, expected > 60")
                                         .arg(at.x()).arg(at.y()).arg(median)));
    QVERIFY2(green > red && blue > red,
             qPrintable(QStringLiteral("the body is not cyan glass: mean (%1, %2, %3)")
                            .arg(red / brightness.size()).arg(green / brightness.size()).arg(blue / brightness.size())));
}

QTEST_MAIN(TestPrScene)
#include "tst_PrScene.moc"
