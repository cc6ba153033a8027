// Scripted lecture session, loaded into the real program by Qt's -testability option:
// menu, authors and back, presentation, every control through its range, Exit. Reports
// its steps on stderr as "session: ..." lines; a failed check ends the program with 3.
// With SESSION_SCRIPT=no-opengl it plays a lecturer on a machine without usable OpenGL
// instead: Presentation, a drag and a resize of the view, a look at the box and the form behind
// it, then the message box is closed.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

bool failed = false;

void say(const QString &line)
{
    std::fprintf(stderr, "session: %s\n", qPrintable(line));
    std::fflush(stderr);
}

bool check(bool condition, const QString &what)
{
    if (!condition && !failed) {
        failed = true;
        say("FAIL " + what);
        QCoreApplication::exit(3);
    }
    return condition;
}

QWidget *window(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name))
            return w;
    return nullptr;
}

template<typename T>
T *control(const char *windowName, const char *name)
{
    QWidget *w = window(windowName);
    return w ? w->findChild<T *>(QString::fromLatin1(name)) : nullptr;
}

// The control if it is there and enabled; otherwise the session fails and this is null.
template<typename T>
T *enabledControl(const char *windowName, const char *name)
{
    T *c = control<T>(windowName, name);
    return check(c && c->isEnabled(), QStringLiteral("%1 missing or disabled").arg(name)) ? c : nullptr;
}

bool onlyVisible(const char *name)
{
    QWidget *expected = window(name);
    if (!QTest::qWaitFor([expected] { return expected && expected->isVisible(); }, 20000))
        return check(false, QStringLiteral("%1 did not appear").arg(name));
    for (const char *other : {"MenuWindow", "AuthorsWindow", "SceneWindow"}) {
        QWidget *w = window(other);
        if (!check(w && w->isVisible() == (w == expected),
                   QStringLiteral("%1 visible=%2 while %3 should be the only window")
                       .arg(other).arg(w && w->isVisible()).arg(name)))
            return false;
    }
    return check(expected->isFullScreen(), QStringLiteral("%1 is not full screen").arg(name));
}

bool click(const char *windowName, const char *button)
{
    auto *b = enabledControl<QAbstractButton>(windowName, button);
    if (!b)
        return false;
    QTest::mouseClick(b, Qt::LeftButton);
    QTest::qWait(20);
    return true;
}

// Presses a key on the control until its value stops at the given end. Each press takes
// effect at once; frames are drawn when the sweep is over.
template<typename T>
bool keyTo(T *widget, Qt::Key key, int end, const char *name)
{
    for (int guard = 0; guard < 1000 && widget->value() != end; ++guard)
        QTest::keyClick(widget, key);
    QCoreApplication::processEvents();
    return check(widget->value() == end,
                 QStringLiteral("%1 stopped at %2, expected %3").arg(name).arg(widget->value()).arg(end));
}

// Steps a spin box to its maximum, to its minimum, and back to where it was.
bool sweepSpinBox(const char *name)
{
    auto *spin = enabledControl<QSpinBox>("SceneWindow", name);
    if (!spin)
        return false;
    const int start = spin->value();
    const bool ok = keyTo(spin, Qt::Key_Up, spin->maximum(), name) && keyTo(spin, Qt::Key_Down, spin->minimum(), name)
        && keyTo(spin, Qt::Key_Up, start, name);
    say(QStringLiteral("swept %1 over %2..%3").arg(name).arg(spin->minimum()).arg(spin->maximum()));
    return ok;
}

// Moves a slider by stride to its maximum and to its minimum, pages it up and down once
// by key, then sets it back to its value.
bool sweepSlider(const char *name, int stride)
{
    auto *slider = enabledControl<QAbstractSlider>("SceneWindow", name);
    if (!slider)
        return false;
    const int start = slider->value();
    while (slider->value() < slider->maximum())
        slider->setValue(qMin(slider->value() + stride, slider->maximum()));
    while (slider->value() > slider->minimum())
        slider->setValue(qMax(slider->value() - stride, slider->minimum()));
    QTest::keyClick(slider, Qt::Key_PageUp);
    if (!check(slider->value() == slider->minimum() + slider->pageStep(),
               QStringLiteral("%1 paged to %2").arg(name).arg(slider->value())))
        return false;
    QTest::keyClick(slider, Qt::Key_PageDown);
    slider->setValue(start);
    QCoreApplication::processEvents();
    say(QStringLiteral("swept %1 over %2..%3").arg(name).arg(slider->minimum()).arg(slider->maximum()));
    return check(slider->value() == start, QStringLiteral("%1 did not return to %2").arg(name).arg(start));
}

bool labelReads(const char *text)
{
    auto *label = control<QLabel>("SceneWindow", "labelFirstPrism");
    return check(label && QTest::qWaitFor([label, text] { return label->text() == QLatin1String(text); }, 60000),
                 QStringLiteral("labelFirstPrism reads \"%1\", expected \"%2\"")
                     .arg(label ? label->text() : QString(), text));
}

bool drag()
{
    auto *view = control<QWidget>("SceneWindow", "sceneWidget");
    if (!check(view != nullptr, "no sceneWidget"))
        return false;
    const QPoint from = view->rect().center();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 10; ++i) {
        QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(12 * i, 5 * i)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, from + QPoint(120, 50));
    return true;
}

