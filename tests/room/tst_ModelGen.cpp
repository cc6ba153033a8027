// The generators' shared code: number format, ray casting, atlas layout and light-map baking.
#include "tools/modelgen/AtlasLayout.h"
#include "tools/modelgen/LightMapBaker.h"
#include "tools/modelgen/OutputWriter.h"
#include "tools/modelgen/RayCaster.h"

#include <QtTest>

#include <cstdlib>
#include <random>
#include <vector>

using namespace modelgen;

namespace {

Triangle triangle(const QVector3D &a, const QVector3D &b, const QVector3D &c, int chart = 0)
{
    Triangle t;
    t.position[0] = a;
    t.position[1] = b;
    t.position[2] = c;
    for (int k = 0; k < 3; ++k) {
        t.normal[k] = t.faceNormal();
        t.chartCoord[k] = QVector2D(t.position[k].x(), t.position[k].y());
    }
    t.chart = chart;
    return t;
}

// Unit square z = 0, x and y from 0 to 1, and a copy of it at z = 1.
QVector<Triangle> twoSquares()
{
    QVector<Triangle> t;
    for (float z : {0.0f, 1.0f}) {
        t << triangle({0, 0, z}, {1, 0, z}, {1, 1, z}) << triangle({0, 0, z}, {1, 1, z}, {0, 1, z});
    }
    return t;
}

// A texture-space triangle in texels of a size x size atlas.
Triangle texTriangle(const QVector2D &a, const QVector2D &b, const QVector2D &c, int size)
{
    Triangle t = triangle(QVector3D(a, 0), QVector3D(b, 0), QVector3D(c, 0));
    t.texCoord[0] = a / float(size);
    t.texCoord[1] = b / float(size);
    t.texCoord[2] = c / float(size);
    return t;
}

} // namespace

