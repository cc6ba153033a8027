#include "presentation/PrBeamMeshBuilders.h"

#include <QtTest>

#include <cmath>

// Vertices are identified by position: a_k lie on y = 0, b_j on y = 1.
namespace {

const float kEps = 1e-5f;

PhColoredPoint pt(const QVector3D &position, const QVector4D &color = QVector4D(1, 1, 1, 1))
{
    return PhColoredPoint{position, color};
}

QVector<PhColoredPoint> row(const char *prefix, int count)
{
    QVector<PhColoredPoint> points;
    const bool isA = prefix[0] == 'a';
    for (int i = 0; i < count; ++i)
        points.append(pt(QVector3D(float(i) * (isA ? 1.0f : 0.5f), isA ? 0.0f : 1.0f, isA ? 0.0f : 0.1f * float(i)),
                         QVector4D(isA ? 1.0f : 0.0f, 0.0f, float(i) / 16.0f, 1.0f)));
    return points;
}

QString nameOf(const QVector3D &p, const QVector<PhColoredPoint> &a, const QVector<PhColoredPoint> &b)
{
    for (int i = 0; i < a.size(); ++i)
        if (a[i].position == p)
            return QStringLiteral("a%1").arg(i);
    for (int j = 0; j < b.size(); ++j)
        if (b[j].position == p)
            return QStringLiteral("b%1").arg(j);
    return QStringLiteral("?");
}

bool near(const QVector3D &x, const QVector3D &y, float eps = kEps)
{
    return (x - y).length() <= eps;
}

QString str(const QVector3D &v)
{
    return QStringLiteral("(%1, %2, %3)").arg(v.x(), 0, 'g', 8).arg(v.y(), 0, 'g', 8).arg(v.z(), 0, 'g', 8);
}

// A bundle whose ray i has the given positions, one per point index.
PhRayBundle bundleOf(const QVector<QVector<QVector3D>> &paths)
{
    PhRayBundle bundle;
    if (paths.isEmpty())
        return bundle;
    bundle.reset(paths.size());
    for (int i = 0; i < paths.size(); ++i) {
        QVector<PhRayPoint> points(paths[i].size());
        for (int k = 0; k < points.size(); ++k)
            points[k].position = paths[i][k];
        bundle.rays[i].points = points;
    }
    return bundle;
}

} // namespace

class TestPrBeamMeshBuilders : public QObject
{
    Q_OBJECT

private slots:
    void segmentSharesPoints_data();
    void segmentSharesPoints();
    void fanAndBridgeVertices();
    void linkRibbonBetweenSinglePoints();
    void ribbonLayout_data();
    void ribbonLayout();
    void ribbonNeedsTwoPoints();
    void miterAveragesSides();
    void spotSquare();
    void beamCones_data();
    void beamCones();
    void spectrumStrip_data();
    void spectrumStrip();
    void conesFadeTowardsScreen();
};

void TestPrBeamMeshBuilders::segmentSharesPoints_data()
{
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("triangles");
    QTest::newRow("point against four") << 1 << 4 << "a0b0b1 a0b1b2 a0b2b3";
    QTest::newRow("equal counts 2") << 2 << 2 << "a0b0b1 a0b1a1";
    QTest::newRow("equal counts 4") << 4 << 4 << "a0b0b1 a0b1a1 a1b1b2 a1b2a2 a2b2b3 a2b3a3";
    QTest::newRow("2 against 5") << 2 << 5 << "a0b0b1 a0b1b2 a0b2a1 a1b2b3 a1b3b4";
    QTest::newRow("3 against 7") << 3 << 7 << "a0b0b1 a0b1b2 a0b2a1 a1b2b3 a1b3b4 a1b4b5 a1b5a2 a2b5b6";
    QTest::newRow("3 against 8, extra to last fan")
        << 3 << 8 << "a0b0b1 a0b1b2 a0b2a1 a1b2b3 a1b3b4 a1b4b5 a1b5a2 a2b5b6 a2b6b7";
    QTest::newRow("3 against 4, d = 1") << 3 << 4 << "a0b0b1 a0b1a1 a1b1b2 a1b2a2 a2b2b3";
}

