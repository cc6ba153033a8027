// The scene window driven by its controls: set-ups, the controlled prism, the anomalous
// switch, the absorption band, the chart, and the cases without a ready scene.
#include "app/ScPlotViewWidget.h"
#include "app/SceneWindow.h"
#include "app/SceneWindowUi.h"
#include "optics/PhComplexIndexFunction.h"
#include "optics/PhGaussianIndexFunction.h"
#include "presentation/PrPrismRenderer.h"
#include "presentation/PrScene.h"
#include "scene/ScOpenGLWidget.h"
#include "tests/app/WindowTesting.h"
#include "tests/presentation/WindowStates.h"

#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>
#include <QtTest>

#include <utility>

using namespace QtCharts;

namespace {

// Debug lines caught while a test runs, with whether a source file was recorded.
struct DebugLines
{
    QStringList messages;
    int withFile = 0;
};
DebugLines *caughtLines = nullptr;
QtMessageHandler previousHandler = nullptr;

void catchDebugLine(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && caughtLines) {
        caughtLines->messages << message;
        if (context.file)
            ++caughtLines->withFile;
        return;
    }
    previousHandler(type, context, message);
}

class CatchDebugLines
{
public:
    CatchDebugLines() { caughtLines = &lines; previousHandler = qInstallMessageHandler(catchDebugLine); }
    ~CatchDebugLines() { qInstallMessageHandler(previousHandler); caughtLines = nullptr; }
    DebugLines lines;
};

QString eulerText(const QVector3D &e)
{
    return QStringLiteral("(%1, %2, %3)").arg(e.x()).arg(e.y()).arg(e.z());
}

bool fuzzyVector(const QVector3D &a, const QVector3D &b, float tolerance)
{
    return qAbs(a.x() - b.x()) <= tolerance && qAbs(a.y() - b.y()) <= tolerance && qAbs(a.z() - b.z()) <= tolerance;
}

} // namespace

class TestSceneWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void formRightAfterSetup();
    void formProperties_data();
    void formProperties();
    void firstDisplay();
    void rotation_data();
    void rotation();
    void apexAngle_data();
    void apexAngle();
    void twoPrismsResetsTheControls();
    void anomalousSwitch();
    void absorptionSliders_data();
    void absorptionSliders();
    void uncheckingRestoresNormalGlass();
    void setupButtonsWhileAnomalous_data();
    void setupButtonsWhileAnomalous();
    void withoutReadySceneNothingBreaks();
    void instanceClearedByDestructor();
    void exitQuitsWithZero();

private:
    template<typename T>
    T *find(const char *name) const
    {
        T *widget = window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget named %s", name);
        return widget;
    }
    QSharedPointer<PrScene> scene() const
    {
        return qSharedPointerDynamicCast<PrScene>(find<ScOpenGLWidget>("sceneWidget")->scene());
    }
    ScPlotViewWidget *chart() const { return find<ScPlotViewWidget>("chartRefractiveIndex"); }
    void click(const char *button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    // After "Two prisms" when twoPrisms (else the one-prism state stays): the controlled
    // prism, then the other one.
    std::pair<QSharedPointer<PrPrismRenderer>, QSharedPointer<PrPrismRenderer>> controlledAndOther(bool twoPrisms)
    {
        if (twoPrisms)
            click("pushButtonSetupTwoPrisms");
        QSharedPointer<PrScene> s = scene();
        return twoPrisms ? std::make_pair(s->lastPrism(), s->firstPrism())
                         : std::make_pair(s->firstPrism(), s->lastPrism());
    }
    void verifyAbsorptionControls(bool anomalous);

    SceneWindow *window = nullptr;
    bool firstDisplayOneSeries = false;
    bool firstDisplayChartsFirst = false;
};

void TestSceneWindow::initTestCase()
{
    window = new SceneWindow();
    window->initialize(nullptr);
    QVERIFY2(SceneWindow::instance == window, "initialize did not store the window in instance");

    // What the first frame leaves, recorded at the moment it is there.
    QLabel *label = find<QLabel>("labelFirstPrism");
    QCOMPARE(label->text(), QStringLiteral("Firsm prism"));
    QVERIFY(windowtesting::shownFullScreen(window));
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("First prism"), 30000);
    firstDisplayOneSeries = chart()->chart()->series().size() == 1;
    firstDisplayChartsFirst = chart()->indexFunction() == scene()->firstPrism()->indexFunction();
}

