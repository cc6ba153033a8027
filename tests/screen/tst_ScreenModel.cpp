#include "models/ScreenModel.h"
#include "tests/screen/ScreenIslands.h"

#include <QHash>
#include <QSet>
#include <QtTest>

#include <cmath>
#include <iterator>

namespace {

constexpr int kRecords = 2106;
constexpr int kTriangles = kRecords / 3;

static_assert(std::size(screenModelVertices) == kRecords, "the renderer uploads 2106 records");
static_assert(sizeof(screenModelVertices) == 101088, "2106 contiguous 48-byte records");

const ScVertex &rec(int i) { return screenModelVertices[i]; }
QVector3D corner(int t, int c) { return rec(3 * t + c).position; }
QVector3D faceNormal(int t)
{
    return QVector3D::crossProduct(corner(t, 1) - corner(t, 0), corner(t, 2) - corner(t, 0));
}
double angleDeg(const QVector3D &a, const QVector3D &b)
{
    const double c = QVector3D::dotProduct(a, b) / (double(a.length()) * double(b.length()));
    return std::acos(std::max(-1.0, std::min(1.0, c))) * 180.0 / M_PI;
}
// Pieces by triangle: board 0-111, left foot 112-283, right foot 284-463, crossbar 464-701.
int pieceOf(int t) { return t < 112 ? 0 : t < 284 ? 1 : t < 464 ? 2 : 3; }
bool isSurface(int t) { return (t >= 40 && t <= 43) || (t >= 95 && t <= 98); }
bool allNormalsEqual(int t)
{
    return rec(3 * t).normal == rec(3 * t + 1).normal && rec(3 * t).normal == rec(3 * t + 2).normal;
}
// Flat-shaded triangles: the board but its projection surface; the feet's faces and end
// faces; the crossbar's faces, tabs, half of each outer side, bar bottom and the bar top's level pair.
bool isFlat(int t)
{
    static const int spans[][2] = {{0, 39}, {44, 94}, {99, 111},
                                   {112, 130}, {151, 171}, {183, 184}, {194, 215}, {241, 262}, {274, 275},
                                   {284, 305}, {331, 352}, {364, 365}, {374, 395}, {421, 442}, {454, 455},
                                   {470, 470}, {482, 505}, {522, 523}, {529, 529}, {542, 567}, {586, 589},
                                   {596, 596}, {603, 623}, {636, 637}, {643, 643}, {650, 650}, {657, 681},
                                   {699, 701}};
    for (const auto &s : spans)
        if (t >= s[0] && t <= s[1])
            return true;
    return false;
}
// Position key with zeros of either sign alike.
QByteArray key(const QVector3D &p)
{
    const float f[3] = {p.x() + 0.0f, p.y() + 0.0f, p.z() + 0.0f};
    return QByteArray(reinterpret_cast<const char *>(f), sizeof f);
}
bool hasFourDecimals(float v)
{
    return QByteArray::number(double(v), 'f', 4).toFloat() == v;
}

} // namespace

class ScreenModelTest : public QObject
{
    Q_OBJECT

private slots:
    void listedRecords_data();
    void listedRecords();
    void pieces_data();
    void pieces();
    void precisionColoursAndZeros();
    void distinctValues();
    void boardIsMirrorSymmetric();
    void rightFootHalvesMirror();
    void crossbarEndsMirrorAwayFromTheBar();
    void feetFrontHalvesAreTwins();
    void normalsAndWinding();
    void flatAndSurfaceShading();
    void noDegenerateOrDoubledTriangles();
    void piecesAreClosedAndSeparate();
    void nothingInFrontOfTheStripPlane();
    void islands();
};

