// Cube-map face rendering: face orientation against OpenGL's face selection, shading of
// light-mapped triangles, the openings.
#include "tools/gfxgen/CubeMapRenderer.h"

#include <QtTest>

#include <cmath>

namespace {

using Face = CubeMapRenderer::Face;

// OpenGL's cube-map selection (major axis, then sc, tc, ma), mapped to s, t in [0, 1].
void glSelect(const QVector3D &r, Face *face, double *s, double *t)
{
    const double ax = std::abs(r.x()), ay = std::abs(r.y()), az = std::abs(r.z());
    double sc, tc, ma;
    if (ax >= ay && ax >= az) {
        *face = r.x() > 0 ? CubeMapRenderer::PositiveX : CubeMapRenderer::NegativeX;
        sc = r.x() > 0 ? -r.z() : r.z();
        tc = -r.y();
        ma = ax;
    } else if (ay >= az) {
        *face = r.y() > 0 ? CubeMapRenderer::PositiveY : CubeMapRenderer::NegativeY;
        sc = r.x();
        tc = r.y() > 0 ? r.z() : -r.z();
        ma = ay;
    } else {
        *face = r.z() > 0 ? CubeMapRenderer::PositiveZ : CubeMapRenderer::NegativeZ;
        sc = r.z() > 0 ? r.x() : -r.x();
        tc = -r.y();
        ma = az;
    }
    *s = 0.5 * (sc / ma + 1.0);
    *t = 0.5 * (tc / ma + 1.0);
}

void addQuad(QVector<ScVertex> &v, const QVector3D &a, const QVector3D &b, const QVector3D &c, const QVector3D &d)
{
    // Texture corners: a (0, 0), b (1, 0), c (1, 1), d (0, 1).
    const QVector3D n = QVector3D::normal(a, b, c);
    const QVector4D white(1, 1, 1, 1);
    const ScVertex va{a, {0, 0}, n, white}, vb{b, {1, 0}, n, white}, vc{c, {1, 1}, n, white},
        vd{d, {0, 1}, n, white};
    v << va << vb << vc << va << vc << vd;
}

// The six sides of the cube [-1, 1]³, each mapped onto the whole light map.
QVector<ScVertex> box(bool withTop)
{
    QVector<ScVertex> v;
    addQuad(v, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1});
    if (withTop)
        addQuad(v, {-1, 1, -1}, {1, 1, -1}, {1, 1, 1}, {-1, 1, 1});
    addQuad(v, {-1, -1, -1}, {-1, 1, -1}, {-1, 1, 1}, {-1, -1, 1});
    addQuad(v, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1});
    addQuad(v, {-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1});
    addQuad(v, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1});
    return v;
}

QImage uniformMap(int grey)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(qRgba(grey, grey, grey, 255));
    return image;
}

const char *faceName(Face f)
{
    static const char *names[] = {"+X", "-X", "+Y", "-Y", "+Z", "-Z"};
    return names[f];
}

} // namespace

class TestCubeMapRenderer : public QObject
{
    Q_OBJECT

private slots:
    void directionMatchesGlSelection_data();
    void directionMatchesGlSelection();
    void closedBoxShowsItsLightMap();
    void openingsAreWhite();
    void lightMapTopRowIsVZero();
};

void TestCubeMapRenderer::directionMatchesGlSelection_data()
{
    QTest::addColumn<int>("face");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("t");
    QTest::addColumn<QVector3D>("expected"); // unnormalised direction, (0, 0, 0): not checked
    for (int f = 0; f < 6; ++f)
        for (double s : {0.1, 0.5, 0.83})
            for (double t : {0.07, 0.5, 0.9})
                QTest::newRow(qPrintable(QString("%1 s=%2 t=%3").arg(faceName(Face(f))).arg(s).arg(t)))
                    << f << s << t << QVector3D();
    // Towards the top row a side face looks up; towards its top row +Y looks to -Z and -Y to +Z.
    QTest::newRow("+X upper") << int(CubeMapRenderer::PositiveX) << 0.5 << 0.25 << QVector3D(1, 0.5, 0);
    QTest::newRow("+X left") << int(CubeMapRenderer::PositiveX) << 0.25 << 0.5 << QVector3D(1, 0, 0.5);
    QTest::newRow("-Z left") << int(CubeMapRenderer::NegativeZ) << 0.25 << 0.5 << QVector3D(0.5, 0, -1);
    QTest::newRow("+Z left") << int(CubeMapRenderer::PositiveZ) << 0.25 << 0.5 << QVector3D(-0.5, 0, 1);
    QTest::newRow("+Y upper") << int(CubeMapRenderer::PositiveY) << 0.5 << 0.25 << QVector3D(0, 1, -0.5);
    QTest::newRow("-Y upper") << int(CubeMapRenderer::NegativeY) << 0.5 << 0.25 << QVector3D(0, -1, 0.5);
}

