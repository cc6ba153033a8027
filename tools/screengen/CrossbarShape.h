#pragma once

class ScreenMeshBuilder;

// Appends the crossbar: a plate of bar, brackets and tabs joining the feet under the board.
void buildCrossbar(ScreenMeshBuilder &b);
