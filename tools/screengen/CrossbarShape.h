#pragma once

class MeshBuilder;

// Appends the crossbar: a plate of bar, brackets and tabs joining the feet under the board.
void buildCrossbar(MeshBuilder &b);
