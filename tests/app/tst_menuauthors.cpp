// The menu and authors windows: their forms, the switching between them, and Exit.
#include "app/AuthorsWindow.h"
#include "app/AuthorsWindowUi.h"
#include "app/MenuWindow.h"
#include "app/MenuWindowUi.h"
#include "app/SceneWindow.h"
#include "tests/app/WindowTesting.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using windowtesting::shownFullScreen;

namespace {

QString describeVisible()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names << w->objectName() + (w->isFullScreen() ? " (full screen)" : " (windowed)");
    return names.join(", ");
}

// The window's object name after a form of type Form was set up in it.
template<typename Form>
QString objectNameAfterSetup(const QString &name)
{
    QMainWindow window;
    window.setObjectName(name);
    Form form;
    form.setupUi(&window);
    return window.objectName();
}

} // namespace

class TestMenuAuthors : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formTexts_data();
    void formTexts();
    void formFonts_data();
    void formFonts();
    void picturesSurviveEmptyTexts_data();
    void picturesSurviveEmptyTexts();
    void existingObjectNameIsKept();
    void fullScreenLayout();
    void startShowsOnlyTheMenu();
    void switchingLeavesOneFullScreenWindow();
    void menuExitQuitsWithZero();
    void presentationShowsTheSceneWindow();

private:
    QWidget *child(QWidget *window, const char *name) const
    {
        return window->findChild<QWidget *>(QString::fromLatin1(name));
    }
    // The menu window for "menu", else the authors window.
    QMainWindow *form(const QString &window) const
    {
        return window == "menu" ? static_cast<QMainWindow *>(menu) : authors;
    }
    void verifyOnlyVisible(QWidget *expected);

    MenuWindow *menu = nullptr;
    AuthorsWindow *authors = nullptr;
    SceneWindow *scene = nullptr;
};

// The windows as main builds them, initialised but hidden.
void TestMenuAuthors::init()
{
    menu = new MenuWindow();
    authors = new AuthorsWindow();
    scene = new SceneWindow();
    menu->initialize(scene, authors);
    authors->initialize(menu);
    scene->initialize(menu);
}

void TestMenuAuthors::cleanup()
{
    delete scene;
    delete authors;
    delete menu;
    scene = nullptr;
    authors = nullptr;
    menu = nullptr;
}

void TestMenuAuthors::verifyOnlyVisible(QWidget *expected)
{
    const QWidgetList windows{menu, authors, scene};
    for (QWidget *w : windows) {
        const bool shouldShow = w == expected;
        QVERIFY2(w->isVisible() == shouldShow,
                 qPrintable(QStringLiteral("%1 visible=%2, expected %3; visible now: %4")
                                .arg(w->objectName()).arg(w->isVisible()).arg(shouldShow)
                                .arg(describeVisible())));
    }
    QVERIFY2(expected->isFullScreen(),
             qPrintable(expected->objectName() + " is visible but not full screen"));
}

