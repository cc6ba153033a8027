#pragma once

#include <QVector>

// Light-map islands of the screen table: triangles joined along edges whose two ends carry
// the same position and texCoord in both triangles. island(t) numbers them in table order.
class ScreenIslands
{
public:
    ScreenIslands();

    int count() const { return m_count; }
    int island(int triangle) const { return m_island[triangle]; }
    QVector<int> triangles(int island) const;

private:
    QVector<int> m_island;
    int m_count = 0;
};
