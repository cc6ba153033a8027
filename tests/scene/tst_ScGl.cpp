#include "scene/ScMesh.h"
#include "scene/ScMeshRenderer.h"
#include "scene/ScOrbitalCamera.h"
#include "scene/ScShaders.h"
#include "scene/ScTextures.h"
#include "scene/ScTransparentMeshRenderer.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QTemporaryDir>
#include <QtTest>

#include <GL/gl.h>

#include <cstring>
#include <memory>

namespace {

ScVertex vertex(float x, float y, float alpha = 1.0f)
{
    return ScVertex{QVector3D(x, y, 0), QVector2D(0.5f, 0.5f), QVector3D(0, 0, 1),
                    QVector4D(1, 1, 1, alpha)};
}

QVector<ScVertex> numberedVertices(int count)
{
    QVector<ScVertex> v(count);
    for (int i = 0; i < count; ++i)
        v[i] = ScVertex{QVector3D(float(i), float(-i), 0.5f), QVector2D(i, 1), QVector3D(0, 1, 0),
                        QVector4D(1, 0, 0, 1)};
    return v;
}

// An axis-aligned triangle pair covering [x0, x1] × [-1, 1] in clip space.
void appendQuad(QVector<ScVertex> &v, float x0, float x1, float alpha = 1.0f)
{
    v << vertex(x0, -1, alpha) << vertex(x1, -1, alpha) << vertex(x1, 1, alpha);
    v << vertex(x0, -1, alpha) << vertex(x1, 1, alpha) << vertex(x0, 1, alpha);
}

QRgb pixel(int x, int y)
{
    unsigned char p[4] = {0, 0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return qRgba(p[0], p[1], p[2], p[3]);
}

QByteArray text(QRgb c)
{
    return "(" + QByteArray::number(qRed(c)) + ", " + QByteArray::number(qGreen(c)) + ", "
        + QByteArray::number(qBlue(c)) + ", " + QByteArray::number(qAlpha(c)) + ")";
}

// A camera with a singular view: the eye position must fall back to the origin.
class SingularCamera : public ScBasicCamera
{
public:
    QMatrix4x4 viewMatrix() const override
    {
        QMatrix4x4 m;
        m.fill(0.0f);
        return m;
    }
};

} // namespace

class TestScGl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void meshUploads_data();
    void meshUploads();
    void meshCopyAndBounds();
    void emptyMeshDrawsNothing();
    void drawsTheRequestedRange_data();
    void drawsTheRequestedRange();
    void sharedProgramsLink_data();
    void sharedProgramsLink();
    void texture2DKeepsTopRowFirst();
    void cubeMapFacesReadBack();
    void systemCubeMapFace();
    void cameraPositionUniform();
    void glStateAfterRender_data();
    void glStateAfterRender();
    void renderWithoutMeshOrProgramDoesNothing();
    void translucentTrianglesDrawFarthestKeyFirst_data();
    void translucentTrianglesDrawFarthestKeyFirst();

private:
    QString writePicture(const QString &name, const QImage &image);
    QSharedPointer<QOpenGLShaderProgram> positionColorProgram();

    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    QTemporaryDir m_dir;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
};

void TestScGl::initTestCase()
{
    m_surface.create();
    QVERIFY2(m_context.create(), "no OpenGL context: the GL tests cannot run");
    QVERIFY2(m_context.makeCurrent(&m_surface), "cannot make the OpenGL context current");
    QVERIFY2(m_dir.isValid(), "no temporary folder");
    m_fbo.reset(new QOpenGLFramebufferObject(64, 64, QOpenGLFramebufferObject::Depth));
    QVERIFY2(m_fbo->bind(), "cannot bind a framebuffer object");
    glViewport(0, 0, 64, 64);
}

QString TestScGl::writePicture(const QString &name, const QImage &image)
{
    const QString path = m_dir.filePath(name);
    if (!image.save(path, "PNG"))
        return QString();
    return path;
}

