#pragma once

#include "optics/IPhRefractiveObject.h"
#include "optics/PhComplexIndexFunction.h"
#include "optics/PhRayPoint.h"

#include <QSharedPointer>
#include <QVector3D>

// A refracting face: the plane through cornerA with the given normal (along the propagation),
// limited to the box [cornerA, cornerB]; Snell's law sin θ₂ = sin θ₁ / ratio, with ratio = n on
// entering and 1/n on leaving, and on leaving an absorbing glass I ← I · exp(−200.5 · κ · d).
class PhRefractivePlane : public IPhRefractiveObject
{
public:
    ~PhRefractivePlane() override;

    QSharedPointer<PhComplexIndexFunction> indexFunction() const;
    // Writes out->position (the plane intersection, even behind in) unless the ray is parallel;
    // true when it lies inside the box (inclusive).
    bool intersect(PhRayPoint *out, const PhRayPoint *in) const;
    // Writes out->direction (and on leaving out->intensity); false on total internal reflection,
    // which leaves the incoming direction. Needs a material with a real part.
    bool refractDirection(double wavelength, PhRayPoint *out, const PhRayPoint *in, bool entering) const;
    // Appends exactly one point to the ray.
    void refract(PhRay *ray, bool entering) override;

    bool passThrough = false;
    QVector3D normal;
    QVector3D cornerA;
    QVector3D cornerB;
    QSharedPointer<PhComplexIndexFunction> material;
};
