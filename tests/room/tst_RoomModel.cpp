// The compiled room array: counts, first vertex, extents, attributes, winding, pieces,
// openings and light-map regions.
#include "tests/room/RoomMesh.h"

#include <QtTest>

using namespace roommesh;

namespace {

// Whether the ray o + t d (t > 0) meets triangle t, Moeller-Trumbore in double precision.
bool hits(int t, const QVector3D &o, const QVector3D &d, double *at)
{
    const QVector3D p0 = vertex(t, 0).position, e1 = vertex(t, 1).position - p0, e2 = vertex(t, 2).position - p0;
    const QVector3D pv = QVector3D::crossProduct(d, e2);
    const double det = QVector3D::dotProduct(e1, pv);
    if (std::fabs(det) < 1e-12)
        return false;
    const QVector3D tv = o - p0;
    const double b1 = QVector3D::dotProduct(tv, pv) / det;
    const QVector3D qv = QVector3D::crossProduct(tv, e1);
    const double b2 = QVector3D::dotProduct(d, qv) / det;
    if (b1 < 0 || b2 < 0 || b1 + b2 > 1)
        return false;
    *at = QVector3D::dotProduct(e2, qv) / det;
    return *at > 0;
}

// Whether triangles a and b overlap in more than a sliver of texture space: separating axes
// after shrinking both by `shrink` texels towards their centroids.
bool texOverlap(int a, int b, double shrink)
{
    QVector2D ta[3], tb[3];
    const QVector2D ca = (texel(a, 0) + texel(a, 1) + texel(a, 2)) / 3.0f;
    const QVector2D cb = (texel(b, 0) + texel(b, 1) + texel(b, 2)) / 3.0f;
    for (int k = 0; k < 3; ++k) {
        const QVector2D da = texel(a, k) - ca, db = texel(b, k) - cb;
        ta[k] = ca + da * float(std::max(0.0, 1.0 - shrink / std::max(1e-9, double(da.length()))));
        tb[k] = cb + db * float(std::max(0.0, 1.0 - shrink / std::max(1e-9, double(db.length()))));
    }
    for (const QVector2D *tri : {ta, tb}) {
        for (int e = 0; e < 3; ++e) {
            const QVector2D edge = tri[(e + 1) % 3] - tri[e];
            const QVector2D axis(-edge.y(), edge.x());
            double lo1 = 1e300, hi1 = -1e300, lo2 = 1e300, hi2 = -1e300;
            for (int k = 0; k < 3; ++k) {
                lo1 = std::min(lo1, double(QVector2D::dotProduct(axis, ta[k])));
                hi1 = std::max(hi1, double(QVector2D::dotProduct(axis, ta[k])));
                lo2 = std::min(lo2, double(QVector2D::dotProduct(axis, tb[k])));
                hi2 = std::max(hi2, double(QVector2D::dotProduct(axis, tb[k])));
            }
            if (hi1 <= lo2 || hi2 <= lo1)
                return false;
        }
    }
    return true;
}

// Copied during dynamic initialisation, before main: the array, constant-initialised, is
// complete by then whichever file's initialisers run first.
const ScVertex lastVertexBeforeMain = roomModelVertices[vertexCount - 1];

} // namespace

class TestRoomModel : public QObject
{
    Q_OBJECT

private slots:
    void countsAndFirstVertex()
    {
        QCOMPARE(vertexCount, 5298);
        QCOMPARE(triangleCount, 1766);
        const ScVertex &v = roomModelVertices[0];
        const float tol = 1e-6f;
        QVERIFY2(qAbs(v.position.x() + 1.999999f) < tol && qAbs(v.position.y()) < tol && qAbs(v.position.z() + 2.0f) < tol,
                 qPrintable(QStringLiteral("first position (%1, %2, %3)").arg(v.position.x()).arg(v.position.y()).arg(v.position.z())));
        QVERIFY2(qAbs(v.texCoord.x() - 0.745499f) < tol && qAbs(v.texCoord.y() - 0.9995f) < tol,
                 qPrintable(QStringLiteral("first texCoord (%1, %2)").arg(v.texCoord.x()).arg(v.texCoord.y())));
        QVERIFY2(v.normal == QVector3D(0, 1, 0),
                 qPrintable(QStringLiteral("first normal (%1, %2, %3)").arg(v.normal.x()).arg(v.normal.y()).arg(v.normal.z())));
    }

