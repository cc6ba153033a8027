#include "scene/ScBasicCamera.h"
#include "scene/ScOrbitalCamera.h"
#include "scene/ScProjectionCamera.h"

#include <QtTest>

#include <cmath>
#include <utility>

namespace {

const float tolerance = 1e-5f;

float maxDifference(const QMatrix4x4 &a, const QMatrix4x4 &b)
{
    float d = 0.0f;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            d = std::max(d, std::abs(a(r, c) - b(r, c)));
    return d;
}

bool allFinite(const QMatrix4x4 &m)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!std::isfinite(m(r, c)))
                return false;
    return true;
}

QByteArray text(const QRect &r)
{
    return QByteArray::number(r.x()) + ", " + QByteArray::number(r.y()) + ", "
        + QByteArray::number(r.width()) + " x " + QByteArray::number(r.height());
}

QVector3D eyeOf(const QMatrix4x4 &view)
{
    return view.inverted().column(3).toVector3D();
}

// Puts the camera's viewport on a target of the given size.
void place(ScBasicCamera &camera, const QRectF &viewport, const QSizeF &target)
{
    camera.viewport = viewport;
    camera.width = float(target.width());
    camera.height = float(target.height());
}

} // namespace

class TestScCameras : public QObject
{
    Q_OBJECT

private slots:
    void orbitalDefaults();
    void orbitalEyeFollowsPitchAndYaw_data();
    void orbitalEyeFollowsPitchAndYaw();
    void rotateWrapsAndLimits_data();
    void rotateWrapsAndLimits();
    void viewportRectangle_data();
    void viewportRectangle();
    void closeUpProjection();
    void closeUpView();
    void zeroSizedTarget_data();
    void zeroSizedTarget();
};

void TestScCameras::orbitalDefaults()
{
    const QSharedPointer<ScOrbitalCamera> camera = ScOrbitalCamera::create();
    QMatrix4x4 view;
    view.translate(0, 0, -5);
    QMatrix4x4 projection;
    projection.perspective(60.0f, 800.0f / 600.0f, 0.01f, 100.0f);
    QVERIFY2(maxDifference(camera->viewMatrix(), view) <= tolerance,
             QByteArray("default view differs from translate(0, 0, -5) by "
                        + QByteArray::number(maxDifference(camera->viewMatrix(), view)))
                 .constData());
    QVERIFY2(maxDifference(camera->projectionMatrix(), projection) <= tolerance,
             "default projection differs from perspective(60, 4/3, 0.01, 100)");
    QCOMPARE(camera->viewport, QRectF(0, 0, 1, 1));
    QCOMPARE(camera->clearColor, QVector4D(0, 0, 0, 0));
    QCOMPARE(camera->minRotation, QVector2D(-90, -360));
    QCOMPARE(camera->maxRotation, QVector2D(90, 360));
    QCOMPARE(camera->offset, QVector3D(0, 0, 5));
}

void TestScCameras::orbitalEyeFollowsPitchAndYaw_data()
{
    QTest::addColumn<QVector2D>("rotation");
    QTest::addColumn<QVector3D>("target");
    QTest::addColumn<QVector3D>("eye");
    QTest::addColumn<QVector3D>("up");

    QTest::newRow("defaults") << QVector2D(0, 0) << QVector3D() << QVector3D(0, 0, 5)
                              << QVector3D(0, 1, 0);
    QTest::newRow("pitch 90 lowers the eye") << QVector2D(90, 0) << QVector3D() << QVector3D(0, -5, 0)
                                             << QVector3D(0, 0, 1);
    QTest::newRow("yaw 90 moves to +x") << QVector2D(0, 90) << QVector3D(1, 2, 3)
                                        << QVector3D(6, 2, 3) << QVector3D(0, 1, 0);
}

void TestScCameras::orbitalEyeFollowsPitchAndYaw()
{
    QFETCH(QVector2D, rotation);
    QFETCH(QVector3D, target);
    QFETCH(QVector3D, eye);
    QFETCH(QVector3D, up);

    ScOrbitalCamera camera;
    camera.rotation = rotation;
    camera.target = target;
    const QMatrix4x4 view = camera.viewMatrix();
    const float eyeError = (eyeOf(view) - eye).length();
    QVERIFY2(eyeError <= 1e-4f, QByteArray("eye off by " + QByteArray::number(eyeError)).constData());
    // The camera's up axis is the second row of the view's rotation.
    const QVector3D viewUp(view(1, 0), view(1, 1), view(1, 2));
    QVERIFY2((viewUp - up).length() <= 1e-4f,
             QByteArray("up off by " + QByteArray::number((viewUp - up).length())).constData());
    const QVector3D targetInEye = view.map(target);
    QVERIFY2(std::abs(targetInEye.x()) <= 1e-4f && std::abs(targetInEye.y()) <= 1e-4f
                 && std::abs(targetInEye.z() + 5.0f) <= 1e-4f,
             "the target is not straight ahead at distance 5");
}

