#include "scene/ScMeshRenderer.h"

#include "scene/ScBasicCamera.h"
#include "scene/ScMesh.h"

#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>

#include <GL/gl.h>

ScMeshRenderer::ScMeshRenderer() = default;

ScMeshRenderer::~ScMeshRenderer()
{
    m_texture.reset();
    m_shaderProgram.reset();
    m_mesh.reset();
}

QSharedPointer<ScMeshRenderer> ScMeshRenderer::create()
{
    return QSharedPointer<ScMeshRenderer>(new ScMeshRenderer());
}

ScMeshRenderer *ScMeshRenderer::setVisible(bool visible)
{
    this->visible = visible;
    return this;
}

QSharedPointer<ScMesh> ScMeshRenderer::mesh() const
{
    return m_mesh;
}

QSharedPointer<QOpenGLShaderProgram> ScMeshRenderer::shaderProgram() const
{
    return m_shaderProgram;
}

QSharedPointer<QOpenGLTexture> ScMeshRenderer::texture() const
{
    return m_texture;
}

void ScMeshRenderer::bind(ScBasicCamera *camera)
{
    if (const QSharedPointer<QOpenGLTexture> t = texture()) {
        glEnable(GL_TEXTURE_2D);
        t->bind(0);
    }
    const QMatrix4x4 view = camera->viewMatrix();
    const QMatrix4x4 projection = camera->projectionMatrix();
    const QVector3D eye = view.inverted().column(3).toVector3D();

    const QSharedPointer<QOpenGLShaderProgram> program = shaderProgram();
    program->bind();
    program->setUniformValue("un_Color", color);
    program->setUniformValue("un_DiffuseTexture", GLint(0));
    program->setUniformValue("un_ModelMatrix", modelMatrix());
    program->setUniformValue("un_NormalMatrix", normalMatrix());
    program->setUniformValue("un_ViewMatrix", view);
    program->setUniformValue("un_ProjectionMatrix", projection);
    program->setUniformValue("un_CameraPositionWS", eye);
}

void ScMeshRenderer::release()
{
    shaderProgram()->release();
    if (const QSharedPointer<QOpenGLTexture> t = texture()) {
        t->release(0);
        glDisable(GL_TEXTURE_2D);
    }
}

void ScMeshRenderer::render(ScBasicCamera *camera)
{
    const QSharedPointer<ScMesh> m = mesh();
    const QSharedPointer<QOpenGLShaderProgram> program = shaderProgram();
    // A renderer without mesh or program has nothing to draw with.
    if (!visible || !m || !program)
        return;
    bind(camera);
    m->draw(program.data(), 0, m->vertexCount);
    release();
}
