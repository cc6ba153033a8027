#include "tools/roomgen/RoomBuilder.h"

#include "tools/roomgen/ProfileSweep.h"

#include <QtMath>

#include <algorithm>

using modelgen::MeshBuilder;

namespace {

const QVector3D up(0, 1, 0);
constexpr float ceilingY = 2.6f;
constexpr float ceilingTopY = 2.600001f; // tops of closed mouldings, a hair above the ceiling
constexpr float chartLength = 2.0f;     // longest light-map chart of a moulding, model units

// Flat polygon triangles (index triples into pts) in one new chart; chart coordinates are the
// points' coordinates along the axes u and v.
void addPlanar(MeshBuilder &mesh, const QVector<QVector3D> &pts, const QVector<int> &tris,
               const QVector3D &normal, const QVector3D &u, const QVector3D &v, float chartScale = 1.0f)
{
    mesh.beginChart();
    for (int t = 0; t + 2 < tris.size(); t += 3) {
        QVector3D p[3];
        QVector2D c[3];
        for (int k = 0; k < 3; ++k) {
            p[k] = pts[tris[t + k]];
            c[k] = chartScale * QVector2D(QVector3D::dotProduct(p[k], u), QVector3D::dotProduct(p[k], v));
        }
        mesh.addFlatTriangle(p[0], p[1], p[2], normal, c[0], c[1], c[2]);
    }
}

// A planar quad p0 p1 p2 p3 in its own chart.
void addPlanarQuad(MeshBuilder &mesh, const QVector3D &p0, const QVector3D &p1, const QVector3D &p2,
                   const QVector3D &p3, const QVector3D &normal)
{
    const QVector3D u = (p1 - p0).normalized();
    const QVector3D v = QVector3D::crossProduct(normal, u).normalized();
    addPlanar(mesh, {p0, p1, p2, p3}, {0, 1, 2, 0, 2, 3}, normal, u, v);
}

// Ear clipping of a simple counter-clockwise polygon: n - 2 triangles.
QVector<int> earClip(const QVector<QVector2D> &poly)
{
    QVector<int> idx;
    for (int i = 0; i < poly.size(); ++i)
        idx.append(i);
    auto cross = [](const QVector2D &a, const QVector2D &b, const QVector2D &c) {
        return (b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x());
    };
    QVector<int> out;
    while (idx.size() > 3) {
        bool clipped = false;
        for (int i = 0; i < idx.size() && !clipped; ++i) {
            const int a = idx[(i + idx.size() - 1) % idx.size()], b = idx[i], c = idx[(i + 1) % idx.size()];
            if (cross(poly[a], poly[b], poly[c]) <= 1e-9f)
                continue;
            bool inside = false;
            for (int j : idx) {
                if (j == a || j == b || j == c)
                    continue;
                if (cross(poly[a], poly[b], poly[j]) >= 0 && cross(poly[b], poly[c], poly[j]) >= 0
                    && cross(poly[c], poly[a], poly[j]) >= 0) {
                    inside = true;
                    break;
                }
            }
            if (inside)
                continue;
            out << a << b << c;
            idx.removeAt(i);
            clipped = true;
        }
        if (!clipped)
            break;
    }
    if (idx.size() == 3)
        out << idx[0] << idx[1] << idx[2];
    return out;
}

// Orders a closed path so that its side vectors N x t point away from its centre.
void orientOutward(ProfileSweep::Path &path)
{
    QVector3D centre;
    for (const QVector3D &p : path.points)
        centre += p;
    centre /= float(path.points.size());
    const QVector3D t = path.points[1] - path.points[0];
    const QVector3D s = QVector3D::crossProduct(path.planeNormal, t);
    const QVector3D mid = 0.5f * (path.points[0] + path.points[1]);
    if (QVector3D::dotProduct(s, mid - centre) < 0) {
        std::reverse(path.points.begin(), path.points.end());
        std::reverse(path.normals.begin(), path.normals.end());
    }
}

// Closed rectangle-with-round-corners path in the plane through `centre` spanned by u and v,
// `segments` chords a corner, normals pointing outward (radial on the corners).
ProfileSweep::Path roundedRect(const QVector3D &centre, const QVector3D &u, const QVector3D &v,
                               const QVector3D &normal, float halfU, float halfV, float radius,
                               int segments)
{
    ProfileSweep::Path path;
    path.planeNormal = normal;
    path.closed = true;
    const float su[4] = {1, -1, -1, 1}, sv[4] = {1, 1, -1, -1};
    for (int c = 0; c < 4; ++c) {
        const QVector3D arcCentre = centre + su[c] * (halfU - radius) * u + sv[c] * (halfV - radius) * v;
        const float start = float(M_PI) / 2 * c;
        for (int k = 0; k <= segments; ++k) {
            const float a = start + float(M_PI) / 2 * k / segments;
            const QVector3D dir = std::cos(a) * u + std::sin(a) * v;
            path.points.append(arcCentre + radius * dir);
            path.normals.append(dir);
        }
    }
    orientOutward(path);
    return path;
}

ProfileSweep::Profile profile(const QVector<QVector2D> &points, const QVector<bool> &soft,
                              const QVector<QVector2D> &normals = {})
{
    ProfileSweep::Profile p;
    p.points = points;
    p.soft = soft;
    p.normals = normals;
    return p;
}

// Arc of the ellipse centre + (ra cos a, rb sin a) from angle a0 to a1 in n soft chords;
// appends the points after the first with their analytic normals (rb cos a, ra sin a), the
// right-hand side of the direction of travel, and sets the first point's normal.
void appendArc(QVector<QVector2D> &pts, QVector<QVector2D> &normals, QVector<bool> &soft,
               const QVector2D &centre, float ra, float rb, float a0, float a1, int n)
{
    normals.last() = QVector2D(rb * std::cos(a0), ra * std::sin(a0)).normalized();
    for (int k = 1; k <= n; ++k) {
        const float a = a0 + (a1 - a0) * k / n;
        pts.append(centre + QVector2D(ra * std::cos(a), rb * std::sin(a)));
        normals.append(QVector2D(rb * std::cos(a), ra * std::sin(a)).normalized());
        soft.append(true);
    }
}

} // namespace

