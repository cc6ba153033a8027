#include "scene/ScTextures.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPointer>
#include <QString>

#include <GL/gl.h>

namespace {

// Deletes the texture's GL name in `context`, which is about to be destroyed. Qt releases a
// widget's context before destroying it, so unless it is still current it is made current on a
// surface of its own for this; the context current before is current again afterwards.
void destroyInDyingContext(QOpenGLTexture *texture, QOpenGLContext *context)
{
    QOpenGLContext *const previous = QOpenGLContext::currentContext();
    if (previous == context) {
        texture->destroy();
        return;
    }
    QSurface *const previousSurface = previous ? previous->surface() : nullptr;
    QOffscreenSurface surface(context->screen());
    surface.setFormat(context->format());
    surface.create();
    if (context->makeCurrent(&surface)) {
        texture->destroy();
        context->doneCurrent();
    }
    if (previous)
        previous->makeCurrent(previousSurface);
}

// Shares a texture made in the current context; its GL name is deleted when that context is
// about to be destroyed. QOpenGLTexture's own release would touch the dead context afterwards
// (a crash when another context is current, a warning otherwise), so a texture whose name could
// not be deleted then is left undeleted: the name goes with the share group.
QSharedPointer<QOpenGLTexture> shareTexture(QOpenGLTexture *texture)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    const QPointer<QOpenGLContext> owner(context);
    QSharedPointer<QOpenGLTexture> shared(texture, [owner](QOpenGLTexture *t) {
        if (t->textureId() != 0 && !owner)
            return;
        delete t;
    });
    if (context) {
        const QWeakPointer<QOpenGLTexture> weak = shared;
        QObject::connect(
            context, &QOpenGLContext::aboutToBeDestroyed, context,
            [weak, context]() {
                if (const QSharedPointer<QOpenGLTexture> t = weak.toStrongRef())
                    destroyInDyingContext(t.data(), context);
            },
            Qt::DirectConnection);
    }
    return shared;
}

} // namespace

QSharedPointer<QOpenGLTexture> loadTexture(const char *path)
{
    const QImage image(QString::fromUtf8(path));
    return shareTexture(new QOpenGLTexture(image, QOpenGLTexture::GenerateMipMaps));
}

QSharedPointer<QOpenGLTexture> loadCubeMapTexture(const char *prefix, const char *suffix,
                                                  const char *left, const char *right,
                                                  const char *up, const char *down,
                                                  const char *front, const char *back)
{
    QSharedPointer<QOpenGLTexture> texture =
        shareTexture(new QOpenGLTexture(QOpenGLTexture::TargetCubeMap));
    const struct
    {
        GLenum face;
        const char *name;
    } faces[] = {
        {GL_TEXTURE_CUBE_MAP_POSITIVE_X, right}, {GL_TEXTURE_CUBE_MAP_NEGATIVE_X, left},
        {GL_TEXTURE_CUBE_MAP_POSITIVE_Y, up},    {GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, down},
        {GL_TEXTURE_CUBE_MAP_POSITIVE_Z, back},  {GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, front},
    };
    for (const auto &f : faces) {
        const QString path = QStringLiteral("%1%2%3").arg(QString::fromUtf8(prefix),
                                                          QString::fromUtf8(f.name),
                                                          QString::fromUtf8(suffix));
        const QImage image = QImage(path).convertToFormat(QImage::Format_RGBA8888);
        if (!texture->isCreated()) {
            texture->create();
            texture->setSize(image.width(), image.height());
            texture->setFormat(QOpenGLTexture::RGBA8_UNorm);
            texture->allocateStorage();
            // One level: without immutable storage (OpenGL 2.x drivers) the level range would
            // reach past it, leaving the map incomplete and sampled as black. With immutable
            // storage the range already ends there.
            texture->setMipMaxLevel(0);
        }
        // Plain glTexSubImage2D: QOpenGLTexture::setData on a cube-map face takes a
        // direct-state-access path that Mesa rejects, leaving the faces black.
        // A picture that did not decode or does not match the storage's size is skipped.
        if (!texture->isStorageAllocated()
            || image.size() != QSize(texture->width(), texture->height()))
            continue;
        texture->bind();
        glTexSubImage2D(f.face, 0, 0, 0, image.width(), image.height(), GL_RGBA,
                        GL_UNSIGNED_BYTE, image.constBits());
        texture->release();
    }
    return texture;
}
