#include "scene/ScMesh.h"
#include "scene/ScOpenGLWidget.h"
#include "scene/ScScene.h"
#include "scene/ScShaders.h"
#include "scene/ScTextures.h"

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QProcess>
#include <QtTest>

#include <cstdio>

namespace {

const char childFlag[] = "--exit-child";

// Prints when it is destroyed: constructed before the shared objects, so it goes after them.
struct ExitMarker
{
    ~ExitMarker()
    {
        std::fprintf(stdout, "exit handlers done\n");
        std::fflush(stdout);
    }
};

// GPU objects held in statics until exit, as the renderers' class-wide resources are.
struct SharedObjects
{
    QSharedPointer<QOpenGLTexture> texture;
    QSharedPointer<QOpenGLTexture> cubeMap;
    QSharedPointer<ScMesh> mesh;
};

SharedObjects &sharedObjects()
{
    static SharedObjects objects;
    return objects;
}

class LoadingScene : public ScScene
{
public:
    void initialize() override
    {
        litProgram();
        refractProgram();
        unlitProgram();
        unlitTexturedProgram();
        SharedObjects &o = sharedObjects();
        o.texture = loadTexture(":/gfx/color_mask.png");
        o.cubeMap = loadCubeMapTexture(":/gfx/roomCubemap", ".png", "_LF", "_RT", "_UP", "_DN",
                                       "_FR", "_BK");
        const ScVertex v[3] = {};
        o.mesh = ScMesh::create(v, 3, true);
    }
};

// Shows a scene widget that creates the shared objects, closes it (its context goes), then
// leaves the objects to the exit handlers; in "other" mode with an unrelated context current.
int runChild(int argc, char **argv, bool otherContext)
{
    static ExitMarker marker;
    sharedObjects();
    QApplication app(argc, argv);
    {
        ScOpenGLWidget widget;
        widget.m_scene.reset(new LoadingScene);
        widget.resize(64, 64);
        widget.show();
        if (!QTest::qWaitForWindowExposed(&widget))
            return 3;
        widget.grabFramebuffer();
        if (!sharedObjects().cubeMap)
            return 4;
    }
    if (otherContext) {
        QOffscreenSurface surface;
        surface.create();
        QOpenGLContext context;
        if (!context.create() || !context.makeCurrent(&surface))
            return 5;
        sharedObjects().texture.reset();
        sharedObjects().cubeMap.reset();
        sharedObjects().mesh.reset();
        context.doneCurrent();
    }
    return 0;
}

} // namespace

class TestScExit : public QObject
{
    Q_OBJECT

private slots:
    void releaseAfterTheContextIsGone_data();
    void releaseAfterTheContextIsGone();
};

void TestScExit::releaseAfterTheContextIsGone_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("no context current at exit") << "none";
    QTest::newRow("another context current") << "other";
}

void TestScExit::releaseAfterTheContextIsGone()
{
    QFETCH(QString, mode);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(childFlag), mode});
    QVERIFY2(child.waitForFinished(60000), "the child hung");
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             qPrintable("the child ended with status " + QString::number(child.exitStatus())
                        + ", code " + QString::number(child.exitCode()) + ":\n" + err));
    QVERIFY2(out.contains("exit handlers done"), "the exit handlers did not finish");
    QVERIFY2(!err.contains("destroy") && !err.contains("current context"),
             qPrintable("GL release complained:\n" + err));
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], childFlag) == 0)
        return runChild(argc, argv, qstrcmp(argv[2], "other") == 0);
    QApplication app(argc, argv);
    TestScExit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ScExit.moc"
