#include "tools/roomgen/RoomLighting.h"

#include "tools/roomgen/RoomBuilder.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr float lampRadiance = 22.0f;
constexpr float skyRadiance = 2.2f;
constexpr float ambient = 0.3f;
constexpr float occlusionRadius = 0.9f;
constexpr float exposure = 0.85f;
constexpr float offset = 2e-4f;
constexpr int skyColumns = 8, skyRows = 10;

// Next value in [0, 1) of a per-texel stream (xorshift).
float nextRandom(quint32 &state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return float(state >> 8) / 16777216.0f;
}

} // namespace

RoomLighting::RoomLighting(const QVector<modelgen::Triangle> &triangles, int lampPiece)
    : m_triangles(triangles)
    , m_caster(triangles)
    , m_lampPiece(lampPiece)
{
    // Lamp: the bowl's own triangles, one point for the tip triangles and one for each quad
    // (the quads' two triangles follow each other), standing for that area.
    QVector<int> lamp;
    for (int t = 0; t < triangles.size(); ++t)
        if (triangles[t].piece == lampPiece)
            lamp.append(t);
    for (int k = 0; k < lamp.size();) {
        const int count = k < RoomBuilder::lampSectors ? 1 : 2;
        const modelgen::Triangle &t = triangles[lamp[k]];
        float area = 0.0f;
        for (int j = 0; j < count && k + j < lamp.size(); ++j) {
            const modelgen::Triangle &u = triangles[lamp[k + j]];
            area += 0.5f * QVector3D::crossProduct(u.position[1] - u.position[0], u.position[2] - u.position[0]).length();
        }
        const QVector3D n = t.faceNormal();
        const QVector3D centre = (t.position[0] + t.position[1] + t.position[2]) / 3.0f;
        m_lamp.append({centre + 1e-3f * n, n, lampRadiance * area});
        k += count;
    }
    // Sky: the window's outer opening in 8 x 10 cells, each sampled at a point jittered per
    // texel (see shade), shining into the room (-z).
    const float w = RoomBuilder::windowRight - RoomBuilder::windowLeft;
    const float h = RoomBuilder::windowTop - RoomBuilder::windowBottom;
    for (int j = 0; j < skyRows; ++j)
        for (int i = 0; i < skyColumns; ++i)
            m_window.append({QVector3D(RoomBuilder::windowLeft + w * i / skyColumns,
                                       RoomBuilder::windowBottom + h * j / skyRows, RoomBuilder::windowOuterZ),
                             QVector3D(0, 0, -1), skyRadiance * w * h / (skyColumns * skyRows)});
    // Ambient directions: a stratified cosine-weighted hemisphere (6 rings x 8 directions).
    const int rings = 6, around = 8;
    for (int j = 0; j < rings; ++j) {
        const float s = std::sqrt((j + 0.5f) / rings);
        for (int i = 0; i < around; ++i) {
            const float a = 2.0f * float(M_PI) * (i + 0.5f * (j % 2)) / around;
            m_hemisphere.append(QVector3D(s * std::cos(a), s * std::sin(a), std::sqrt(std::max(0.0f, 1.0f - s * s))));
        }
    }
}

float RoomLighting::direct(const QVector<Emitter> &emitters, const QVector3D &origin, const QVector3D &normal) const
{
    float sum = 0.0f;
    for (const Emitter &e : emitters) {
        QVector3D d = e.position - origin;
        const float dist2 = QVector3D::dotProduct(d, d);
        const float dist = std::sqrt(dist2);
        d /= dist;
        const float cosP = QVector3D::dotProduct(normal, d);
        const float cosE = -QVector3D::dotProduct(e.normal, d);
        if (cosP <= 0.0f || cosE <= 0.0f)
            continue;
        if (m_caster.occluded(origin, d, 0.0f, dist - 2e-3f))
            continue;
        sum += e.weight * cosP * cosE / (float(M_PI) * std::max(dist2, 0.01f));
    }
    return sum;
}

float RoomLighting::ambientOcclusion(const QVector3D &origin, const QVector3D &normal, float turn) const
{
    const QVector3D helper = std::fabs(normal.x()) < 0.9f ? QVector3D(1, 0, 0) : QVector3D(0, 1, 0);
    const QVector3D ax = QVector3D::crossProduct(helper, normal).normalized();
    const QVector3D ay = QVector3D::crossProduct(normal, ax);
    const QVector3D tx = std::cos(turn) * ax + std::sin(turn) * ay;
    const QVector3D ty = QVector3D::crossProduct(normal, tx);
    int open = 0;
    for (const QVector3D &h : m_hemisphere) {
        const QVector3D d = (h.x() * tx + h.y() * ty + h.z() * normal).normalized();
        if (!m_caster.occluded(origin, d, 0.0f, occlusionRadius))
            ++open;
    }
    return float(open) / m_hemisphere.size();
}

float RoomLighting::shade(const modelgen::TexelSample &s) const
{
    if (m_triangles[s.triangle].piece == m_lampPiece)
        return 250.0f;
    const QVector3D origin = s.position + offset * s.faceNormal;
    quint32 state = s.seed | 1u;
    const float open = ambientOcclusion(origin, s.normal, 2.0f * float(M_PI) * nextRandom(state));
    if (open == 0.0f)
        return -1.0f; // enclosed: a back, a bottom or a face behind a moulding
    QVector<Emitter> sky = m_window;
    const float cw = (RoomBuilder::windowRight - RoomBuilder::windowLeft) / skyColumns;
    const float ch = (RoomBuilder::windowTop - RoomBuilder::windowBottom) / skyRows;
    for (Emitter &e : sky)
        e.position += QVector3D(cw * nextRandom(state), ch * nextRandom(state), 0);
    const float e = direct(m_lamp, origin, s.normal) + direct(sky, origin, s.normal) + ambient * open;
    // Triangular dither of one level keeps smooth gradients from banding in 8 bits.
    const float dither = nextRandom(state) + nextRandom(state) - 1.0f;
    const float grey = 255.0f * std::pow(1.0f - std::exp(-exposure * e), 1.0f / 2.2f) + dither;
    return std::max(grey, 12.0f);
}
