#pragma once

#include <QVector4D>

// RGBA of a vacuum wavelength (micrometres): piecewise-linear base colour on 380–780 nm,
// each non-zero channel pow(f · value, 0.9) with the edge factor f, alpha as given.
QVector4D wavelengthToColor(double wavelength, double alpha);
