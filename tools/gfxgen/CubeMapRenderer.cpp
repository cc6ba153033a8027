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
        const QImage image = model.lightMap.convertToFormat(QImage::Format_ARGB32);
        Texture texture;
        texture.width = image.width();
        texture.height = image.height();
        texture.grey.resize(texture.width * texture.height);
        for (int y = 0; y < texture.height; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < texture.width; ++x)
                texture.grey[y * texture.width + x] = qGray(line[x]) / 255.0f;
        }
        m_textures.append(texture);
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

float CubeMapRenderer::sample(const Texture &texture, float u, float v) const
{
    // Texel centres at (i + 0.5) / size; clamped at the border.
    const float x = u * texture.width - 0.5f;
    const float y = v * texture.height - 0.5f;
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const float fx = x - x0;
    const float fy = y - y0;
    const auto texel = [&texture](int i, int j) {
        i = std::clamp(i, 0, texture.width - 1);
        j = std::clamp(j, 0, texture.height - 1);
        return texture.grey[j * texture.width + i];
    };
    const float top = texel(x0, y0) * (1 - fx) + texel(x0 + 1, y0) * fx;
    const float bottom = texel(x0, y0 + 1) * (1 - fx) + texel(x0 + 1, y0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
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
    return brightness * sample(m_textures.at(m_triangleModel.at(hit.triangle)), uv.x(), uv.y());
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