void TestPrBeamMeshBuilders::segmentSharesPoints()
{
    QFETCH(int, c);
    QFETCH(int, n);
    QFETCH(QString, triangles);
    const QVector<PhColoredPoint> a = row("a", c);
    const QVector<PhColoredPoint> b = row("b", n);
    QVector<ScVertex> out;
    out.append(ScVertex{}); // builders append, never clear
    appendBeamSegment(a, b, out);
    QVERIFY2(out.size() == 1 + 3 * (c + n - 2),
             qPrintable(QStringLiteral("c=%1 n=%2: %3 vertices, expected %4").arg(c).arg(n).arg(out.size()).arg(1 + 3 * (c + n - 2))));
    QStringList got;
    for (int i = 1; i < out.size(); i += 3)
        got << nameOf(out[i].position, a, b) + nameOf(out[i + 1].position, a, b) + nameOf(out[i + 2].position, a, b);
    QVERIFY2(got.join(' ') == triangles,
             qPrintable(QStringLiteral("c=%1 n=%2: got '%3', expected '%4'").arg(c).arg(n).arg(got.join(' '), triangles)));
}

void TestPrBeamMeshBuilders::fanAndBridgeVertices()
{
    const QVector<PhColoredPoint> a = row("a", 2);
    const QVector<PhColoredPoint> b = row("b", 3);
    QVector<ScVertex> out;
    appendBeamSegment(a, b, out); // fan a0 b0 b1 | bridge a0 b1 a1 | fan a1 b1 b2
    QCOMPARE(out.size(), 9);
    for (int i : {0, 1, 2, 6, 7, 8}) {
        QVERIFY2(out[i].texCoord == QVector2D(0.5f, 0.5f), qPrintable(QStringLiteral("fan vertex %1 texCoord").arg(i)));
        const int t = i / 3 * 3;
        const QVector3D expected = QVector3D::normal(out[t].position, out[t + 1].position, out[t + 2].position);
        QVERIFY2(near(out[i].normal, expected),
                 qPrintable(QStringLiteral("fan vertex %1 normal %2, expected %3").arg(i).arg(str(out[i].normal), str(expected))));
    }
    for (int i : {3, 4, 5}) {
        QVERIFY2(out[i].texCoord == QVector2D(0, 0) && out[i].normal == QVector3D(),
                 qPrintable(QStringLiteral("bridge vertex %1: texCoord (0, 0) and zero normal").arg(i)));
    }
    QVERIFY2(out[3].color == a[0].color && out[4].color == b[1].color && out[5].color == a[1].color,
             "bridge vertices carry their points' colours");
    QVERIFY2(out[0].color == a[0].color && out[1].color == b[0].color && out[2].color == b[1].color,
             "fan vertices carry their points' colours");
}

void TestPrBeamMeshBuilders::linkRibbonBetweenSinglePoints()
{
    const QVector4D ca(1, 0, 0, 1), cb(0, 0, 1, 0.5f);
    const PhColoredPoint a = pt(QVector3D(0, 0.2f, 2), ca);
    const PhColoredPoint b = pt(QVector3D(0, 0.1f, -2.5f), cb);
    QVector<ScVertex> out;
    appendBeamSegment({a}, {b}, out);
    QCOMPARE(out.size(), 6);
    const QVector3D facing = QVector3D::normal(b.position - a.position, QVector3D(0, 1, 0));
    const QVector2D tex[6] = {{0, 1}, {1, 1}, {0, 0}, {0, 0}, {1, 0}, {1, 1}};
    const QVector4D col[6] = {ca, ca, cb, cb, cb, ca};
    for (int i = 0; i < 6; ++i) {
        QVERIFY2(near(out[i].normal, facing), qPrintable(QStringLiteral("vertex %1 normal %2, expected %3").arg(i).arg(str(out[i].normal), str(facing))));
        QVERIFY2(out[i].texCoord == tex[i], qPrintable(QStringLiteral("vertex %1 texCoord (%2, %3)").arg(i).arg(out[i].texCoord.x()).arg(out[i].texCoord.y())));
        QVERIFY2(out[i].color == col[i], qPrintable(QStringLiteral("vertex %1 colour").arg(i)));
    }
    const float width = (out[0].position - out[1].position).length();
    QVERIFY2(std::fabs(width - 0.0055f) < 1e-6f, qPrintable(QStringLiteral("band width %1, expected 0.0055").arg(width)));
    // The side offsets are perpendicular to the band's normal: it lies in the vertical plane through both points.
    QVERIFY2(std::fabs(QVector3D::dotProduct(out[0].position - a.position, facing)) < 1e-7f,
             "band lies in the plane through the points, perpendicular to its normal");
}