// Reads only position and colour, so in_TexCoord and in_NormalMS are absent from it.
QSharedPointer<QOpenGLShaderProgram> TestScGl::positionColorProgram()
{
    QFile vs(m_dir.filePath("pc.vert")), fs(m_dir.filePath("pc.frag"));
    if (!vs.open(QIODevice::WriteOnly) || !fs.open(QIODevice::WriteOnly))
        return {};
    vs.write("#version 120\nattribute vec4 in_VertexCoordMS;\nattribute vec4 in_Color;\n"
             "varying vec4 vr_Color;\nvoid main(void)\n{\n    vr_Color = in_Color;\n"
             "    gl_Position = in_VertexCoordMS;\n}\n");
    fs.write("#version 120\nvarying vec4 vr_Color;\nvoid main(void)\n{\n"
             "    gl_FragColor = vr_Color;\n}\n");
    vs.close();
    fs.close();
    return loadShaderProgram(vs.fileName().toUtf8().constData(), fs.fileName().toUtf8().constData());
}

void TestScGl::meshUploads_data()
{
    QTest::addColumn<QVector<int>>("counts");
    QTest::addColumn<QVector<int>>("storedVertices");

    QTest::newRow("first upload allocates") << QVector<int>{100} << QVector<int>{100};
    QTest::newRow("smaller writes in place, larger reallocates")
        << QVector<int>{100, 50, 60} << QVector<int>{100, 100, 60};
    QTest::newRow("same count reallocates") << QVector<int>{100, 50, 50} << QVector<int>{100, 100, 50};
    QTest::newRow("grows") << QVector<int>{10, 20} << QVector<int>{10, 20};
    QTest::newRow("shrinks to zero in place") << QVector<int>{8, 0} << QVector<int>{8, 8};
}

void TestScGl::meshUploads()
{
    QFETCH(QVector<int>, counts);
    QFETCH(QVector<int>, storedVertices);

    const QSharedPointer<ScMesh> mesh = ScMesh::create();
    QVERIFY2(!mesh->buffer.isCreated(), "an empty mesh created a buffer");
    for (int i = 0; i < counts.size(); ++i) {
        const QVector<ScVertex> v = numberedVertices(counts[i]);
        QCOMPARE(mesh->setVertices(v.constData(), counts[i], false, false), mesh.data());
        QCOMPARE(mesh->vertexCount, counts[i]);
        mesh->buffer.bind();
        const int bytes = mesh->buffer.size();
        QVERIFY2(bytes == 48 * storedVertices[i],
                 QByteArray("upload " + QByteArray::number(i) + " of " + QByteArray::number(counts[i])
                            + " vertices: storage " + QByteArray::number(bytes) + " bytes, expected "
                            + QByteArray::number(48 * storedVertices[i]))
                     .constData());
        QVector<ScVertex> back(counts[i]);
        if (counts[i] > 0)
            QVERIFY2(mesh->buffer.read(0, back.data(), 48 * counts[i]), "cannot read the buffer back");
        QVERIFY2(std::memcmp(back.constData(), v.constData(), size_t(48 * counts[i])) == 0,
                 QByteArray("upload " + QByteArray::number(i) + ": the first vertices differ").constData());
    }
    QCOMPARE(int(glGetError()), int(GL_NO_ERROR));
}

void TestScGl::meshCopyAndBounds()
{
    QVector<ScVertex> v = numberedVertices(3);
    v[1].position = QVector3D(-4, 7, -1);
    const QSharedPointer<ScMesh> mesh = ScMesh::create(v.constData(), 3, true, true);
    QCOMPARE(mesh->vertices.size(), 3);
    QCOMPARE(mesh->boundsMin, QVector3D(-4, -2, -1));
    QCOMPARE(mesh->boundsMax, QVector3D(2, 7, 0.5f));

    mesh->setVertices(v.constData() + 2, 1, true, true);
    QCOMPARE(mesh->boundsMin, v[2].position);
    QCOMPARE(mesh->boundsMax, v[2].position);

    mesh->setVertices(v.constData(), 3, false, false);
    QVERIFY2(mesh->vertices.isEmpty(), "an upload without keepCopy kept the earlier copy");
    QCOMPARE(mesh->boundsMin, QVector3D());
    QCOMPARE(mesh->boundsMax, QVector3D());

    const QSharedPointer<ScMesh> plain = ScMesh::create(v.constData(), 3);
    QVERIFY2(plain->vertices.isEmpty() && plain->boundsMax.isNull(), "defaults keep a copy or bounds");
    QCOMPARE(plain->vertexCount, 3);
}

