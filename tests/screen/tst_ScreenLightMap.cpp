#include "models/ScreenModel.h"
#include "tests/screen/ScreenIslands.h"

#include <QImage>
#include <QtTest>

#include <cmath>
#include <iterator>

namespace {

constexpr int kSize = 512;
constexpr int kTriangles = int(std::size(screenModelVertices)) / 3;

const ScVertex &rec(int i) { return screenModelVertices[i]; }

struct P2 { double x, y; };

double cross(const P2 &o, const P2 &a, const P2 &b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// Distance from p to a triangle (0 inside), in the units of the points.
double distanceTo(const P2 &p, const P2 t[3])
{
    const double d0 = cross(t[0], t[1], p), d1 = cross(t[1], t[2], p), d2 = cross(t[2], t[0], p);
    if ((d0 >= 0 && d1 >= 0 && d2 >= 0) || (d0 <= 0 && d1 <= 0 && d2 <= 0))
        return 0;
    double best = 1e9;
    for (int e = 0; e < 3; ++e) {
        const P2 &a = t[e], &b = t[(e + 1) % 3];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double s = std::max(0.0, std::min(1.0, ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy)));
        best = std::min(best, std::hypot(a.x + s * dx - p.x, a.y + s * dy - p.y));
    }
    return best;
}

// A triangle's light-map corners in texel units.
void texels(int t, P2 out[3])
{
    for (int c = 0; c < 3; ++c)
        out[c] = {double(rec(3 * t + c).texCoord.x()) * kSize, double(rec(3 * t + c).texCoord.y()) * kSize};
}

QImage &lightMap()
{
    static QImage image(QStringLiteral(SCREEN_LIGHTMAP_PNG));
    return image;
}

int level(int x, int y) { return qRed(lightMap().pixel(x, y)); }

// Bilinear sample at a light-map point, texel centres at (i + 0.5) / 512, edges clamped.
double sample(double u, double v)
{
    const double fx = u * kSize - 0.5, fy = v * kSize - 0.5;
    const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    const double ax = fx - x0, ay = fy - y0;
    auto at = [](int x, int y) { return double(level(qBound(0, x, kSize - 1), qBound(0, y, kSize - 1))); };
    return (1 - ay) * ((1 - ax) * at(x0, y0) + ax * at(x0 + 1, y0)) + ay * ((1 - ax) * at(x0, y0 + 1) + ax * at(x0 + 1, y0 + 1));
}

// Mean level of an island: over the texels whose centres it covers, or by bilinear samples
// at its triangles' centroids for strips too thin to cover a texel centre.
double islandMean(const QVector<int> &tris, int *covered = nullptr)
{
    double sum = 0;
    int n = 0;
    for (int t : tris) {
        P2 q[3];
        texels(t, q);
        const int x0 = std::max(0, int(std::min({q[0].x, q[1].x, q[2].x}))), x1 = std::min(kSize - 1, int(std::max({q[0].x, q[1].x, q[2].x})));
        const int y0 = std::max(0, int(std::min({q[0].y, q[1].y, q[2].y}))), y1 = std::min(kSize - 1, int(std::max({q[0].y, q[1].y, q[2].y})));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                // A centre on a shared edge counts for the first triangle only.
                const P2 c{x + 0.5, y + 0.5};
                if (distanceTo(c, q) > 0)
                    continue;
                bool earlier = false;
                for (int s : tris) {
                    if (s == t)
                        break;
                    P2 r[3];
                    texels(s, r);
                    earlier |= distanceTo(c, r) == 0;
                }
                if (earlier)
                    continue;
                sum += level(x, y);
                ++n;
            }
    }
    if (covered)
        *covered = n;
    if (n >= 4)
        return sum / n;
    sum = 0;
    for (int t : tris) {
        const QVector2D c = (rec(3 * t).texCoord + rec(3 * t + 1).texCoord + rec(3 * t + 2).texCoord) / 3.0f;
        sum += sample(c.x(), c.y());
    }
    return sum / tris.size();
}

