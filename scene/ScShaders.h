#pragma once

#include <QOpenGLShaderProgram>
#include <QSharedPointer>

// Compiles and links a program from two GLSL files (UTF-8 paths). On failure it writes one debug
// line and aborts the process; it never returns an unlinked program. Needs a current GL context.
QSharedPointer<QOpenGLShaderProgram> loadShaderProgram(const char *vertexPath,
                                                       const char *fragmentPath);

// The four shared programs over ":/shaders/vertex.glsl", built on the first call and released
// at exit. Each needs a current GL context on its first call.
QSharedPointer<QOpenGLShaderProgram> litProgram();
QSharedPointer<QOpenGLShaderProgram> refractProgram();
QSharedPointer<QOpenGLShaderProgram> unlitProgram();
QSharedPointer<QOpenGLShaderProgram> unlitTexturedProgram();
