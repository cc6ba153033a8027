#pragma once

#include <QByteArray>
#include <QImage>

class MeshBuilder;

// Paints the 512 x 512 grey light map: each island's level course on the texels whose
// centres it covers, carried three texels beyond its outline (nearest island first).
QImage paintLightMap(const MeshBuilder &b);
// The light map as PNG bytes.
QByteArray paintLightMapPng(const MeshBuilder &b);
