// The cube-map face directions agree with what the GL actually samples: every texel of
// six small faces, uploaded top row first as the program's loader does, is fetched back
// through textureCube along CubeMapRenderer::direction at its centre.
#include "tools/gfxgen/CubeMapRenderer.h"

#include <QtTest>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

namespace {

constexpr int texels = 4; // per face side

// A colour unique to (face, column, row).
QRgb texelColor(int face, int x, int y)
{
    return qRgba(20 + 40 * face, 30 + 60 * x, 30 + 60 * y, 255);
}

const char *vertexShader = "#version 120\n"
                           "attribute vec2 in_Position;\n"
                           "attribute vec3 in_Direction;\n"
                           "varying vec3 vr_Direction;\n"
                           "void main(void) { vr_Direction = in_Direction; gl_Position = vec4(in_Position, 0.0, 1.0); }\n";
const char *fragmentShader = "#version 120\n"
                             "uniform samplerCube un_Environment;\n"
                             "varying vec3 vr_Direction;\n"
                             "void main(void) { gl_FragColor = textureCube(un_Environment, vr_Direction); }\n";

} // namespace

class TestCubeMapOrientation : public QObject
{
    Q_OBJECT

private slots:
    void everyTexelComesBackAlongItsDirection();
};

void TestCubeMapOrientation::everyTexelComesBackAlongItsDirection()
{
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    QVERIFY2(context.create(), "no OpenGL context");
    QVERIFY2(context.makeCurrent(&surface), "cannot make the OpenGL context current");
    QOpenGLFunctions *gl = context.functions();

    GLuint texture = 0;
    gl->glGenTextures(1, &texture);
    gl->glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int face = 0; face < 6; ++face) {
        QVector<uchar> rgba; // rows in stored order, top row first
        for (int y = 0; y < texels; ++y)
            for (int x = 0; x < texels; ++x) {
                const QRgb c = texelColor(face, x, y);
                rgba << uchar(qRed(c)) << uchar(qGreen(c)) << uchar(qBlue(c)) << uchar(255);
            }
        gl->glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGBA, texels, texels, 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, rgba.constData());
    }
    gl->glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl->glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl->glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl->glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    QOpenGLShaderProgram program;
    QVERIFY2(program.addShaderFromSourceCode(QOpenGLShader::Vertex, vertexShader)
                 && program.addShaderFromSourceCode(QOpenGLShader::Fragment, fragmentShader) && program.link(),
             qPrintable("shader program: " + program.log()));

    // One point per texel, on its own pixel of a one-row frame buffer.
    constexpr int count = 6 * texels * texels;
    QOpenGLFramebufferObject fbo(count, 1);
    QVERIFY2(fbo.bind(), "cannot bind the frame buffer");
    QVector<GLfloat> positions, directions;
    for (int i = 0; i < count; ++i) {
        const int face = i / (texels * texels);
        const int x = i % texels;
        const int y = (i / texels) % texels;
        const QVector3D d = CubeMapRenderer::direction(CubeMapRenderer::Face(face), (x + 0.5) / texels,
                                                       (y + 0.5) / texels);
        positions << GLfloat(2.0 * (i + 0.5) / count - 1.0) << 0.0f;
        directions << d.x() << d.y() << d.z();
    }
    gl->glViewport(0, 0, count, 1);
    gl->glClearColor(0, 0, 0, 0);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    program.bind();
    program.setUniformValue("un_Environment", 0);
    gl->glActiveTexture(GL_TEXTURE0);
    gl->glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    const int position = program.attributeLocation("in_Position");
    const int direction = program.attributeLocation("in_Direction");
    program.enableAttributeArray(position);
    program.enableAttributeArray(direction);
    program.setAttributeArray(position, positions.constData(), 2);
    program.setAttributeArray(direction, directions.constData(), 3);
    gl->glDrawArrays(GL_POINTS, 0, count);
    program.disableAttributeArray(position);
    program.disableAttributeArray(direction);
    program.release();

    const QImage read = fbo.toImage(false).convertToFormat(QImage::Format_ARGB32);
    fbo.release();
    gl->glDeleteTextures(1, &texture);
    for (int i = 0; i < count; ++i) {
        const int face = i / (texels * texels);
        const int x = i % texels;
        const int y = (i / texels) % texels;
        const QRgb got = read.pixel(i, 0);
        QVERIFY2(got == texelColor(face, x, y),
                 qPrintable(QString("face %1 texel (%2, %3): sampled #%4, expected #%5")
                                .arg(face)
                                .arg(x)
                                .arg(y)
                                .arg(got, 8, 16, QChar('0'))
                                .arg(texelColor(face, x, y), 8, 16, QChar('0'))));
    }
}

QTEST_MAIN(TestCubeMapOrientation)

#include "tst_cubemaporientation.moc"
