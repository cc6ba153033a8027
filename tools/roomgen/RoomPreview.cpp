#include "tools/roomgen/RoomPreview.h"

#include "tools/modelgen/RayCaster.h"

#include <QMatrix4x4>

#include <algorithm>
#include <cmath>

namespace {

float texel(const QImage &image, int x, int y)
{
    x = std::clamp(x, 0, image.width() - 1);
    y = std::clamp(y, 0, image.height() - 1);
    return qRed(image.pixel(x, y));
}

float bilinear(const QImage &image, const QVector2D &uv)
{
    const float x = uv.x() * image.width() - 0.5f, y = uv.y() * image.height() - 0.5f;
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = x - x0, fy = y - y0;
    return (1 - fy) * ((1 - fx) * texel(image, x0, y0) + fx * texel(image, x0 + 1, y0))
           + fy * ((1 - fx) * texel(image, x0, y0 + 1) + fx * texel(image, x0 + 1, y0 + 1));
}

} // namespace

QImage RoomPreview::render(const QVector<modelgen::Triangle> &triangles, const QImage &lightMap,
                           const QVector3D &eye, const QVector3D &target, const QVector3D &up,
                           const QVector3D &position, const QVector3D &scale, int width, int height)
{
    const modelgen::RayCaster caster(triangles);
    QMatrix4x4 view;
    view.lookAt(eye, target, up);
    QMatrix4x4 projection;
    projection.perspective(60.0f, float(width) / float(height), 0.01f, 100.0f);
    const QMatrix4x4 inverse = (projection * view).inverted();
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float nx = 2.0f * (x + 0.5f) / width - 1.0f, ny = 1.0f - 2.0f * (y + 0.5f) / height;
            const QVector3D nearW = inverse.map(QVector3D(nx, ny, -1.0f));
            const QVector3D farW = inverse.map(QVector3D(nx, ny, 1.0f));
            const QVector3D o = (nearW - position) / scale;
            const QVector3D d = (farW - nearW) / scale;
            modelgen::RayCaster::Hit hit;
            int g = 255;
            if (caster.intersect(o, d, 0.0f, 1.0f, &hit)) {
                const modelgen::Triangle &t = triangles[hit.triangle];
                const QVector2D uv = (1 - hit.b1 - hit.b2) * t.texCoord[0] + hit.b1 * t.texCoord[1] + hit.b2 * t.texCoord[2];
                g = std::clamp(int(std::lround(bilinear(lightMap, uv))), 0, 255);
            }
            image.setPixel(x, y, qRgb(g, g, g));
        }
    }
    return image;
}