void TestMenuAuthors::formTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");

    const QString university = QStringLiteral(
        "Brindlemoor\nComputer presentations\nLecture course\n\"Corvanth\"");
    for (const QString &w : {QStringLiteral("menu"), QStringLiteral("authors")}) {
        const QByteArray p = w.toLatin1() + ": ";
        QTest::newRow(p + "faculty caption") << w << "labelHeaderFacultyQuellstone" << "QLabel"
                                             << "Faculty of Quellstone";
        QTest::newRow(p + "university") << w << "labelHeaderUniversity" << "QLabel" << university;
        QTest::newRow(p + "second faculty") << w << "labelHeaderMarrowfen" << "QLabel" << "Marrowfen";
        QTest::newRow(p + "title") << w << "labelHeaderPresentation" << "QLabel" << "Zelvaro";
        QTest::newRow(p + "year") << w << "labelFooterYear" << "QLabel" << "2016";
        QTest::newRow(p + "first emblem") << w << "imageHeaderFacultyQuellstone" << "QLabel" << "";
        QTest::newRow(p + "second emblem") << w << "imageHeaderMarrowfen" << "QLabel" << "";
        QTest::newRow(p + "header separator") << w << "separatorHeader" << "QFrame" << "";
        QTest::newRow(p + "footer separator") << w << "separatorFooter" << "QFrame" << "";
    }
    QTest::newRow("menu: start") << "menu" << "pushButtonStart" << "QPushButton" << "Presentation";
    QTest::newRow("menu: authors") << "menu" << "pushButtonAuthors" << "QPushButton" << "Authors";
    QTest::newRow("menu: exit") << "menu" << "pushButtonExit" << "QPushButton" << "Exit";
    QTest::newRow("authors: heading") << "authors" << "labelAuthors" << "QLabel" << "Authors";
    QTest::newRow("authors: first") << "authors" << "labelDravic" << "QLabel" << "Dravic";
    QTest::newRow("authors: second") << "authors" << "labelTovanek" << "QLabel" << "Tovanek";
    QTest::newRow("authors: lecturers") << "authors" << "labelWendrake" << "QLabel"
                                        << "Lecturers: Felmark, Ostrin";
    QTest::newRow("authors: menu") << "authors" << "pushButtonToMenu" << "QPushButton" << "Menu";
    QTest::newRow("authors: line") << "authors" << "line" << "QFrame" << "";
    QTest::newRow("authors: photo separator") << "authors" << "separatorAuthors" << "QFrame" << "";
}

void TestMenuAuthors::formTexts()
{
    QFETCH(QString, window);
    QFETCH(QString, object);
    QFETCH(QString, className);
    QFETCH(QString, text);

    QMainWindow *w = form(window);
    QCOMPARE(w->objectName(), window == "menu" ? QStringLiteral("MenuWindow") : QStringLiteral("AuthorsWindow"));
    QCOMPARE(w->windowTitle(), window == "menu" ? QStringLiteral("Menu | Zelvaro") : QStringLiteral("Authors | Zelvaro"));

    QWidget *widget = w->findChild<QWidget *>(object);
    QVERIFY2(widget, qPrintable("no widget named " + object));
    QVERIFY2(className == widget->metaObject()->className(),
             qPrintable(object + " is a " + widget->metaObject()->className() + ", expected " + className));
    QVERIFY2(widget->parentWidget() == w->centralWidget(),
             qPrintable(object + " is not a child of centralWidget"));
    QString actual;
    if (auto *label = qobject_cast<QLabel *>(widget))
        actual = label->text();
    else if (auto *button = qobject_cast<QPushButton *>(widget))
        actual = button->text();
    QVERIFY2(actual == text, qPrintable(QStringLiteral("%1 reads \"%2\", expected \"%3\"").arg(object, actual, text)));
}

void TestMenuAuthors::formFonts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<int>("alignment");

    const int c = Qt::AlignCenter;
    QTest::newRow("menu title") << "menu" << "labelHeaderPresentation" << 33 << true << true << c;
    QTest::newRow("menu university") << "menu" << "labelHeaderUniversity" << 22 << false << true << c;
    QTest::newRow("menu first caption") << "menu" << "labelHeaderFacultyQuellstone" << 10 << false << false << c;
    QTest::newRow("menu second caption") << "menu" << "labelHeaderMarrowfen" << 10 << false << true << c;
    QTest::newRow("menu start") << "menu" << "pushButtonStart" << 14 << true << false << 0;
    QTest::newRow("menu authors") << "menu" << "pushButtonAuthors" << 14 << true << false << 0;
    QTest::newRow("menu exit") << "menu" << "pushButtonExit" << 14 << true << false << 0;
    QTest::newRow("menu year") << "menu" << "labelFooterYear" << 14 << false << false << c;
    QTest::newRow("authors title") << "authors" << "labelHeaderPresentation" << 33 << true << true << c;
    QTest::newRow("authors heading") << "authors" << "labelAuthors" << 23 << true << false << c;
    QTest::newRow("authors first caption") << "authors" << "labelHeaderFacultyQuellstone" << 8 << false << false << c;
    QTest::newRow("authors second caption") << "authors" << "labelHeaderMarrowfen" << 8 << false << false << c;
    QTest::newRow("authors first name") << "authors" << "labelDravic" << 14 << false << false
                                        << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("authors second name") << "authors" << "labelTovanek" << 14 << false << false
                                         << int(Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("authors menu") << "authors" << "pushButtonToMenu" << 14 << true << false << 0;
}

