#pragma once

struct PhRay;

// Anything a ray can be traced through; refract appends the same number of points to every ray.
class IPhRefractiveObject
{
public:
    virtual ~IPhRefractiveObject();
    // Default: appends a copy of the ray's last point (the object is transparent).
    virtual void refract(PhRay *ray, bool entering);
};