void runSession()
{
    const bool ok = onlyVisible("MenuWindow")
        && click("MenuWindow", "pushButtonAuthors") && onlyVisible("AuthorsWindow")
        && click("AuthorsWindow", "pushButtonToMenu") && onlyVisible("MenuWindow")
        && click("MenuWindow", "pushButtonAuthors") && onlyVisible("AuthorsWindow")
        && click("AuthorsWindow", "pushButtonToMenu") && onlyVisible("MenuWindow")
        && click("MenuWindow", "pushButtonStart") && onlyVisible("SceneWindow") && labelReads("First prism")
        && sweepSpinBox("spinBoxFirstPrismRotation") && sweepSpinBox("spinBoxFirstPrismAngle") && drag()
        && click("SceneWindow", "pushButtonSetupTwoPrisms") && labelReads("Second prism")
        && sweepSpinBox("spinBoxFirstPrismRotation") && sweepSpinBox("spinBoxFirstPrismAngle")
        && click("SceneWindow", "checkBoxSecondPrismAnomalous")
        && check(control<QCheckBox>("SceneWindow", "checkBoxSecondPrismAnomalous")->isChecked(), "box not checked")
        && sweepSlider("sliderAbspSpectrumCenter", 20) && sweepSlider("sliderAbspSpectrumWidth", 1000)
        && sweepSlider("sliderAbspSpectrumHeight", 5) && drag()
        && click("SceneWindow", "checkBoxSecondPrismAnomalous")
        && click("SceneWindow", "pushButtonSetupOnePrism") && labelReads("First prism")
        && click("SceneWindow", "pushButtonSetupTwoPrisms")
        && click("SceneWindow", "checkBoxSecondPrismAnomalous")
        && click("SceneWindow", "pushButtonSetupOnePrism")
        && check(!control<QCheckBox>("SceneWindow", "checkBoxSecondPrismAnomalous")->isChecked(), "box still checked");
    if (!ok)
        return;
    QTest::qWait(200);
    say("done, pressing Exit");
    click("SceneWindow", "pushButtonToMenu");
}

// The box stands in the middle of the screen, and the form behind it is the one-prism set-up's.
void checkBoxAndForm(const QMessageBox *box)
{
    const QPoint offCentre = box->frameGeometry().center() - box->screen()->availableGeometry().center();
    if (check(offCentre.manhattanLength() <= 2,
              QStringLiteral("the box's centre is (%1, %2) px from the screen's").arg(offCentre.x()).arg(offCentre.y())))
        say("the box is centred");

    auto *label = control<QLabel>("SceneWindow", "labelFirstPrism");
    auto *one = control<QAbstractButton>("SceneWindow", "pushButtonSetupOnePrism");
    auto *two = control<QAbstractButton>("SceneWindow", "pushButtonSetupTwoPrisms");
    if (!check(label && one && two, "the set-up controls are missing"))
        return;
    bool ok = check(label->text() == QLatin1String("First prism"),
                    QStringLiteral("labelFirstPrism reads \"%1\" behind the box").arg(label->text()))
        && check(one->font().bold() && !two->font().bold(), "the set-up buttons' fonts are not the one-prism set-up's");
    for (const char *name : {"spinBoxFirstPrismRotation", "spinBoxFirstPrismAngle"})
        ok = ok && check(control<QWidget>("SceneWindow", name)->isEnabled(), QStringLiteral("%1 disabled").arg(name));
    for (const char *name : {"checkBoxSecondPrismAnomalous", "sliderAbspSpectrumCenter", "sliderAbspSpectrumWidth",
                             "sliderAbspSpectrumHeight"})
        ok = ok && check(!control<QWidget>("SceneWindow", name)->isEnabled(), QStringLiteral("%1 enabled").arg(name));
    if (ok)
        say("the form behind the box is the one-prism set-up's");
}

// The message box runs its own event loop, so each step returns to the event loop at once
// and the next one comes by timer; the box is polled for until it shows.
void closeOpenGLMessage(int triesLeft)
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box) {
        if (check(triesLeft > 0, "no message box about OpenGL"))
            QTimer::singleShot(100, qApp, [triesLeft] { closeOpenGLMessage(triesLeft - 1); });
        return;
    }
    say("message: " + box->text().replace('\n', ' '));
    checkBoxAndForm(box);
    QTest::keyClick(box, Qt::Key_Return);
    say("closed the message");
}

void runWithoutOpenGL()
{
    auto *start = control<QAbstractButton>("MenuWindow", "pushButtonStart");
    if (!check(start != nullptr, "no Presentation button"))
        return;
    QTest::mouseClick(start, Qt::LeftButton);
    QTimer::singleShot(0, qApp, [] {
        // Input and a new size reach the view although it never drew a frame.
        if (!drag())
            return;
        control<QWidget>("SceneWindow", "sceneWidget")->resize(640, 480);
        say("dragged and resized the view");
        closeOpenGLMessage(200);
    });
}

} // namespace

extern "C" Q_DECL_EXPORT void qt_testability_init()
{
    say("driver loaded");
    const bool withoutOpenGL = qgetenv("SESSION_SCRIPT") == "no-opengl";
    QTimer::singleShot(0, qApp, withoutOpenGL ? runWithoutOpenGL : runSession);
}
