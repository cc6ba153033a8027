// Median times of the prism scene's retrace (normal and anomalous dispersion) and of the scene
// rendered at 1920 x 1080 into an offscreen framebuffer and finished (glFinish), for one and two
// prisms, with the number of translucent triangles that it draws. The render time leaves out what a
// window adds to a frame: its composition and the buffer swap.
#include "presentation/PrBeamConeRenderer.h"
#include "presentation/PrPrismRenderer.h"
#include "presentation/PrScene.h"
#include "scene/ScMesh.h"
#include "tests/presentation/WindowStates.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int kWidth = 1920;
const int kHeight = 1080;

double medianMs(int runs, const std::function<void(int)> &step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step(i);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int translucentTriangles(const PrScene &scene)
{
    int triangles = scene.beam->mesh()->vertexCount / 3 + scene.beam->roomStrip->mesh()->vertexCount / 3 +
                    scene.beam->closeUpStrip->mesh()->vertexCount / 3;
    for (const QSharedPointer<PrPrismRenderer> &prism : scene.prisms)
        triangles += prism->visible ? prism->mesh()->vertexCount / 3 : 0;
    return triangles;
}

double renderMs(PrScene &scene, int runs)
{
    for (int i = 0; i < 3; ++i)
        scene.render();
    glFinish();
    return medianMs(runs, [&](int) {
        scene.render();
        glFinish();
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QOpenGLContext context;
    QOffscreenSurface surface;
    if (!context.create())
        return std::fprintf(stderr, "frame_bench: no OpenGL context\n"), 1;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface))
        return std::fprintf(stderr, "frame_bench: cannot make the context current\n"), 1;
    QOpenGLFramebufferObject fbo(kWidth, kHeight, QOpenGLFramebufferObject::Depth);
    fbo.bind();

    const QSharedPointer<PrScene> scene = PrScene::create();
    scene->initialize();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_SCISSOR_TEST);
    scene->resize(kWidth, kHeight);

    std::printf("renderer: %s\n", reinterpret_cast<const char *>(glGetString(GL_RENDERER)));
    std::printf("(render: the scene into an offscreen framebuffer and glFinish; no composition or swap)\n");
    std::printf("%-34s %12s %12s %14s\n", "case", "retrace ms", "render ms", "translucent tri");

    const int retraces = 15, frames = 20;
    // Each retrace follows a change that makes the faces (or the band's table) stale, as a control does.
    const auto measure = [&](const char *label, const std::function<void(int)> &change) {
        const double retrace = medianMs(retraces, [&](int i) {
            change(i);
            scene->retrace();
        });
        std::printf("%-34s %12.2f %12.2f %14d\n", label, retrace, renderMs(*scene, frames),
                    translucentTriangles(*scene));
    };
    scene->applyOnePrismSetup();
    measure("one prism, normal", [&](int i) { scene->firstPrism()->setApexAngle(i % 2 ? 59.5f : 60.0f); });
    scene->applyTwoPrismsSetup();
    measure("two prisms, normal", [&](int i) { scene->lastPrism()->setApexAngle(i % 2 ? 59.5f : 60.0f); });
    // As the scene window's switch does it: both prisms tilted, then the band.
    windowstates::switchSecondPrismAnomalous(*scene);
    measure("two prisms, anomalous (band moved)",
            [&](int i) { scene->lastPrism()->setAbsorptionSpectrumHeight(i % 2 ? 0.25 : 0.3); });
    return 0;
}
