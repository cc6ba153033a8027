#pragma once

#include "scene/ScOffsetTransform.h"

#include <QSharedPointer>
#include <QVector4D>

class QOpenGLShaderProgram;
class QOpenGLTexture;
class ScBasicCamera;
class ScMesh;

// Draws one shared mesh with one shared program, an optional texture on unit 0 and a colour,
// through a camera; eye position for the shaders = column 3 of inverse(view matrix).
class ScMeshRenderer : public ScOffsetTransform
{
public:
    ScMeshRenderer();
    ~ScMeshRenderer() override;

    static QSharedPointer<ScMeshRenderer> create();

    virtual ScMeshRenderer *setVisible(bool visible);
    // Opaque draw of the whole mesh; nothing without mesh or program. Needs a current GL context.
    virtual void render(ScBasicCamera *camera);

    QSharedPointer<ScMesh> mesh() const;
    QSharedPointer<QOpenGLShaderProgram> shaderProgram() const;
    QSharedPointer<QOpenGLTexture> texture() const;

    // Enables texturing and binds the texture (if any), binds the program and sets the seven
    // uniforms. Needs a current GL context.
    void bind(ScBasicCamera *camera);
    // Releases the program, then the texture and texturing (if any). Needs a current GL context.
    void release();

    bool visible = true;
    QSharedPointer<ScMesh> m_mesh;
    QSharedPointer<QOpenGLShaderProgram> m_shaderProgram;
    QSharedPointer<QOpenGLTexture> m_texture;
    QVector4D color = QVector4D(1.0f, 1.0f, 1.0f, 1.0f);
};
