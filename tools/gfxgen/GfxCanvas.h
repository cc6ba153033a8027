#pragma once

#include <QImage>
#include <QRectF>
#include <QVector4D>
#include <QVector>

#include <array>
#include <functional>

// Deterministic software canvas (no QPainter, so the pixels do not depend on the CPU's
// SIMD paths). Shapes are filled with 4x4 supersampled coverage and composited "over" in
// premultiplied double RGBA: dst = src·a·cov + dst·(1 − a·cov).
class GfxCanvas
{
public:
    using Inside = std::function<bool(double x, double y)>;
    using Paint = std::function<QVector4D(double x, double y)>; // straight RGBA, 0..1

    GfxCanvas(int width, int height, const QVector4D &background);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Fills the part of `bounds` (pixel units, y down) where `inside` holds.
    void fill(const QRectF &bounds, const Inside &inside, const Paint &paint);
    void fill(const QRectF &bounds, const Inside &inside, const QVector4D &color);

    // 8-bit straight RGBA, QImage::Format_ARGB32.
    QImage toImage() const;

private:
    int m_width;
    int m_height;
    QVector<std::array<double, 4>> m_pixels; // premultiplied
};
