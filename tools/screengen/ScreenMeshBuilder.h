#pragma once

#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVector>

#include <array>
#include <cmath>

// Triangle-list builder for the screen stand: shared positions, light-map islands, flat,
// stored and smooth normals, winding carried over each closed piece from its flat faces.
// Island map: u = cu + gu . p, v = cv + gv . p, cu and cv inside the offsets whose rounding
// keeps the layout's extremes and the listed records.

struct Vec3
{
    double x = 0, y = 0, z = 0;
    Vec3() = default;
    constexpr Vec3(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
    Vec3 operator+(const Vec3 &o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3 &o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    double dot(const Vec3 &o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 cross(const Vec3 &o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
    double length() const { return std::sqrt(dot(*this)); }
    Vec3 normalized() const { const double l = length(); return l > 0 ? *this * (1.0 / l) : *this; }
};

// Light-map scale of every island, image units per scene unit.
constexpr double kLightMapScale = 0.13735;

struct IslandSpec
{
    QString name;
    Vec3 gu;          // gradient of u over model space
    Vec3 gv;          // gradient of v over model space
    double uMin = 0;  // layout's smallest u
    double vMin = 0;  // layout's smallest v
    double uMax = 0;  // layout's largest u
    double vMax = 0;  // layout's largest v
    int level = 0;    // mean grey level of the island
    int course = 0;   // level course kind, see LightMapPainter
};

// The gradient of a light-map coordinate that grows along a model axis ('x', 'y' or 'z'),
// sign +1 or -1, at the light-map scale.
Vec3 layoutAxis(char axis, double sign);
// An island's layout from its gradients, stated ranges, mean level and level course.
IslandSpec islandSpec(const char *name, const Vec3 &gu, double uMin, double uMax, const Vec3 &gv, double vMin,
                      double vMax, int level, int course = 0);

struct Island
{
    IslandSpec spec;
    double cu = 0, cv = 0;
    int piece = 0;
};

struct Corner
{
    int pos = -1;
    int group = -1;      // smoothing group, -1 for a stored normal
    Vec3 normal;         // stored normal when group < 0
    double u = 0, v = 0; // light-map point, filled by finish()
    Vec3 finalNormal;    // rounded normal, filled by finish()
};

struct Triangle
{
    std::array<Corner, 3> c;
    int island = -1;
    int piece = 0;
    bool oriented = false; // winding fixed by construction; others follow their neighbours
};

class ScreenMeshBuilder
{
public:
    // Axis helpers for island gradients.
    static Vec3 axis(char a, double sign);

    int position(double x, double y, double z);
    const Vec3 &positionAt(int index) const { return m_positions[index]; }

    int addIsland(const IslandSpec &spec);
    void beginPiece(int piece) { m_piece = piece; }

    // A flat triangle with the given normal; when orientByNormal, its last two corners are
    // swapped if needed so that it winds counter-clockwise seen from the normal's side.
    int flat(int a, int b, int c, int island, const Vec3 &normal, bool orientByNormal = true);
    // A triangle with one stored normal per corner, wound to face 'outward'.
    int stored(int a, int b, int c, int island, const Vec3 &na, const Vec3 &nb, const Vec3 &nc,
               const Vec3 &outward);
    // A smooth triangle: each corner's normal is the mean over its group at that position.
    int smooth(int a, int b, int c, int island, int ga, int gb, int gc);

    // Keeps a smoothing group's normals in the x-y plane.
    void keepInXyPlane(int group) { m_xyGroups.insert(group); }
    // Pins the smooth normal of a (position, group) pair.
    void pinNormal(int pos, int group, const Vec3 &n) { m_pins[{pos, group}] = n; }
    // The smooth normal of (position, group) 'to' is that of 'from' with z negated (or the
    // other way when only 'to' is pinned).
    void mirrorNormalZ(int fromPos, int fromGroup, int toPos, int toGroup)
    {
        m_mirrors.append({{fromPos, fromGroup}, {toPos, toGroup}, Vec3(1, 1, -1)});
    }
    // The same with x negated.
    void mirrorNormalX(int fromPos, int fromGroup, int toPos, int toGroup)
    {
        m_mirrors.append({{fromPos, fromGroup}, {toPos, toGroup}, Vec3(-1, 1, 1)});
    }
    // Pins a listed record: its triangle is turned so the position is at the record's
    // corner, its island's offsets keep the light-map point, and its normal is kept.
    void pinRecord(int record, const Vec3 &position, double u, double v, const Vec3 &normal);

    int triangleCount() const { return m_tris.size(); }
    Triangle &triangle(int i) { return m_tris[i]; }
    const QVector<Triangle> &triangles() const { return m_tris; }
    const QVector<Island> &islands() const { return m_islands; }
    const QVector<Vec3> &positions() const { return m_positions; }

    // The number of distinct u and of distinct v values the island offsets aim at.
    void setDistinctTexCoords(int u, int v) { m_distinctU = u; m_distinctV = v; }

    // Orients, computes normals and light-map points. Returns a list of problems found.
    QStringList finish();

    static double round4(double v);
    static Vec3 roundNormal(const Vec3 &n);

private:
    struct RecordPin
    {
        int record;
        Vec3 position, normal;
        double u, v;
    };

    struct Mirror
    {
        QPair<int, int> from, to;
        Vec3 flip; // sign of each component
    };

    int addTriangle(const Triangle &t);
    QStringList orientPieces();
    void applyRecordPins(QStringList &problems);
    void computeSmoothNormals();
    void computeLightMap(QStringList &problems);

    QVector<Vec3> m_positions;
    QMap<QPair<qint64, QPair<qint64, qint64>>, int> m_positionIndex;
    QVector<Island> m_islands;
    QVector<Triangle> m_tris;
    QMap<QPair<int, int>, Vec3> m_pins;
    QVector<RecordPin> m_recordPins;
    QSet<int> m_xyGroups;
    QVector<Mirror> m_mirrors;
    int m_piece = 0;
    int m_distinctU = 0, m_distinctV = 0;
};
