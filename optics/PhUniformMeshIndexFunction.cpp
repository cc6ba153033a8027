#include "optics/PhUniformMeshIndexFunction.h"

#include <algorithm>
#include <cmath>

QSharedPointer<PhUniformMeshIndexFunction> PhUniformMeshIndexFunction::create()
{
    return QSharedPointer<PhUniformMeshIndexFunction>::create();
}

double PhUniformMeshIndexFunction::effectiveRange() const
{
    return 5.0 * std::max(std::abs(rangeMax), std::abs(rangeMin));
}

double PhUniformMeshIndexFunction::value(double x) const
{
    const double r = effectiveRange();
    const double lo = rangeMin;
    const double hi = rangeMax;
    const int n = table.size();
    const double first = table[0];
    const double last = table[n - 1];

    if (x < lo) {
        if (x < -r)
            return 0.0;
        return ((x - (-r)) / (lo - (-r))) * first + 0.0;
    }
    if (x > hi) {
        if (x > r)
            return 0.0;
        return ((x - hi) / (r - hi)) * (0.0 - last) + last;
    }

    // The fractional index uses n − 1 nodes but the node positions use the spacing (hi − lo)/n,
    // so the weight exceeds 1 near hi (extrapolation from the last two nodes).
    const double s = (n - 1) * ((x - lo) / (hi - lo));
    const int i0 = int(std::floor(s));
    const int i1 = int(std::ceil(s));
    const double x0 = (i0 * (hi - lo)) / n + lo;
    const double x1 = (i1 * (hi - lo)) / n + lo;
    if (x0 == x1)
        return table[i0];
    return table[i0] + (table[i1] - table[i0]) * ((x - x0) / (x1 - x0));
}