RoomBuilder::RoomBuilder()
{
    m_mesh.beginPiece(QStringLiteral("shell"));
    addFloorAndCeiling();
    addWalls();
    addWindowReveals();
    addSkirting();
    addCornice();
    addCeilingBand();
    for (float z : {-0.4f, 0.4f}) {
        m_mesh.beginPiece(QStringLiteral("plinth"));
        addPlinth(z);
    }
    for (float z : {-0.4f, 0.4f}) {
        m_mesh.beginPiece(QStringLiteral("post"));
        addPost(z);
    }
    m_mesh.beginPiece(QStringLiteral("lintel"));
    addLintel();
    m_mesh.beginPiece(QStringLiteral("panel"));
    addPanel();
    for (float z : {-1.4f, 0.0f, 1.4f}) {
        m_mesh.beginPiece(QStringLiteral("wall frame"));
        addWallFrame(-2.0f, z);
    }
    for (float z : {-1.4f, 1.4f}) {
        m_mesh.beginPiece(QStringLiteral("wall frame"));
        addWallFrame(2.0f, z);
    }
    for (float z : {-2.0f, 2.0f}) {
        m_mesh.beginPiece(QStringLiteral("board frame"));
        addBoardFrame(z);
    }
    m_lampPiece = m_mesh.beginPiece(QStringLiteral("lamp"));
    addLamp();
}

QRectF RoomBuilder::floorTexels()
{
    const double s = 1024.0;
    return QRectF(QPointF(0.497828 * s, 0.75183 * s), QPointF(0.745499 * s, 0.9995 * s));
}

