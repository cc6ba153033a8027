// The two compiled-in bundles: paths, registration before main, stored bytes.
#include <QtTest>
#include <QDir>
#include <QFile>
#include <QResource>

namespace {

// Set by main() before any Qt object exists.
bool openedBeforeApplication = false;

const QStringList sceneGfx = {
    "color_mask.png", "roomCubemap_BK.png", "roomCubemap_DN.png", "roomCubemap_FR.png",
    "roomCubemap_LF.png", "roomCubemap_RT.png", "roomCubemap_UP.png", "roomLightMap.png",
    "screenLightMap.png"};
const QStringList windowGfx = {
    "blue.png", "dravic.png", "green.png", "marrowfen.png", "quellstone1.png", "spectrum.jpg",
    "tovanek.png"};

QStringList qrcEntries(const QString &qrcName)
{
    QFile file(QStringLiteral(DISPERSION_RESOURCES_DIR "/") + qrcName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList entries;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("file"))
            entries << xml.readElementText();
    }
    return entries;
}

} // namespace

class TestResourceBundles : public QObject
{
    Q_OBJECT

private slots:
    void readableBeforeApplication();
    void directoryListings_data();
    void directoryListings();
    void bundlesAreDisjoint();
    void storedUncompressed(); // and without a locale variant
    void shaderBytes_data();
    void shaderBytes();
};

void TestResourceBundles::readableBeforeApplication()
{
    QVERIFY2(openedBeforeApplication,
             "\":/shaders/vertex.glsl\" and \":/gfx/spectrum.jpg\" could not be opened before the "
             "application object existed");
}

void TestResourceBundles::directoryListings_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QStringList>("expected");
    QStringList gfx = sceneGfx + windowGfx;
    gfx.sort();
    QTest::newRow("root") << ":/" << QStringList{"gfx", "shaders"};
    QTest::newRow("gfx") << ":/gfx/" << gfx;
    QTest::newRow("shaders") << ":/shaders/"
                             << QStringList{"fragLit.glsl", "fragRefract.glsl", "fragUnlit.glsl",
                                            "fragUnlitTextured.glsl", "vertex.glsl"};
}

void TestResourceBundles::directoryListings()
{
    QFETCH(QString, dir);
    QFETCH(QStringList, expected);
    // The root also holds Qt's own resources (e.g. ":/qt-project.org"); keep only ours.
    QStringList listed = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    if (dir == ":/")
        listed = listed.filter(QRegularExpression("^(gfx|shaders)$"));
    QVERIFY2(listed == expected, qPrintable(QString("%1 lists [%2], expected [%3]")
                                                .arg(dir, listed.join(", "), expected.join(", "))));
}

void TestResourceBundles::bundlesAreDisjoint()
{
    const QStringList scene = qrcEntries("sceneResources.qrc");
    const QStringList window = qrcEntries("windowResources.qrc");
    QCOMPARE(scene.size(), 14);
    QCOMPARE(window.size(), 7);
    for (const QString &path : window)
        QVERIFY2(!scene.contains(path), qPrintable(path + " is in both bundles"));
    for (const QString &path : scene + window) {
        QVERIFY2(QFileInfo::exists(":/" + path), qPrintable(":/" + path + " is not registered"));
        QVERIFY2(QFileInfo(":/" + path).size() > 0, qPrintable(":/" + path + " is empty"));
    }
}

void TestResourceBundles::storedUncompressed()
{
    const QStringList scene = qrcEntries("sceneResources.qrc");
    const QStringList window = qrcEntries("windowResources.qrc");
    QVERIFY(!scene.isEmpty() && !window.isEmpty());
    for (const QString &path : scene + window) {
        const QResource resource(":/" + path);
        QVERIFY2(resource.isValid(), qPrintable(":/" + path + " is not a valid resource"));
        QVERIFY2(resource.compressionAlgorithm() == QResource::NoCompression,
                 qPrintable(QString(":/%1 is stored compressed (algorithm %2)")
                                .arg(path)
                                .arg(int(resource.compressionAlgorithm()))));
        const QResource foreign(":/" + path, QLocale(QLocale::Japanese, QLocale::Japan));
        QVERIFY2(foreign.isValid() && foreign.data() == resource.data(),
                 qPrintable(":/" + path + " is not served alike for every locale"));
        QFile onDisk(QStringLiteral(DISPERSION_RESOURCES_DIR "/") + path);
        QVERIFY2(onDisk.open(QIODevice::ReadOnly), qPrintable("cannot read " + onDisk.fileName()));
        QVERIFY2(resource.size() == onDisk.size(),
                 qPrintable(QString(":/%1 holds %2 bytes, its file %3")
                                .arg(path)
                                .arg(resource.size())
                                .arg(onDisk.size())));
    }
}