void TestSceneWindow::cleanupTestCase()
{
    delete window;
}

// Every test starts from the one-prism state.
void TestSceneWindow::init()
{
    SceneWindow::instance = window;
    click("pushButtonSetupOnePrism");
}

// The bare form: an existing object name stays, the controls hold their defaults, and
// neither the view nor the chart has anything yet.
void TestSceneWindow::formRightAfterSetup()
{
    QMainWindow bare;
    bare.setObjectName("lectureScene");
    SceneWindowUi form;
    form.setupUi(&bare);
    QCOMPARE(bare.objectName(), QStringLiteral("lectureScene"));
    QCOMPARE(form.labelFirstPrism->text(), QStringLiteral("Firsm prism"));
    QVERIFY2(form.checkBoxSecondPrismAnomalous->isEnabled() && !form.checkBoxSecondPrismAnomalous->isChecked(),
             "the anomalous box should start enabled and unchecked");
    QVERIFY2(form.spinBoxFirstPrismRotation->value() == 0 && form.spinBoxFirstPrismAngle->value() == 60
                 && form.sliderAbspSpectrumCenter->value() == 580 && form.sliderAbspSpectrumWidth->value() == 5000
                 && form.sliderAbspSpectrumHeight->value() == 30,
             "the controls do not start at 0, 60, 580, 5000 and 30");
    QVERIFY2(form.sceneWidget->scene().isNull() && form.chartRefractiveIndex->indexFunction().isNull(),
             "the view or the chart is not empty");
    QVERIFY2(form.sceneWidget->parentWidget() == form.centralWidget && bare.centralWidget() == form.centralWidget,
             "the GL view is not the central widget's child");
    QVERIFY2(form.dockSceneParamsContents->parentWidget() == form.dockSceneParams
                 && form.dockWidgetContents->parentWidget() == form.dockRefractiveIndexParams,
             "the dock contents do not belong to their docks");
    QCOMPARE(form.dockSceneParams->maximumSize(), QSize(405, 156));
    QCOMPARE(form.dockRefractiveIndexParams->maximumSize(), QSize(405, 524287));
    QCOMPARE(form.chartRefractiveIndex->minimumHeight(), 170);
    const QFont windowFont = bare.font();
    QVERIFY2(windowFont.family() == "Courant" && windowFont.pointSize() == 12,
             qPrintable(QStringLiteral("window font %1 %2").arg(windowFont.family()).arg(windowFont.pointSize())));
    QVERIFY2(form.labelAbspSpectrumCenter->font().bold() && form.labelAbspSpectrumCenter->font().pointSize() == 12,
             "slider captions should be bold at the window's size");
}

void TestSceneWindow::formProperties_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("pageStep");
    QTest::addColumn<int>("tickInterval");

    QTest::newRow("rotation") << "spinBoxFirstPrismRotation" << QString::fromUtf8("0\u00b0") << -10 << 8 << 0 << 0 << 0;
    QTest::newRow("apex angle") << "spinBoxFirstPrismAngle" << QString::fromUtf8("60\u00b0") << 50 << 60 << 60 << 0 << 0;
    QTest::newRow("band position") << "sliderAbspSpectrumCenter" << "" << 400 << 760 << 580 << 10 << 100;
    QTest::newRow("band width") << "sliderAbspSpectrumWidth" << "" << 3000 << 12000 << 5000 << 10 << 1046;
    QTest::newRow("band height") << "sliderAbspSpectrumHeight" << "" << 0 << 35 << 30 << 5 << 9;
    const QStringList labels{
        "labelFirstPrismRotation=Rotation", "labelFirstPrismAngle=Apex angle",
        "pushButtonSetupOnePrism=One prism", "pushButtonSetupTwoPrisms=Two prisms",
        "checkBoxSecondPrismAnomalous=Anomalous dispersion",
        "labelAbspSpectrumCenter=Absorption band position (nm)", "labelAbspSpectrumCenterMin=400",
        "labelAbspSpectrumCenterMid=580", "labelAbspSpectrumCenterMax=760",
        "labelAbspSpectrumWidth=Bandwidth (nm)", "labelAbspSpectrumWidthMin=30",
        "labelAbspSpectrumWidthMid=75", "labelAbspSpectrumWidthMax=120",
        "labelAbspSpectrumHeight=Max. absorption coefficient", "labelAbspSpectrumHeightMin=0",
        "labelAbspSpectrumHeightMid=0.5", "labelAbspSpectrumHeightMax=1",
        "labelPlotRefr= Refractive index", "labelPlotAbsp= Absorption coefficient",
        "pushButtonToMenu=Exit", "imageLabelPlotRefr=", "imageLabelPlotAbsp="};
    for (const QString &entry : labels) {
        const int eq = entry.indexOf('=');
        QTest::newRow(qPrintable(entry.left(eq))) << entry.left(eq) << entry.mid(eq + 1) << 0 << 0 << 0 << 0 << 0;
    }
}

