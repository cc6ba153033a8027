#include "tools/roomgen/RoomPreview.h"

#include "tools/modelgen/GreyTexture.h"
#include "tools/modelgen/RayCaster.h"

#include <QMatrix4x4>

#include <algorithm>
#include <cmath>

QImage RoomPreview::render(const QVector<modelgen::Triangle> &triangles, const QImage &lightMap,
                           const QVector3D &eye, const QVector3D &target, const QVector3D &up,
                           const QVector3D &position, const QVector3D &scale, int width, int height)
{
    const modelgen::RayCaster caster(triangles);
    const modelgen::GreyTexture levels(lightMap, 1.0f); // 0..255
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
                g = std::clamp(int(std::lround(levels.sample(uv.x(), uv.y()))), 0, 255);
            }
            image.setPixel(x, y, qRgb(g, g, g));
        }
    }
    return image;
}
