#include "tools/screengen/FootShape.h"

#include "tools/screengen/ScreenMeshBuilder.h"

#include <QMap>
#include <QSet>
#include <QVector>

#include <cmath>

namespace {

constexpr double kCentre = -0.0079;

enum Face { OnOuter = 1, OnInner = 2, OnBoth = 3 };

struct ProfilePoint
{
    double y, z;
    int on;
};

// The left foot's outline points, from the apex down the outer side of the leg, across the
// end face, along the pad and up the inner side to the middle of the underside: y, then the
// back half's z and faces, then the front half's (no faces where that half lacks the point).
// The back half reaches the outer middle point of the underside first, the front half the inner.
struct LeftProfileRow { double y, backZ; int backOn; double frontZ; int frontOn; };
const LeftProfileRow leftProfile[] = {
    {0.3336, -1.5367, OnBoth, -1.5367, OnBoth}, {0.3177, -1.5962, OnBoth, -1.4771, OnBoth},
    {0.2776, -1.6523, OnBoth, -1.421, OnBoth}, {0.2519, -1.6739, OnBoth, -1.3994, OnBoth},
    {0.2243, -1.6884, OnBoth, -1.385, OnBoth}, {0.184, -1.6947, OnInner, -1.3786, OnBoth},
    {0.1673, -1.6976, OnOuter, 0, 0}, {0.1299, -1.7083, OnInner, -1.365, OnBoth},
    {0.1138, -1.7156, OnBoth, -1.3577, OnBoth}, {0.1024, -1.7239, OnBoth, -1.3494, OnBoth},
    {0.0834, -1.7635, OnBoth, -1.3098, OnBoth}, {0.0761, -1.7681, OnBoth, -1.3052, OnBoth},
    {0.0679, -1.7711, OnBoth, -1.3022, OnBoth}, {0.0117, -1.7711, OnBoth, -1.3022, OnBoth},
    {0.0063, -1.7681, OnBoth, -1.3052, OnBoth}, {0.0028, 0, 0, -1.3098, OnBoth},
    {0, 0, 0, -1.3404, OnOuter}, {0.0086, -1.6929, OnBoth, -1.3804, OnInner},
    {0.022, -1.6662, OnInner, -1.4071, OnBoth}, {0.0303, -1.6576, OnBoth, -1.4157, OnBoth},
    {0.0392, -1.6544, OnBoth, -1.4189, OnBoth}, {0.0654, -1.6533, OnOuter, -1.42, OnOuter},
    {0.118, -1.6467, OnInner, -1.4266, OnBoth}, {0.1411, -1.6425, OnOuter, 0, 0},
    {0.1766, -1.6348, OnInner, -1.4385, OnInner}, {0.1862, -1.6316, OnBoth, -1.4417, OnBoth},
    {0.2122, -1.575, OnBoth, 0, 0}, {0.202, 0, 0, -1.4635, OnBoth},
    {0.2158, -1.5367, OnOuter, 0, 0}, {0.2149, -1.5176, OnInner, -1.5176, OnInner}, {0.2158, 0, 0, -1.5367, OnOuter}};

// One half's outline in outline order.
QVector<ProfilePoint> leftHalf(bool front)
{
    QVector<ProfilePoint> out;
    for (const LeftProfileRow &r : leftProfile)
        if ((front ? r.frontOn : r.backOn) != 0)
            out.append({r.y, front ? r.frontZ : r.backZ, front ? r.frontOn : r.backOn});
    return out;
}
// The right foot's pairs: y, back z, front z (the back half mirrors the front half).
struct ProfilePair { double y, back, front; };
const QVector<ProfilePair> rightPairs = {
    {0.3336, -1.5367, -1.5367}, {0.3177, -1.5962, -1.4771}, {0.2776, -1.6523, -1.421}, {0.2519, -1.6739, -1.3994},
    {0.2243, -1.6884, -1.385}, {0.184, -1.6947, -1.3786}, {0.1299, -1.7083, -1.365}, {0.1138, -1.7156, -1.3577},
    {0.1024, -1.7239, -1.3494}, {0.0834, -1.7635, -1.3098}, {0.0761, -1.7681, -1.3052}, {0.0679, -1.7711, -1.3022},
    {0.0117, -1.7711, -1.3022}, {0.0063, -1.7681, -1.3052}, {0.0028, -1.7635, -1.3098}, {0, -1.7329, -1.3404},
    {0.0086, -1.6929, -1.3804}, {0.022, -1.6662, -1.4071}, {0.0303, -1.6576, -1.4157}, {0.0392, -1.6544, -1.4189},
    {0.0654, -1.6533, -1.42}, {0.118, -1.6467, -1.4266}, {0.1766, -1.6348, -1.4385}, {0.1862, -1.6316, -1.4417},
    {0.202, -1.6098, -1.4635}, {0.2149, -1.5557, -1.5557}, {0.2158, -1.5367, -1.5367}};

// Light-map island of a triangle: faces, then the rim parts in outline order.
enum Part { OuterFace, InnerFace, Top, OuterSide, Toe, End, Pad, InnerSide, Under, PartCount };
enum Half { Back = 0, FrontHalf = 1 };

struct FootTri
{
    Vec3 p[3];
    int part = 0;
    int half = 0;
    int group = -1;  // smoothing group kind, -1 for flat
    Vec3 normal;     // flat normal
};

// Smoothing groups in outline order; the end face between Toe and Pad is flat.
enum Group { GTop, GOuterSide, GToe, GEnd, GPad, GInnerSide, GUnder };

struct Outline
{
    QVector<int> index; // table indices of this face's points
};

bool same(double a, double b) { return std::abs(a - b) < 1e-6; }

// Island part of the outline edge starting at each table entry.
QVector<int> partsOf(const QVector<ProfilePoint> &t)
{
    const double steps[] = {0.2776, 0.1024, 0.0834, 0.0063, 0.0303, 0.1862};
    const int parts[] = {OuterSide, Toe, End, Pad, InnerSide, Under};
    QVector<int> out;
    int k = 0, part = Top;
    for (const ProfilePoint &p : t) {
        if (k < 6 && same(p.y, steps[k]))
            part = parts[k++];
        out.append(part);
    }
    return out;
}

// Smoothing group of the edge starting at each point of one face's outline.
QVector<int> groupsOf(const QVector<ProfilePoint> &t, const Outline &o, bool outer)
{
    QVector<int> out;
    int g = GTop;
    bool passedBand = false;
    for (int i : o.index) {
        const double y = t[i].y;
        if (g == GTop && passedBand && y < 0.2243 - 1e-6)
            g = GOuterSide;
        if (same(y, 0.2243))
            passedBand = true;
        if (g == GOuterSide && same(y, 0.1024)) g = GToe;
        if (g == GToe && same(y, 0.0679)) g = GEnd;
        if (g == GEnd && same(y, 0.0117)) g = GPad;
        if (g == GPad && same(y, 0.0392)) g = GInnerSide;
        if (g == GInnerSide && same(y, outer ? 0.1862 : 0.1766)) g = GUnder;
        out.append(g);
    }
    return out;
}

double cross2(double ay, double az, double by, double bz) { return ay * bz - az * by; }

// Strip from the seam between chain a (apex to the bottom of the end face) and chain b
// (middle of the underside back to the pad), one point per triangle; shortest diagonal first,
// chain b waiting at its fan point until chain a is done.
void faceStrip(const QVector<Vec3> &a, const QVector<Vec3> &b, int fan, int part, int half, const Vec3 &normal,
               QVector<FootTri> &out)
{
    QVector<Vec3> loop = a;
    for (int k = b.size() - 1; k >= 0; --k)
        loop.append(b[k]);
    double area = 0;
    for (int k = 0; k < loop.size(); ++k) {
        const Vec3 &p = loop[k], &q = loop[(k + 1) % loop.size()];
        area += cross2(p.y, p.z, q.y, q.z);
    }
    auto valid = [&](const Vec3 &p, const Vec3 &q, const Vec3 &r) {
        const double sgn = cross2(q.y - p.y, q.z - p.z, r.y - p.y, r.z - p.z);
        if (sgn * area <= 0)
            return false;
        for (const Vec3 &v : loop) {
            if ((v - p).length() < 1e-9 || (v - q).length() < 1e-9 || (v - r).length() < 1e-9)
                continue;
            const double d1 = cross2(q.y - p.y, q.z - p.z, v.y - p.y, v.z - p.z);
            const double d2 = cross2(r.y - q.y, r.z - q.z, v.y - q.y, v.z - q.z);
            const double d3 = cross2(p.y - r.y, p.z - r.z, v.y - r.y, v.z - r.z);
            if (d1 * sgn > 0 && d2 * sgn > 0 && d3 * sgn > 0)
                return false;
        }
        return true;
    };
    int i = 0, j = 0;
    while (i < a.size() - 1 || j < b.size() - 1) {
        const bool canA = i < a.size() - 1 && valid(a[i], a[i + 1], b[j]);
        const bool canB = j < b.size() - 1 && (j < fan || i == a.size() - 1) && valid(a[i], b[j + 1], b[j]);
        bool takeA = canA;
        if (canA && canB)
            takeA = (a[i + 1] - b[j]).length() <= (a[i] - b[j + 1]).length();
        FootTri t;
        t.part = part;
        t.half = half;
        t.normal = normal;
        if (takeA || !canB) {
            t.p[0] = a[i]; t.p[1] = a[i + 1]; t.p[2] = b[j];
            ++i;
        } else {
            t.p[0] = a[i]; t.p[1] = b[j + 1]; t.p[2] = b[j];
            ++j;
        }
        // Wound to face the normal: a triangle that faces it as built starts at its
        // underside point, one that does not swaps its last two corners.
        if ((t.p[1] - t.p[0]).cross(t.p[2] - t.p[0]).dot(normal) < 0) {
            std::swap(t.p[1], t.p[2]);
        } else {
            const Vec3 last = t.p[2];
            t.p[2] = t.p[1];
            t.p[1] = t.p[0];
            t.p[0] = last;
        }
        out.append(t);
    }
}

struct HalfLists
{
    QVector<FootTri> outerFace, pass1, innerFace, pass2a, end, pass2b;
    QVector<FootTri> all() const { return outerFace + pass1 + innerFace + pass2a + end + pass2b; }
};

// One half of a foot built from its own outline. 'odd' when the half's winding is mirrored
// against the right foot's back half (its corner order then swaps the first two corners).
HalfLists buildHalf(const QVector<ProfilePoint> &t, int half, double xOuter, double xInner, bool odd)
{
    HalfLists h;
    Outline outer, inner;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i].on & OnOuter) outer.index.append(i);
        if (t[i].on & OnInner) inner.index.append(i);
    }
    const QVector<int> parts = partsOf(t);
    const QVector<int> gOuter = groupsOf(t, outer, true);
    const QVector<int> gInner = groupsOf(t, inner, false);
    auto O = [&](int k) { return Vec3(xOuter, t[outer.index[k]].y, t[outer.index[k]].z); };
    auto I = [&](int k) { return Vec3(xInner, t[inner.index[k]].y, t[inner.index[k]].z); };
    const double outwardX = xOuter < xInner ? -1 : 1;

    // Faces: chain a runs from the apex to the bottom of the end face, chain b from the
    // middle of the underside back to the corner below the end face; the strip closes as a
    // fan about one pad point of chain b.
    auto faceChains = [&](const Outline &o, double x, double fanY, QVector<Vec3> &a, QVector<Vec3> &b, int &fan) {
        int endBottom = 0;
        while (!same(t[o.index[endBottom]].y, 0.0117))
            ++endBottom;
        for (int k = 0; k <= endBottom; ++k)
            a.append(Vec3(x, t[o.index[k]].y, t[o.index[k]].z));
        for (int k = o.index.size() - 1; k > endBottom; --k) {
            if (same(t[o.index[k]].y, fanY))
                fan = b.size();
            b.append(Vec3(x, t[o.index[k]].y, t[o.index[k]].z));
        }
    };
    QVector<Vec3> a, b;
    int fan = 0;
    faceChains(outer, xOuter, half == Back ? 0.0063 : 0.0, a, b, fan);
    faceStrip(a, b, fan, OuterFace, half, Vec3(outwardX, 0, 0), h.outerFace);
    a.clear();
    b.clear();
    faceChains(inner, xInner, half == Back ? 0.0063 : 0.0028, a, b, fan);
    faceStrip(a, b, fan, InnerFace, half, Vec3(-outwardX, 0, 0), h.innerFace);

    // Rim: merge the two outlines in outline order.
    auto emit = [&](Vec3 p0, Vec3 p1, Vec3 p2, int part, int group, bool onOuter, double startY, double endY) {
        FootTri tri;
        tri.p[0] = p0; tri.p[1] = p1; tri.p[2] = p2;
        if (odd)
            std::swap(tri.p[0], tri.p[1]);
        tri.part = part;
        tri.half = half;
        if (group == GEnd) {
            tri.normal = Vec3(0, 0, half == Back ? -1 : 1);
            h.end.append(tri);
            return;
        }
        tri.group = group;
        const bool exception = !onOuter && (same(startY, 0.0117) || same(startY, 0.0028) || same(endY, 0.0028));
        if (onOuter || exception)
            h.pass1.append(tri);
        else if (group < GEnd)
            h.pass2a.append(tri);
        else
            h.pass2b.append(tri);
    };
    int i = 0, j = 0;
    while (i < outer.index.size() - 1 || j < inner.index.size() - 1) {
        const int no = i < outer.index.size() - 1 ? outer.index[i + 1] : 1 << 20;
        const int ni = j < inner.index.size() - 1 ? inner.index[j + 1] : 1 << 20;
        const bool quad = no == ni && outer.index[i] == inner.index[j];
        if (quad) {
            // Diagonal from the earlier point's outer vertex to the later point's inner vertex.
            emit(O(i), O(i + 1), I(j + 1), parts[outer.index[i]], gOuter[i], true, t[outer.index[i]].y, t[no].y);
            emit(O(i), I(j + 1), I(j), parts[inner.index[j]], gInner[j], false, t[inner.index[j]].y, t[ni].y);
            ++i;
            ++j;
        } else if (no <= ni) {
            emit(O(i), O(i + 1), I(j), parts[outer.index[i]], gOuter[i], true, t[outer.index[i]].y, t[no].y);
            ++i;
        } else {
            emit(O(i), I(j + 1), I(j), parts[inner.index[j]], gInner[j], false, t[inner.index[j]].y, t[ni].y);
            ++j;
        }
    }
    return h;
}

