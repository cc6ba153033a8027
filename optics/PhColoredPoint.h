#pragma once

#include <QVector3D>
#include <QVector4D>

// A point of a beam cross-section with its RGBA colour (alpha last).
struct PhColoredPoint
{
    QVector3D position;
    QVector4D color;
};