void ScreenModelTest::listedRecords_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QVector3D>("position");
    QTest::addColumn<QVector2D>("texCoord");
    QTest::addColumn<QVector3D>("normal");
    auto row = [](int i, QVector3D p, QVector2D t, QVector3D n) {
        QTest::addRow("record %d", i) << i << p << t << n;
    };
    row(0, {1.7574f, 0.4165f, -1.5607f}, {0.7142f, 0.5011f}, {0, -1, -0.0f});
    row(125, {-0.0079f, 2.0679f, -1.4975f}, {0.4719f, 0.2486f}, {0, -0.0056f, 1});
    row(129, {-0.0079f, 0.4758f, -1.5061f}, {0.6906f, 0.2486f}, {0, -0.017f, 0.9999f});
    row(335, {-1.7682f, 2.0679f, -1.5061f}, {0.6568f, 0.9505f}, {0, -1, -0.0f});
    row(336, {-1.6358f, 0.2158f, -1.5367f}, {0.5961f, 0.917f}, {-1, 0, -0.0f});
    row(394, {-1.6358f, 0.3336f, -1.5367f}, {0.6436f, 0.9406f}, {0, 1, 0});
    row(549, {-1.6358f, 0.0117f, -1.7711f}, {0.3839f, 0.964f}, {-0.0f, 0, -1});
    row(696, {-1.6358f, 0, -1.3404f}, {0.6628f, 0.9026f}, {0.0242f, -0.9991f, -0.0358f});
    row(851, {-1.5573f, 0.202f, -1.4635f}, {0.6436f, 0.9013f}, {-0.0f, -0.9825f, -0.1861f});
    row(852, {1.62f, 0.3336f, -1.5367f}, {0.5961f, 0.9794f}, {1, 0, 0});
    row(964, {1.62f, 0, -1.7329f}, {0.6736f, 0.6777f}, {-0.0242f, -0.9991f, 0.0358f});
    row(991, {1.62f, 0.2149f, -1.5557f}, {0.6436f, 0.6991f}, {0.0161f, -0.9988f, 0.0458f});
    row(1092, {1.62f, 0.0679f, -1.7711f}, {0.3724f, 0.9718f}, {-0.0f, 0, -1});
    row(1391, {1.5415f, 0.202f, -1.4635f}, {0.6328f, 0.6864f}, {-0.0f, -0.9843f, -0.1765f});
    row(1392, {1.62f, 0.3336f, -1.5568f}, {0.4309f, 0.9486f}, {0.0368f, 0.9993f, -0.0f});
    row(1520, {1.6507f, 0.199f, -1.5568f}, {0.5263f, 0.9385f}, {0.0239f, -0.9981f, 0.0567f});
    row(1629, {1.62f, 0.4121f, -1.51f}, {0.6587f, 0.5273f}, {-0.0f, -0.0f, 1});
    row(2105, {1.4983f, 0.3006f, -1.51f}, {0.453f, 0.9281f}, {-0.0f, 1, 0});
}

void ScreenModelTest::listedRecords()
{
    QFETCH(int, index);
    QFETCH(QVector3D, position);
    QFETCH(QVector2D, texCoord);
    QFETCH(QVector3D, normal);
    const ScVertex &v = rec(index);
    // The floats nearest to the listed decimals: equal, not merely close.
    QVERIFY2(v.position == position, qPrintable(QStringLiteral("position (%1, %2, %3), listed (%4, %5, %6)")
             .arg(v.position.x()).arg(v.position.y()).arg(v.position.z())
             .arg(position.x()).arg(position.y()).arg(position.z())));
    QVERIFY2(v.texCoord == texCoord, qPrintable(QStringLiteral("texCoord (%1, %2), listed (%3, %4)")
             .arg(v.texCoord.x()).arg(v.texCoord.y()).arg(texCoord.x()).arg(texCoord.y())));
    QVERIFY2(v.normal == normal, qPrintable(QStringLiteral("normal (%1, %2, %3), listed (%4, %5, %6)")
             .arg(v.normal.x()).arg(v.normal.y()).arg(v.normal.z())
             .arg(normal.x()).arg(normal.y()).arg(normal.z())));
    for (int i = 0; i < 3; ++i)
        QVERIFY2(std::signbit(v.normal[i]) == std::signbit(normal[i]),
                 qPrintable(QStringLiteral("normal component %1: zero sign differs from the listed one").arg(i)));
    QCOMPARE(v.color, QVector4D(1, 1, 1, 1));
}

