#pragma once

class QCheckBox;
class QDockWidget;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QMainWindow;
class QPushButton;
class QSlider;
class QSpacerItem;
class QSpinBox;
class QWidget;
class ScOpenGLWidget;
class ScPlotViewWidget;

// Form of the scene window: the GL view as central widget and two docks at the left,
// the set-up buttons with the controlled prism's controls, and the chart with its legend,
// the absorption-band sliders and Exit. A plain record of pointers; the widgets belong to
// the window.
struct SceneWindowUi
{
    QWidget *centralWidget = nullptr;
    QGridLayout *gridLayout_2 = nullptr;
    ScOpenGLWidget *sceneWidget = nullptr;
    QDockWidget *dockSceneParams = nullptr;
    QWidget *dockSceneParamsContents = nullptr;
    QGridLayout *gridLayout_3 = nullptr;
    QLabel *labelFirstPrismRotation = nullptr;
    QFrame *separatorLayoutButtons = nullptr;
    QLabel *labelFirstPrismAngle = nullptr;
    QLabel *labelFirstPrism = nullptr;
    QSpinBox *spinBoxFirstPrismRotation = nullptr;
    QSpinBox *spinBoxFirstPrismAngle = nullptr;
    QHBoxLayout *layoutSetupControls = nullptr;
    QPushButton *pushButtonSetupOnePrism = nullptr;
    QPushButton *pushButtonSetupTwoPrisms = nullptr;
    QCheckBox *checkBoxSecondPrismAnomalous = nullptr;
    QSpacerItem *spacerSceneParams = nullptr;
    QDockWidget *dockRefractiveIndexParams = nullptr;
    QWidget *dockWidgetContents = nullptr;
    QGridLayout *gridLayout = nullptr;
    QLabel *labelAbspSpectrumWidthMin = nullptr;
    QLabel *labelAbspSpectrumHeight = nullptr;
    QSlider *sliderAbspSpectrumHeight = nullptr;
    QSlider *sliderAbspSpectrumCenter = nullptr;
    QLabel *labelAbspSpectrumCenterMid = nullptr;
    QLabel *labelAbspSpectrumHeightMax = nullptr;
    QLabel *labelAbspSpectrumCenterMin = nullptr;
    QLabel *labelAbspSpectrumWidthMax = nullptr;
    QLabel *labelAbspSpectrumWidthMid = nullptr;
    QSlider *sliderAbspSpectrumWidth = nullptr;
    QLabel *labelAbspSpectrumCenter = nullptr;
    QLabel *labelAbspSpectrumWidth = nullptr;
    QLabel *labelAbspSpectrumHeightMin = nullptr;
    QLabel *labelAbspSpectrumHeightMid = nullptr;
    QLabel *labelAbspSpectrumCenterMax = nullptr;
    ScPlotViewWidget *chartRefractiveIndex = nullptr;
    QGridLayout *layoutPlotLabels = nullptr;
    QLabel *labelPlotRefr = nullptr;
    QLabel *imageLabelPlotRefr = nullptr;
    QLabel *imageLabelPlotAbsp = nullptr;
    QLabel *labelPlotAbsp = nullptr;
    QPushButton *pushButtonToMenu = nullptr;

    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);
};
