#pragma once

#include <QByteArray>

class ScreenMeshBuilder;

// Writes the vertex table as a constant-initialised C++ source, every value to four decimals.
QByteArray screenModelSource(const ScreenMeshBuilder &b);