void RoomBuilder::addFloorAndCeiling()
{
    // The floor's first corner comes first in the array.
    m_floorChart = m_mesh.beginChart();
    const QVector3D f[4] = {{-1.999999f, 0, -2}, {-2, 0, 2}, {2, 0, 2}, {2, 0, -2}};
    const QVector3D n[4] = {up, up, up, up};
    const QVector2D c[4] = {{f[0].x(), f[0].z()}, {f[1].x(), f[1].z()}, {f[2].x(), f[2].z()}, {f[3].x(), f[3].z()}};
    m_mesh.addQuad(f, n, c);

    addPlanarQuad(m_mesh, {-2, ceilingY, -2}, {2, ceilingY, -2}, {2, ceilingY, 2}, {-2, ceilingY, 2}, -up);
}

void RoomBuilder::addWalls()
{
    // Every wall is a grid on the same heights, so the walls meet without T-junctions;
    // the openings are left out cell by cell.
    const QVector<float> heights = {0.0f, 0.4f, 0.6f, 1.7f, 1.9f, 2.52f, ceilingY};
    struct Wall
    {
        QVector3D origin, along, normal;
        QVector<float> cuts;
        float holeFrom, holeTo, holeBottom, holeTop;
    };
    const Wall walls[4] = {
        {{0, 0, -2}, {1, 0, 0}, {0, 0, 1}, {-2, -1.8f, 1.8f, 2}, 0, 0, 0, 0},
        {{-2, 0, 0}, {0, 0, 1}, {1, 0, 0}, {-2, -1.849f, -0.951f, -0.449f, 0.449f, 0.951f, 1.849f, 2}, 0, 0, 0, 0},
        {{0, 0, 2}, {1, 0, 0}, {0, 0, -1}, {-2, -1.8f, windowLeft, windowRight, 1.8f, 2}, windowLeft,
         windowRight, windowBottom, windowTop},
        {{2, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {-2, -0.951f, -0.4f, 0.4f, 0.951f, 2}, -0.4f, 0.4f, 0.0f, 1.7f},
    };
    for (const Wall &w : walls) {
        QVector<QVector3D> pts;
        QVector<int> tris;
        const int nx = w.cuts.size();
        for (float y : heights)
            for (float s : w.cuts)
                pts.append(w.origin + s * w.along + QVector3D(0, y, 0));
        for (int j = 0; j + 1 < heights.size(); ++j) {
            for (int i = 0; i + 1 < nx; ++i) {
                const float sm = 0.5f * (w.cuts[i] + w.cuts[i + 1]);
                const float ym = 0.5f * (heights[j] + heights[j + 1]);
                if (sm > w.holeFrom && sm < w.holeTo && ym > w.holeBottom && ym < w.holeTop)
                    continue;
                const int a = j * nx + i, b = a + 1, c = a + nx + 1, d = a + nx;
                tris << a << b << c << a << c << d;
            }
        }
        addPlanar(m_mesh, pts, tris, w.normal, w.along, up);
    }
}

void RoomBuilder::addWindowReveals()
{
    const float zi = 2.0f, zo = windowOuterZ;
    // Sill and head are fanned from the middle of their outer edge; the sill's outer edge is
    // rounded over (its normals lean outward), the head is flat.
    for (int head = 0; head < 2; ++head) {
        const float y = head ? windowTop : windowBottom;
        const QVector3D inL(windowLeft, y, zi), inR(windowRight, y, zi);
        const QVector3D outL(windowLeft, y, zo), outM(0, y, zo), outR(windowRight, y, zo);
        const QVector3D n = head ? -up : up;
        const QVector3D nOut = head ? n : QVector3D(0, 0.96f, 0.28f).normalized();
        m_mesh.beginChart();
        const QVector3D tri[3][3] = {{inL, inR, outM}, {inR, outR, outM}, {inL, outM, outL}};
        for (const auto &t : tri) {
            QVector3D nn[3];
            QVector2D c[3];
            for (int k = 0; k < 3; ++k) {
                nn[k] = t[k].z() > zi ? nOut : n;
                c[k] = QVector2D(t[k].x(), t[k].z());
            }
            m_mesh.addTriangle(t, nn, c);
        }
    }
    // Jambs, split where the wall grid has its line at y 1.7.
    for (int side = 0; side < 2; ++side) {
        const float x = side ? windowRight : windowLeft;
        const QVector3D n(side ? -1.0f : 1.0f, 0, 0);
        QVector<QVector3D> pts;
        for (float y : {windowBottom, 1.7f, windowTop})
            for (float z : {zi, zo})
                pts.append(QVector3D(x, y, z));
        addPlanar(m_mesh, pts, {0, 1, 3, 0, 3, 2, 2, 3, 5, 2, 5, 4}, n, {0, 0, 1}, up);
    }
}

void RoomBuilder::addSkirting()
{
    // Face 0.073 from the wall, bevelled out to 0.086 along its top and bottom lips; it stops
    // behind the doorway's plinths.
    ProfileSweep::Path path;
    path.planeNormal = up;
    path.points = {{2, 0, -0.45f}, {2, 0, -2}, {-2, 0, -2}, {-2, 0, 2}, {2, 0, 2}, {2, 0, 0.45f}};
    const auto prof = profile({{0, 0}, {0.086f, 0}, {0.086f, 0.02f}, {0.073f, 0.033f}, {0.073f, 0.367f},
                               {0.086f, 0.38f}, {0.086f, 0.4f}, {0, 0.4f}},
                              {false, false, true, false, true, false, false});
    ProfileSweep::sweep(m_mesh, path, prof, 10.0f);
}

void RoomBuilder::addCornice()
{
    // Closed moulding: back on the wall, a small fillet, a cove up to the ceiling band's edge,
    // and its top in the ceiling plane.
    ProfileSweep::Path path;
    path.planeNormal = up;
    path.closed = true;
    path.points = {{2, 0, -2}, {-2, 0, -2}, {-2, 0, 2}, {2, 0, 2}};
    QVector<QVector2D> pts = {{0, ceilingTopY}, {0, 2.52f}, {0.006f, 2.52f}};
    QVector<QVector2D> normals = {{}, {}, {}};
    QVector<bool> soft = {false, false};
    appendArc(pts, normals, soft, {0.08f, 2.52f}, -0.074f, 0.06f, 0.0f, float(M_PI) / 2, 12);
    pts << QVector2D(0.08f, ceilingTopY) << QVector2D(0, ceilingTopY);
    normals << QVector2D() << QVector2D();
    soft << false << false;
    ProfileSweep::sweep(m_mesh, path, profile(pts, soft, normals), 10.0f);
}

void RoomBuilder::addCeilingBand()
{
    // A flat band 0.02 below the ceiling from the cornice's edge (0.08 from the walls) in to a
    // rectangle of half-width 1.8 with radiused corners, and a chamfer up to the ceiling.
    const float y = 2.58f, half = 1.8f, outer = 1.92f, radius = 0.3f;
    const int segments = 8;
    ProfileSweep::Path inner = roundedRect(QVector3D(0, 0, 0), {1, 0, 0}, {0, 0, 1}, up, half, half,
                                           radius, segments);
    // Inner normals must face the room's middle: the chamfer rises inward.
    for (QVector3D &n : inner.normals)
        n = -n;
    std::reverse(inner.points.begin(), inner.points.end());
    std::reverse(inner.normals.begin(), inner.normals.end());

    const int perCorner = segments + 1;
    for (int c = 0; c < 4; ++c) {
        QVector<QVector3D> pts;
        const QVector3D first = inner.points[c * perCorner];
        const QVector3D corner(first.x() > 0 ? outer : -outer, y, first.z() > 0 ? outer : -outer);
        pts.append(corner);
        for (int k = 0; k < perCorner; ++k)
            pts.append(inner.points[c * perCorner + k] + QVector3D(0, y, 0));
        const QVector3D next = inner.points[((c + 1) % 4) * perCorner];
        const QVector3D nextCorner(next.x() > 0 ? outer : -outer, y, next.z() > 0 ? outer : -outer);
        pts.append(pts[perCorner]);
        pts.append(next + QVector3D(0, y, 0));
        pts.append(nextCorner);
        QVector<int> tris;
        for (int k = 1; k < perCorner; ++k)
            tris << 0 << k << k + 1;
        const int a = perCorner + 1;
        tris << 0 << a << a + 1 << 0 << a + 1 << a + 2;
        addPlanar(m_mesh, pts, tris, -up, {1, 0, 0}, {0, 0, 1});
    }
    ProfileSweep::sweep(m_mesh, inner, profile({{0, y}, {0.02f, ceilingY}}, {false}), chartLength);
}

void RoomBuilder::addPlinth(float zc)
{
    const float x0 = 1.834f, x1 = 2.0f, z0 = zc - 0.083f, z1 = zc + 0.083f;
    ProfileSweep::Path path;
    path.planeNormal = up;
    path.points = {{x1, 0, z1}, {x0, 0, z1}, {x0, 0, z0}, {x1, 0, z0}};
    // Bevelled base and waist, rounded top edge.
    QVector<QVector2D> pts = {{0, 0}, {0, 0.03f}, {-0.012f, 0.042f}, {-0.012f, 0.32f}, {0, 0.332f}, {0, 0.37f}};
    QVector<QVector2D> normals(pts.size());
    QVector<bool> soft = {false, true, false, true, false};
    appendArc(pts, normals, soft, {-0.03f, 0.37f}, 0.03f, 0.03f, 0.0f, float(M_PI) / 2, 5);
    ProfileSweep::sweep(m_mesh, path, profile(pts, soft, normals), chartLength);

    const QVector<QVector3D> top = ProfileSweep::offsetCurve(path, pts.last());
    addPlanar(m_mesh, top, {0, 1, 2, 0, 2, 3}, up, {1, 0, 0}, {0, 0, 1});
    addPlanar(m_mesh, path.points, {0, 1, 2, 0, 2, 3}, -up, {1, 0, 0}, {0, 0, 1});
}

void RoomBuilder::addPost(float zc)
{
    const int sides = 10;
    const float radius = 0.06f, xc = 1.917f, y0 = 0.4f, y1 = 1.6f;
    QVector<QVector3D> ring;
    for (int i = 0; i < sides; ++i) {
        const float a = 2.0f * float(M_PI) * (i + 0.5f) / sides;
        ring.append(QVector3D(xc + radius * std::cos(a), 0, zc + radius * std::sin(a)));
    }
    m_mesh.beginChart();
    float x = 0;
    for (int i = 0; i < sides; ++i) {
        const QVector3D a = ring[i], b = ring[(i + 1) % sides];
        const QVector3D mid = 0.5f * (a + b) - QVector3D(xc, 0, zc);
        const QVector3D n = mid.normalized();
        const float w = (b - a).length();
        const QVector3D p[4] = {a + QVector3D(0, y0, 0), b + QVector3D(0, y0, 0), b + QVector3D(0, y1, 0),
                                a + QVector3D(0, y1, 0)};
        const QVector3D nn[4] = {n, n, n, n};
        const QVector2D c[4] = {{x, y0}, {x + w, y0}, {x + w, y1}, {x, y1}};
        m_mesh.addQuad(p, nn, c);
        x += w;
    }
    QVector<QVector3D> cap;
    QVector<int> tris;
    for (int i = 0; i < sides; ++i)
        cap.append(ring[i] + QVector3D(0, y0, 0));
    for (int i = 1; i + 1 < sides; ++i)
        tris << 0 << i << i + 1;
    addPlanar(m_mesh, cap, tris, -up, {1, 0, 0}, {0, 0, 1});
}

void RoomBuilder::addLintel()
{
    // Profile across the doorway head, measured from its back (x 2.063692) towards the room:
    // rebated soffit, two fasciae, a cove and a stepped top edge.
    const float back = 2.063692f;
    QVector<QVector2D> pts = {{0, 1.6f},          {0.04f, 1.6f},     {0.04f, 1.59f},   {0.186f, 1.59f},
                              {0.19f, 1.594f},    {0.19f, 1.625f},   {0.194f, 1.629f}, {0.194f, 1.66f},
                              {0.198f, 1.664f},   {0.198f, 1.676f}};
    QVector<QVector2D> normals(pts.size());
    QVector<bool> soft(pts.size() - 1, false);
    appendArc(pts, normals, soft, {0.222f, 1.676f}, -0.024f, 0.069f, 0.0f, float(M_PI) / 2, 9);
    pts << QVector2D(0.222f, 1.752f) << QVector2D(0.226f, 1.756f) << QVector2D(0.226f, 1.7597f)
        << QVector2D(0.229692f, 1.7634f) << QVector2D(0.229692f, 1.776f) << QVector2D(0, 1.776f);
    normals.resize(pts.size());
    soft.resize(pts.size() - 1);
    const QVector<QVector2D> polygon = pts;
    pts.append(pts.first());
    normals.append(QVector2D());
    soft.append(false);

    ProfileSweep::Path path;
    path.planeNormal = up;
    path.points = {{back, 0, 0.483f}, {back, 0, -0.483f}};
    ProfileSweep::sweep(m_mesh, path, profile(pts, soft, normals), chartLength);

    const QVector<int> tris = earClip(polygon);
    for (int end = 0; end < 2; ++end) {
        QVector<QVector3D> cap;
        for (const QVector2D &q : polygon)
            cap.append(QVector3D(back - q.x(), q.y(), end ? -0.483f : 0.483f));
        addPlanar(m_mesh, cap, tris, QVector3D(0, 0, end ? -1.0f : 1.0f), {1, 0, 0}, up);
    }
}

void RoomBuilder::addPanel()
{
    // A board 0.02 thick on the wall above the lintel with a frame 0.02 proud of it.
    const float xb = 2.0f, xf = 1.98f, y0 = 1.77f, y1 = 2.3f, z0 = -0.449f, z1 = 0.449f;
    const QVector3D ex(1, 0, 0), ez(0, 0, 1);
    addPlanarQuad(m_mesh, {xf, y0, z0}, {xf, y0, z1}, {xf, y1, z1}, {xf, y1, z0}, -ex);
    addPlanarQuad(m_mesh, {xb, y1, z0}, {xb, y1, z1}, {xf, y1, z1}, {xf, y1, z0}, up);
    addPlanarQuad(m_mesh, {xb, y0, z0}, {xb, y0, z1}, {xf, y0, z1}, {xf, y0, z0}, -up);
    addPlanarQuad(m_mesh, {xb, y0, z1}, {xb, y1, z1}, {xf, y1, z1}, {xf, y0, z1}, ez);
    addPlanarQuad(m_mesh, {xb, y0, z0}, {xb, y1, z0}, {xf, y1, z0}, {xf, y0, z0}, -ez);
    addPlanarQuad(m_mesh, {xb, y0, z0}, {xb, y0, z1}, {xb, y1, z1}, {xb, y1, z0}, ex);

    ProfileSweep::Path path;
    path.planeNormal = -ex;
    path.closed = true;
    path.points = {{xf, y0, z0}, {xf, y0, z1}, {xf, y1, z1}, {xf, y1, z0}};
    orientOutward(path);
    ProfileSweep::sweep(m_mesh, path, profile({{0, 0}, {0, 0.02f}, {-0.06f, 0.02f}, {-0.06f, 0}}, {false, false, false}),
                        chartLength);
}

void RoomBuilder::addWallFrame(float wallX, float zc)
{
    // Stepped moulding 0.04 deep and 0.06 wide; the long sides are split at half height.
    const float y0 = 0.479f, y1 = 2.3f, ym = 0.5f * (y0 + y1), z0 = zc - 0.449f, z1 = zc + 0.449f;
    ProfileSweep::Path path;
    path.planeNormal = QVector3D(wallX < 0 ? 1.0f : -1.0f, 0, 0);
    path.closed = true;
    path.points = {{wallX, y0, z0}, {wallX, y0, z1}, {wallX, ym, z1}, {wallX, y1, z1}, {wallX, y1, z0}, {wallX, ym, z0}};
    orientOutward(path);
    ProfileSweep::sweep(m_mesh, path,
                        profile({{0, 0}, {0, 0.04f}, {-0.025f, 0.04f}, {-0.025f, 0.03f}, {-0.06f, 0.03f}, {-0.06f, 0}},
                                {false, false, false, false, false}),
                        chartLength);
}

void RoomBuilder::addBoardFrame(float wallZ)
{
    // Thin bevelled frame with radiused corners; its back lies in the wall plane (a hair behind
    // it on the wall z = -2).
    const float plane = wallZ < 0 ? -2.000001f : 2.0f;
    const QVector3D normal(0, 0, wallZ < 0 ? 1.0f : -1.0f);
    const ProfileSweep::Path path = roundedRect(QVector3D(0, 1.4f, plane), {1, 0, 0}, up, normal, 1.8f, 0.9f, 0.12f, 3);
    ProfileSweep::sweep(m_mesh, path,
                        profile({{0, 0}, {0, 0.02f}, {-0.013f, 0.033f}, {-0.047f, 0.033f}, {-0.06f, 0.02f}, {-0.06f, 0}, {0, 0}},
                                {false, true, false, true, false, false}),
                        chartLength);
}

void RoomBuilder::addLamp()
{
    const int sectors = lampSectors, rings = 7;
    const float depth = lampRimY - lampTipY;
    auto point = [&](int ring, int sector) {
        const float r = lampRadius * ring / rings;
        const float a = 2.0f * float(M_PI) * sector / sectors;
        return QVector3D(r * std::cos(a), lampTipY + depth * (r / lampRadius) * (r / lampRadius), r * std::sin(a));
    };
    auto normal = [&](int ring, int sector) {
        const float r = lampRadius * ring / rings;
        const float slope = 2.0f * depth * r / (lampRadius * lampRadius);
        const float a = 2.0f * float(M_PI) * sector / sectors;
        return QVector3D(slope * std::cos(a), -1.0f, slope * std::sin(a)).normalized();
    };
    auto chart = [](const QVector3D &p) { return 2.0f * QVector2D(p.x(), p.z()); };
    m_mesh.beginChart();
    for (int s = 0; s < sectors; ++s) {
        const QVector3D p[3] = {point(0, 0), point(1, s), point(1, s + 1)};
        const QVector3D n[3] = {normal(0, 0), normal(1, s), normal(1, s + 1)};
        const QVector2D c[3] = {chart(p[0]), chart(p[1]), chart(p[2])};
        m_mesh.addTriangle(p, n, c);
    }
    for (int ring = 1; ring < rings; ++ring) {
        for (int s = 0; s < sectors; ++s) {
            const QVector3D p[4] = {point(ring, s), point(ring, s + 1), point(ring + 1, s + 1), point(ring + 1, s)};
            const QVector3D n[4] = {normal(ring, s), normal(ring, s + 1), normal(ring + 1, s + 1), normal(ring + 1, s)};
            const QVector2D c[4] = {chart(p[0]), chart(p[1]), chart(p[2]), chart(p[3])};
            m_mesh.addQuad(p, n, c);
        }
    }
}
