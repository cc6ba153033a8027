#pragma once

#include "optics/PhRayPoint.h"

#include <QVector>

// A ray of one vacuum wavelength (micrometres): its start point, then one point per face traced.
struct PhRay
{
    // One default point; room for the points of a trace through two prisms and the screen.
    PhRay()
    {
        points.reserve(8);
        points.append(PhRayPoint());
    }

    QVector<PhRayPoint> points;
    double wavelength = 0.0;
};