    void filledBeforeMain()
    {
        const ScVertex &now = roomModelVertices[vertexCount - 1];
        QVERIFY2(lastVertexBeforeMain.position == now.position && lastVertexBeforeMain.texCoord == now.texCoord
                     && lastVertexBeforeMain.normal == now.normal && lastVertexBeforeMain.color == QVector4D(1, 1, 1, 1),
                 qPrintable(QStringLiteral("last vertex before main at (%1, %2, %3), colour alpha %4")
                                .arg(lastVertexBeforeMain.position.x()).arg(lastVertexBeforeMain.position.y())
                                .arg(lastVertexBeforeMain.position.z()).arg(lastVertexBeforeMain.color.w())));
    }

    void extents_data()
    {
        QTest::addColumn<int>("field"); // 0 position, 1 texCoord
        QTest::addColumn<int>("axis");
        QTest::addColumn<float>("lo");
        QTest::addColumn<float>("hi");
        QTest::newRow("x") << 0 << 0 << -2.0f << 2.063692f;
        QTest::newRow("y") << 0 << 1 << 0.0f << 2.600001f;
        QTest::newRow("z") << 0 << 2 << -2.000001f << 2.16f;
        QTest::newRow("u") << 1 << 0 << 0.0005f << 0.9995f;
        QTest::newRow("v") << 1 << 1 << 0.005837f << 0.9995f;
    }

    void extents()
    {
        QFETCH(int, field);
        QFETCH(int, axis);
        QFETCH(float, lo);
        QFETCH(float, hi);
        float mn = 1e9f, mx = -1e9f;
        for (const ScVertex &v : roomModelVertices) {
            const float c = field == 0 ? v.position[axis] : v.texCoord[axis];
            mn = std::min(mn, c);
            mx = std::max(mx, c);
        }
        const float tol = 1e-6f;
        QVERIFY2(qAbs(mn - lo) <= tol && qAbs(mx - hi) <= tol,
                 qPrintable(QStringLiteral("range %1 .. %2, expected %3 .. %4 within %5").arg(mn, 0, 'f', 7).arg(mx, 0, 'f', 7)
                                .arg(lo, 0, 'f', 7).arg(hi, 0, 'f', 7).arg(tol)));
    }

    void whiteUnitNormalsAndWinding()
    {
        for (int t = 0; t < triangleCount; ++t) {
            const QVector3D f = faceNormal(t);
            for (int c = 0; c < 3; ++c) {
                const ScVertex &v = vertex(t, c);
                QVERIFY2(v.color == QVector4D(1, 1, 1, 1), qPrintable(QStringLiteral("triangle %1 corner %2 not white").arg(t).arg(c)));
                const float len = v.normal.length();
                QVERIFY2(qAbs(len - 1.0f) < 1e-5f,
                         qPrintable(QStringLiteral("triangle %1 corner %2: |normal| %3, tolerance 1e-5").arg(t).arg(c).arg(len, 0, 'f', 7)));
                // Counter-clockwise seen from the normal's side: the face normal agrees with it.
                QVERIFY2(QVector3D::dotProduct(f, v.normal) > 0.0f,
                         qPrintable(QStringLiteral("triangle %1 corner %2 wound clockwise seen from its normal (dot %3)")
                                        .arg(t).arg(c).arg(QVector3D::dotProduct(f, v.normal))));
            }
            QVERIFY2(f.length() > 1e-9f, qPrintable(QStringLiteral("triangle %1 has no area").arg(t)));
        }
    }

    void flatAndSmoothed()
    {
        int flat = 0;
        for (int t = 0; t < triangleCount; ++t)
            flat += vertex(t, 0).normal == vertex(t, 1).normal && vertex(t, 0).normal == vertex(t, 2).normal ? 1 : 0;
        QVERIFY2(flat == 1049 && triangleCount - flat == 717,
                 qPrintable(QStringLiteral("flat %1, smoothed %2; expected 1049 and 717").arg(flat).arg(triangleCount - flat)));
    }

