#include "app/SceneWindow.h"

#include "app/ScPlotViewWidget.h"
#include "app/SceneWindowUi.h"
#include "presentation/PrPrismRenderer.h"
#include "presentation/PrScene.h"
#include "scene/ScOpenGLSupport.h"
#include "scene/ScOpenGLWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QMessageLogger>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QWindow>

SceneWindow *SceneWindow::instance = nullptr;

namespace {

// The chart's κ scale for the absorbing prism: the largest band height the height slider
// gives (35 / 100 in single precision), so that band reaches the top of the κ axis.
const double absorptionChartScale = double(0.35f);

} // namespace

SceneWindow::SceneWindow()
    : QMainWindow(nullptr, Qt::WindowFlags())
{
}

SceneWindow::~SceneWindow()
{
    if (instance == this)
        instance = nullptr;
}

void SceneWindow::initialize(MenuWindow *menuWindow)
{
    Q_UNUSED(menuWindow);
    instance = this;

    ui = std::make_unique<SceneWindowUi>();
    ui->setupUi(this);
    ui->sceneWidget->m_scene = PrScene::create();

    connect(ui->pushButtonToMenu, &QAbstractButton::clicked, qApp, &QCoreApplication::quit);
    connect(ui->pushButtonSetupOnePrism, &QAbstractButton::clicked, this,
            &SceneWindow::onApplyOnePrismSetup);
    connect(ui->pushButtonSetupTwoPrisms, &QAbstractButton::clicked, this,
            &SceneWindow::onApplyTwoPrismsSetup);
    connect(ui->spinBoxFirstPrismRotation, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &SceneWindow::onFirstPrismRotationChanged);
    connect(ui->spinBoxFirstPrismAngle, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &SceneWindow::onFirstPrismAngleChanged);
    connect(ui->checkBoxSecondPrismAnomalous, &QAbstractButton::toggled, this,
            &SceneWindow::onSecondPrismAnomalousToggled);
    connect(ui->sliderAbspSpectrumCenter, &QAbstractSlider::valueChanged, this,
            &SceneWindow::onAbsorptionSpectrumCenterChanged);
    connect(ui->sliderAbspSpectrumWidth, &QAbstractSlider::valueChanged, this,
            &SceneWindow::onAbsorptionSpectrumWidthChanged);
    connect(ui->sliderAbspSpectrumHeight, &QAbstractSlider::valueChanged, this,
            &SceneWindow::onAbsorptionSpectrumHeightChanged);
    connect(ui->sceneWidget, &ScOpenGLWidget::openGLUnusable, this, &SceneWindow::onSceneWidgetOpenGLUnusable);

    defaultRotation = ui->spinBoxFirstPrismRotation->value();
    defaultApexAngle = ui->spinBoxFirstPrismAngle->value();
    defaultAnomalous = ui->checkBoxSecondPrismAnomalous->isChecked();
    defaultAbsorptionCenter = ui->sliderAbspSpectrumCenter->value();
    defaultAbsorptionWidth = ui->sliderAbspSpectrumWidth->value();
    defaultAbsorptionHeight = ui->sliderAbspSpectrumHeight->value();
}

QSharedPointer<PrScene> SceneWindow::presentationScene() const
{
    QSharedPointer<PrScene> scene = qSharedPointerDynamicCast<PrScene>(ui->sceneWidget->scene());
    if (!scene || !scene->firstPrism() || !scene->lastPrism())
        return {};
    // Retracing uploads the beam meshes, also from slots outside the GL callbacks.
    if (!ui->sceneWidget->ensureContextCurrent())
        return {};
    return scene;
}

QSharedPointer<PrPrismRenderer> SceneWindow::controlledPrism(const QSharedPointer<PrScene> &scene) const
{
    return twoPrismsMode ? scene->lastPrism() : scene->firstPrism();
}

void SceneWindow::chartPrism(const QSharedPointer<PrPrismRenderer> &prism, double imaginaryScale)
{
    ui->chartRefractiveIndex->setIndexFunction(prism->indexFunction(), 1.0, imaginaryScale);
}

