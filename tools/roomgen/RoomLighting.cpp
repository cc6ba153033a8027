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

} // namespace

RoomLighting::RoomLighting(const QVector<modelgen::Triangle> &triangles, int lampPiece)
    : m_triangles(triangles)
    , m_caster(triangles)
    , m_lampPiece(lampPiece)
{
    // Lamp: points spread evenly over the bowl's plan (16 directions x 4 radii); each stands
    // for its share of the plan area, divided by the bowl's slope there.
    const float r0 = RoomBuilder::lampRadius, depth = RoomBuilder::lampRimY - RoomBuilder::lampTipY;
    const int azimuths = 16, radii = 4;
    const float planArea = float(M_PI) * r0 * r0;
    for (int j = 0; j < radii; ++j) {
        const float r = r0 * std::sqrt((j + 0.5f) / radii) * 0.97f;
        for (int i = 0; i < azimuths; ++i) {
            const float a = 2.0f * float(M_PI) * (i + 0.5f * (j % 2)) / azimuths;
            const float slope = 2.0f * depth * r / (r0 * r0);
            const QVector3D n = QVector3D(slope * std::cos(a), -1.0f, slope * std::sin(a)).normalized();
            const QVector3D p(r * std::cos(a), RoomBuilder::lampTipY + depth * (r / r0) * (r / r0), r * std::sin(a));
            m_lamp.append({p + 1e-3f * n, n, lampRadiance * planArea / (azimuths * radii) / -n.y()});
        }
    }
    // Sky: a 6 x 8 grid over the window's outer opening, shining into the room (-z).
    const int nx = 6, ny = 8;
    const float w = RoomBuilder::windowRight - RoomBuilder::windowLeft;
    const float h = RoomBuilder::windowTop - RoomBuilder::windowBottom;
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            m_window.append({QVector3D(RoomBuilder::windowLeft + w * (i + 0.5f) / nx,
                                       RoomBuilder::windowBottom + h * (j + 0.5f) / ny, RoomBuilder::windowOuterZ),
                             QVector3D(0, 0, -1), skyRadiance * w * h / (nx * ny)});
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

float RoomLighting::ambientOcclusion(const QVector3D &origin, const QVector3D &normal) const
{
    const QVector3D helper = std::fabs(normal.x()) < 0.9f ? QVector3D(1, 0, 0) : QVector3D(0, 1, 0);
    const QVector3D tx = QVector3D::crossProduct(helper, normal).normalized();
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
    const float open = ambientOcclusion(origin, s.normal);
    if (open == 0.0f)
        return -1.0f; // enclosed: a back, a bottom or a face behind a moulding
    const float e = direct(m_lamp, origin, s.normal) + direct(m_window, origin, s.normal) + ambient * open;
    const float grey = 255.0f * std::pow(1.0f - std::exp(-exposure * e), 1.0f / 2.2f);
    return std::max(grey, 12.0f);
}
