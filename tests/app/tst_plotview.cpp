// The refractive-index chart: curves, axes, scales, spectrum shading and chart replacement.
#include "app/ScPlotViewWidget.h"
#include "optics/PhComplexIndexFunction.h"
#include "optics/PhGaussianIndexFunction.h"
#include "optics/PhParabolicIndexFunction.h"
#include "optics/wavelengthToColor.h"

#include <QPointer>
#include <QtCharts/QChart>
#include <QtCharts/QSplineSeries>
#include <QtCharts/QValueAxis>
#include <QtTest>

using namespace QtCharts;

namespace {

QSharedPointer<PhComplexIndexFunction> glass(bool absorbing)
{
    QSharedPointer<PhComplexIndexFunction> f = PhComplexIndexFunction::create();
    f->realFunction = PhParabolicIndexFunction::create();
    if (absorbing)
        f->imaginaryFunction = PhGaussianIndexFunction::create();
    return f;
}

QValueAxis *axisAt(QChart *chart, Qt::Alignment alignment)
{
    const QList<QAbstractAxis *> axes = chart->axes();
    for (QAbstractAxis *axis : axes)
        if (axis->alignment() == alignment)
            return qobject_cast<QValueAxis *>(axis);
    return nullptr;
}

QString pointsText(const QVector<QPointF> &points)
{
    QStringList parts;
    for (const QPointF &p : points)
        parts << QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y(), 0, 'g', 8);
    return parts.join(' ');
}

} // namespace

class TestPlotView : public QObject
{
    Q_OBJECT

private slots:
    void curves_data();
    void curves();
    void axes_data();
    void axes();
    void spectrumShading();
    void eachCallReplacesTheChart();
};

void TestPlotView::curves_data()
{
    QTest::addColumn<bool>("absorbing");
    QTest::addColumn<double>("realScale");
    QTest::addColumn<double>("imaginaryScale");
    QTest::addColumn<double>("n380");
    QTest::addColumn<double>("n770");
    QTest::addColumn<double>("k580");

    const double k35 = double(0.35f);
    QTest::newRow("normal glass") << false << 1.0 << 1.0 << 1.344969 << 1.295461 << -1.0;
    QTest::newRow("normal glass, n halved") << false << 2.0 << 1.0 << 0.6724845 << 0.6477305 << -1.0;
    QTest::newRow("band, chart scale") << true << 1.0 << k35 << 1.344969 << 1.295461 << 0.3 / k35;
    QTest::newRow("band, unscaled") << true << 1.0 << 1.0 << 1.344969 << 1.295461 << 0.3;
}