void SceneWindow::applySetup(bool twoPrisms)
{
    QFont oneFont = ui->pushButtonSetupOnePrism->font();
    QFont twoFont = ui->pushButtonSetupTwoPrisms->font();
    oneFont.setWeight(twoPrisms ? QFont::Normal : QFont::Bold);
    twoFont.setWeight(twoPrisms ? QFont::Bold : QFont::Normal);
    ui->pushButtonSetupOnePrism->setFont(oneFont);
    ui->pushButtonSetupTwoPrisms->setFont(twoFont);

    twoPrismsMode = twoPrisms;
    ui->labelFirstPrism->setText(twoPrisms ? QStringLiteral("Second prism")
                                           : QStringLiteral("First prism"));

    if (QSharedPointer<PrScene> scene = presentationScene()) {
        if (twoPrisms)
            scene->applyTwoPrismsSetup();
        else
            scene->applyOnePrismSetup();
        chartPrism(controlledPrism(scene), 1.0);
        scene->retrace();
    }

    // Signals stay live: a changed control runs its slot right here, for the new set-up.
    ui->spinBoxFirstPrismRotation->setValue(defaultRotation);
    ui->spinBoxFirstPrismAngle->setValue(defaultApexAngle);
    if (ui->checkBoxSecondPrismAnomalous->isChecked() != defaultAnomalous)
        ui->checkBoxSecondPrismAnomalous->toggle();
    ui->sliderAbspSpectrumCenter->setValue(defaultAbsorptionCenter);
    ui->sliderAbspSpectrumWidth->setValue(defaultAbsorptionWidth);
    ui->sliderAbspSpectrumHeight->setValue(defaultAbsorptionHeight);

    ui->checkBoxSecondPrismAnomalous->setEnabled(twoPrisms);
    updateAbsorptionControls(ui->checkBoxSecondPrismAnomalous->isChecked());
}

void SceneWindow::updateAbsorptionControls(bool anomalous)
{
    const std::initializer_list<QWidget *> bandControls{
        ui->labelAbspSpectrumCenter, ui->labelAbspSpectrumCenterMin, ui->labelAbspSpectrumCenterMid,
        ui->labelAbspSpectrumCenterMax, ui->sliderAbspSpectrumCenter, ui->labelAbspSpectrumWidth,
        ui->labelAbspSpectrumWidthMin, ui->labelAbspSpectrumWidthMid, ui->labelAbspSpectrumWidthMax,
        ui->sliderAbspSpectrumWidth, ui->labelAbspSpectrumHeight, ui->labelAbspSpectrumHeightMin,
        ui->labelAbspSpectrumHeightMid, ui->labelAbspSpectrumHeightMax, ui->sliderAbspSpectrumHeight};
    for (QWidget *widget : bandControls)
        widget->setEnabled(anomalous);

    const std::initializer_list<QWidget *> prismControls{
        ui->labelFirstPrism, ui->labelFirstPrismAngle, ui->labelFirstPrismRotation, ui->spinBoxFirstPrismAngle,
        ui->spinBoxFirstPrismRotation};
    for (QWidget *widget : prismControls)
        widget->setEnabled(!anomalous);

    ui->imageLabelPlotAbsp->setVisible(anomalous);
    ui->labelPlotAbsp->setVisible(anomalous);
}

void SceneWindow::onApplyOnePrismSetup()
{
    applySetup(false);
}

void SceneWindow::onApplyTwoPrismsSetup()
{
    applySetup(true);
}

void SceneWindow::onFirstPrismRotationChanged(int value)
{
    QSharedPointer<PrScene> scene = presentationScene();
    if (!scene)
        return;
    QSharedPointer<PrPrismRenderer> prism = controlledPrism(scene);
    QVector3D euler = prism->rotation.toEulerAngles();
    const float angle = float(-value);
    if (twoPrismsMode)
        euler.setY(angle);
    else
        euler.setX(angle);
    prism->setRotation(QQuaternion::fromEulerAngles(euler.x(), euler.y(), euler.z()));
    scene->retrace();
}

