#pragma once

// Read-only views of the compiled room array shared by the room tests.

#include "models/RoomModel.h"

#include <QHash>
#include <QVector>
#include <QVector2D>
#include <QVector3D>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace roommesh {

constexpr int vertexCount = int(sizeof(roomModelVertices) / sizeof(ScVertex));
constexpr int triangleCount = vertexCount / 3;

inline const ScVertex &vertex(int triangle, int corner)
{
    return roomModelVertices[3 * triangle + corner];
}

inline QVector3D faceNormal(int t)
{
    return QVector3D::crossProduct(vertex(t, 1).position - vertex(t, 0).position,
                                   vertex(t, 2).position - vertex(t, 0).position);
}

// Triangles joined through shared corner positions (snapped to 1e-4) form one piece.
// Returns the piece index of every triangle.
inline QVector<int> pieces(int *pieceCount)
{
    QVector<int> parent(triangleCount);
    std::iota(parent.begin(), parent.end(), 0);
    const auto find = [&](int i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    QHash<QString, int> firstAt;
    for (int t = 0; t < triangleCount; ++t) {
        for (int c = 0; c < 3; ++c) {
            const QVector3D p = vertex(t, c).position;
            const QString key = QStringLiteral("%1 %2 %3")
                                    .arg(std::lround(p.x() * 1e4))
                                    .arg(std::lround(p.y() * 1e4))
                                    .arg(std::lround(p.z() * 1e4));
            const auto it = firstAt.constFind(key);
            if (it == firstAt.constEnd())
                firstAt.insert(key, t);
            else
                parent[find(t)] = find(*it);
        }
    }
    QVector<int> piece(triangleCount);
    QHash<int, int> index;
    for (int t = 0; t < triangleCount; ++t) {
        const int root = find(t);
        if (!index.contains(root))
            index.insert(root, index.size());
        piece[t] = index.value(root);
    }
    *pieceCount = index.size();
    return piece;
}

// Texel coordinates (column, row) of a corner: u * 1024, v * 1024 (row 0 is the top row).
inline QVector2D texel(int triangle, int corner)
{
    return vertex(triangle, corner).texCoord * 1024.0f;
}

} // namespace roommesh
