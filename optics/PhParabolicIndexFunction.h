#pragma once

#include "optics/PhContinuousIndexFunction.h"

#include <QSharedPointer>

// Normal dispersion: n(λ) = (a·λ)·λ + b·λ + c.
class PhParabolicIndexFunction : public PhContinuousIndexFunction
{
public:
    static QSharedPointer<PhParabolicIndexFunction> create();

    double value(double wavelength) const override;

    double a = 0.91 * 0.27;
    double b = 0.91 * -0.45;
    double c = 0.91 * 1.61;
};
