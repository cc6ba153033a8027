#include "tools/screengen/LightMapPainter.h"

#include "tools/screengen/ScreenMeshBuilder.h"

#include <QVector>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kSize = 512;
constexpr double kMargin = 3.0;
constexpr int kMaxLevel = 83;
constexpr int kSurfaceMinLevel = 46;

struct P2 { double x, y; };

// Closest point of triangle abc to p: its barycentric weights and the distance.
double closest(const P2 &p, const P2 &a, const P2 &b, const P2 &c, double w[3])
{
    const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    const double l0 = ((b.x - p.x) * (c.y - p.y) - (c.x - p.x) * (b.y - p.y)) / area;
    const double l1 = ((c.x - p.x) * (a.y - p.y) - (a.x - p.x) * (c.y - p.y)) / area;
    const double l2 = 1.0 - l0 - l1;
    if (l0 >= 0 && l1 >= 0 && l2 >= 0) {
        w[0] = l0; w[1] = l1; w[2] = l2;
        return 0.0;
    }
    const P2 v[3] = {a, b, c};
    double best = std::numeric_limits<double>::max();
    for (int e = 0; e < 3; ++e) {
        const P2 &s0 = v[e], &s1 = v[(e + 1) % 3];
        const double dx = s1.x - s0.x, dy = s1.y - s0.y;
        double t = ((p.x - s0.x) * dx + (p.y - s0.y) * dy) / (dx * dx + dy * dy);
        t = std::max(0.0, std::min(1.0, t));
        const double qx = s0.x + t * dx - p.x, qy = s0.y + t * dy - p.y;
        const double d = std::sqrt(qx * qx + qy * qy);
        if (d < best) {
            best = d;
            w[e] = 1.0 - t;
            w[(e + 1) % 3] = t;
            w[(e + 2) % 3] = 0.0;
        }
    }
    return best;
}

// Brightness along model x of the lit fronts: 44 to 52 at the left end, a broad maximum
// between x 0.4 and 1.0, falling faster to about 50 at the right end.
double courseX(double x)
{
    static const double xs[] = {-1.9, -1.8, 0.2, 1.1, 1.8, 1.9};
    static const double ls[] = {52, 52.5, 78, 78, 54, 53};
    if (x <= xs[0]) return ls[0];
    for (int i = 1; i < 6; ++i)
        if (x <= xs[i])
            return ls[i - 1] + (ls[i] - ls[i - 1]) * (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
    return ls[5];
}

// The projection surface's change along y: level up to mid-height, darker towards its top edge.
double courseY(double y)
{
    constexpr double middle = 1.2718, top = 2.0679;
    return y <= middle ? 0.0 : -7.0 * (y - middle) / (top - middle);
}

// One or two steps of grain, fixed per texel.
int grain(int x, int y)
{
    quint32 h = quint32(x) * 73856093u ^ quint32(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return int(h % 3u) - 1;
}

// Level of an island at a model point; 'adjustable' marks values that the island's mean offset moves.
double shape(int course, const Vec3 &p, bool &adjustable)
{
    adjustable = false;
    switch (course) {
    case 1: // board front band and raised border top
        adjustable = true;
        return courseX(p.x);
    case 2: // projection surface
        adjustable = true;
        return courseX(p.x) + courseY(p.y);
    case 3: // left foot inner face
        if (p.z >= -1.5568 && p.z <= -1.51 && p.y > 0.1963) return 8;
        if (p.z >= -1.69 && p.z < -1.5568 && p.y > 0.2) return 22;
        if (p.z >= -1.5367) return 51;
        return 44;
    case 4: // right foot inner face
        if (p.z >= -1.69 && p.z <= -1.51 && p.y > 0.1963) return 1;
        if (p.z >= -1.5367) return 20;
        return 17;
    case 5: { // crossbar front face: ends with feet and tabs, the bar along the course
        const bool rightFoot = p.x >= 1.5415 && p.x <= 1.62, leftFoot = p.x >= -1.6358 && p.x <= -1.5573;
        if (p.y > 0.3336 && rightFoot) return 56;
        if (p.y > 0.3336 && leftFoot) return 51;
        if (rightFoot || leftFoot) return 9;
        if (p.x > 1.4983 || p.x < -1.5141) return 40;
        adjustable = true;
        return courseX(p.x);
    }
    default:
        return 0;
    }
}

struct Texel
{
    double distance = std::numeric_limits<double>::max();
    int island = -1;
    Vec3 point;
};

} // namespace

QImage paintLightMap(const ScreenMeshBuilder &b)
{
    // Owner of every texel: the island whose outline is nearest to its centre, within the margin.
    QVector<Texel> texels(kSize * kSize);
    for (const Triangle &t : b.triangles()) {
        P2 q[3];
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (int i = 0; i < 3; ++i) {
            q[i] = {t.c[i].u * kSize, t.c[i].v * kSize};
            minX = std::min(minX, q[i].x); maxX = std::max(maxX, q[i].x);
            minY = std::min(minY, q[i].y); maxY = std::max(maxY, q[i].y);
        }
        const int x0 = std::max(0, int(std::floor(minX - kMargin))), x1 = std::min(kSize - 1, int(std::ceil(maxX + kMargin)));
        const int y0 = std::max(0, int(std::floor(minY - kMargin))), y1 = std::min(kSize - 1, int(std::ceil(maxY + kMargin)));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                double w[3];
                const double d = closest({x + 0.5, y + 0.5}, q[0], q[1], q[2], w);
                Texel &texel = texels[y * kSize + x];
                if (d > kMargin || d > texel.distance || (d == texel.distance && t.island >= texel.island))
                    continue;
                texel.distance = d;
                texel.island = t.island;
                texel.point = b.positionAt(t.c[0].pos) * w[0] + b.positionAt(t.c[1].pos) * w[1]
                              + b.positionAt(t.c[2].pos) * w[2];
            }
    }

    // Each island's offset brings the mean over the texels it covers to its level.
    const int islandCount = b.islands().size();
    QVector<double> fixedSum(islandCount, 0), adjSum(islandCount, 0), adjCount(islandCount, 0), count(islandCount, 0);
    for (const Texel &texel : texels) {
        if (texel.island < 0 || texel.distance > 0)
            continue;
        bool adjustable = false;
        const double v = shape(b.islands()[texel.island].spec.course, texel.point, adjustable);
        count[texel.island] += 1;
        (adjustable ? adjSum : fixedSum)[texel.island] += v;
        if (adjustable)
            adjCount[texel.island] += 1;
    }
    QVector<double> offset(islandCount, 0);
    for (int i = 0; i < islandCount; ++i) {
        const IslandSpec &spec = b.islands()[i].spec;
        if (spec.course == 0)
            offset[i] = spec.level;
        else if (adjCount[i] > 0)
            offset[i] = (spec.level * count[i] - fixedSum[i] - adjSum[i]) / adjCount[i];
    }

    QImage image(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Texel &texel = texels[y * kSize + x];
            int level = 0;
            if (texel.island >= 0) {
                const int course = b.islands()[texel.island].spec.course;
                bool adjustable = false;
                double v = shape(course, texel.point, adjustable);
                if (course == 0 || adjustable)
                    v += offset[texel.island];
                if (course == 1 || course == 2 || course == 5)
                    v += grain(x, y);
                // The projection surface never shows a dark texel.
                const int lowest = course == 2 ? kSurfaceMinLevel : 0;
                level = std::max(lowest, std::min(kMaxLevel, int(std::lround(v))));
            }
            image.setPixel(x, y, qRgb(level, level, level));
        }
    return image;
}