// Full-length layout up a toe slope from its lower to its upper point.
Vec3 upSlope(double yLow, double zLow, double yHigh, double zHigh)
{
    return Vec3(0, yHigh - yLow, zHigh - zLow).normalized() * kLightMapScale;
}

// Island index per (part, half).
using IslandTable = QMap<int, int>;
int key(int part, int half) { return (part == OuterFace || part == InnerFace || part == Top || part == Under) ? part * 2 : part * 2 + half; }

IslandTable leftIslands(ScreenMeshBuilder &b)
{
    IslandTable m;
    m[key(OuterFace, 0)] = b.addIsland(islandSpec("left foot outer face", layoutAxis('z', -1), 0.5639, 0.6283, layoutAxis('y', 1), 0.8874, 0.9332, 0));
    m[key(Top, 0)] = b.addIsland(islandSpec("left foot top", layoutAxis('x', -1), 0.6328, 0.6436, layoutAxis('z', -1), 0.9248, 0.9565, 9));
    m[key(OuterSide, Back)] = b.addIsland(islandSpec("left foot back outer side", layoutAxis('x', 1), 0.6328, 0.6436, layoutAxis('y', 1), 0.8739, 0.8979, 1));
    m[key(Toe, Back)] = b.addIsland(islandSpec("left foot back toe slope", layoutAxis('x', 1), 0.5657, 0.5765, upSlope(0.0834, -1.7635, 0.1024, -1.7239), 0.9687, 0.9747, 0));
    m[key(End, Back)] = b.addIsland(islandSpec("left foot back end", layoutAxis('x', 1), 0.3839, 0.3947, layoutAxis('y', 1), 0.9633, 0.9739, 4));
    m[key(Pad, Back)] = b.addIsland(islandSpec("left foot back pad", layoutAxis('x', 1), 0.6628, 0.6736, layoutAxis('z', -1), 0.6829, 0.698, 4));
    m[key(InnerSide, Back)] = b.addIsland(islandSpec("left foot back inner side", layoutAxis('x', -1), 0.6628, 0.6736, layoutAxis('y', 1), 0.7202, 0.7416, 37));
    m[key(Under, 0)] = b.addIsland(islandSpec("left foot underside", layoutAxis('x', 1), 0.6328, 0.6436, layoutAxis('z', -1), 0.8983, 0.9244, 1));
    m[key(InnerFace, 0)] = b.addIsland(islandSpec("left foot inner face", layoutAxis('z', 1), 0.395, 0.4594, layoutAxis('y', 1), 0.9285, 0.9739, 39, 3));
    m[key(OuterSide, FrontHalf)] = b.addIsland(islandSpec("left foot front outer side", layoutAxis('x', -1), 0.6328, 0.6436, layoutAxis('y', 1), 0.6346, 0.6586, 46));
    m[key(Toe, FrontHalf)] = b.addIsland(islandSpec("left foot front toe slope", layoutAxis('z', -1), 0.3957, 0.4011, layoutAxis('x', 1), 0.9427, 0.9534, 32));
    m[key(End, FrontHalf)] = b.addIsland(islandSpec("left foot front end", layoutAxis('x', -1), 0.3727, 0.3835, layoutAxis('y', 1), 0.9633, 0.9739, 43));
    m[key(Pad, FrontHalf)] = b.addIsland(islandSpec("left foot front pad", layoutAxis('x', 1), 0.6628, 0.6736, layoutAxis('z', -1), 0.8978, 0.913, 1));
    m[key(InnerSide, FrontHalf)] = b.addIsland(islandSpec("left foot front inner side", layoutAxis('x', 1), 0.6628, 0.6736, layoutAxis('y', 1), 0.9351, 0.9565, 1));
    return m;
}

