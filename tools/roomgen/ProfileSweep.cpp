#include "tools/roomgen/ProfileSweep.h"

#include <algorithm>

namespace {

QVector2D segmentNormal(const QVector2D &a, const QVector2D &b)
{
    const QVector2D d = b - a;
    return QVector2D(d.y(), -d.x()).normalized();
}

bool given(const QVector<QVector3D> &v, int i)
{
    return i < v.size() && !v[i].isNull();
}

bool given(const QVector<QVector2D> &v, int i)
{
    return i < v.size() && !v[i].isNull();
}

} // namespace

QVector<QVector3D> ProfileSweep::offsetCurve(const Path &path, const QVector2D &q)
{
    const int n = path.points.size();
    const int segments = path.closed ? n : n - 1;
    QVector<QVector3D> side(segments);
    for (int j = 0; j < segments; ++j) {
        const QVector3D t = (path.points[(j + 1) % n] - path.points[j]).normalized();
        side[j] = QVector3D::crossProduct(path.planeNormal, t).normalized();
    }
    QVector<QVector3D> out(n);
    for (int i = 0; i < n; ++i) {
        QVector3D m;
        const bool hasPrev = path.closed || i > 0;
        const bool hasNext = path.closed || i < n - 1;
        if (hasPrev && hasNext) {
            const QVector3D sa = side[(i - 1 + segments) % segments];
            const QVector3D sb = side[i % segments];
            m = (sa + sb) / (1.0f + QVector3D::dotProduct(sa, sb));
        } else {
            m = hasNext ? side[i] : side[i - 1];
        }
        out[i] = path.points[i] + q.x() * m + q.y() * path.planeNormal;
    }
    return out;
}

void ProfileSweep::sweep(modelgen::MeshBuilder &mesh, const Path &path, const Profile &profile,
                         float maxChartLength)
{
    const int n = path.points.size();
    const int segments = path.closed ? n : n - 1;
    const int rows = profile.points.size();

    QVector<QVector<QVector3D>> curve(rows);
    for (int k = 0; k < rows; ++k)
        curve[k] = offsetCurve(path, profile.points[k]);

    QVector<QVector2D> segNormal(rows - 1);
    QVector<float> segLength(rows - 1);
    for (int k = 0; k + 1 < rows; ++k) {
        segNormal[k] = segmentNormal(profile.points[k], profile.points[k + 1]);
        segLength[k] = (profile.points[k + 1] - profile.points[k]).length();
    }
    // Profile normal of segment k at its point `at` (k or k + 1).
    auto profileNormal = [&](int k, int at) {
        if (!profile.soft[k])
            return segNormal[k];
        if (given(profile.normals, at))
            return profile.normals[at].normalized();
        const int other = at == k ? k - 1 : k + 1;
        if (other < 0 || other >= rows - 1)
            return segNormal[k];
        return (segLength[k] * segNormal[k] + segLength[other] * segNormal[other]).normalized();
    };
    QVector<float> rowY(rows, 0.0f);
    for (int k = 1; k < rows; ++k)
        rowY[k] = rowY[k - 1] + (profile.points[k] - profile.points[k - 1]).length();

    QVector<float> chartX(rows, 0.0f);
    float chartLength = 0.0f;
    for (int j = 0; j < segments; ++j) {
        const int i0 = j, i1 = (j + 1) % n;
        float longest = 0.0f;
        for (int k = 0; k < rows; ++k)
            longest = std::max(longest, (curve[k][i1] - curve[k][i0]).length());
        if (j == 0 || !given(path.normals, i0) || chartLength + longest > maxChartLength) {
            mesh.beginChart();
            chartX.fill(0.0f);
            chartLength = 0.0f;
        }
        const QVector3D t = (path.points[i1] - path.points[i0]).normalized();
        const QVector3D s = QVector3D::crossProduct(path.planeNormal, t).normalized();
        const QVector3D s0 = given(path.normals, i0) ? path.normals[i0] : s;
        const QVector3D s1 = given(path.normals, i1) ? path.normals[i1] : s;
        for (int k = 0; k + 1 < rows; ++k) {
            const QVector2D na = profileNormal(k, k), nb = profileNormal(k, k + 1);
            const QVector3D p[4] = {curve[k][i0], curve[k][i1], curve[k + 1][i1], curve[k + 1][i0]};
            const QVector3D nn[4] = {
                (na.x() * s0 + na.y() * path.planeNormal).normalized(),
                (na.x() * s1 + na.y() * path.planeNormal).normalized(),
                (nb.x() * s1 + nb.y() * path.planeNormal).normalized(),
                (nb.x() * s0 + nb.y() * path.planeNormal).normalized(),
            };
            const float xa0 = chartX[k], xb0 = chartX[k + 1];
            const float xa1 = xa0 + (curve[k][i1] - curve[k][i0]).length();
            const float xb1 = xb0 + (curve[k + 1][i1] - curve[k + 1][i0]).length();
            const QVector2D c[4] = {{xa0, rowY[k]}, {xa1, rowY[k]}, {xb1, rowY[k + 1]}, {xb0, rowY[k + 1]}};
            mesh.addQuad(p, nn, c);
        }
        for (int k = 0; k < rows; ++k)
            chartX[k] += (curve[k][i1] - curve[k][i0]).length();
        chartLength += longest;
    }
}