void TestCubeMapRenderer::directionMatchesGlSelection()
{
    QFETCH(int, face);
    QFETCH(double, s);
    QFETCH(double, t);
    QFETCH(QVector3D, expected);
    constexpr double tolerance = 1e-6;

    const QVector3D d = CubeMapRenderer::direction(Face(face), s, t);
    QVERIFY2(std::abs(d.length() - 1.0) < tolerance, qPrintable(QString("length %1").arg(d.length())));
    Face selected;
    double gs, gt;
    glSelect(d, &selected, &gs, &gt);
    QVERIFY2(selected == face && std::abs(gs - s) < tolerance && std::abs(gt - t) < tolerance,
             qPrintable(QString("GL samples (%1, %2, %3) from face %4 at (%5, %6), expected %7 at (%8, %9)")
                            .arg(d.x())
                            .arg(d.y())
                            .arg(d.z())
                            .arg(faceName(selected))
                            .arg(gs)
                            .arg(gt)
                            .arg(faceName(Face(face)))
                            .arg(s)
                            .arg(t)));
    if (!expected.isNull()) {
        const QVector3D e = expected.normalized();
        QVERIFY2((d - e).length() < tolerance,
                 qPrintable(QString("direction (%1, %2, %3), expected (%4, %5, %6)")
                                .arg(d.x())
                                .arg(d.y())
                                .arg(d.z())
                                .arg(e.x())
                                .arg(e.y())
                                .arg(e.z())));
    }
}

void TestCubeMapRenderer::closedBoxShowsItsLightMap()
{
    const QVector<ScVertex> vertices = box(true);
    // Placed like a renderer: scaled (mirrored in x) and moved; the eye stays inside.
    const CubeMapRenderer renderer({{vertices.constData(), vertices.size(), {3, 1, -2}, {-2, 1.5, 1}, uniformMap(100)}});
    for (int f = 0; f < 6; ++f) {
        const QImage image = renderer.renderFace(Face(f), {3.2, 1.1, -2.3}, 16, 3);
        QCOMPARE(image.size(), QSize(16, 16));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                QVERIFY2(image.pixel(x, y) == qRgba(100, 100, 100, 255),
                         qPrintable(QString("face %1 pixel (%2, %3) is #%4, expected opaque grey 100")
                                        .arg(faceName(Face(f)))
                                        .arg(x)
                                        .arg(y)
                                        .arg(image.pixel(x, y), 8, 16, QChar('0'))));
    }
}

void TestCubeMapRenderer::openingsAreWhite()
{
    const QVector<ScVertex> vertices = box(false);
    const CubeMapRenderer renderer({{vertices.constData(), vertices.size(), {0, 0, 0}, {1, 1, 1}, uniformMap(60)}});
    const QImage up = renderer.renderFace(CubeMapRenderer::PositiveY, {0, 0.5f, 0}, 8, 1);
    const QImage front = renderer.renderFace(CubeMapRenderer::NegativeZ, {0, 0.5f, 0}, 8, 1);
    QVERIFY2(up.pixel(4, 4) == qRgba(255, 255, 255, 255),
             qPrintable(QString("open side is #%1, expected white").arg(up.pixel(4, 4), 8, 16, QChar('0'))));
    // From above the centre, the top row of a side face looks out through the open top.
    QVERIFY2(front.pixel(4, 0) == qRgba(255, 255, 255, 255) && front.pixel(4, 7) == qRgba(60, 60, 60, 255),
             qPrintable(QString("-Z top #%1, bottom #%2; expected white over grey 60")
                            .arg(front.pixel(4, 0), 8, 16, QChar('0'))
                            .arg(front.pixel(4, 7), 8, 16, QChar('0'))));
}

void TestCubeMapRenderer::lightMapTopRowIsVZero()
{
    // One quad at z = -1 facing the eye: texture v = 0 along its bottom edge (y = -1).
    QVector<ScVertex> vertices;
    addQuad(vertices, {-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1});
    QImage map(8, 8, QImage::Format_ARGB32);
    map.fill(qRgba(0, 0, 0, 255));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            map.setPixel(x, y, qRgba(200, 200, 200, 255)); // top half of the stored picture
    const CubeMapRenderer renderer({{vertices.constData(), vertices.size(), {0, 0, 0}, {1, 1, 1}, map}});
    const float nearBottom = renderer.shade({0, 0, 0}, QVector3D(0, -0.6f, -1).normalized());
    const float nearTop = renderer.shade({0, 0, 0}, QVector3D(0, 0.6f, -1).normalized());
    constexpr float tolerance = 1e-4f;
    QVERIFY2(std::abs(nearBottom - 200 / 255.0f) < tolerance && std::abs(nearTop) < tolerance,
             qPrintable(QString("v near 0 gives %1 (expected %2), v near 1 gives %3 (expected 0)")
                            .arg(nearBottom)
                            .arg(200 / 255.0)
                            .arg(nearTop)));
}

QTEST_GUILESS_MAIN(TestCubeMapRenderer)

#include "tst_cubemaprenderer.moc"
