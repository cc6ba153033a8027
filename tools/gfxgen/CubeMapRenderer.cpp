#include "tools/gfxgen/CubeMapRenderer.h"

#include "tools/modelgen/ParallelRows.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int samplesPerAxis = 3;
} // namespace

CubeMapRenderer::CubeMapRenderer(const QVector<Model> &models)
{
    for (int m = 0; m < models.size(); ++m) {
        const Model &model = models.at(m);
        for (int v = 0; v + 2 < model.vertexCount; v += 3) {
            modelgen::Triangle t;
            for (int i = 0; i < 3; ++i) {
                const ScVertex &vertex = model.vertices[v + i];
                t.position[i] = model.position + model.scale * vertex.position;
                t.texCoord[i] = vertex.texCoord;
                t.normal[i] = vertex.normal;
                m_colors.append(vertex.color);
            }
            t.piece = m;
            m_triangles.append(t);
            m_triangleModel.append(m);
        }
        m_textures.append(modelgen::GreyTexture(model.lightMap, 255.0f));
    }
    m_caster = std::make_unique<modelgen::RayCaster>(m_triangles);
}

CubeMapRenderer::~CubeMapRenderer() = default;

QVector3D CubeMapRenderer::direction(Face face, double s, double t)
{
    const float sc = float(2.0 * s - 1.0);
    const float tc = float(2.0 * t - 1.0);
    QVector3D d;
    switch (face) {
    case PositiveX: d = QVector3D(1, -tc, -sc); break;
    case NegativeX: d = QVector3D(-1, -tc, sc); break;
    case PositiveY: d = QVector3D(sc, 1, tc); break;
    case NegativeY: d = QVector3D(sc, -1, -tc); break;
    case PositiveZ: d = QVector3D(sc, -tc, 1); break;
    case NegativeZ: d = QVector3D(-sc, -tc, -1); break;
    }
    return d.normalized();
}

float CubeMapRenderer::shade(const QVector3D &eye, const QVector3D &direction) const
{
    modelgen::RayCaster::Hit hit;
    if (!m_caster->intersect(eye, direction, 0.0f, 1e4f, &hit))
        return 1.0f;
    const modelgen::Triangle &t = m_triangles.at(hit.triangle);
    const float b0 = 1.0f - hit.b1 - hit.b2;
    const QVector2D uv = t.texCoord[0] * b0 + t.texCoord[1] * hit.b1 + t.texCoord[2] * hit.b2;
    const QVector4D color = m_colors.at(3 * hit.triangle) * b0 + m_colors.at(3 * hit.triangle + 1) * hit.b1
                            + m_colors.at(3 * hit.triangle + 2) * hit.b2;
    const float brightness = (color.x() + color.y() + color.z()) / 3.0f;
    return brightness * m_textures.at(m_triangleModel.at(hit.triangle)).sample(uv.x(), uv.y());
}

QImage CubeMapRenderer::renderFace(Face face, const QVector3D &eye, int size, int threads) const
{
    QImage image(size, size, QImage::Format_ARGB32);
    uchar *const bits = image.bits(); // detached once, before the workers share it
    const int stride = image.bytesPerLine();
    modelgen::ParallelRows::run(size, threads, [&](int y) {
        QRgb *line = reinterpret_cast<QRgb *>(bits + y * stride);
        for (int x = 0; x < size; ++x) {
            float sum = 0;
            for (int sy = 0; sy < samplesPerAxis; ++sy)
                for (int sx = 0; sx < samplesPerAxis; ++sx) {
                    const double s = (x + (sx + 0.5) / samplesPerAxis) / size;
                    const double t = (y + (sy + 0.5) / samplesPerAxis) / size;
                    sum += shade(eye, direction(face, s, t));
                }
            const int grey = int(std::lround(std::clamp(sum / (samplesPerAxis * samplesPerAxis), 0.0f, 1.0f) * 255));
            line[x] = qRgba(grey, grey, grey, 255);
        }
    });
    return image;
}
