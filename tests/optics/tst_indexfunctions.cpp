#include "optics/PhComplexIndexFunction.h"
#include "optics/PhGaussianIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhUniformMeshIndexFunction.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// 100 nodes on 0.38–0.78 with distinct, non-linear values so interpolation errors show.
QSharedPointer<PhUniformMeshIndexFunction> visibleMesh()
{
    auto mesh = PhUniformMeshIndexFunction::create();
    mesh->rangeMin = 0.38;
    mesh->rangeMax = 0.78;
    for (int i = 0; i < 100; ++i)
        mesh->table.append(1.3 + 0.001 * i + 0.00002 * i * i);
    return mesh;
}

} // namespace

class TestIndexFunctions : public QObject
{
    Q_OBJECT

private slots:
    void parabolaDefaults();
    void parabolaValues_data();
    void parabolaValues();
    void bandValues_data();
    void bandValues();
    void effectiveRangeSearch_data();
    void effectiveRangeSearch();
    void complexFunctionParts();
    void meshValues_data();
    void meshValues();
    void meshEffectiveRange_data();
    void meshEffectiveRange();
    void meshNodes_data();
    void meshNodes();
};

void TestIndexFunctions::parabolaDefaults()
{
    // The defaults are the double products 0.91·0.27, 0.91·(−0.45), 0.91·1.61.
    const auto p = PhParabolicIndexFunction::create();
    QCOMPARE(p->a, 0.24570000000000003);
    QCOMPARE(p->b, -0.40950000000000003);
    QCOMPARE(p->c, 1.4651);
}

void TestIndexFunctions::parabolaValues_data()
{
    QTest::addColumn<double>("wavelength");
    QTest::addColumn<double>("expected");
    QTest::newRow("0.38") << 0.38 << 1.344969;
    QTest::newRow("0.40") << 0.40 << 1.340612;
    QTest::newRow("0.58") << 0.58 << 1.310243;
    QTest::newRow("0.77") << 0.77 << 1.295461;
}

void TestIndexFunctions::parabolaValues()
{
    QFETCH(double, wavelength);
    QFETCH(double, expected);
    const double tolerance = 5e-7;
    const double n = PhParabolicIndexFunction::create()->value(wavelength);
    QVERIFY2(std::abs(n - expected) <= tolerance,
             qPrintable(QString("n(%1) = %2, expected %3 ± %4").arg(wavelength).arg(n, 0, 'g', 12).arg(expected).arg(tolerance)));
}

void TestIndexFunctions::bandValues_data()
{
    QTest::addColumn<double>("wavelength");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("centre") << 0.58 << 0.3 << 0.0;
    QTest::newRow("0.63") << 0.63 << 0.0054947 << 5e-8;
    QTest::newRow("0.53 symmetric") << 0.53 << 0.0054947 << 5e-8;
}

void TestIndexFunctions::bandValues()
{
    QFETCH(double, wavelength);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const double k = PhGaussianIndexFunction::create()->value(wavelength);
    QVERIFY2(std::abs(k - expected) <= tolerance,
             qPrintable(QString("kappa(%1) = %2, expected %3 ± %4").arg(wavelength).arg(k, 0, 'g', 12).arg(expected).arg(tolerance)));
}

void TestIndexFunctions::effectiveRangeSearch_data()
{
    QTest::addColumn<double>("center");
    QTest::addColumn<double>("widthCoefficient");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("expected");
    QTest::newRow("default band") << 0.58 << 1600.0 << 0.3 << 5.0;
    QTest::newRow("height 0") << 0.58 << 1600.0 << 0.0 << 5.0;
    QTest::newRow("widest band of the controls") << 0.76 << 4 / (0.12 * 0.12) << 0.35 << 5.0;
    QTest::newRow("magnitude exactly 0.01 is small") << 5.0 << 1600.0 << 0.01 << 5.0;
    QTest::newRow("NaN is small") << 0.58 << 1600.0 << std::numeric_limits<double>::quiet_NaN() << 5.0;
    QTest::newRow("grows on the positive side") << 5.0 << 1.0 << 1.0 << 9.0;
    QTest::newRow("grows on the negative side") << -6.0 << 1.0 << 1.0 << 9.0;
    QTest::newRow("negative band") << 5.0 << 1.0 << -1.0 << 9.0;
}

void TestIndexFunctions::effectiveRangeSearch()
{
    QFETCH(double, center);
    QFETCH(double, widthCoefficient);
    QFETCH(double, height);
    QFETCH(double, expected);
    auto band = PhGaussianIndexFunction::create();
    band->center = center;
    band->widthCoefficient = widthCoefficient;
    band->height = height;
    const double r = band->effectiveRange();
    QVERIFY2(r == expected, qPrintable(QString("effectiveRange = %1, expected %2").arg(r).arg(expected)));
}

