#pragma once

class ScreenMeshBuilder;

// Appends the screen board (triangles 0 to 111): a corner-cut slab with front band,
// raised border and the tent-shaped projection surface.
void buildScreenBoard(ScreenMeshBuilder &b);