IslandTable rightIslands(ScreenMeshBuilder &b)
{
    IslandTable m;
    m[key(OuterFace, 0)] = b.addIsland(islandSpec("right foot outer face", layoutAxis('z', 1), 0.5639, 0.6283, layoutAxis('y', 1), 0.9336, 0.9794, 1));
    m[key(Top, 0)] = b.addIsland(islandSpec("right foot top", layoutAxis('x', -1), 0.6328, 0.6436, layoutAxis('z', -1), 0.7098, 0.7416, 11));
    m[key(OuterSide, Back)] = b.addIsland(islandSpec("right foot back outer side", layoutAxis('x', 1), 0.6328, 0.6436, layoutAxis('y', 1), 0.659, 0.683, 1));
    m[key(Toe, Back)] = b.addIsland(islandSpec("right foot back toe slope", layoutAxis('z', -1), 0.454, 0.4594, layoutAxis('x', 1), 0.9427, 0.9534, 2));
    m[key(End, Back)] = b.addIsland(islandSpec("right foot back end", layoutAxis('x', 1), 0.3616, 0.3724, layoutAxis('y', 1), 0.9633, 0.9739, 2));
    m[key(Pad, Back)] = b.addIsland(islandSpec("right foot back pad", layoutAxis('x', 1), 0.6628, 0.6736, layoutAxis('z', -1), 0.6673, 0.6825, 3));
    m[key(InnerSide, Back)] = b.addIsland(islandSpec("right foot back inner side", layoutAxis('x', -1), 0.6628, 0.6736, layoutAxis('y', 1), 0.6984, 0.7198, 36));
    m[key(Under, 0)] = b.addIsland(islandSpec("right foot underside", layoutAxis('x', 1), 0.6328, 0.6436, layoutAxis('z', -1), 0.6834, 0.7095, 1));
    m[key(InnerFace, 0)] = b.addIsland(islandSpec("right foot inner face", layoutAxis('z', -1), 0.4992, 0.5636, layoutAxis('y', 1), 0.934, 0.9794, 14, 4));
    m[key(OuterSide, FrontHalf)] = b.addIsland(islandSpec("right foot front outer side", layoutAxis('x', -1), 0.6328, 0.6436, layoutAxis('y', 1), 0.8495, 0.8735, 52));
    m[key(Toe, FrontHalf)] = b.addIsland(islandSpec("right foot front toe slope", layoutAxis('x', -1), 0.6175, 0.6283, upSlope(0.0834, -1.3098, 0.1024, -1.3494), 0.9687, 0.9747, 37));
    m[key(End, FrontHalf)] = b.addIsland(islandSpec("right foot front end", layoutAxis('x', -1), 0.3839, 0.3947, layoutAxis('y', 1), 0.9523, 0.9629, 52));
    m[key(Pad, FrontHalf)] = b.addIsland(islandSpec("right foot front pad", layoutAxis('x', 1), 0.6628, 0.6736, layoutAxis('z', -1), 0.8822, 0.8974, 2));
    m[key(InnerSide, FrontHalf)] = b.addIsland(islandSpec("right foot front inner side", layoutAxis('x', 1), 0.6628, 0.6736, layoutAxis('y', 1), 0.9133, 0.9347, 2));
    return m;
}

