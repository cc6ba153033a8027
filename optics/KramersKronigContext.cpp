#include "optics/KramersKronigContext.h"

#include "optics/PhComplexIndexFunction.h"

namespace {

double integrand(double x, const KramersKronigContext *context)
{
    const PhComplexIndexFunction *f = context->function;
    const double wavelength = *context->wavelength;
    const double below = f->imaginaryValue(wavelength - x);
    const double above = f->imaginaryValue(wavelength + x);
    return (below / x - above / x) * 0.3183098861837907;
}

} // namespace

double integrateKramersKronig(double a, double b, int n, const KramersKronigContext *context)
{
    const double h = (b - a) / n;
    const double half = h * 0.5;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const double x0 = i * h + a;
        const double xm = x0 + half;
        const double xe = xm + half;
        const double g0 = integrand(x0, context);
        const double gm = integrand(xm, context);
        const double ge = integrand(xe, context);
        sum = (ge + (4 * gm + g0)) + sum;
    }
    return sum * h / 6;
}
