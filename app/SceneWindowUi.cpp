#include "app/SceneWindowUi.h"

#include "app/FormParts.h"
#include "app/ScPlotViewWidget.h"
#include "scene/ScOpenGLWidget.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>

namespace {

QDockWidget *newDock(QMainWindow *window, const char *name, int maxHeight)
{
    auto *dock = new QDockWidget(window);
    dock->setObjectName(QString::fromLatin1(name));
    dock->setMaximumSize(QSize(405, maxHeight));
    dock->setFloating(false);
    dock->setFeatures(QDockWidget::DockWidgetVerticalTitleBar);
    return dock;
}

// A dock's contents widget, not yet in its dock.
QWidget *newDockContents(const char *name)
{
    auto *contents = new QWidget();
    contents->setObjectName(QString::fromLatin1(name));
    return contents;
}

// The grid of a dock's contents, its rows 3 apart.
QGridLayout *newDockGrid(QWidget *contents, const char *name)
{
    auto *grid = new QGridLayout(contents);
    grid->setVerticalSpacing(3);
    grid->setObjectName(QString::fromLatin1(name));
    return grid;
}

QLabel *newLabel(QWidget *parent, const char *name, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(alignment);
    return label;
}

// A centred, word-wrapped label of the prism controls.
QLabel *newWrappedLabel(QWidget *parent, const char *name)
{
    QLabel *label = newLabel(parent, name, Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

// A legend swatch: the picture at a fixed size.
QLabel *newSwatch(QWidget *parent, const char *name, const QString &picture)
{
    auto *swatch = new QLabel(parent);
    swatch->setObjectName(QString::fromLatin1(name));
    FormParts::applySizePolicy(swatch, QSizePolicy::Fixed, QSizePolicy::Fixed);
    swatch->setPixmap(QPixmap(picture));
    return swatch;
}

// A label of the absorption block: enabled explicitly, with its alignment.
QLabel *newBandLabel(QWidget *parent, const char *name, Qt::Alignment alignment)
{
    QLabel *label = newLabel(parent, name, alignment);
    label->setEnabled(true);
    return label;
}

QSlider *newBandSlider(QWidget *parent, const char *name, int minimum, int maximum, int value,
                       int tickInterval, int pageStep = -1)
{
    auto *slider = new QSlider(parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setEnabled(true);
    slider->setMinimum(minimum);
    slider->setMaximum(maximum);
    if (pageStep >= 0)
        slider->setPageStep(pageStep);
    slider->setValue(value);
    if (pageStep >= 0)
        slider->setSliderPosition(value);
    slider->setOrientation(Qt::Horizontal);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(tickInterval);
    return slider;
}

} // namespace

void SceneWindowUi::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("SceneWindow"));
    window->resize(1020, 771);
    QFont windowFont;
    windowFont.setFamily(QStringLiteral("Courant"));
    windowFont.setPointSize(12);
    window->setFont(windowFont);

    centralWidget = new QWidget(window);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));
    gridLayout_2 = new QGridLayout(centralWidget);
    gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
    sceneWidget = new ScOpenGLWidget(centralWidget);
    sceneWidget->setObjectName(QStringLiteral("sceneWidget"));
    gridLayout_2->addWidget(sceneWidget, 0, 0, 1, 1);
    window->setCentralWidget(centralWidget);

    // First dock: set-ups and the controlled prism.
    dockSceneParams = newDock(window, "dockSceneParams", 156);
    dockSceneParamsContents = newDockContents("dockSceneParamsContents");
    gridLayout_3 = newDockGrid(dockSceneParamsContents, "gridLayout_3");

    QWidget *params = dockSceneParamsContents;
    labelFirstPrismRotation = newWrappedLabel(params, "labelFirstPrismRotation");
    gridLayout_3->addWidget(labelFirstPrismRotation, 6, 0, 1, 1);
    separatorLayoutButtons = FormParts::newSeparator(params, "separatorLayoutButtons");
    gridLayout_3->addWidget(separatorLayoutButtons, 4, 0, 1, 2);
    labelFirstPrismAngle = newWrappedLabel(params, "labelFirstPrismAngle");
    gridLayout_3->addWidget(labelFirstPrismAngle, 6, 1, 1, 1);
    labelFirstPrism = newWrappedLabel(params, "labelFirstPrism");
    gridLayout_3->addWidget(labelFirstPrism, 5, 0, 1, 2);

    spinBoxFirstPrismRotation = new QSpinBox(params);
    spinBoxFirstPrismRotation->setObjectName(QStringLiteral("spinBoxFirstPrismRotation"));
    spinBoxFirstPrismRotation->setMinimum(-10);
    spinBoxFirstPrismRotation->setMaximum(8);
    gridLayout_3->addWidget(spinBoxFirstPrismRotation, 7, 0, 1, 1);
    spinBoxFirstPrismAngle = new QSpinBox(params);
    spinBoxFirstPrismAngle->setObjectName(QStringLiteral("spinBoxFirstPrismAngle"));
    spinBoxFirstPrismAngle->setMinimum(50);
    spinBoxFirstPrismAngle->setMaximum(60);
    spinBoxFirstPrismAngle->setValue(60);
    gridLayout_3->addWidget(spinBoxFirstPrismAngle, 7, 1, 1, 1);

    layoutSetupControls = new QHBoxLayout();
    layoutSetupControls->setObjectName(QStringLiteral("layoutSetupControls"));
    QFont setupFont;
    setupFont.setPointSize(14);
    setupFont.setWeight(QFont::Bold);
    auto newSetupButton = [params, &setupFont](const char *name) {
        auto *button = new QPushButton(params);
        button->setObjectName(QString::fromLatin1(name));
        button->setMinimumSize(QSize(0, 35));
        button->setFont(setupFont);
        return button;
    };
    pushButtonSetupOnePrism = newSetupButton("pushButtonSetupOnePrism");
    layoutSetupControls->addWidget(pushButtonSetupOnePrism);
    pushButtonSetupTwoPrisms = newSetupButton("pushButtonSetupTwoPrisms");
    layoutSetupControls->addWidget(pushButtonSetupTwoPrisms);
    gridLayout_3->addLayout(layoutSetupControls, 2, 0, 1, 2);

    checkBoxSecondPrismAnomalous = new QCheckBox(params);
    checkBoxSecondPrismAnomalous->setObjectName(QStringLiteral("checkBoxSecondPrismAnomalous"));
    checkBoxSecondPrismAnomalous->setEnabled(true);
    gridLayout_3->addWidget(checkBoxSecondPrismAnomalous, 9, 0, 1, 2);
    spacerSceneParams = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    gridLayout_3->addItem(spacerSceneParams, 10, 0, 1, 2);

    dockSceneParams->setWidget(dockSceneParamsContents);
    window->addDockWidget(Qt::LeftDockWidgetArea, dockSceneParams);

    // Second dock: chart, legend, absorption band, Exit.
    dockRefractiveIndexParams = newDock(window, "dockRefractiveIndexParams", 524287);
    dockWidgetContents = newDockContents("dockWidgetContents");
    gridLayout = newDockGrid(dockWidgetContents, "gridLayout");

    QWidget *band = dockWidgetContents;
    const Qt::Alignment minAlign = Qt::AlignLeft | Qt::AlignTop;
    const Qt::Alignment midAlign = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment maxAlign = Qt::AlignRight | Qt::AlignTop;
    const Qt::Alignment captionAlign = Qt::AlignHCenter | Qt::AlignBottom;
    QFont captionFont;
    captionFont.setWeight(QFont::Bold);
    auto newCaption = [band, &captionFont, captionAlign](const char *name) {
        QLabel *label = newBandLabel(band, name, captionAlign);
        label->setFont(captionFont);
        label->setWordWrap(false);
        return label;
    };

    labelAbspSpectrumWidthMin = newBandLabel(band, "labelAbspSpectrumWidthMin", minAlign);
    gridLayout->addWidget(labelAbspSpectrumWidthMin, 20, 0, 1, 1);
    labelAbspSpectrumHeight = newCaption("labelAbspSpectrumHeight");
    gridLayout->addWidget(labelAbspSpectrumHeight, 21, 0, 1, 3);
    sliderAbspSpectrumHeight = newBandSlider(band, "sliderAbspSpectrumHeight", 0, 35, 30, 9, 5);
    gridLayout->addWidget(sliderAbspSpectrumHeight, 22, 0, 1, 3);
    sliderAbspSpectrumCenter = newBandSlider(band, "sliderAbspSpectrumCenter", 400, 760, 580, 100);
    gridLayout->addWidget(sliderAbspSpectrumCenter, 14, 0, 1, 3);
    labelAbspSpectrumCenterMid = newBandLabel(band, "labelAbspSpectrumCenterMid", midAlign);
    gridLayout->addWidget(labelAbspSpectrumCenterMid, 17, 1, 1, 1);
    labelAbspSpectrumHeightMax = newBandLabel(band, "labelAbspSpectrumHeightMax", maxAlign);
    gridLayout->addWidget(labelAbspSpectrumHeightMax, 23, 2, 1, 1);
    labelAbspSpectrumCenterMin = newBandLabel(band, "labelAbspSpectrumCenterMin", minAlign);
    gridLayout->addWidget(labelAbspSpectrumCenterMin, 17, 0, 1, 1);
    labelAbspSpectrumWidthMax = newBandLabel(band, "labelAbspSpectrumWidthMax", maxAlign);
    gridLayout->addWidget(labelAbspSpectrumWidthMax, 20, 2, 1, 1);
    labelAbspSpectrumWidthMid = newBandLabel(band, "labelAbspSpectrumWidthMid", midAlign);
    gridLayout->addWidget(labelAbspSpectrumWidthMid, 20, 1, 1, 1);
    sliderAbspSpectrumWidth = newBandSlider(band, "sliderAbspSpectrumWidth", 3000, 12000, 5000, 1046);
    gridLayout->addWidget(sliderAbspSpectrumWidth, 19, 0, 1, 3);
    labelAbspSpectrumCenter = newCaption("labelAbspSpectrumCenter");
    gridLayout->addWidget(labelAbspSpectrumCenter, 12, 0, 1, 3);
    labelAbspSpectrumWidth = newCaption("labelAbspSpectrumWidth");
    gridLayout->addWidget(labelAbspSpectrumWidth, 18, 0, 1, 3);
    labelAbspSpectrumHeightMin = newBandLabel(band, "labelAbspSpectrumHeightMin", minAlign);
    gridLayout->addWidget(labelAbspSpectrumHeightMin, 23, 0, 1, 1);
    labelAbspSpectrumHeightMid = newBandLabel(band, "labelAbspSpectrumHeightMid", midAlign);
    gridLayout->addWidget(labelAbspSpectrumHeightMid, 23, 1, 1, 1);
    labelAbspSpectrumCenterMax = newBandLabel(band, "labelAbspSpectrumCenterMax", maxAlign);
    gridLayout->addWidget(labelAbspSpectrumCenterMax, 17, 2, 1, 1);

    chartRefractiveIndex = new ScPlotViewWidget(band);
    chartRefractiveIndex->setObjectName(QStringLiteral("chartRefractiveIndex"));
    chartRefractiveIndex->setMinimumSize(QSize(0, 170));
    gridLayout->addWidget(chartRefractiveIndex, 11, 0, 1, 3);

    layoutPlotLabels = new QGridLayout();
    layoutPlotLabels->setObjectName(QStringLiteral("layoutPlotLabels"));
    layoutPlotLabels->setContentsMargins(-1, 0, -1, -1);
    labelPlotRefr = new QLabel(band);
    labelPlotRefr->setObjectName(QStringLiteral("labelPlotRefr"));
    layoutPlotLabels->addWidget(labelPlotRefr, 0, 1, 1, 1);
    imageLabelPlotRefr = newSwatch(band, "imageLabelPlotRefr", QStringLiteral(":/gfx/green.png"));
    layoutPlotLabels->addWidget(imageLabelPlotRefr, 0, 0, 1, 1);
    imageLabelPlotAbsp = newSwatch(band, "imageLabelPlotAbsp", QStringLiteral(":/gfx/blue.png"));
    layoutPlotLabels->addWidget(imageLabelPlotAbsp, 1, 0, 1, 1);
    labelPlotAbsp = new QLabel(band);
    labelPlotAbsp->setObjectName(QStringLiteral("labelPlotAbsp"));
    layoutPlotLabels->addWidget(labelPlotAbsp, 1, 1, 1, 1);
    gridLayout->addLayout(layoutPlotLabels, 0, 0, 1, 3);

    pushButtonToMenu = new QPushButton(band);
    pushButtonToMenu->setObjectName(QStringLiteral("pushButtonToMenu"));
    pushButtonToMenu->setMinimumSize(QSize(0, 35));
    gridLayout->addWidget(pushButtonToMenu, 24, 0, 1, 3);

    dockRefractiveIndexParams->setWidget(dockWidgetContents);
    window->addDockWidget(Qt::LeftDockWidgetArea, dockRefractiveIndexParams);

    retranslateUi(window);
    QMetaObject::connectSlotsByName(window);
}