void ScreenModelTest::pieces_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QVector3D>("low");
    QTest::addColumn<QVector3D>("high");
    QTest::addColumn<QVector2D>("lowUv");
    QTest::addColumn<QVector2D>("highUv");
    QTest::addColumn<int>("positions");
    QTest::newRow("screen board") << 0 << 111 << QVector3D(-1.8713f, 0.4165f, -1.5607f)
                                  << QVector3D(1.8555f, 2.1273f, -1.4975f) << QVector2D(0.0005f, 0.0005f)
                                  << QVector2D(0.7164f, 0.9995f) << 58;
    QTest::newRow("left foot") << 112 << 283 << QVector3D(-1.6358f, 0, -1.7711f) << QVector3D(-1.5573f, 0.3336f, -1.3022f)
                               << QVector2D(0.3727f, 0.6346f) << QVector2D(0.6736f, 0.9747f) << 88;
    QTest::newRow("right foot") << 284 << 463 << QVector3D(1.5415f, 0, -1.7711f) << QVector3D(1.62f, 0.3336f, -1.3022f)
                                << QVector2D(0.3616f, 0.659f) << QVector2D(0.6736f, 0.9794f) << 92;
    QTest::newRow("crossbar") << 464 << 701 << QVector3D(-1.6711f, 0.1963f, -1.5568f) << QVector3D(1.6553f, 0.4121f, -1.51f)
                              << QVector2D(0.3968f, 0.5143f) << QVector2D(0.6883f, 0.9794f) << -1;
}

void ScreenModelTest::pieces()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QVector3D, low);
    QFETCH(QVector3D, high);
    QFETCH(QVector2D, lowUv);
    QFETCH(QVector2D, highUv);
    QFETCH(int, positions);
    QVector3D lo(1e9f, 1e9f, 1e9f), hi(-1e9f, -1e9f, -1e9f);
    QVector2D loUv(1e9f, 1e9f), hiUv(-1e9f, -1e9f);
    QSet<QByteArray> distinct;
    for (int r = 3 * first; r <= 3 * last + 2; ++r) {
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], rec(r).position[i]);
            hi[i] = std::max(hi[i], rec(r).position[i]);
        }
        for (int i = 0; i < 2; ++i) {
            loUv[i] = std::min(loUv[i], rec(r).texCoord[i]);
            hiUv[i] = std::max(hiUv[i], rec(r).texCoord[i]);
        }
        distinct.insert(key(rec(r).position));
    }
    QVERIFY2(lo == low && hi == high, qPrintable(QStringLiteral("positions span (%1, %2, %3) to (%4, %5, %6)")
             .arg(lo.x()).arg(lo.y()).arg(lo.z()).arg(hi.x()).arg(hi.y()).arg(hi.z())));
    QVERIFY2(loUv == lowUv && hiUv == highUv, qPrintable(QStringLiteral("texCoords span (%1, %2) to (%3, %4)")
             .arg(loUv.x()).arg(loUv.y()).arg(hiUv.x()).arg(hiUv.y())));
    if (positions > 0)
        QVERIFY2(distinct.size() == positions, qPrintable(QStringLiteral("%1 distinct positions, expected %2")
                 .arg(distinct.size()).arg(positions)));
}

void ScreenModelTest::precisionColoursAndZeros()
{
    QSet<QByteArray> floor;
    int floorRecords = 0;
    for (int r = 0; r < kRecords; ++r) {
        const ScVertex &v = rec(r);
        const float values[8] = {v.position.x(), v.position.y(), v.position.z(), v.texCoord.x(), v.texCoord.y(),
                                 v.normal.x(), v.normal.y(), v.normal.z()};
        for (float f : values)
            QVERIFY2(hasFourDecimals(f), qPrintable(QStringLiteral("record %1: %2 is not a four-decimal value")
                     .arg(r).arg(double(f), 0, 'g', 9)));
        QVERIFY2(v.color == QVector4D(1, 1, 1, 1), qPrintable(QStringLiteral("record %1 is not white").arg(r)));
        // Zero positions only on the floor, and positive there; no light-map coordinate is zero.
        QVERIFY2(v.position.x() != 0 && v.position.z() != 0, qPrintable(QStringLiteral("record %1: zero x or z").arg(r)));
        if (v.position.y() == 0) {
            QVERIFY2(!std::signbit(v.position.y()), qPrintable(QStringLiteral("record %1: floor y is -0").arg(r)));
            ++floorRecords;
            floor.insert(key(v.position));
        }
        QVERIFY2(v.texCoord.x() != 0 && v.texCoord.y() != 0, qPrintable(QStringLiteral("record %1: zero texCoord").arg(r)));
    }
    QVERIFY2(floorRecords == 27 && floor.size() == 3, qPrintable(QStringLiteral("%1 floor records at %2 positions, expected 27 at 3")
             .arg(floorRecords).arg(floor.size())));
}

