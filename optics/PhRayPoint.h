#pragma once

#include <QVector3D>

// One point of a ray: where it is, where it heads (never normalised), how bright, and whether
// total internal reflection has stopped it.
struct PhRayPoint
{
    QVector3D position;
    QVector3D direction;
    double intensity = 1.0;
    bool lost = false;
};
