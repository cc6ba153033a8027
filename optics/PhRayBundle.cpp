#include "optics/PhRayBundle.h"

#include "optics/IPhRefractiveObject.h"
#include "optics/wavelengthToColor.h"

PhRayBundle &PhRayBundle::reset(int count)
{
    rays.resize(count);
    const double step = 0.4 / count;
    PhRay *ray = rays.data();
    ray[0].wavelength = 0.38;
    for (int i = 1; i < count; ++i)
        ray[i].wavelength = ray[i - 1].wavelength + step;
    return *this;
}

PhRayBundle &PhRayBundle::setOrigin(const QVector3D &origin)
{
    for (PhRay &ray : rays)
        ray.points[0].position = origin;
    return *this;
}

PhRayBundle &PhRayBundle::setDirection(const QVector3D &direction)
{
    for (PhRay &ray : rays)
        ray.points[0].direction = direction;
    return *this;
}

void PhRayBundle::traceThrough(IPhRefractiveObject *object)
{
    for (PhRay &ray : rays)
        object->refract(&ray, true);
}

void PhRayBundle::crossSection(QVector<PhColoredPoint> &out, int pointIndex, float alpha,
                               const QVector3D &scale) const
{
    out.clear();
    const int count = rays.size();

    const PhRayPoint &first = rays[0].points[pointIndex];
    out.append({first.position, wavelengthToColor(rays[0].wavelength, alpha * first.intensity)});

    const float threshold = 0.001f / float(count);
    for (int i = 1; i < count; ++i) {
        const PhRayPoint &p = rays[i].points[pointIndex];
        if (p.lost)
            continue;
        const QVector4D color = wavelengthToColor(rays[i].wavelength, double(alpha) * p.intensity);
        PhColoredPoint &q = out.last();
        if (p.position.distanceToPoint(q.position) < threshold) {
            q.position = (q.position + p.position) * 0.5f;
            q.color = q.color + 0.2f * color;
            q.color.setW(alpha);
        } else {
            out.append({p.position, color});
        }
    }

    if (out.size() < 2)
        return;
    QVector3D low = out[0].position;
    QVector3D high = low;
    for (const PhColoredPoint &point : qAsConst(out)) {
        for (int axis = 0; axis < 3; ++axis) {
            if (!(point.position[axis] > low[axis]))
                low[axis] = point.position[axis];
            if (point.position[axis] > high[axis])
                high[axis] = point.position[axis];
        }
    }
    const QVector3D centre = (low + high) * 0.5f;
    for (PhColoredPoint &point : out)
        point.position = (point.position - centre) * scale + centre;
}
