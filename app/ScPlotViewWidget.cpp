#include "app/ScPlotViewWidget.h"

#include "optics/PhComplexIndexFunction.h"
#include "optics/wavelengthToColor.h"

#include <QLinearGradient>
#include <QtCharts/QChart>
#include <QtCharts/QSplineSeries>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

namespace {

// The sampled wavelengths (micrometres): 0.38 growing by 0.01 while below 0.78, accumulated
// in double, which gives the 40 samples 0.38 … 0.77.
template<typename Visit>
void forEachSample(Visit visit)
{
    for (double wavelength = 0.38; wavelength < 0.78; wavelength += 0.01)
        visit(wavelength);
}

} // namespace

ScPlotViewWidget::ScPlotViewWidget(QWidget *parent)
    : QChartView(parent)
{
}

ScPlotViewWidget::~ScPlotViewWidget() = default;

QSharedPointer<PhComplexIndexFunction> ScPlotViewWidget::indexFunction() const
{
    return m_indexFunction;
}

void ScPlotViewWidget::setIndexFunction(QSharedPointer<PhComplexIndexFunction> function,
                                        double realScale, double imaginaryScale)
{
    static const QString wavelengthTitle = QStringLiteral("Wavelength (nm)");
    static const QString indexTitle = QStringLiteral("Refractive index");
    static const QString absorptionTitle = QStringLiteral("Absorption coeff.");

    auto *plot = new QChart();
    plot->legend()->hide();

    const bool absorbing = !function->imaginaryPart().isNull();
    auto *axisX = new QValueAxis();
    auto *axisN = new QValueAxis();
    QValueAxis *axisK = absorbing ? new QValueAxis() : nullptr;
    axisX->setRange(380.0, 780.0);
    axisX->setTickCount(5);
    axisX->setTitleText(wavelengthTitle);
    axisN->setTitleText(indexTitle);
    axisX->setGridLineVisible(false);
    axisN->setGridLineVisible(false);
    if (axisK) {
        axisK->setTitleText(absorptionTitle);
        axisK->setGridLineVisible(false);
    }

    // The plot area shaded with the spectrum at half brightness.
    QLinearGradient shade(0.0, 0.1, 1.0, 0.1);
    shade.setCoordinateMode(QGradient::ObjectBoundingMode);
    forEachSample([&shade](double wavelength) {
        const QVector4D c = wavelengthToColor(wavelength, 0.7);
        shade.setColorAt((wavelength - 0.38) / 0.4,
                         QColor::fromRgbF(0.5 * c.x(), 0.5 * c.y(), 0.5 * c.z(), c.w()));
    });
    plot->setPlotAreaBackgroundBrush(shade);
    plot->setPlotAreaBackgroundVisible(true);

    m_indexFunction = function;

    auto *seriesN = new QSplineSeries();
    seriesN->setColor(Qt::white);
    double minN = 1000.0;
    double maxN = -1000.0;
    forEachSample([&](double wavelength) {
        const double n = function->value(wavelength) / realScale;
        seriesN->append(1000.0 * wavelength, n);
        minN = qMin(minN, n);
        maxN = qMax(maxN, n);
    });
    plot->addSeries(seriesN);

    QSplineSeries *seriesK = nullptr;
    if (absorbing) {
        seriesK = new QSplineSeries();
        QPen pen = seriesK->pen();
        pen.setColor(Qt::black);
        seriesK->setPen(pen);
        forEachSample([&](double wavelength) {
            seriesK->append(1000.0 * wavelength, function->imaginaryValue(wavelength) / imaginaryScale);
        });
        plot->addSeries(seriesK);
    }

    axisX->setLabelFormat(QStringLiteral("%i"));
    axisN->setTickCount(5);

    plot->addAxis(axisX, Qt::AlignBottom);
    plot->addAxis(axisN, Qt::AlignLeft);
    if (axisK) {
        plot->addAxis(axisK, Qt::AlignRight);
        axisN->setRange(1.0, double(1.6f));
        axisK->setRange(0.0, 1.0);
    } else {
        axisN->setRange(minN, maxN + double(0.02f));
    }

    seriesN->attachAxis(axisX);
    seriesN->attachAxis(axisN);
    if (seriesK) {
        seriesK->attachAxis(axisX);
        seriesK->attachAxis(axisK);
    }

    QChart *previous = chart();
    setChart(plot);
    delete previous;

    setRenderHint(QPainter::Antialiasing);
}