void TestMenuAuthors::formFonts()
{
    QFETCH(QString, window);
    QFETCH(QString, object);
    QFETCH(int, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, wordWrap);
    QFETCH(int, alignment);

    QMainWindow *w = form(window);
    QWidget *widget = w->findChild<QWidget *>(object);
    QVERIFY2(widget, qPrintable("no widget named " + object));
    const QFont font = widget->font();
    QVERIFY2(font.family() == "Courant" && font.pointSize() == pointSize && font.bold() == bold,
             qPrintable(QStringLiteral("%1: family %2, %3 pt, bold %4; expected Courant, %5 pt, bold %6")
                            .arg(object, font.family()).arg(font.pointSize()).arg(font.bold())
                            .arg(pointSize).arg(bold)));
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QVERIFY2(label->wordWrap() == wordWrap, qPrintable(object + ": word wrap differs"));
        QVERIFY2(int(label->alignment()) == alignment,
                 qPrintable(QStringLiteral("%1: alignment 0x%2, expected 0x%3")
                                .arg(object).arg(int(label->alignment()), 0, 16).arg(alignment, 0, 16)));
    }
}

void TestMenuAuthors::picturesSurviveEmptyTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QSize>("size");
    QTest::newRow("menu first emblem") << "menu" << "imageHeaderFacultyQuellstone" << QSize(150, 150);
    QTest::newRow("menu second emblem") << "menu" << "imageHeaderMarrowfen" << QSize(150, 150);
    QTest::newRow("authors first emblem") << "authors" << "imageHeaderFacultyQuellstone" << QSize(150, 150);
    QTest::newRow("authors second emblem") << "authors" << "imageHeaderMarrowfen" << QSize(150, 150);
    QTest::newRow("authors first photo") << "authors" << "imageDravic" << QSize(300, 360);
    QTest::newRow("authors second photo") << "authors" << "imageTovanek" << QSize(300, 360);
}

void TestMenuAuthors::picturesSurviveEmptyTexts()
{
    QFETCH(QString, window);
    QFETCH(QString, object);
    QFETCH(QSize, size);
    QMainWindow *w = form(window);
    auto *label = w->findChild<QLabel *>(object);
    QVERIFY2(label, qPrintable("no label named " + object));
    const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
    QVERIFY2(!pixmap.isNull(), qPrintable(object + " lost its picture"));
    QVERIFY2(pixmap.size() == size,
             qPrintable(QStringLiteral("%1: picture %2x%3, expected %4x%5").arg(object)
                            .arg(pixmap.width()).arg(pixmap.height()).arg(size.width()).arg(size.height())));
    QVERIFY2(label->text().isEmpty(), qPrintable(object + " has a text"));
}

void TestMenuAuthors::existingObjectNameIsKept()
{
    QCOMPARE(objectNameAfterSetup<MenuWindowUi>("lectureMenu"), QStringLiteral("lectureMenu"));
    QCOMPARE(objectNameAfterSetup<AuthorsWindowUi>("lecturePage"), QStringLiteral("lecturePage"));
}