void TestResourceBundles::shaderBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QStringList>("declarations");
    QTest::addColumn<QStringList>("statements"); // the computations, in order
    QTest::newRow("vertex") << "vertex.glsl" << 653
                            << QStringList{"attribute vec4 in_VertexCoordMS;",
                                           "attribute vec2 in_TexCoord;",
                                           "attribute vec3 in_NormalMS;",
                                           "attribute vec4 in_Color;",
                                           "uniform mat4 un_ModelMatrix;",
                                           "uniform mat3 un_NormalMatrix;",
                                           "uniform mat4 un_ViewMatrix;",
                                           "uniform mat4 un_ProjectionMatrix;",
                                           "varying vec4 vr_VertexCoordWS;",
                                           "varying vec2 vr_TexCoord;",
                                           "varying vec3 vr_NormalWS;",
                                           "varying vec4 vr_Color;"}
                            << QStringList{"vr_VertexCoordWS = un_ModelMatrix * in_VertexCoordMS;",
                                           "vr_TexCoord = in_TexCoord;",
                                           "vr_NormalWS = normalize(un_NormalMatrix * in_NormalMS);",
                                           "vr_Color = in_Color;",
                                           "gl_Position = un_ProjectionMatrix * un_ViewMatrix * vr_VertexCoordWS;"};
    QTest::newRow("lit") << "fragLit.glsl" << 567
                         << QStringList{"varying vec2 vr_TexCoord;", "varying vec3 vr_NormalWS;",
                                        "varying vec4 vr_Color;"}
                         << QStringList{"vec4 litWithDirectionalLight(vec3 lightDirectionWS)",
                                        "float ambientComponent = 0.1;",
                                        "float diffuseComponent = max(0.0, dot(vr_NormalWS, lightDirectionWS));",
                                        "return vec4(ambientComponent + diffuseComponent, ambientComponent + "
                                        "diffuseComponent, ambientComponent + diffuseComponent, 1.0);",
                                        "vec3 lightDirectionWS = vec3(-0.1f, -0.3f, 1.0f);",
                                        "gl_FragColor = vr_Color * litWithDirectionalLight(normalize(lightDirectionWS));"};
    QTest::newRow("refract") << "fragRefract.glsl" << 877
                             << QStringList{"varying vec4 vr_Color;",
                                            "varying vec4 vr_VertexCoordWS;",
                                            "varying vec3 vr_NormalWS;",
                                            "uniform vec3 un_CameraPositionWS;",
                                            "uniform samplerCube un_Environment;"}
                             << QStringList{
                                    "const float eta = 1.0f / 1.52f;",
                                    "const float fresnelPower = 5.0f;",
                                    "const float f = (1.0f - eta) * (1.0f - eta) / (1.0f + eta) / (1.0f + eta);",
                                    "vec3 direction = normalize(vec3(vr_VertexCoordWS) - un_CameraPositionWS);",
                                    "vec3 refracted = refract(direction, vr_NormalWS, eta);",
                                    "vec3 reflected = reflect(direction, vr_NormalWS);",
                                    "float ratio = f + (1.0f - f) * pow(1.0f - dot(-direction, vr_NormalWS), "
                                    "fresnelPower);",
                                    "vec4 refractedColor = textureCube(un_Environment, refracted);",
                                    "vec4 reflectedColor = textureCube(un_Environment, reflected);",
                                    "vec4 color = mix(refractedColor, reflectedColor, ratio);",
                                    "gl_FragColor = color * vr_Color;"};
    QTest::newRow("unlit") << "fragUnlit.glsl" << 130
                           << QStringList{"uniform vec4 un_Color;", "varying vec4 vr_Color;"}
                           << QStringList{"gl_FragColor = un_Color * vr_Color;"};
    QTest::newRow("unlitTextured") << "fragUnlitTextured.glsl" << 204
                                   << QStringList{"uniform sampler2D un_DiffuseTexture;",
                                                  "varying vec2 vr_TexCoord;",
                                                  "varying vec4 vr_Color;"}
                                   << QStringList{"gl_FragColor = vr_Color * texture2D(un_DiffuseTexture, "
                                                  "vr_TexCoord);"};
}

