#include "tools/screengen/ScreenMeshBuilder.h"

#include <QHash>
#include <QQueue>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

qint64 key4(double v)
{
    return static_cast<qint64>(std::llround(v * 10000.0));
}

double cornerAngle(const Vec3 &p, const Vec3 &q, const Vec3 &r)
{
    const Vec3 a = (q - p).normalized();
    const Vec3 b = (r - p).normalized();
    return std::acos(std::max(-1.0, std::min(1.0, a.dot(b))));
}

// Swaps the last two corners if needed so that the triangle winds counter-clockwise seen
// from the side `side` points to, and marks its winding as fixed.
void windTowards(Triangle &t, const QVector<Vec3> &positions, const Vec3 &side)
{
    const Vec3 &p = positions[t.c[0].pos], &q = positions[t.c[1].pos], &r = positions[t.c[2].pos];
    if ((q - p).cross(r - p).dot(side) < 0)
        std::swap(t.c[1], t.c[2]);
    t.oriented = true;
}

// The interval of offsets that makes every constraint (a gradient value and the layout value
// it must round to) hold; empty (a > b) when they contradict each other.
QPair<double, double> offsetInterval(const QVector<QPair<double, double>> &constraints)
{
    const double half = 0.00005 - 1e-9;
    double a = -1e9, b = 1e9;
    for (const auto &c : constraints) {
        a = std::max(a, c.second - half - c.first);
        b = std::min(b, c.second + half - c.first);
    }
    return {a, b};
}

// Picks one offset per island inside its interval so that the rounded coordinates of the whole
// table take 'target' distinct values (as close as the intervals allow). Greedy: each island
// in turn takes the offset that adds the fewest new values; then islands move, in order,
// towards the target. Offsets are midpoints between rounding steps, never on one.
QVector<double> chooseOffsets(const QVector<QVector<double>> &values, const QVector<QPair<double, double>> &intervals,
                              int target)
{
    const int n = values.size();
    QVector<QVector<double>> candidates(n);
    QVector<QVector<QVector<qint64>>> keys(n);
    for (int i = 0; i < n; ++i) {
        const double a = intervals[i].first, b = intervals[i].second;
        QVector<double> cuts = {a, b};
        for (double g : values[i])
            for (qint64 k = qint64(std::floor((a + g) * 1e4)) - 1; k <= qint64(std::ceil((b + g) * 1e4)) + 1; ++k) {
                const double c = (k + 0.5) * 1e-4 - g;
                if (c > a && c < b)
                    cuts.append(c);
            }
        std::sort(cuts.begin(), cuts.end());
        for (int k = 0; k + 1 < cuts.size(); ++k)
            if (cuts[k + 1] - cuts[k] > 1e-12)
                candidates[i].append(0.5 * (cuts[k] + cuts[k + 1]));
        if (candidates[i].isEmpty())
            candidates[i].append(0.5 * (a + b));
        for (double c : candidates[i]) {
            QVector<qint64> set;
            for (double g : values[i])
                set.append(std::llround((g + c) * 1e4));
            std::sort(set.begin(), set.end());
            set.erase(std::unique(set.begin(), set.end()), set.end());
            keys[i].append(set);
        }
    }
    QMap<qint64, int> used;
    auto add = [&used](const QVector<qint64> &set, int delta) {
        for (qint64 k : set)
            if ((used[k] += delta) == 0)
                used.remove(k);
    };
    auto fresh = [&used](const QVector<qint64> &set) {
        int count = 0;
        for (qint64 k : set)
            count += !used.contains(k);
        return count;
    };
    QVector<int> choice(n, 0);
    for (int i = 0; i < n; ++i) {
        const double middle = 0.5 * (intervals[i].first + intervals[i].second);
        int best = 0;
        for (int k = 1; k < candidates[i].size(); ++k) {
            const int f = fresh(keys[i][k]), fb = fresh(keys[i][best]);
            if (f < fb || (f == fb && std::abs(candidates[i][k] - middle) < std::abs(candidates[i][best] - middle)))
                best = k;
        }
        choice[i] = best;
        add(keys[i][best], 1);
    }
    bool moved = true;
    while (used.size() != target && moved) {
        moved = false;
        for (int i = 0; i < n && used.size() != target; ++i) {
            add(keys[i][choice[i]], -1);
            const int before = used.size() + fresh(keys[i][choice[i]]);
            int best = choice[i];
            for (int k = 0; k < candidates[i].size(); ++k) {
                const int total = used.size() + fresh(keys[i][k]);
                if (std::abs(total - target) < std::abs(before - target) && (total - target) * (before - target) >= 0
                    && std::abs(total - target) < std::abs(used.size() + fresh(keys[i][best]) - target))
                    best = k;
            }
            moved |= best != choice[i];
            choice[i] = best;
            add(keys[i][best], 1);
        }
    }
    QVector<double> out(n);
    for (int i = 0; i < n; ++i)
        out[i] = candidates[i][choice[i]];
    return out;
}

} // namespace