void TestScGl::emptyMeshDrawsNothing()
{
    const QSharedPointer<QOpenGLShaderProgram> program = positionColorProgram();
    QVERIFY(program);
    program->release();
    ScMesh mesh;
    mesh.draw(program.data(), 0, 3);
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    QVERIFY2(current == 0, "draw on a mesh without buffer bound the program");

    mesh.setVertices(nullptr, 0, false, true);
    QVERIFY(mesh.buffer.isCreated());
    QCOMPARE(mesh.vertexCount, 0);
    mesh.draw(program.data(), 0, 0);
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    QVERIFY2(current == 0, "draw of 0 vertices bound the program");
    QCOMPARE(int(glGetError()), int(GL_NO_ERROR));
}

void TestScGl::drawsTheRequestedRange_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<QVector<bool>>("litThirds");

    QTest::newRow("third triangle pair only") << 12 << 6 << QVector<bool>{false, false, true};
    QTest::newRow("first pair only") << 0 << 6 << QVector<bool>{true, false, false};
    QTest::newRow("all") << 0 << 18 << QVector<bool>{true, true, true};
}

void TestScGl::drawsTheRequestedRange()
{
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(QVector<bool>, litThirds);

    QVector<ScVertex> v;
    appendQuad(v, -1.0f, -1.0f / 3.0f);
    appendQuad(v, -1.0f / 3.0f, 1.0f / 3.0f);
    appendQuad(v, 1.0f / 3.0f, 1.0f);
    const QSharedPointer<ScMesh> mesh = ScMesh::create(v.constData(), v.size());
    const QSharedPointer<QOpenGLShaderProgram> program = positionColorProgram();
    QVERIFY(program);
    QVERIFY2(program->attributeLocation("in_NormalMS") == -1, "test program has a normal attribute");

    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    mesh->draw(program.data(), first, count);
    for (int third = 0; third < 3; ++third) {
        const QRgb c = pixel(10 + 21 * third, 32);
        const bool lit = qRed(c) == 255;
        QVERIFY2(lit == litThirds[third],
                 QByteArray("third " + QByteArray::number(third) + " has colour " + text(c)
                            + (litThirds[third] ? ", expected white" : ", expected black"))
                     .constData());
    }
}

void TestScGl::sharedProgramsLink_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QByteArray>("uniform");
    QTest::newRow("lit") << 0 << QByteArray("un_ModelMatrix");
    QTest::newRow("refract") << 1 << QByteArray("un_CameraPositionWS");
    QTest::newRow("unlit") << 2 << QByteArray("un_Color");
    QTest::newRow("unlit textured") << 3 << QByteArray("un_DiffuseTexture");
}

void TestScGl::sharedProgramsLink()
{
    QFETCH(int, which);
    QFETCH(QByteArray, uniform);
    using Accessor = QSharedPointer<QOpenGLShaderProgram> (*)();
    const Accessor accessors[] = {litProgram, refractProgram, unlitProgram, unlitTexturedProgram};

    const QSharedPointer<QOpenGLShaderProgram> program = accessors[which]();
    QVERIFY2(program && program->isLinked(), "shared program is not linked");
    QVERIFY2(accessors[which]().data() == program.data(), "a second call built another program");
    QVERIFY2(program->attributeLocation("in_VertexCoordMS") != -1, "no position attribute");
    QVERIFY2(program->uniformLocation(uniform.constData()) != -1,
             QByteArray("uniform " + uniform + " is not active").constData());
}

