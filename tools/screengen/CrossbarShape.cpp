#include "tools/screengen/CrossbarShape.h"

#include "tools/screengen/ScreenMeshBuilder.h"

#include <QVector>

#include <cmath>
#include <functional>

namespace {

constexpr double kBack = -1.5568;
constexpr double kMid = -1.5334;
constexpr double kFront = -1.51;

struct OutlinePoint
{
    double x = 0, y = 0;
    bool mid = false; // carries a vertex on the mid-line
};

// P1 to P25, the right end; P26 to P47 and P0 mirror P25 to P3 (Pk pairs with P(51 - k) mod 48).
struct RightPoint { double x, y; bool midRight, midLeft; double xLeft; };
const RightPoint rightEnd[25] = {
    {1.4876, 0.2346, false, false, 0}, {1.4937, 0.2327, true, false, 0},
    {1.4983, 0.2292, true, false, -1.5141}, {1.5013, 0.2238, true, false, -1.517},
    {1.5033, 0.2079, false, false, -1.5191}, {1.5063, 0.2025, true, true, -1.5221},
    {1.5109, 0.199, true, true, -1.5267}, {1.517, 0.1971, false, false, -1.5328},
    {1.5243, 0.1963, false, false, -1.5401}, {1.6507, 0.199, false, false, -1.6664},
    {1.6553, 0.2025, true, true, -1.6711}, {1.6553, 0.3273, true, true, -1.6711},
    {1.6507, 0.3308, true, true, -1.6664}, {1.6446, 0.3327, true, true, -1.6603},
    {1.62, 0.3336, false, false, -1.6358}, {1.62, 0.4121, false, false, -1.6358},
    {1.5415, 0.4121, false, false, -1.5573}, {1.5415, 0.3336, false, false, -1.5573},
    {1.517, 0.3327, false, false, -1.5328}, {1.5109, 0.3308, true, true, -1.5267},
    {1.5063, 0.3273, true, true, -1.5221}, {1.5033, 0.3219, true, true, -1.5191},
    {1.5023, 0.314, false, false, -1.5181}, {1.5013, 0.3061, true, true, -1.517},
    {1.4983, 0.3006, true, true, -1.5141}};

QVector<OutlinePoint> outline()
{
    QVector<OutlinePoint> p(48);
    for (int k = 1; k <= 25; ++k) {
        const RightPoint &r = rightEnd[k - 1];
        p[k] = {r.x, r.y, r.midRight};
        if (k >= 3)
            p[(51 - k) % 48] = {r.xLeft, r.y, r.midLeft};
    }
    return p;
}

enum Part { TopOuter, OuterSide, Bottom, LowerInner, Fillet, UpperInner, TopInner, TabInner, PartCount };
// Triangles of each part in passes 1 to 4, right end then left end.
const int passSplit[2][PartCount][4] = {
    {{5, 0, 5, 1}, {2, 0, 2, 0}, {2, 5, 2, 5}, {2, 2, 3, 3}, {2, 2, 1, 2}, {3, 4, 3, 4}, {2, 2, 2, 3}, {0, 0, 1, 1}},
    {{5, 0, 5, 1}, {2, 0, 2, 0}, {2, 5, 2, 5}, {0, 1, 3, 3}, {0, 0, 0, 0}, {3, 4, 3, 4}, {1, 2, 3, 3}, {0, 0, 1, 1}}};

enum Depth { B = 0, M = 1, F = 2 };

struct RimTri
{
    int p[3][2]; // (outline point, depth) per corner
    int kind() const // 1 back edge only, 2 both edges, 3 front edge only
    {
        bool back = false, front = false;
        for (const auto &c : p) {
            back |= c[1] == B;
            front |= c[1] == F;
        }
        return back && front ? 2 : back ? 1 : 3;
    }
};

RimTri rimTri(int a0, int d0, int a1, int d1, int a2, int d2)
{
    RimTri r;
    r.p[0][0] = a0; r.p[0][1] = d0;
    r.p[1][0] = a1; r.p[1][1] = d1;
    r.p[2][0] = a2; r.p[2][1] = d2;
    return r;
}

// Number of corners of a rim triangle on the outline point k.
int cornersAt(const RimTri &t, int k)
{
    int n = 0;
    for (const auto &c : t.p)
        n += c[0] == k;
    return n;
}

// Rim triangles of one outline segment traversed from a to c, back ones first.
QVector<RimTri> segment(const QVector<OutlinePoint> &p, int a, int c)
{
    QVector<RimTri> out;
    auto t = [&out](int a0, int d0, int a1, int d1, int a2, int d2) { out.append(rimTri(a0, d0, a1, d1, a2, d2)); };
    if (p[a].mid && p[c].mid) {
        // The two halves mirror each other about the mid-plane.
        t(a, B, c, B, c, M); t(a, B, c, M, a, M);
        t(a, M, c, M, a, F); t(c, M, c, F, a, F);
    } else if (p[a].mid) {
        t(a, B, c, B, a, M); t(a, M, c, B, c, F); t(a, M, c, F, a, F);
    } else if (p[c].mid) {
        t(a, B, c, B, c, M); t(a, B, c, M, a, F); t(a, F, c, M, c, F);
    } else {
        t(a, B, c, B, c, F); t(a, B, c, F, a, F);
    }
    return out;
}

// The bracket bottom from a (P11 or P40) to c (P7 or P44): each half a fan about the mid-line
// vertex at c ending at the one at a, and one triangle from a's mid-line vertex over the last segment.
QVector<RimTri> groove(int a, int c, int step)
{
    QVector<RimTri> out;
    auto t = [&out](int a0, int d0, int a1, int d1, int a2, int d2) { out.append(rimTri(a0, d0, a1, d1, a2, d2)); };
    for (int d : {B, F}) {
        const int next = (a + step + 48) % 48;
        t(a, M, a, d, next, d);
        t(c, M, a, M, next, d);
        for (int k = next; k != c; k = (k + step + 48) % 48)
            t(c, M, k, d, (k + step + 48) % 48, d);
    }
    return out;
}

// The upper inner side's two segments a-b-c fanned from the mid-line vertex at a.
QVector<RimTri> fanned(int a, int b, int c)
{
    QVector<RimTri> out;
    for (int d : {B, F}) {
        out.append(rimTri(a, M, c, M, c, d));
        out.append(rimTri(a, M, c, d, b, d));
        out.append(rimTri(a, M, b, d, a, d));
    }
    return out;
}

} // namespace