void ScreenModelTest::distinctValues()
{
    // Distinct values of each position and light-map coordinate over the whole table.
    QSet<float> values[5];
    for (int r = 0; r < kRecords; ++r) {
        for (int i = 0; i < 3; ++i)
            values[i].insert(rec(r).position[i] + 0.0f);
        for (int i = 0; i < 2; ++i)
            values[3 + i].insert(rec(r).texCoord[i]);
    }
    const int expected[5] = {47, 59, 54, 266, 281};
    const char *names[5] = {"x", "y", "z", "u", "v"};
    for (int i = 0; i < 5; ++i)
        QVERIFY2(values[i].size() == expected[i], qPrintable(QStringLiteral("%1 distinct %2 values, expected %3")
                 .arg(values[i].size()).arg(QLatin1String(names[i])).arg(expected[i])));
}

void ScreenModelTest::boardIsMirrorSymmetric()
{
    // Mirroring about x = -0.0079 maps the board's positions onto themselves, in all four decimals.
    QSet<QByteArray> board;
    for (int r = 0; r < 336; ++r)
        board.insert(key(rec(r).position));
    for (int r = 0; r < 336; ++r) {
        const QVector3D &p = rec(r).position;
        const float mx = QByteArray::number(-0.0158 - double(p.x()), 'f', 4).toFloat();
        QVERIFY2(board.contains(key(QVector3D(mx, p.y(), p.z()))),
                 qPrintable(QStringLiteral("record %1: (%2, %3, %4) has no mirror image").arg(r).arg(p.x()).arg(p.y()).arg(p.z())));
    }
}

void ScreenModelTest::crossbarEndsMirrorAwayFromTheBar()
{
    // Left of x -1.522 (outline points P30 to P45) every rim normal of the crossbar's left end
    // is the x-negated normal at the right end's partner point (x within 0.0001 of the mirror
    // about -0.0079, same y and z).
    QVector<const ScVertex *> right;
    for (int r = 3 * 464; r < kRecords; ++r)
        if (rec(r).position.x() > 0 && std::abs(rec(r).normal.z()) != 1.0f)
            right.append(&rec(r));
    int checked = 0;
    for (int r = 3 * 464; r < kRecords; ++r) {
        const ScVertex &v = rec(r);
        if (v.position.x() > -1.522f || std::abs(v.normal.z()) == 1.0f)
            continue;
        ++checked;
        bool found = false;
        for (const ScVertex *w : right)
            found |= std::abs(double(w->position.x()) + 0.0158 + double(v.position.x())) < 0.00015
                     && w->position.y() == v.position.y() && w->position.z() == v.position.z()
                     && w->normal.x() == -v.normal.x() && w->normal.y() == v.normal.y() && w->normal.z() == v.normal.z();
        QVERIFY2(found, qPrintable(QStringLiteral("record %1 at (%2, %3, %4): normal (%5, %6, %7) has no mirror at the right end")
                 .arg(r).arg(v.position.x()).arg(v.position.y()).arg(v.position.z())
                 .arg(v.normal.x()).arg(v.normal.y()).arg(v.normal.z())));
    }
    QVERIFY2(checked > 100, qPrintable(QStringLiteral("only %1 left-end rim records checked").arg(checked)));
}

void ScreenModelTest::feetFrontHalvesAreTwins()
{
    // Triangle 374 + i is 194 + i mirrored about x = -0.0079 with its first two corners swapped,
    // but the seven that touch the middle of the underside; the normals are mirror images too,
    // but at the front point next to the middle, (y 0.202, z -1.4635).
    const QSet<int> middle = {0, 1, 46, 47, 48, 49, 89};
    int twins = 0;
    for (int i = 0; i < 90; ++i) {
        if (middle.contains(i))
            continue;
        ++twins;
        for (int c = 0; c < 3; ++c) {
            const ScVertex &right = rec(3 * (374 + i) + (c == 0 ? 1 : c == 1 ? 0 : 2));
            const ScVertex &left = rec(3 * (194 + i) + c);
            const float mx = QByteArray::number(-0.0158 - double(right.position.x()), 'f', 4).toFloat();
            QVERIFY2(QVector3D(mx, right.position.y(), right.position.z()) == left.position,
                     qPrintable(QStringLiteral("triangle %1 corner %2 does not mirror triangle %3").arg(374 + i).arg(c).arg(194 + i)));
            if (left.position.y() == 0.202f && left.position.z() == -1.4635f)
                continue;
            const QVector3D expected(-right.normal.x(), right.normal.y(), right.normal.z());
            QVERIFY2(left.normal == expected,
                     qPrintable(QStringLiteral("triangle %1 corner %2: normal (%3, %4, %5), right twin gives (%6, %7, %8)")
                     .arg(194 + i).arg(c).arg(left.normal.x()).arg(left.normal.y()).arg(left.normal.z())
                     .arg(expected.x()).arg(expected.y()).arg(expected.z())));
        }
    }
    QCOMPARE(twins, 83);
}

