#pragma once

#include <QImage>

// The window bundle's pictures, drawn from geometric shapes (no fonts, no photographs).
namespace WindowPictures {

// 150x150 RGBA: a round emblem on a transparent surround (alpha 0 on ~53 % of the pixels).
QImage quellstoneEmblem();
QImage marrowfenEmblem();

// 300x360 opaque RGBA: stylised head-and-shoulders portraits.
QImage dravicPortrait();
QImage tovanekPortrait();

// 5x5 opaque RGBA: a white 3x3 square in a one-pixel black frame; solid black.
QImage framedSwatch();
QImage blackSwatch();

// 653x173 RGB: the visible spectrum, 380 nm at the left to 780 nm at the right.
QImage spectrum();

} // namespace WindowPictures
