#include "tools/modelgen/GreyTexture.h"

#include <algorithm>
#include <cmath>

namespace modelgen {

GreyTexture::GreyTexture(const QImage &image, float white)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    m_width = argb.width();
    m_height = argb.height();
    m_grey.resize(m_width * m_height);
    for (int y = 0; y < m_height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < m_width; ++x)
            m_grey[y * m_width + x] = qGray(line[x]) / white;
    }
}

float GreyTexture::sample(float u, float v) const
{
    const float x = u * m_width - 0.5f;
    const float y = v * m_height - 0.5f;
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const float fx = x - x0;
    const float fy = y - y0;
    const auto texel = [this](int i, int j) {
        i = std::clamp(i, 0, m_width - 1);
        j = std::clamp(j, 0, m_height - 1);
        return m_grey[j * m_width + i];
    };
    const float top = texel(x0, y0) * (1 - fx) + texel(x0 + 1, y0) * fx;
    const float bottom = texel(x0, y0 + 1) * (1 - fx) + texel(x0 + 1, y0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

} // namespace modelgen
