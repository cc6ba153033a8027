#pragma once

#include "scene/ScVertex.h"
#include "tools/modelgen/GreyTexture.h"
#include "tools/modelgen/RayCaster.h"

#include <QImage>
#include <QVector3D>
#include <QVector>

#include <memory>

// Renders cube-map faces around an eye point by casting rays against light-mapped
// triangle lists placed in the world: pixel = mean over 3x3 samples of
// vertexColour(hit) · lightMap(texCoord(hit)) (bilinear, v = 0 the top row), and white
// where a ray meets nothing (the room's openings). Faces follow OpenGL's cube-map
// orientation for pictures uploaded top row first.
class CubeMapRenderer
{
public:
    enum Face { PositiveX, NegativeX, PositiveY, NegativeY, PositiveZ, NegativeZ };

    // One model as its renderer draws it: world = position + scale ⊙ model (no rotation,
    // no offset), textured with a grey light map.
    struct Model
    {
        const ScVertex *vertices = nullptr;
        int vertexCount = 0;
        QVector3D position;
        QVector3D scale;
        QImage lightMap;
    };

    explicit CubeMapRenderer(const QVector<Model> &models);
    ~CubeMapRenderer();

    // Unit direction through face coordinates (s, t) in [0, 1]², t = 0 the top row.
    static QVector3D direction(Face face, double s, double t);

    // Opaque grey size x size face seen from `eye`, QImage::Format_ARGB32.
    QImage renderFace(Face face, const QVector3D &eye, int size, int threads) const;

    // Grey level 0..1 seen along `direction` from `eye`.
    float shade(const QVector3D &eye, const QVector3D &direction) const;

private:
    QVector<modelgen::Triangle> m_triangles;
    QVector<int> m_triangleModel;
    QVector<QVector4D> m_colors; // three per triangle
    QVector<modelgen::GreyTexture> m_textures; // light maps, 0..1
    std::unique_ptr<modelgen::RayCaster> m_caster;
};