void ScreenModelTest::rightFootHalvesMirror()
{
    // Triangle 374 + i is 284 + i mirrored about z = -1.53665 through the point pairs, first two
    // corners swapped, but for the three that keep the outer middle point of the underside;
    // the normals follow with z negated but next to that point.
    auto mirrorZ = [](const QVector3D &p) {
        if (p.y() == 0.3336f || p.y() == 0.2158f || p.y() == 0.2149f) // apex and middle points
            return p;
        const double sum = p.y() == 0.2243f ? -3.0734 : -3.0733;
        return QVector3D(p.x(), p.y(), QByteArray::number(sum - double(p.z()), 'f', 4).toFloat());
    };
    const QVector3D middle(1.62f, 0.2149f, -1.5557f);
    QSet<QByteArray> nearMiddle;
    for (int t = 284; t < 464; ++t)
        for (int c = 0; c < 3; ++c)
            if (corner(t, c) == middle)
                for (int k = 0; k < 3; ++k)
                    nearMiddle.insert(key(corner(t, k)));
    for (int i = 0; i < 90; ++i) {
        if (i == 0 || i == 1 || i == 46)
            continue;
        const int order[3] = {1, 0, 2};
        for (int c = 0; c < 3; ++c) {
            const ScVertex &front = rec(3 * (374 + i) + c), &back = rec(3 * (284 + i) + order[c]);
            QVERIFY2(front.position == mirrorZ(back.position),
                     qPrintable(QStringLiteral("triangle %1 corner %2 does not mirror triangle %3").arg(374 + i).arg(c).arg(284 + i)));
            if (nearMiddle.contains(key(front.position)))
                continue;
            const QVector3D expected(back.normal.x(), back.normal.y(), -back.normal.z());
            QVERIFY2(front.normal == expected, qPrintable(QStringLiteral("triangle %1 corner %2: normal (%3, %4, %5), back twin gives (%6, %7, %8)")
                     .arg(374 + i).arg(c).arg(front.normal.x()).arg(front.normal.y()).arg(front.normal.z())
                     .arg(expected.x()).arg(expected.y()).arg(expected.z())));
        }
    }
}

void ScreenModelTest::normalsAndWinding()
{
    double largest = 0;
    for (int t = 0; t < kTriangles; ++t) {
        const QVector3D n = faceNormal(t);
        for (int c = 0; c < 3; ++c) {
            const QVector3D &cn = rec(3 * t + c).normal;
            const double length = std::sqrt(double(QVector3D::dotProduct(cn, cn)));
            QVERIFY2(length >= 0.9999345 && length <= 1.0000543,
                     qPrintable(QStringLiteral("triangle %1 corner %2: normal length %3 outside 0.9999345..1.0000543")
                     .arg(t).arg(c).arg(length, 0, 'f', 7)));
            const double a = angleDeg(n, cn);
            largest = std::max(largest, a);
            QVERIFY2(a < 60.0, qPrintable(QStringLiteral("triangle %1 corner %2: normal %3 degrees from the face, bound 60")
                     .arg(t).arg(c).arg(a, 0, 'f', 2)));
        }
        // Counter-clockwise on the image with v running down its rows, never mirrored.
        const QVector2D p = rec(3 * t).texCoord, q = rec(3 * t + 1).texCoord, r = rec(3 * t + 2).texCoord;
        const double det = double(q.x() - p.x()) * double(r.y() - p.y()) - double(r.x() - p.x()) * double(q.y() - p.y());
        QVERIFY2(det < 0, qPrintable(QStringLiteral("triangle %1: light-map determinant %2, must be negative").arg(t).arg(det)));
    }
    QVERIFY2(largest > 59.0, qPrintable(QStringLiteral("largest corner angle %1, expected just under 60").arg(largest)));
}

