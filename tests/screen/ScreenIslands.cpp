#include "tests/screen/ScreenIslands.h"

#include "models/ScreenModel.h"

#include <QHash>

#include <iterator>
#include <numeric>

namespace {

// Bit pattern of a corner's position and texCoord, zeros of either sign alike.
QByteArray cornerKey(const ScVertex &v)
{
    const float f[5] = {v.position.x() + 0.0f, v.position.y() + 0.0f, v.position.z() + 0.0f,
                        v.texCoord.x() + 0.0f, v.texCoord.y() + 0.0f};
    return QByteArray(reinterpret_cast<const char *>(f), sizeof f);
}

int findRoot(QVector<int> &parent, int a)
{
    while (parent[a] != a)
        a = parent[a] = parent[parent[a]];
    return a;
}

} // namespace

ScreenIslands::ScreenIslands()
{
    const int n = int(std::size(screenModelVertices)) / 3;
    QVector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    QHash<QByteArray, int> edges;
    for (int t = 0; t < n; ++t)
        for (int e = 0; e < 3; ++e) {
            QByteArray a = cornerKey(screenModelVertices[3 * t + e]);
            QByteArray b = cornerKey(screenModelVertices[3 * t + (e + 1) % 3]);
            const QByteArray key = a < b ? a + b : b + a;
            const auto it = edges.constFind(key);
            if (it == edges.constEnd())
                edges.insert(key, t);
            else
                parent[findRoot(parent, t)] = findRoot(parent, it.value());
        }
    QHash<int, int> number;
    m_island.resize(n);
    for (int t = 0; t < n; ++t) {
        const int root = findRoot(parent, t);
        if (!number.contains(root))
            number.insert(root, m_count++);
        m_island[t] = number.value(root);
    }
}

QVector<int> ScreenIslands::triangles(int island) const
{
    QVector<int> out;
    for (int t = 0; t < m_island.size(); ++t)
        if (m_island[t] == island)
            out.append(t);
    return out;
}