void TestPrBeamMeshBuilders::ribbonLayout_data()
{
    QTest::addColumn<int>("m");
    QTest::newRow("two points") << 2;
    QTest::newRow("three points") << 3;
    QTest::newRow("six points") << 6;
}

void TestPrBeamMeshBuilders::ribbonLayout()
{
    QFETCH(int, m);
    QVector<PhColoredPoint> points;
    for (int i = 0; i < m; ++i)
        points.append(pt(QVector3D(0.5f, 1.0f + 0.1f * float(i), -5.49f), QVector4D(float(i), 0, 0, 1)));
    const QVector3D facing(0, 0, -1);
    const float width = 0.022f;
    QVector<ScVertex> out;
    appendRibbon(points, facing, width, out);
    QVERIFY2(out.size() == 6 * (m - 1), qPrintable(QStringLiteral("m=%1: %2 vertices, expected %3").arg(m).arg(out.size()).arg(6 * (m - 1))));
    // Triangles (P[i-1], M[i-1], P[i]) and (P[i], M[i], M[i-1]) per segment; plus side u = 0.
    for (int s = 1; s < m; ++s) {
        const int base = 6 * (s - 1);
        const int owners[6] = {s - 1, s - 1, s, s, s, s - 1};
        const float us[6] = {0, 1, 0, 0, 1, 1};
        for (int k = 0; k < 6; ++k) {
            const ScVertex &v = out[base + k];
            const int owner = owners[k];
            const float expectedV = owner == 0 ? 1.0f : (owner == m - 1 ? 0.0f : 0.5f);
            const QVector3D side = QVector3D::normal(QVector3D(0, 1, 0), facing) * (width * 0.5f);
            const QVector3D expected = points[owner].position + (us[k] == 0 ? side : -side);
            QVERIFY2(near(v.position, expected),
                     qPrintable(QStringLiteral("m=%1 vertex %2 at %3, expected %4").arg(m).arg(base + k).arg(str(v.position), str(expected))));
            QVERIFY2(v.texCoord == QVector2D(us[k], expectedV),
                     qPrintable(QStringLiteral("m=%1 vertex %2 texCoord (%3, %4), expected (%5, %6)")
                                    .arg(m).arg(base + k).arg(v.texCoord.x()).arg(v.texCoord.y()).arg(us[k]).arg(expectedV)));
            QVERIFY2(v.color == points[owner].color && v.normal == facing,
                     qPrintable(QStringLiteral("m=%1 vertex %2 colour of point %3 and the facing as normal").arg(m).arg(base + k).arg(owner)));
        }
    }
}

void TestPrBeamMeshBuilders::ribbonNeedsTwoPoints()
{
    QVector<ScVertex> out;
    appendRibbon({}, QVector3D(0, 0, -1), 0.02f, out);
    appendRibbon({pt(QVector3D(1, 1, 1))}, QVector3D(0, 0, -1), 0.02f, out);
    QVERIFY2(out.isEmpty(), qPrintable(QStringLiteral("%1 vertices from fewer than two points").arg(out.size())));
}