void TestScCameras::rotateWrapsAndLimits_data()
{
    QTest::addColumn<QVector2D>("minRotation");
    QTest::addColumn<QVector2D>("maxRotation");
    QTest::addColumn<QVector2D>("start");
    QTest::addColumn<QVector2D>("delta");
    QTest::addColumn<QVector2D>("expected");

    const QVector2D defMin(-90, -360), defMax(90, 360);
    QTest::newRow("pitch held, yaw wraps") << defMin << defMax << QVector2D(0, 0)
                                           << QVector2D(100, 370) << QVector2D(90, 10);
    QTest::newRow("negative remainders") << defMin << defMax << QVector2D(0, 0)
                                         << QVector2D(-400, -725) << QVector2D(-40, -5);
    const QVector2D roomMin(-24, -145), roomMax(15, 145);
    QTest::newRow("room pitch lower limit") << roomMin << roomMax << QVector2D(-8, 31)
                                            << QVector2D(-20, 0) << QVector2D(-24, 31);
    QTest::newRow("room yaw upper limit") << roomMin << roomMax << QVector2D(-8, 31)
                                          << QVector2D(0, 200) << QVector2D(-8, 145);
    QTest::newRow("crossed limits: lower wins") << QVector2D(10, -360) << QVector2D(0, 360)
                                                << QVector2D(0, 0) << QVector2D(-50, 0)
                                                << QVector2D(10, 0);
    QTest::newRow("crossed limits from above") << QVector2D(10, -360) << QVector2D(0, 360)
                                               << QVector2D(0, 0) << QVector2D(50, 0)
                                               << QVector2D(10, 0);
    QTest::newRow("exact upper limit stands") << roomMin << roomMax << QVector2D(0, 0)
                                              << QVector2D(15, 145) << QVector2D(15, 145);
}

void TestScCameras::rotateWrapsAndLimits()
{
    QFETCH(QVector2D, minRotation);
    QFETCH(QVector2D, maxRotation);
    QFETCH(QVector2D, start);
    QFETCH(QVector2D, delta);
    QFETCH(QVector2D, expected);

    ScOrbitalCamera camera;
    camera.minRotation = minRotation;
    camera.maxRotation = maxRotation;
    camera.rotation = start;
    QCOMPARE(camera.rotate(delta), &camera);
    const float error = (camera.rotation - expected).length();
    QVERIFY2(error <= tolerance,
             QByteArray("rotation (" + QByteArray::number(camera.rotation.x()) + ", "
                        + QByteArray::number(camera.rotation.y()) + "), expected ("
                        + QByteArray::number(expected.x()) + ", " + QByteArray::number(expected.y())
                        + ")")
                 .constData());
}

void TestScCameras::viewportRectangle_data()
{
    QTest::addColumn<bool>("closeUp");
    QTest::addColumn<QRectF>("viewport");
    QTest::addColumn<QSizeF>("target");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("whole target") << false << QRectF(0, 0, 1, 1) << QSizeF(1024, 768)
                                  << QRect(0, 0, 1024, 768);
    QTest::newRow("truncated fractions") << false << QRectF(0.5, 0.25, 0.5, 0.5) << QSizeF(801, 601)
                                         << QRect(400, 150, 400, 300);
    const QRectF closeUp(double(0.71666664f), double(0.05f), double(0.23333333f), double(0.23333333f));
    QTest::newRow("close-up 1920x1080") << true << closeUp << QSizeF(1920, 1080) << QRect(1614, 54, 252, 252);
    QTest::newRow("close-up 800x600") << true << closeUp << QSizeF(800, 600) << QRect(630, 30, 140, 140);
    QTest::newRow("close-up 1024x768") << true << closeUp << QSizeF(1024, 768) << QRect(806, 38, 179, 179);
    QTest::newRow("close-up portrait 600x800") << true << closeUp << QSizeF(600, 800)
                                               << QRect(373, 40, 186, 186);
}

