#include "optics/PhGaussianIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhRay.h"
#include "optics/PhRefractivePlane.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const char reflectionLine[] = "Fuck this shit. I'm out. (Ray has been internally reflected, but it is not exactly.)";

// Counts debug lines while alive and passes them on to Qt Test (so ignoreMessage still applies).
class DebugLineCounter
{
public:
    DebugLineCounter() { previous = qInstallMessageHandler(&DebugLineCounter::handle); lines.clear(); }
    ~DebugLineCounter() { qInstallMessageHandler(previous); }
    static QStringList lines;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtDebugMsg)
            lines.append(message);
        previous(type, context, message);
    }
    static QtMessageHandler previous;
};
QStringList DebugLineCounter::lines;
QtMessageHandler DebugLineCounter::previous = nullptr;

// A glass of constant index n, with κ = height at 0.58 µm when height >= 0.
QSharedPointer<PhComplexIndexFunction> glass(double n, double height = -1)
{
    auto parabola = PhParabolicIndexFunction::create();
    parabola->a = 0;
    parabola->b = 0;
    parabola->c = n;
    auto material = PhComplexIndexFunction::create();
    material->realFunction = parabola;
    if (height >= 0) {
        auto band = PhGaussianIndexFunction::create();
        band->height = height;
        material->imaginaryFunction = band;
    }
    return material;
}

// A face through the origin with the given normal, boxed ±5 around it in x and y.
PhRefractivePlane faceThroughOrigin(const QVector3D &normal, const QSharedPointer<PhComplexIndexFunction> &material)
{
    PhRefractivePlane face;
    face.normal = normal;
    face.material = material;
    auto zAt = [&](float x, float y) { return -(normal.x() * x + normal.y() * y) / normal.z(); };
    face.cornerA = QVector3D(-5, -5, zAt(-5, -5));
    face.cornerB = QVector3D(5, 5, zAt(5, 5));
    return face;
}

PhRay rayFrom(const QVector3D &position, const QVector3D &direction, double wavelength = 0.58)
{
    PhRay ray;
    ray.points[0].position = position;
    ray.points[0].direction = direction;
    ray.wavelength = wavelength;
    return ray;
}

QVector3D inXZ(double degrees)
{
    const double r = qDegreesToRadians(degrees);
    return QVector3D(float(std::sin(r)), 0.0f, float(std::cos(r)));
}

double angleDegrees(const QVector3D &a, const QVector3D &b)
{
    const double c = QVector3D::dotProduct(a, b) / (double(a.length()) * double(b.length()));
    return qRadiansToDegrees(std::acos(std::clamp(c, -1.0, 1.0)));
}

QString text(const QVector3D &v)
{
    return QString("(%1, %2, %3)").arg(v.x(), 0, 'g', 9).arg(v.y(), 0, 'g', 9).arg(v.z(), 0, 'g', 9);
}

} // namespace

class TestRefractivePlane : public QObject
{
    Q_OBJECT

private slots:
    void intersect_data();
    void intersect();
    void snell_data();
    void snell();
    void cosineJustAboveOne();
    void appendedPointWithoutRefraction_data();
    void appendedPointWithoutRefraction();
    void lossCarriesOn();
    void absorption_data();
    void absorption();
};

void TestRefractivePlane::intersect_data()
{
    QTest::addColumn<QVector3D>("start");
    QTest::addColumn<QVector3D>("direction");
    QTest::addColumn<bool>("hit");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QVector3D>("expected");
    // Face z = 0 over the box (−1, −1, 0)–(1, 1, 0).
    QTest::newRow("centre") << QVector3D(0, 0, -1) << QVector3D(0, 0, 1) << true << true << QVector3D(0, 0, 0);
    QTest::newRow("corner of the box") << QVector3D(0, 0, -1) << QVector3D(1, 1, 1) << true << true << QVector3D(1, 1, 0);
    QTest::newRow("lower edge of the box") << QVector3D(0, 0, -2) << QVector3D(0, -0.5f, 1) << true << true << QVector3D(0, -1, 0);
    QTest::newRow("just outside") << QVector3D(0, 0, -1) << QVector3D(1.001f, 0, 1) << false << true << QVector3D(1.001f, 0, 0);
    QTest::newRow("plane behind the start") << QVector3D(0.5f, 0, 1) << QVector3D(0, 0, 1) << true << true << QVector3D(0.5f, 0, 0);
    QTest::newRow("parallel") << QVector3D(0, 0, -1) << QVector3D(1, 0, 0) << false << false << QVector3D();
}

