#include "scene/ScShaders.h"

#include <QDebug>
#include <QString>

#include <cstdlib>

namespace {

const char vertexPath[] = ":/shaders/vertex.glsl";

// One debug line without file, line or function, then abnormal termination.
[[noreturn]] void fail(const char *text, const char *path, const char *secondPath = nullptr)
{
    {
        QDebug line = QMessageLogger().debug();
        line << text << path;
        if (secondPath)
            line << " + " << secondPath;
    }
    std::abort();
}

} // namespace

QSharedPointer<QOpenGLShaderProgram> loadShaderProgram(const char *vertexPath,
                                                       const char *fragmentPath)
{
    QSharedPointer<QOpenGLShaderProgram> program(new QOpenGLShaderProgram());
    if (!program->addShaderFromSourceFile(QOpenGLShader::Vertex, QString::fromUtf8(vertexPath)))
        fail("Failed to load a vertex shader ", vertexPath);
    if (!program->addShaderFromSourceFile(QOpenGLShader::Fragment, QString::fromUtf8(fragmentPath)))
        fail("Failed to load a pixel shader ", fragmentPath);
    if (!program->link())
        fail("Failed to load link a shader program ", vertexPath, fragmentPath);
    return program;
}

// Each static is released by its exit handler; the program's GL name is freed with its context
// group, so the release is safe after the context is gone.
QSharedPointer<QOpenGLShaderProgram> litProgram()
{
    static const QSharedPointer<QOpenGLShaderProgram> program =
        loadShaderProgram(vertexPath, ":/shaders/fragLit.glsl");
    return program;
}

QSharedPointer<QOpenGLShaderProgram> refractProgram()
{
    static const QSharedPointer<QOpenGLShaderProgram> program =
        loadShaderProgram(vertexPath, ":/shaders/fragRefract.glsl");
    return program;
}

QSharedPointer<QOpenGLShaderProgram> unlitProgram()
{
    static const QSharedPointer<QOpenGLShaderProgram> program =
        loadShaderProgram(vertexPath, ":/shaders/fragUnlit.glsl");
    return program;
}

QSharedPointer<QOpenGLShaderProgram> unlitTexturedProgram()
{
    static const QSharedPointer<QOpenGLShaderProgram> program =
        loadShaderProgram(vertexPath, ":/shaders/fragUnlitTextured.glsl");
    return program;
}
