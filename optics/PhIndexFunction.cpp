#include "optics/PhIndexFunction.h"

#include <cmath>

PhIndexFunction::~PhIndexFunction() = default;

double PhIndexFunction::value(double) const
{
    return 0.0;
}

double PhIndexFunction::effectiveRange() const
{
    // A NaN magnitude compares false, so it counts as small.
    double r = 5.0;
    for (;;) {
        if (std::abs(value(r)) > 0.01 || std::abs(value(-r)) > 0.01)
            r += 2.0;
        else
            return r;
    }
}
