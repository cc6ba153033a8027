#include "optics/PhGaussianIndexFunction.h"

#include <cmath>

QSharedPointer<PhGaussianIndexFunction> PhGaussianIndexFunction::create()
{
    return QSharedPointer<PhGaussianIndexFunction>::create();
}

double PhGaussianIndexFunction::value(double x) const
{
    const double d = x - center;
    const double exponent = -((widthCoefficient * d) * d);
    // exp rounds to +0 below about -745.1332; below -746 its slow underflow path is skipped.
    // A NaN exponent fails the comparison and still goes through exp.
    if (exponent < -746.0)
        return 0.0 * height; // exp(exponent) * height there, whatever the height
    return std::exp(exponent) * height;
}