void TestScGl::texture2DKeepsTopRowFirst()
{
    QImage picture(4, 8, QImage::Format_RGBA8888);
    picture.fill(QColor(0, 0, 255));
    for (int x = 0; x < 4; ++x)
        picture.setPixelColor(x, 0, QColor(255, 0, 0));
    const QString path = writePicture("rows.png", picture);
    QVERIFY(!path.isEmpty());

    const QSharedPointer<QOpenGLTexture> texture = loadTexture(path.toUtf8().constData());
    QVERIFY2(texture && texture->isCreated(), "2D texture not created");
    QCOMPARE(texture->target(), QOpenGLTexture::Target2D);
    QCOMPARE(texture->width(), 4);
    QCOMPARE(texture->height(), 8);
    QVERIFY2(texture->mipLevels() == 4,
             QByteArray("mip levels " + QByteArray::number(texture->mipLevels()) + ", expected 4")
                 .constData());

    texture->bind();
    QVector<quint32> texels(4 * 8);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    texture->release();
    const auto *bytes = reinterpret_cast<const unsigned char *>(texels.constData());
    // Row 0 of the texture (v = 0) is the picture's top row.
    QVERIFY2(bytes[0] == 255 && bytes[2] == 0 && bytes[3] == 255,
             QByteArray("texel row 0 is (" + QByteArray::number(bytes[0]) + ", "
                        + QByteArray::number(bytes[1]) + ", " + QByteArray::number(bytes[2])
                        + "), expected the red top row")
                 .constData());
    const unsigned char *last = bytes + 4 * 4 * 7;
    QVERIFY2(last[0] == 0 && last[2] == 255, "texel row 7 is not the blue bottom row");
    QCOMPARE(int(glGetError()), int(GL_NO_ERROR));
}