void TestRefractivePlane::intersect()
{
    QFETCH(QVector3D, start);
    QFETCH(QVector3D, direction);
    QFETCH(bool, hit);
    QFETCH(bool, written);
    QFETCH(QVector3D, expected);
    PhRefractivePlane face;
    face.normal = QVector3D(0, 0, 1);
    face.cornerA = QVector3D(-1, -1, 0);
    face.cornerB = QVector3D(1, 1, 0);
    PhRayPoint in;
    in.position = start;
    in.direction = direction;
    PhRayPoint out;
    const QVector3D untouched(7, 8, 9);
    out.position = untouched;

    const bool result = face.intersect(&out, &in);
    const QVector3D want = written ? expected : untouched;
    QVERIFY2(result == hit && (out.position - want).length() <= 1e-6f,
             qPrintable(QString("intersect = %1 at %2, expected %3 at %4").arg(result).arg(text(out.position)).arg(hit).arg(text(want))));
}

void TestRefractivePlane::snell_data()
{
    QTest::addColumn<bool>("entering");
    QTest::addColumn<double>("incidence");
    QTest::addColumn<double>("expected");  // angle of refraction in degrees; NaN: total internal reflection
    const double reflected = std::numeric_limits<double>::quiet_NaN();
    // asin(sin 45° / 1.5) and asin(sin 41° · 1.5); sin 42° · 1.5 ≈ 1.004.
    QTest::newRow("enter 45°") << true << 45.0 << 28.125505702;
    QTest::newRow("leave 41°") << false << 41.0 << 79.765417282;
    QTest::newRow("leave 42°: total internal reflection") << false << 42.0 << reflected;
    QTest::newRow("enter along the normal") << true << 0.0 << 0.0;
    QTest::newRow("leave along the normal") << false << 0.0 << 0.0;
    QTest::newRow("enter 80°") << true << 80.0 << 41.036410525;
}

void TestRefractivePlane::snell()
{
    QFETCH(bool, entering);
    QFETCH(double, incidence);
    QFETCH(double, expected);
    const bool reflects = std::isnan(expected);
    PhRefractivePlane face = faceThroughOrigin(QVector3D(0, 0, 1), glass(1.5));
    const QVector3D direction = inXZ(incidence) * 2.0f;
    PhRay ray = rayFrom(-direction, direction);

    DebugLineCounter counter;
    if (reflects)
        QTest::ignoreMessage(QtDebugMsg, reflectionLine);
    face.refract(&ray, entering);

    QVERIFY2(ray.points.size() == 2, qPrintable(QString("%1 points after one face").arg(ray.points.size())));
    const PhRayPoint &p = ray.points[1];
    QVERIFY2(p.position.length() <= 1e-6f, qPrintable("hit at " + text(p.position)));
    QVERIFY2(p.intensity == 1.0, qPrintable(QString("intensity %1").arg(p.intensity)));
    const int expectedLines = reflects ? 1 : 0;
    QVERIFY2(counter.lines.size() == expectedLines,
             qPrintable(QString("%1 debug lines, expected %2: %3").arg(counter.lines.size()).arg(expectedLines).arg(counter.lines.join(" | "))));
    if (reflects) {
        QVERIFY2(p.lost && p.direction == direction,
                 qPrintable(QString("lost %1, direction %2, expected lost with the incoming %3").arg(p.lost).arg(text(p.direction)).arg(text(direction))));
        return;
    }
    const double angle = angleDegrees(p.direction, QVector3D(0, 0, 1));
    const double tolerance = 1e-4;
    QVERIFY2(!p.lost && std::abs(angle - expected) <= tolerance,
             qPrintable(QString("refracted at %1° (lost %2), expected %3° ± %4").arg(angle, 0, 'g', 10).arg(p.lost).arg(expected, 0, 'g', 10).arg(tolerance)));
    // Turned within the plane of incidence, on the same side, keeping its length.
    QVERIFY2(std::abs(p.direction.y()) <= 1e-6f && p.direction.x() >= 0 && std::abs(p.direction.length() - 2.0f) <= 1e-5f,
             qPrintable("refracted direction " + text(p.direction)));
}

void TestRefractivePlane::cosineJustAboveOne()
{
    // Along this normal the single-precision cosine comes out just above 1.
    const QVector3D normal(0.1f, 0.3f, 1.0f);
    const float firstQuotient = QVector3D::dotProduct(normal, normal) / normal.length();
    QVERIFY2(double(firstQuotient) / double(normal.length()) > 1.0, "the fixture no longer rounds above 1");

    for (bool entering : {true, false}) {
        PhRefractivePlane face = faceThroughOrigin(normal, glass(1.5));
        PhRay ray = rayFrom(-normal, normal);
        DebugLineCounter counter;
        face.refract(&ray, entering);
        const PhRayPoint &p = ray.points.last();
        QVERIFY2(!p.lost && counter.lines.isEmpty() && (p.direction - normal).length() <= 1e-6f,
                 qPrintable(QString("entering %1: direction %2, lost %3, %4 debug lines; expected %5 unchanged")
                                .arg(entering).arg(text(p.direction)).arg(p.lost).arg(counter.lines.size()).arg(text(normal))));
    }
}

