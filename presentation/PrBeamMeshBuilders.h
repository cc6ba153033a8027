#pragma once

#include <QVector>
#include <QVector3D>

#include "optics/PhColoredPoint.h"
#include "optics/PhRayBundle.h"
#include "scene/ScVertex.h"

// Builders that turn a traced ray bundle into triangle lists in world coordinates.
// Each appends to `out` and never clears it.
// Segment k joins cross-section k to k + 1; a c-point section shares out the n points of the
// larger one with d = (n - 1) / (c - 1) points per gap, giving c + n - 2 triangles.

// The translucent beam: one segment per pair of successive cross-sections, fading to alpha 0 at
// the screen end (widened by (1.2, 1.5, 1)). A bundle with no rays or only start points adds nothing.
void buildBeamCones(const PhRayBundle &bundle, QVector<ScVertex> &out);

// The spectrum on the screen: a ribbon of the given width along the last cross-section, or a square
// spot of that side when the section is a single point. A bundle with no rays adds nothing.
void buildSpectrumStrip(const PhRayBundle &bundle, const QVector3D &facing, QVector<ScVertex> &out, float width);

// Joins two cross-sections; `smaller` must not have more points than `larger`.
void appendBeamSegment(const QVector<PhColoredPoint> &smaller, const QVector<PhColoredPoint> &larger,
                       QVector<ScVertex> &out);

// Triangles (apex, p[i], p[i + 1]) over the range [begin, end), each with its own face normal.
void appendTriangleFan(const PhColoredPoint &apex, const PhColoredPoint *begin, const PhColoredPoint *end,
                       QVector<ScVertex> &out);

// A band of the given width along at least two points, 6 (m - 1) vertices; fewer points add nothing.
void appendRibbon(const QVector<PhColoredPoint> &points, const QVector3D &facing, float width,
                  QVector<ScVertex> &out);

// Side positions of an interior ribbon point: cur ± (side(prev, cur) + side(cur, next)) / 2 × halfWidth.
void ribbonMiter(const QVector3D &facing, const QVector3D &prev, const QVector3D &cur, const QVector3D &next,
                 float halfWidth, QVector3D *plus, QVector3D *minus);

// A square of side `size` centred on the point, facing `facing`, two triangles.
void appendSpot(const PhColoredPoint &point, const QVector3D &facing, float size, QVector<ScVertex> &out);
