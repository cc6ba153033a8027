#pragma once

#include "optics/PhColoredPoint.h"
#include "optics/PhRay.h"

#include <QVector>
#include <QVector3D>

class IPhRefractiveObject;

// Rays of wavelengths λᵢ = λᵢ₋₁ + 0.4/count from λ₀ = 0.38 µm, traced together.
class PhRayBundle
{
public:
    // Resizes to count rays (existing rays keep their points) and rewrites the wavelengths.
    // count >= 1.
    PhRayBundle &reset(int count);
    // Set the position / direction of every ray's first point.
    PhRayBundle &setOrigin(const QVector3D &origin);
    PhRayBundle &setDirection(const QVector3D &direction);
    // Calls object->refract(ray, true) for every ray in order.
    void traceThrough(IPhRefractiveObject *object);
    // The rays' points at pointIndex, coloured by wavelength and alpha · intensity, lost points
    // skipped (but ray 0), runs closer than 0.001/N merged, then scaled about the bounding-box
    // centre when there are two or more entries. Every ray must have the point.
    void crossSection(QVector<PhColoredPoint> &out, int pointIndex, float alpha, const QVector3D &scale) const;

    QVector<PhRay> rays;
};