// Texts, ranges and steps as the form builds them (the values are the defaults, which the
// first set-up restores).
void TestSceneWindow::formProperties()
{
    QFETCH(QString, object);
    QFETCH(QString, text);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(int, pageStep);
    QFETCH(int, tickInterval);

    QCOMPARE(window->objectName(), QStringLiteral("SceneWindow"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Zelvaro"));
    QWidget *widget = window->findChild<QWidget *>(object);
    QVERIFY2(widget, qPrintable("no widget named " + object));
    QString actual;
    if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
        actual = spin->text();
        QVERIFY2(spin->minimum() == minimum && spin->maximum() == maximum && spin->value() == value,
                 qPrintable(QStringLiteral("%1: %2..%3 at %4, expected %5..%6 at %7").arg(object)
                                .arg(spin->minimum()).arg(spin->maximum()).arg(spin->value())
                                .arg(minimum).arg(maximum).arg(value)));
    } else if (auto *slider = qobject_cast<QSlider *>(widget)) {
        QVERIFY2(slider->minimum() == minimum && slider->maximum() == maximum && slider->value() == value
                     && slider->pageStep() == pageStep && slider->tickInterval() == tickInterval
                     && slider->orientation() == Qt::Horizontal && slider->tickPosition() == QSlider::TicksBelow,
                 qPrintable(QStringLiteral("%1: %2..%3 at %4, page %5, ticks %6").arg(object)
                                .arg(slider->minimum()).arg(slider->maximum()).arg(slider->value())
                                .arg(slider->pageStep()).arg(slider->tickInterval())));
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        actual = label->text();
        if (object.startsWith("imageLabel"))
            QVERIFY2(!label->pixmap(Qt::ReturnByValue).isNull(), qPrintable(object + " lost its swatch"));
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        actual = button->text();
    }
    QVERIFY2(actual == text, qPrintable(QStringLiteral("%1 reads \"%2\", expected \"%3\"").arg(object, actual, text)));

    for (const char *dockName : {"dockSceneParams", "dockRefractiveIndexParams"}) {
        auto *dock = find<QDockWidget>(dockName);
        QVERIFY2(dock->features() == QDockWidget::DockWidgetVerticalTitleBar && !dock->isFloating()
                     && window->dockWidgetArea(dock) == Qt::LeftDockWidgetArea && dock->windowTitle().isEmpty(),
                 qPrintable(QString::fromLatin1(dockName) + " is not a fixed, untitled left dock"));
    }
    QVERIFY2(find<QDockWidget>("dockSceneParams")->height() <= 156, "the first dock is taller than 156");
    QVERIFY2(chart()->height() >= 170, qPrintable(QStringLiteral("chart height %1").arg(chart()->height())));
}

// The first frame applied the one-prism set-up: controls, fonts, legend and chart.
void TestSceneWindow::firstDisplay()
{
    QVERIFY2(firstDisplayOneSeries && firstDisplayChartsFirst,
             "after the first frame the chart did not show the first prism's index alone");
    QSharedPointer<PrScene> s = scene();
    QVERIFY2(s && s->prisms.size() == 2, "the scene has no two prisms");
    QVERIFY2(s->firstPrism()->visible && !s->lastPrism()->visible, "one-prism set-up: first shown, second hidden");
    QCOMPARE(find<QLabel>("labelFirstPrism")->text(), QStringLiteral("First prism"));
    QVERIFY2(find<QPushButton>("pushButtonSetupOnePrism")->font().weight() == QFont::Bold
                 && find<QPushButton>("pushButtonSetupTwoPrisms")->font().weight() == QFont::Normal,
             "\"One prism\" should be bold, \"Two prisms\" normal");
    QVERIFY2(find<QPushButton>("pushButtonSetupOnePrism")->font().pointSize() == 14, "set-up font lost its size");
    auto *box = find<QCheckBox>("checkBoxSecondPrismAnomalous");
    QVERIFY2(!box->isEnabled() && !box->isChecked(), "the anomalous box should be disabled and unchecked");
    verifyAbsorptionControls(false);
}

void TestSceneWindow::verifyAbsorptionControls(bool anomalous)
{
    for (const char *name : {"labelAbspSpectrumCenter", "labelAbspSpectrumCenterMin", "labelAbspSpectrumCenterMid",
                             "labelAbspSpectrumCenterMax", "sliderAbspSpectrumCenter", "labelAbspSpectrumWidth",
                             "labelAbspSpectrumWidthMin", "labelAbspSpectrumWidthMid", "labelAbspSpectrumWidthMax",
                             "sliderAbspSpectrumWidth", "labelAbspSpectrumHeight", "labelAbspSpectrumHeightMin",
                             "labelAbspSpectrumHeightMid", "labelAbspSpectrumHeightMax", "sliderAbspSpectrumHeight"})
        QVERIFY2(find<QWidget>(name)->isEnabled() == anomalous,
                 qPrintable(QStringLiteral("%1 enabled=%2 with anomalous=%3").arg(name).arg(!anomalous).arg(anomalous)));
    for (const char *name : {"labelFirstPrism", "labelFirstPrismAngle", "labelFirstPrismRotation",
                             "spinBoxFirstPrismAngle", "spinBoxFirstPrismRotation"})
        QVERIFY2(find<QWidget>(name)->isEnabled() == !anomalous,
                 qPrintable(QStringLiteral("%1 enabled=%2 with anomalous=%3").arg(name).arg(anomalous).arg(anomalous)));
    for (const char *name : {"imageLabelPlotAbsp", "labelPlotAbsp"})
        QVERIFY2(find<QWidget>(name)->isVisible() == anomalous,
                 qPrintable(QStringLiteral("legend %1 visible=%2 with anomalous=%3").arg(name).arg(!anomalous).arg(anomalous)));
    QVERIFY2(find<QWidget>("labelPlotRefr")->isVisible(), "the refractive-index legend row is hidden");
}

void TestSceneWindow::rotation_data()
{
    QTest::addColumn<bool>("twoPrisms");
    QTest::addColumn<int>("value");
    QTest::addColumn<QVector3D>("euler");
    QTest::newRow("one prism, 5") << false << 5 << QVector3D(-5, 0, 0);
    QTest::newRow("one prism, -10") << false << -10 << QVector3D(10, 0, 0);
    QTest::newRow("one prism, 8") << false << 8 << QVector3D(-8, 0, 0);
    QTest::newRow("two prisms, 5") << true << 5 << QVector3D(0, -5, 90);
    QTest::newRow("two prisms, -10") << true << -10 << QVector3D(0, 10, 90);
}

// One prism: the pitch becomes -value; two prisms: the second prism's yaw, keeping its roll.
void TestSceneWindow::rotation()
{
    QFETCH(bool, twoPrisms);
    QFETCH(int, value);
    QFETCH(QVector3D, euler);
    const auto [controlled, other] = controlledAndOther(twoPrisms);
    const QQuaternion otherBefore = other->rotation;
    QtCharts::QChart *chartBefore = chart()->chart();

    find<QSpinBox>("spinBoxFirstPrismRotation")->setValue(value);
    const QVector3D actual = controlled->rotation.toEulerAngles();
    QVERIFY2(fuzzyVector(actual, euler, 1e-3f),
             qPrintable(QStringLiteral("controlled prism at %1, expected %2 within 0.001 degrees")
                            .arg(eulerText(actual), eulerText(euler))));
    QVERIFY2(other->rotation == otherBefore, "the other prism turned");
    QVERIFY2(chart()->chart() == chartBefore, "the chart was rebuilt by a rotation");
    QVERIFY2(controlled->facesValid, "the beam was not traced after the rotation changed");
}

void TestSceneWindow::apexAngle_data()
{
    QTest::addColumn<bool>("twoPrisms");
    QTest::addColumn<int>("value");
    QTest::newRow("one prism, 55") << false << 55;
    QTest::newRow("one prism, 50") << false << 50;
    QTest::newRow("two prisms, 52") << true << 52;
}

void TestSceneWindow::apexAngle()
{
    QFETCH(bool, twoPrisms);
    QFETCH(int, value);
    const auto [controlled, other] = controlledAndOther(twoPrisms);
    QtCharts::QChart *chartBefore = chart()->chart();

    find<QSpinBox>("spinBoxFirstPrismAngle")->setValue(value);
    QVERIFY2(controlled->apexAngle == float(value) && other->apexAngle == 60.0f,
             qPrintable(QStringLiteral("apex angles %1 (controlled) and %2 (other), expected %3 and 60")
                            .arg(controlled->apexAngle).arg(other->apexAngle).arg(value)));
    // The retrace ran: a visible prism's faces are rebuilt for the new angle.
    QVERIFY2(controlled->facesValid, "the beam was not traced after the apex angle changed");
    QVERIFY2(chart()->chart() == chartBefore, "the chart was rebuilt by an apex-angle change");
}

// "Two prisms" with changed controls: the set-up first, then the controls return to their
// defaults and their slots act on the second prism.
void TestSceneWindow::twoPrismsResetsTheControls()
{
    find<QSpinBox>("spinBoxFirstPrismRotation")->setValue(5);
    find<QSpinBox>("spinBoxFirstPrismAngle")->setValue(55);
    click("pushButtonSetupTwoPrisms");

    QSharedPointer<PrScene> s = scene();
    QSharedPointer<PrPrismRenderer> first = s->firstPrism();
    QSharedPointer<PrPrismRenderer> second = s->lastPrism();
    QCOMPARE(find<QSpinBox>("spinBoxFirstPrismRotation")->value(), 0);
    QCOMPARE(find<QSpinBox>("spinBoxFirstPrismAngle")->value(), 60);
    QVERIFY2(second->visible && fuzzyVector(second->position, QVector3D(1.27f, 0.32f, -2.9f), 1e-6f),
             "the second prism is not shown at its set-up place");
    QVERIFY2(fuzzyVector(second->rotation.toEulerAngles(), QVector3D(0, 0, 90), 1e-3f),
             qPrintable("second prism at " + eulerText(second->rotation.toEulerAngles())));
    QVERIFY2(first->apexAngle == 60.0f && second->apexAngle == 60.0f
                 && fuzzyVector(first->rotation.toEulerAngles(), QVector3D(0, 0, 0), 1e-3f),
             "the set-up did not reset the first prism");
    QCOMPARE(find<QLabel>("labelFirstPrism")->text(), QStringLiteral("Second prism"));
    QVERIFY2(find<QPushButton>("pushButtonSetupTwoPrisms")->font().weight() == QFont::Bold
                 && find<QPushButton>("pushButtonSetupOnePrism")->font().weight() == QFont::Normal,
             "\"Two prisms\" should be bold");
    QVERIFY2(find<QCheckBox>("checkBoxSecondPrismAnomalous")->isEnabled(), "the anomalous box stays disabled");
    QVERIFY2(chart()->indexFunction() == second->indexFunction(), "the chart does not show the second prism");

    // A second click applies the set-up again from the start.
    find<QSpinBox>("spinBoxFirstPrismRotation")->setValue(-3);
    click("pushButtonSetupTwoPrisms");
    QVERIFY2(fuzzyVector(second->rotation.toEulerAngles(), QVector3D(0, 0, 90), 1e-3f),
             qPrintable("after the second click the second prism is at " + eulerText(second->rotation.toEulerAngles())));
}

void TestSceneWindow::anomalousSwitch()
{
    click("pushButtonSetupTwoPrisms");
    QSharedPointer<PrScene> s = scene();
    const QQuaternion firstUntilted = s->firstPrism()->rotation, lastUntilted = s->lastPrism()->rotation;
    QTest::mouseClick(find<QCheckBox>("checkBoxSecondPrismAnomalous"), Qt::LeftButton);
    QVERIFY(find<QCheckBox>("checkBoxSecondPrismAnomalous")->isChecked());

    const QVector3D e1 = s->firstPrism()->rotation.toEulerAngles();
    const QVector3D e2 = s->lastPrism()->rotation.toEulerAngles();
    QVERIFY2(fuzzyVector(e1, QVector3D(20, 0, 0), 1e-3f) && fuzzyVector(e2, QVector3D(0, 20, 90), 1e-3f),
             qPrintable(QStringLiteral("tilts %1 and %2, expected (20, 0, 0) and (0, 20, 90)")
                            .arg(eulerText(e1), eulerText(e2))));
    QSharedPointer<PrPrismRenderer> last = s->lastPrism();
    auto band = qSharedPointerDynamicCast<PhGaussianIndexFunction>(last->indexFunction()->imaginaryPart());
    QVERIFY2(last->dispersionMode < 0 && band, "the second prism did not become absorbing");
    QVERIFY2(band->center == 0.58 && band->widthCoefficient == 1600 && band->height == 0.3,
             "the band does not have its defaults");
    QVERIFY2(s->firstPrism()->indexFunction()->imaginaryPart().isNull(), "the first prism absorbs");

    QVERIFY2(chart()->indexFunction() == last->indexFunction(), "the chart does not show the second prism");
    const QList<QAbstractSeries *> series = chart()->chart()->series();
    QVERIFY2(series.size() == 2, qPrintable(QStringLiteral("%1 series").arg(series.size())));
    const QPointF peak = static_cast<QXYSeries *>(series[1])->at(20);
    QVERIFY2(qAbs(peak.x() - 580) < 1e-6 && qAbs(peak.y() - 0.3 / double(0.35f)) < 1e-9,
             qPrintable(QStringLiteral("κ peak (%1, %2), expected (580, 0.857143)").arg(peak.x()).arg(peak.y())));

    QCOMPARE(find<QSlider>("sliderAbspSpectrumCenter")->value(), 580);
    QCOMPARE(find<QSlider>("sliderAbspSpectrumWidth")->value(), 5000);
    QCOMPARE(find<QSlider>("sliderAbspSpectrumHeight")->value(), 30);
    verifyAbsorptionControls(true);

    // The tests' and benchmarks' stand-in for the switch leaves the prisms exactly as the window does.
    const QQuaternion firstTilted = s->firstPrism()->rotation, lastTilted = last->rotation;
    s->firstPrism()->setRotation(firstUntilted);
    last->setRotation(lastUntilted);
    last->setDispersionMode(1);
    windowstates::switchSecondPrismAnomalous(*s);
    QVERIFY2(s->firstPrism()->rotation == firstTilted && last->rotation == lastTilted && last->dispersionMode < 0,
             "windowstates::switchSecondPrismAnomalous differs from the window's switch");
}

void TestSceneWindow::absorptionSliders_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("center");
    QTest::addColumn<double>("widthCoefficient");
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("debugLine");

    QTest::newRow("position 400") << "sliderAbspSpectrumCenter" << 400 << 0.4 << 1600.0 << 0.3 << "";
    QTest::newRow("position 760") << "sliderAbspSpectrumCenter" << 760 << 0.76 << 1600.0 << 0.3 << "";
    QTest::newRow("width 12000") << "sliderAbspSpectrumWidth" << 12000 << 0.58 << 4.0 / (0.12 * 0.12) << 0.3 << "277.778";
    QTest::newRow("width 3000") << "sliderAbspSpectrumWidth" << 3000 << 0.58 << 4.0 / (0.03 * 0.03) << 0.3 << "4444.44";
    QTest::newRow("width 7500") << "sliderAbspSpectrumWidth" << 7500 << 0.58 << 4.0 / (0.075 * 0.075) << 0.3 << "711.111";
    QTest::newRow("height 35") << "sliderAbspSpectrumHeight" << 35 << 0.58 << 1600.0 << 0.3499999940395355 << "";
    QTest::newRow("height 0") << "sliderAbspSpectrumHeight" << 0 << 0.58 << 1600.0 << 0.0 << "";
}