void buildCrossbar(ScreenMeshBuilder &b)
{
    b.beginPiece(3);
    const QVector<OutlinePoint> p = outline();
    const double depth[3] = {kBack, kMid, kFront};
    auto pos = [&](int k, int d) { return b.position(p[k].x, p[k].y, depth[d]); };

    // Islands: faces, rim parts of each end, bar top; the lower fillet shares the bar bottom's.
    IslandSpec backSpec = islandSpec("crossbar back face", layoutAxis('y', -1), 0.6287, 0.6583, layoutAxis('x', 1), 0.5225, 0.9794, 1);
    IslandSpec frontSpec = islandSpec("crossbar front face", layoutAxis('y', -1), 0.6587, 0.6883, layoutAxis('x', -1), 0.5225, 0.9794, 59, 5);
    const int iBack = b.addIsland(backSpec);
    const int iFront = b.addIsland(frontSpec);
    const int iBarTop = b.addIsland(islandSpec("crossbar bar top", layoutAxis('z', -1), 0.453, 0.4594, layoutAxis('x', 1), 0.5143, 0.9281, 21));
    const int iBarBottom = b.addIsland(islandSpec("crossbar bar bottom and lower fillet", layoutAxis('z', -1), 0.4462, 0.4526, layoutAxis('x', -1), 0.5143, 0.9281, 1));
    int parts[2][PartCount];
    parts[0][TopOuter] = b.addIsland(islandSpec("crossbar right top outer corner", layoutAxis('z', -1), 0.4245, 0.4309, layoutAxis('x', 1), 0.9486, 0.9534, 11));
    parts[0][OuterSide] = b.addIsland(islandSpec("crossbar right outer side", layoutAxis('y', 1), 0.593, 0.6102, layoutAxis('z', -1), 0.8962, 0.9026, 0));
    parts[0][Bottom] = b.addIsland(islandSpec("crossbar right bottom", layoutAxis('x', -1), 0.5256, 0.5461, layoutAxis('z', 1), 0.9385, 0.945, 0));
    parts[0][LowerInner] = b.addIsland(islandSpec("crossbar right lower inner side", layoutAxis('z', -1), 0.4245, 0.4309, layoutAxis('y', 1), 0.944, 0.9477, 12));
    parts[0][Fillet] = iBarBottom;
    parts[0][UpperInner] = b.addIsland(islandSpec("crossbar right upper inner side", layoutAxis('z', -1), 0.4161, 0.4225, layoutAxis('y', 1), 0.9486, 0.9523, 23));
    parts[0][TopInner] = b.addIsland(islandSpec("crossbar right top inner part", layoutAxis('x', 1), 0.4163, 0.4211, layoutAxis('z', 1), 0.933, 0.9395, 17));
    parts[0][TabInner] = b.addIsland(islandSpec("crossbar right tab inner side", layoutAxis('y', 1), 0.501, 0.5118, layoutAxis('z', 1), 0.9688, 0.9752, 20));
    const int iTabTopR = b.addIsland(islandSpec("crossbar right tab top", layoutAxis('x', 1), 0.3968, 0.4076, layoutAxis('z', 1), 0.9633, 0.9697, 2));
    const int iTabOuterR = b.addIsland(islandSpec("crossbar right tab outer side", layoutAxis('y', 1), 0.4486, 0.4594, layoutAxis('z', -1), 0.9633, 0.9697, 3));
    parts[1][TopOuter] = b.addIsland(islandSpec("crossbar left top outer corner", layoutAxis('x', 1), 0.4351, 0.44, layoutAxis('z', 1), 0.944, 0.9505, 4));
    parts[1][OuterSide] = b.addIsland(islandSpec("crossbar left outer side", layoutAxis('y', 1), 0.5937, 0.6108, layoutAxis('z', 1), 0.9423, 0.9488, 0));
    parts[1][Bottom] = b.addIsland(islandSpec("crossbar left bottom", layoutAxis('x', -1), 0.4215, 0.4419, layoutAxis('z', 1), 0.933, 0.9395, 2));
    parts[1][LowerInner] = b.addIsland(islandSpec("crossbar left lower inner side", layoutAxis('z', 1), 0.4177, 0.4241, layoutAxis('y', 1), 0.944, 0.9477, 36));
    parts[1][Fillet] = iBarBottom;
    parts[1][UpperInner] = b.addIsland(islandSpec("crossbar left upper inner side", layoutAxis('y', 1), 0.3975, 0.4011, layoutAxis('z', -1), 0.9538, 0.9602, 50));
    parts[1][TopInner] = b.addIsland(islandSpec("crossbar left top inner part", layoutAxis('x', 1), 0.4546, 0.4594, layoutAxis('z', 1), 0.9538, 0.9602, 19));
    parts[1][TabInner] = b.addIsland(islandSpec("crossbar left tab inner side", layoutAxis('y', 1), 0.5528, 0.5636, layoutAxis('z', -1), 0.9688, 0.9752, 49));
    const int iTabTopL = b.addIsland(islandSpec("crossbar left tab top", layoutAxis('x', 1), 0.6175, 0.6283, layoutAxis('z', 1), 0.9225, 0.9289, 1));
    const int iTabOuterL = b.addIsland(islandSpec("crossbar left tab outer side", layoutAxis('y', 1), 0.5657, 0.5765, layoutAxis('z', 1), 0.9225, 0.9289, 0));

    // Rim triangles of each part, in pass order (clockwise from the tab's outer foot).
    QVector<RimTri> rim[2][PartCount];
    rim[0][TopOuter] = segment(p, 15, 14) + segment(p, 14, 13) + segment(p, 13, 12);
    rim[0][OuterSide] = segment(p, 12, 11);
    rim[0][Bottom] = groove(11, 7, -1) + segment(p, 7, 6);
    rim[0][LowerInner] = segment(p, 6, 5) + segment(p, 5, 4) + segment(p, 4, 3);
    rim[0][Fillet] = segment(p, 3, 2) + segment(p, 2, 1);
    rim[0][UpperInner] = segment(p, 25, 24) + fanned(24, 23, 22) + segment(p, 22, 21);
    rim[0][TopInner] = segment(p, 21, 20) + segment(p, 20, 19) + segment(p, 19, 18);
    rim[0][TabInner] = segment(p, 18, 17);
    rim[1][TopOuter] = segment(p, 36, 37) + segment(p, 37, 38) + segment(p, 38, 39);
    rim[1][OuterSide] = segment(p, 39, 40);
    rim[1][Bottom] = groove(40, 44, 1) + segment(p, 44, 45);
    rim[1][LowerInner] = segment(p, 45, 46) + segment(p, 46, 47) + segment(p, 47, 0);
    rim[1][UpperInner] = segment(p, 26, 27) + fanned(27, 28, 29) + segment(p, 29, 30);
    rim[1][TopInner] = segment(p, 30, 31) + segment(p, 31, 32) + segment(p, 32, 33);
    rim[1][TabInner] = segment(p, 33, 34);

    // Split each part into its passes: back-edge triangles first, then those on both edges,
    // then front-edge ones.
    QVector<RimTri> pass[2][4][PartCount];
    for (int end = 0; end < 2; ++end)
        for (int part = 0; part < PartCount; ++part) {
            QVector<RimTri> sorted;
            for (int kind = 1; kind <= 3; ++kind)
                for (const RimTri &t : rim[end][part])
                    if (t.kind() == kind)
                        sorted.append(t);
            int at = 0;
            for (int k = 0; k < 4; ++k)
                for (int n = 0; n < passSplit[end][part][k] && at < sorted.size(); ++n)
                    pass[end][k][part].append(sorted[at++]);
        }

    // Smoothing groups: top outer corner; top inner part with upper inner side; bottom,
    // lower inner side and fillet, with the outer side's two triangles that have two corners
    // at its foot. The outer side's other two triangles, the tabs and the bar bottom are flat.
    auto groupOf = [](int end, int part) {
        const int base = 300 + end * 10;
        switch (part) {
        case TopOuter: return base;
        case UpperInner:
        case TopInner: return base + 1;
        case Bottom:
        case LowerInner:
        case Fillet: return base + 2;
        default: return -1;
        }
    };
    const Vec3 outerNormal[2] = {Vec3(1, 0, 0), Vec3(-1, 0, 0)};
    const Vec3 tabInnerNormal[2] = {Vec3(-1, 0, 0), Vec3(1, 0, 0)};
    auto emitRim = [&](int end, const QVector<RimTri> &list, int part) {
        for (const RimTri &t : list) {
            const int a = pos(t.p[0][0], t.p[0][1]), c1 = pos(t.p[1][0], t.p[1][1]), c2 = pos(t.p[2][0], t.p[2][1]);
            const int isl = parts[end][part];
            if (part == OuterSide && cornersAt(t, end == 0 ? 11 : 40) < 2)
                b.flat(a, c1, c2, isl, outerNormal[end]);
            else if (part == OuterSide)
                b.smooth(a, c1, c2, isl, groupOf(end, Bottom), groupOf(end, Bottom), groupOf(end, Bottom));
            else if (part == TabInner)
                b.flat(a, c1, c2, isl, tabInnerNormal[end]);
            else if (part == Fillet && end == 1)
                continue;
            else {
                const int g = groupOf(end, part);
                b.smooth(a, c1, c2, isl, g, g, g);
            }
        }
    };
    // One rim pass; 'barPart' adds the bar's triangle that the pass holds, after the lower
    // fillet or bar bottom.
    auto emitPass = [&](int end, int k, const std::function<void()> &barPart) {
        for (int part = 0; part < PartCount; ++part) {
            if (part == UpperInner && barPart)
                barPart();
            emitRim(end, pass[end][k][part], part);
        }
    };

    // Faces: the right end's 23 triangles, the left end's 21 mirror images, the bar's quad.
    const int rightFace[23][3] = {{15, 16, 17}, {15, 17, 18}, {1, 2, 25}, {2, 3, 25}, {3, 24, 25}, {3, 4, 24},
                                  {12, 13, 14}, {11, 12, 14}, {11, 14, 15}, {11, 15, 18}, {10, 11, 18},
                                  {9, 10, 18}, {9, 18, 19}, {9, 19, 20}, {9, 20, 21}, {9, 21, 22}, {9, 22, 23},
                                  {9, 23, 24}, {9, 24, 4}, {4, 8, 9}, {4, 5, 8}, {5, 7, 8}, {5, 6, 7}};
    auto face = [&](int end, int d, int barInsert, const int bar[3]) {
        const int isl = d == B ? iBack : iFront;
        const Vec3 n(0, 0, d == B ? -1 : 1);
        int count = 0;
        for (const auto &t : rightFace) {
            if (end == 1 && (t[0] <= 2 || t[1] <= 2 || t[2] <= 2))
                continue;
            if (count == barInsert)
                b.flat(pos(bar[0], d), pos(bar[1], d), pos(bar[2], d), isl, n);
            int q[3];
            for (int i = 0; i < 3; ++i)
                q[i] = end == 0 ? t[i] : (51 - t[i]) % 48;
            // The tab's first triangle starts at the tab's top outer corner.
            if (t[0] == 15 && t[1] == 16)
                b.flat(pos(q[1], d), pos(q[2], d), pos(q[0], d), isl, n);
            else
                b.flat(pos(q[0], d), pos(q[1], d), pos(q[2], d), isl, n);
            ++count;
        }
    };
    const int barBack1[3] = {1, 25, 26}, barBack2[3] = {0, 1, 26};
    const int barFront1[3] = {0, 1, 25}, barFront2[3] = {0, 25, 26};
    const int none[3] = {0, 0, 0};

    // Across the plate the rim is straight, so outside the groove its normals lie in the x-y
    // plane (the upper inner side's fan past P28 would otherwise tilt them by a hair).
    for (int end = 0; end < 2; ++end) {
        b.keepInXyPlane(groupOf(end, TopOuter));
        b.keepInXyPlane(groupOf(end, TopInner));
    }
    // Stated smooth normals at the right end, mirrored (x negated) at the left: in the x-y
    // plane across the plate, leaning towards the mid-plane in the groove.
    struct Stated { int point, part; Vec3 n; bool groove; };
    const Stated stated[] = {{15, TopOuter, {0.0368, 0.9993, 0}, false}, {12, TopOuter, {0.5975, 0.8019, 0}, false},
                             {6, Bottom, {-0.7561, -0.6544, 0}, false}, {21, TopInner, {-0.7561, 0.6544, 0}, false},
                             {18, TopInner, {-0.0368, 0.9993, 0}, false}, {10, Bottom, {0.0239, -0.9981, 0.0567}, true}};
    for (const Stated &st : stated)
        for (int end = 0; end < 2; ++end) {
            const int k = end == 0 ? st.point : (51 - st.point) % 48;
            const double sx = end == 0 ? 1 : -1;
            for (int d = B; d <= F; ++d) {
                if (d == M && !p[k].mid)
                    continue;
                const double sz = st.groove ? (d == B ? 1 : -1) : 0;
                b.pinNormal(pos(k, d), groupOf(end, st.part), Vec3(sx * st.n.x, st.n.y, sz * st.n.z));
            }
        }

    // Away from the bar the left end's rim normals mirror the right end's (x negated).
    const int awayFromBar[][3] = {{36, 39, TopOuter}, {40, 45, Bottom}, {30, 33, TopInner}};
    for (const auto &span : awayFromBar)
        for (int k = span[0]; k <= span[1]; ++k)
            for (int d = B; d <= F; ++d)
                if (d != M || p[k].mid)
                    b.mirrorNormalX(pos((51 - k) % 48, d), groupOf(0, span[2]), pos(k, d), groupOf(1, span[2]));

    // Bar top: b25 m25 f25 f26 m26 b26 as (b25 m25 m26) and (m25 f26 m26), smooth, then
    // (b25 m26 b26) and (m25 f25 f26), flat. The smooth pair takes the upper inner sides'
    // corner normals, which are turned towards +y there to stay under 60 degrees from the
    // bar top.
    const double lean = 59.7 * 3.14159265358979323846 / 180.0;
    const Vec3 barRight(-std::sin(lean), std::cos(lean), 0), barLeft(std::sin(lean), std::cos(lean), 0);
    const int barGroup = 399;
    for (int d = B; d <= F; ++d) {
        b.pinNormal(pos(25, d), barGroup, barRight);
        b.pinNormal(pos(26, d), barGroup, barLeft);
        b.pinNormal(pos(25, d), groupOf(0, UpperInner), barRight);
        b.pinNormal(pos(26, d), groupOf(1, UpperInner), barLeft);
    }
    const Vec3 up(0, 1, 0);
    auto barTopSmoothBack = [&]() { b.smooth(pos(25, B), pos(25, M), pos(26, M), iBarTop, barGroup, barGroup, barGroup); };
    auto barTopSmoothFront = [&]() { b.smooth(pos(25, M), pos(26, F), pos(26, M), iBarTop, barGroup, barGroup, barGroup); };
    const Vec3 barBottomNormal(0.0053, -1, 0);
    auto barBottom = [&]() { b.flat(pos(1, B), pos(0, B), pos(0, F), iBarBottom, barBottomNormal); };
    auto barBottom2 = [&]() { b.flat(pos(1, B), pos(0, F), pos(1, F), iBarBottom, barBottomNormal); };
    auto tab = [&](int end, int half) {
        const int top0 = end == 0 ? 16 : 35, top1 = end == 0 ? 17 : 34, side0 = end == 0 ? 15 : 36;
        const int topIsl = end == 0 ? iTabTopR : iTabTopL, sideIsl = end == 0 ? iTabOuterR : iTabOuterL;
        if (half == 0) {
            b.flat(pos(top0, B), pos(top1, B), pos(top1, F), topIsl, up);
            b.flat(pos(side0, B), pos(top0, B), pos(top0, F), sideIsl, outerNormal[end]);
        } else {
            b.flat(pos(top0, B), pos(top1, F), pos(top0, F), topIsl, up);
            b.flat(pos(side0, B), pos(top0, F), pos(side0, F), sideIsl, outerNormal[end]);
        }
    };

    // Right end.
    emitPass(0, 0, nullptr);
    face(0, B, 2, barBack1);
    emitPass(0, 1, barTopSmoothBack);
    tab(0, 0);
    emitPass(0, 2, nullptr);
    face(0, F, -1, none);
    tab(0, 1);
    emitPass(0, 3, nullptr);
    b.flat(pos(25, B), pos(26, M), pos(26, B), iBarTop, up);
    b.flat(pos(barFront1[0], F), pos(barFront1[1], F), pos(barFront1[2], F), iFront, Vec3(0, 0, 1));
    barBottom();
    // Left end.
    emitPass(1, 0, nullptr);
    face(1, B, -1, none);
    emitPass(1, 1, nullptr);
    tab(1, 0);
    emitPass(1, 2, barBottom2);
    face(1, F, 2, barFront2);
    tab(1, 1);
    emitPass(1, 3, barTopSmoothFront);
    b.flat(pos(barBack2[0], B), pos(barBack2[1], B), pos(barBack2[2], B), iBack, Vec3(0, 0, -1));
    b.flat(pos(25, M), pos(25, F), pos(26, F), iBarTop, up);
}
