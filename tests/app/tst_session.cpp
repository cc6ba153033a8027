// Runs the real program through a scripted lecture session (see session_driver.cpp) and
// checks that it ends through Exit with code 0, without a sanitizer report.
#include <QProcess>
#include <QtTest>

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void wholeSession();
};

void TestSession::wholeSession()
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_LIBRARY_PATH", QStringLiteral(SESSION_DRIVER_DIR) + ':' + env.value("LD_LIBRARY_PATH"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::SeparateChannels);
    program.start(QStringLiteral(DISPERSION_PROGRAM), {QStringLiteral("-testability")});
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    const bool finished = program.waitForFinished(240000);
    if (!finished)
        program.kill();
    program.waitForFinished(5000);
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    const QString tail = errors.right(3000);
    QVERIFY2(finished, qPrintable("the session did not end within 240 s:\n" + tail));
    QVERIFY2(program.exitStatus() == QProcess::NormalExit,
             qPrintable(QStringLiteral("the program crashed (signal %1):\n%2").arg(program.exitCode()).arg(tail)));
    QVERIFY2(errors.contains("session: driver loaded"), qPrintable("the session driver was not loaded:\n" + tail));
    QVERIFY2(!errors.contains("session: FAIL"), qPrintable("a session check failed:\n" + tail));
    QVERIFY2(errors.contains("session: done"), qPrintable("the session did not reach Exit:\n" + tail));
    QVERIFY2(!errors.contains("AddressSanitizer") && !errors.contains("runtime error:"),
             qPrintable("sanitizer report:\n" + tail));
    // The width slider printed its coefficient at both ends of its range.
    const QStringList lines = errors.split('\n');
    QVERIFY2(lines.contains("277.778") && lines.contains("4444.44"),
             qPrintable("the width slider's debug lines are missing:\n" + tail));
    QVERIFY2(program.exitCode() == 0,
             qPrintable(QStringLiteral("exit code %1:\n%2").arg(program.exitCode()).arg(tail)));
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