// Level at a model point of a face: interpolates the light-map point of the face triangle
// that holds it, seen along the given axis (0 x, 2 z).
double levelAt(const QVector<int> &faceTriangles, const QVector3D &p, int along, bool *found)
{
    const int a = along == 0 ? 2 : 0, b = 1;
    for (int t : faceTriangles) {
        P2 q[3];
        for (int c = 0; c < 3; ++c)
            q[c] = {double(rec(3 * t + c).position[a]), double(rec(3 * t + c).position[b])};
        const P2 pp{double(p[a]), double(p[b])};
        if (distanceTo(pp, q) > 0)
            continue;
        const double area = cross(q[0], q[1], q[2]);
        const double w0 = cross(q[1], q[2], pp) / area, w1 = cross(q[2], q[0], pp) / area, w2 = 1 - w0 - w1;
        const QVector2D uv = rec(3 * t).texCoord * float(w0) + rec(3 * t + 1).texCoord * float(w1) + rec(3 * t + 2).texCoord * float(w2);
        *found = true;
        return sample(uv.x(), uv.y());
    }
    *found = false;
    return -1;
}

QVector<int> range(std::initializer_list<QPair<int, int>> spans)
{
    QVector<int> out;
    for (const auto &s : spans)
        for (int t = s.first; t <= s.second; ++t)
            out.append(t);
    return out;
}

} // namespace

class ScreenLightMapTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void greyWithinLimits();
    void blackOutsideTheMargins();
    void islandLevels_data();
    void islandLevels();
    void projectionSurface();
    void courses_data();
    void courses();
};

void ScreenLightMapTest::initTestCase()
{
    QVERIFY2(!lightMap().isNull(), SCREEN_LIGHTMAP_PNG " does not load");
}

void ScreenLightMapTest::greyWithinLimits()
{
    QCOMPARE(lightMap().size(), QSize(kSize, kSize));
    QVERIFY2(!lightMap().hasAlphaChannel(), "the light map has an alpha channel");
    int highest = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const QRgb p = lightMap().pixel(x, y);
            QVERIFY2(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p),
                     qPrintable(QStringLiteral("texel (%1, %2) is not grey: %3 %4 %5").arg(x).arg(y).arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p))));
            highest = std::max(highest, qRed(p));
        }
    QVERIFY2(highest <= 83, qPrintable(QStringLiteral("brightest level %1, limit 83").arg(highest)));
}

void ScreenLightMapTest::blackOutsideTheMargins()
{
    // Texels farther than three texels from every island, and all beyond u 0.7164, are black.
    QVector<bool> near(kSize * kSize, false);
    for (int t = 0; t < kTriangles; ++t) {
        P2 q[3];
        texels(t, q);
        const int x0 = std::max(0, int(std::min({q[0].x, q[1].x, q[2].x})) - 4);
        const int x1 = std::min(kSize - 1, int(std::max({q[0].x, q[1].x, q[2].x})) + 4);
        const int y0 = std::max(0, int(std::min({q[0].y, q[1].y, q[2].y})) - 4);
        const int y1 = std::min(kSize - 1, int(std::max({q[0].y, q[1].y, q[2].y})) + 4);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (distanceTo({x + 0.5, y + 0.5}, q) <= 3.0 + 1e-6)
                    near[y * kSize + x] = true;
    }
    int lit = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const bool beyond = (x + 0.5) / kSize > 0.7164;
            if (near[y * kSize + x] && !beyond) {
                lit += level(x, y) > 0;
                continue;
            }
            QVERIFY2(level(x, y) == 0, qPrintable(QStringLiteral("texel (%1, %2) outside every margin%3 has level %4")
                     .arg(x).arg(y).arg(beyond ? QStringLiteral(" and beyond u 0.7164") : QString()).arg(level(x, y))));
        }
    QVERIFY2(lit > 10000, qPrintable(QStringLiteral("only %1 lit texels").arg(lit)));
}

