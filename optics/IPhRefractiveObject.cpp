#include "optics/IPhRefractiveObject.h"

#include "optics/PhRay.h"

IPhRefractiveObject::~IPhRefractiveObject() = default;

void IPhRefractiveObject::refract(PhRay *ray, bool)
{
    const PhRayPoint last = ray->points.constLast();
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overflow"  // GCC 12 misreads QVector::append's storage
#endif
    ray->points.append(last);
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
}
