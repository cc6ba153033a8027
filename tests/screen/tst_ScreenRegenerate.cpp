#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Runs the generator into a temporary folder; its outputs must equal the committed ones byte for byte.
class ScreenRegenerateTest : public QObject
{
    Q_OBJECT

private slots:
    void outputsMatch_data();
    void outputsMatch();

private:
    QTemporaryDir m_dir;
    bool m_ran = false;
};

void ScreenRegenerateTest::outputsMatch_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("vertex table") << QStringLiteral("models/ScreenModel.cpp");
    QTest::newRow("light map") << QStringLiteral("resources/gfx/screenLightMap.png");
}

void ScreenRegenerateTest::outputsMatch()
{
    QFETCH(QString, path);
    QVERIFY2(m_dir.isValid(), "no temporary folder");
    if (!m_ran) {
        QProcess generator;
        generator.start(QStringLiteral(SCREENGEN_PATH), {m_dir.path()});
        QVERIFY2(generator.waitForFinished(120000), "screengen did not finish");
        QVERIFY2(generator.exitStatus() == QProcess::NormalExit && generator.exitCode() == 0,
                 qPrintable(QStringLiteral("screengen failed (%1): %2").arg(generator.exitCode())
                            .arg(QString::fromLocal8Bit(generator.readAllStandardError()))));
        m_ran = true;
    }
    QFile fresh(m_dir.filePath(path)), committed(QStringLiteral(SOURCE_ROOT "/") + path);
    QVERIFY2(fresh.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("screengen wrote no %1").arg(path)));
    QVERIFY2(committed.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("%1 is not in the source tree").arg(path)));
    const QByteArray a = fresh.readAll(), b = committed.readAll();
    int at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    QVERIFY2(a == b, qPrintable(QStringLiteral("%1 differs from a fresh run: %2 against %3 bytes, first difference at byte %4")
             .arg(path).arg(b.size()).arg(a.size()).arg(at)));
}

QTEST_GUILESS_MAIN(ScreenRegenerateTest)
#include "tst_ScreenRegenerate.moc"