// The basic camera's rectangle and the close-up's, the latter made by its factory; asked of the
// camera's own class and through a base-class pointer, as the scene asks for it.
void TestScCameras::viewportRectangle()
{
    QFETCH(bool, closeUp);
    QFETCH(QRectF, viewport);
    QFETCH(QSizeF, target);
    QFETCH(QRect, expected);

    const QSharedPointer<ScProjectionCamera> projection = ScProjectionCamera::create();
    ScOrbitalCamera orbital;
    ScBasicCamera *base = closeUp ? static_cast<ScBasicCamera *>(projection.data()) : &orbital;
    place(*base, viewport, target);
    const QRect direct = closeUp ? projection->viewportRect() : orbital.viewportRect();
    const QRect throughBase = base->viewportRect();
    for (const auto &[got, how] :
         {std::pair(direct, "own class"), std::pair(throughBase, "base pointer")})
        QVERIFY2(got == expected,
                 QByteArray(QByteArray(how) + ": rectangle at " + QByteArray::number(target.width())
                            + "x" + QByteArray::number(target.height()) + ": " + text(got)
                            + ", expected " + text(expected))
                     .constData());
}

void TestScCameras::closeUpProjection()
{
    ScProjectionCamera camera;
    camera.width = 1920;
    camera.height = 1080;
    QMatrix4x4 expected;
    expected.ortho(-2.5f, 2.5f, -4.4444447f, 4.4444447f, 0.01f, 100.0f);
    const float d = maxDifference(camera.projectionMatrix(), expected);
    QVERIFY2(d <= 1e-7f,
             QByteArray("ortho box differs from (-2.5, 2.5, -4.4444447, 4.4444447) by "
                        + QByteArray::number(d))
                 .constData());
}

void TestScCameras::closeUpView()
{
    ScProjectionCamera camera;
    QVERIFY2(camera.viewMatrix().isIdentity(), "default close-up view is not the identity");

    camera.setPosition(QVector3D(1, 2, 3));
    camera.setScale(QVector3D(4, 5, 6));
    QMatrix4x4 expected;
    expected.translate(-1, -2, -3);
    QVERIFY2(maxDifference(camera.viewMatrix(), expected) <= tolerance,
             "view is not translate(-1, -2, -3), or the scale leaked into it");

    camera.setRotation(QQuaternion::fromAxisAndAngle(0, 1, 0, 90));
    const QVector3D ahead = camera.viewMatrix().map(QVector3D(1, 2, 3) + QVector3D(-1, 0, 0));
    QVERIFY2((ahead - QVector3D(0, 0, -1)).length() <= tolerance,
             "a camera turned 90 degrees about y does not look along -x");

    // Deleting through the transform base reaches the camera's destructor.
    ScTransform *asTransform = new ScProjectionCamera;
    delete asTransform;
}

void TestScCameras::zeroSizedTarget_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");

    QTest::newRow("no height") << 640.0f << 0.0f;
    QTest::newRow("no width") << 0.0f << 480.0f;
    QTest::newRow("nothing") << 0.0f << 0.0f;
}

void TestScCameras::zeroSizedTarget()
{
    QFETCH(float, width);
    QFETCH(float, height);

    ScOrbitalCamera orbital;
    orbital.width = width;
    orbital.height = height;
    ScProjectionCamera closeUp;
    closeUp.width = width;
    closeUp.height = height;
    closeUp.viewport = QRectF(0.7, 0.05, 0.25, 0.25);

    QVERIFY2(allFinite(orbital.projectionMatrix()), "perspective matrix is not finite");
    QVERIFY2(allFinite(closeUp.projectionMatrix()), "ortho matrix is not finite");
    const QRect r = closeUp.viewportRect();
    QVERIFY2(r.x() >= 0 && r.x() <= int(width) && r.width() >= 0 && r.height() >= 0
                 && r.x() + r.width() <= int(width) + 1,
             QByteArray("close-up rectangle " + text(r) + " leaves the target").constData());
    const QRect b = orbital.viewportRect();
    QVERIFY2(b == QRect(0, 0, int(width), int(height)),
             QByteArray("basic rectangle " + text(b)).constData());
}

QTEST_APPLESS_MAIN(TestScCameras)
#include "tst_ScCameras.moc"