// Full screen the buttons keep their minimum sizes, the header stays at the top and the
// footer at the bottom, and the authors' names sit at the outer edges of their columns.
void TestMenuAuthors::fullScreenLayout()
{
    QVERIFY(shownFullScreen(menu));
    QTRY_VERIFY(menu->centralWidget()->height() > 700);
    struct MinSize { const char *name; QSize min; };
    for (const MinSize &m : {MinSize{"pushButtonStart", {300, 100}}, MinSize{"pushButtonAuthors", {150, 75}},
                             MinSize{"pushButtonExit", {150, 75}}}) {
        QWidget *b = child(menu, m.name);
        QVERIFY2(b->width() >= m.min.width() && b->height() >= m.min.height(),
                 qPrintable(QStringLiteral("%1 is %2x%3, below its minimum").arg(m.name).arg(b->width()).arg(b->height())));
    }
    QWidget *start = child(menu, "pushButtonStart");
    QWidget *authorsButton = child(menu, "pushButtonAuthors");
    QWidget *exitButton = child(menu, "pushButtonExit");
    QVERIFY2(authorsButton->x() < start->x() && exitButton->x() > start->x() + start->width()
                 && authorsButton->y() > start->y() + start->height(),
             "Authors and Exit are not at the lower left and lower right of Presentation");
    QWidget *year = child(menu, "labelFooterYear");
    QVERIFY2(year->geometry().bottom() > menu->centralWidget()->height() - 60,
             qPrintable(QStringLiteral("footer ends at %1 of %2").arg(year->geometry().bottom()).arg(menu->centralWidget()->height())));
    QVERIFY2(child(menu, "labelHeaderUniversity")->y() < 60, "the header does not stay at the top");
    menu->hide();

    QVERIFY(shownFullScreen(authors));
    QTRY_VERIFY(authors->centralWidget()->height() > 700);
    QWidget *toMenu = child(authors, "pushButtonToMenu");
    QVERIFY2(toMenu->width() >= 150 && toMenu->height() == 75,
             qPrintable(QStringLiteral("Menu button %1x%2, expected at least 150 wide and exactly 75 high")
                            .arg(toMenu->width()).arg(toMenu->height())));
    QWidget *lecturers = child(authors, "labelWendrake");
    const int gap = toMenu->x() - (lecturers->x() + lecturers->width());
    QVERIFY2(gap >= 40 && gap <= 40 + 2 * 12,
             qPrintable(QStringLiteral("gap between lecturers and Menu is %1, expected 40 plus spacing").arg(gap)));
    QVERIFY2(toMenu->geometry().right() > authors->width() - 40, "the Menu button is not at the right edge");
    auto *photo = qobject_cast<QLabel *>(child(authors, "imageDravic"));
    QWidget *separator = child(authors, "separatorAuthors");
    QVERIFY2(separator->geometry().bottom() <= photo->geometry().bottom() + 1,
             "the separator between the photos reaches below the photos");
    authors->hide();
}

void TestMenuAuthors::startShowsOnlyTheMenu()
{
    QVERIFY(shownFullScreen(menu));
    verifyOnlyVisible(menu);
}

void TestMenuAuthors::switchingLeavesOneFullScreenWindow()
{
    QVERIFY(shownFullScreen(menu));
    auto *toAuthors = qobject_cast<QPushButton *>(child(menu, "pushButtonAuthors"));
    auto *toMenu = qobject_cast<QPushButton *>(child(authors, "pushButtonToMenu"));
    for (int round = 0; round < 3; ++round) {
        QTest::mouseClick(toAuthors, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(authors));
        verifyOnlyVisible(authors);
        QTest::mouseClick(toMenu, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        verifyOnlyVisible(menu);
    }
}

// Exit from the menu ends the event loop with 0 and the scene window is never shown.
void TestMenuAuthors::menuExitQuitsWithZero()
{
    QVERIFY(shownFullScreen(menu));
    auto *exitButton = qobject_cast<QPushButton *>(child(menu, "pushButtonExit"));
    const int result = windowtesting::execClicking(exitButton);
    QVERIFY2(result == 0, qPrintable(QStringLiteral("event loop returned %1").arg(result)));
    QVERIFY2(!scene->isVisible(), "the scene window was shown");
    // The scene's GL initialisation, which applies the first set-up, never ran.
    QCOMPARE(scene->findChild<QLabel *>("labelFirstPrism")->text(), QStringLiteral("Firsm prism"));
}

// Presentation hides the menu for good and shows the scene window, whose first frame
// applies the one-prism set-up.
void TestMenuAuthors::presentationShowsTheSceneWindow()
{
    QVERIFY(shownFullScreen(menu));
    QTest::mouseClick(qobject_cast<QPushButton *>(child(menu, "pushButtonStart")), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(scene));
    verifyOnlyVisible(scene);
    auto *label = scene->findChild<QLabel *>("labelFirstPrism");
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("First prism"), 30000);
    QTest::qWait(100);
    verifyOnlyVisible(scene);
}

QTEST_MAIN(TestMenuAuthors)
#include "tst_menuauthors.moc"
