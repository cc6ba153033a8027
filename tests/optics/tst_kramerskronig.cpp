#include "optics/KramersKronigContext.h"
#include "optics/PhComplexIndexFunction.h"
#include "optics/PhGaussianIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhUniformMeshIndexFunction.h"

#include <QtTest>

#include <cmath>
#include <cstring>

namespace {

// κ(y) = y³, recording every argument it is asked for.
class CubicRecorder : public PhIndexFunction
{
public:
    double value(double y) const override
    {
        arguments.append(y);
        return y * y * y;
    }
    mutable QVector<double> arguments;
};

QSharedPointer<PhComplexIndexFunction> defaultAnomalousGlass()
{
    auto glass = PhComplexIndexFunction::create();
    glass->realFunction = PhParabolicIndexFunction::create();
    glass->imaginaryFunction = PhGaussianIndexFunction::create();
    glass->buildRealPartFromAbsorption(0.38, 0.78, 100);
    return glass;
}

QVector<double> tableOf(const PhComplexIndexFunction &glass)
{
    return qSharedPointerDynamicCast<PhUniformMeshIndexFunction>(glass.realPart())->table;
}

// 64-bit FNV-1a of the values' bit patterns, each read from its lowest byte up, as 16 hex digits.
QString fingerprint(const QVector<double> &values)
{
    quint64 hash = 14695981039346656037ull;
    for (const double value : values) {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int byte = 0; byte < 8; ++byte) {
            hash ^= (bits >> (8 * byte)) & 0xff;
            hash *= 1099511628211ull;
        }
    }
    return QString::number(hash, 16).rightJustified(16, QLatin1Char('0'));
}

// A fingerprint row for the band that the scene window's sliders set from these positions:
// centre value / 1000 µm, width w = value / 100000 µm as the coefficient 4 / w², height
// float(value) / 100.
void addSliderBand(const char *name, int center, int width, int height, const char *expected)
{
    const double w = double(width) / 100000.0;
    QTest::newRow(name) << double(center) / 1000.0 << 4.0 / (w * w) << double(float(height) / 100.0f)
                        << QString::fromLatin1(expected);
}

} // namespace

class TestKramersKronig : public QObject
{
    Q_OBJECT

private slots:
    void defaultBandTable_data();
    void defaultBandTable();
    void defaultBandExtremes();
    void tableFingerprint_data();
    void tableFingerprint();
    void flatBandGivesParabola();
    void buildInstallsMesh();
    void integrateOnePanel();
    void integrateCubicExactly_data();
    void integrateCubicExactly();
    void integrateZeroAbsorption();
};

void TestKramersKronig::defaultBandTable_data()
{
    QTest::addColumn<int>("node");
    QTest::addColumn<double>("expected");
    QTest::newRow("node 0 (0.38)") << 0 << 1.323643;
    QTest::newRow("node 45 (0.56)") << 45 << 1.132708;
    QTest::newRow("node 50 (0.58, band centre)") << 50 << 1.310243;
    QTest::newRow("node 55 (0.60)") << 55 << 1.487976;
    QTest::newRow("node 99 (0.776)") << 99 << 1.317052;
}

void TestKramersKronig::defaultBandTable()
{
    QFETCH(int, node);
    QFETCH(double, expected);
    static const QVector<double> table = tableOf(*defaultAnomalousGlass());
    const double tolerance = 5e-7;
    QVERIFY2(std::abs(table[node] - expected) <= tolerance,
             qPrintable(QString("table[%1] = %2, expected %3 ± %4").arg(node).arg(table[node], 0, 'g', 12).arg(expected).arg(tolerance)));
}

void TestKramersKronig::defaultBandExtremes()
{
    const QVector<double> table = tableOf(*defaultAnomalousGlass());
    const auto parabola = PhParabolicIndexFunction::create();
    const int low = int(std::min_element(table.begin(), table.end()) - table.begin());
    const int high = int(std::max_element(table.begin(), table.end()) - table.begin());
    QVERIFY2(low == 44 && std::abs(table[44] - 1.130452) <= 5e-7,
             qPrintable(QString("minimum at node %1 = %2, expected node 44 = 1.130452").arg(low).arg(table[low], 0, 'g', 12)));
    QVERIFY2(high == 56 && std::abs(table[56] - 1.490318) <= 5e-7,
             qPrintable(QString("maximum at node %1 = %2, expected node 56 = 1.490318").arg(high).arg(table[high], 0, 'g', 12)));

    // The correction is antisymmetric about the band centre.
    const double below = table[45] - parabola->value(0.56);
    const double above = table[55] - parabola->value(0.60);
    QVERIFY2(std::abs(below + 0.180124) <= 5e-7 && std::abs(above - 0.180124) <= 5e-7,
             qPrintable(QString("corrections %1 at 0.56 and %2 at 0.60, expected ∓0.180124").arg(below, 0, 'g', 12).arg(above, 0, 'g', 12)));
}

