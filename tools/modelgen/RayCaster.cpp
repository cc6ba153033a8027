#include "tools/modelgen/RayCaster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace modelgen {

namespace {

QVector3D minOf(const QVector3D &a, const QVector3D &b)
{
    return QVector3D(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::min(a.z(), b.z()));
}

QVector3D maxOf(const QVector3D &a, const QVector3D &b)
{
    return QVector3D(std::max(a.x(), b.x()), std::max(a.y(), b.y()), std::max(a.z(), b.z()));
}

} // namespace

RayCaster::RayCaster(const QVector<Triangle> &triangles)
{
    QVector<QVector3D> centroids;
    for (const Triangle &t : triangles) {
        m_tris.append({t.position[0], t.position[1] - t.position[0], t.position[2] - t.position[0]});
        centroids.append((t.position[0] + t.position[1] + t.position[2]) / 3.0f);
        m_order.append(m_order.size());
    }
    if (!m_tris.isEmpty()) {
        m_nodes.reserve(2 * m_tris.size());
        build(0, m_tris.size(), centroids);
    }
}

int RayCaster::build(int first, int count, QVector<QVector3D> &centroids)
{
    const int index = m_nodes.size();
    m_nodes.append(Node());
    QVector3D lo = m_tris[m_order[first]].p0, hi = lo;
    QVector3D clo = centroids[m_order[first]], chi = clo;
    for (int i = first; i < first + count; ++i) {
        const Tri &t = m_tris[m_order[i]];
        for (const QVector3D &p : {t.p0, t.p0 + t.e1, t.p0 + t.e2}) {
            lo = minOf(lo, p);
            hi = maxOf(hi, p);
        }
        clo = minOf(clo, centroids[m_order[i]]);
        chi = maxOf(chi, centroids[m_order[i]]);
    }
    m_nodes[index].lo = lo;
    m_nodes[index].hi = hi;
    if (count <= 4) {
        m_nodes[index].first = first;
        m_nodes[index].count = count;
        return index;
    }
    // Sorted along the widest centroid axis, split where the surface-area heuristic
    // (left area x left count + right area x right count) is least.
    const QVector3D extent = chi - clo;
    const int axis = extent.x() >= extent.y() && extent.x() >= extent.z() ? 0
                     : extent.y() >= extent.z()                           ? 1
                                                                          : 2;
    const auto byAxis = [&](int a, int b) {
        const float ca = centroids[a][axis], cb = centroids[b][axis];
        return ca < cb || (ca == cb && a < b);
    };
    std::sort(m_order.begin() + first, m_order.begin() + first + count, byAxis);
    const auto area = [](const QVector3D &l, const QVector3D &h) {
        const QVector3D d = h - l;
        return d.x() * d.y() + d.y() * d.z() + d.z() * d.x();
    };
    QVector<float> rightArea(count + 1, 0.0f);
    QVector3D rl, rh;
    for (int i = count - 1; i >= 1; --i) {
        const Tri &t = m_tris[m_order[first + i]];
        if (i == count - 1)
            rl = rh = t.p0;
        for (const QVector3D &p : {t.p0, t.p0 + t.e1, t.p0 + t.e2}) {
            rl = minOf(rl, p);
            rh = maxOf(rh, p);
        }
        rightArea[i] = area(rl, rh);
    }
    int half = count / 2;
    float best = std::numeric_limits<float>::max();
    QVector3D ll, lh;
    for (int i = 0; i + 1 < count; ++i) {
        const Tri &t = m_tris[m_order[first + i]];
        if (i == 0)
            ll = lh = t.p0;
        for (const QVector3D &p : {t.p0, t.p0 + t.e1, t.p0 + t.e2}) {
            ll = minOf(ll, p);
            lh = maxOf(lh, p);
        }
        const float cost = area(ll, lh) * (i + 1) + rightArea[i + 1] * (count - i - 1);
        if (cost < best) {
            best = cost;
            half = i + 1;
        }
    }
    const int left = build(first, half, centroids);
    const int right = build(first + half, count - half, centroids);
    m_nodes[index].first = left;
    m_nodes[index].count = -right; // inner node: -(right child index)
    return index;
}

template <bool AnyHit>
bool RayCaster::trace(const QVector3D &o, const QVector3D &d, float tMin, float tMax, Hit *hit) const
{
    if (m_nodes.isEmpty())
        return false;
    const QVector3D inv(1.0f / d.x(), 1.0f / d.y(), 1.0f / d.z());
    int stack[128];
    int top = 0;
    stack[top++] = 0;
    bool found = false;
    float best = tMax;
    while (top > 0) {
        const Node &n = m_nodes[stack[--top]];
        float t0 = tMin, t1 = best;
        bool miss = false;
        for (int a = 0; a < 3 && !miss; ++a) {
            float ta = (n.lo[a] - o[a]) * inv[a];
            float tb = (n.hi[a] - o[a]) * inv[a];
            if (ta > tb)
                std::swap(ta, tb);
            if (std::isnan(ta) || std::isnan(tb)) {
                // Parallel ray touching the slab plane: keep it only inside the slab.
                if (o[a] < n.lo[a] || o[a] > n.hi[a])
                    miss = true;
                continue;
            }
            t0 = std::max(t0, ta);
            t1 = std::min(t1, tb);
            if (t0 > t1)
                miss = true;
        }
        if (miss)
            continue;
        if (n.count > 0) {
            for (int i = n.first; i < n.first + n.count; ++i) {
                const Tri &t = m_tris[m_order[i]];
                const QVector3D pv = QVector3D::crossProduct(d, t.e2);
                const float det = QVector3D::dotProduct(t.e1, pv);
                if (std::fabs(det) < 1e-12f)
                    continue;
                const float invDet = 1.0f / det;
                const QVector3D tv = o - t.p0;
                const float b1 = QVector3D::dotProduct(tv, pv) * invDet;
                if (b1 < 0.0f || b1 > 1.0f)
                    continue;
                const QVector3D qv = QVector3D::crossProduct(tv, t.e1);
                const float b2 = QVector3D::dotProduct(d, qv) * invDet;
                if (b2 < 0.0f || b1 + b2 > 1.0f)
                    continue;
                const float tt = QVector3D::dotProduct(t.e2, qv) * invDet;
                if (tt <= tMin || tt >= best)
                    continue;
                if (AnyHit)
                    return true;
                found = true;
                best = tt;
                hit->triangle = m_order[i];
                hit->t = tt;
                hit->b1 = b1;
                hit->b2 = b2;
            }
        } else {
            if (top + 2 > 128)
                continue;
            stack[top++] = -n.count;
            stack[top++] = n.first;
        }
    }
    return found;
}

bool RayCaster::intersect(const QVector3D &origin, const QVector3D &direction, float tMin,
                          float tMax, Hit *hit) const
{
    return trace<false>(origin, direction, tMin, tMax, hit);
}

bool RayCaster::occluded(const QVector3D &origin, const QVector3D &direction, float tMin,
                         float tMax) const
{
    return trace<true>(origin, direction, tMin, tMax, nullptr);
}

} // namespace modelgen