void TestPrBeamMeshBuilders::miterAveragesSides()
{
    // A right-angle bend: the averaged side vector is not renormalised (narrower than the width).
    QVector3D plus, minus;
    ribbonMiter(QVector3D(0, 0, 1), QVector3D(0, 0, 0), QVector3D(1, 0, 0), QVector3D(1, 1, 0), 0.5f, &plus, &minus);
    const QVector3D s = (QVector3D::normal(QVector3D(1, 0, 0), QVector3D(0, 0, 1)) +
                         QVector3D::normal(QVector3D(0, 1, 0), QVector3D(0, 0, 1))) * 0.25f;
    QVERIFY2(near(plus, QVector3D(1, 0, 0) + s) && near(minus, QVector3D(1, 0, 0) - s),
             qPrintable(QStringLiteral("plus %1 minus %2, side %3").arg(str(plus), str(minus), str(s))));
    const float halfGap = (plus - minus).length() * 0.5f;
    QVERIFY2(std::fabs(halfGap - 0.5f * std::sqrt(0.5f)) < 1e-6f, qPrintable(QStringLiteral("half gap %1, expected %2").arg(halfGap).arg(0.5f * std::sqrt(0.5f))));
}

void TestPrBeamMeshBuilders::spotSquare()
{
    const QVector4D color(0.2f, 0.4f, 0.6f, 0.8f);
    const PhColoredPoint p = pt(QVector3D(1.3f, 0.7f, -5.49f), color);
    QVector<ScVertex> out;
    appendSpot(p, QVector3D(0, 0, -1), 0.022f, out);
    QCOMPARE(out.size(), 6);
    const float h = 0.011f;
    // Side vector normal((0, 1, 0), (0, 0, -1)) = (-1, 0, 0).
    const QVector3D q1 = p.position + QVector3D(-h, h, 0), q2 = p.position + QVector3D(-h, -h, 0);
    const QVector3D q3 = p.position + QVector3D(h, h, 0), q4 = p.position + QVector3D(h, -h, 0);
    const QVector3D pos[6] = {q1, q2, q3, q3, q4, q2};
    const QVector2D tex[6] = {{1, 1}, {1, 0}, {0, 1}, {0, 1}, {0, 0}, {1, 0}};
    for (int i = 0; i < 6; ++i) {
        QVERIFY2(near(out[i].position, pos[i], 1e-6f), qPrintable(QStringLiteral("corner %1 at %2, expected %3").arg(i).arg(str(out[i].position), str(pos[i]))));
        QVERIFY2(out[i].texCoord == tex[i] && out[i].normal == QVector3D(0, 0, -1) && out[i].color == color,
                 qPrintable(QStringLiteral("corner %1 texCoord, normal or colour").arg(i)));
    }
}

void TestPrBeamMeshBuilders::beamCones_data()
{
    QTest::addColumn<int>("rays");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("vertices");
    // Ray i at point k: all rays share point 0 and 1; from point 2 on they spread along y.
    QTest::newRow("empty bundle") << 0 << 0 << 0;
    QTest::newRow("start points only") << 5 << 1 << 0;
    QTest::newRow("one prism: link, fan, bridge") << 5 << 4 << 3 * (2 + 4 + 8);
    QTest::newRow("two prisms") << 5 << 6 << 3 * (2 + 4 + 8 + 8 + 8);
    QTest::newRow("single ray") << 1 << 4 << 3 * (2 + 2 + 2);
}

void TestPrBeamMeshBuilders::beamCones()
{
    QFETCH(int, rays);
    QFETCH(int, points);
    QFETCH(int, vertices);
    QVector<QVector<QVector3D>> paths;
    for (int i = 0; i < rays; ++i) {
        QVector<QVector3D> path;
        for (int k = 0; k < points; ++k)
            path.append(k < 2 ? QVector3D(0, 0, -float(k)) : QVector3D(0, 0.1f * float(i * k), -float(k)));
        paths.append(path);
    }
    const PhRayBundle bundle = bundleOf(paths);
    QVector<ScVertex> out;
    buildBeamCones(bundle, out);
    QVERIFY2(out.size() == vertices, qPrintable(QStringLiteral("%1 rays x %2 points: %3 vertices, expected %4").arg(rays).arg(points).arg(out.size()).arg(vertices)));
}

