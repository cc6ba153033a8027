#pragma once

class ScreenMeshBuilder;

enum class FootSide { Left, Right };

// Appends one arched foot: outer and inner face, rim and end faces, in back and front halves.
void buildFoot(ScreenMeshBuilder &b, FootSide side);