void TestIndexFunctions::complexFunctionParts()
{
    auto glass = PhComplexIndexFunction::create();
    QVERIFY2(glass->realPart().isNull(), "a fresh complex function has a real part");
    QVERIFY2(glass->imaginaryPart().isNull(), "a fresh complex function has an imaginary part");

    auto parabola = PhParabolicIndexFunction::create();
    auto band = PhGaussianIndexFunction::create();
    glass->realFunction = parabola;
    glass->imaginaryFunction = band;
    QVERIFY2(glass->realPart() == parabola, "realPart is not the assigned function");
    QVERIFY2(glass->imaginaryPart() == band, "imaginaryPart is not the assigned function");
    QCOMPARE(glass->value(0.5), parabola->value(0.5));
    QCOMPARE(glass->imaginaryValue(0.6), band->value(0.6));

    // Replacing a part releases the complex function's reference to the previous one.
    QWeakPointer<PhIndexFunction> oldBand = band.toWeakRef();
    band.reset();
    glass->imaginaryFunction.reset();
    QVERIFY2(oldBand.isNull(), "the replaced imaginary part is still held");
    QVERIFY2(glass->imaginaryPart().isNull(), "normal dispersion must have a null imaginary part");
}

void TestIndexFunctions::meshValues_data()
{
    QTest::addColumn<double>("wavelength");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    const auto mesh = visibleMesh();
    const QVector<double> &t = mesh->table;
    const double first = t.first();
    const double last = t.last();
    // The range limit is 3.9000000000000004, so the ramps end about 1e-16 from 0 at ±3.9.
    QTest::newRow("-5 beyond the ramp") << -5.0 << 0.0 << 0.0;
    QTest::newRow("-3.9") << -3.9 << 0.0 << 1e-14;
    QTest::newRow("3.9") << 3.9 << 0.0 << 1e-14;
    QTest::newRow("4 beyond the ramp") << 4.0 << 0.0 << 0.0;
    QTest::newRow("lower ramp midpoint") << (0.38 - 3.9) / 2 << first / 2 << 1e-12;
    QTest::newRow("upper ramp midpoint") << (0.78 + 3.9) / 2 << last / 2 << 1e-12;
    QTest::newRow("lo gives t0") << 0.38 << first << 0.0;
    QTest::newRow("hi gives tl") << 0.78 << last << 0.0;
    // s = 99·(x − 0.38)/0.4 = 98.2125: nodes 98 and 99 at 0.772 and 0.776, weight 1.875.
    QTest::newRow("extrapolated near hi") << 0.7795 << t[98] + (t[99] - t[98]) * 1.875 << 1e-9;
    // s = 49.5: nodes 49 and 50 at 0.576 and 0.58, weight (0.58 − 0.576)/0.004 = 1.
    QTest::newRow("between nodes 49 and 50") << 0.58 << t[50] << 1e-9;
}

void TestIndexFunctions::meshValues()
{
    QFETCH(double, wavelength);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const double v = visibleMesh()->value(wavelength);
    QVERIFY2(std::abs(v - expected) <= tolerance,
             qPrintable(QString("value(%1) = %2, expected %3 ± %4").arg(wavelength).arg(v, 0, 'g', 17).arg(expected, 0, 'g', 17).arg(tolerance)));
}

void TestIndexFunctions::meshEffectiveRange_data()
{
    QTest::addColumn<double>("rangeMin");
    QTest::addColumn<double>("rangeMax");
    QTest::addColumn<double>("expected");
    QTest::newRow("visible") << 0.38 << 0.78 << 3.9;
    QTest::newRow("defaults") << 0.0 << 1.0 << 5.0;
    QTest::newRow("larger magnitude below") << -2.0 << 1.0 << 10.0;
}

void TestIndexFunctions::meshEffectiveRange()
{
    QFETCH(double, rangeMin);
    QFETCH(double, rangeMax);
    QFETCH(double, expected);
    auto mesh = PhUniformMeshIndexFunction::create();
    mesh->rangeMin = rangeMin;
    mesh->rangeMax = rangeMax;
    const double r = mesh->effectiveRange();
    QVERIFY2(std::abs(r - expected) <= 1e-12,
             qPrintable(QString("effectiveRange = %1, expected %2").arg(r, 0, 'g', 17).arg(expected)));
}

void TestIndexFunctions::meshNodes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("wavelength");
    QTest::addColumn<double>("expected");
    // One entry: that entry everywhere in [lo, hi].
    QTest::newRow("1 entry at lo") << 1 << 0.0 << 7.0;
    QTest::newRow("1 entry inside") << 1 << 0.37 << 7.0;
    QTest::newRow("1 entry at hi") << 1 << 1.0 << 7.0;
    // Five entries 7, 8, 9, 10, 11 on 0–1: s = 4x is whole at 0.25, 0.5 and 0.75.
    QTest::newRow("s = 1") << 5 << 0.25 << 8.0;
    QTest::newRow("s = 2") << 5 << 0.5 << 9.0;
    QTest::newRow("s = 3") << 5 << 0.75 << 10.0;
}

void TestIndexFunctions::meshNodes()
{
    QFETCH(int, size);
    QFETCH(double, wavelength);
    QFETCH(double, expected);
    auto mesh = PhUniformMeshIndexFunction::create();
    for (int i = 0; i < size; ++i)
        mesh->table.append(7.0 + i);
    const double v = mesh->value(wavelength);
    QVERIFY2(v == expected, qPrintable(QString("value(%1) = %2, expected exactly %3").arg(wavelength).arg(v, 0, 'g', 17).arg(expected)));
}

QTEST_APPLESS_MAIN(TestIndexFunctions)
#include "tst_indexfunctions.moc"
