#include "tools/modelgen/MeshBuilder.h"

#include <utility>

namespace modelgen {

QVector3D Triangle::faceNormal() const
{
    return QVector3D::crossProduct(position[1] - position[0], position[2] - position[0]).normalized();
}

bool Triangle::isFlat() const
{
    return normal[0] == normal[1] && normal[0] == normal[2];
}

int MeshBuilder::beginPiece(const QString &name)
{
    m_pieceNames.append(name);
    return m_pieceNames.size() - 1;
}

int MeshBuilder::beginChart()
{
    return m_chartCount++;
}

void MeshBuilder::addTriangle(const QVector3D p[3], const QVector3D n[3], const QVector2D c[3])
{
    Triangle t;
    for (int i = 0; i < 3; ++i) {
        t.position[i] = p[i];
        t.normal[i] = n[i];
        t.chartCoord[i] = c[i];
    }
    const QVector3D cross = QVector3D::crossProduct(p[1] - p[0], p[2] - p[0]);
    if (QVector3D::dotProduct(cross, n[0] + n[1] + n[2]) < 0.0f) {
        std::swap(t.position[1], t.position[2]);
        std::swap(t.normal[1], t.normal[2]);
        std::swap(t.chartCoord[1], t.chartCoord[2]);
    }
    t.chart = m_chartCount - 1;
    t.piece = m_pieceNames.size() - 1;
    m_triangles.append(t);
}

void MeshBuilder::addFlatTriangle(const QVector3D &p0, const QVector3D &p1, const QVector3D &p2,
                                  const QVector3D &n, const QVector2D &c0, const QVector2D &c1,
                                  const QVector2D &c2)
{
    const QVector3D p[3] = {p0, p1, p2};
    const QVector3D nn[3] = {n, n, n};
    const QVector2D c[3] = {c0, c1, c2};
    addTriangle(p, nn, c);
}

void MeshBuilder::addQuad(const QVector3D p[4], const QVector3D n[4], const QVector2D c[4])
{
    const QVector3D pa[3] = {p[0], p[1], p[2]};
    const QVector3D na[3] = {n[0], n[1], n[2]};
    const QVector2D ca[3] = {c[0], c[1], c[2]};
    addTriangle(pa, na, ca);
    const QVector3D pb[3] = {p[0], p[2], p[3]};
    const QVector3D nb[3] = {n[0], n[2], n[3]};
    const QVector2D cb[3] = {c[0], c[2], c[3]};
    addTriangle(pb, nb, cb);
}

int MeshBuilder::pieceTriangleCount(int piece) const
{
    int count = 0;
    for (const Triangle &t : m_triangles)
        count += t.piece == piece ? 1 : 0;
    return count;
}

} // namespace modelgen
