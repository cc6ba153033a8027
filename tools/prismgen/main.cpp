// Writes the four constant meshes of a prism (glass body, stand base, rod and arc holder)
// as a C++ source of ScVertex arrays. Every value is stored with six significant digits.
//
// Usage: prismgen <output.cpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

struct Vec3
{
    double x, y, z;
};

Vec3 operator-(const Vec3 &a, const Vec3 &b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator+(const Vec3 &a, const Vec3 &b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
double dot(const Vec3 &a, const Vec3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(const Vec3 &a, const Vec3 &b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 normalized(const Vec3 &a)
{
    const double l = std::sqrt(dot(a, a));
    return {a.x / l, a.y / l, a.z / l};
}

struct Vertex
{
    Vec3 position;
    double u, v;
    Vec3 normal;
};

// A triangle list whose triangles are wound counter-clockwise seen from their normals' side.
class Mesh
{
public:
    void triangle(Vertex a, Vertex b, Vertex c)
    {
        const Vec3 face = cross(b.position - a.position, c.position - a.position);
        const Vec3 side = a.normal + b.normal + c.normal;
        if (dot(face, side) < 0)
            std::swap(b, c);
        vertices.push_back(a);
        vertices.push_back(b);
        vertices.push_back(c);
    }
    // Quad a-b-c-d in order around its rim, split along a-c.
    void quad(const Vertex &a, const Vertex &b, const Vertex &c, const Vertex &d)
    {
        triangle(a, b, c);
        triangle(a, c, d);
    }
    std::vector<Vertex> vertices;
};

// Solids of revolution about the y axis on a regular polygon with a corner on +x.
class Revolution
{
public:
    Revolution(Mesh &mesh, int corners, double texHeight) : m_mesh(mesh), m_corners(corners), m_texHeight(texHeight) {}

    double angle(int k) const { return 2.0 * kPi * k / m_corners; }
    Vec3 corner(int k, double radius, double y) const
    {
        return {radius * std::cos(angle(k)), y, radius * std::sin(angle(k))};
    }

    // Side wall from (r0, y0) up to (r1, y1); each vertex's normal is (outward, up) turned to its direction.
    void wall(double r0, double y0, double r1, double y1, double outward, double up)
    {
        for (int k = 0; k < m_corners; ++k) {
            auto at = [&](int c, double r, double y) {
                const double a = angle(c);
                return Vertex{corner(c, r, y), double(c) / m_corners, y / m_texHeight,
                              {outward * std::cos(a), up, outward * std::sin(a)}};
            };
            m_mesh.quad(at(k, r0, y0), at(k + 1, r0, y0), at(k + 1, r1, y1), at(k, r1, y1));
        }
    }

    // Flat polygon at height y, a fan from corner 0.
    void cap(double radius, double y, double facing)
    {
        for (int k = 1; k + 1 < m_corners; ++k)
            m_mesh.triangle(flat(0, radius, y, facing, radius), flat(k, radius, y, facing, radius),
                            flat(k + 1, radius, y, facing, radius));
    }

    // Flat ring at height y between two corner radii.
    void ring(double inner, double outer, double y, double facing)
    {
        for (int k = 0; k < m_corners; ++k)
            m_mesh.quad(flat(k, inner, y, facing, outer), flat(k + 1, inner, y, facing, outer),
                        flat(k + 1, outer, y, facing, outer), flat(k, outer, y, facing, outer));
    }

private:
    Vertex flat(int k, double radius, double y, double facing, double texRadius) const
    {
        const Vec3 p = corner(k, radius, y);
        return {p, 0.5 + 0.5 * p.x / texRadius, 0.5 + 0.5 * p.z / texRadius, {0, facing, 0}};
    }

    Mesh &m_mesh;
    int m_corners;
    double m_texHeight;
};

Mesh body()
{
    struct Row
    {
        double p[3], t[2], n[3];
    };
    const double s = std::sqrt(0.5);
    const Row rows[24] = {
        {{-0.1, 0.1, -0.2}, {1, 1}, {0, 1, 0}},  {{-0.1, 0.1, 0.2}, {1, 0}, {0, 1, 0}},
        {{0.1, 0.1, 0.2}, {0, 0}, {0, 1, 0}},    {{0.1, 0.1, 0.2}, {0, 0}, {0, 1, 0}},
        {{0.1, 0.1, -0.2}, {0, 1}, {0, 1, 0}},   {{-0.1, 0.1, -0.2}, {1, 1}, {0, 1, 0}},
        {{-0.1, 0.1, -0.2}, {0, 1}, {0, -s, -s}}, {{0.1, 0.1, -0.2}, {1, 1}, {0, -s, -s}},
        {{0.1, -0.1, 0}, {1, 0}, {0, -s, -s}},    {{0.1, -0.1, 0}, {1, 0}, {0, -s, -s}},
        {{-0.1, -0.1, 0}, {0, 0}, {0, -s, -s}},   {{-0.1, 0.1, -0.2}, {0, 1}, {0, -s, -s}},
        {{0.1, 0.1, -0.2}, {0, 1}, {1, 0, 0}},   {{0.1, 0.1, 0.2}, {1, 1}, {1, 0, 0}},
        {{0.1, -0.1, 0}, {1, 0}, {1, 0, 0}},     {{0.1, 0.1, 0.2}, {0, 1}, {0, -s, s}},
        {{-0.1, 0.1, 0.2}, {1, 1}, {0, -s, s}},  {{-0.1, -0.1, 0}, {1, 0}, {0, -s, s}},
        {{-0.1, -0.1, 0}, {1, 0}, {0, -s, s}},   {{0.1, -0.1, 0}, {0, 0}, {0, -s, s}},
        {{0.1, 0.1, 0.2}, {0, 1}, {0, -s, s}},   {{-0.1, 0.1, 0.2}, {0, 1}, {-1, 0, 0}},
        {{-0.1, 0.1, -0.2}, {1, 1}, {-1, 0, 0}}, {{-0.1, -0.1, 0}, {1, 0}, {-1, 0, 0}},
    };
    Mesh mesh;
    for (const Row &r : rows)
        mesh.vertices.push_back({{r.p[0], r.p[1], r.p[2]}, r.t[0], r.t[1], {r.n[0], r.n[1], r.n[2]}});
    return mesh;
}

Mesh standBase()
{
    Mesh mesh;
    Revolution r(mesh, 12, 0.1625);
    const double foot = 0.1625, neck = 0.0325, groove = 0.029324;
    r.cap(foot, 0.0, -1);
    r.wall(foot, 0.0, foot, 0.0325, 1, 0);
    r.wall(foot, 0.0325, neck, 0.13, 0.6, 0.8);
    r.wall(neck, 0.13, neck, 0.13521, 1, 0);
    r.ring(groove, neck, 0.13521, 1);
    r.wall(groove, 0.13521, groove, 0.15729, 1, 0);
    r.ring(groove, neck, 0.15729, -1);
    r.wall(neck, 0.15729, neck, 0.1625, 1, 0);
    r.cap(neck, 0.1625, 1);
    return mesh;
}

Mesh standRod()
{
    Mesh mesh;
    Revolution r(mesh, 6, 1.5);
    const double shaft = 0.02, collar = 0.027598, collarBottom = 1.38184, top = 1.5;
    r.wall(shaft, 0.0, shaft, collarBottom, 1, 0);
    r.cap(shaft, 0.0, -1);
    r.cap(shaft, top, 1);
    r.wall(collar, collarBottom, collar, top, 1, 0);
    r.ring(shaft, collar, top, 1);
    r.ring(shaft, collar, collarBottom, -1);
    return mesh;
}

Mesh standArc()
{
    Mesh mesh;
    const int segments = 14;
    const double inner = 0.17322, outer = 0.2, halfDepth = 0.02;
    auto angle = [&](int i) { return kPi + kPi * i / segments; };
    auto point = [&](int i, double radius, double z) {
        // The ends lie exactly on y = 0.
        const double a = angle(i);
        const double y = (i == 0 || i == segments) ? 0.0 : radius * std::sin(a);
        const double x = (i == 0) ? -radius : (i == segments) ? radius : radius * std::cos(a);
        return Vec3{x, y, z};
    };
    // Outward radial normal at ring vertex i; the ends take their end segment's normal.
    auto radial = [&](int i) {
        double a = angle(i);
        if (i == 0)
            a = 0.5 * (angle(0) + angle(1));
        else if (i == segments)
            a = 0.5 * (angle(segments - 1) + angle(segments));
        return Vec3{std::cos(a), std::sin(a), 0};
    };
    auto at = [&](int i, double radius, double z, Vec3 n) {
        return Vertex{point(i, radius, z), double(i) / segments, (z + halfDepth) / (2 * halfDepth), n};
    };
    for (int i = 0; i < segments; ++i) {
        const Vec3 n0 = radial(i), n1 = radial(i + 1);
        const Vec3 m0 = {-n0.x, -n0.y, 0}, m1 = {-n1.x, -n1.y, 0};
        for (double z0 : {-halfDepth, 0.0}) {
            const double z1 = z0 + halfDepth;
            mesh.quad(at(i, outer, z0, n0), at(i + 1, outer, z0, n1), at(i + 1, outer, z1, n1), at(i, outer, z1, n0));
        }
        for (double z0 : {-halfDepth, 0.0}) {
            const double z1 = z0 + halfDepth;
            mesh.quad(at(i, inner, z0, m0), at(i + 1, inner, z0, m1), at(i + 1, inner, z1, m1), at(i, inner, z1, m0));
        }
    }
    for (int i = 0; i < segments; ++i)
        mesh.quad(at(i, inner, halfDepth, {0, 0, 1}), at(i + 1, inner, halfDepth, {0, 0, 1}),
                  at(i + 1, outer, halfDepth, {0, 0, 1}), at(i, outer, halfDepth, {0, 0, 1}));
    for (int i = 0; i < segments; ++i)
        mesh.quad(at(i, inner, -halfDepth, {0, 0, -1}), at(i + 1, inner, -halfDepth, {0, 0, -1}),
                  at(i + 1, outer, -halfDepth, {0, 0, -1}), at(i, outer, -halfDepth, {0, 0, -1}));
    for (int end : {0, segments}) {
        for (double z0 : {-halfDepth, 0.0}) {
            const double z1 = z0 + halfDepth;
            const Vec3 up = {0, 1, 0};
            mesh.quad(at(end, inner, z0, up), at(end, outer, z0, up), at(end, outer, z1, up), at(end, inner, z1, up));
        }
    }

    // Two eight-sided pins along x that hold the body at its end faces.
    const double pinInner = 0.091453, pinOuter = 0.177575, axisY = -0.023445;
    const double halfHeight = 0.014266, pinHalfDepth = 0.015;
    for (double side : {-1.0, 1.0}) {
        auto pin = [&](int j, double x, Vec3 n, bool sideWall) {
            const double phi = 2.0 * kPi * j / 8;
            const double dy = halfHeight * std::sin(phi), dz = pinHalfDepth * std::cos(phi);
            const Vec3 p = {side * x, axisY + dy, dz};
            return Vertex{p, sideWall ? j / 8.0 : 0.5 + 0.5 * dz / pinHalfDepth,
                          sideWall ? (x - pinInner) / (pinOuter - pinInner) : 0.5 + 0.5 * dy / halfHeight,
                          sideWall ? normalized({0, dy, dz}) : n};
        };
        for (int j = 0; j < 8; ++j)
            mesh.quad(pin(j, pinInner, {}, true), pin(j + 1, pinInner, {}, true), pin(j + 1, pinOuter, {}, true),
                      pin(j, pinOuter, {}, true));
        for (double x : {pinInner, pinOuter}) {
            const Vec3 n = {x == pinOuter ? side : -side, 0, 0};
            for (int j = 1; j + 1 < 8; ++j)
                mesh.triangle(pin(0, x, n, false), pin(j, x, n, false), pin(j + 1, x, n, false));
        }
    }
    return mesh;
}

// Six significant digits as a float literal; rounding noise around zero is written as 0.
std::string literal(double value)
{
    if (std::fabs(value) < 1e-9)
        return "0.0f";
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    if (std::strtod(text, nullptr) == 0.0)
        return "0.0f";
    std::string s = text;
    if (s.find_first_of(".e") == std::string::npos)
        s += ".0";
    return s + "f";
}

void writeArray(FILE *out, const char *name, const Mesh &mesh, const double color[4])
{
    std::fprintf(out, "\nconst ScVertex %s[%zu] = {\n", name, mesh.vertices.size());
    for (const Vertex &v : mesh.vertices) {
        std::fprintf(out, "    {{%s, %s, %s}, {%s, %s}, {%s, %s, %s}, {%s, %s, %s, %s}},\n",
                     literal(v.position.x).c_str(), literal(v.position.y).c_str(), literal(v.position.z).c_str(),
                     literal(v.u).c_str(), literal(v.v).c_str(), literal(v.normal.x).c_str(),
                     literal(v.normal.y).c_str(), literal(v.normal.z).c_str(), literal(color[0]).c_str(),
                     literal(color[1]).c_str(), literal(color[2]).c_str(), literal(color[3]).c_str());
    }
    std::fprintf(out, "};\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: prismgen <output.cpp>\n");
        return 2;
    }
    FILE *out = std::fopen(argv[1], "wb");
    if (!out) {
        std::fprintf(stderr, "prismgen: cannot write %s\n", argv[1]);
        return 1;
    }
    const double glass[4] = {1.0 / 3.0, 1, 1, 11.0 / 15.0};
    const double white[4] = {1, 1, 1, 1};
    std::fprintf(out, "// Generated by tools/prismgen. Do not edit.\n\n#include \"presentation/PrPrismPartMeshes.h\"\n");
    writeArray(out, "prismBodyVertices", body(), glass);
    writeArray(out, "prismStandBaseVertices", standBase(), white);
    writeArray(out, "prismStandRodVertices", standRod(), white);
    writeArray(out, "prismStandArcVertices", standArc(), white);
    const bool ok = std::fflush(out) == 0;
    return (std::fclose(out) == 0 && ok) ? 0 : 1;
}
