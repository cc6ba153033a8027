#include "tools/gfxgen/GfxShapes.h"

#include <algorithm>
#include <cmath>

namespace GfxShapes {

Inside ellipse(double cx, double cy, double rx, double ry, double degrees)
{
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    return [=](double x, double y) {
        const double dx = x - cx;
        const double dy = y - cy;
        const double u = (c * dx + s * dy) / rx;
        const double v = (-s * dx + c * dy) / ry;
        return u * u + v * v <= 1.0;
    };
}

Inside ring(double cx, double cy, double r0, double r1)
{
    return [=](double x, double y) {
        const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d2 >= r0 * r0 && d2 <= r1 * r1;
    };
}

Inside polygon(const QVector<QPointF> &points)
{
    return [points](double x, double y) {
        bool in = false;
        for (int i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const QPointF &a = points.at(i);
            const QPointF &b = points.at(j);
            if ((a.y() > y) != (b.y() > y)
                && x < (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()) + a.x())
                in = !in;
        }
        return in;
    };
}

Inside roundedRect(double x0, double y0, double x1, double y1, double r)
{
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1)
            return false;
        const double dx = std::max({x0 + r - x, 0.0, x - (x1 - r)});
        const double dy = std::max({y0 + r - y, 0.0, y - (y1 - r)});
        return dx * dx + dy * dy <= r * r;
    };
}

Inside segment(QPointF a, QPointF b, double width)
{
    return [=](double x, double y) {
        const double ux = b.x() - a.x();
        const double uy = b.y() - a.y();
        const double t = std::clamp(((x - a.x()) * ux + (y - a.y()) * uy) / (ux * ux + uy * uy), 0.0, 1.0);
        const double dx = x - (a.x() + t * ux);
        const double dy = y - (a.y() + t * uy);
        return dx * dx + dy * dy <= 0.25 * width * width;
    };
}

Inside both(Inside a, Inside b)
{
    return [=](double x, double y) { return a(x, y) && b(x, y); };
}

Inside either(Inside a, Inside b)
{
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Inside without(Inside a, Inside b)
{
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

QVector4D rgb(int r, int g, int b, int a)
{
    return QVector4D(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}

QVector4D mix(const QVector4D &a, const QVector4D &b, double t)
{
    const float k = float(std::clamp(t, 0.0, 1.0));
    return a + (b - a) * k;
}

} // namespace GfxShapes
