// Face planes of the prisms as the two set-ups place them, and single rays traced through them onto
// the screen plane, against an independent calculation: the classic prism deviation
// δ = i₁ + asin(n sin(A − asin(sin i₁ / n))) − A and vector Snell's law in double precision.
#include "optics/PhComplexIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhRay.h"
#include "optics/PhRefractivePlane.h"
#include "presentation/PrPrismRenderer.h"
#include "presentation/PrScreenRenderer.h"

#include <QtTest>

#include <cmath>

namespace {

const double kDeg = M_PI / 180.0;
// Arc height 0.2 hangs the body 0.2 / 6 below the pivot.
const QVector3D kOffset(0.0f, 0.2f / -6.0f, 0.0f);
const QVector3D kHalf(0.5f, 0.5f, 0.5f);
const QVector3D kFirstPosition(1.3f, 0.22f, -2.6f);
const QVector3D kSecondPosition(1.27f, 0.32f, -2.9f);
const double kScreenZ = -5.49;

struct V
{
    double x, y, z;
};
V operator+(V a, V b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V operator-(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V operator*(double s, V a) { return {s * a.x, s * a.y, s * a.z}; }
double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V unit(V a) { return (1.0 / std::sqrt(dot(a, a))) * a; }

// The normal-dispersion glass: n = 0.2457 λ² − 0.4095 λ + 1.4651.
double glassIndex(double lambda)
{
    return (0.91 * 0.27 * lambda) * lambda + 0.91 * -0.45 * lambda + 0.91 * 1.61;
}

// A plane through p whose normal n points along the travel.
struct Face
{
    V p, n;
};

// Meets the plane, then refracts from index n1 into n2 (vector form of Snell's law).
void cross(V *pos, V *dir, const Face &f, double n1, double n2)
{
    const double t = dot(f.p - *pos, f.n) / dot(*dir, f.n);
    *pos = *pos + t * *dir;
    const V d = unit(*dir);
    const double c = dot(d, f.n);
    const double eta = n1 / n2;
    const double k = 1.0 - eta * eta * (1.0 - c * c);
    *dir = eta * d + (std::sqrt(k) - eta * c) * f.n;
}

// Textbook faces of a prism of apex A whose edge passes through `edge`: for the first set-up the
// edge runs along x and points down; rolled 90 degrees it runs along y and points to +x.
void prismFaces(V edge, double apex, bool rolled, Face *entry, Face *exit)
{
    const double s = std::sin(apex * 0.5 * kDeg), c = std::cos(apex * 0.5 * kDeg);
    if (!rolled) {
        *entry = {edge, {0, s, -c}};
        *exit = {edge, {0, -s, -c}};
    } else {
        *entry = {edge, {-s, 0, -c}};
        *exit = {edge, {s, 0, -c}};
    }
}

V landOnScreen(V pos, V dir)
{
    const double t = (kScreenZ - pos.z) / dir.z;
    return pos + t * dir;
}

QSharedPointer<PhComplexIndexFunction> normalGlass()
{
    QSharedPointer<PhComplexIndexFunction> glass = PhComplexIndexFunction::create();
    glass->realFunction = PhParabolicIndexFunction::create();
    return glass;
}

struct Prism
{
    PhRefractivePlane entry, exit;
};

Prism placedPrism(const QVector3D &position, const QQuaternion &rotation, float apex)
{
    Prism prism;
    PrPrismRenderer::placeFaces(PrPrismRenderer::bodyMatrix(position, rotation, kOffset, kHalf, apex), &prism.entry,
                                &prism.exit);
    prism.entry.material = prism.exit.material = normalGlass();
    return prism;
}

PhRefractivePlane screenPlane()
{
    PhRefractivePlane plane;
    plane.passThrough = true;
    plane.normal = QVector3D(0, 0, -1);
    plane.cornerA = QVector3D(0, 0, -4) + PrScreenRenderer::surfaceCornerA;
    plane.cornerB = QVector3D(0, 0, -4) + PrScreenRenderer::surfaceCornerB;
    return plane;
}

PhRay rayFrom(const QVector3D &source, double lambda)
{
    PhRay ray;
    ray.wavelength = lambda;
    ray.points[0].position = source;
    ray.points[0].direction = QVector3D(0, 0, -1);
    return ray;
}

QString str(const QVector3D &v)
{
    return QStringLiteral("(%1, %2, %3)").arg(v.x(), 0, 'f', 6).arg(v.y(), 0, 'f', 6).arg(v.z(), 0, 'f', 6);
}

QString str(V v)
{
    return QStringLiteral("(%1, %2, %3)").arg(v.x, 0, 'f', 6).arg(v.y, 0, 'f', 6).arg(v.z, 0, 'f', 6);
}

bool near(const QVector3D &a, V b, double eps)
{
    return std::fabs(a.x() - b.x) <= eps && std::fabs(a.y() - b.y) <= eps && std::fabs(a.z() - b.z) <= eps;
}

// The light source of both set-ups: level with the body's centre line, 2 units in front.
const QVector3D kSource(1.3f, 0.22f + 0.5f * (0.2f / -6.0f), 2.0f);

} // namespace

class TestPrPrismOptics : public QObject
{
    Q_OBJECT

private slots:
    void facePlanesOfFirstPrism();
    void modelMatrixMapsApexCorner();
    void onePrism_data();
    void onePrism();
    void twoPrisms_data();
    void twoPrisms();
};

void TestPrPrismOptics::facePlanesOfFirstPrism()
{
    const Prism p = placedPrism(kFirstPosition, QQuaternion(), 60.0f);
    struct Row
    {
        const char *what;
        QVector3D got, expected;
    };
    const Row rows[] = {
        {"entry cornerA", p.entry.cornerA, QVector3D(1.25f, 0.136667f, -2.6f)},
        {"entry cornerB", p.entry.cornerB, QVector3D(1.35f, 0.236667f, -2.542265f)},
        {"entry normal", p.entry.normal, QVector3D(0, 0.5f, -0.866025f)},
        {"exit cornerA", p.exit.cornerA, QVector3D(1.35f, 0.136667f, -2.6f)},
        {"exit cornerB", p.exit.cornerB, QVector3D(1.25f, 0.236667f, -2.657735f)},
        {"exit normal", p.exit.normal, QVector3D(0, -0.5f, -0.866025f)},
    };
    for (const Row &r : rows)
        QVERIFY2((r.got - r.expected).length() < 2e-6f,
                 qPrintable(QStringLiteral("%1 %2, expected %3").arg(r.what, str(r.got), str(r.expected))));
}

void TestPrPrismOptics::modelMatrixMapsApexCorner()
{
    // Apex 60: the depth axis is scaled by tan 30°, so (0.1, 0.1, 0.2) lands 0.057735 behind the pivot.
    const QVector3D got =
        PrPrismRenderer::bodyMatrix(kFirstPosition, QQuaternion(), kOffset, kHalf, 60.0f).map(QVector3D(0.1f, 0.1f, 0.2f));
    QVERIFY2((got - QVector3D(1.35f, 0.236667f, -2.542265f)).length() < 2e-6f, qPrintable(str(got)));
    // Rolled 90 degrees about z, the offset turns with the body: the edge moves to +x of the pivot.
    const QVector3D edge = PrPrismRenderer::bodyMatrix(kSecondPosition, QQuaternion::fromEulerAngles(0, 0, 90), kOffset,
                                                       kHalf, 60.0f)
                               .map(QVector3D(0.0f, -0.1f, 0.0f));
    QVERIFY2((edge - QVector3D(1.27f + 0.2f / 6.0f + 0.05f, 0.32f, -2.9f)).length() < 2e-6f, qPrintable(str(edge)));
}

void TestPrPrismOptics::onePrism_data()
{
    QTest::addColumn<double>("lambda");
    QTest::addColumn<float>("apex");
    QTest::newRow("violet, apex 60") << 0.38 << 60.0f;
    QTest::newRow("green, apex 60") << 0.5 << 60.0f;
    QTest::newRow("yellow, apex 60") << 0.58 << 60.0f;
    QTest::newRow("red, apex 60") << 0.7796 << 60.0f;
    QTest::newRow("violet, apex 50") << 0.38 << 50.0f;
    QTest::newRow("red, apex 55") << 0.7796 << 55.0f;
}

void TestPrPrismOptics::onePrism()
{
    QFETCH(double, lambda);
    QFETCH(float, apex);
    Prism prism = placedPrism(kFirstPosition, QQuaternion(), apex);
    PhRefractivePlane screen = screenPlane();
    PhRay ray = rayFrom(kSource, lambda);
    prism.entry.refract(&ray, true);
    prism.exit.refract(&ray, false);
    screen.refract(&ray, true);
    QCOMPARE(ray.points.size(), 4);

    // Classic deviation: the ray meets the entry face at i₁ = A / 2 (it travels along -z).
    const double n = glassIndex(lambda);
    const double a = double(apex) * kDeg;
    const double i1 = a / 2;
    const double r1 = std::asin(std::sin(i1) / n);
    const double i2 = std::asin(n * std::sin(a - r1));
    const double deviation = i1 + i2 - a;
    const QVector3D out = ray.points[2].direction.normalized();
    const double gotDeviation = std::atan2(double(out.y()), -double(out.z()));
    QVERIFY2(std::fabs(gotDeviation - deviation) < 2e-5,
             qPrintable(QStringLiteral("λ=%1 A=%2: deviation %3°, textbook %4° (bound 0.001°)")
                            .arg(lambda).arg(apex).arg(gotDeviation / kDeg, 0, 'f', 5).arg(deviation / kDeg, 0, 'f', 5)));
    QVERIFY2(std::fabs(out.x()) < 1e-6f, qPrintable(QStringLiteral("the ray leaves the x = 1.3 plane: %1").arg(str(out))));

    // Where it meets the screen plane.
    const V edge = {1.3, 0.22 - 0.2 / 6.0 - 0.05, -2.6};
    Face entry, exit;
    prismFaces(edge, apex, false, &entry, &exit);
    V pos = {kSource.x(), kSource.y(), kSource.z()}, dir = {0, 0, -1};
    cross(&pos, &dir, entry, 1.0, n);
    cross(&pos, &dir, exit, n, 1.0);
    const V hit = landOnScreen(pos, dir);
    QVERIFY2(near(ray.points[3].position, hit, 1e-4),
             qPrintable(QStringLiteral("λ=%1 A=%2: screen hit %3, textbook %4 (bound 1e-4)").arg(lambda).arg(apex).arg(str(ray.points[3].position), str(hit))));
    QVERIFY2(!ray.points[3].lost && ray.points[3].intensity == 1.0, "a normal glass neither loses nor dims the ray");
}

void TestPrPrismOptics::twoPrisms_data()
{
    QTest::addColumn<double>("lambda");
    QTest::newRow("violet") << 0.38;
    QTest::newRow("yellow") << 0.58;
    QTest::newRow("red") << 0.7796;
}

void TestPrPrismOptics::twoPrisms()
{
    QFETCH(double, lambda);
    Prism first = placedPrism(kFirstPosition, QQuaternion::fromEulerAngles(0, 0, 0), 60.0f);
    Prism second = placedPrism(kSecondPosition, QQuaternion::fromEulerAngles(0, 0, 90), 60.0f);
    PhRefractivePlane screen = screenPlane();
    PhRay ray = rayFrom(kSource, lambda);
    first.entry.refract(&ray, true);
    first.exit.refract(&ray, false);
    second.entry.refract(&ray, true);
    second.exit.refract(&ray, false);
    screen.refract(&ray, true);
    QCOMPARE(ray.points.size(), 6);

    const double n = glassIndex(lambda);
    Face e1, x1, e2, x2;
    prismFaces({1.3, 0.22 - 0.2 / 6.0 - 0.05, -2.6}, 60, false, &e1, &x1);
    prismFaces({1.27 + 0.2 / 6.0 + 0.05, 0.32, -2.9}, 60, true, &e2, &x2);
    V pos = {kSource.x(), kSource.y(), kSource.z()}, dir = {0, 0, -1};
    cross(&pos, &dir, e1, 1.0, n);
    cross(&pos, &dir, x1, n, 1.0);
    cross(&pos, &dir, e2, 1.0, n);
    const V inside = pos;
    cross(&pos, &dir, x2, n, 1.0);
    const V hit = landOnScreen(pos, dir);

    // The ray meets the second prism inside its faces' boxes, so it is refracted there.
    PhRayPoint probe = ray.points[2];
    QVERIFY2(second.entry.intersect(&probe, &ray.points[2]),
             qPrintable(QStringLiteral("λ=%1: the second prism's entry face is missed at %2").arg(lambda).arg(str(inside))));
    QVERIFY2(near(ray.points[3].position, inside, 1e-4),
             qPrintable(QStringLiteral("λ=%1: entry into the second prism %2, textbook %3").arg(lambda).arg(str(ray.points[3].position), str(inside))));
    QVERIFY2(near(ray.points[5].position, hit, 1e-4),
             qPrintable(QStringLiteral("λ=%1: screen hit %2, textbook %3 (bound 1e-4)").arg(lambda).arg(str(ray.points[5].position), str(hit))));
    // Crossed edges: the first prism lifts the ray, the second turns it towards -x.
    QVERIFY2(hit.x < 1.3 && hit.y > kSource.y(), qPrintable(QStringLiteral("λ=%1: hit %2 is not up and to -x").arg(lambda).arg(str(hit))));
}

QTEST_APPLESS_MAIN(TestPrPrismOptics)
#include "tst_PrPrismOptics.moc"
