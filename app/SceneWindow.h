#pragma once

#include <QMainWindow>
#include <QSharedPointer>

#include <functional>
#include <memory>

class MenuWindow;
class PrPrismRenderer;
class PrScene;
struct SceneWindowUi;

// The presentation window: the GL view of the prism scene and the docked controls. The
// controlled prism is the last one in the two-prism set-up, else the first. Slider values
// map to the band as centre = v / 1000 µm, width coefficient = 4 / (v / 100000)²,
// height = v / 100.
class SceneWindow : public QMainWindow
{
    Q_OBJECT

public:
    SceneWindow();
    ~SceneWindow() override;

    // Stores the window in instance, builds the form, gives the GL widget a new scene, makes
    // the connections and records the controls' defaults. menuWindow is not used.
    void initialize(MenuWindow *menuWindow);

    // Applies the one-prism (false) or two-prism (true) set-up and resets the controls.
    void applySetup(bool twoPrisms);

    // Enables the absorption controls and the legend's absorption row when anomalous, and
    // the controlled prism's controls otherwise.
    void updateAbsorptionControls(bool anomalous);

    // The one scene window; cleared by its destructor.
    static SceneWindow *instance;

    // The program's exit code when the driver cannot show the scene.
    static const int openGLFailureExitCode = 1;

private slots:
    void onApplyOnePrismSetup();
    void onApplyTwoPrismsSetup();
    void onFirstPrismRotationChanged(int value);
    void onFirstPrismAngleChanged(int value);
    void onSecondPrismAnomalousToggled(bool value);
    void onAbsorptionSpectrumCenterChanged(int value);
    void onAbsorptionSpectrumWidthChanged(int value);
    void onAbsorptionSpectrumHeightChanged(int value);
    // The driver cannot show the scene: the one-prism form behind a message box centred on the
    // screen, then the end of the program with openGLFailureExitCode.
    void onSceneWidgetOpenGLUnusable(const QString &shortfall);

private:
    // The GL widget's scene as a presentation scene, with its context current; null without
    // a scene or before the scene's GL initialisation (no prisms yet).
    QSharedPointer<PrScene> presentationScene() const;
    QSharedPointer<PrPrismRenderer> controlledPrism(const QSharedPointer<PrScene> &scene) const;
    // Charts the prism's glass with the given scales.
    void chartPrism(const QSharedPointer<PrPrismRenderer> &prism, double imaginaryScale);
    // What the absorption slots share: unless they are blocked and with a ready scene, hands
    // the last prism to setBand, then retraces and charts that prism at the absorption scale.
    void setAbsorptionBand(const std::function<void(PrPrismRenderer &)> &setBand);

    int defaultRotation = 0;
    int defaultApexAngle = 0;
    bool defaultAnomalous = false;
    int defaultAbsorptionCenter = 0;
    int defaultAbsorptionWidth = 0;
    int defaultAbsorptionHeight = 0;
    bool blockAbsorptionSlots = false;
    bool twoPrismsMode = false;
    std::unique_ptr<SceneWindowUi> ui;
};
