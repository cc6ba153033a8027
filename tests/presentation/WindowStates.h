#pragma once

// Scene states that the scene window's controls produce, for the tests and benchmarks that must
// trace and draw the beam the lecturer sees, without a window.

#include "presentation/PrPrismRenderer.h"
#include "presentation/PrScene.h"

#include <QQuaternion>
#include <QVector3D>

namespace windowstates {

// The "Anomalous dispersion" switch turned on (SceneWindow::onSecondPrismAnomalousToggled(true))
// short of its retrace: the first prism pitched and the last prism yawed to 20 degrees, their
// other Euler angles kept, then the last prism's glass given the default absorption band.
// Needs an initialized scene; the window offers the switch in the two-prism set-up only.
inline void switchSecondPrismAnomalous(PrScene &scene)
{
    PrPrismRenderer &first = *scene.firstPrism();
    PrPrismRenderer &last = *scene.lastPrism();
    const QVector3D e1 = first.rotation.toEulerAngles();
    const QVector3D e2 = last.rotation.toEulerAngles();
    first.setRotation(QQuaternion::fromEulerAngles(20.0f, e1.y(), e1.z()));
    last.setRotation(QQuaternion::fromEulerAngles(e2.x(), 20.0f, e2.z()));
    last.setDispersionMode(-1);
}

} // namespace windowstates
