#pragma once

#include "tools/modelgen/MeshBuilder.h"

#include <QRectF>
#include <QVector>

// Builds the lecture room's geometry in model units (y up, floor y = 0, walls x, z = +-2):
// the shell (floor, ceiling, walls with the doorway in x = 2 and the window in z = 2, window
// reveals, skirting, cornice, ceiling band) first, then the doorway frame (plinths, posts,
// lintel, panel), the wall frames, the board frames and the ceiling lamp, each its own piece.
// Light-map charts are in model units, the lamp's at twice the scale.
class RoomBuilder
{
public:
    RoomBuilder();

    const modelgen::MeshBuilder &mesh() const { return m_mesh; }
    modelgen::MeshBuilder &mesh() { return m_mesh; }
    int floorChart() const { return m_floorChart; }
    int lampPiece() const { return m_lampPiece; }
    // The floor's fixed place in the 1024 x 1024 atlas, texels (x right, y down).
    static QRectF floorTexels();

    // Window opening's outer end, where daylight enters: x -0.5..0.5, y 0.6..1.9 at z = 2.16.
    static constexpr float windowLeft = -0.5f, windowRight = 0.5f;
    static constexpr float windowBottom = 0.6f, windowTop = 1.9f, windowOuterZ = 2.16f;
    // Ceiling lamp: bowl y = tip + depth (r / radius)^2 about the y axis, in sectors: a fan of
    // lampSectors triangles about the tip comes first, then rings of quads.
    static constexpr float lampRadius = 0.309f, lampTipY = 2.446f, lampRimY = 2.59f;
    static constexpr int lampSectors = 16;

private:
    void addFloorAndCeiling();
    void addWalls();
    void addWindowReveals();
    void addSkirting();
    void addCornice();
    void addCeilingBand();
    void addPlinth(float zCentre);
    void addPost(float zCentre);
    void addLintel();
    void addPanel();
    void addWallFrame(float wallX, float zCentre);
    void addBoardFrame(float wallZ);
    void addLamp();

    modelgen::MeshBuilder m_mesh;
    int m_floorChart = -1;
    int m_lampPiece = -1;
};