// Each slider writes its band value into the second prism, retraces, and re-charts; the
// width slider prints its coefficient.
void TestSceneWindow::absorptionSliders()
{
    QFETCH(QString, slider);
    QFETCH(int, value);
    QFETCH(double, center);
    QFETCH(double, widthCoefficient);
    QFETCH(double, height);
    QFETCH(QString, debugLine);

    click("pushButtonSetupTwoPrisms");
    find<QCheckBox>("checkBoxSecondPrismAnomalous")->setChecked(true);
    QSharedPointer<PrPrismRenderer> last = scene()->lastPrism();
    QtCharts::QChart *chartBefore = chart()->chart();

    CatchDebugLines lines;
    window->findChild<QSlider *>(slider)->setValue(value);
    auto band = qSharedPointerDynamicCast<PhGaussianIndexFunction>(last->indexFunction()->imaginaryPart());
    QVERIFY(band);
    const double tolerance = 1e-9;
    QVERIFY2(qAbs(band->center - center) < tolerance
                 && qAbs(band->widthCoefficient - widthCoefficient) < tolerance * widthCoefficient
                 && band->height == height,
             qPrintable(QStringLiteral("band (%1, %2, %3), expected (%4, %5, %6)")
                            .arg(band->center, 0, 'g', 17).arg(band->widthCoefficient, 0, 'g', 17)
                            .arg(band->height, 0, 'g', 17).arg(center, 0, 'g', 17)
                            .arg(widthCoefficient, 0, 'g', 17).arg(height, 0, 'g', 17)));
    const QStringList expectedLines = debugLine.isEmpty() ? QStringList() : QStringList{debugLine};
    QVERIFY2(lines.lines.messages == expectedLines && lines.lines.withFile == 0,
             qPrintable(QStringLiteral("debug lines [%1] (%2 with a file), expected [%3]")
                            .arg(lines.lines.messages.join(" | ")).arg(lines.lines.withFile).arg(debugLine)));
    QVERIFY2(last->indexValid, "the index table was not rebuilt by a retrace");

    QVERIFY2(chart()->chart() != chartBefore && chart()->indexFunction() == last->indexFunction(),
             "the chart was not redrawn for the second prism");
    auto *kappa = static_cast<QXYSeries *>(chart()->chart()->series().value(1));
    QVERIFY2(kappa, "no κ curve");
    double peak = 0.0;
    for (const QPointF &p : kappa->pointsVector())
        peak = qMax(peak, p.y());
    // The curve's peak over the samples never exceeds the band height over the chart's scale.
    QVERIFY2(peak <= height / double(0.35f) + 1e-12,
             qPrintable(QStringLiteral("κ curve peaks at %1 above %2").arg(peak).arg(height / double(0.35f))));
    if (slider == "sliderAbspSpectrumHeight" && value == 35)
        QVERIFY2(qAbs(kappa->at(20).y() - 1.0) == 0.0,
                 qPrintable(QStringLiteral("κ at 580 nm with the top height is %1, expected exactly 1")
                                .arg(kappa->at(20).y(), 0, 'g', 17)));
}