Vec3 layoutAxis(char axis, double sign)
{
    return ScreenMeshBuilder::axis(axis, sign * kLightMapScale);
}

IslandSpec islandSpec(const char *name, const Vec3 &gu, double uMin, double uMax, const Vec3 &gv, double vMin,
                      double vMax, int level, int course)
{
    IslandSpec spec;
    spec.name = QString::fromLatin1(name);
    spec.gu = gu;
    spec.gv = gv;
    spec.uMin = uMin;
    spec.uMax = uMax;
    spec.vMin = vMin;
    spec.vMax = vMax;
    spec.level = level;
    spec.course = course;
    return spec;
}

Vec3 ScreenMeshBuilder::axis(char a, double sign)
{
    switch (a) {
    case 'x': return {sign, 0, 0};
    case 'y': return {0, sign, 0};
    default: return {0, 0, sign};
    }
}

double ScreenMeshBuilder::round4(double v)
{
    const double r = std::round(v * 10000.0) / 10000.0;
    // Keep the sign of a zero as the value had it.
    return r == 0.0 ? std::copysign(0.0, v) : r;
}

Vec3 ScreenMeshBuilder::roundNormal(const Vec3 &n)
{
    const Vec3 unit = n.normalized();
    const Vec3 base(round4(unit.x), round4(unit.y), round4(unit.z));
    auto fits = [](const Vec3 &c) {
        const double l = c.length();
        return l >= 0.99993455 && l <= 1.0000542;
    };
    if (fits(base))
        return base;
    Vec3 best = base;
    double bestErr = std::numeric_limits<double>::max();
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j)
            for (int k = -1; k <= 1; ++k) {
                const Vec3 c(round4(base.x + i * 1e-4), round4(base.y + j * 1e-4), round4(base.z + k * 1e-4));
                if (!fits(c))
                    continue;
                const double err = (c.normalized() - unit).length();
                if (err < bestErr) {
                    bestErr = err;
                    best = Vec3(c.x == 0 ? std::copysign(0.0, base.x) : c.x,
                                c.y == 0 ? std::copysign(0.0, base.y) : c.y,
                                c.z == 0 ? std::copysign(0.0, base.z) : c.z);
                }
            }
    return best;
}

int ScreenMeshBuilder::position(double x, double y, double z)
{
    const auto key = qMakePair(key4(x), qMakePair(key4(y), key4(z)));
    const auto it = m_positionIndex.constFind(key);
    if (it != m_positionIndex.constEnd())
        return it.value();
    m_positions.append(Vec3(key.first / 10000.0, key.second.first / 10000.0, key.second.second / 10000.0));
    m_positionIndex.insert(key, m_positions.size() - 1);
    return m_positions.size() - 1;
}

int ScreenMeshBuilder::addIsland(const IslandSpec &spec)
{
    Island island;
    island.spec = spec;
    island.piece = m_piece;
    m_islands.append(island);
    return m_islands.size() - 1;
}

int ScreenMeshBuilder::addTriangle(const Triangle &t)
{
    Triangle tri = t;
    tri.piece = m_piece;
    m_tris.append(tri);
    return m_tris.size() - 1;
}

int ScreenMeshBuilder::flat(int a, int b, int c, int island, const Vec3 &normal, bool orientByNormal)
{
    Triangle t;
    t.island = island;
    const int ids[3] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        t.c[i].pos = ids[i];
        t.c[i].normal = normal;
    }
    if (orientByNormal)
        windTowards(t, m_positions, normal);
    return addTriangle(t);
}

int ScreenMeshBuilder::stored(int a, int b, int c, int island, const Vec3 &na, const Vec3 &nb, const Vec3 &nc,
                        const Vec3 &outward)
{
    Triangle t;
    t.island = island;
    t.c[0].pos = a;
    t.c[1].pos = b;
    t.c[2].pos = c;
    t.c[0].normal = na;
    t.c[1].normal = nb;
    t.c[2].normal = nc;
    windTowards(t, m_positions, outward);
    return addTriangle(t);
}

