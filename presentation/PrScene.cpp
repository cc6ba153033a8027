#include "presentation/PrScene.h"

#include "presentation/PrBeamConeRenderer.h"
#include "presentation/PrPrismRenderer.h"
#include "presentation/PrRoomRenderer.h"
#include "presentation/PrScreenRenderer.h"
#include "scene/ScOpenGLWidget.h"
#include "scene/ScOrbitalCamera.h"
#include "scene/ScProjectionCamera.h"

#include <QApplication>
#include <QQuaternion>
#include <QVector3D>

namespace {

// The scene's own view among the application's GL widgets, if it has one.
ScOpenGLWidget *viewShowing(const ScScene *scene)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    for (QWidget *widget : QApplication::allWidgets()) {
        ScOpenGLWidget *view = dynamic_cast<ScOpenGLWidget *>(widget);
        if (view && view->m_scene.data() == scene)
            return view;
    }
    return nullptr;
}

// Shows the prism at p with a 60-degree apex and normal dispersion; the caller turns and scales it.
PrPrismRenderer *showPrismAt(PrPrismRenderer *prism, const QVector3D &p)
{
    return prism->setApexAngle(60.0f)->setDispersionMode(1)->setVisible(true)->setPosition(p);
}

} // namespace

// Members go in reverse order: beam, prisms, screen, room, close-up camera, room camera.
PrScene::~PrScene() = default;

QSharedPointer<PrScene> PrScene::create()
{
    return QSharedPointer<PrScene>(new PrScene);
}

void PrScene::initialize()
{
    m_view = viewShowing(this);

    roomCamera = ScOrbitalCamera::create();
    roomCamera->minRotation = QVector2D(-24.0f, -145.0f);
    roomCamera->maxRotation = QVector2D(15.0f, 145.0f);
    roomCamera->target = QVector3D(1.3f, 0.5f, -3.1f);
    roomCamera->offset = QVector3D(0.0f, 0.0f, 1.3f);
    roomCamera->rotate(QVector2D(-8.0f, 31.0f));
    roomCamera->clearColor = QVector4D(1.0f, 1.0f, 1.0f, 1.0f);

    closeUpCamera = ScProjectionCamera::create();
    closeUpCamera->clearColor = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    closeUpCamera->viewport = QRectF(0.71666664f, 0.05f, 0.23333333f, 0.23333333f);

    room = PrRoomRenderer::create();
    room->setVisible(true)->setPosition(QVector3D(0.0f, 0.0f, -2.0f))->setScale(QVector3D(-1.5f, 1.1f, 2.0f));

    screen = PrScreenRenderer::create();
    screen->setVisible(true)->setPosition(QVector3D(0.0f, 0.0f, -4.0f))->setScale(QVector3D(1.5f, 1.15f, 1.0f));

    prisms.clear();
    prisms.append(PrPrismRenderer::create());
    prisms.append(PrPrismRenderer::create());

    beam = PrBeamConeRenderer::create();
    beam->setVisible(true);

    applyOnePrismSetup();
    beam->rebuild(prisms, screen, closeUpCamera);
    initialized = true;
}

void PrScene::render()
{
    if (!initialized)
        return;
    roomCamera->applyViewport();
    room->render(roomCamera.data());
    screen->render(roomCamera.data());
    beam->render(roomCamera.data());
    for (const QSharedPointer<PrPrismRenderer> &prism : prisms)
        prism->render(roomCamera.data());
    roomCamera->endPass();

    closeUpCamera->applyViewport();
    beam->render(closeUpCamera.data());
    closeUpCamera->endPass();
}

void PrScene::rotateCamera(const QVector2D &delta)
{
    if (!initialized)
        return;
    roomCamera->rotate(delta);
}

void PrScene::resize(float width, float height)
{
    if (!initialized)
        return;
    roomCamera->width = width;
    roomCamera->height = height;
    closeUpCamera->width = width;
    closeUpCamera->height = height;
}

void PrScene::retrace()
{
    if (!initialized)
        return;
    if (m_view)
        m_view->ensureContextCurrent();
    beam->rebuild(prisms, screen, closeUpCamera);
}

void PrScene::showFirstPrism()
{
    showPrismAt(prisms.first().data(), QVector3D(1.3f, 0.22f, -2.6f))
        ->setRotation(QQuaternion::fromEulerAngles(0.0f, 0.0f, 0.0f))
        ->setScale(QVector3D(0.5f, 0.5f, 0.5f));
}

void PrScene::placeLightSource()
{
    const PrPrismRenderer *first = prisms.first().data();
    const float y = first->position.y() + 0.5f * first->offset.y();
    beam->position = QVector3D(1.3f, y, 2.0f);
}

void PrScene::applyOnePrismSetup()
{
    showFirstPrism();
    prisms.last()->setVisible(false);
    placeLightSource();
}

void PrScene::applyTwoPrismsSetup()
{
    showFirstPrism();
    showPrismAt(prisms.last().data(), QVector3D(1.27f, 0.32f, -2.9f))
        ->setScale(QVector3D(0.5f, 0.5f, 0.5f))
        ->setRotation(QQuaternion::fromEulerAngles(0.0f, 0.0f, 90.0f));
    placeLightSource();
}

QSharedPointer<PrPrismRenderer> PrScene::firstPrism() const
{
    return prisms.isEmpty() ? QSharedPointer<PrPrismRenderer>() : prisms.first();
}

QSharedPointer<PrPrismRenderer> PrScene::lastPrism() const
{
    return prisms.isEmpty() ? QSharedPointer<PrPrismRenderer>() : prisms.last();
}
