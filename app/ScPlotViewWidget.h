#pragma once

#include <QSharedPointer>
#include <QtCharts/QChartView>

class PhComplexIndexFunction;

// Chart of a glass over 380–780 nm: n curve y = f.value(λ) / realScale (white), and, when f
// has an imaginary part, κ curve y = f.imaginaryValue(λ) / imaginaryScale (black) on a right
// axis; the plot area is shaded with the spectrum. Every call rebuilds the whole chart.
class ScPlotViewWidget : public QtCharts::QChartView
{
public:
    explicit ScPlotViewWidget(QWidget *parent = nullptr);
    ~ScPlotViewWidget() override;

    void setIndexFunction(QSharedPointer<PhComplexIndexFunction> function, double realScale,
                          double imaginaryScale);

    // The function last plotted (null before the first plot).
    QSharedPointer<PhComplexIndexFunction> indexFunction() const;

    QSharedPointer<PhComplexIndexFunction> m_indexFunction;
};
