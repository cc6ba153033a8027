#include "tools/modelgen/LightMapBaker.h"

#include "tools/modelgen/ParallelRows.h"

#include <algorithm>
#include <cmath>

namespace modelgen {

namespace {

struct P2
{
    double x, y;
};

P2 sub(P2 a, P2 b) { return {a.x - b.x, a.y - b.y}; }
double dot(P2 a, P2 b) { return a.x * b.x + a.y * b.y; }
double cross(P2 a, P2 b) { return a.x * b.y - a.y * b.x; }

// Closest point of triangle abc to p as barycentric weights; returns the distance.
double closestBarycentric(P2 p, P2 a, P2 b, P2 c, double w[3])
{
    const double area = cross(sub(b, a), sub(c, a));
    if (std::fabs(area) > 1e-18) {
        const double wa = cross(sub(b, p), sub(c, p)) / area;
        const double wb = cross(sub(c, p), sub(a, p)) / area;
        const double wc = 1.0 - wa - wb;
        if (wa >= 0 && wb >= 0 && wc >= 0) {
            w[0] = wa;
            w[1] = wb;
            w[2] = wc;
            return 0.0;
        }
    }
    // Outside: nearest point on the three edges.
    const P2 v[3] = {a, b, c};
    double best = 1e300;
    for (int e = 0; e < 3; ++e) {
        const P2 s = v[e], t = v[(e + 1) % 3];
        const P2 d = sub(t, s);
        const double len2 = dot(d, d);
        double k = len2 > 0 ? dot(sub(p, s), d) / len2 : 0.0;
        k = std::clamp(k, 0.0, 1.0);
        const P2 q = {s.x + k * d.x, s.y + k * d.y};
        const double dist = std::hypot(p.x - q.x, p.y - q.y);
        if (dist < best) {
            best = dist;
            w[e] = 1.0 - k;
            w[(e + 1) % 3] = k;
            w[(e + 2) % 3] = 0.0;
        }
    }
    return best;
}

// Whether the unit texel square at (x, y) and triangle abc overlap in area (separating axes).
bool overlaps(double x, double y, P2 a, P2 b, P2 c)
{
    const double eps = 1e-9;
    const P2 v[3] = {a, b, c};
    if (std::max({a.x, b.x, c.x}) <= x + eps || std::min({a.x, b.x, c.x}) >= x + 1 - eps
        || std::max({a.y, b.y, c.y}) <= y + eps || std::min({a.y, b.y, c.y}) >= y + 1 - eps)
        return false;
    const P2 box[4] = {{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}};
    for (int e = 0; e < 3; ++e) {
        const P2 d = sub(v[(e + 1) % 3], v[e]);
        const P2 n = {-d.y, d.x};
        double tlo = 1e300, thi = -1e300;
        for (const P2 &p : v) {
            tlo = std::min(tlo, dot(n, p));
            thi = std::max(thi, dot(n, p));
        }
        double blo = 1e300, bhi = -1e300;
        for (const P2 &p : box) {
            blo = std::min(blo, dot(n, p));
            bhi = std::max(bhi, dot(n, p));
        }
        const double scale = std::sqrt(dot(n, n)) * eps;
        if (bhi <= tlo + scale || blo >= thi - scale)
            return false;
    }
    return true;
}

} // namespace

quint32 LightMapBaker::hash(quint32 x, quint32 y)
{
    quint32 h = x * 0x8da6b343u ^ y * 0xd8163841u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

LightMapBaker::LightMapBaker(const QVector<Triangle> &triangles, int size)
    : m_triangles(triangles)
    , m_size(size)
    , m_owner(size * size, -1)
    , m_weights(size * size)
{
    for (int i = 0; i < m_triangles.size(); ++i) {
        const Triangle &t = m_triangles[i];
        P2 v[3];
        for (int k = 0; k < 3; ++k)
            v[k] = {double(t.texCoord[k].x()) * size, double(t.texCoord[k].y()) * size};
        const int x0 = std::max(0, int(std::floor(std::min({v[0].x, v[1].x, v[2].x}))));
        const int x1 = std::min(size - 1, int(std::floor(std::max({v[0].x, v[1].x, v[2].x}))));
        const int y0 = std::max(0, int(std::floor(std::min({v[0].y, v[1].y, v[2].y}))));
        const int y1 = std::min(size - 1, int(std::floor(std::max({v[0].y, v[1].y, v[2].y}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (!overlaps(x, y, v[0], v[1], v[2]))
                    continue;
                double w[3];
                const double d = closestBarycentric({x + 0.5, y + 0.5}, v[0], v[1], v[2], w);
                const int at = y * size + x;
                if (m_owner[at] >= 0 && m_weights[at].distance <= d)
                    continue;
                m_owner[at] = i;
                m_weights[at] = {{float(w[0]), float(w[1]), float(w[2])}, float(d)};
            }
        }
    }
}

QVector<float> LightMapBaker::bake(const TexelShader &shader, int threads) const
{
    QVector<float> values(m_size * m_size, 0.0f);
    float *out = values.data();
    ParallelRows::run(m_size, threads, [&](int y) {
        for (int x = 0; x < m_size; ++x) {
            const int at = y * m_size + x;
            const int owner = m_owner[at];
            if (owner < 0)
                continue;
            const Triangle &t = m_triangles[owner];
            const Owner &w = m_weights[at];
            TexelSample s;
            s.position = t.position[0] * w.b[0] + t.position[1] * w.b[1] + t.position[2] * w.b[2];
            s.normal = (t.normal[0] * w.b[0] + t.normal[1] * w.b[1] + t.normal[2] * w.b[2]).normalized();
            s.faceNormal = t.faceNormal();
            if (QVector3D::dotProduct(s.faceNormal, s.normal) < 0)
                s.faceNormal = -s.faceNormal;
            s.triangle = owner;
            s.x = x;
            s.y = y;
            s.seed = hash(quint32(x), quint32(y));
            out[at] = shader(s);
        }
    });
    return values;
}

QImage LightMapBaker::toImage(const QVector<float> &values, int margin, bool withAlpha) const
{
    QVector<float> level = values;
    QVector<bool> filled(m_size * m_size);
    int hidden = 0;
    for (int i = 0; i < filled.size(); ++i) {
        filled[i] = m_owner[i] >= 0 && values[i] >= 0.0f;
        hidden += m_owner[i] >= 0 && values[i] < 0.0f ? 1 : 0;
    }
    // Hidden texels are filled first, round by round, while any is left; then the margin.
    auto fillRound = [&](bool ownedOnly) {
        QVector<float> nextLevel = level;
        QVector<bool> nextFilled = filled;
        int changed = 0;
        for (int y = 0; y < m_size; ++y) {
            for (int x = 0; x < m_size; ++x) {
                const int at = y * m_size + x;
                if (filled[at] || (ownedOnly && m_owner[at] < 0))
                    continue;
                double sum = 0;
                int n = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int xx = x + dx, yy = y + dy;
                        if (xx < 0 || yy < 0 || xx >= m_size || yy >= m_size)
                            continue;
                        if (filled[yy * m_size + xx]) {
                            sum += level[yy * m_size + xx];
                            ++n;
                        }
                    }
                }
                if (n > 0) {
                    nextLevel[at] = float(sum / n);
                    nextFilled[at] = true;
                    ++changed;
                }
            }
        }
        level = nextLevel;
        filled = nextFilled;
        return changed;
    };
    while (hidden > 0) {
        const int changed = fillRound(true);
        if (changed == 0)
            break;
        hidden -= changed;
    }
    float darkest = 255.0f;
    for (int i = 0; i < filled.size(); ++i)
        if (m_owner[i] >= 0 && values[i] >= 0.0f)
            darkest = std::min(darkest, values[i]);
    for (int i = 0; i < filled.size(); ++i) {
        if (m_owner[i] >= 0 && !filled[i]) {
            // A hidden region with no shaded texel next to it: the darkest shaded level.
            filled[i] = true;
            level[i] = darkest;
        }
    }
    for (int round = 0; round < margin; ++round)
        fillRound(false);
    QImage image(m_size, m_size, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < m_size; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < m_size; ++x) {
            const int at = y * m_size + x;
            const int g = filled[at] ? std::clamp(int(std::lround(level[at])), 0, 255) : 0;
            row[x] = qRgba(g, g, g, 255);
        }
    }
    return image;
}

} // namespace modelgen