void ScreenModelTest::flatAndSurfaceShading()
{
    int flat = 0;
    for (int t = 0; t < kTriangles; ++t) {
        if (isSurface(t)) {
            // One stored normal per surface point, close to the triangle's and to +z.
            for (int c = 0; c < 3; ++c) {
                const QVector3D &n = rec(3 * t + c).normal;
                // Bounds of 1.9 and 2.3 degrees to one decimal.
                QVERIFY2(angleDeg(n, faceNormal(t)) < 1.95 && angleDeg(n, QVector3D(0, 0, 1)) < 2.35,
                         qPrintable(QStringLiteral("surface triangle %1 corner %2: %3 deg from its face, %4 from +z (bounds 1.9, 2.3)")
                         .arg(t).arg(c).arg(angleDeg(n, faceNormal(t))).arg(angleDeg(n, QVector3D(0, 0, 1)))));
                const QVector3D &p = corner(t, c);
                const bool raised = p == QVector3D(-0.0079f, 2.0679f, -1.4975f);
                QVERIFY2(raised || p.z() == -1.5061f, qPrintable(QStringLiteral("surface point off z -1.5061: (%1, %2, %3)")
                         .arg(p.x()).arg(p.y()).arg(p.z())));
            }
            continue;
        }
        if (!isFlat(t))
            continue;
        ++flat;
        QVERIFY2(allNormalsEqual(t), qPrintable(QStringLiteral("flat triangle %1 has differing corner normals").arg(t)));
        // The unit normal of the triangle's plane to four places; the bar bottom's stated
        // normal is a hair past 0.0035.
        const QVector3D own = faceNormal(t).normalized();
        const QVector3D &n = rec(3 * t).normal;
        const double tolerance = (t == 589 || t == 650) ? 0.0036 : 0.0035;
        for (int i = 0; i < 3; ++i)
            QVERIFY2(std::abs(double(n[i] - own[i])) <= tolerance,
                     qPrintable(QStringLiteral("flat triangle %1: normal component %2 is %3, plane gives %4 (tolerance %5)")
                     .arg(t).arg(i).arg(n[i]).arg(own[i]).arg(tolerance)));
        QVERIFY2(n.z() == 0 || std::abs(n.z()) == 1.0f, qPrintable(QStringLiteral("flat triangle %1: normal neither axis nor z = 0").arg(t)));
    }
    QVERIFY2(flat == 396, qPrintable(QStringLiteral("%1 flat triangles, expected 396").arg(flat)));

    // Smoothing groups end at creases: 52 positions of the rims (the feet's with their end
    // faces) carry two normals, none more.
    QHash<QByteArray, QSet<QByteArray>> normals;
    for (int t = 0; t < kTriangles; ++t) {
        const bool endFace = t == 183 || t == 184 || t == 274 || t == 275 || t == 364 || t == 365 || t == 454 || t == 455;
        if ((isFlat(t) && !endFace) || isSurface(t))
            continue;
        for (int c = 0; c < 3; ++c)
            normals[key(corner(t, c))].insert(key(rec(3 * t + c).normal));
    }
    // The crossbar's rim normals lie in the x-y plane but in the grooves under the brackets.
    for (int r = 3 * 464; r < kRecords; ++r) {
        const ScVertex &v = rec(r);
        if (std::abs(v.normal.z()) != 1.0f && v.position.y() >= 0.2f)
            QVERIFY2(v.normal.z() == 0, qPrintable(QStringLiteral("record %1: crossbar rim normal has z %2").arg(r).arg(v.normal.z())));
    }
    int two = 0;
    for (const QSet<QByteArray> &n : normals) {
        QVERIFY2(n.size() <= 2, "a rim position carries more than two normals");
        two += n.size() == 2;
    }
    QVERIFY2(two == 52, qPrintable(QStringLiteral("%1 rim positions carry two normals, expected 52").arg(two)));
}

