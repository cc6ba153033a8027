#include "tools/gfxgen/GfxCanvas.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int samplesPerAxis = 4;

int toByte(double v)
{
    return int(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}
} // namespace

GfxCanvas::GfxCanvas(int width, int height, const QVector4D &background)
    : m_width(width), m_height(height), m_pixels(width * height)
{
    const double a = background.w();
    const std::array<double, 4> px{background.x() * a, background.y() * a, background.z() * a, a};
    std::fill(m_pixels.begin(), m_pixels.end(), px);
}

void GfxCanvas::fill(const QRectF &bounds, const Inside &inside, const QVector4D &color)
{
    fill(bounds, inside, [color](double, double) { return color; });
}

void GfxCanvas::fill(const QRectF &bounds, const Inside &inside, const Paint &paint)
{
    const int x0 = std::max(0, int(std::floor(bounds.left())));
    const int y0 = std::max(0, int(std::floor(bounds.top())));
    const int x1 = std::min(m_width, int(std::ceil(bounds.right())));
    const int y1 = std::min(m_height, int(std::ceil(bounds.bottom())));
    const double step = 1.0 / samplesPerAxis;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            std::array<double, 4> sum{0, 0, 0, 0};
            for (int sy = 0; sy < samplesPerAxis; ++sy) {
                for (int sx = 0; sx < samplesPerAxis; ++sx) {
                    const double px = x + (sx + 0.5) * step;
                    const double py = y + (sy + 0.5) * step;
                    if (!inside(px, py))
                        continue;
                    const QVector4D c = paint(px, py);
                    const double a = std::clamp(double(c.w()), 0.0, 1.0);
                    sum[0] += c.x() * a;
                    sum[1] += c.y() * a;
                    sum[2] += c.z() * a;
                    sum[3] += a;
                }
            }
            const double n = samplesPerAxis * samplesPerAxis;
            std::array<double, 4> &dst = m_pixels[y * m_width + x];
            const double keep = 1.0 - sum[3] / n;
            for (int i = 0; i < 4; ++i)
                dst[i] = sum[i] / n + dst[i] * keep;
        }
    }
}

QImage GfxCanvas::toImage() const
{
    QImage image(m_width, m_height, QImage::Format_ARGB32);
    for (int y = 0; y < m_height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < m_width; ++x) {
            const std::array<double, 4> &p = m_pixels[y * m_width + x];
            const int a = toByte(p[3]);
            if (a == 0) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            line[x] = qRgba(toByte(p[0] / p[3]), toByte(p[1] / p[3]), toByte(p[2] / p[3]), a);
        }
    }
    return image;
}
