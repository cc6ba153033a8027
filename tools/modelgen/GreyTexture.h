#pragma once

#include <QImage>
#include <QVector>

namespace modelgen {

// A picture's grey levels (qGray) divided by `white`, the level that stands for 1 there,
// sampled bilinearly with texel centres at (i + 0.5) / size, v = 0 the top row, and the
// border clamped.
class GreyTexture
{
public:
    GreyTexture() = default;
    GreyTexture(const QImage &image, float white);

    float sample(float u, float v) const;

private:
    int m_width = 0;
    int m_height = 0;
    QVector<float> m_grey; // row-major
};

} // namespace modelgen
