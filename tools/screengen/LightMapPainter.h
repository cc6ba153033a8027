#pragma once

#include <QImage>

class ScreenMeshBuilder;

// Paints the 512 x 512 grey light map: each island's level course on the texels whose
// centres it covers, carried three texels beyond its outline (nearest island first).
// Levels follow each island's course; islands without one are uniform at their mean level.
QImage paintLightMap(const ScreenMeshBuilder &b);