void ScreenLightMapTest::islandLevels_data()
{
    // Each island named by one of its triangles, with its stated mean level.
    QTest::addColumn<int>("triangle");
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("tolerance");
    const struct { const char *name; int triangle, level; double tolerance; } rows[] = {
        {"board bottom edge", 0, 0, 0.5}, {"board right side", 3, 0, 0.5}, {"board top edge", 5, 4, 0.5},
        {"board front band", 7, 56, 1.5}, {"board raised border top", 15, 60, 1.5},
        {"border outer wall bottom", 23, 0, 0.5}, {"border outer wall right", 25, 0, 0.5},
        {"border outer wall top", 29, 0, 0.5}, {"border inner wall right top", 31, 25, 0.5},
        {"border inner wall right", 33, 24, 0.5}, {"border inner wall bottom", 35, 19, 0.5},
        {"projection surface", 40, 67, 1.0}, {"board back face", 45, 0, 0.5}, {"board left side", 58, 0, 0.5},
        {"border outer wall left", 80, 0, 0.5}, {"border inner wall left top", 86, 21, 0.5},
        {"border inner wall left", 88, 51, 0.5},
        {"left outer face", 112, 0, 0.5}, {"left top", 131, 9, 0.5}, {"left back outer side", 133, 1, 0.5},
        {"left back toe slope", 138, 0, 0.5}, {"left back end", 139, 4, 0.5}, {"left back pad", 143, 4, 0.5},
        {"left back inner side", 145, 37, 0.5}, {"left underside", 149, 1, 0.5}, {"left inner face", 151, 39, 1.0},
        {"left front outer side", 218, 46, 0.5}, {"left front toe slope", 224, 32, 0.5}, {"left front end", 225, 43, 0.5},
        {"left front pad", 229, 1, 0.5}, {"left front inner side", 235, 1, 0.5},
        {"right outer face", 284, 1, 0.5}, {"right top", 306, 11, 0.5}, {"right back outer side", 308, 1, 0.5},
        {"right back toe slope", 314, 2, 0.5}, {"right back end", 315, 2, 0.5}, {"right back pad", 319, 3, 0.5},
        {"right back inner side", 325, 36, 0.5}, {"right underside", 329, 1, 0.5}, {"right inner face", 331, 14, 1.0},
        {"right front outer side", 398, 52, 0.5}, {"right front toe slope", 404, 37, 0.5}, {"right front end", 405, 52, 0.5},
        {"right front pad", 409, 2, 0.5}, {"right front inner side", 415, 2, 0.5},
        {"bar right top outer corner", 464, 11, 0.5}, {"bar right outer side", 469, 0, 0.5}, {"bar right bottom", 471, 0, 0.5},
        {"bar right lower inner side", 473, 12, 0.5}, {"bar bottom and lower fillet", 475, 1, 0.5},
        {"bar right upper inner side", 477, 23, 0.5}, {"bar right top inner part", 480, 17, 0.5}, {"bar back face", 482, 1, 0.5},
        {"bar top", 515, 21, 0.5}, {"bar right tab top", 522, 2, 0.5}, {"bar right tab outer side", 523, 3, 0.5},
        {"bar right tab inner side", 542, 20, 0.5}, {"bar front face", 543, 59, 1.5},
        {"bar left top outer corner", 590, 4, 0.5}, {"bar left outer side", 595, 0, 0.5}, {"bar left bottom", 597, 2, 0.5},
        {"bar left upper inner side", 599, 50, 0.5}, {"bar left top inner part", 602, 19, 0.5},
        {"bar left lower inner side", 629, 36, 0.5}, {"bar left tab top", 636, 1, 0.5},
        {"bar left tab outer side", 637, 0, 0.5}, {"bar left tab inner side", 657, 49, 0.5}};
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.triangle << r.level << r.tolerance;
}

void ScreenLightMapTest::islandLevels()
{
    QFETCH(int, triangle);
    QFETCH(int, level);
    QFETCH(double, tolerance);
    static const ScreenIslands islands;
    int covered = 0;
    const double mean = islandMean(islands.triangles(islands.island(triangle)), &covered);
    // Bilinear samples of a strip narrower than a texel also take in its neighbours, which
    // lie as little as 0.15 texel away.
    const double bound = covered >= 4 ? tolerance : std::max(tolerance, 2.0);
    QVERIFY2(std::abs(mean - level) <= bound, qPrintable(QStringLiteral("island of triangle %1 (%2 texels): mean level %3, stated %4, tolerance %5")
             .arg(triangle).arg(covered).arg(mean, 0, 'f', 2).arg(level).arg(bound)));
}

void ScreenLightMapTest::projectionSurface()
{
    // No black texel on the projection surface; levels 46 to 83 about a mean of 67.
    const QVector<int> surface = range({{40, 43}, {95, 98}});
    int lo = 255, hi = 0, n = 0;
    double sum = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            for (int t : surface) {
                P2 q[3];
                texels(t, q);
                if (distanceTo({x + 0.5, y + 0.5}, q) == 0) {
                    lo = std::min(lo, level(x, y));
                    hi = std::max(hi, level(x, y));
                    sum += level(x, y);
                    ++n;
                    break;
                }
            }
    QVERIFY2(n > 10000, qPrintable(QStringLiteral("%1 surface texels").arg(n)));
    QVERIFY2(lo >= 46 && hi <= 83 && std::abs(sum / n - 67) <= 1.0,
             qPrintable(QStringLiteral("surface levels %1 to %2, mean %3; expected 46 to 83, mean 67 +- 1").arg(lo).arg(hi).arg(sum / n)));
}

