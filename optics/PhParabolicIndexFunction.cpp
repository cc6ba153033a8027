#include "optics/PhParabolicIndexFunction.h"

QSharedPointer<PhParabolicIndexFunction> PhParabolicIndexFunction::create()
{
    return QSharedPointer<PhParabolicIndexFunction>::create();
}

double PhParabolicIndexFunction::value(double x) const
{
    return (a * x) * x + b * x + c;
}