int ScreenMeshBuilder::smooth(int a, int b, int c, int island, int ga, int gb, int gc)
{
    Triangle t;
    t.island = island;
    const int ids[3] = {a, b, c};
    const int groups[3] = {ga, gb, gc};
    for (int i = 0; i < 3; ++i) {
        t.c[i].pos = ids[i];
        t.c[i].group = groups[i];
    }
    return addTriangle(t);
}

QStringList ScreenMeshBuilder::orientPieces()
{
    QStringList problems;
    // Undirected edge -> triangles using it.
    QHash<QPair<int, int>, QVector<int>> edges;
    for (int i = 0; i < m_tris.size(); ++i)
        for (int e = 0; e < 3; ++e) {
            const int a = m_tris[i].c[e].pos, b = m_tris[i].c[(e + 1) % 3].pos;
            edges[qMakePair(std::min(a, b), std::max(a, b))].append(i);
        }
    for (auto it = edges.constBegin(); it != edges.constEnd(); ++it)
        if (it.value().size() != 2)
            problems << QStringLiteral("edge %1-%2 used by %3 triangles (first %4)")
                            .arg(it.key().first).arg(it.key().second).arg(it.value().size())
                            .arg(it.value().first());

    auto hasDirected = [this](int t, int a, int b) {
        for (int e = 0; e < 3; ++e)
            if (m_tris[t].c[e].pos == a && m_tris[t].c[(e + 1) % 3].pos == b)
                return true;
        return false;
    };
    QVector<bool> done(m_tris.size(), false);
    QQueue<int> queue;
    for (int i = 0; i < m_tris.size(); ++i)
        if (m_tris[i].oriented) {
            done[i] = true;
            queue.enqueue(i);
        }
    while (!queue.isEmpty()) {
        const int t = queue.dequeue();
        for (int e = 0; e < 3; ++e) {
            const int a = m_tris[t].c[e].pos, b = m_tris[t].c[(e + 1) % 3].pos;
            for (int n : edges.value(qMakePair(std::min(a, b), std::max(a, b)))) {
                if (n == t)
                    continue;
                if (done[n]) {
                    if (hasDirected(n, a, b))
                        problems << QStringLiteral("triangles %1 and %2 disagree in winding").arg(t).arg(n);
                    continue;
                }
                if (hasDirected(n, a, b))
                    std::swap(m_tris[n].c[1], m_tris[n].c[2]);
                done[n] = true;
                queue.enqueue(n);
            }
        }
    }
    for (int i = 0; i < m_tris.size(); ++i)
        if (!done[i])
            problems << QStringLiteral("triangle %1 not reached by orientation").arg(i);
    return problems;
}

void ScreenMeshBuilder::computeSmoothNormals()
{
    QMap<QPair<int, int>, Vec3> sums;
    for (const Triangle &t : m_tris) {
        const Vec3 &p = m_positions[t.c[0].pos], &q = m_positions[t.c[1].pos], &r = m_positions[t.c[2].pos];
        const Vec3 n = (q - p).cross(r - p).normalized();
        const Vec3 pts[3] = {p, q, r};
        for (int i = 0; i < 3; ++i) {
            if (t.c[i].group < 0)
                continue;
            const double w = cornerAngle(pts[i], pts[(i + 1) % 3], pts[(i + 2) % 3]);
            auto &s = sums[qMakePair(t.c[i].pos, t.c[i].group)];
            s = s + n * w;
        }
    }
    QMap<QPair<int, int>, Vec3> normals;
    for (auto it = sums.constBegin(); it != sums.constEnd(); ++it) {
        Vec3 n = it.value();
        if (m_xyGroups.contains(it.key().second))
            n.z = 0;
        normals.insert(it.key(), m_pins.contains(it.key()) ? m_pins.value(it.key()) : n.normalized());
    }
    // A pinned normal wins over its twin: the mirror then runs the other way.
    for (const Mirror &m : m_mirrors) {
        const bool reverse = m_pins.contains(m.to);
        if (reverse && m_pins.contains(m.from))
            continue;
        const Vec3 n = normals.value(reverse ? m.to : m.from);
        normals.insert(reverse ? m.from : m.to, Vec3(n.x * m.flip.x, n.y * m.flip.y, n.z * m.flip.z));
    }
    for (Triangle &t : m_tris)
        for (Corner &c : t.c)
            if (c.group >= 0)
                c.normal = normals.value(qMakePair(c.pos, c.group));
}