void ScreenLightMapTest::courses_data()
{
    QTest::addColumn<QVector<int>>("face");
    QTest::addColumn<QVector3D>("point");
    QTest::addColumn<int>("along");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    const QVector<int> surface = range({{40, 43}, {95, 98}});
    const QVector<int> barFront = range({{543, 565}, {588, 588}, {658, 679}});
    const QVector<int> leftInner = range({{151, 171}, {241, 262}});
    const QVector<int> rightInner = range({{331, 352}, {421, 442}});
    // The course along x on the lit fronts: dim left end, broad maximum, faster fall.
    QTest::newRow("surface left end") << surface << QVector3D(-1.78f, 1.2f, 0) << 2 << 44.0 << 54.0;
    QTest::newRow("surface left third") << surface << QVector3D(-0.6f, 1.2f, 0) << 2 << 60.0 << 70.0;
    QTest::newRow("surface maximum") << surface << QVector3D(0.7f, 1.2f, 0) << 2 << 72.0 << 80.0;
    QTest::newRow("surface right end") << surface << QVector3D(1.78f, 1.2f, 0) << 2 << 46.0 << 57.0;
    QTest::newRow("surface top edge") << surface << QVector3D(0.7f, 2.05f, 0) << 2 << 64.0 << 74.0;
    QTest::newRow("bar middle") << barFront << QVector3D(0.7f, 0.27f, 0) << 2 << 60.0 << 80.0;
    QTest::newRow("bar right foot") << barFront << QVector3D(1.58f, 0.25f, 0) << 2 << 6.0 << 12.0;
    QTest::newRow("bar beside right foot") << barFront << QVector3D(1.64f, 0.25f, 0) << 2 << 36.0 << 43.0;
    QTest::newRow("bar right tab") << barFront << QVector3D(1.58f, 0.38f, 0) << 2 << 54.0 << 58.0;
    QTest::newRow("bar left tab") << barFront << QVector3D(-1.6f, 0.38f, 0) << 2 << 49.0 << 53.0;
    // The feet's inner faces, and no darkening towards the floor.
    QTest::newRow("left inner front") << leftInner << QVector3D(0, 0.15f, -1.40f) << 0 << 49.0 << 53.0;
    QTest::newRow("left inner front low") << leftInner << QVector3D(0, 0.02f, -1.40f) << 0 << 49.0 << 53.0;
    QTest::newRow("left inner back leg") << leftInner << QVector3D(0, 0.05f, -1.67f) << 0 << 42.0 << 46.0;
    QTest::newRow("left inner upper back") << leftInner << QVector3D(0, 0.25f, -1.62f) << 0 << 20.0 << 24.0;
    QTest::newRow("left inner in the bar") << leftInner << QVector3D(0, 0.25f, -1.535f) << 0 << 6.0 << 10.0;
    QTest::newRow("right inner front") << rightInner << QVector3D(0, 0.15f, -1.40f) << 0 << 18.0 << 22.0;
    QTest::newRow("right inner front low") << rightInner << QVector3D(0, 0.02f, -1.40f) << 0 << 18.0 << 22.0;
    QTest::newRow("right inner back leg") << rightInner << QVector3D(0, 0.05f, -1.67f) << 0 << 15.0 << 19.0;
    QTest::newRow("right inner upper back") << rightInner << QVector3D(0, 0.25f, -1.62f) << 0 << 0.0 << 2.0;
}

void ScreenLightMapTest::courses()
{
    QFETCH(QVector<int>, face);
    QFETCH(QVector3D, point);
    QFETCH(int, along);
    QFETCH(double, low);
    QFETCH(double, high);
    bool found = false;
    const double v = levelAt(face, point, along, &found);
    QVERIFY2(found, "the point lies on none of the face's triangles");
    QVERIFY2(v >= low && v <= high, qPrintable(QStringLiteral("level %1 at (%2, %3, %4), expected %5 to %6")
             .arg(v, 0, 'f', 1).arg(point.x()).arg(point.y()).arg(point.z()).arg(low).arg(high)));
}

QTEST_APPLESS_MAIN(ScreenLightMapTest)
#include "tst_ScreenLightMap.moc"
