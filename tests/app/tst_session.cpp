// Runs the real program through scripted sessions (see session_driver.cpp): a whole lecture that
// ends through Exit with code 0, and a lecturer's start on a machine without usable OpenGL, which
// ends with a centred message over the one-prism form and code 1 instead of a signal, as does a
// start without a display.
// None may leave a sanitizer report.
#include <QProcess>
#include <QtTest>

namespace {

struct Outcome
{
    int timeoutMs = 0;
    bool finished = false;
    QProcess::ExitStatus status = QProcess::NormalExit;
    int code = -1;
    QString errors;
};

// The program under the session driver, with the given variables added to the environment.
Outcome runSession(const QStringList &variables, int timeoutMs)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_LIBRARY_PATH", QStringLiteral(SESSION_DRIVER_DIR) + ':' + env.value("LD_LIBRARY_PATH"));
    for (const QString &variable : variables)
        env.insert(variable.section('=', 0, 0), variable.section('=', 1));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::SeparateChannels);
    program.start(QStringLiteral(DISPERSION_PROGRAM), {QStringLiteral("-testability")});
    Outcome outcome;
    outcome.timeoutMs = timeoutMs;
    if (!program.waitForStarted(10000)) {
        outcome.errors = program.errorString();
        return outcome;
    }
    outcome.finished = program.waitForFinished(timeoutMs);
    if (!outcome.finished)
        program.kill();
    program.waitForFinished(5000);
    outcome.status = program.exitStatus();
    outcome.code = program.exitCode();
    outcome.errors = QString::fromLocal8Bit(program.readAllStandardError());
    return outcome;
}

} // namespace

#define VERIFY_SESSION(condition, what) QVERIFY2(condition, qPrintable(QStringLiteral(what) + ":\n" + tail))

// What every run must show: it ended within its time, by an exit rather than a signal, and left
// no sanitizer report.
#define VERIFY_ENDED_CLEANLY(run) \
    do { \
        QVERIFY2(run.finished, qPrintable(QStringLiteral("the program did not end within %1 s:\n%2") \
                                              .arg(run.timeoutMs / 1000).arg(tail))); \
        QVERIFY2(run.status == QProcess::NormalExit, \
                 qPrintable(QStringLiteral("the program ended by signal %1:\n%2").arg(run.code).arg(tail))); \
        VERIFY_SESSION(!run.errors.contains("AddressSanitizer") && !run.errors.contains("LeakSanitizer") \
                           && !run.errors.contains("runtime error:"), \
                       "sanitizer report"); \
    } while (false)

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void wholeSession();
    void withoutUsableOpenGL_data();
    void withoutUsableOpenGL();
    void withoutDisplay();
};

void TestSession::wholeSession()
{
    const Outcome run = runSession({}, 240000);
    const QString tail = run.errors.right(3000);
    VERIFY_ENDED_CLEANLY(run);
    VERIFY_SESSION(run.errors.contains("session: driver loaded"), "the session driver was not loaded");
    VERIFY_SESSION(!run.errors.contains("session: FAIL"), "a session check failed");
    VERIFY_SESSION(run.errors.contains("session: done"), "the session did not reach Exit");
    // The width slider printed its coefficient at both ends of its range.
    const QStringList lines = run.errors.split('\n');
    VERIFY_SESSION(lines.contains("277.778") && lines.contains("4444.44"),
                   "the width slider's debug lines are missing");
    QVERIFY2(run.code == 0, qPrintable(QStringLiteral("exit code %1:\n%2").arg(run.code).arg(tail)));
}

void TestSession::withoutUsableOpenGL_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("found");
    QTest::newRow("no loadable driver") << QStringList{"LIBGL_DRIVERS_PATH=/nonexistent"}
                                        << "No OpenGL context could be created.";
    QTest::newRow("OpenGL 1.4") << QStringList{"MESA_GL_VERSION_OVERRIDE=1.4"} << "The driver gives OpenGL 1.4 ";
    QTest::newRow("OpenGL 2.1 without framebuffer objects")
        << QStringList{"MESA_GL_VERSION_OVERRIDE=2.1",
                       "MESA_EXTENSION_OVERRIDE=-GL_ARB_framebuffer_object -GL_EXT_framebuffer_object"}
        << "The driver gives OpenGL 2.1 Mesa";
}

void TestSession::withoutUsableOpenGL()
{
    QFETCH(QStringList, variables);
    QFETCH(QString, found);
    const Outcome run = runSession(variables + QStringList{"SESSION_SCRIPT=no-opengl"}, 60000);
    const QString tail = run.errors.right(3000);
    VERIFY_ENDED_CLEANLY(run);
    VERIFY_SESSION(run.errors.contains("session: dragged and resized the view")
                       && run.errors.contains("session: closed the message") && !run.errors.contains("session: FAIL"),
                   "the session did not reach and close the message box");
    VERIFY_SESSION(run.errors.contains("session: the box is centred")
                       && run.errors.contains("session: the form behind the box is the one-prism set-up's"),
                   "the box or the form behind it is not as the lecturer should see them");
    const QString need = QStringLiteral("OpenGL 2.0 with GLSL 1.20 and framebuffer objects");
    VERIFY_SESSION(run.errors.contains("session: message: The presentation needs " + need + ".  " + found),
                   "the message box does not say what is needed and what the driver gives");
    VERIFY_SESSION(run.errors.contains("\nCannot show the presentation: it needs " + need + ", but "),
                   "no console line about what the presentation needs");
    QVERIFY2(run.code == 1, qPrintable(QStringLiteral("exit code %1, expected 1:\n%2").arg(run.code).arg(tail)));
}

void TestSession::withoutDisplay()
{
    const Outcome run = runSession({QStringLiteral("DISPLAY=")}, 60000);
    const QString tail = run.errors.right(3000);
    VERIFY_ENDED_CLEANLY(run);
    VERIFY_SESSION(run.errors.contains("could not connect to display"), "Qt's message is missing");
    QVERIFY2(run.code >= 1 && run.code <= 127,
             qPrintable(QStringLiteral("exit code %1, expected 1 to 127:\n%2").arg(run.code).arg(tail)));
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
