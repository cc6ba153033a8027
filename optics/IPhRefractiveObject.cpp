#include "optics/IPhRefractiveObject.h"

#include "optics/PhRay.h"

IPhRefractiveObject::~IPhRefractiveObject() = default;

void IPhRefractiveObject::refract(PhRay *ray, bool)
{
    const PhRayPoint last = ray->points.constLast();
    ray->points.append(last);
}