void SceneWindow::onFirstPrismAngleChanged(int value)
{
    QSharedPointer<PrScene> scene = presentationScene();
    if (!scene)
        return;
    controlledPrism(scene)->setApexAngle(float(value));
    scene->retrace();
}

void SceneWindow::onSecondPrismAnomalousToggled(bool value)
{
    if (QSharedPointer<PrScene> scene = presentationScene()) {
        QSharedPointer<PrPrismRenderer> first = scene->firstPrism();
        QSharedPointer<PrPrismRenderer> last = scene->lastPrism();
        const QVector3D e1 = first->rotation.toEulerAngles();
        const QVector3D e2 = last->rotation.toEulerAngles();
        const float tilt = value ? 20.0f : 0.0f;
        first->setRotation(QQuaternion::fromEulerAngles(tilt, e1.y(), e1.z()));
        last->setRotation(QQuaternion::fromEulerAngles(e2.x(), tilt, e2.z()));
        last->setDispersionMode(value ? -1 : 1);
        scene->retrace();
        if (value)
            chartPrism(last, absorptionChartScale);
        else
            chartPrism(first, 1.0);
    }

    // The new band keeps its defaults, which the sliders show again.
    blockAbsorptionSlots = true;
    ui->sliderAbspSpectrumCenter->setValue(defaultAbsorptionCenter);
    ui->sliderAbspSpectrumWidth->setValue(defaultAbsorptionWidth);
    ui->sliderAbspSpectrumHeight->setValue(defaultAbsorptionHeight);
    blockAbsorptionSlots = false;

    updateAbsorptionControls(value);
}

void SceneWindow::setAbsorptionBand(const std::function<void(PrPrismRenderer &)> &setBand)
{
    if (blockAbsorptionSlots)
        return;
    QSharedPointer<PrScene> scene = presentationScene();
    if (!scene)
        return;
    QSharedPointer<PrPrismRenderer> last = scene->lastPrism();
    setBand(*last);
    scene->retrace();
    chartPrism(last, absorptionChartScale);
}

void SceneWindow::onAbsorptionSpectrumCenterChanged(int value)
{
    setAbsorptionBand([value](PrPrismRenderer &last) {
        last.setAbsorptionSpectrumCenter(double(value) / 1000.0);
    });
}

void SceneWindow::onAbsorptionSpectrumWidthChanged(int value)
{
    setAbsorptionBand([value](PrPrismRenderer &last) {
        const double width = double(value) / 100000.0; // micrometres
        const double coefficient = 4.0 / (width * width);
        QMessageLogger().debug() << coefficient;
        last.setAbsorptionSpectrumWidth(coefficient);
    });
}

void SceneWindow::onAbsorptionSpectrumHeightChanged(int value)
{
    setAbsorptionBand([value](PrPrismRenderer &last) {
        last.setAbsorptionSpectrumHeight(double(float(value) / 100.0f));
    });
}

void SceneWindow::onSceneWidgetOpenGLUnusable(const QString &shortfall)
{
    // The scene was never initialised, so this sets the form alone; the chart stays empty.
    applySetup(false);

    QMessageBox box(QMessageBox::Critical, windowTitle(), openGLShortfallMessage(shortfall), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("openGLMessageBox"));
    // The box takes its size when shown, and Qt would centre it on a window that may not have its
    // full-screen geometry yet: sized off screen first, it is placed before it shows, which leaves
    // no trail over a window that cannot repaint without OpenGL.
    box.setAttribute(Qt::WA_DontShowOnScreen);
    box.show();
    box.hide();
    box.setAttribute(Qt::WA_DontShowOnScreen, false);
    const QWindow *handle = windowHandle();
    const QScreen *screen = handle && handle->screen() ? handle->screen() : QGuiApplication::primaryScreen();
    box.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, box.size(), screen->availableGeometry())
                 .topLeft());
    box.exec();
    QCoreApplication::exit(openGLFailureExitCode);
}