// Every bit of the 100-node table, over bands across the sliders' ranges: recorded from the code
// as it was before κ's far tails skipped std::exp (glibc, x86-64), so that no speed-up may change
// a bit of it unnoticed.
void TestKramersKronig::tableFingerprint_data()
{
    QTest::addColumn<double>("center");
    QTest::addColumn<double>("widthCoefficient");
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("expected");
    QTest::newRow("prism's default band") << 0.58 << 1600.0 << 0.3 << "09763ed5d49b823c";
    addSliderBand("sliders' defaults (0.58, 0.05, 0.30)", 580, 5000, 30, "81d928a7da101c8f");
    addSliderBand("narrowest at 0.40, highest", 400, 3000, 35, "a445283fb1fbaea3");
    addSliderBand("narrowest at 0.76, height 0.05", 760, 3000, 5, "7e746f518046c04e");
    addSliderBand("widest at 0.40, height 0.10", 400, 12000, 10, "5ca39aacd465f7dd");
    addSliderBand("widest at 0.76, highest", 760, 12000, 35, "1b6573d4376f1aac");
    addSliderBand("width 0.075 at 0.50, height 0.20", 500, 7500, 20, "ab5f1b152793fe4a");
    addSliderBand("narrowest at 0.58, height 0.01", 580, 3000, 1, "f259051d8102cbdd");
    addSliderBand("height 0", 580, 5000, 0, "3d7f958c7bd95033");
}

void TestKramersKronig::tableFingerprint()
{
    QFETCH(double, center);
    QFETCH(double, widthCoefficient);
    QFETCH(double, height);
    QFETCH(QString, expected);
    auto glass = PhComplexIndexFunction::create();
    auto band = PhGaussianIndexFunction::create();
    band->center = center;
    band->widthCoefficient = widthCoefficient;
    band->height = height;
    glass->imaginaryFunction = band;
    glass->buildRealPartFromAbsorption(0.38, 0.78, 100);
    const QVector<double> table = tableOf(*glass);
    QCOMPARE(table.size(), 100);
    const QString got = fingerprint(table);
    QVERIFY2(got == expected,
             qPrintable(QString("table fingerprint %1, expected %2 (node 0 = %3, node 50 = %4)")
                            .arg(got, expected).arg(table[0], 0, 'g', 17).arg(table[50], 0, 'g', 17)));
}

void TestKramersKronig::flatBandGivesParabola()
{
    auto glass = PhComplexIndexFunction::create();
    auto band = PhGaussianIndexFunction::create();
    band->height = 0.0;
    glass->imaginaryFunction = band;
    glass->buildRealPartFromAbsorption(0.38, 0.78, 100);
    const QVector<double> table = tableOf(*glass);
    const auto parabola = PhParabolicIndexFunction::create();
    for (int i = 0; i < table.size(); ++i) {
        const double wavelength = (i * 0.4) / 100 + 0.38;
        QVERIFY2(table[i] == parabola->value(wavelength),
                 qPrintable(QString("node %1: %2 != parabola %3").arg(i).arg(table[i], 0, 'g', 17).arg(parabola->value(wavelength), 0, 'g', 17)));
    }
}