int groupId(int piece, const FootTri &t)
{
    const bool shared = t.group == GTop || t.group == GUnder;
    return piece * 100 + (shared ? t.group : 10 + t.group * 2 + t.half);
}

void addAll(ScreenMeshBuilder &b, const QVector<FootTri> &tris, const IslandTable &islands, int piece)
{
    // The top of the arch is level at the apex.
    for (double x : {-1.6358, -1.5573, 1.62, 1.5415})
        b.pinNormal(b.position(x, 0.3336, -1.5367), piece * 100 + GTop, Vec3(0, 1, 0));
    for (const FootTri &t : tris) {
        int id[3];
        for (int k = 0; k < 3; ++k)
            id[k] = b.position(t.p[k].x, t.p[k].y, t.p[k].z);
        const int island = islands.value(key(t.part, t.half));
        if (t.group < 0) {
            b.flat(id[0], id[1], id[2], island, t.normal);
        } else {
            const int g = groupId(piece, t);
            b.smooth(id[0], id[1], id[2], island, g, g, g);
        }
    }
}

} // namespace

void buildFoot(ScreenMeshBuilder &b, FootSide side)
{
    const int piece = side == FootSide::Left ? 1 : 2;
    b.beginPiece(piece);
    const HalfLists back = buildHalf(leftHalf(false), Back, -1.6358, -1.5573, true);
    const HalfLists front = buildHalf(leftHalf(true), FrontHalf, -1.6358, -1.5573, false);
    if (side == FootSide::Left) {
        const IslandTable islands = leftIslands(b);
        addAll(b, back.all(), islands, piece);
        addAll(b, front.all(), islands, piece);
        return;
    }

    // Right foot: its front half is the left front half mirrored in x = -0.0079 (first two
    // corners swapped), with its own middle points of the underside; its back half mirrors
    // its front half about z = -1.53665 through the point pairs.
    const IslandTable islands = rightIslands(b);
    QMap<QPair<qint64, qint64>, double> backOf;
    auto k2 = [](double y, double z) { return qMakePair(std::llround(y * 1e4), std::llround(z * 1e4)); };
    for (const ProfilePair &p : rightPairs)
        backOf[k2(p.y, p.front)] = p.back;
    QVector<FootTri> rightFront;
    for (FootTri t : front.all()) {
        for (Vec3 &p : t.p) {
            const bool outer = same(p.x, -1.6358);
            p.x = ScreenMeshBuilder::round4(2 * kCentre - p.x);
            if (outer && same(p.y, 0.2158) && same(p.z, -1.5367)) { p.y = 0.2149; p.z = -1.5557; }
            else if (!outer && same(p.y, 0.2149) && same(p.z, -1.5176)) { p.y = 0.2158; p.z = -1.5367; }
        }
        std::swap(t.p[0], t.p[1]);
        t.normal.x = -t.normal.x;
        rightFront.append(t);
    }
    QVector<FootTri> rightBack;
    for (FootTri t : rightFront) {
        for (Vec3 &p : t.p)
            p.z = backOf.value(k2(p.y, p.z), p.z);
        std::swap(t.p[0], t.p[1]);
        t.half = Back;
        if (t.group < 0 && t.normal.z != 0)
            t.normal.z = -t.normal.z;
        rightBack.append(t);
    }
    addAll(b, rightBack, islands, piece);
    addAll(b, rightFront, islands, piece);

    // A back-half rim normal is its front twin's with z negated (the front half, the left
    // front half's mirror image, follows from its own triangles), but next to the outer
    // middle point of the underside, which serves both halves.
    const Vec3 outerMiddle(1.62, 0.2149, -1.5557);
    auto touchesMiddle = [&](const FootTri &t) {
        for (const Vec3 &p : t.p)
            if ((p - outerMiddle).length() < 1e-9)
                return true;
        return false;
    };
    QSet<int> nearMiddle; // position indices
    for (const QVector<FootTri> *half : {&rightBack, &rightFront})
        for (const FootTri &t : *half)
            if (touchesMiddle(t))
                for (const Vec3 &p : t.p)
                    nearMiddle.insert(b.position(p.x, p.y, p.z));
    for (int i = 0; i < rightFront.size(); ++i) {
        const FootTri &front = rightFront[i], &back = rightBack[i];
        if (front.group < 0)
            continue;
        for (int c = 0; c < 3; ++c) {
            const Vec3 &pf = front.p[c], &pb = back.p[c == 0 ? 1 : c == 1 ? 0 : 2];
            const int from = b.position(pb.x, pb.y, pb.z), to = b.position(pf.x, pf.y, pf.z);
            if (from == to || nearMiddle.contains(to))
                continue;
            b.mirrorNormalZ(to, groupId(piece, front), from, groupId(piece, back));
        }
    }
}