void SceneWindowUi::retranslateUi(QMainWindow *window)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("SceneWindow", text); };
    window->setWindowTitle(tr("Zelvaro"));
    labelFirstPrismRotation->setText(tr("Rotation"));
    labelFirstPrismAngle->setText(tr("Apex angle"));
    labelFirstPrism->setText(tr("Firsm prism"));
    spinBoxFirstPrismRotation->setSuffix(tr("\302\260"));
    spinBoxFirstPrismAngle->setSuffix(tr("\302\260"));
    pushButtonSetupOnePrism->setText(tr("One prism"));
    pushButtonSetupTwoPrisms->setText(tr("Two prisms"));
    checkBoxSecondPrismAnomalous->setText(tr("Anomalous dispersion"));
    dockSceneParams->setWindowTitle(QString());
    labelAbspSpectrumWidthMin->setText(tr("30"));
    labelAbspSpectrumHeight->setText(tr("Max. absorption coefficient"));
    labelAbspSpectrumCenterMid->setText(tr("580"));
    labelAbspSpectrumHeightMax->setText(tr("1"));
    labelAbspSpectrumCenterMin->setText(tr("400"));
    labelAbspSpectrumWidthMax->setText(tr("120"));
    labelAbspSpectrumWidthMid->setText(tr("75"));
    labelAbspSpectrumCenter->setText(tr("Absorption band position (nm)"));
    labelAbspSpectrumWidth->setText(tr("Bandwidth (nm)"));
    labelAbspSpectrumHeightMin->setText(tr("0"));
    labelAbspSpectrumHeightMid->setText(tr("0.5"));
    labelAbspSpectrumCenterMax->setText(tr("760"));
    labelPlotRefr->setText(tr(" Refractive index"));
    imageLabelPlotRefr->setText(QString());
    imageLabelPlotAbsp->setText(QString());
    labelPlotAbsp->setText(tr(" Absorption coefficient"));
    pushButtonToMenu->setText(tr("Exit"));
    dockRefractiveIndexParams->setWindowTitle(QString());
}
