#include "optics/PhGaussianIndexFunction.h"

#include <cmath>

QSharedPointer<PhGaussianIndexFunction> PhGaussianIndexFunction::create()
{
    return QSharedPointer<PhGaussianIndexFunction>::create();
}

double PhGaussianIndexFunction::value(double x) const
{
    const double d = x - center;
    return std::exp(-((widthCoefficient * d) * d)) * height;
}
