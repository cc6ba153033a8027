// The room light map as the program loads it (":/gfx/roomLightMap.png", rows in stored order,
// v = 0 the top row) checked against the compiled room array.
#include "tests/room/RoomMesh.h"

#include <QImage>
#include <QtTest>

using namespace roommesh;

namespace {

const int size = 1024;

const QImage &lightMap()
{
    static const QImage image(QStringLiteral(":/gfx/roomLightMap.png"));
    return image;
}

// Whether the unit texel square at (x, y) and triangle t's region overlap in area.
bool touches(int t, int x, int y)
{
    const QVector2D v[3] = {texel(t, 0), texel(t, 1), texel(t, 2)};
    const QVector2D box[4] = {QVector2D(x, y), QVector2D(x + 1, y), QVector2D(x + 1, y + 1), QVector2D(x, y + 1)};
    const QVector2D axes[5] = {{1, 0}, {0, 1}, {-(v[1] - v[0]).y(), (v[1] - v[0]).x()},
                               {-(v[2] - v[1]).y(), (v[2] - v[1]).x()}, {-(v[0] - v[2]).y(), (v[0] - v[2]).x()}};
    for (const QVector2D &a : axes) {
        float t0 = 1e30f, t1 = -1e30f, b0 = 1e30f, b1 = -1e30f;
        for (const QVector2D &p : v) {
            t0 = std::min(t0, QVector2D::dotProduct(a, p));
            t1 = std::max(t1, QVector2D::dotProduct(a, p));
        }
        for (const QVector2D &p : box) {
            b0 = std::min(b0, QVector2D::dotProduct(a, p));
            b1 = std::max(b1, QVector2D::dotProduct(a, p));
        }
        const float eps = 1e-6f * a.length();
        if (b1 <= t0 + eps || t1 <= b0 + eps)
            return false;
    }
    return true;
}

bool centreInside(int t, int x, int y)
{
    const QVector2D p(x + 0.5f, y + 0.5f);
    float sign = 0;
    for (int e = 0; e < 3; ++e) {
        const QVector2D a = texel(t, e), b = texel(t, (e + 1) % 3);
        const float c = (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
        if (c == 0)
            continue;
        if (sign == 0)
            sign = c;
        else if ((c > 0) != (sign > 0))
            return false;
    }
    return true;
}

// Grey level where the surface facing `normal` passes through `p`; -1 when none does.
int greyAt(const QVector3D &p, const QVector3D &normal)
{
    for (int t = 0; t < triangleCount; ++t) {
        const QVector3D n = faceNormal(t).normalized();
        if (QVector3D::dotProduct(n, normal) < 0.99f)
            continue;
        const QVector3D a = vertex(t, 0).position, b = vertex(t, 1).position, c = vertex(t, 2).position;
        if (qAbs(QVector3D::dotProduct(p - a, n)) > 1e-3f)
            continue;
        const float area = QVector3D::dotProduct(QVector3D::crossProduct(b - a, c - a), n);
        const float wa = QVector3D::dotProduct(QVector3D::crossProduct(c - b, p - b), n) / area;
        const float wb = QVector3D::dotProduct(QVector3D::crossProduct(a - c, p - c), n) / area;
        const float wc = 1 - wa - wb;
        if (wa < 0 || wb < 0 || wc < 0)
            continue;
        const QVector2D uv = wa * vertex(t, 0).texCoord + wb * vertex(t, 1).texCoord + wc * vertex(t, 2).texCoord;
        return qRed(lightMap().pixel(std::min(size - 1, int(uv.x() * size)), std::min(size - 1, int(uv.y() * size))));
    }
    return -1;
}

} // namespace

class TestRoomLightMap : public QObject
{
    Q_OBJECT

private slots:
    void greyAndOpaque()
    {
        QVERIFY2(!lightMap().isNull(), "the light map does not load");
        QCOMPARE(lightMap().size(), QSize(size, size));
        QVERIFY(lightMap().hasAlphaChannel());
        const QImage image = lightMap().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < size; ++x) {
                const QRgb c = row[x];
                QVERIFY2(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qAlpha(c) == 255,
                         qPrintable(QStringLiteral("texel (%1, %2) is rgba(%3, %4, %5, %6)")
                                        .arg(x).arg(y).arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)).arg(qAlpha(c))));
            }
        }
    }

    void blackOutsideRegionsAndMargin()
    {
        // Texels that a region touches, grown by the 3-texel margin, may be lit; every texel
        // with its centre in a region is; the rest is black.
        QVector<char> touched(size * size, 0), inside(size * size, 0);
        double area = 0;
        for (int t = 0; t < triangleCount; ++t) {
            const QVector2D a = texel(t, 0), b = texel(t, 1), c = texel(t, 2);
            area += 0.5 * qAbs((b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x()));
            const int x0 = std::max(0, int(std::floor(std::min({a.x(), b.x(), c.x()}))));
            const int x1 = std::min(size - 1, int(std::floor(std::max({a.x(), b.x(), c.x()}))));
            const int y0 = std::max(0, int(std::floor(std::min({a.y(), b.y(), c.y()}))));
            const int y1 = std::min(size - 1, int(std::floor(std::max({a.y(), b.y(), c.y()}))));
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    if (touches(t, x, y))
                        touched[y * size + x] = 1;
                    if (centreInside(t, x, y))
                        inside[y * size + x] = 1;
                }
            }
        }
        const double coverage = area / (double(size) * size);
        QVERIFY2(coverage > 0.35 && coverage < 0.45, qPrintable(QStringLiteral("regions cover %1 of the atlas, expected 0.40 +- 0.05").arg(coverage)));

        const int margin = 3;
        const QImage image = lightMap().convertToFormat(QImage::Format_ARGB32);
        int lit = 0;
        for (int y = 0; y < size; ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < size; ++x) {
                const int g = qRed(row[x]);
                if (inside[y * size + x])
                    QVERIFY2(g > 0, qPrintable(QStringLiteral("texel (%1, %2) inside a region is black").arg(x).arg(y)));
                if (g == 0)
                    continue;
                ++lit;
                bool near = false;
                for (int dy = -margin; dy <= margin && !near; ++dy)
                    for (int dx = -margin; dx <= margin && !near; ++dx)
                        near = x + dx >= 0 && y + dy >= 0 && x + dx < size && y + dy < size && touched[(y + dy) * size + x + dx];
                QVERIFY2(near, qPrintable(QStringLiteral("texel (%1, %2) = %3 lies more than %4 texels from every region").arg(x).arg(y).arg(g).arg(margin)));
            }
        }
        QVERIFY2(lit > coverage * size * size, qPrintable(QStringLiteral("only %1 texels lit").arg(lit)));
    }

    void bakedLighting_data()
    {
        // Pairs of surface points: the first is lit more than the second by at least `gap` levels.
        QTest::addColumn<QVector3D>("brighter");
        QTest::addColumn<QVector3D>("brighterNormal");
        QTest::addColumn<QVector3D>("darker");
        QTest::addColumn<QVector3D>("darkerNormal");
        QTest::addColumn<int>("gap");
        const QVector3D up(0, 1, 0), down(0, -1, 0), south(0, 0, 1);
        QTest::newRow("lamp glows over the ceiling") << QVector3D(0.02f, 2.4473f, 0.005f) << down << QVector3D(1.0f, 2.6f, 1.0f) << down << 40;
        QTest::newRow("floor under the lamp over the far corner") << QVector3D(0, 0, -0.3f) << up << QVector3D(1.93f, 0, -1.93f) << up << 20;
        QTest::newRow("daylight on the floor before the window") << QVector3D(0, 0, 1.6f) << up << QVector3D(0, 0, -1.6f) << up << 8;
        QTest::newRow("wall middle over the wall corner") << QVector3D(0, 1.2f, -2) << south << QVector3D(-1.97f, 1.2f, -2) << south << 8;
        QTest::newRow("wall middle over the skirting's top edge") << QVector3D(0, 1.2f, -2) << south << QVector3D(0, 0.404f, -2) << south << 8;
    }

    void bakedLighting()
    {
        QFETCH(QVector3D, brighter);
        QFETCH(QVector3D, brighterNormal);
        QFETCH(QVector3D, darker);
        QFETCH(QVector3D, darkerNormal);
        QFETCH(int, gap);
        const int a = greyAt(brighter, brighterNormal), b = greyAt(darker, darkerNormal);
        QVERIFY2(a >= 0 && b >= 0, qPrintable(QStringLiteral("surface points not found (%1, %2)").arg(a).arg(b)));
        QVERIFY2(a >= b + gap, qPrintable(QStringLiteral("levels %1 and %2, expected a gap of at least %3").arg(a).arg(b).arg(gap)));
    }
};

QTEST_APPLESS_MAIN(TestRoomLightMap)
#include "tst_RoomLightMap.moc"