void TestScGl::cubeMapFacesReadBack()
{
    // Face pictures of one colour each, the top row black, so both the face order and the row
    // order show in the read-back.
    const struct
    {
        const char *name;
        QColor color;
    } pictures[] = {
        {"_LF", QColor(10, 0, 0)},  {"_RT", QColor(20, 0, 0)}, {"_UP", QColor(30, 0, 0)},
        {"_DN", QColor(40, 0, 0)},  {"_FR", QColor(50, 0, 0)}, {"_BK", QColor(60, 0, 0)},
    };
    for (const auto &p : pictures) {
        QImage face(8, 8, QImage::Format_RGB32);
        face.fill(p.color);
        for (int x = 0; x < 8; ++x)
            face.setPixelColor(x, 0, Qt::black);
        QVERIFY(!writePicture(QString("cube%1.png").arg(p.name), face).isEmpty());
    }
    const QByteArray prefix = m_dir.filePath("cube").toUtf8();
    const QSharedPointer<QOpenGLTexture> cube =
        loadCubeMapTexture(prefix.constData(), ".png", "_LF", "_RT", "_UP", "_DN", "_FR", "_BK");
    QVERIFY2(cube && cube->isCreated() && cube->isStorageAllocated(), "cube map not allocated");
    QCOMPARE(cube->target(), QOpenGLTexture::TargetCubeMap);
    QCOMPARE(cube->width(), 8);

    // +X right, -X left, +Y up, -Y down, +Z back, -Z front.
    const int expectedRed[6] = {20, 10, 30, 40, 60, 50};
    cube->bind();
    for (int i = 0; i < 6; ++i) {
        QVector<quint32> texels(64);
        glGetTexImage(GLenum(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                      texels.data());
        const auto *bytes = reinterpret_cast<const unsigned char *>(texels.constData());
        const unsigned char *below = bytes + 4 * 8;
        QVERIFY2(bytes[0] == 0 && bytes[3] == 255 && below[0] == expectedRed[i] && below[3] == 255,
                 QByteArray("face " + QByteArray::number(i) + ": top row red "
                            + QByteArray::number(bytes[0]) + ", second row red "
                            + QByteArray::number(below[0]) + " alpha " + QByteArray::number(below[3])
                            + ", expected 0 then " + QByteArray::number(expectedRed[i]) + " opaque")
                     .constData());
    }
    cube->release();
    QCOMPARE(int(glGetError()), int(GL_NO_ERROR));
}

void TestScGl::systemCubeMapFace()
{
    const QImage right = QImage(":/gfx/roomCubemap_RT.png").convertToFormat(QImage::Format_RGBA8888);
    QVERIFY2(!right.isNull(), "the scene bundle's +X face is missing");
    const QSharedPointer<QOpenGLTexture> cube = loadCubeMapTexture(
        ":/gfx/roomCubemap", ".png", "_LF", "_RT", "_UP", "_DN", "_FR", "_BK");
    QCOMPARE(cube->width(), right.width());
    QCOMPARE(cube->height(), right.height());
    QVector<uchar> texels(4 * right.width() * right.height());
    cube->bind();
    glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    cube->release();
    const int rowBytes = 4 * right.width();
    for (int row : {0, right.height() / 2, right.height() - 1}) {
        QVERIFY2(std::memcmp(texels.constData() + row * rowBytes, right.constScanLine(row),
                             size_t(rowBytes)) == 0,
                 QByteArray("+X face row " + QByteArray::number(row) + " differs from the picture")
                     .constData());
    }
}

void TestScGl::cameraPositionUniform()
{
    const QSharedPointer<ScMeshRenderer> renderer = ScMeshRenderer::create();
    renderer->m_shaderProgram = refractProgram();
    QOpenGLShaderProgram *program = renderer->shaderProgram().data();
    const int location = program->uniformLocation("un_CameraPositionWS");
    QVERIFY(location != -1);

    ScOrbitalCamera orbital;
    orbital.target = QVector3D(1, 2, 3);
    SingularCamera singular;
    const struct
    {
        ScBasicCamera *camera;
        QVector3D eye;
    } cases[] = {{&orbital, QVector3D(1, 2, 8)}, {&singular, QVector3D(0, 0, 0)}};
    for (const auto &c : cases) {
        renderer->bind(c.camera);
        GLfloat eye[3] = {-1, -1, -1};
        m_context.functions()->glGetUniformfv(program->programId(), location, eye);
        renderer->release();
        const float error = (QVector3D(eye[0], eye[1], eye[2]) - c.eye).length();
        QVERIFY2(error <= 1e-4f,
                 QByteArray("un_CameraPositionWS (" + QByteArray::number(eye[0]) + ", "
                            + QByteArray::number(eye[1]) + ", " + QByteArray::number(eye[2])
                            + ") off by " + QByteArray::number(error))
                     .constData());
    }
}

void TestScGl::glStateAfterRender_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("textured");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("keepCopy");
    QTest::addColumn<bool>("blendBefore");
    QTest::addColumn<bool>("texturingBefore");
    QTest::addColumn<bool>("blendAfter");
    QTest::addColumn<bool>("texturingAfter");

    QTest::newRow("opaque untextured leaves both") << false << false << true << false << true << true
                                                   << true << true;
    QTest::newRow("opaque textured disables texturing") << false << true << true << false << true
                                                        << false << true << false;
    QTest::newRow("translucent disables blending") << true << false << true << true << true << false
                                                   << false << false;
    QTest::newRow("translucent textured") << true << true << true << true << false << false << false
                                          << false;
    QTest::newRow("translucent without CPU copy") << true << false << true << false << true << true
                                                  << false << true;
    QTest::newRow("invisible translucent touches nothing") << true << true << false << true << true
                                                           << true << true << true;
}

