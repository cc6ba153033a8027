#include "optics/PhRayBundle.h"
#include "optics/wavelengthToColor.h"

#include <QtTest>

#include <cmath>

namespace {

QString text(const QVector4D &v)
{
    return QString("(%1, %2, %3, %4)").arg(v.x(), 0, 'g', 9).arg(v.y(), 0, 'g', 9).arg(v.z(), 0, 'g', 9).arg(v.w(), 0, 'g', 9);
}

QString text(const QVector3D &v)
{
    return QString("(%1, %2, %3)").arg(v.x(), 0, 'g', 9).arg(v.y(), 0, 'g', 9).arg(v.z(), 0, 'g', 9);
}

QString text(const QVector<QVector3D> &points)
{
    QStringList parts;
    for (const QVector3D &p : points)
        parts << text(p);
    return parts.join(' ');
}

// One ray per position, traced through one transparent object: the positions are point 1.
PhRayBundle bundleWithSecondPoints(const QVector<QVector3D> &positions, const QVector<bool> &lost = {})
{
    PhRayBundle bundle;
    bundle.reset(positions.size());
    for (int i = 0; i < positions.size(); ++i) {
        PhRayPoint p;
        p.position = positions[i];
        p.lost = i < lost.size() && lost[i];
        bundle.rays[i].points.append(p);
    }
    return bundle;
}

const float pow03 = 0.338383462f;  // pow(0.3, 0.9)

} // namespace

class TestCrossSection : public QObject
{
    Q_OBJECT

private slots:
    void colorAtBreakpoints_data();
    void colorAtBreakpoints();
    void sectionPositions_data();
    void sectionPositions();
    void sourceSectionIsOnePoint();
    void mergedColourAndAlpha();
};

void TestCrossSection::colorAtBreakpoints_data()
{
    QTest::addColumn<double>("wavelength");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<QVector4D>("expected");
    QTest::newRow("0.3799 below the range") << 0.3799 << 0.5 << QVector4D(0, 0, 0, 0.5f);
    QTest::newRow("0.38") << 0.38 << 1.0 << QVector4D(pow03, 0, pow03, 1);
    QTest::newRow("0.40 edge ramp") << 0.40 << 1.0 << QVector4D(0.654361821f, 0, 0.942540641f, 1);
    QTest::newRow("0.402 ramp ends") << 0.402 << 1.0 << QVector4D(0.662932196f, 0, 1, 1);
    QTest::newRow("0.44") << 0.44 << 0.25 << QVector4D(0, 0, 1, 0.25f);
    QTest::newRow("0.49") << 0.49 << 1.0 << QVector4D(0, 1, 1, 1);
    QTest::newRow("0.51") << 0.51 << 1.0 << QVector4D(0, 1, 0, 1);
    QTest::newRow("0.58") << 0.58 << 0.7 << QVector4D(1, 1, 0, 0.7f);
    QTest::newRow("0.645") << 0.645 << 1.0 << QVector4D(1, 0, 0, 1);
    QTest::newRow("0.75 edge ramp") << 0.75 << 1.0 << QVector4D(0.59581341f, 0, 0, 1);
    QTest::newRow("0.78") << 0.78 << 0.5 << QVector4D(pow03, 0, 0, 0.5f);
    QTest::newRow("0.7801 above the range") << 0.7801 << 1.0 << QVector4D(0, 0, 0, 1);
}

void TestCrossSection::colorAtBreakpoints()
{
    QFETCH(double, wavelength);
    QFETCH(double, alpha);
    QFETCH(QVector4D, expected);
    const QVector4D c = wavelengthToColor(wavelength, alpha);
    const float tolerance = 1e-6f;
    QVERIFY2((c - expected).length() <= tolerance,
             qPrintable(QString("colour(%1, %2) = %3, expected %4 ± %5").arg(wavelength).arg(alpha).arg(text(c)).arg(text(expected)).arg(tolerance)));
}

