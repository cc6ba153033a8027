#pragma once

// A function of the vacuum wavelength (micrometres): refractive index n(λ) or absorption κ(λ).
// Base value: f(λ) = 0; effective range: smallest R = 5 + 2k with |f(±R)| <= 0.01.
class PhIndexFunction
{
public:
    virtual ~PhIndexFunction();
    virtual double value(double wavelength) const;
    // Half-width R outside of which the function may be taken as 0. The outward search
    // ends only for functions that fall to 0.01 or below on both sides.
    virtual double effectiveRange() const;
};
