#pragma once

#include "optics/PhIndexFunction.h"

#include <QSharedPointer>
#include <QVector>

// Table on [rangeMin, rangeMax], linear between nodes, ramping to 0 at ±effectiveRange():
// f(λ) = t[i₀] + (t[i₁] − t[i₀])·(λ − x₀)/(x₁ − x₀), i = floor/ceil((n − 1)·(λ − lo)/(hi − lo)),
// xᵢ = i·(hi − lo)/n + lo. Needs at least one entry and rangeMin < rangeMax.
class PhUniformMeshIndexFunction : public PhIndexFunction
{
public:
    static QSharedPointer<PhUniformMeshIndexFunction> create();

    double value(double wavelength) const override;
    // 5 · max(|rangeMax|, |rangeMin|).
    double effectiveRange() const override;

    double rangeMin = 0.0;
    double rangeMax = 1.0;
    QVector<double> table;
};