void TestPrBeamMeshBuilders::spectrumStrip_data()
{
    QTest::addColumn<int>("rays");
    QTest::addColumn<bool>("spread");
    QTest::addColumn<int>("vertices");
    QTest::newRow("empty bundle") << 0 << false << 0;
    QTest::newRow("collapsed to one point: spot") << 4 << false << 6;
    QTest::newRow("four points: ribbon") << 4 << true << 18;
}

void TestPrBeamMeshBuilders::spectrumStrip()
{
    QFETCH(int, rays);
    QFETCH(bool, spread);
    QFETCH(int, vertices);
    QVector<QVector<QVector3D>> paths;
    for (int i = 0; i < rays; ++i)
        paths.append({QVector3D(0, 0, 2), QVector3D(1.0f, spread ? 0.5f + 0.1f * float(i) : 0.5f, -5.49f)});
    const PhRayBundle bundle = bundleOf(paths);
    QVector<ScVertex> out;
    buildSpectrumStrip(bundle, QVector3D(0, 0, -1), out, 0.022f);
    QVERIFY2(out.size() == vertices, qPrintable(QStringLiteral("%1 rays: %2 vertices, expected %3").arg(rays).arg(out.size()).arg(vertices)));
    if (spread) {
        // Widened 1.5 times along y about the section's centre (0.65): ends at 0.425 and 0.875.
        float lo = 1e9f, hi = -1e9f;
        for (const ScVertex &v : out) {
            lo = qMin(lo, v.position.y());
            hi = qMax(hi, v.position.y());
        }
        QVERIFY2(std::fabs(lo - 0.425f) < 1e-5f && std::fabs(hi - 0.875f) < 1e-5f,
                 qPrintable(QStringLiteral("strip spans y %1 .. %2, expected 0.425 .. 0.875").arg(lo).arg(hi)));
    } else if (rays > 0) {
        const float side = (out[0].position - out[1].position).length();
        QVERIFY2(std::fabs(side - 0.022f) < 1e-6f, qPrintable(QStringLiteral("spot side %1, expected the width 0.022").arg(side)));
    }
}

void TestPrBeamMeshBuilders::conesFadeTowardsScreen()
{
    QVector<QVector<QVector3D>> paths;
    for (int i = 0; i < 4; ++i)
        paths.append({QVector3D(0, 0, 2), QVector3D(0, 0, -2), QVector3D(0, 0.1f * float(i), -5)});
    const PhRayBundle bundle = bundleOf(paths);
    QVector<ScVertex> out;
    buildBeamCones(bundle, out);
    QCOMPARE(out.size(), 6 + 9); // link ribbon, then a fan of three triangles
    for (int i = 0; i < 6; ++i)
        QVERIFY2(out[i].color.w() == 1.0f, qPrintable(QStringLiteral("link vertex %1 alpha %2, expected 1").arg(i).arg(out[i].color.w())));
    for (int t = 6; t < out.size(); t += 3) {
        QVERIFY2(out[t].color.w() == 1.0f, qPrintable(QStringLiteral("fan apex %1 alpha %2, expected 1").arg(t).arg(out[t].color.w())));
        QVERIFY2(out[t + 1].color.w() == 0.0f && out[t + 2].color.w() == 0.0f,
                 qPrintable(QStringLiteral("screen-end vertices of triangle %1 must have alpha 0").arg(t / 3)));
    }
    // The screen end is widened 1.5 times along y about its centre 0.15: -0.075 .. 0.375.
    QVERIFY2(std::fabs(out[7].position.y() + 0.075f) < 1e-6f && std::fabs(out.last().position.y() - 0.375f) < 1e-6f,
             qPrintable(QStringLiteral("screen end from %1 to %2, expected -0.075 .. 0.375").arg(out[7].position.y()).arg(out.last().position.y())));
}

QTEST_APPLESS_MAIN(TestPrBeamMeshBuilders)
#include "tst_PrBeamMeshBuilders.moc"
