#pragma once

#include "optics/PhIndexFunction.h"

#include <QSharedPointer>

// The glass: n(λ) = realFunction(λ), κ(λ) = imaginaryFunction(λ) (null: no absorption).
class PhComplexIndexFunction : public PhIndexFunction
{
public:
    static QSharedPointer<PhComplexIndexFunction> create();

    // n(λ); needs a real part.
    double value(double wavelength) const override;
    // κ(λ); needs an imaginary part.
    virtual double imaginaryValue(double wavelength) const;

    QSharedPointer<PhIndexFunction> realPart() const;
    QSharedPointer<PhIndexFunction> imaginaryPart() const;

    // Replaces the real part by a count-node table on [lo, hi) of the default parabola plus the
    // Kramers–Kronig correction of the imaginary part. Needs an imaginary part and count >= 1.
    PhComplexIndexFunction *buildRealPartFromAbsorption(double lo, double hi, int count);

    QSharedPointer<PhIndexFunction> realFunction;
    QSharedPointer<PhIndexFunction> imaginaryFunction;
};