// Unchecking: tilts gone, normal glass, sliders back without any absorption slot running.
void TestSceneWindow::uncheckingRestoresNormalGlass()
{
    click("pushButtonSetupTwoPrisms");
    auto *box = find<QCheckBox>("checkBoxSecondPrismAnomalous");
    box->setChecked(true);
    find<QSlider>("sliderAbspSpectrumCenter")->setValue(700);
    find<QSlider>("sliderAbspSpectrumWidth")->setValue(9000);
    find<QSlider>("sliderAbspSpectrumHeight")->setValue(10);

    CatchDebugLines lines;
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->isChecked());
    QSharedPointer<PrScene> s = scene();
    const QVector3D e1 = s->firstPrism()->rotation.toEulerAngles();
    const QVector3D e2 = s->lastPrism()->rotation.toEulerAngles();
    QVERIFY2(fuzzyVector(e1, QVector3D(0, 0, 0), 1e-3f) && fuzzyVector(e2, QVector3D(0, 0, 90), 1e-3f),
             qPrintable(QStringLiteral("tilts %1 and %2 after unchecking").arg(eulerText(e1), eulerText(e2))));
    QVERIFY2(s->lastPrism()->dispersionMode >= 0 && s->lastPrism()->indexFunction()->imaginaryPart().isNull(),
             "the second prism still absorbs");
    QCOMPARE(find<QSlider>("sliderAbspSpectrumCenter")->value(), 580);
    QCOMPARE(find<QSlider>("sliderAbspSpectrumWidth")->value(), 5000);
    QCOMPARE(find<QSlider>("sliderAbspSpectrumHeight")->value(), 30);
    QVERIFY2(lines.lines.messages.isEmpty(),
             qPrintable("the slider reset printed: " + lines.lines.messages.join(" | ")));
    QVERIFY2(chart()->indexFunction() == s->firstPrism()->indexFunction()
                 && chart()->chart()->series().size() == 1,
             "the chart does not show the first prism alone");
    verifyAbsorptionControls(false);
    QVERIFY(box->isEnabled());
}