// n is white at 40 samples 380 … 770 nm; κ, when present, black at the same samples.
void TestPlotView::curves()
{
    QFETCH(bool, absorbing);
    QFETCH(double, realScale);
    QFETCH(double, imaginaryScale);
    QFETCH(double, n380);
    QFETCH(double, n770);
    QFETCH(double, k580);
    const double tolerance = 1e-6;

    ScPlotViewWidget view;
    view.setIndexFunction(glass(absorbing), realScale, imaginaryScale);
    const QList<QAbstractSeries *> series = view.chart()->series();
    QVERIFY2(series.size() == (absorbing ? 2 : 1), qPrintable(QStringLiteral("%1 series").arg(series.size())));
    QVERIFY2(!view.chart()->legend()->isVisible(), "the legend is visible");

    auto *n = qobject_cast<QSplineSeries *>(series[0]);
    QVERIFY2(n, "the n curve is not a spline series");
    QVERIFY2(n->color() == QColor(Qt::white), qPrintable("n curve colour " + n->color().name()));
    const QVector<QPointF> np = n->pointsVector();
    QVERIFY2(np.size() == 40, qPrintable(QStringLiteral("%1 n samples").arg(np.size())));
    QVERIFY2(qAbs(np.first().x() - 380.0) < tolerance && qAbs(np.last().x() - 770.0) < 1e-3,
             qPrintable("n samples span " + pointsText({np.first(), np.last()})));
    QVERIFY2(qAbs(np.first().y() - n380) < tolerance && qAbs(np.last().y() - n770) < tolerance,
             qPrintable(QStringLiteral("n(380) %1, n(770) %2; expected %3, %4 within %5")
                            .arg(np.first().y(), 0, 'g', 9).arg(np.last().y(), 0, 'g', 9)
                            .arg(n380).arg(n770).arg(tolerance)));

    if (!absorbing)
        return;
    auto *k = qobject_cast<QSplineSeries *>(series[1]);
    QVERIFY2(k && k->pen().color() == QColor(Qt::black), "the κ curve is not a black spline");
    const QVector<QPointF> kp = k->pointsVector();
    QVERIFY2(kp.size() == 40, qPrintable(QStringLiteral("%1 κ samples").arg(kp.size())));
    const QPointF peak = kp[20];
    QVERIFY2(qAbs(peak.x() - 580.0) < 1e-6 && qAbs(peak.y() - k580) < tolerance,
             qPrintable(QStringLiteral("κ at sample 20 is (%1, %2), expected (580, %3) within %4")
                            .arg(peak.x()).arg(peak.y(), 0, 'g', 9).arg(k580).arg(tolerance)));
    for (const QPointF &p : kp)
        QVERIFY2(p.y() <= peak.y() + 1e-12, qPrintable("κ exceeds its peak at " + pointsText({p})));
}

void TestPlotView::axes_data()
{
    QTest::addColumn<bool>("absorbing");
    QTest::addColumn<double>("nMin");
    QTest::addColumn<double>("nMax");
    // The normal glass: smallest sample to the largest plus 0.02f.
    const double smallest = 0.24570000000000003 * 0.77 * 0.77 - 0.40950000000000003 * 0.77 + 1.4651;
    const double largest = 0.24570000000000003 * 0.38 * 0.38 - 0.40950000000000003 * 0.38 + 1.4651;
    QTest::newRow("normal glass") << false << smallest << largest + double(0.02f);
    QTest::newRow("band") << true << 1.0 << double(1.6f);
}

void TestPlotView::axes()
{
    QFETCH(bool, absorbing);
    QFETCH(double, nMin);
    QFETCH(double, nMax);
    const double tolerance = 1e-9;

    ScPlotViewWidget view;
    view.setIndexFunction(glass(absorbing), 1.0, double(0.35f));
    QChart *chart = view.chart();
    QValueAxis *x = axisAt(chart, Qt::AlignBottom);
    QValueAxis *n = axisAt(chart, Qt::AlignLeft);
    QValueAxis *k = axisAt(chart, Qt::AlignRight);
    QVERIFY2(x && n, "the wavelength or index axis is missing");
    QVERIFY2((k != nullptr) == absorbing, "a κ axis only with an absorption band");
    QVERIFY2(chart->axes().size() == (absorbing ? 3 : 2), qPrintable(QStringLiteral("%1 axes").arg(chart->axes().size())));

    QVERIFY2(x->min() == 380.0 && x->max() == 780.0 && x->tickCount() == 5 && x->labelFormat() == "%i",
             qPrintable(QStringLiteral("wavelength axis %1–%2, %3 ticks, format %4")
                            .arg(x->min()).arg(x->max()).arg(x->tickCount()).arg(x->labelFormat())));
    QCOMPARE(x->titleText(), QStringLiteral("Wavelength (nm)"));
    QCOMPARE(n->titleText(), QStringLiteral("Refractive index"));
    QVERIFY2(qAbs(n->min() - nMin) < tolerance && qAbs(n->max() - nMax) < tolerance && n->tickCount() == 5,
             qPrintable(QStringLiteral("index axis %1–%2 (%3 ticks), expected %4–%5 within %6")
                            .arg(n->min(), 0, 'g', 17).arg(n->max(), 0, 'g', 17).arg(n->tickCount())
                            .arg(nMin, 0, 'g', 17).arg(nMax, 0, 'g', 17).arg(tolerance)));
    for (QValueAxis *axis : {x, n, k})
        if (axis)
            QVERIFY2(!axis->isGridLineVisible(), qPrintable(axis->titleText() + " shows grid lines"));
    if (k) {
        QCOMPARE(k->titleText(), QStringLiteral("Absorption coeff."));
        QVERIFY2(k->min() == 0.0 && k->max() == 1.0,
                 qPrintable(QStringLiteral("κ axis %1–%2, expected 0–1").arg(k->min()).arg(k->max())));
        QVERIFY(chart->series()[1]->attachedAxes().contains(k));
    }
    QVERIFY(chart->series()[0]->attachedAxes().contains(n));
    QVERIFY(chart->series()[0]->attachedAxes().contains(x));
}