void ScreenModelTest::noDegenerateOrDoubledTriangles()
{
    double smallest = 1e9, largest = 0;
    QSet<QByteArray> seen;
    QSet<QByteArray> positions;
    for (int t = 0; t < kTriangles; ++t) {
        const double area = 0.5 * double(faceNormal(t).length());
        smallest = std::min(smallest, area);
        largest = std::max(largest, area);
        QByteArray k[3] = {key(corner(t, 0)), key(corner(t, 1)), key(corner(t, 2))};
        QVERIFY2(k[0] != k[1] && k[1] != k[2] && k[0] != k[2], qPrintable(QStringLiteral("triangle %1 repeats a corner").arg(t)));
        std::sort(k, k + 3);
        const QByteArray all = k[0] + k[1] + k[2];
        QVERIFY2(!seen.contains(all), qPrintable(QStringLiteral("triangle %1 doubles an earlier one").arg(t)));
        seen.insert(all);
        for (int c = 0; c < 3; ++c)
            positions.insert(key(corner(t, c)));
    }
    QVERIFY2(smallest >= 6.0e-6 && largest <= 3.06, qPrintable(QStringLiteral("areas %1 to %2, bounds 6e-6 and 3.06")
             .arg(smallest).arg(largest)));
    QVERIFY2(positions.size() == 359, qPrintable(QStringLiteral("%1 distinct positions, expected 359").arg(positions.size())));
    // No two different positions closer than the shortest edge, 0.00578.
    QVector<QVector3D> list;
    for (const QByteArray &k : positions) {
        const float *f = reinterpret_cast<const float *>(k.constData());
        list.append(QVector3D(f[0], f[1], f[2]));
    }
    double closest = 1e9;
    for (int i = 0; i < list.size(); ++i)
        for (int j = i + 1; j < list.size(); ++j)
            closest = std::min(closest, double((list[i] - list[j]).length()));
    QVERIFY2(closest >= 0.00575, qPrintable(QStringLiteral("closest positions %1 apart, bound 0.00575").arg(closest)));
}

void ScreenModelTest::piecesAreClosedAndSeparate()
{
    QHash<QByteArray, int> pieceOfPosition;
    QHash<QByteArray, int> directed;
    for (int t = 0; t < kTriangles; ++t)
        for (int c = 0; c < 3; ++c) {
            const QByteArray a = key(corner(t, c)), b = key(corner(t, (c + 1) % 3));
            directed[a + b] += 1;
            const int owner = pieceOfPosition.value(a, pieceOf(t));
            QVERIFY2(owner == pieceOf(t), qPrintable(QStringLiteral("triangle %1 shares a position with piece %2").arg(t).arg(owner)));
            pieceOfPosition.insert(a, pieceOf(t));
        }
    // Each edge runs once in each direction: closed, consistently wound surfaces.
    for (auto it = directed.constBegin(); it != directed.constEnd(); ++it) {
        const QByteArray reverse = it.key().mid(12) + it.key().left(12);
        QVERIFY2(it.value() == 1 && directed.value(reverse) == 1,
                 qPrintable(QStringLiteral("an edge runs %1 times one way and %2 the other").arg(it.value()).arg(directed.value(reverse))));
    }
    // Wound counter-clockwise seen from outside: every piece encloses a positive volume.
    double volume[4] = {0, 0, 0, 0};
    for (int t = 0; t < kTriangles; ++t)
        volume[pieceOf(t)] += double(QVector3D::dotProduct(corner(t, 0), QVector3D::crossProduct(corner(t, 1), corner(t, 2)))) / 6.0;
    QVERIFY2(std::abs(volume[1] - 0.00487) < 0.00001 && std::abs(volume[2] - 0.00489) < 0.00001,
             qPrintable(QStringLiteral("feet enclose %1 and %2, expected 0.00487 and 0.00489").arg(volume[1]).arg(volume[2])));
    QVERIFY2(volume[0] > 0 && volume[3] > 0, qPrintable(QStringLiteral("board %1, crossbar %2").arg(volume[0]).arg(volume[3])));
}

