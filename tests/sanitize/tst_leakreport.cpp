// The leak check of the sanitizer build, as the tests and the program run it: a child that leaks
// through two functions of its own, one called from main and one from Qt's event loop, must end
// with a report of exactly those two leaks, each naming its function. It fails when leak detection
// is off, when a suppression hides the project's code (the main leak's stack reaches into the C
// library, the event loop's into Qt), and when the system libraries' suppressions are missing
// (a GUI application on the offscreen platform leaks its screen).
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

namespace {

const char childFlag[] = "--leaking-child";

// Loses an array; the asm statement keeps the compiler from dropping the allocation.
void leakArray()
{
    int *lost = new int[25];
    asm volatile("" : : "r"(lost) : "memory");
}

void leakFromMain()
{
    leakArray();
}

void leakFromEventLoop()
{
    leakArray();
}

int runChild(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    leakFromMain();
    QTimer::singleShot(0, &app, [] {
        leakFromEventLoop();
        QCoreApplication::quit();
    });
    return QGuiApplication::exec();
}

} // namespace

class TestLeakReport : public QObject
{
    Q_OBJECT

private slots:
    void reportsTheProjectsLeaksOnly();
};

void TestLeakReport::reportsTheProjectsLeaksOnly()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(childFlag)});
    QVERIFY2(child.waitForFinished(60000), "the child hung");
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() != 0,
             qPrintable(QStringLiteral("the child ended with status %1, code %2:\n%3")
                            .arg(child.exitStatus()).arg(child.exitCode()).arg(err)));

    // Each leak: its header line and the stack's frames below it.
    QStringList planters;
    const QRegularExpression leak(QStringLiteral("leak of [^\\n]*\\n((?:[ \\t]+#[^\\n]*\\n)*)"));
    const QRegularExpression planter(QStringLiteral(" in (?:\\S+::)?(leakFrom\\w+)\\b"));
    for (auto match = leak.globalMatch(err); match.hasNext();) {
        const QString stack = match.next().captured(1);
        const QRegularExpressionMatch named = planter.match(stack);
        planters << (named.hasMatch() ? named.captured(1) : stack);
    }
    planters.sort();
    QVERIFY2(planters == QStringList({"leakFromEventLoop", "leakFromMain"}),
             qPrintable("the leaks reported came from:\n" + planters.join('\n')));
}

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], childFlag) == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestLeakReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_leakreport.moc"
