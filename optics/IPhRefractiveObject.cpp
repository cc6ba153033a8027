#include "optics/IPhRefractiveObject.h"

#include "optics/PhRay.h"

#include <utility>

IPhRefractiveObject::~IPhRefractiveObject() = default;

void IPhRefractiveObject::refract(PhRay *ray, bool)
{
    PhRayPoint last = ray->points.constLast();
    ray->points.append(std::move(last));
}