void TestKramersKronig::buildInstallsMesh()
{
    auto glass = PhComplexIndexFunction::create();
    auto previous = PhParabolicIndexFunction::create();
    glass->realFunction = previous;
    glass->imaginaryFunction = PhGaussianIndexFunction::create();
    const QWeakPointer<PhParabolicIndexFunction> watch = previous.toWeakRef();
    previous.reset();

    QVERIFY2(glass->buildRealPartFromAbsorption(0.38, 0.78, 100) == glass.data(), "the build does not return the object itself");
    QWeakPointer<PhUniformMeshIndexFunction> firstTable;
    {
        const auto mesh = qSharedPointerDynamicCast<PhUniformMeshIndexFunction>(glass->realPart());
        QVERIFY2(mesh, "the real part is not a uniform-mesh function after the build");
        QVERIFY2(mesh->rangeMin == 0.38 && mesh->rangeMax == 0.78 && mesh->table.size() == 100,
                 qPrintable(QString("range %1–%2 with %3 entries, expected 0.38–0.78 with 100").arg(mesh->rangeMin).arg(mesh->rangeMax).arg(mesh->table.size())));
        firstTable = mesh.toWeakRef();
    }
    QVERIFY2(watch.isNull(), "the previous real part is still held");

    // A second build replaces the older table as well.
    glass->buildRealPartFromAbsorption(0.38, 0.78, 10);
    QVERIFY2(firstTable.isNull(), "the older table is still held");
    const auto rebuilt = qSharedPointerDynamicCast<PhUniformMeshIndexFunction>(glass->realPart());
    QVERIFY2(rebuilt && rebuilt->table.size() == 10, "the rebuilt table is missing or has the wrong size");
}

void TestKramersKronig::integrateOnePanel()
{
    auto glass = PhComplexIndexFunction::create();
    auto cubic = QSharedPointer<CubicRecorder>::create();
    glass->imaginaryFunction = cubic;
    const double wavelength = 0.5;
    const KramersKronigContext context{glass.data(), &wavelength};
    integrateKramersKronig(0.1, 0.3, 1, &context);

    // κ(λ − x₀), κ(λ + x₀), κ(λ − xₘ), κ(λ + xₘ), κ(λ − xₑ), κ(λ + xₑ).
    const QVector<double> expected{0.4, 0.6, 0.3, 0.7, 0.2, 0.8};
    QVERIFY2(cubic->arguments.size() == 6, qPrintable(QString("%1 evaluations, expected 6").arg(cubic->arguments.size())));
    for (int i = 0; i < 6; ++i)
        QVERIFY2(std::abs(cubic->arguments[i] - expected[i]) <= 1e-15,
                 qPrintable(QString("evaluation %1 at %2, expected %3").arg(i).arg(cubic->arguments[i], 0, 'g', 17).arg(expected[i])));
}

void TestKramersKronig::integrateCubicExactly_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("panels");
    QTest::addColumn<double>("wavelength");
    QTest::newRow("1 panel") << 0.1 << 0.3 << 1 << 0.5;
    QTest::newRow("7 panels") << 1e-8 << 5.0 << 7 << 0.58;
    QTest::newRow("1000 panels") << 1e-8 << 5.0 << 1000 << 0.38;
}

void TestKramersKronig::integrateCubicExactly()
{
    // For κ(y) = y³ the integrand is −(6λ² + 2x²)/π, a polynomial that Simpson's rule integrates exactly.
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, panels);
    QFETCH(double, wavelength);
    auto glass = PhComplexIndexFunction::create();
    glass->imaginaryFunction = QSharedPointer<CubicRecorder>::create();
    const KramersKronigContext context{glass.data(), &wavelength};
    const double result = integrateKramersKronig(a, b, panels, &context);
    const double exact = -(6 * wavelength * wavelength * (b - a) + 2 * (b * b * b - a * a * a) / 3) / M_PI;
    const double tolerance = 1e-9 * std::abs(exact);
    QVERIFY2(std::abs(result - exact) <= tolerance,
             qPrintable(QString("integral %1, exact %2 ± %3").arg(result, 0, 'g', 17).arg(exact, 0, 'g', 17).arg(tolerance)));
}

void TestKramersKronig::integrateZeroAbsorption()
{
    auto glass = PhComplexIndexFunction::create();
    glass->imaginaryFunction = QSharedPointer<PhIndexFunction>::create();
    const double wavelength = 0.58;
    const KramersKronigContext context{glass.data(), &wavelength};
    const double result = integrateKramersKronig(1e-8, 5.0, 1, &context);
    QVERIFY2(result == 0.0, qPrintable(QString("integral of zero absorption = %1").arg(result, 0, 'g', 17)));
}

QTEST_APPLESS_MAIN(TestKramersKronig)
#include "tst_kramerskronig.moc"
