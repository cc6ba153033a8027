// Which drivers the scene engine accepts (desktop OpenGL 2.0 with GLSL 1.20 and framebuffer
// objects), read from the version strings, and what the lecturer is told about the others.
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
    QTest::addColumn<QString>("expected"); // empty: accepted
    QTest::newRow("Mesa compatibility 4.5") << QByteArray("4.5 (Compatibility Profile) Mesa 22.3.6")
                                            << QByteArray("4.50") << true << QString();
    QTest::newRow("2.1 with 1.20") << QByteArray("2.1 Mesa 22.3.6") << QByteArray("1.20") << true << QString();
    QTest::newRow("vendor 4.6.0") << QByteArray("4.6.0 NVIDIA 535.54") << QByteArray("4.60 NVIDIA") << true << QString();
    QTest::newRow("2.0 with 1.10") << QByteArray("2.0 Mesa") << QByteArray("1.10")
                                   << true << "the driver gives OpenGL 2.0 Mesa with GLSL 1.10";
    QTest::newRow("1.4 without GLSL") << QByteArray("1.4 Mesa 22.3.6") << QByteArray()
                                      << true << "the driver gives OpenGL 1.4 Mesa 22.3.6 with no GLSL";
    QTest::newRow("1.5 with 4.50") << QByteArray("1.5 Mesa") << QByteArray("4.50")
                                   << true << "the driver gives OpenGL 1.5 Mesa with GLSL 4.50";
    QTest::newRow("OpenGL ES 3.2") << QByteArray("OpenGL ES 3.2 Mesa") << QByteArray("OpenGL ES GLSL ES 3.20")
                                   << true << "the driver gives OpenGL ES 3.2 Mesa with OpenGL ES GLSL ES 3.20";
    QTest::newRow("2.1 without framebuffer objects")
        << QByteArray("2.1 Mesa 22.3.6") << QByteArray("1.20") << false
        << "the driver gives OpenGL 2.1 Mesa 22.3.6 with GLSL 1.20 but no framebuffer objects";
    QTest::newRow("no context") << QByteArray() << QByteArray() << false << "no OpenGL context could be created";
}

void TestScOpenGLSupport::shortfall()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, glsl);
    QFETCH(bool, framebuffers);
    QFETCH(QString, expected);
    const QString got = openGLShortfall(version, glsl, framebuffers);
    QVERIFY2(got == expected, qPrintable(QStringLiteral("\"%1\" / \"%2\": \"%3\", expected \"%4\"")
                                             .arg(QString::fromLatin1(version), QString::fromLatin1(glsl), got, expected)));
}

void TestScOpenGLSupport::messageAndLine()
{
    const QString shortfall = openGLShortfall(QByteArray(), QByteArray(), false);
    QCOMPARE(openGLShortfallMessage(shortfall),
             QStringLiteral("The presentation needs OpenGL 2.0 with GLSL 1.20.\n\nNo OpenGL context could be created."));
    const QString line = openGLShortfallLine(shortfall);
    QCOMPARE(line, QStringLiteral("Cannot show the presentation: it needs OpenGL 2.0 with GLSL 1.20, but no OpenGL "
                                  "context could be created."));
}

QTEST_APPLESS_MAIN(TestScOpenGLSupport)
#include "tst_ScOpenGLSupport.moc"