    void shellFacesIntoRoom_data()
    {
        // Faces of the shell lying in a bounding plane face into the room, except the faces of
        // closed mouldings there (backs, tops, bottoms): those lie in a band along the room's edge,
        // at y >= limit (kind 0) or max(|x|, |z|) >= limit (kind 1).
        QTest::addColumn<int>("axis");
        QTest::addColumn<float>("plane");
        QTest::addColumn<QVector3D>("facing");
        QTest::addColumn<int>("kind");
        QTest::addColumn<float>("limit");
        QTest::newRow("floor") << 1 << 0.0f << QVector3D(0, 1, 0) << 1 << 1.913f;
        QTest::newRow("ceiling") << 1 << 2.6f << QVector3D(0, -1, 0) << 1 << 1.919f;
        QTest::newRow("wall x = -2") << 0 << -2.0f << QVector3D(1, 0, 0) << 0 << 2.52f;
        QTest::newRow("wall x = 2") << 0 << 2.0f << QVector3D(-1, 0, 0) << 0 << 2.52f;
        QTest::newRow("wall z = -2") << 2 << -2.0f << QVector3D(0, 0, 1) << 0 << 2.52f;
        QTest::newRow("wall z = 2") << 2 << 2.0f << QVector3D(0, 0, -1) << 0 << 2.52f;
    }

    void shellFacesIntoRoom()
    {
        QFETCH(int, axis);
        QFETCH(float, plane);
        QFETCH(QVector3D, facing);
        QFETCH(int, kind);
        QFETCH(float, limit);
        int count;
        const QVector<int> piece = pieces(&count);
        const int shell = piece[0];
        double area = 0;
        for (int t = 0; t < triangleCount; ++t) {
            bool inPlane = piece[t] == shell;
            for (int c = 0; c < 3 && inPlane; ++c)
                inPlane = qAbs(vertex(t, c).position[axis] - plane) < 1e-5f;
            if (!inPlane)
                continue;
            const QVector3D f = faceNormal(t).normalized();
            if (QVector3D::dotProduct(f, facing) > 0.999f && QVector3D::dotProduct(vertex(t, 0).normal, facing) > 0.999f) {
                area += 0.5 * faceNormal(t).length();
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                const QVector3D p = vertex(t, c).position;
                const float at = kind == 0 ? p.y() : std::max(qAbs(p.x()), qAbs(p.z()));
                QVERIFY2(at >= limit - 1e-5f,
                         qPrintable(QStringLiteral("triangle %1 in the plane faces (%2, %3, %4) away from the room at (%5, %6, %7)")
                                        .arg(t).arg(f.x()).arg(f.y()).arg(f.z()).arg(p.x()).arg(p.y()).arg(p.z())));
            }
        }
        QVERIFY2(area > 8.0, qPrintable(QStringLiteral("only %1 square units facing the room found in the plane").arg(area)));
    }

    void connectedPieces_data()
    {
        QTest::addColumn<int>("triangles");
        QTest::addColumn<int>("expected");
        QTest::newRow("shell") << 558 << 1;
        QTest::newRow("plinths") << 64 << 2;
        QTest::newRow("posts") << 28 << 2;
        QTest::newRow("lintel") << 96 << 1;
        QTest::newRow("panel") << 36 << 1;
        QTest::newRow("wall frames") << 60 << 5;
        QTest::newRow("board frames") << 192 << 2;
        QTest::newRow("lamp") << 208 << 1;
    }

    void connectedPieces()
    {
        QFETCH(int, triangles);
        QFETCH(int, expected);
        int count;
        const QVector<int> piece = roommesh::pieces(&count);
        QVector<int> sizes(count, 0);
        for (int p : piece)
            ++sizes[p];
        QCOMPARE(count, 15);
        const int found = int(std::count(sizes.begin(), sizes.end(), triangles));
        QVERIFY2(found == expected, qPrintable(QStringLiteral("%1 pieces of %2 triangles, expected %3").arg(found).arg(triangles).arg(expected)));
        QCOMPARE(sizes[piece[0]], 558); // the floor belongs to the shell
    }

