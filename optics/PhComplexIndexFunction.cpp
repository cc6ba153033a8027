#include "optics/PhComplexIndexFunction.h"

#include "optics/KramersKronigContext.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhUniformMeshIndexFunction.h"

#include <QVector>

QSharedPointer<PhComplexIndexFunction> PhComplexIndexFunction::create()
{
    return QSharedPointer<PhComplexIndexFunction>::create();
}

double PhComplexIndexFunction::value(double x) const
{
    return realFunction->value(x);
}

double PhComplexIndexFunction::imaginaryValue(double x) const
{
    return imaginaryFunction->value(x);
}

QSharedPointer<PhIndexFunction> PhComplexIndexFunction::realPart() const
{
    return realFunction;
}

QSharedPointer<PhIndexFunction> PhComplexIndexFunction::imaginaryPart() const
{
    return imaginaryFunction;
}

PhComplexIndexFunction *PhComplexIndexFunction::buildRealPartFromAbsorption(double lo, double hi, int count)
{
    QVector<double> table(count, 0.0);
    const double upper = imaginaryPart()->effectiveRange();
    // The default parabola, whatever the real part was before.
    const PhParabolicIndexFunction parabola;

    double wavelength = 0.0;
    KramersKronigContext context{this, &wavelength};
    for (int i = 0; i < count; ++i) {
        wavelength = (i * (hi - lo)) / count + lo;
        const double base = parabola.value(wavelength);
        const double delta = integrateKramersKronig(1e-8, upper, 10 * count, &context);
        table[i] = delta + base;
    }

    auto mesh = PhUniformMeshIndexFunction::create();
    mesh->table = table;
    mesh->rangeMin = lo;
    mesh->rangeMax = hi;
    realFunction = mesh;
    return this;
}