void TestSceneWindow::setupButtonsWhileAnomalous_data()
{
    QTest::addColumn<bool>("twoPrisms");
    QTest::newRow("One prism") << false;
    QTest::newRow("Two prisms") << true;
}

// A set-up button while anomalous switches the band off on the way; "Two prisms" ends
// charting the first prism (the toggle-off charts it after the set-up).
void TestSceneWindow::setupButtonsWhileAnomalous()
{
    QFETCH(bool, twoPrisms);
    click("pushButtonSetupTwoPrisms");
    auto *box = find<QCheckBox>("checkBoxSecondPrismAnomalous");
    box->setChecked(true);
    click(twoPrisms ? "pushButtonSetupTwoPrisms" : "pushButtonSetupOnePrism");

    QSharedPointer<PrScene> s = scene();
    QVERIFY2(!box->isChecked() && box->isEnabled() == twoPrisms,
             qPrintable(QStringLiteral("box checked=%1 enabled=%2").arg(box->isChecked()).arg(box->isEnabled())));
    QVERIFY2(s->lastPrism()->visible == twoPrisms, "second prism visibility does not follow the set-up");
    QVERIFY2(s->lastPrism()->indexFunction()->imaginaryPart().isNull(), "the second prism still absorbs");
    QVERIFY2(chart()->indexFunction() == s->firstPrism()->indexFunction()
                 && chart()->chart()->series().size() == 1,
             "the chart does not show the first prism's normal glass");
    verifyAbsorptionControls(false);
}

