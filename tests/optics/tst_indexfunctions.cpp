#include "optics/PhComplexIndexFunction.h"
#include "optics/PhGaussianIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhUniformMeshIndexFunction.h"

#include <QtTest>

#include <cmath>
#include <cstring>
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

quint64 bitsOf(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Bands across the scene window's sliders and two larger heights, as columns center,
// widthCoefficient, height.
void addBandColumnsAndRows()
{
    QTest::addColumn<double>("center");
    QTest::addColumn<double>("widthCoefficient");
    QTest::addColumn<double>("height");
    QTest::newRow("default band") << 0.58 << 1600.0 << 0.3;
    QTest::newRow("narrowest at 0.40, highest") << 0.40 << 4 / (0.03 * 0.03) << double(0.35f);
    QTest::newRow("widest at 0.76, highest") << 0.76 << 4 / (0.12 * 0.12) << double(0.35f);
    QTest::newRow("height 0") << 0.58 << 1600.0 << 0.0;
    // Heights that keep exp's smallest results from rounding to 0 in the product.
    QTest::newRow("height 1") << 0.58 << 1600.0 << 1.0;
    QTest::newRow("height 1e300") << 0.58 << 1600.0 << 1e300;
}

// The band of the current row's center, widthCoefficient and height columns.
QSharedPointer<PhGaussianIndexFunction> bandOfRow()
{
    QFETCH(double, center);
    QFETCH(double, widthCoefficient);
    QFETCH(double, height);
    auto band = PhGaussianIndexFunction::create();
    band->center = center;
    band->widthCoefficient = widthCoefficient;
    band->height = height;
    return band;
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
    void bandFarTailIsPositiveZero_data();
    void bandFarTailIsPositiveZero();
    void bandMatchesExpFormula_data();
    void bandMatchesExpFormula();
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
    // The defaults are the double products 0.91·0.27, 0.91·(−0.45), 0.91·1.61, bit for bit
    // (QCOMPARE on doubles would accept any value within its fuzzy bound).
    const auto p = PhParabolicIndexFunction::create();
    QVERIFY2(p->a == 0.24570000000000003 && p->b == -0.40950000000000003 && p->c == 1.4651,
             qPrintable(QString("a = %1, b = %2, c = %3, expected 0.24570000000000003, -0.40950000000000003, 1.4651")
                            .arg(p->a, 0, 'g', 17).arg(p->b, 0, 'g', 17).arg(p->c, 0, 'g', 17)));
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

void TestIndexFunctions::bandFarTailIsPositiveZero_data()
{
    addBandColumnsAndRows();
}

// Far from the band κ is +0, sign bit clear, out to the Kramers–Kronig integral's reach and beyond.
void TestIndexFunctions::bandFarTailIsPositiveZero()
{
    const auto band = bandOfRow();
    const double center = band->center;
    const double inf = std::numeric_limits<double>::infinity();
    for (const double x : {-inf, -1e300, -100.0, 0.38 - 5.0, center - 2.0, center + 2.0, 0.78 + 5.0, 100.0, 1e300, inf}) {
        const double k = band->value(x);
        QVERIFY2(bitsOf(k) == 0, qPrintable(QString("kappa(%1) = %2 (bits %3), expected +0")
                                                .arg(x).arg(k, 0, 'g', 17).arg(bitsOf(k), 16, 16, QLatin1Char('0'))));
    }
}

void TestIndexFunctions::bandMatchesExpFormula_data()
{
    addBandColumnsAndRows();
}

// κ is exp(−((widthCoefficient·d)·d))·height bit for bit, d = λ − center, on both sides of where
// the exponent passes −746 and −745.13 (exp's last step to +0), over the whole visible range
// and beyond, and for a NaN wavelength.
void TestIndexFunctions::bandMatchesExpFormula()
{
    const auto band = bandOfRow();
    const double center = band->center, widthCoefficient = band->widthCoefficient, height = band->height;
    const auto exponent = [&](double x) { return -((widthCoefficient * (x - center)) * (x - center)); };
    const auto formula = [&](double x) { return std::exp(exponent(x)) * height; };

    QVector<double> xs;
    // The last wavelength above center whose exponent is at least −746, by bisection on doubles,
    // and its 200 neighbours each way; mirrored below center.
    double inside = center, outside = center + 10.0;
    while (std::nextafter(inside, outside) != outside) {
        const double middle = inside + (outside - inside) / 2;
        (exponent(middle) >= -746.0 ? inside : outside) = middle;
    }
    for (double up = inside, down = inside; xs.size() < 402; up = std::nextafter(up, 100.0), down = std::nextafter(down, -100.0))
        xs << up << down;
    for (int i = 0; i < 402; ++i)
        xs << 2 * center - xs[i];
    // A sweep across exponents of about −700 to −800 on both sides.
    const double d0 = std::sqrt(746.0 / widthCoefficient);
    for (int k = -4000; k <= 3500; ++k)
        xs << center + d0 * (1 + k * 1e-5) << center - d0 * (1 + k * 1e-5);
    // The visible range and well beyond.
    for (int k = -2560; k <= 2560; ++k)
        xs << k / 256.0;

    int below = 0, zeroByExp = 0, nonzero = 0;
    for (const double x : qAsConst(xs)) {
        const double got = band->value(x), expected = formula(x);
        QVERIFY2(bitsOf(got) == bitsOf(expected),
                 qPrintable(QString("kappa(%1) = %2, exp formula %3 (exponent %4)")
                                .arg(x, 0, 'g', 17).arg(got, 0, 'g', 17).arg(expected, 0, 'g', 17).arg(exponent(x), 0, 'g', 17)));
        const double e = exponent(x);
        below += e < -746.0;
        zeroByExp += e >= -746.0 && std::exp(e) == 0.0;
        nonzero += expected != 0.0;
    }
    QVERIFY2(below > 0 && zeroByExp > 0 && (height == 0.0 || nonzero > 0),
             qPrintable(QString("samples: %1 below −746, %2 where exp itself gives 0, %3 nonzero").arg(below).arg(zeroByExp).arg(nonzero)));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    QVERIFY2(std::isnan(band->value(nan)), "kappa(NaN) is not NaN");
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
    QFETCH(double, expected);
    const double r = bandOfRow()->effectiveRange();
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
