#include "tools/gfxgen/ScenePictures.h"

#include <cmath>

namespace ScenePictures {

QImage colorMask()
{
    constexpr int size = 64;
    constexpr double centre = 31.0;
    constexpr double radius = 22.0;
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - centre, y - centre);
            const int alpha = int(std::lround(255.0 * std::max(0.0, 1.0 - d / radius)));
            const int grey = alpha >= 128 ? 240 : 239;
            image.setPixel(x, y, alpha > 0 ? qRgba(grey, grey, grey, alpha) : qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

} // namespace ScenePictures
