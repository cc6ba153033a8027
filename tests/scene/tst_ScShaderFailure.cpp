#include "scene/ScShaders.h"

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

namespace {

const char childFlag[] = "--load-shader-program";

// The child: loads one program in a fresh context and reports whether the loader returned.
int loadInChild(int argc, char **argv)
{
    const QByteArray vertex = argv[2], fragment = argv[3];
    QGuiApplication app(argc, argv);
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    if (!context.create() || !context.makeCurrent(&surface)) {
        std::fprintf(stdout, "no context\n");
        return 3;
    }
    const QSharedPointer<QOpenGLShaderProgram> program =
        loadShaderProgram(vertex.constData(), fragment.constData());
    std::fprintf(stdout, "returned %s\n", program->isLinked() ? "linked" : "unlinked");
    return 0;
}

} // namespace

class TestScShaderFailure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failureEndsTheProcess_data();
    void failureEndsTheProcess();

private:
    QString writeFile(const QString &name, const QByteArray &content);
    QTemporaryDir m_dir;
};

QString TestScShaderFailure::writeFile(const QString &name, const QByteArray &content)
{
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        return QString();
    return f.fileName();
}

void TestScShaderFailure::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestScShaderFailure::failureEndsTheProcess_data()
{
    QTest::addColumn<QString>("vertex");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("absent");

    const QString vertex = ":/shaders/vertex.glsl";
    const QString fragment = ":/shaders/fragUnlit.glsl";
    const QString missingVertex = m_dir.filePath("missing.vert");
    const QString missingFragment = m_dir.filePath("missing.frag");
    const QString brokenFragment =
        writeFile("broken.frag", "#version 120\nvoid main(void)\n{\n    gl_FragColor = ;\n}\n");
    const QString mainless =
        writeFile("mainless.frag", "#version 120\nvec4 shade(void)\n{\n    return vec4(1.0);\n}\n");
    QVERIFY(!brokenFragment.isEmpty() && !mainless.isEmpty());

    QTest::newRow("missing vertex stage")
        << missingVertex << fragment << "Failed to load a vertex shader  " + missingVertex
        << "pixel shader";
    QTest::newRow("missing fragment stage")
        << vertex << missingFragment << "Failed to load a pixel shader  " + missingFragment
        << "vertex shader";
    QTest::newRow("fragment stage does not compile")
        << vertex << brokenFragment << "Failed to load a pixel shader  " + brokenFragment
        << "vertex shader";
    QTest::newRow("program does not link")
        << vertex << mainless
        << "Failed to load link a shader program  " + vertex + "  +  " + mainless << "pixel shader";
    QTest::newRow("shipped program loads") << vertex << fragment << QString() << "Failed";
}

void TestScShaderFailure::failureEndsTheProcess()
{
    QFETCH(QString, vertex);
    QFETCH(QString, fragment);
    QFETCH(QString, line);
    QFETCH(QString, absent);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(childFlag), vertex, fragment});
    QVERIFY2(child.waitForFinished(60000), "the child did not end");
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(!out.contains("no context"), "the child found no GL context");

    if (line.isEmpty()) {
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
                     && out.contains("returned linked"),
                 qPrintable("loading the shipped program failed: " + out + err));
    } else {
        QVERIFY2(child.exitStatus() == QProcess::CrashExit,
                 qPrintable("the process was not aborted (exit code "
                            + QString::number(child.exitCode()) + ")"));
        QVERIFY2(!out.contains("returned"), "the loader returned after a failure");
        const QStringList lines = err.split('\n');
        QVERIFY2(lines.count(line) == 1,
                 qPrintable("expected the debug line \"" + line + "\" once; stderr was:\n" + err));
    }
    QVERIFY2(!err.contains(absent), qPrintable("unexpected \"" + absent + "\" in:\n" + err));
}

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], childFlag) == 0)
        return loadInChild(argc, argv);
    QApplication app(argc, argv);
    TestScShaderFailure test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ScShaderFailure.moc"