class TestModelGen : public QObject
{
    Q_OBJECT

private slots:
    void formatFloat_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0f << "0.0";
        QTest::newRow("negative zero") << -0.0f << "0.0";
        QTest::newRow("rounds to zero") << -2.0e-7f << "0.0";
        QTest::newRow("one") << 1.0f << "1.0";
        QTest::newRow("six decimals") << -1.999999f << "-1.999999";
        QTest::newRow("trailing zeros") << 0.9995f << "0.9995";
        QTest::newRow("smallest step") << 1.0e-6f << "0.000001";
        QTest::newRow("above the ceiling") << 2.600001f << "2.600001";
    }

    void formatFloat()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(OutputWriter::formatFloat(value), text);
        const float back = std::strtof(text.toLatin1().constData(), nullptr);
        QVERIFY2(OutputWriter::roundToWritten(value) == back,
                 qPrintable(QStringLiteral("%1 rounds to %2, reads back as %3").arg(value).arg(OutputWriter::roundToWritten(value)).arg(back)));
    }

    void rayCasts_data()
    {
        QTest::addColumn<QVector3D>("origin");
        QTest::addColumn<QVector3D>("direction");
        QTest::addColumn<float>("tMax");
        QTest::addColumn<int>("triangle"); // -1: no hit
        QTest::addColumn<float>("t");
        QTest::newRow("up through both, nearest first") << QVector3D(0.7f, 0.2f, -1) << QVector3D(0, 0, 1) << 10.0f << 0 << 1.0f;
        QTest::newRow("down from above") << QVector3D(0.2f, 0.7f, 3) << QVector3D(0, 0, -2) << 10.0f << 3 << 1.0f;
        QTest::newRow("between the squares") << QVector3D(0.2f, 0.7f, 0.5f) << QVector3D(0, 0, 1) << 10.0f << 3 << 0.5f;
        QTest::newRow("stops short") << QVector3D(0.7f, 0.2f, -1) << QVector3D(0, 0, 1) << 0.99f << -1 << 0.0f;
        QTest::newRow("beside") << QVector3D(1.5f, 0.5f, -1) << QVector3D(0, 0, 1) << 10.0f << -1 << 0.0f;
        QTest::newRow("parallel in the plane") << QVector3D(-1, 0.5f, 0) << QVector3D(1, 0, 0) << 10.0f << -1 << 0.0f;
        QTest::newRow("pointing away") << QVector3D(0.5f, 0.5f, -1) << QVector3D(0, 0, -1) << 10.0f << -1 << 0.0f;
    }

    void rayCasts()
    {
        QFETCH(QVector3D, origin);
        QFETCH(QVector3D, direction);
        QFETCH(float, tMax);
        QFETCH(int, triangle);
        QFETCH(float, t);
        const RayCaster caster(twoSquares());
        RayCaster::Hit hit;
        const bool found = caster.intersect(origin, direction, 0.0f, tMax, &hit);
        QCOMPARE(found, triangle >= 0);
        QCOMPARE(caster.occluded(origin, direction, 0.0f, tMax), triangle >= 0);
        if (found)
            QVERIFY2(hit.triangle == triangle && qAbs(hit.t - t) < 1e-6f,
                     qPrintable(QStringLiteral("hit triangle %1 at t %2, expected %3 at %4 within 1e-6").arg(hit.triangle).arg(hit.t).arg(triangle).arg(t)));
    }

    void rayCastsMatchBruteForce()
    {
        // 300 scattered triangles and 2000 rays with a fixed seed: the hierarchy finds
        // exactly the nearest hit that testing every triangle finds.
        std::mt19937 random(7);
        std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
        const auto point = [&] { return QVector3D(unit(random), unit(random), unit(random)); };
        QVector<Triangle> tris;
        for (int i = 0; i < 300; ++i) {
            const QVector3D c = 3.0f * point();
            tris << triangle(c + 0.3f * point(), c + 0.3f * point(), c + 0.3f * point());
        }
        const RayCaster caster(tris);
        std::vector<RayCaster> singles;
        for (const Triangle &t : tris)
            singles.emplace_back(QVector<Triangle>{t});
        for (int r = 0; r < 2000; ++r) {
            const QVector3D o = 4.0f * point(), d = point();
            float best = 100.0f;
            int nearest = -1;
            for (int i = 0; i < tris.size(); ++i) {
                RayCaster::Hit h;
                if (singles[size_t(i)].intersect(o, d, 0.0f, best, &h)) {
                    best = h.t;
                    nearest = i;
                }
            }
            RayCaster::Hit hit;
            const bool found = caster.intersect(o, d, 0.0f, 100.0f, &hit);
            QVERIFY2(found == (nearest >= 0) && (!found || (hit.triangle == nearest && hit.t == best)),
                     qPrintable(QStringLiteral("ray %1: hierarchy %2 at %3, brute force %4 at %5").arg(r).arg(found ? hit.triangle : -1)
                                    .arg(hit.t).arg(nearest).arg(best)));
        }
    }

    void atlasLayout()
    {
        // A fixed chart where asked (flipped in x), the others inside the border, none overlapping.
        QVector<Triangle> tris;
        for (int c = 0; c < 6; ++c)
            tris << triangle({0, 0, 0}, {1.0f + c, 0, 0}, {1.0f + c, 0.5f, 0}, c);
        AtlasOptions options;
        options.size = 256;
        options.texelsPerUnit = 20;
        options.gap = 8;
        options.border = 0.5;
        options.top = 3;
        AtlasLayout atlas(options);
        atlas.fixChart(2, QRectF(100, 200, 50, 40), true, false);
        QVERIFY(atlas.layout(tris));
        QCOMPARE(tris[2].texCoord[0], QVector2D(150.0f / 256, 200.0f / 256));
        QCOMPARE(tris[2].texCoord[2], QVector2D(100.0f / 256, 240.0f / 256));
        QVector<QRectF> boxes;
        for (const Triangle &t : tris) {
            QRectF box;
            for (const QVector2D &uv : t.texCoord) {
                QVERIFY2(uv.x() * 256 >= 0.5f - 1e-4f && uv.x() * 256 <= 255.5f + 1e-4f && uv.y() * 256 >= 0.5f - 1e-4f && uv.y() * 256 <= 255.5f + 1e-4f,
                         qPrintable(QStringLiteral("chart %1 leaves the atlas at (%2, %3)").arg(t.chart).arg(uv.x() * 256).arg(uv.y() * 256)));
                box |= QRectF(QPointF(uv.x() * 256, uv.y() * 256), QSizeF(1e-3, 1e-3));
            }
            for (const QRectF &other : boxes)
                QVERIFY2(!box.adjusted(1, 1, -1, -1).intersects(other), qPrintable(QStringLiteral("chart %1 overlaps another").arg(t.chart)));
            boxes << box;
        }
        // The first shelf starts at `top` and is spread out to the right border.
        float top = 1e9f, right = 0;
        for (const Triangle &t : tris) {
            if (t.chart == 2)
                continue;
            for (const QVector2D &uv : t.texCoord) {
                top = std::min(top, uv.y() * 256);
                right = std::max(right, uv.x() * 256);
            }
        }
        QVERIFY2(qAbs(top - 3.0f) < 1e-4f && qAbs(right - 255.5f) < 1e-4f, qPrintable(QStringLiteral("top %1, right %2").arg(top).arg(right)));

        // A chart wider than the atlas does not fit.
        QVector<Triangle> wide = {triangle({0, 0, 0}, {20, 0, 0}, {20, 1, 0})};
        QVERIFY(!AtlasLayout(options).layout(wide));
    }

    void bakeMarginAndHidden()
    {
        // A right triangle of 20 texels: shaded texels, hidden ones (negative) filled from their
        // neighbours, a 3-texel margin, black beyond; the same with 1 and 4 threads.
        const int size = 64;
        const QVector<Triangle> tris = {texTriangle({10, 10}, {30, 10}, {10, 30}, size)};
        const LightMapBaker baker(tris, size);
        const TexelShader shader = [](const TexelSample &s) { return s.x < 14 ? -1.0f : 100.0f; };
        const QVector<float> one = baker.bake(shader, 1), four = baker.bake(shader, 4);
        QCOMPARE(one, four);
        const QImage image = baker.toImage(one, 3, true);
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb c = image.pixel(x, y);
                const bool owned = baker.owners()[y * size + x] >= 0;
                // Chebyshev distance from the texel to the triangle's texels.
                int distance = 100;
                for (int oy = 0; oy < size; ++oy)
                    for (int ox = 0; ox < size; ++ox)
                        if (baker.owners()[oy * size + ox] >= 0)
                            distance = std::min(distance, std::max(std::abs(ox - x), std::abs(oy - y)));
                QVERIFY2(qAlpha(c) == 255 && qRed(c) == qGreen(c) && qGreen(c) == qBlue(c), "not opaque grey");
                if (owned || distance <= 3)
                    QVERIFY2(qRed(c) == 100, qPrintable(QStringLiteral("texel (%1, %2) at distance %3 is %4, expected 100").arg(x).arg(y).arg(distance).arg(qRed(c))));
                else
                    QVERIFY2(qRed(c) == 0, qPrintable(QStringLiteral("texel (%1, %2) at distance %3 is %4, expected black").arg(x).arg(y).arg(distance).arg(qRed(c))));
            }
        }
        // Texels the hypotenuse cuts are owned, one it touches at a corner only is not.
        QVERIFY(baker.owners()[19 * size + 20] == 0 && baker.owners()[20 * size + 20] == -1);
    }
};

QTEST_APPLESS_MAIN(TestModelGen)
#include "tst_ModelGen.moc"