void TestResourceBundles::shaderBytes()
{
    QFETCH(QString, name);
    QFETCH(int, bytes);
    QFETCH(QStringList, declarations);
    QFETCH(QStringList, statements);

    QFile resource(":/shaders/" + name);
    QVERIFY2(resource.open(QIODevice::ReadOnly), qPrintable("cannot open :/shaders/" + name));
    const QByteArray text = resource.readAll();
    QFile source(QStringLiteral(DISPERSION_RESOURCES_DIR "/shaders/") + name);
    QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable("cannot read " + source.fileName()));
    QVERIFY2(text == source.readAll(), qPrintable(name + " differs from its source file"));
    QVERIFY2(text.size() == bytes,
             qPrintable(QString("%1 holds %2 bytes, expected %3").arg(name).arg(text.size()).arg(bytes)));

    QVERIFY2(text.startsWith("#version 120\r\n\r\n"), qPrintable(name + " lacks the version header"));
    QVERIFY2(text.endsWith("}\r\n"), qPrintable(name + " does not end with \"}\\r\\n\""));
    QVERIFY2(text.count('\n') == text.count("\r\n") && text.count('\r') == text.count("\r\n"),
             qPrintable(name + " has a line end other than CR LF"));
    QVERIFY2(text.count('#') == 1, qPrintable(name + " has a directive besides #version"));
    QVERIFY2(!text.contains("//") && !text.contains("/*"), qPrintable(name + " has a comment"));
    QVERIFY2(!text.contains("precision"), qPrintable(name + " has a precision qualifier"));
    for (int i = 0; i < text.size(); ++i) {
        const uchar c = uchar(text.at(i));
        QVERIFY2(c < 0x80 && c != '\t',
                 qPrintable(QString("%1: byte %2 is 0x%3").arg(name).arg(i).arg(c, 2, 16, QChar('0'))));
    }

    // Declarations stand first, then the computations, in the given order, each on a
    // line of its own.
    const QList<QByteArray> lines = text.split('\n');
    int previous = -1;
    for (const QString &declaration : declarations + statements) {
        int line = -1;
        for (int i = previous + 1; i < lines.size() && line < 0; ++i)
            if (lines.at(i).trimmed() == declaration.toLatin1())
                line = i;
        QVERIFY2(line > previous,
                 qPrintable(QString("%1: \"%2\" missing or out of order (line %3 after %4)")
                                .arg(name, declaration)
                                .arg(line)
                                .arg(previous)));
        previous = line;
    }
    const int declared = text.count("attribute ") + text.count("uniform ") + text.count("varying ");
    QVERIFY2(declared == declarations.size(),
             qPrintable(QString("%1 declares %2 variables, expected %3")
                            .arg(name)
                            .arg(declared)
                            .arg(declarations.size())));
    QVERIFY2(text.contains("void main(void)\r\n"), qPrintable(name + ": main is not \"void main(void)\""));
}

int main(int argc, char **argv)
{
    // Registration runs before main: reading works before any Qt object is made.
    QFile shader(":/shaders/vertex.glsl");
    QFile picture(":/gfx/spectrum.jpg");
    openedBeforeApplication = shader.open(QIODevice::ReadOnly) && shader.size() == 653
                              && picture.open(QIODevice::ReadOnly) && picture.size() > 0;
    shader.close();
    picture.close();

    QCoreApplication app(argc, argv);
    TestResourceBundles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_resourcebundles.moc"
