#pragma once

#include <QByteArray>

class MeshBuilder;

// Writes the vertex table as a constant-initialised C++ source, every value to four decimals.
QByteArray screenModelSource(const MeshBuilder &b);
