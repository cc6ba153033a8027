#pragma once

#include "tools/modelgen/MeshBuilder.h"

#include <QImage>
#include <QVector>
#include <QVector3D>

#include <functional>

namespace modelgen {

// What the shader of one light-map texel gets: the surface point that the texel shows.
struct TexelSample
{
    QVector3D position;
    QVector3D normal;      // interpolated vertex normal, unit
    QVector3D faceNormal;  // geometric normal of the triangle, unit, on the normal side
    int triangle = -1;
    int x = 0, y = 0;      // texel column and row
    quint32 seed = 0;      // fixed per texel: hash of (x, y)
};

// Grey level 0..255 of one texel; a negative value marks a texel that nothing can see (it then
// takes its neighbours' level, see toImage). Called from several threads at once.
using TexelShader = std::function<float(const TexelSample &)>;

// Bakes a grey light map. Every texel whose square overlaps a triangle's texture-space
// region is shaded at the triangle's point nearest to the texel centre (the centre itself
// when it lies inside); texels meeting several triangles belong to the one containing the
// centre, else to the nearest, else to the lowest index. The result does not depend on the
// number of threads.
class LightMapBaker
{
public:
    LightMapBaker(const QVector<Triangle> &triangles, int size);

    int size() const { return m_size; }
    // Owning triangle of each texel (row-major), -1 for texels no region touches.
    const QVector<int> &owners() const { return m_owner; }

    // Shades every owned texel with `threads` worker threads; unowned texels get 0.
    QVector<float> bake(const TexelShader &shader, int threads) const;

    // Grey picture of the values: owned texels as baked; hidden ones (negative values) filled
    // round by round, each with the mean of its filled 8-neighbours, until none is left (hidden
    // texels cut off from every shaded one take the darkest shaded level); then `margin` such
    // rounds over the unowned texels; the rest black.
    // withAlpha: ARGB32 with alpha 255 everywhere; otherwise RGB32 (saved without alpha).
    QImage toImage(const QVector<float> &values, int margin, bool withAlpha) const;

    static quint32 hash(quint32 x, quint32 y);

private:
    struct Owner
    {
        float b[3];
        float distance;
    };

    QVector<Triangle> m_triangles;
    int m_size;
    QVector<int> m_owner;
    QVector<Owner> m_weights;
};

} // namespace modelgen
