#pragma once

#include "tools/modelgen/MeshBuilder.h"

#include <QVector>
#include <QVector2D>
#include <QVector3D>

// A 2D profile swept along a path that lies in a plane; the moulding and frame builder of the
// room generator. A profile point (a, b) sits at P + a M + b N, where P is the path point,
// N the plane's normal and M the mitre vector (the side vector s = N x t of the path's
// direction t, bisected and lengthened by 1 / cos(half angle) at inner path points).
// A profile segment from (a0, b0) to (a1, b1) faces its right-hand side, (b1 - b0, a0 - a1).
class ProfileSweep
{
public:
    struct Profile
    {
        QVector<QVector2D> points;
        // Per segment: soft segments take the vertex normals (below), hard ones their own.
        QVector<bool> soft;
        // Per point, optional (empty, or a zero entry): the normal at a soft segment's end;
        // missing ones are the mean of the two neighbouring segments' normals weighted by the
        // segments' lengths (as the faces' areas weight a smoothed vertex normal).
        QVector<QVector2D> normals;
    };

    struct Path
    {
        QVector<QVector3D> points;
        // Per point, optional (empty, or a zero entry): an in-plane unit normal used by both
        // neighbouring segments there (a smooth bend); at other points each segment uses its
        // own side vector (a hard mitre) and a new light-map chart starts.
        QVector<QVector3D> normals;
        QVector3D planeNormal;
        bool closed = false;
    };

    // Adds one quad per path segment and profile segment. Charts run along the path (x) and
    // the profile (y); a chart ends at hard path points and before it grows past maxChartLength.
    static void sweep(modelgen::MeshBuilder &mesh, const Path &path, const Profile &profile,
                      float maxChartLength);

    // Positions of one profile point along the path (the mitred offset curve).
    static QVector<QVector3D> offsetCurve(const Path &path, const QVector2D &profilePoint);
};
