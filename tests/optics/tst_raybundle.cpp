#include "optics/IPhRefractiveObject.h"
#include "optics/PhRayBundle.h"

#include <QtTest>

namespace {

// Keeps the default refract and records the calls it gets.
class RecordingObject : public IPhRefractiveObject
{
public:
    void refract(PhRay *ray, bool entering) override
    {
        calls.append(qMakePair(ray->wavelength, entering));
        IPhRefractiveObject::refract(ray, entering);
    }
    QVector<QPair<double, bool>> calls;
};

bool samePoint(const PhRayPoint &a, const PhRayPoint &b)
{
    return a.position == b.position && a.direction == b.direction && a.intensity == b.intensity && a.lost == b.lost;
}

QString describe(const PhRayPoint &p)
{
    return QString("{(%1, %2, %3) dir (%4, %5, %6) I %7 lost %8}")
        .arg(p.position.x()).arg(p.position.y()).arg(p.position.z())
        .arg(p.direction.x()).arg(p.direction.y()).arg(p.direction.z())
        .arg(p.intensity).arg(p.lost);
}

} // namespace

class TestRayBundle : public QObject
{
    Q_OBJECT

private slots:
    void freshReset_data();
    void freshReset();
    void resetKeepsTracedPoints_data();
    void resetKeepsTracedPoints();
    void defaultRefractCopiesLastPoint();
    void originAndDirectionTouchOnlyFirstPoint();
};

void TestRayBundle::freshReset_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("last");
    // The wavelengths are a running sum, so the last of 1000 is not 0.7796.
    QTest::newRow("1000 rays") << 1000 << 0.3804 << 0.7795999999999726;
    QTest::newRow("1 ray") << 1 << 0.0 << 0.38;
    QTest::newRow("4 rays") << 4 << 0.48 << 0.38 + 0.1 + 0.1 + 0.1;
}

void TestRayBundle::freshReset()
{
    QFETCH(int, count);
    QFETCH(double, second);
    QFETCH(double, last);
    PhRayBundle bundle;
    QVERIFY2(&bundle.reset(count) == &bundle, "reset does not return the bundle");
    QVERIFY2(bundle.rays.size() == count, qPrintable(QString("%1 rays, expected %2").arg(bundle.rays.size()).arg(count)));
    QVERIFY2(bundle.rays[0].wavelength == 0.38, qPrintable(QString("first wavelength %1").arg(bundle.rays[0].wavelength, 0, 'g', 17)));
    if (count > 1)
        QVERIFY2(std::abs(bundle.rays[1].wavelength - second) <= 1e-15,
                 qPrintable(QString("second wavelength %1, expected %2").arg(bundle.rays[1].wavelength, 0, 'g', 17).arg(second)));
    QVERIFY2(bundle.rays.last().wavelength == last,
             qPrintable(QString("last wavelength %1, expected exactly %2").arg(bundle.rays.last().wavelength, 0, 'g', 17).arg(last, 0, 'g', 17)));
    for (int i = 0; i < count; ++i) {
        const PhRay &ray = bundle.rays[i];
        const PhRayPoint &start = ray.points[0];
        QVERIFY2(ray.points.size() == 1 && start.position.isNull() && start.direction.isNull() && start.intensity == 1.0
                     && !start.lost,
                 qPrintable(QString("ray %1 has %2 points, first %3").arg(i).arg(ray.points.size()).arg(describe(ray.points[0]))));
    }
}

void TestRayBundle::resetKeepsTracedPoints_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("grow 3 to 5") << 5;
    QTest::newRow("shrink 3 to 2") << 2;
    QTest::newRow("same size") << 3;
}

void TestRayBundle::resetKeepsTracedPoints()
{
    QFETCH(int, count);
    PhRayBundle bundle;
    bundle.reset(3).setOrigin(QVector3D(1, 2, 3)).setDirection(QVector3D(0, 0, 1));
    IPhRefractiveObject transparent;
    bundle.traceThrough(&transparent);
    bundle.traceThrough(&transparent);

    bundle.reset(count);
    QCOMPARE(bundle.rays.size(), count);
    const double step = 0.4 / count;
    double wavelength = 0.38;
    for (int i = 0; i < count; ++i) {
        const PhRay &ray = bundle.rays[i];
        const int expectedPoints = i < 3 ? 3 : 1;
        const QVector3D expectedOrigin = i < 3 ? QVector3D(1, 2, 3) : QVector3D();
        QVERIFY2(ray.points.size() == expectedPoints && ray.points[0].position == expectedOrigin,
                 qPrintable(QString("ray %1 has %2 points starting at %3, expected %4 points")
                                .arg(i).arg(ray.points.size()).arg(describe(ray.points[0])).arg(expectedPoints)));
        QVERIFY2(ray.wavelength == wavelength,
                 qPrintable(QString("ray %1 wavelength %2, expected %3").arg(i).arg(ray.wavelength, 0, 'g', 17).arg(wavelength, 0, 'g', 17)));
        wavelength += step;
    }
}

void TestRayBundle::defaultRefractCopiesLastPoint()
{
    PhRayBundle bundle;
    bundle.reset(3).setOrigin(QVector3D(1, -2, 0.5f)).setDirection(QVector3D(0.3f, 0.1f, -1));
    bundle.rays[1].points[0].intensity = 0.25;
    bundle.rays[2].points[0].lost = true;

    RecordingObject object;
    bundle.traceThrough(&object);

    QVERIFY2(object.calls.size() == 3, qPrintable(QString("%1 refract calls, expected 3").arg(object.calls.size())));
    for (int i = 0; i < 3; ++i) {
        const PhRay &ray = bundle.rays[i];
        QVERIFY2(object.calls[i].first == ray.wavelength && object.calls[i].second,
                 qPrintable(QString("call %1 got wavelength %2 entering %3").arg(i).arg(object.calls[i].first).arg(object.calls[i].second)));
        QVERIFY2(ray.points.size() == 2 && samePoint(ray.points[1], ray.points[0]),
                 qPrintable(QString("ray %1: %2 points, appended %3, last was %4")
                                .arg(i).arg(ray.points.size()).arg(describe(ray.points.last())).arg(describe(ray.points[0]))));
    }
}

void TestRayBundle::originAndDirectionTouchOnlyFirstPoint()
{
    PhRayBundle bundle;
    bundle.reset(2).setOrigin(QVector3D(1, 1, 1)).setDirection(QVector3D(0, 1, 0));
    IPhRefractiveObject transparent;
    bundle.traceThrough(&transparent);

    QVERIFY2(&bundle.setOrigin(QVector3D(5, 6, 7)) == &bundle, "setOrigin does not return the bundle");
    QVERIFY2(&bundle.setDirection(QVector3D(-1, 0, 0)) == &bundle, "setDirection does not return the bundle");
    for (const PhRay &ray : qAsConst(bundle.rays)) {
        QVERIFY2(ray.points[0].position == QVector3D(5, 6, 7) && ray.points[0].direction == QVector3D(-1, 0, 0),
                 qPrintable("first point " + describe(ray.points[0])));
        QVERIFY2(ray.points[1].position == QVector3D(1, 1, 1) && ray.points[1].direction == QVector3D(0, 1, 0),
                 qPrintable("later point changed: " + describe(ray.points[1])));
    }
}

QTEST_APPLESS_MAIN(TestRayBundle)
#include "tst_raybundle.moc"
