#pragma once

#include <QByteArray>
#include <QString>

// What the scene engine needs of the driver: desktop OpenGL 2.0 with GLSL 1.20 and framebuffer
// objects, which the GL widget draws into, in a context that keeps OpenGL 2's fixed functions
// (texture enables, drawing without a vertex array object), which a core profile drops.

// Empty when a context with these version strings (GL_VERSION and GL_SHADING_LANGUAGE_VERSION),
// framebuffer support and profile meets the need; otherwise what the driver gives, in words. An
// empty version means no context.
QString openGLShortfall(const QByteArray &version, const QByteArray &shadingLanguageVersion,
                        bool framebufferObjects, bool coreProfile);

// The lecturer's message for a shortfall, and the one console line.
QString openGLShortfallMessage(const QString &shortfall);
QString openGLShortfallLine(const QString &shortfall);
