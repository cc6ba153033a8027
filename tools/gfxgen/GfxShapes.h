#pragma once

#include "tools/gfxgen/GfxCanvas.h"

#include <QPointF>
#include <QVector>
#include <QVector4D>

// Inside-tests for GfxCanvas::fill, in pixel units with y down, plus colour helpers.
namespace GfxShapes {

using Inside = GfxCanvas::Inside;

// ((x − cx)/rx)² + ((y − cy)/ry)² ≤ 1, the axes turned by `degrees`.
Inside ellipse(double cx, double cy, double rx, double ry, double degrees = 0.0);
// r0 ≤ distance to (cx, cy) ≤ r1.
Inside ring(double cx, double cy, double r0, double r1);
// Even-odd rule.
Inside polygon(const QVector<QPointF> &points);
// Axis-aligned rectangle with corner radius r.
Inside roundedRect(double x0, double y0, double x1, double y1, double r);
// Points within half `width` of the segment a–b.
Inside segment(QPointF a, QPointF b, double width);
Inside both(Inside a, Inside b);
Inside either(Inside a, Inside b);
Inside without(Inside a, Inside b);

// Straight RGBA from 0..255 components.
QVector4D rgb(int r, int g, int b, int a = 255);
// a + (b − a)·t, t clamped to 0..1.
QVector4D mix(const QVector4D &a, const QVector4D &b, double t);

} // namespace GfxShapes
