#include "presentation/PrBeamMeshBuilders.h"

namespace {

const float kLinkRibbonWidth = 0.0055f;
const QVector3D kScreenEndScale(1.2f, 1.5f, 1.0f);
const QVector3D kInteriorScale(1.0f, 1.0f, 1.0f);
const QVector3D kUp(0.0f, 1.0f, 0.0f);

ScVertex vertex(const QVector3D &position, const QVector2D &texCoord, const QVector3D &normal,
                const QVector4D &color)
{
    return ScVertex{position, texCoord, normal, color};
}

int pointsPerRay(const PhRayBundle &bundle)
{
    return bundle.rays.isEmpty() ? 0 : bundle.rays.first().points.size();
}

} // namespace

void buildBeamCones(const PhRayBundle &bundle, QVector<ScVertex> &out)
{
    const int count = pointsPerRay(bundle);
    if (count <= 1)
        return;
    QVector<PhColoredPoint> prev;
    QVector<PhColoredPoint> cur;
    bundle.crossSection(prev, 0, 1.0f, kInteriorScale);
    for (int i = 1; i < count; ++i) {
        const bool last = i == count - 1;
        bundle.crossSection(cur, i, last ? 0.0f : 1.0f, last ? kScreenEndScale : kInteriorScale);
        if (cur.size() < prev.size())
            appendBeamSegment(cur, prev, out);
        else
            appendBeamSegment(prev, cur, out);
        prev.swap(cur);
    }
}

void buildSpectrumStrip(const PhRayBundle &bundle, const QVector3D &facing, QVector<ScVertex> &out, float width)
{
    const int count = pointsPerRay(bundle);
    if (count == 0)
        return;
    QVector<PhColoredPoint> points;
    bundle.crossSection(points, count - 1, 1.0f, kScreenEndScale);
    if (points.size() == 1)
        appendSpot(points.first(), facing, width, out);
    else
        appendRibbon(points, facing, width, out);
}

void appendBeamSegment(const QVector<PhColoredPoint> &smaller, const QVector<PhColoredPoint> &larger,
                       QVector<ScVertex> &out)
{
    const int c = smaller.size();
    const int n = larger.size();
    if (c == 0 || n == 0)
        return;
    if (c == 1 && n == 1) {
        const QVector3D facing = QVector3D::normal(larger[0].position - smaller[0].position, kUp);
        appendRibbon({smaller[0], larger[0]}, facing, kLinkRibbonWidth, out);
        return;
    }
    const PhColoredPoint *b = larger.constData();
    if (c == 1) {
        appendTriangleFan(smaller[0], b, b + n, out);
        return;
    }
    const int d = (n - 1) / (c - 1);
    const int second = d / 2;
    const int first = d - second;
    int j = 0;
    for (int k = 0; k + 1 < c; ++k) {
        appendTriangleFan(smaller[k], b + j, b + j + first + 1, out);
        j += first;
        out.append(vertex(smaller[k].position, QVector2D(0, 0), QVector3D(), smaller[k].color));
        out.append(vertex(b[j].position, QVector2D(0, 0), QVector3D(), b[j].color));
        out.append(vertex(smaller[k + 1].position, QVector2D(0, 0), QVector3D(), smaller[k + 1].color));
        appendTriangleFan(smaller[k + 1], b + j, b + j + second + 1, out);
        j += second;
    }
    appendTriangleFan(smaller[c - 1], b + j, b + n, out);
}

void appendTriangleFan(const PhColoredPoint &apex, const PhColoredPoint *begin, const PhColoredPoint *end,
                       QVector<ScVertex> &out)
{
    const QVector2D center(0.5f, 0.5f);
    for (const PhColoredPoint *p = begin; p + 1 < end; ++p) {
        const QVector3D normal = QVector3D::normal(apex.position, p[0].position, p[1].position);
        out.append(vertex(apex.position, center, normal, apex.color));
        out.append(vertex(p[0].position, center, normal, p[0].color));
        out.append(vertex(p[1].position, center, normal, p[1].color));
    }
}

void appendRibbon(const QVector<PhColoredPoint> &points, const QVector3D &facing, float width,
                  QVector<ScVertex> &out)
{
    const int m = points.size();
    if (m < 2)
        return;
    const float half = width * 0.5f;
    QVector<QVector3D> plus(m);
    QVector<QVector3D> minus(m);
    const QVector3D firstSide = QVector3D::normal(points[1].position - points[0].position, facing) * half;
    plus[0] = points[0].position + firstSide;
    minus[0] = points[0].position - firstSide;
    for (int i = 1; i + 1 < m; ++i)
        ribbonMiter(facing, points[i - 1].position, points[i].position, points[i + 1].position, half, &plus[i],
                    &minus[i]);
    const QVector3D lastSide = QVector3D::normal(points[m - 1].position - points[m - 2].position, facing) * half;
    plus[m - 1] = points[m - 1].position + lastSide;
    minus[m - 1] = points[m - 1].position - lastSide;

    auto v = [m](int i) { return i == 0 ? 1.0f : (i == m - 1 ? 0.0f : 0.5f); };
    auto addPlus = [&](int i) { out.append(vertex(plus[i], QVector2D(0, v(i)), facing, points[i].color)); };
    auto addMinus = [&](int i) { out.append(vertex(minus[i], QVector2D(1, v(i)), facing, points[i].color)); };

    addPlus(0);
    addMinus(0);
    for (int i = 1; i + 1 < m; ++i) {
        addPlus(i);
        addPlus(i);
        addMinus(i);
        addMinus(i - 1);
        addPlus(i);
        addMinus(i);
    }
    addPlus(m - 1);
    addPlus(m - 1);
    addMinus(m - 1);
    addMinus(m - 2);
}

void ribbonMiter(const QVector3D &facing, const QVector3D &prev, const QVector3D &cur, const QVector3D &next,
                 float halfWidth, QVector3D *plus, QVector3D *minus)
{
    const QVector3D side =
        (QVector3D::normal(cur - prev, facing) + QVector3D::normal(next - cur, facing)) * 0.5f * halfWidth;
    *plus = cur + side;
    *minus = cur - side;
}

void appendSpot(const PhColoredPoint &point, const QVector3D &facing, float size, QVector<ScVertex> &out)
{
    const float half = size * 0.5f;
    const QVector3D s = QVector3D::normal(kUp, facing) * half;
    const QVector3D u = kUp * half;
    const QVector3D p = point.position;
    const ScVertex q1 = vertex(p + s + u, QVector2D(1, 1), facing, point.color);
    const ScVertex q2 = vertex(p + s - u, QVector2D(1, 0), facing, point.color);
    const ScVertex q3 = vertex(p - s + u, QVector2D(0, 1), facing, point.color);
    const ScVertex q4 = vertex(p - s - u, QVector2D(0, 0), facing, point.color);
    out << q1 << q2 << q3 << q3 << q4 << q2;
}
