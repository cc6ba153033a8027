// Median timings of the optics hot paths: tracing a 1000-ray bundle through five faces,
// taking its cross-sections, and one 100-node Kramers–Kronig table build, the latter beside the
// build's own κ evaluations alone and their ratio. It prints figures only, no targets.
#include "optics/IPhRefractiveObject.h"
#include "optics/PhComplexIndexFunction.h"
#include "optics/PhGaussianIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/PhRayBundle.h"
#include "optics/PhRefractivePlane.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <QVector>

#include <algorithm>
#include <functional>

namespace {

// Two faces traced as a prism traces them: entering, then leaving.
class Slab : public IPhRefractiveObject
{
public:
    void refract(PhRay *ray, bool) override
    {
        entry.refract(ray, true);
        exit.refract(ray, false);
    }
    PhRefractivePlane entry;
    PhRefractivePlane exit;
};

// A face through (0, 0, z) with the given normal, boxed 10 units around the axis.
void placeFace(PhRefractivePlane &face, float z, const QVector3D &normal,
               const QSharedPointer<PhComplexIndexFunction> &glass)
{
    face.normal = normal;
    face.material = glass;
    // The plane's z at x = y = ∓10.
    const float zLow = z + (10 * normal.x() + 10 * normal.y()) / normal.z();
    const float zHigh = z - (10 * normal.x() + 10 * normal.y()) / normal.z();
    face.cornerA = QVector3D(-10, -10, zLow);
    face.cornerB = QVector3D(10, 10, zHigh);
    const float reach = std::abs(zHigh - zLow) + 1;
    face.cornerB.setZ(zHigh + (zHigh >= zLow ? reach : -reach));
}

double medianNs(int repeats, const std::function<void()> &work)
{
    QVector<qint64> times;
    times.reserve(repeats);
    QElapsedTimer timer;
    for (int i = 0; i < repeats; ++i) {
        timer.start();
        work();
        times.append(timer.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    return double(times[repeats / 2]);
}

} // namespace

int main()
{
    QTextStream out(stdout);

    auto normalGlass = PhComplexIndexFunction::create();
    normalGlass->realFunction = PhParabolicIndexFunction::create();
    auto anomalousGlass = PhComplexIndexFunction::create();
    anomalousGlass->imaginaryFunction = PhGaussianIndexFunction::create();
    anomalousGlass->buildRealPartFromAbsorption(0.38, 0.78, 100);

    // Two crossed slabs, the second absorbing, then a pass-through screen: five faces.
    Slab first;
    placeFace(first.entry, 1, QVector3D(0.5f, 0, 1), normalGlass);
    placeFace(first.exit, 2, QVector3D(-0.5f, 0, 1), normalGlass);
    Slab second;
    placeFace(second.entry, 4, QVector3D(0, 0.5f, 1), anomalousGlass);
    placeFace(second.exit, 4.5f, QVector3D(0, -0.5f, 1), anomalousGlass);
    PhRefractivePlane screen;
    screen.passThrough = true;
    screen.normal = QVector3D(0, 0, -1);
    screen.cornerA = QVector3D(-20, -20, 10);
    screen.cornerB = QVector3D(20, 20, 10);

    PhRayBundle bundle;
    auto trace = [&] {
        bundle = PhRayBundle();
        bundle.reset(1000).setOrigin(QVector3D(0, 0, 0)).setDirection(QVector3D(0, 0, 1));
        bundle.traceThrough(&first);
        bundle.traceThrough(&second);
        bundle.traceThrough(&screen);
    };
    trace();
    int hits = 0;
    for (const PhRay &ray : qAsConst(bundle.rays))
        hits += ray.points.last().direction != ray.points.first().direction;

    QVector<PhColoredPoint> section;
    int sectionPoints = 0;
    auto sections = [&] {
        sectionPoints = 0;
        const int count = bundle.rays[0].points.size();
        for (int k = 0; k < count; ++k) {
            const bool last = k == count - 1;
            bundle.crossSection(section, k, last ? 0.0f : 1.0f, last ? QVector3D(1.2f, 1.5f, 1) : QVector3D(1, 1, 1));
            sectionPoints += section.size();
        }
    };

    const double traceNs = medianNs(501, trace);
    const double sectionNs = medianNs(501, sections);

    const double lo = 0.38, hi = 0.78;
    const int nodes = 100;
    auto build = [&] { anomalousGlass->buildRealPartFromAbsorption(lo, hi, nodes); };
    const double buildNs = medianNs(21, build);

    // The build's own 600,000 κ evaluations alone: for each node, the Simpson rule's 1000 panels
    // of three points each (integrateKramersKronig), κ at λ − x and λ + x.
    volatile double sink = 0;
    auto kappa = [&] {
        const double a = 1e-8, b = anomalousGlass->imaginaryPart()->effectiveRange();
        const int panels = 10 * nodes;
        const double h = (b - a) / panels;
        const double half = h * 0.5;
        double sum = 0;
        for (int i = 0; i < nodes; ++i) {
            const double wavelength = (i * (hi - lo)) / nodes + lo;
            for (int j = 0; j < panels; ++j) {
                const double x0 = j * h + a;
                const double xm = x0 + half;
                const double xe = xm + half;
                for (const double x : {x0, xm, xe})
                    sum += anomalousGlass->imaginaryValue(wavelength - x) + anomalousGlass->imaginaryValue(wavelength + x);
            }
        }
        sink = sum;
    };
    const double kappaNs = medianNs(21, kappa);

    out << "rays changed by the faces: " << hits << " of " << bundle.rays.size()
        << ", points per ray: " << bundle.rays[0].points.size() << ", section entries: " << sectionPoints << "\n";
    out << QString("reset + trace, 1000 rays, 5 faces:  %1 ms\n").arg(traceNs / 1e6, 0, 'f', 4);
    out << QString("cross-sections (%1):               %2 ms\n").arg(bundle.rays[0].points.size()).arg(sectionNs / 1e6, 0, 'f', 4);
    out << QString("trace + cross-sections:            %1 ms\n").arg((traceNs + sectionNs) / 1e6, 0, 'f', 4);
    out << QString("buildRealPartFromAbsorption(0.38, 0.78, 100): %1 ms\n").arg(buildNs / 1e6, 0, 'f', 3);
    out << QString("its 600,000 kappa evaluations:     %1 ms\n").arg(kappaNs / 1e6, 0, 'f', 3);
    out << QString("build / its kappa evaluations:     %1\n").arg(buildNs / kappaNs, 0, 'f', 3);
    return 0;
}
