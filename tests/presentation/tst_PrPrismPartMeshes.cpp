#include "presentation/PrPrismPartMeshes.h"

#include <QSet>
#include <QtTest>

#include <cmath>

namespace {

struct Part
{
    const ScVertex *vertices;
    int count;
};

QString str(const QVector3D &v)
{
    return QStringLiteral("(%1, %2, %3)").arg(v.x(), 0, 'g', 7).arg(v.y(), 0, 'g', 7).arg(v.z(), 0, 'g', 7);
}

void bounds(const Part &part, QVector3D *lo, QVector3D *hi)
{
    *lo = *hi = part.vertices[0].position;
    for (int i = 1; i < part.count; ++i) {
        for (int a = 0; a < 3; ++a) {
            (*lo)[a] = qMin((*lo)[a], part.vertices[i].position[a]);
            (*hi)[a] = qMax((*hi)[a], part.vertices[i].position[a]);
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(Part)

class TestPrPrismPartMeshes : public QObject
{
    Q_OBJECT

private slots:
    void shape_data();
    void shape();
    void bodyCornersAndFaces();
};

void TestPrPrismPartMeshes::shape_data()
{
    QTest::addColumn<Part>("part");
    QTest::addColumn<int>("count");
    QTest::addColumn<QVector3D>("lo");
    QTest::addColumn<QVector3D>("hi");
    QTest::addColumn<QVector4D>("color");
    QTest::addColumn<bool>("texInUnitSquare");

    const QVector4D white(1, 1, 1, 1);
    // Base: 12-gon of corner radius 0.1625 with corners on ±x and ±z. Rod: hexagon with corners on ±x.
    QTest::newRow("body") << Part{prismBodyVertices, int(std::size(prismBodyVertices))} << 24
                          << QVector3D(-0.1f, -0.1f, -0.2f) << QVector3D(0.1f, 0.1f, 0.2f)
                          << QVector4D(0.333333f, 1, 1, 0.733333f) << true;
    QTest::newRow("stand base") << Part{prismStandBaseVertices, int(std::size(prismStandBaseVertices))} << 564
                                << QVector3D(-0.1625f, 0, -0.1625f) << QVector3D(0.1625f, 0.1625f, 0.1625f) << white
                                << true;
    QTest::newRow("stand rod") << Part{prismStandRodVertices, int(std::size(prismStandRodVertices))} << 168
                               << QVector3D(-0.027598f, 0, -0.0239005f) << QVector3D(0.027598f, 1.5f, 0.0239005f)
                               << white << false;
    QTest::newRow("stand arc") << Part{prismStandArcVertices, int(std::size(prismStandArcVertices))} << 696
                               << QVector3D(-0.2f, -0.2f, -0.02f) << QVector3D(0.2f, 0, 0.02f) << white << false;
}

void TestPrPrismPartMeshes::shape()
{
    QFETCH(Part, part);
    QFETCH(int, count);
    QFETCH(QVector3D, lo);
    QFETCH(QVector3D, hi);
    QFETCH(QVector4D, color);
    QFETCH(bool, texInUnitSquare);

    QVERIFY2(part.count == count, qPrintable(QStringLiteral("%1 vertices, expected %2").arg(part.count).arg(count)));

    QVector3D mn, mx;
    bounds(part, &mn, &mx);
    QVERIFY2((mn - lo).length() < 2e-6f && (mx - hi).length() < 2e-6f,
             qPrintable(QStringLiteral("bounds %1 .. %2, expected %3 .. %4").arg(str(mn), str(mx), str(lo), str(hi))));

    for (int i = 0; i < part.count; ++i) {
        const ScVertex &v = part.vertices[i];
        const float len = v.normal.length();
        QVERIFY2(std::fabs(len - 1.0f) < 1e-5f, qPrintable(QStringLiteral("vertex %1 normal %2 has length %3").arg(i).arg(str(v.normal)).arg(len)));
        QVERIFY2(v.color == color, qPrintable(QStringLiteral("vertex %1 colour (%2, %3, %4, %5)").arg(i).arg(v.color.x()).arg(v.color.y()).arg(v.color.z()).arg(v.color.w())));
        if (texInUnitSquare)
            QVERIFY2(v.texCoord.x() >= 0 && v.texCoord.x() <= 1 && v.texCoord.y() >= 0 && v.texCoord.y() <= 1,
                     qPrintable(QStringLiteral("vertex %1 texCoord (%2, %3) outside [0, 1]").arg(i).arg(v.texCoord.x()).arg(v.texCoord.y())));
    }

    // Counter-clockwise seen from the normals' side; flat faces carry the face normal itself.
    for (int t = 0; t < part.count; t += 3) {
        const ScVertex &a = part.vertices[t], &b = part.vertices[t + 1], &c = part.vertices[t + 2];
        const QVector3D face = QVector3D::crossProduct(b.position - a.position, c.position - a.position);
        QVERIFY2(face.length() > 1e-9f, qPrintable(QStringLiteral("triangle %1 is degenerate").arg(t / 3)));
        const QVector3D g = face.normalized();
        for (const ScVertex *v : {&a, &b, &c}) {
            const float d = QVector3D::dotProduct(g, v->normal);
            QVERIFY2(d > 0.5f, qPrintable(QStringLiteral("triangle %1: face normal %2 against vertex normal %3 (cos %4)")
                                              .arg(t / 3).arg(str(g), str(v->normal)).arg(d)));
        }
        if (a.normal == b.normal && b.normal == c.normal) {
            const float d = QVector3D::dotProduct(g, a.normal);
            QVERIFY2(d > 0.99999f, qPrintable(QStringLiteral("flat triangle %1: normal %2 is not the face normal %3").arg(t / 3).arg(str(a.normal), str(g))));
        }
    }
}

void TestPrPrismPartMeshes::bodyCornersAndFaces()
{
    QSet<QString> corners, normals;
    for (const ScVertex &v : prismBodyVertices) {
        corners << str(v.position);
        normals << str(v.normal);
    }
    QVERIFY2(corners.size() == 6, qPrintable(QStringLiteral("%1 distinct corners, expected 6").arg(corners.size())));
    QVERIFY2(normals.size() == 5, qPrintable(QStringLiteral("%1 distinct normals, expected 5").arg(normals.size())));

    // The optics refract at these corners: the entry face (+z side) and the exit face (-z side).
    struct Face
    {
        QVector3D normal;
        QVector3D corners[3];
    };
    const float s = 0.707107f;
    const Face faces[2] = {
        {QVector3D(0, -s, s), {QVector3D(-0.1f, -0.1f, 0), QVector3D(0.1f, -0.1f, 0), QVector3D(0.1f, 0.1f, 0.2f)}},
        {QVector3D(0, -s, -s), {QVector3D(-0.1f, -0.1f, 0), QVector3D(0.1f, -0.1f, 0), QVector3D(-0.1f, 0.1f, -0.2f)}},
    };
    for (const Face &f : faces) {
        for (const QVector3D &corner : f.corners) {
            bool found = false;
            for (const ScVertex &v : prismBodyVertices)
                found = found || ((v.position - corner).length() < 1e-7f && (v.normal - f.normal).length() < 1e-6f);
            QVERIFY2(found, qPrintable(QStringLiteral("no vertex at %1 with face normal %2").arg(str(corner), str(f.normal))));
        }
    }
}

QTEST_APPLESS_MAIN(TestPrPrismPartMeshes)
#include "tst_PrPrismPartMeshes.moc"
