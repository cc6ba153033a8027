#include "optics/wavelengthToColor.h"

#include <cmath>

namespace {

float channel(double factor, double value)
{
    if (value == 0.0)
        return 0.0f;
    const double base = factor * value;
    // pow(1, y) is exactly 1: most visible wavelengths have one channel at full strength.
    if (base == 1.0)
        return 1.0f;
    return float(std::pow(base, 0.9));
}

} // namespace

QVector4D wavelengthToColor(double wavelength, double alpha)
{
    const double w = 1000 * wavelength;

    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    if (w >= 380 && w < 440) {
        r = (w - 440) / -60;
        b = 1;
    } else if (w >= 440 && w < 490) {
        g = (w - 440) / 50;
        b = 1;
    } else if (w >= 490 && w < 510) {
        g = 1;
        b = (w - 510) / -20;
    } else if (w >= 510 && w < 580) {
        r = (w - 510) / 70;
        g = 1;
    } else if (w >= 580 && w < 645) {
        r = 1;
        g = (w - 645) / -65;
    } else if (w >= 645 && w <= 780) {
        r = 1;
    }

    double f = 0.0;
    if (w >= 380 && w < 402)
        f = (w - 380) * 0.7 / 22 + 0.3;
    else if (w >= 402 && w < 701)
        f = 1;
    else if (w >= 701 && w <= 780)
        f = (780 - w) * 0.7 / 80 + 0.3;

    return QVector4D(channel(f, r), channel(f, g), channel(f, b), float(alpha));
}