void ScreenMeshBuilder::computeLightMap(QStringList &problems)
{
    const int n = m_islands.size();
    QVector<QVector<double>> gu(n), gv(n);
    for (const Triangle &t : m_tris)
        for (const Corner &c : t.c) {
            gu[t.island].append(m_islands[t.island].spec.gu.dot(m_positions[c.pos]));
            gv[t.island].append(m_islands[t.island].spec.gv.dot(m_positions[c.pos]));
        }
    QVector<QPair<double, double>> iu(n), iv(n);
    for (int i = 0; i < n; ++i) {
        const IslandSpec &spec = m_islands[i].spec;
        if (gu[i].isEmpty()) {
            problems << QStringLiteral("island %1 has no triangle").arg(spec.name);
            return;
        }
        QVector<QPair<double, double>> cu = {{*std::min_element(gu[i].begin(), gu[i].end()), spec.uMin},
                                             {*std::max_element(gu[i].begin(), gu[i].end()), spec.uMax}};
        QVector<QPair<double, double>> cv = {{*std::min_element(gv[i].begin(), gv[i].end()), spec.vMin},
                                             {*std::max_element(gv[i].begin(), gv[i].end()), spec.vMax}};
        for (const RecordPin &pin : m_recordPins)
            if (m_tris[pin.record / 3].island == i) {
                cu.append({spec.gu.dot(pin.position), pin.u});
                cv.append({spec.gv.dot(pin.position), pin.v});
            }
        iu[i] = offsetInterval(cu);
        iv[i] = offsetInterval(cv);
        if (iu[i].first > iu[i].second || iv[i].first > iv[i].second) {
            problems << QStringLiteral("island %1: the layout values leave no offset").arg(spec.name);
            return;
        }
    }
    const QVector<double> cu = chooseOffsets(gu, iu, m_distinctU);
    const QVector<double> cv = chooseOffsets(gv, iv, m_distinctV);
    for (int i = 0; i < n; ++i) {
        m_islands[i].cu = cu[i];
        m_islands[i].cv = cv[i];
    }
    for (Triangle &t : m_tris) {
        const Island &island = m_islands[t.island];
        for (Corner &c : t.c) {
            const Vec3 &p = m_positions[c.pos];
            c.u = round4(island.cu + island.spec.gu.dot(p));
            c.v = round4(island.cv + island.spec.gv.dot(p));
        }
    }
}

void ScreenMeshBuilder::pinRecord(int record, const Vec3 &position, double u, double v, const Vec3 &normal)
{
    m_recordPins.append({record, position, normal, u, v});
}

void ScreenMeshBuilder::applyRecordPins(QStringList &problems)
{
    for (const RecordPin &pin : m_recordPins) {
        if (pin.record / 3 >= m_tris.size()) {
            problems << QStringLiteral("record %1 does not exist").arg(pin.record);
            continue;
        }
        Triangle &t = m_tris[pin.record / 3];
        int at = -1;
        for (int i = 0; i < 3; ++i)
            if ((m_positions[t.c[i].pos] - pin.position).length() < 1e-6)
                at = i;
        if (at < 0) {
            problems << QStringLiteral("record %1: its triangle does not hold the listed position").arg(pin.record);
            continue;
        }
        // Turn the corners cyclically, keeping the winding.
        while (at != pin.record % 3) {
            std::rotate(t.c.begin(), t.c.begin() + 1, t.c.end());
            at = (at + 2) % 3;
        }
        Corner &c = t.c[at];
        if (c.group >= 0)
            pinNormal(c.pos, c.group, pin.normal);
        else if ((c.normal - pin.normal).length() > 1e-4)
            problems << QStringLiteral("record %1: flat normal differs from the listed one").arg(pin.record);
    }
}

QStringList ScreenMeshBuilder::finish()
{
    QStringList problems = orientPieces();
    applyRecordPins(problems);
    computeSmoothNormals();
    for (Triangle &t : m_tris)
        for (Corner &c : t.c)
            c.finalNormal = roundNormal(c.normal);
    // A listed record keeps its zero signs.
    for (const RecordPin &pin : m_recordPins) {
        Vec3 &n = m_tris[pin.record / 3].c[pin.record % 3].finalNormal;
        if ((n - pin.normal).length() < 1e-4)
            n = pin.normal;
    }
    computeLightMap(problems);
    return problems;
}