// The plot area is a horizontal gradient of 40 half-bright spectrum colours with alpha 0.7.
void TestPlotView::spectrumShading()
{
    ScPlotViewWidget view;
    view.setIndexFunction(glass(false), 1.0, 1.0);
    QChart *chart = view.chart();
    QVERIFY(chart->isPlotAreaBackgroundVisible());
    const QGradient *gradient = chart->plotAreaBackgroundBrush().gradient();
    QVERIFY2(gradient && gradient->type() == QGradient::LinearGradient, "the plot area has no linear gradient");
    QCOMPARE(gradient->coordinateMode(), QGradient::ObjectBoundingMode);
    const auto *linear = static_cast<const QLinearGradient *>(gradient);
    QCOMPARE(linear->start(), QPointF(0.0, 0.1));
    QCOMPARE(linear->finalStop(), QPointF(1.0, 0.1));
    const QGradientStops stops = gradient->stops();
    QVERIFY2(stops.size() == 40, qPrintable(QStringLiteral("%1 stops").arg(stops.size())));
    const double colourTolerance = 1.0 / 255.0;
    for (int i = 0; i < stops.size(); ++i) {
        const double wavelength = 0.38 + 0.01 * i;
        const QVector4D c = wavelengthToColor(wavelength, 0.7);
        const QColor s = stops[i].second;
        QVERIFY2(qAbs(stops[i].first - (wavelength - 0.38) / 0.4) < 1e-9
                     && qAbs(s.redF() - 0.5 * c.x()) < colourTolerance
                     && qAbs(s.greenF() - 0.5 * c.y()) < colourTolerance
                     && qAbs(s.blueF() - 0.5 * c.z()) < colourTolerance
                     && qAbs(s.alphaF() - 0.7) < colourTolerance,
                 qPrintable(QStringLiteral("stop %1 at %2: rgba(%3, %4, %5, %6), expected half of (%7, %8, %9) at alpha 0.7")
                                .arg(i).arg(stops[i].first).arg(s.redF()).arg(s.greenF()).arg(s.blueF())
                                .arg(s.alphaF()).arg(c.x()).arg(c.y()).arg(c.z())));
    }
}

// Every call installs a new chart and deletes the previous one; the function is shared.
void TestPlotView::eachCallReplacesTheChart()
{
    ScPlotViewWidget view;
    QVERIFY(view.indexFunction().isNull());
    QPointer<QChart> previous = view.chart();
    QVERIFY(previous);
    QSharedPointer<PhComplexIndexFunction> f = glass(true);
    for (int call = 0; call < 5; ++call) {
        view.setIndexFunction(f, 1.0, double(0.35f));
        QVERIFY2(previous.isNull(), qPrintable(QStringLiteral("call %1 left the previous chart alive").arg(call)));
        QVERIFY2(view.chart() && view.chart()->series().size() == 2, qPrintable(QStringLiteral("call %1").arg(call)));
        previous = view.chart();
    }
    QVERIFY2(view.indexFunction() == f, "the plotted function is not the one given");
    QVERIFY(view.renderHints().testFlag(QPainter::Antialiasing));
}

QTEST_MAIN(TestPlotView)
#include "tst_plotview.moc"
