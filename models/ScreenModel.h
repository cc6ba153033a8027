#pragma once

#include "scene/ScVertex.h"

// The projection screen on its stand: 702 triangles as a plain triangle list, in the order
// screen board, left foot, right foot, crossbar. Constant-initialised, read-only.
// The length is part of the type: std::size(screenModelVertices) == 2106.
extern const ScVertex screenModelVertices[2106];