void TestScGl::glStateAfterRender()
{
    QFETCH(bool, transparent);
    QFETCH(bool, textured);
    QFETCH(bool, visible);
    QFETCH(bool, keepCopy);
    QFETCH(bool, blendBefore);
    QFETCH(bool, texturingBefore);
    QFETCH(bool, blendAfter);
    QFETCH(bool, texturingAfter);

    QVector<ScVertex> v;
    appendQuad(v, -0.5f, 0.5f, 0.5f);
    const QSharedPointer<ScMeshRenderer> renderer =
        transparent ? ScTransparentMeshRenderer::create().staticCast<ScMeshRenderer>()
                    : ScMeshRenderer::create();
    renderer->m_mesh = ScMesh::create(v.constData(), v.size(), keepCopy);
    renderer->m_shaderProgram = unlitProgram();
    if (textured)
        renderer->m_texture = loadTexture(":/gfx/color_mask.png");
    renderer->setVisible(visible);

    ScOrbitalCamera camera;
    blendBefore ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    texturingBefore ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
    renderer->render(&camera);

    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    const bool blend = glIsEnabled(GL_BLEND);
    const bool texturing = glIsEnabled(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    QVERIFY2(program == 0, "the program is still bound after render");
    QVERIFY2(blend == blendAfter, QByteArray("GL_BLEND is " + QByteArray(blend ? "on" : "off")
                                             + " after render").constData());
    QVERIFY2(texturing == texturingAfter,
             QByteArray("GL_TEXTURE_2D is " + QByteArray(texturing ? "on" : "off") + " after render")
                 .constData());
    QCOMPARE(int(glGetError()), int(GL_NO_ERROR));
}

void TestScGl::renderWithoutMeshOrProgramDoesNothing()
{
    QVector<ScVertex> v;
    appendQuad(v, -1, 1);
    const QSharedPointer<ScMesh> mesh = ScMesh::create(v.constData(), v.size(), true);
    ScOrbitalCamera camera;
    for (bool transparent : {false, true}) {
        for (bool withMesh : {false, true}) {
            const QSharedPointer<ScMeshRenderer> renderer =
                transparent ? ScTransparentMeshRenderer::create().staticCast<ScMeshRenderer>()
                            : ScMeshRenderer::create();
            if (withMesh)
                renderer->m_mesh = mesh;
            else
                renderer->m_shaderProgram = unlitProgram();
            glEnable(GL_BLEND);
            renderer->render(&camera);
            const bool blend = glIsEnabled(GL_BLEND);
            glDisable(GL_BLEND);
            QVERIFY2(blend, QByteArray(QByteArray(transparent ? "translucent" : "opaque")
                                       + " renderer without " + (withMesh ? "program" : "mesh")
                                       + " touched the GL state")
                                .constData());
        }
    }
    QCOMPARE(int(glGetError()), int(GL_NO_ERROR));
}

void TestScGl::translucentTrianglesDrawFarthestKeyFirst_data()
{
    QTest::addColumn<bool>("redFirstInMesh");
    QTest::newRow("mesh order near, far") << true;
    QTest::newRow("mesh order far, near") << false;
}

void TestScGl::translucentTrianglesDrawFarthestKeyFirst()
{
    QFETCH(bool, redFirstInMesh);

    // Two large triangles over the centre: red at z -1 (key about 3), green at z -2 (about 6).
    // At half alpha each, the one drawn last dominates the blend over black.
    auto triangle = [](float z, const QVector4D &color) {
        QVector<ScVertex> t;
        for (const QVector2D &p : {QVector2D(-5, -5), QVector2D(5, -5), QVector2D(0, 5)})
            t << ScVertex{QVector3D(p.x() * -z, p.y() * -z, z), QVector2D(), QVector3D(0, 0, 1), color};
        return t;
    };
    const QVector<ScVertex> red = triangle(-1, QVector4D(1, 0, 0, 1));
    const QVector<ScVertex> green = triangle(-2, QVector4D(0, 1, 0, 1));
    const QVector<ScVertex> v = redFirstInMesh ? red + green : green + red;

    const QSharedPointer<ScTransparentMeshRenderer> renderer = ScTransparentMeshRenderer::create();
    renderer->m_mesh = ScMesh::create(v.constData(), v.size(), true);
    renderer->m_shaderProgram = unlitProgram();
    renderer->color = QVector4D(1, 1, 1, 0.5f);
    ScOrbitalCamera camera;
    camera.offset = QVector3D(0, 0, 1e-3f); // eye next to the origin, looking down -z
    camera.width = camera.height = 64;

    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    renderer->render(&camera);
    const QRgb c = pixel(32, 32);
    // Green, then red on top: red 0.5, green 0.25.
    QVERIFY2(std::abs(qRed(c) - 128) <= 3 && std::abs(qGreen(c) - 64) <= 3,
             QByteArray("centre pixel " + text(c) + ", expected about (128, 64, 0): red drawn last")
                 .constData());
}

QTEST_MAIN(TestScGl)
#include "tst_ScGl.moc"
