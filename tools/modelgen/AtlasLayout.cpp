#include "tools/modelgen/AtlasLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace modelgen {

AtlasLayout::AtlasLayout(const AtlasOptions &options)
    : m_options(options)
{
}

void AtlasLayout::fixChart(int chart, const QRectF &rect, bool flipX, bool flipY)
{
    Placement p;
    p.rect = rect;
    p.flipX = flipX;
    p.flipY = flipY;
    p.fixed = true;
    m_fixed.insert(chart, p);
}

QVector2D AtlasLayout::place(const Placement &p, const QVector2D &c) const
{
    double sx = (c.x() - p.bounds.left()) / std::max(p.bounds.width(), 1e-12);
    double sy = (c.y() - p.bounds.top()) / std::max(p.bounds.height(), 1e-12);
    if (p.turned)
        std::swap(sx, sy);
    if (p.flipX)
        sx = 1.0 - sx;
    if (p.flipY)
        sy = 1.0 - sy;
    const double x = p.rect.left() + sx * p.rect.width();
    const double y = p.rect.top() + sy * p.rect.height();
    return QVector2D(float(x / m_options.size), float(y / m_options.size));
}

bool AtlasLayout::layout(QVector<Triangle> &triangles)
{
    int chartCount = 0;
    for (const Triangle &t : triangles)
        chartCount = std::max(chartCount, t.chart + 1);

    std::vector<Placement> charts(static_cast<size_t>(chartCount));
    QVector<bool> used(chartCount, false);
    const double inf = std::numeric_limits<double>::infinity();
    QVector<double> minX(chartCount, inf), minY(chartCount, inf), maxX(chartCount, -inf),
        maxY(chartCount, -inf);
    for (const Triangle &t : triangles) {
        if (t.chart < 0)
            return false;
        used[t.chart] = true;
        for (const QVector2D &c : t.chartCoord) {
            minX[t.chart] = std::min(minX[t.chart], double(c.x()));
            minY[t.chart] = std::min(minY[t.chart], double(c.y()));
            maxX[t.chart] = std::max(maxX[t.chart], double(c.x()));
            maxY[t.chart] = std::max(maxY[t.chart], double(c.y()));
        }
    }

    QVector<int> order;
    QVector<QRectF> obstacles;
    for (int i = 0; i < chartCount; ++i) {
        if (!used[i])
            continue;
        if (m_fixed.contains(i)) {
            charts[size_t(i)] = m_fixed.value(i);
            obstacles.append(charts[size_t(i)].rect.adjusted(-m_options.gap, -m_options.gap,
                                                     m_options.gap, m_options.gap));
        } else {
            order.append(i);
        }
        charts[size_t(i)].bounds = QRectF(minX[i], minY[i], maxX[i] - minX[i], maxY[i] - minY[i]);
        if (!charts[size_t(i)].fixed) {
            double w = charts[size_t(i)].bounds.width() * m_options.texelsPerUnit;
            double h = charts[size_t(i)].bounds.height() * m_options.texelsPerUnit;
            charts[size_t(i)].turned = h > w;
            if (charts[size_t(i)].turned)
                std::swap(w, h);
            charts[size_t(i)].rect = QRectF(0, 0, w, h);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return charts[size_t(a)].rect.height() > charts[size_t(b)].rect.height();
    });

    const double lo = m_options.border;
    const double hi = m_options.size - m_options.border;
    double y = m_options.top;
    while (!order.isEmpty()) {
        const double h = charts[size_t(order.first())].rect.height();
        if (y + h > hi)
            return false;
        // Free runs of this shelf: the atlas width minus the fixed charts it meets.
        QVector<QPair<double, double>> runs = {{lo, hi}};
        for (const QRectF &o : obstacles) {
            if (o.bottom() <= y || o.top() >= y + h)
                continue;
            QVector<QPair<double, double>> next;
            for (const auto &r : runs) {
                if (o.right() <= r.first || o.left() >= r.second) {
                    next.append(r);
                    continue;
                }
                if (o.left() > r.first)
                    next.append({r.first, o.left()});
                if (o.right() < r.second)
                    next.append({o.right(), r.second});
            }
            runs = next;
        }
        QVector<QVector<int>> members(runs.size());
        QVector<double> cursor(runs.size());
        for (int r = 0; r < runs.size(); ++r)
            cursor[r] = runs[r].first;
        QVector<int> rest;
        for (int c : order) {
            const double w = charts[size_t(c)].rect.width();
            bool placed = false;
            for (int r = 0; r < runs.size() && !placed; ++r) {
                const double start = members[r].isEmpty() ? cursor[r] : cursor[r] + m_options.gap;
                if (start + w <= runs[r].second) {
                    members[r].append(c);
                    cursor[r] = start + w;
                    placed = true;
                }
            }
            if (!placed)
                rest.append(c);
        }
        if (rest.size() == order.size()) {
            y += 1.0;
            continue;
        }
        for (int r = 0; r < runs.size(); ++r) {
            const int n = members[r].size();
            if (n == 0)
                continue;
            const double spare = runs[r].second - cursor[r];
            const double extra = n > 1 ? spare / (n - 1) : 0.0;
            double x = runs[r].first;
            for (int k = 0; k < n; ++k) {
                Placement &p = charts[size_t(members[r][k])];
                p.rect.moveTopLeft(QPointF(x, y));
                x += p.rect.width() + m_options.gap + extra;
            }
        }
        order = rest;
        y += h + m_options.gap;
    }

    for (Triangle &t : triangles)
        for (int k = 0; k < 3; ++k)
            t.texCoord[k] = place(charts[size_t(t.chart)], t.chartCoord[k]);
    return true;
}

double AtlasLayout::coverage(const QVector<Triangle> &triangles)
{
    double area = 0.0;
    for (const Triangle &t : triangles) {
        const QVector2D a = t.texCoord[1] - t.texCoord[0];
        const QVector2D b = t.texCoord[2] - t.texCoord[0];
        area += 0.5 * std::fabs(double(a.x()) * b.y() - double(a.y()) * b.x());
    }
    return area;
}

} // namespace modelgen