    void pieceBounds_data()
    {
        // Place and size of every piece: a piece of this many triangles spans this box.
        QTest::addColumn<int>("triangles");
        QTest::addColumn<QVector3D>("lo");
        QTest::addColumn<QVector3D>("hi");
        QTest::addColumn<float>("tolerance");
        QTest::newRow("shell") << 558 << QVector3D(-2, 0, -2) << QVector3D(2, 2.6f, 2.16f) << 1e-5f;
        for (float z : {-0.4f, 0.4f}) {
            QTest::addRow("plinth at z %g", double(z)) << 64 << QVector3D(1.834f, 0, z - 0.083f) << QVector3D(2, 0.4f, z + 0.083f) << 1e-5f;
            QTest::addRow("post at z %g", double(z)) << 28 << QVector3D(1.857f, 0.4f, z - 0.06f) << QVector3D(1.977f, 1.6f, z + 0.06f) << 0.005f;
        }
        QTest::newRow("lintel") << 96 << QVector3D(1.834f, 1.59f, -0.483f) << QVector3D(2.063692f, 1.776f, 0.483f) << 1e-5f;
        QTest::newRow("panel") << 36 << QVector3D(1.96f, 1.77f, -0.449f) << QVector3D(2, 2.3f, 0.449f) << 1e-5f;
        for (float z : {-1.4f, 0.0f, 1.4f})
            QTest::addRow("wall frame x -2 z %g", double(z)) << 60 << QVector3D(-2, 0.479f, z - 0.449f) << QVector3D(-1.96f, 2.3f, z + 0.449f) << 1e-5f;
        for (float z : {-1.4f, 1.4f})
            QTest::addRow("wall frame x 2 z %g", double(z)) << 60 << QVector3D(1.96f, 0.479f, z - 0.449f) << QVector3D(2, 2.3f, z + 0.449f) << 1e-5f;
        QTest::newRow("board frame z -2") << 192 << QVector3D(-1.8f, 0.5f, -2) << QVector3D(1.8f, 2.3f, -1.967f) << 1e-5f;
        QTest::newRow("board frame z 2") << 192 << QVector3D(-1.8f, 0.5f, 1.967f) << QVector3D(1.8f, 2.3f, 2) << 1e-5f;
        QTest::newRow("lamp") << 208 << QVector3D(-0.309f, 2.446f, -0.309f) << QVector3D(0.309f, 2.59f, 0.309f) << 1e-5f;
    }

    void pieceBounds()
    {
        QFETCH(int, triangles);
        QFETCH(QVector3D, lo);
        QFETCH(QVector3D, hi);
        QFETCH(float, tolerance);
        int count;
        const QVector<int> piece = pieces(&count);
        QVector<int> sizes(count, 0);
        QVector<QVector3D> mins(count, QVector3D(1e9f, 1e9f, 1e9f)), maxs(count, QVector3D(-1e9f, -1e9f, -1e9f));
        for (int t = 0; t < triangleCount; ++t) {
            ++sizes[piece[t]];
            for (int c = 0; c < 3; ++c) {
                const QVector3D p = vertex(t, c).position;
                for (int a = 0; a < 3; ++a) {
                    mins[piece[t]][a] = std::min(mins[piece[t]][a], p[a]);
                    maxs[piece[t]][a] = std::max(maxs[piece[t]][a], p[a]);
                }
            }
        }
        QString seen;
        for (int p = 0; p < count; ++p) {
            if (sizes[p] != triangles)
                continue;
            const QVector3D dl = mins[p] - lo, dh = maxs[p] - hi;
            if (std::max({qAbs(dl.x()), qAbs(dl.y()), qAbs(dl.z()), qAbs(dh.x()), qAbs(dh.y()), qAbs(dh.z())}) <= tolerance)
                return;
            seen += QStringLiteral(" (%1, %2, %3)..(%4, %5, %6)").arg(mins[p].x()).arg(mins[p].y()).arg(mins[p].z())
                        .arg(maxs[p].x()).arg(maxs[p].y()).arg(maxs[p].z());
        }
        QFAIL(qPrintable(QStringLiteral("no piece of %1 triangles spans the box within %2; found%3").arg(triangles).arg(tolerance).arg(seen)));
    }

