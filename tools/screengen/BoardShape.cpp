#include "tools/screengen/BoardShape.h"

#include "tools/screengen/ScreenMeshBuilder.h"

#include <QVector>

namespace {

constexpr double kCentre = -0.0079;
constexpr double kBack = -1.5607;
constexpr double kFront = -1.5061;
constexpr double kRaised = -1.4975;

double mirrorX(double x) { return ScreenMeshBuilder::round4(2 * kCentre - x); }

struct XY { double x, y; };

// Right half of the three outlines: bottom middle, bottom cut (2), top cut (2), top middle.
const XY outer[6] = {{kCentre, 0.4165}, {1.7574, 0.4165}, {1.8555, 0.5146}, {1.8555, 2.0488}, {1.777, 2.1273}, {kCentre, 2.1273}};
const XY inset1[6] = {{kCentre, 0.4512}, {1.743, 0.4512}, {1.8208, 0.529}, {1.8208, 2.0344}, {1.7626, 2.0926}, {kCentre, 2.0926}};
const XY inset2[6] = {{kCentre, 0.4758}, {1.7328, 0.4758}, {1.7962, 0.5392}, {1.7962, 2.0242}, {1.7524, 2.0679}, {kCentre, 2.0679}};

} // namespace

void buildScreenBoard(ScreenMeshBuilder &b)
{
    b.beginPiece(0);
    auto P = [&b](const XY &p, double z) { return b.position(p.x, p.y, z); };

    const int iBottom = b.addIsland(islandSpec("board bottom edge", layoutAxis('z', -1), 0.7067, 0.7142, layoutAxis('x', -1), 0.4876, 0.9995, 0));
    const int iSideR = b.addIsland(islandSpec("board right side", layoutAxis('z', 1), 0.4383, 0.4458, layoutAxis('y', 1), 0.7174, 0.9281, 0));
    const int iTop = b.addIsland(islandSpec("board top edge", layoutAxis('z', -1), 0.6981, 0.7056, layoutAxis('x', 1), 0.4876, 0.9995, 4));
    const int iBand = b.addIsland(islandSpec("board front band", layoutAxis('y', -1), 0.2362, 0.4712, layoutAxis('x', -1), 0.4876, 0.9995, 56, 1));
    const int iBorder = b.addIsland(islandSpec("board raised border top", layoutAxis('y', -1), 0.4719, 0.6974, layoutAxis('x', -1), 0.4971, 0.9995, 60, 1));
    const int iOuterBottom = b.addIsland(islandSpec("border outer wall bottom", layoutAxis('z', -1), 0.7153, 0.7164, layoutAxis('x', -1), 0.4971, 0.9995, 0));
    const int iOuterR = b.addIsland(islandSpec("border outer wall right", layoutAxis('z', 1), 0.6871, 0.6883, layoutAxis('y', 1), 0.7418, 0.9565, 0));
    const int iOuterTop = b.addIsland(islandSpec("border outer wall top", layoutAxis('z', -1), 0.2362, 0.2374, layoutAxis('x', 1), 0.0005, 0.4869, 0));
    const int iInnerTopR = b.addIsland(islandSpec("border inner wall right top", layoutAxis('z', -1), 0.6571, 0.6583, layoutAxis('x', -1), 0.7087, 0.9565, 25));
    const int iInnerR = b.addIsland(islandSpec("border inner wall right", layoutAxis('z', -1), 0.6981, 0.6993, layoutAxis('y', 1), 0.2825, 0.4865, 24));
    const int iInnerBottom = b.addIsland(islandSpec("border inner wall bottom", layoutAxis('z', -1), 0.6913, 0.6925, layoutAxis('x', 1), 0.0008, 0.4964, 19));
    const int iSurface = b.addIsland(islandSpec("projection surface", layoutAxis('y', -1), 0.4719, 0.6906, layoutAxis('x', -1), 0.0008, 0.4964, 67, 2));
    const int iBack = b.addIsland(islandSpec("board back face", layoutAxis('y', -1), 0.0005, 0.2355, layoutAxis('x', 1), 0.4876, 0.9995, 0));
    const int iSideL = b.addIsland(islandSpec("board left side", layoutAxis('z', -1), 0.0005, 0.008, layoutAxis('y', 1), 0.2762, 0.4869, 0));
    const int iOuterL = b.addIsland(islandSpec("border outer wall left", layoutAxis('z', -1), 0.6856, 0.6868, layoutAxis('y', 1), 0.7418, 0.9565, 0));
    const int iInnerTopL = b.addIsland(islandSpec("border inner wall left top", layoutAxis('z', -1), 0.6556, 0.6568, layoutAxis('x', -1), 0.7087, 0.9565, 21));
    const int iInnerL = b.addIsland(islandSpec("border inner wall left", layoutAxis('z', 1), 0.7067, 0.7079, layoutAxis('y', 1), 0.2825, 0.4865, 51));

    const Vec3 px(1, 0, 0), ny(0, -1, 0), py(0, 1, 0), pz(0, 0, 1), nz(0, 0, -1);
    const Vec3 cutLo(0.7071, -0.7071, 0), cutHi(0.7071, 0.7071, 0);

    // Each right-half triangle remembers the island its left partner uses.
    QVector<int> partnerIsland;
    auto tri = [&](int a, int c1, int c2, int isl, const Vec3 &n, int leftIsl) {
        b.flat(a, c1, c2, isl, n);
        partnerIsland.append(leftIsl);
    };
    auto quad = [&](int p0, int p1, int p2, int p3, int isl, const Vec3 &n, int leftIsl) {
        tri(p0, p1, p2, isl, n, leftIsl);
        tri(p2, p3, p0, isl, n, leftIsl);
    };
    // A wall quad between two outline points at two depths, corners counter-clockwise from outside.
    auto wall = [&](const XY &a, const XY &c, double z0, double z1, int isl, const Vec3 &n, int leftIsl) {
        quad(P(a, z0), P(c, z0), P(c, z1), P(a, z1), isl, n, leftIsl);
    };
    auto ring = [&](const XY *o, double zo, const XY *in, double zi, int k, int isl) {
        quad(P(o[k], zo), P(o[k + 1], zo), P(in[k + 1], zi), P(in[k], zi), isl, pz, isl);
    };
    const int first = b.triangleCount();

    // 0: bottom edge face, diagonal from the back middle point to the front corner point.
    tri(P(outer[1], kBack), P(outer[1], kFront), P(outer[0], kBack), iBottom, ny, iBottom);
    wall(outer[1], outer[2], kBack, kFront, iBottom, cutLo, iBottom);          // 1-2
    wall(outer[2], outer[3], kBack, kFront, iSideR, px, iSideL);               // 3-4
    wall(outer[3], outer[4], kBack, kFront, iTop, cutHi, iTop);                // 5-6
    for (int k = 1; k <= 4; ++k)                                               // 7-14
        ring(outer, kFront, inset1, kFront, k, iBand);
    for (int k = 1; k <= 4; ++k)                                               // 15-22
        ring(inset1, kRaised, inset2, kRaised, k, iBorder);
    wall(inset1[1], inset1[2], kFront, kRaised, iOuterBottom, cutLo, iOuterBottom); // 23-30
    wall(inset1[2], inset1[3], kFront, kRaised, iOuterR, px, iOuterL);
    wall(inset1[3], inset1[4], kFront, kRaised, iOuterR, cutHi, iOuterL);
    wall(inset1[4], inset1[5], kFront, kRaised, iOuterTop, py, iOuterTop);
    wall(inset2[4], inset2[3], kFront, kRaised, iInnerTopR, Vec3(-0.7071, -0.7071, 0), iInnerTopL); // 31-38
    wall(inset2[3], inset2[2], kFront, kRaised, iInnerR, Vec3(-1, 0, 0), iInnerL);
    wall(inset2[2], inset2[1], kFront, kRaised, iInnerBottom, Vec3(-0.7071, 0.7071, 0), iInnerBottom);
    wall(inset2[1], inset2[0], kFront, kRaised, iInnerBottom, py, iInnerBottom);
    // 39: the bottom edge face's second triangle.
    tri(P(outer[1], kFront), P(outer[0], kFront), P(outer[0], kBack), iBottom, ny, iBottom);

    // 40-43: the projection surface, a shallow tent rising to the middle of its top edge.
    const int s1 = P(inset2[1], kFront), s2 = P(inset2[2], kFront), s3 = P(inset2[3], kFront);
    const int s4 = P(inset2[4], kFront), s5 = P(inset2[5], kRaised), s6 = P(inset2[0], kFront);
    QMap<int, Vec3> surfaceNormal;
    surfaceNormal[s6] = Vec3(0, -0.017, 0.9999);
    surfaceNormal[s5] = Vec3(0, -0.0056, 1);
    surfaceNormal[s1] = Vec3(0.0066, -0.0079, 0.9999);
    surfaceNormal[s2] = Vec3(0, 0, 1);
    surfaceNormal[s3] = Vec3(0.0267, 0.0079, 0.9996);
    surfaceNormal[s4] = Vec3(0.0284, 0.0284, 0.9992);
    auto surface = [&](int a, int c1, int c2) {
        b.stored(a, c1, c2, iSurface, surfaceNormal[a], surfaceNormal[c1], surfaceNormal[c2], pz);
        partnerIsland.append(iSurface);
    };
    surface(s1, s2, s3);
    surface(s3, s4, s5);
    surface(s1, s3, s5);
    surface(s6, s1, s5);

    const int topMiddle = P(outer[5], kFront);
    tri(topMiddle, P(outer[4], kFront), P(outer[4], kBack), iTop, py, iTop);   // 44
    const int r1 = P(outer[4], kBack), r2 = P(outer[3], kBack), r3 = P(outer[2], kBack);
    const int r4 = P(outer[1], kBack), m = P(outer[0], kBack);
    tri(r1, r2, r3, iBack, nz, iBack);                                          // 45-47
    tri(r3, r4, m, iBack, nz, iBack);
    tri(r1, r3, m, iBack, nz, iBack);
    ring(outer, kFront, inset1, kFront, 0, iBand);                             // 48-49
    ring(inset1, kRaised, inset2, kRaised, 0, iBorder);                        // 50-51
    wall(inset1[0], inset1[1], kFront, kRaised, iOuterBottom, ny, iOuterBottom); // 52-53
    tri(P(inset2[4], kFront), P(inset2[4], kRaised), s5, iInnerTopR, ny, iInnerTopL); // 54

    // Left half: mirror partners in reverse cyclic order; the two triangles of a quad
    // listed together change places; the top edge and back face cross the centre line.
    auto mirrored = [&](int rightIndex) {
        const Triangle t = b.triangle(first + rightIndex);
        int q[3];
        Vec3 n[3];
        for (int i = 0; i < 3; ++i) {
            const Corner &c = t.c[2 - i];
            const Vec3 &p = b.positionAt(c.pos);
            q[i] = b.position(mirrorX(p.x), p.y, p.z);
            n[i] = Vec3(-c.normal.x, c.normal.y, c.normal.z);
        }
        const int isl = partnerIsland[rightIndex];
        if (t.island == iSurface)
            b.stored(q[0], q[1], q[2], isl, n[0], n[1], n[2], pz);
        else
            b.flat(q[0], q[1], q[2], isl, n[0]);
    };
    auto L = [&](const XY &p, double z) { return b.position(mirrorX(p.x), p.y, z); };
    const int order[] = {0, 2, 1, 4, 3, 6, 5,
                         8, 7, 10, 9, 12, 11, 14, 13,
                         16, 15, 18, 17, 20, 19, 22, 21,
                         24, 23, 26, 25, 28, 27, 30, 29,
                         32, 31, 34, 33, 36, 35, 38, 37,
                         39, 41, 40, 42, 43};
    for (int k : order)
        mirrored(k);
    // 99-100: the rest of the top edge face's fan.
    b.flat(topMiddle, r1, L(outer[4], kBack), iTop, py);
    b.flat(topMiddle, L(outer[4], kBack), L(outer[4], kFront), iTop, py);
    // 101-104: the back face.
    const int l1 = L(outer[4], kBack), l2 = L(outer[3], kBack), l3 = L(outer[2], kBack), l4 = L(outer[1], kBack);
    b.flat(m, l4, l3, iBack, nz);
    b.flat(l3, l2, l1, iBack, nz);
    b.flat(m, l3, l1, iBack, nz);
    b.flat(r1, m, l1, iBack, nz);
    for (int k : {49, 48, 51, 50, 53, 52, 54})
        mirrored(k);
}
