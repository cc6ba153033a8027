// Which drivers the scene engine accepts (desktop OpenGL 2.0 with GLSL 1.20 and framebuffer
// objects, not a core profile), read from the version strings, and what the lecturer is told about
// the others.
#include "scene/ScOpenGLSupport.h"

#include <QtTest>

class TestScOpenGLSupport : public QObject
{
    Q_OBJECT

private slots:
    void shortfall_data();
    void shortfall();
    void messageAndLine();
};

void TestScOpenGLSupport::shortfall_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("glsl");
    QTest::addColumn<bool>("framebuffers");
    QTest::addColumn<bool>("core");
    QTest::addColumn<QString>("expected"); // empty: accepted
    QTest::newRow("Mesa compatibility 4.5") << QByteArray("4.5 (Compatibility Profile) Mesa 22.3.6")
                                            << QByteArray("4.50") << true << false << QString();
    QTest::newRow("2.1 with 1.20") << QByteArray("2.1 Mesa 22.3.6") << QByteArray("1.20") << true << false
                                   << QString();
    QTest::newRow("vendor 4.6.0") << QByteArray("4.6.0 NVIDIA 535.54") << QByteArray("4.60 NVIDIA") << true
                                  << false << QString();
    QTest::newRow("2.0 with 1.10") << QByteArray("2.0 Mesa") << QByteArray("1.10") << true << false
                                   << "the driver gives OpenGL 2.0 Mesa with GLSL 1.10";
    QTest::newRow("1.4 without GLSL") << QByteArray("1.4 Mesa 22.3.6") << QByteArray() << true << false
                                      << "the driver gives OpenGL 1.4 Mesa 22.3.6 with no GLSL";
    QTest::newRow("1.5 with 4.50") << QByteArray("1.5 Mesa") << QByteArray("4.50") << true << false
                                   << "the driver gives OpenGL 1.5 Mesa with GLSL 4.50";
    QTest::newRow("OpenGL ES 3.2") << QByteArray("OpenGL ES 3.2 Mesa") << QByteArray("OpenGL ES GLSL ES 3.20")
                                   << true << false
                                   << "the driver gives OpenGL ES 3.2 Mesa with OpenGL ES GLSL ES 3.20";
    QTest::newRow("2.1 without framebuffer objects")
        << QByteArray("2.1 Mesa 22.3.6") << QByteArray("1.20") << false << false
        << "the driver gives OpenGL 2.1 Mesa 22.3.6 with GLSL 1.20 and no framebuffer objects";
    QTest::newRow("Mesa core 4.5") << QByteArray("4.5 (Core Profile) Mesa 22.3.6") << QByteArray("4.50") << true
                                   << true
                                   << "the driver gives OpenGL 4.5 (Core Profile) Mesa 22.3.6 as a core profile, "
                                      "without the fixed functions of OpenGL 2.0";
    QTest::newRow("vendor core 3.3") << QByteArray("3.3.0 NVIDIA 535.54") << QByteArray("3.30 NVIDIA") << true
                                     << true
                                     << "the driver gives OpenGL 3.3.0 NVIDIA 535.54 as a core profile, without "
                                        "the fixed functions of OpenGL 2.0";
    QTest::newRow("no context") << QByteArray() << QByteArray() << false << false
                                << "no OpenGL context could be created";
}

void TestScOpenGLSupport::shortfall()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, glsl);
    QFETCH(bool, framebuffers);
    QFETCH(bool, core);
    QFETCH(QString, expected);
    const QString got = openGLShortfall(version, glsl, framebuffers, core);
    QVERIFY2(got == expected, qPrintable(QStringLiteral("\"%1\" / \"%2\": \"%3\", expected \"%4\"")
                                             .arg(QString::fromLatin1(version), QString::fromLatin1(glsl), got, expected)));
}

void TestScOpenGLSupport::messageAndLine()
{
    const QString shortfall = openGLShortfall(QByteArray(), QByteArray(), false, false);
    QCOMPARE(openGLShortfallMessage(shortfall),
             QStringLiteral("The presentation needs OpenGL 2.0 with GLSL 1.20 and framebuffer objects.\n\n"
                            "No OpenGL context could be created."));
    QCOMPARE(openGLShortfallLine(shortfall),
             QStringLiteral("Cannot show the presentation: it needs OpenGL 2.0 with GLSL 1.20 and framebuffer objects, "
                            "but no OpenGL context could be created."));

    // One "but" in the line, however much the driver lacks.
    const QString line = openGLShortfallLine(openGLShortfall("2.1 Mesa", "4.50", false, false));
    QVERIFY2(line.count(QStringLiteral(" but ")) == 1, qPrintable(line));
}

QTEST_APPLESS_MAIN(TestScOpenGLSupport)
#include "tst_ScOpenGLSupport.moc"