    void nothingBehindOpenings()
    {
        int count;
        const QVector<int> piece = pieces(&count);
        QVector<int> sizes(count, 0);
        for (int p : piece)
            ++sizes[p];
        const float tol = 1e-5f;
        for (int t = 0; t < triangleCount; ++t) {
            for (int c = 0; c < 3; ++c) {
                const QVector3D p = vertex(t, c).position;
                if (p.x() > 2.0f + tol)
                    QVERIFY2(sizes[piece[t]] == 96 && p.y() >= 1.59f - tol && p.y() <= 1.776f + tol && qAbs(p.z()) <= 0.483f + tol,
                             qPrintable(QStringLiteral("triangle %1 reaches x %2 outside the lintel").arg(t).arg(p.x())));
                if (p.z() > 2.0f + tol)
                    QVERIFY2(piece[t] == piece[0] && p.x() >= -0.5f - tol && p.x() <= 0.5f + tol && p.y() >= 0.6f - tol
                                 && p.y() <= 1.9f + tol,
                             qPrintable(QStringLiteral("triangle %1 reaches z %2 outside the window reveals").arg(t).arg(p.z())));
            }
        }
        // Rays from the middle of the room through the openings meet nothing, on either side.
        const QVector3D from(0, 1.0f, 0);
        const QVector<QVector3D> through = {{2, 0.2f, 0}, {2, 1.0f, 0.3f}, {2, 1.5f, -0.3f},
                                            {-0.3f, 0.8f, 2}, {0, 1.25f, 2}, {0.3f, 1.6f, 2}};
        for (const QVector3D &q : through) {
            for (int t = 0; t < triangleCount; ++t) {
                double at = 0;
                QVERIFY2(!hits(t, from, q - from, &at),
                         qPrintable(QStringLiteral("triangle %1 meets the ray through the opening at (%2, %3, %4), ray parameter %5")
                                        .arg(t).arg(q.x()).arg(q.y()).arg(q.z()).arg(at)));
            }
        }
    }

    void floorRegion()
    {
        float u0 = 1, u1 = 0, v0 = 1, v1 = 0;
        for (int t = 0; t < 2; ++t) {
            for (int c = 0; c < 3; ++c) {
                QCOMPARE(vertex(t, c).position.y(), 0.0f);
                u0 = std::min(u0, vertex(t, c).texCoord.x());
                u1 = std::max(u1, vertex(t, c).texCoord.x());
                v0 = std::min(v0, vertex(t, c).texCoord.y());
                v1 = std::max(v1, vertex(t, c).texCoord.y());
            }
        }
        const float tol = 1e-6f;
        QVERIFY2(qAbs(u0 - 0.497828f) < tol && qAbs(u1 - 0.745499f) < tol && qAbs(v0 - 0.75183f) < tol && qAbs(v1 - 0.9995f) < tol,
                 qPrintable(QStringLiteral("floor u %1..%2 v %3..%4").arg(u0, 0, 'f', 6).arg(u1, 0, 'f', 6).arg(v0, 0, 'f', 6).arg(v1, 0, 'f', 6)));
    }

    void regionsDoNotOverlap()
    {
        // Triangles of one quad share their diagonal; anything more than 0.01 texel of overlap
        // is a fault.
        struct Box
        {
            float x0, y0, x1, y1;
        };
        QVector<Box> boxes(triangleCount);
        for (int t = 0; t < triangleCount; ++t) {
            const QVector2D a = texel(t, 0), b = texel(t, 1), c = texel(t, 2);
            boxes[t] = {std::min({a.x(), b.x(), c.x()}), std::min({a.y(), b.y(), c.y()}), std::max({a.x(), b.x(), c.x()}),
                        std::max({a.y(), b.y(), c.y()})};
        }
        for (int a = 0; a < triangleCount; ++a) {
            for (int b = a + 1; b < triangleCount; ++b) {
                if (boxes[a].x1 <= boxes[b].x0 || boxes[b].x1 <= boxes[a].x0 || boxes[a].y1 <= boxes[b].y0 || boxes[b].y1 <= boxes[a].y0)
                    continue;
                QVERIFY2(!texOverlap(a, b, 0.01), qPrintable(QStringLiteral("light-map regions of triangles %1 and %2 overlap").arg(a).arg(b)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestRoomModel)
#include "tst_RoomModel.moc"
