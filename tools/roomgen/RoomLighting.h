#pragma once

#include "tools/modelgen/LightMapBaker.h"
#include "tools/modelgen/RayCaster.h"

#include <QVector>
#include <QVector3D>

// Baked lighting of the room, one grey level per light-map texel:
//   E = Elamp + Esky + Eamb,  grey = 255 (1 - exp(-exposure E))^(1 / 2.2) + dither
// Elamp: the lamp bowl as a diffuse emitter, sum over points q on its triangles of
//   Llamp cos(n, q - p) cos(nq, p - q) dA / |q - p|^2, each point's ray tested for occlusion;
// Esky: the window's outer opening as a diffuse sky patch, summed the same way over one
// point in each of its 8 x 10 cells, jittered by the texel's fixed seed;
// Eamb: ambient light times the share of fixed cosine-weighted directions (turned about the
// normal by the texel's seed) that leave the point unblocked within the occlusion radius.
// The lamp's own texels are emissive white; texels with no unblocked direction at all are
// reported hidden (-1).
// Fixed samples and seeds, so the result is the same for every run and every thread count.
class RoomLighting
{
public:
    RoomLighting(const QVector<modelgen::Triangle> &triangles, int lampPiece);

    float shade(const modelgen::TexelSample &sample) const;

private:
    struct Emitter
    {
        QVector3D position, normal;
        float weight; // radiance x area
    };

    float direct(const QVector<Emitter> &emitters, const QVector3D &origin, const QVector3D &normal) const;
    // Share of the hemisphere directions, turned by `turn` radians about the normal, left open.
    float ambientOcclusion(const QVector3D &origin, const QVector3D &normal, float turn) const;

    const QVector<modelgen::Triangle> &m_triangles;
    modelgen::RayCaster m_caster;
    int m_lampPiece;
    QVector<Emitter> m_lamp;
    QVector<Emitter> m_window;
    QVector<QVector3D> m_hemisphere; // cosine-weighted, about +z
};
