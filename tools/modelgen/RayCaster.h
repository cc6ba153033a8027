#pragma once

#include "tools/modelgen/MeshBuilder.h"

#include <QVector>
#include <QVector3D>

namespace modelgen {

// Casts rays against a fixed triangle list through a bounding-volume hierarchy
// (triangles sorted along the widest centroid axis and split where the surface-area
// heuristic is least, at most four triangles a leaf).
// Intersection is Moeller-Trumbore: hit where o + t d = (1 - b1 - b2) p0 + b1 p1 + b2 p2.
// Both faces of every triangle are hit. Safe to use from several threads at once.
class RayCaster
{
public:
    struct Hit
    {
        int triangle = -1;
        float t = 0;
        float b1 = 0; // barycentric weight of vertex 1
        float b2 = 0; // barycentric weight of vertex 2
    };

    explicit RayCaster(const QVector<Triangle> &triangles);

    // Nearest hit with tMin < t < tMax; false when there is none.
    bool intersect(const QVector3D &origin, const QVector3D &direction, float tMin, float tMax,
                   Hit *hit) const;
    // Whether anything is hit with tMin < t < tMax.
    bool occluded(const QVector3D &origin, const QVector3D &direction, float tMin, float tMax) const;

private:
    struct Node
    {
        QVector3D lo, hi;
        int first = 0;  // leaf: first index into m_order; inner node: index of the left child
        int count = 0;  // leaf: triangle count (> 0); inner node: -(index of the right child)
    };
    struct Tri
    {
        QVector3D p0, e1, e2;
    };

    int build(int first, int count, QVector<QVector3D> &centroids);
    template <bool AnyHit>
    bool trace(const QVector3D &o, const QVector3D &d, float tMin, float tMax, Hit *hit) const;

    QVector<Tri> m_tris;
    QVector<int> m_order;
    QVector<Node> m_nodes;
};

} // namespace modelgen
