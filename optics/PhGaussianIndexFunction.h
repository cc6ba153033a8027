#pragma once

#include "optics/PhContinuousIndexFunction.h"

#include <QSharedPointer>

// Absorption band: κ(λ) = exp(−((widthCoefficient·(λ − center))·(λ − center))) · height.
class PhGaussianIndexFunction : public PhContinuousIndexFunction
{
public:
    static QSharedPointer<PhGaussianIndexFunction> create();

    double value(double wavelength) const override;

    double center = 0.58;            // micrometres
    double widthCoefficient = 1600;  // 4 / w² for a band width w in micrometres
    double height = 0.3;             // peak absorption coefficient
};
