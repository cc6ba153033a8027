#pragma once

#include "optics/PhRayPoint.h"

#include <QVector>

// A ray of one vacuum wavelength (micrometres): its start point, then one point per face traced.
struct PhRay
{
    QVector<PhRayPoint> points = QVector<PhRayPoint>(1);
    double wavelength = 0.0;
};