// Before the GL widget initialised its scene, and with no scene at all, the set-up and the
// slots change the controls only.
void TestSceneWindow::withoutReadySceneNothingBreaks()
{
    SceneWindow fresh;
    fresh.initialize(nullptr);
    auto *view = fresh.findChild<ScOpenGLWidget *>("sceneWidget");
    QVERIFY(view && view->scene());
    auto *label = fresh.findChild<QLabel *>("labelFirstPrism");
    auto *box = fresh.findChild<QCheckBox *>("checkBoxSecondPrismAnomalous");
    CatchDebugLines lines;

    for (int pass = 0; pass < 2; ++pass) {
        fresh.applySetup(true);
        QCOMPARE(label->text(), QStringLiteral("Second prism"));
        QVERIFY(box->isEnabled());
        fresh.findChild<QSpinBox *>("spinBoxFirstPrismRotation")->setValue(4);
        fresh.findChild<QSpinBox *>("spinBoxFirstPrismAngle")->setValue(51);
        box->setChecked(true);
        fresh.findChild<QSlider *>("sliderAbspSpectrumWidth")->setValue(9000);
        QVERIFY2(fresh.findChild<QSlider *>("sliderAbspSpectrumCenter")->isEnabled(), "anomalous controls not enabled");
        fresh.applySetup(false);
        QVERIFY(!box->isChecked() && !box->isEnabled());
        QCOMPARE(label->text(), QStringLiteral("First prism"));
        QVERIFY2(fresh.findChild<ScPlotViewWidget *>("chartRefractiveIndex")->indexFunction().isNull(),
                 "a chart was drawn without a scene");
        view->m_scene.reset(); // second pass: no scene at all
    }
    QVERIFY2(lines.lines.messages.isEmpty(), qPrintable("debug lines without a scene: " + lines.lines.messages.join(" | ")));
    QVERIFY(SceneWindow::instance == &fresh);
}

void TestSceneWindow::instanceClearedByDestructor()
{
    {
        SceneWindow other;
        other.initialize(nullptr);
        QVERIFY(SceneWindow::instance == &other);
    }
    QVERIFY2(SceneWindow::instance == nullptr, "instance still points at a destroyed window");
}

// Exit quits the event loop with 0 from the anomalous state.
void TestSceneWindow::exitQuitsWithZero()
{
    click("pushButtonSetupTwoPrisms");
    find<QCheckBox>("checkBoxSecondPrismAnomalous")->setChecked(true);
    auto *exitButton = find<QPushButton>("pushButtonToMenu");
    const int result = windowtesting::execClicking(exitButton);
    QVERIFY2(result == 0, qPrintable(QStringLiteral("event loop returned %1").arg(result)));
}

QTEST_MAIN(TestSceneWindow)
#include "tst_scenewindow.moc"
