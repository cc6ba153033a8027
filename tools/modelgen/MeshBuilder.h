#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QVector2D>
#include <QVector3D>

namespace modelgen {

// One triangle of a generated model. chartCoord is the vertex's place in its chart's own
// plane (model units); texCoord is filled by AtlasLayout (atlas u, v in 0..1, v = 0 top row).
struct Triangle
{
    QVector3D position[3];
    QVector3D normal[3];
    QVector2D chartCoord[3];
    QVector2D texCoord[3];
    int chart = -1;
    int piece = -1;

    QVector3D faceNormal() const; // unit (p1 - p0) x (p2 - p0)
    bool isFlat() const;          // all three normals equal
};

// Collects a plain triangle list, grouped into named pieces and light-map charts.
// Every added triangle is wound counter-clockwise seen from the side its normals point to:
// when (p1 - p0) x (p2 - p0) . (n0 + n1 + n2) < 0, vertices 1 and 2 are swapped.
class MeshBuilder
{
public:
    // Starts a new piece; later triangles belong to it. Returns its index.
    int beginPiece(const QString &name);
    // Starts a new light-map chart; later triangles belong to it. Returns its index.
    // The caller keeps the chart coordinates of one chart free of overlaps.
    int beginChart();

    void addTriangle(const QVector3D p[3], const QVector3D n[3], const QVector2D c[3]);
    // Same normal at all three vertices.
    void addFlatTriangle(const QVector3D &p0, const QVector3D &p1, const QVector3D &p2,
                         const QVector3D &n, const QVector2D &c0, const QVector2D &c1,
                         const QVector2D &c2);
    // Two triangles (0, 1, 2) and (0, 2, 3) of the quad p0 p1 p2 p3.
    void addQuad(const QVector3D p[4], const QVector3D n[4], const QVector2D c[4]);

    const QVector<Triangle> &triangles() const { return m_triangles; }
    QVector<Triangle> &triangles() { return m_triangles; }
    const QStringList &pieceNames() const { return m_pieceNames; }
    int pieceTriangleCount(int piece) const;
    int chartCount() const { return m_chartCount; }
    int currentChart() const { return m_chartCount - 1; }

private:
    QVector<Triangle> m_triangles;
    QStringList m_pieceNames;
    int m_chartCount = 0;
};

} // namespace modelgen
