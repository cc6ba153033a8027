#include "scene/ScTransparentMeshRenderer.h"

#include "scene/ScBasicCamera.h"
#include "scene/ScMesh.h"

#include <QOpenGLShaderProgram>

#include <GL/gl.h>

#include <algorithm>

QSharedPointer<ScTransparentMeshRenderer> ScTransparentMeshRenderer::create()
{
    return QSharedPointer<ScTransparentMeshRenderer>::create();
}

QVector<TransparentTriangleKey> ScTransparentMeshRenderer::sortedTriangleKeys(
    const QVector<ScVertex> &vertices, const QMatrix4x4 &modelView)
{
    const int triangles = vertices.size() / 3;
    QVector<TransparentTriangleKey> keys(triangles);
    for (int i = 0; i < triangles; ++i) {
        QVector3D sum;
        for (int k = 3 * i; k < 3 * i + 3; ++k)
            sum += modelView.map(vertices[k].position) * vertices[k].color.w();
        keys[i] = {3 * i, sum.length()};
    }
    std::sort(keys.begin(), keys.end(),
              [](const TransparentTriangleKey &a, const TransparentTriangleKey &b) {
                  return a.distance > b.distance;
              });
    return keys;
}

void ScTransparentMeshRenderer::render(ScBasicCamera *camera)
{
    const QSharedPointer<ScMesh> m = mesh();
    const QSharedPointer<QOpenGLShaderProgram> program = shaderProgram();
    if (!visible || !m || !program)
        return;
    const QMatrix4x4 modelView = camera->viewMatrix() * modelMatrix();
    const QVector<TransparentTriangleKey> keys = sortedTriangleKeys(m->vertices, modelView);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    bind(camera);
    for (const TransparentTriangleKey &key : keys)
        m->draw(program.data(), key.firstVertex, 3);
    release();
    glDisable(GL_BLEND);
}
