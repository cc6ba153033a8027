#pragma once

#include "scene/ScScene.h"

#include <QPointer>
#include <QSharedPointer>
#include <QVector>
#include <QVector2D>

class PrBeamConeRenderer;
class PrPrismRenderer;
class PrRoomRenderer;
class PrScreenRenderer;
class ScOpenGLWidget;
class ScOrbitalCamera;
class ScProjectionCamera;

// The prism lecture scene: room, screen, two prisms and the beam, drawn through the orbiting room
// camera and then the close-up camera of the inset (a square of side 0.2333 × height whose right
// and bottom edges keep 0.05 × height from the window's edges).
class PrScene : public ScScene
{
public:
    ~PrScene() override;

    // An empty scene; makes no GL call.
    static QSharedPointer<PrScene> create();

    // Builds cameras, room, screen, prisms and beam, applies the one-prism set-up and traces.
    // Needs a current GL context.
    void initialize() override;
    // Room pass, then close-up pass. Needs a current GL context.
    // Until initialize has run, render, rotateCamera, resize and retrace do nothing.
    void render() override;
    void rotateCamera(const QVector2D &delta) override;
    void resize(float width, float height) override;

    // Traces the beam anew. Makes the context of the GL widget showing this scene current first, as
    // the window's slots call it outside the widget's GL callbacks (a current context stays current).
    // Without such a widget it needs a current GL context.
    void retrace();
    // Arrange the prisms; neither traces.
    void applyOnePrismSetup();
    void applyTwoPrismsSetup();
    // The first / last prism; null before initialize.
    QSharedPointer<PrPrismRenderer> firstPrism() const;
    QSharedPointer<PrPrismRenderer> lastPrism() const;

    QSharedPointer<ScOrbitalCamera> roomCamera;
    QSharedPointer<ScProjectionCamera> closeUpCamera;
    QSharedPointer<PrRoomRenderer> room;
    QSharedPointer<PrScreenRenderer> screen;
    QVector<QSharedPointer<PrPrismRenderer>> prisms;
    QSharedPointer<PrBeamConeRenderer> beam;

private:
    PrScene() = default;
    void showFirstPrism();
    void placeLightSource();

    // The GL view that shows this scene, if any; its context is the one the meshes belong to.
    QPointer<ScOpenGLWidget> m_view;
    bool initialized = false;
};
