#pragma once

#include <QOpenGLTexture>
#include <QSharedPointer>

// A 2D texture with a full mipmap chain from the picture at `path`, rows in stored order
// (v = 0 is the top row). Needs a current GL context.
QSharedPointer<QOpenGLTexture> loadTexture(const char *path);

// A cube map from the six pictures prefix + name + suffix; faces +X right, -X left, +Y up,
// -Y down, +Z back, -Z front; one level, RGBA8, size of the +X face. Needs a current GL context.
QSharedPointer<QOpenGLTexture> loadCubeMapTexture(const char *prefix, const char *suffix,
                                                  const char *left, const char *right,
                                                  const char *up, const char *down,
                                                  const char *front, const char *back);