void ScreenModelTest::nothingInFrontOfTheStripPlane()
{
    // The strip is drawn at model z -1.49 over x -1.77..1.77, y 0.485..2.07 under the depth test.
    for (int t = 0; t < kTriangles; ++t) {
        QVector3D lo(1e9f, 1e9f, 1e9f), hi(-1e9f, -1e9f, -1e9f);
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 3; ++i) {
                lo[i] = std::min(lo[i], corner(t, c)[i]);
                hi[i] = std::max(hi[i], corner(t, c)[i]);
            }
        const bool overlaps = hi.x() >= -1.77f && lo.x() <= 1.77f && hi.y() >= 0.485f && lo.y() <= 2.07f;
        if (overlaps)
            QVERIFY2(hi.z() < -1.49f, qPrintable(QStringLiteral("triangle %1 reaches z %2 inside the strip rectangle").arg(t).arg(hi.z())));
        if (pieceOf(t) != 1 && pieceOf(t) != 2)
            QVERIFY2(hi.z() <= -1.4975f, qPrintable(QStringLiteral("triangle %1 reaches z %2 in front of the board").arg(t).arg(hi.z())));
    }
}

void ScreenModelTest::islands()
{
    const ScreenIslands islands;
    QCOMPARE(islands.count(), 67);
    int perPiece[4] = {0, 0, 0, 0};
    for (int i = 0; i < islands.count(); ++i) {
        const QVector<int> tris = islands.triangles(i);
        const int piece = pieceOf(tris.first());
        for (int t : tris)
            QVERIFY2(pieceOf(t) == piece, qPrintable(QStringLiteral("island %1 spans two pieces").arg(i)));
        ++perPiece[piece];
    }
    QVERIFY2(perPiece[0] == 17 && perPiece[1] == 14 && perPiece[2] == 14 && perPiece[3] == 22,
             qPrintable(QStringLiteral("islands per piece %1 %2 %3 %4, expected 17 14 14 22")
             .arg(perPiece[0]).arg(perPiece[1]).arg(perPiece[2]).arg(perPiece[3])));

    // No two islands share light-map area: separating-axis test on every pair of triangles.
    auto separated = [](int a, int b) {
        const QVector2D pa[3] = {rec(3 * a).texCoord, rec(3 * a + 1).texCoord, rec(3 * a + 2).texCoord};
        const QVector2D pb[3] = {rec(3 * b).texCoord, rec(3 * b + 1).texCoord, rec(3 * b + 2).texCoord};
        for (const QVector2D *poly : {pa, pb})
            for (int e = 0; e < 3; ++e) {
                const QVector2D d = poly[(e + 1) % 3] - poly[e];
                const QVector2D axis(-d.y(), d.x());
                double minA = 1e9, maxA = -1e9, minB = 1e9, maxB = -1e9;
                for (int k = 0; k < 3; ++k) {
                    minA = std::min(minA, double(QVector2D::dotProduct(axis, pa[k])));
                    maxA = std::max(maxA, double(QVector2D::dotProduct(axis, pa[k])));
                    minB = std::min(minB, double(QVector2D::dotProduct(axis, pb[k])));
                    maxB = std::max(maxB, double(QVector2D::dotProduct(axis, pb[k])));
                }
                const double slack = 1e-9 * double(axis.length());
                if (maxA <= minB + slack || maxB <= minA + slack)
                    return true;
            }
        return false;
    };
    // Every record's light-map point lies on its own island and strictly inside no other.
    for (int r = 0; r < 3 * kTriangles; ++r) {
        const QVector2D p = rec(r).texCoord;
        for (int t = 0; t < kTriangles; ++t) {
            if (islands.island(t) == islands.island(r / 3))
                continue;
            double side[3];
            for (int e = 0; e < 3; ++e) {
                const QVector2D a = rec(3 * t + e).texCoord, b = rec(3 * t + (e + 1) % 3).texCoord;
                side[e] = double(b.x() - a.x()) * double(p.y() - a.y()) - double(b.y() - a.y()) * double(p.x() - a.x());
            }
            const bool inside = (side[0] < 0 && side[1] < 0 && side[2] < 0) || (side[0] > 0 && side[1] > 0 && side[2] > 0);
            QVERIFY2(!inside, qPrintable(QStringLiteral("record %1's light-map point lies inside triangle %2 of another island").arg(r).arg(t)));
        }
    }
    for (int a = 0; a < kTriangles; ++a)
        for (int b = a + 1; b < kTriangles; ++b)
            if (islands.island(a) != islands.island(b))
                QVERIFY2(separated(a, b), qPrintable(QStringLiteral("triangles %1 and %2 of islands %3 and %4 overlap in the light map")
                         .arg(a).arg(b).arg(islands.island(a)).arg(islands.island(b))));
}

QTEST_APPLESS_MAIN(ScreenModelTest)
#include "tst_ScreenModel.moc"