void TestCrossSection::sectionPositions_data()
{
    QTest::addColumn<QVector<QVector3D>>("positions");
    QTest::addColumn<QVector<bool>>("lost");
    QTest::addColumn<QVector3D>("scale");
    QTest::addColumn<QVector<QVector3D>>("expected");
    using P = QVector<QVector3D>;
    using L = QVector<bool>;
    const QVector3D widen(1.2f, 1.5f, 1);
    QTest::newRow("all but ray 0 lost") << P{{1, 2, 3}, {4, 0, 0}, {8, 0, 0}} << L{false, true, true} << widen << P{{1, 2, 3}};
    QTest::newRow("all lost keeps ray 0") << P{{1, 2, 3}, {4, 0, 0}, {8, 0, 0}} << L{true, true, true} << widen << P{{1, 2, 3}};
    QTest::newRow("one entry is not scaled") << P{{1, 2, 3}, {1, 2, 3}} << L{} << widen << P{{1, 2, 3}};
    // N = 2: the threshold is 0.001f / 2 = 0.0005f, strictly less merges.
    QTest::newRow("exactly 0.001/N apart") << P{{0, 0, 0}, {0.0005f, 0, 0}} << L{} << QVector3D(1, 1, 1)
                                           << P{{0, 0, 0}, {0.0005f, 0, 0}};
    QTest::newRow("closer than 0.001/N") << P{{0, 0, 0}, {0.0004f, 0, 0}} << L{} << QVector3D(1, 1, 1) << P{{0.0002f, 0, 0}};
    // Merging compares with the latest entry only, and a lost ray in between is skipped.
    QTest::newRow("only the latest entry merges") << P{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}} << L{} << QVector3D(1, 1, 1)
                                                  << P{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}};
    QTest::newRow("lost ray skipped") << P{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}} << L{false, true, false} << QVector3D(1, 1, 1)
                                      << P{{0, 0, 0}};
    QTest::newRow("scaled about the box centre") << P{{0, 0, 0}, {1, 2, 3}, {2, 4, 1}} << L{} << widen
                                                 << P{{-0.2f, -1, 0}, {1, 2, 3}, {2.2f, 5, 1}};
}

void TestCrossSection::sectionPositions()
{
    QFETCH(QVector<QVector3D>, positions);
    QFETCH(QVector<bool>, lost);
    QFETCH(QVector3D, scale);
    QFETCH(QVector<QVector3D>, expected);
    const PhRayBundle bundle = bundleWithSecondPoints(positions, lost);
    QVector<PhColoredPoint> section;
    bundle.crossSection(section, 1, 1.0f, scale);

    QVector<QVector3D> got;
    for (const PhColoredPoint &p : qAsConst(section))
        got << p.position;
    bool same = got.size() == expected.size();
    for (int i = 0; same && i < got.size(); ++i)
        same = (got[i] - expected[i]).length() <= 1e-6f;
    QVERIFY2(same, qPrintable(QString("section %1, expected %2").arg(text(got)).arg(text(expected))));
}

void TestCrossSection::sourceSectionIsOnePoint()
{
    PhRayBundle bundle;
    bundle.reset(1000).setOrigin(QVector3D(0.5f, 1.25f, -3)).setDirection(QVector3D(0, 0, 1));
    QVector<PhColoredPoint> section(5);
    section.reserve(64);
    const int capacity = section.capacity();
    bundle.crossSection(section, 0, 1.0f, QVector3D(1.2f, 1.5f, 1));
    QVERIFY2(section.size() == 1 && section[0].position == QVector3D(0.5f, 1.25f, -3) && section[0].color.w() == 1.0f,
             qPrintable(QString("%1 entries, first at %2 with colour %3").arg(section.size()).arg(text(section[0].position)).arg(text(section[0].color))));
    QVERIFY2(section.capacity() >= capacity, "the output lost its capacity");
}

void TestCrossSection::mergedColourAndAlpha()
{
    // Rays 0 and 1 coincide, ray 2 stands apart; all at intensity 0.5.
    PhRayBundle bundle = bundleWithSecondPoints({{0, 0, 0}, {0, 0, 0}, {1, 0, 0}});
    for (PhRay &ray : bundle.rays)
        ray.points[1].intensity = 0.5;
    QVector<PhColoredPoint> section;
    const float alpha = 0.8f;
    bundle.crossSection(section, 1, alpha, QVector3D(1, 1, 1));
    QCOMPARE(section.size(), 2);

    const QVector4D c0 = wavelengthToColor(bundle.rays[0].wavelength, 0.4);
    const QVector4D c1 = wavelengthToColor(bundle.rays[1].wavelength, 0.4);
    const QVector4D merged = c0 + 0.2f * c1;
    const QVector4D expectedMerged(merged.x(), merged.y(), merged.z(), alpha);
    QVERIFY2((section[0].color - expectedMerged).length() <= 1e-6f,
             qPrintable(QString("merged colour %1, expected %2").arg(text(section[0].color)).arg(text(expectedMerged))));
    const QVector4D expectedSingle = wavelengthToColor(bundle.rays[2].wavelength, double(alpha) * 0.5);
    QVERIFY2((section[1].color - expectedSingle).length() <= 1e-6f && std::abs(section[1].color.w() - 0.4f) <= 1e-6f,
             qPrintable(QString("unmerged colour %1, expected %2 with alpha · intensity 0.4").arg(text(section[1].color)).arg(text(expectedSingle))));
}

QTEST_APPLESS_MAIN(TestCrossSection)
#include "tst_crosssection.moc"
