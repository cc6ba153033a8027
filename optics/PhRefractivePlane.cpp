#include "optics/PhRefractivePlane.h"

#include "optics/PhRay.h"

#include <QDebug>
#include <QMatrix4x4>

#include <algorithm>
#include <cmath>
#include <utility>

PhRefractivePlane::~PhRefractivePlane() = default;

QSharedPointer<PhComplexIndexFunction> PhRefractivePlane::indexFunction() const
{
    return material;
}

bool PhRefractivePlane::intersect(PhRayPoint *out, const PhRayPoint *in) const
{
    const float num = QVector3D::dotProduct(cornerA - in->position, normal);
    const float den = QVector3D::dotProduct(in->direction, normal);
    if (den == 0.0f)
        return false;
    const float t = num / den;
    const QVector3D p = in->position + t * in->direction;
    out->position = p;
    for (int axis = 0; axis < 3; ++axis) {
        const float a = cornerA[axis];
        const float b = cornerB[axis];
        if (std::min(a, b) > p[axis] || p[axis] > std::max(a, b))
            return false;
    }
    return true;
}

bool PhRefractivePlane::refractDirection(double wavelength, PhRayPoint *out, const PhRayPoint *in,
                                         bool entering) const
{
    const double n = material->value(wavelength);
    const double ratio = entering ? n : 1 / n;

    const float cosFirst = QVector3D::dotProduct(in->direction, normal) / in->direction.length();
    // Rounding can push the single-precision cosine just past ±1 near the normal.
    const double cosTheta = std::clamp(double(cosFirst) / double(normal.length()), -1.0, 1.0);
    const double theta = std::acos(cosTheta);
    const double s = std::sin(theta) * (1 / ratio);
    if (s < -1 || s > 1) {
        out->direction = in->direction;
        return false;
    }

    const double delta = theta - std::asin(s);
    const QVector3D axis = QVector3D::crossProduct(in->direction, normal);
    QMatrix4x4 rotation;
    rotation.rotate(float(delta * 57.29577951308232), axis);
    out->direction = rotation * in->direction;

    if (!entering && material->imaginaryFunction) {
        const double kappa = material->imaginaryValue(wavelength);
        const float distance = out->position.distanceToPoint(in->position);
        const float factor = float(std::exp((kappa * -200.5) * distance));
        out->intensity = out->intensity * factor;
    }
    return true;
}

void PhRefractivePlane::refract(PhRay *ray, bool entering)
{
    PhRayPoint p = ray->points.constLast();
    const PhRayPoint *last = &ray->points.constLast();
    if (intersect(&p, last) && !passThrough) {
        if (!refractDirection(ray->wavelength, &p, last, entering)) {
            QMessageLogger().debug()
                << "Fuck this shit. I'm out. (Ray has been internally reflected, but it is not exactly.)";
            p.lost = true;
        }
    }
    ray->points.append(std::move(p));
}
