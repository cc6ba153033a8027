#include "scene/ScOpenGLSupport.h"

#include <QPair>
#include <QRegularExpression>

namespace {

// The first "major.minor" of a version string; (0, 0) without one.
QPair<int, int> leadingVersion(const QByteArray &text)
{
    static const QRegularExpression pattern(QStringLiteral("(\\d+)\\.(\\d+)"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return qMakePair(0, 0);
    return qMakePair(match.captured(1).toInt(), match.captured(2).toInt());
}

const char requirement[] = "OpenGL 2.0 with GLSL 1.20 and framebuffer objects";

} // namespace

QString openGLShortfall(const QByteArray &version, const QByteArray &shadingLanguageVersion,
                        bool framebufferObjects, bool coreProfile)
{
    if (version.isEmpty())
        return QStringLiteral("no OpenGL context could be created");
    // Named once: "2.0 Mesa" reads "OpenGL 2.0 Mesa", "OpenGL ES 3.2" stays as it is.
    const auto named = [](const QByteArray &text, const char *name) {
        const QString plain = QString::fromLatin1(text);
        return plain.contains(QLatin1String(name)) ? plain : QLatin1String(name) + ' ' + plain;
    };
    const QString gl = named(version, "OpenGL");
    // OpenGL ES reads "OpenGL ES 3.2 ..." and compiles no desktop GLSL.
    const bool desktop = !version.startsWith("OpenGL ES");
    const bool versionsSuffice = desktop && leadingVersion(version) >= qMakePair(2, 0)
        && leadingVersion(shadingLanguageVersion) >= qMakePair(1, 20);
    if (versionsSuffice && coreProfile)
        return QStringLiteral("the driver gives %1 as a core profile, without the fixed functions of OpenGL 2.0")
            .arg(gl);
    if (versionsSuffice && framebufferObjects)
        return QString();
    const QString glsl = shadingLanguageVersion.isEmpty() ? QStringLiteral("no GLSL")
                                                          : named(shadingLanguageVersion, "GLSL");
    return QStringLiteral("the driver gives %1 with %2%3")
        .arg(gl, glsl, framebufferObjects ? QString() : QStringLiteral(" and no framebuffer objects"));
}

QString openGLShortfallMessage(const QString &shortfall)
{
    QString found = shortfall;
    if (!found.isEmpty())
        found[0] = found[0].toUpper();
    return QStringLiteral("The presentation needs %1.\n\n%2.").arg(QLatin1String(requirement), found);
}

QString openGLShortfallLine(const QString &shortfall)
{
    return QStringLiteral("Cannot show the presentation: it needs %1, but %2.")
        .arg(QLatin1String(requirement), shortfall);
}