void TestRefractivePlane::appendedPointWithoutRefraction_data()
{
    QTest::addColumn<bool>("passThrough");
    QTest::addColumn<QVector3D>("start");
    QTest::addColumn<QVector3D>("direction");
    QTest::addColumn<QVector3D>("expected");
    // Face z = 0 over (−5, −5)–(5, 5) of a glass with n = 0.5, where entering at 60° would reflect.
    const QVector3D oblique = inXZ(60);
    QTest::newRow("parallel: copy of the last point") << false << QVector3D(1, 2, -1) << QVector3D(1, 0, 0) << QVector3D(1, 2, -1);
    QTest::newRow("miss: plane intersection") << false << -oblique + QVector3D(6, 0, 0) << oblique << QVector3D(6, 0, 0);
    QTest::newRow("pass-through hit") << true << -oblique << oblique << QVector3D(0, 0, 0);
    QTest::newRow("pass-through miss") << true << -oblique + QVector3D(0, 9, 0) << oblique << QVector3D(0, 9, 0);
}

void TestRefractivePlane::appendedPointWithoutRefraction()
{
    QFETCH(bool, passThrough);
    QFETCH(QVector3D, start);
    QFETCH(QVector3D, direction);
    QFETCH(QVector3D, expected);
    PhRefractivePlane face = faceThroughOrigin(QVector3D(0, 0, 1), glass(0.5));
    face.passThrough = passThrough;
    PhRay ray = rayFrom(start, direction);
    ray.points[0].intensity = 0.25;
    DebugLineCounter counter;
    face.refract(&ray, true);

    const PhRayPoint &p = ray.points.last();
    QVERIFY2(ray.points.size() == 2 && (p.position - expected).length() <= 1e-5f,
             qPrintable(QString("%1 points, appended at %2, expected %3").arg(ray.points.size()).arg(text(p.position)).arg(text(expected))));
    QVERIFY2(p.direction == direction && p.intensity == 0.25 && !p.lost && counter.lines.isEmpty(),
             qPrintable(QString("direction %1 (was %2), intensity %3, lost %4, %5 debug lines")
                            .arg(text(p.direction)).arg(text(direction)).arg(p.intensity).arg(p.lost).arg(counter.lines.size())));
}

void TestRefractivePlane::lossCarriesOn()
{
    // Reflected at the first face, the ray stays lost at the next face, which still refracts it.
    PhRefractivePlane first = faceThroughOrigin(QVector3D(0, 0, 1), glass(1.5));
    PhRefractivePlane second = faceThroughOrigin(QVector3D(0, 0, 1), glass(1.5));
    second.cornerA.setZ(1);
    second.cornerB.setZ(1);
    const QVector3D direction = inXZ(42);
    PhRay ray = rayFrom(-direction, direction);

    QTest::ignoreMessage(QtDebugMsg, reflectionLine);
    first.refract(&ray, false);
    second.refract(&ray, true);
    QVERIFY2(ray.points.size() == 3 && ray.points[1].lost && ray.points[2].lost, "the loss is not carried into later points");
    const double angle = angleDegrees(ray.points[2].direction, QVector3D(0, 0, 1));
    QVERIFY2(std::abs(angle - 26.492910) <= 1e-4, qPrintable(QString("second face refracted to %1°, expected 26.49291°").arg(angle, 0, 'g', 10)));
}

void TestRefractivePlane::absorption_data()
{
    QTest::addColumn<bool>("entering");
    QTest::addColumn<double>("kappa");  // negative: no imaginary part
    QTest::addColumn<float>("path");
    QTest::addColumn<double>("intensity");
    QTest::addColumn<double>("expected");
    QTest::newRow("exit without imaginary part") << false << -1.0 << 0.01f << 1.0 << 1.0;
    QTest::newRow("exit, kappa 0.3, path 0.01") << false << 0.3 << 0.01f << 1.0 << std::exp(-0.6015);
    QTest::newRow("exit, kappa 0.3, path 0.02, half intensity") << false << 0.3 << 0.02f << 0.5 << 0.5 * std::exp(-1.203);
    QTest::newRow("exit, kappa 0") << false << 0.0 << 0.01f << 1.0 << 1.0;
    QTest::newRow("entry never absorbs") << true << 0.3 << 0.01f << 1.0 << 1.0;
}

void TestRefractivePlane::absorption()
{
    QFETCH(bool, entering);
    QFETCH(double, kappa);
    QFETCH(float, path);
    QFETCH(double, intensity);
    QFETCH(double, expected);
    PhRefractivePlane face = faceThroughOrigin(QVector3D(0, 0, 1), glass(1.5, kappa));
    PhRay ray = rayFrom(QVector3D(0, 0, -path), QVector3D(0, 0, 1));
    ray.points[0].intensity = intensity;
    face.refract(&ray, entering);
    const double result = ray.points.last().intensity;
    const double tolerance = 1e-7;  // the factor is single precision
    QVERIFY2(std::abs(result - expected) <= tolerance,
             qPrintable(QString("intensity %1, expected %2 ± %3").arg(result, 0, 'g', 10).arg(expected, 0, 'g', 10).arg(tolerance)));
}

QTEST_APPLESS_MAIN(TestRefractivePlane)
#include "tst_refractiveplane.moc"
