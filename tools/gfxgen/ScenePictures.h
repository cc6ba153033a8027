#pragma once

#include <QImage>

// The scene bundle's pictures that need no model: the strip mask.
namespace ScenePictures {

// 64x64 RGBA: alpha = round(255 · max(0, 1 − d / 22)) with d the distance to pixel
// (31, 31); colour 240 where alpha ≥ 128, 239 elsewhere inside, transparent black outside.
QImage colorMask();

} // namespace ScenePictures
