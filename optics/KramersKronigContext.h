#pragma once

class PhComplexIndexFunction;

// Context of the Kramers–Kronig integrand g(x) = (κ(λ − x)/x − κ(λ + x)/x) / π,
// κ = function→imaginaryValue, λ = *wavelength (both read on every evaluation).
struct KramersKronigContext
{
    const PhComplexIndexFunction *function;
    const double *wavelength;
};

// ∫ g(x) dx from a to b by the composite Simpson rule on n panels.
double integrateKramersKronig(double a, double b, int n, const KramersKronigContext *context);
