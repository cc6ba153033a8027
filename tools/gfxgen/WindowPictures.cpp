#include "tools/gfxgen/WindowPictures.h"

#include "optics/wavelengthToColor.h"
#include "tools/gfxgen/GfxCanvas.h"
#include "tools/gfxgen/GfxShapes.h"

#include <cmath>

using namespace GfxShapes;

namespace {

constexpr double emblemCentre = 75.0;
constexpr double emblemRadius = 58.0;

const QRectF emblemBounds(0, 0, 150, 150);

// Wavy band |y − (y0 + amplitude·sin(x / period))| ≤ halfWidth.
Inside wave(double y0, double amplitude, double period, double halfWidth)
{
    return [=](double x, double y) { return std::abs(y - (y0 + amplitude * std::sin(x / period))) <= halfWidth; };
}

Inside insideDisc(double radius)
{
    return ellipse(emblemCentre, emblemCentre, radius, radius);
}

struct PortraitStyle
{
    QVector4D backgroundTop;
    QVector4D backgroundBottom;
    QVector4D skin;
    QVector4D hair;
    QVector4D jacket;
    QVector4D shirt;
    QVector4D iris;
    QVector4D lips;
    bool receding;  // hair on the sides only, with a beard and moustache
    bool glasses;
    bool tie;
};

QImage portrait(const PortraitStyle &s)
{
    GfxCanvas canvas(300, 360, s.backgroundBottom);
    const QRectF all(0, 0, 300, 360);
    const auto everywhere = [](double, double) { return true; };

    // Background: vertical gradient, lighter behind the head.
    canvas.fill(all, everywhere, [&](double x, double y) {
        const double glow = std::exp(-((x - 150) * (x - 150) + (y - 170) * (y - 170)) / (2 * 110.0 * 110.0));
        return mix(mix(s.backgroundTop, s.backgroundBottom, y / 360.0), QVector4D(1, 1, 1, 1), 0.35 * glow);
    });

    const QVector4D shadowSkin = mix(s.skin, QVector4D(0.35f, 0.2f, 0.15f, 1), 0.35);
    const auto shadedSkin = [&](double cx, double cy, double r) {
        return [=](double x, double y) {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / r;
            return mix(s.skin, shadowSkin, d * d);
        };
    };

    // Shoulders, shirt opening, tie.
    canvas.fill(QRectF(0, 270, 300, 90), ellipse(150, 400, 150, 122), [&](double x, double y) {
        return mix(s.jacket, QVector4D(0, 0, 0, 1), 0.25 * std::abs(x - 150) / 150 + 0.1 * (y - 280) / 80);
    });
    canvas.fill(QRectF(105, 270, 90, 90), polygon({{112, 282}, {188, 282}, {150, 360}}), s.shirt);
    if (s.tie) {
        const QVector4D tie = rgb(128, 28, 40);
        canvas.fill(QRectF(130, 290, 40, 70), polygon({{143, 306}, {157, 306}, {163, 360}, {137, 360}}), tie);
        canvas.fill(QRectF(138, 290, 24, 20), ellipse(150, 300, 9, 8), mix(tie, QVector4D(0, 0, 0, 1), 0.15));
    }

    // Neck, ears, head.
    canvas.fill(QRectF(120, 215, 60, 90), roundedRect(124, 220, 176, 300, 14), [&](double x, double y) {
        return mix(shadowSkin, s.skin, (y - 220) / 80 * 0.6 + 0.2 - 0.3 * std::abs(x - 150) / 26);
    });
    canvas.fill(QRectF(70, 150, 160, 50), either(ellipse(88, 176, 11, 18), ellipse(212, 176, 11, 18)), shadowSkin);
    canvas.fill(QRectF(80, 75, 140, 180), ellipse(150, 165, 63, 84), shadedSkin(150, 150, 90));

    // Hair (and beard).
    if (!s.receding) {
        const Inside cap = both(without(ellipse(150, 138, 70, 66), ellipse(150, 176, 62, 70)),
                                [](double, double y) { return y < 182; });
        canvas.fill(QRectF(75, 65, 150, 125), cap, s.hair);
        canvas.fill(QRectF(100, 75, 100, 40), ellipse(132, 98, 40, 14, -12), s.hair);
    } else {
        const Inside sides = both(without(ellipse(150, 152, 71, 72), ellipse(150, 162, 61, 84)),
                                  [](double, double y) { return y > 122 && y < 196; });
        canvas.fill(QRectF(75, 75, 150, 125), sides, s.hair);
        const Inside beard = both(without(ellipse(150, 200, 64, 62), ellipse(150, 196, 44, 28)),
                                  both(ellipse(150, 165, 64, 86), [](double, double y) { return y > 178; }));
        canvas.fill(QRectF(80, 170, 140, 90), beard, s.hair);
        canvas.fill(QRectF(120, 205, 60, 20), ellipse(150, 213, 24, 6.5), s.hair);
    }

    // Brows, eyes, glasses, nose, mouth.
    canvas.fill(QRectF(100, 128, 100, 22), either(ellipse(125, 139, 15, 3.2, -6), ellipse(175, 139, 15, 3.2, 6)),
                mix(s.hair, QVector4D(0, 0, 0, 1), 0.3));
    for (double cx : {125.0, 175.0}) {
        canvas.fill(QRectF(cx - 12, 150, 24, 16), ellipse(cx, 158, 10.5, 6), rgb(246, 244, 240));
        canvas.fill(QRectF(cx - 6, 152, 12, 12), ellipse(cx, 158, 4.6, 4.6), s.iris);
        canvas.fill(QRectF(cx - 3, 155, 6, 6), ellipse(cx, 158, 2.1, 2.1), rgb(16, 16, 20));
        canvas.fill(QRectF(cx - 4, 154, 4, 4), ellipse(cx - 1.6, 156.4, 1.1, 1.1), rgb(255, 255, 255));
    }
    if (s.glasses) {
        const QVector4D frame = rgb(40, 36, 34);
        canvas.fill(QRectF(105, 138, 90, 40), either(ring(125, 158, 14.5, 17), ring(175, 158, 14.5, 17)), frame);
        canvas.fill(QRectF(138, 150, 24, 10), segment({141.5, 155}, {158.5, 155}, 2.6), frame);
        canvas.fill(QRectF(85, 150, 130, 14),
                    either(segment({108.5, 156}, {89, 160}, 2.4), segment({191.5, 156}, {211, 160}, 2.4)), frame);
    }
    QVector4D noseShade = shadowSkin;
    noseShade.setW(0.55f);
    canvas.fill(QRectF(138, 160, 24, 40), polygon({{150, 162}, {141, 196}, {150, 199}, {159, 196}}), noseShade);
    canvas.fill(QRectF(128, 210, 44, 16), both(ellipse(150, 218, 18, 5.5), [](double, double y) { return y >= 215; }),
                s.lips);
    canvas.fill(QRectF(128, 210, 44, 16), both(ellipse(150, 218, 18, 3.5), [](double, double y) { return y < 218; }),
                mix(s.lips, QVector4D(0, 0, 0, 1), 0.2));
    return canvas.toImage();
}

QImage swatch(bool framed)
{
    QImage image(5, 5, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 255));
    if (framed)
        for (int y = 1; y < 4; ++y)
            for (int x = 1; x < 4; ++x)
                image.setPixel(x, y, qRgba(255, 255, 255, 255));
    return image;
}

} // namespace

namespace WindowPictures {

QImage quellstoneEmblem()
{
    GfxCanvas canvas(150, 150, QVector4D(0, 0, 0, 0));
    canvas.fill(emblemBounds, insideDisc(emblemRadius), [](double, double y) {
        return mix(rgb(34, 70, 140), rgb(18, 40, 96), y / 150.0);
    });
    canvas.fill(emblemBounds, ring(emblemCentre, emblemCentre, 50.5, 55.5), rgb(214, 172, 66));
    // A prism splitting a white beam into a fan of colours.
    const Inside inner = insideDisc(49.0);
    canvas.fill(emblemBounds, both(inner, segment({22, 86}, {66, 72}, 3.4)), rgb(250, 250, 250));
    const double wavelengths[] = {0.41, 0.46, 0.50, 0.55, 0.59, 0.64, 0.70};
    for (int i = 0; i < 7; ++i) {
        const QVector4D c = wavelengthToColor(wavelengths[i], 1.0);
        canvas.fill(emblemBounds, both(inner, segment({86, 74}, {128, 70 + 6.0 * (6 - i)}, 3.0)),
                    QVector4D(c.x(), c.y(), c.z(), 1));
    }
    canvas.fill(emblemBounds, polygon({{75, 38}, {52, 96}, {98, 96}}), rgb(214, 232, 248, 235));
    canvas.fill(emblemBounds, without(polygon({{75, 38}, {52, 96}, {98, 96}}), polygon({{75, 44}, {56.5, 93}, {93.5, 93}})),
                rgb(250, 250, 255));
    // The spring below it.
    for (double y0 : {106.0, 114.0})
        canvas.fill(emblemBounds, both(insideDisc(47.0), wave(y0, 2.4, 5.0, 1.5)), rgb(150, 196, 236));
    return canvas.toImage();
}

QImage marrowfenEmblem()
{
    GfxCanvas canvas(150, 150, QVector4D(0, 0, 0, 0));
    canvas.fill(emblemBounds, insideDisc(emblemRadius), [](double x, double) {
        return mix(rgb(34, 116, 74), rgb(20, 80, 52), x / 150.0);
    });
    canvas.fill(emblemBounds, ring(emblemCentre, emblemCentre, 51.5, 55.0), rgb(242, 236, 214));
    // Reeds with leaves and heads, standing in water.
    const Inside inner = insideDisc(49.0);
    const QVector4D stem = rgb(226, 190, 90);
    const double stems[][2] = {{58, 44}, {75, 34}, {92, 48}};
    for (const auto &s : stems) {
        canvas.fill(emblemBounds, both(inner, segment({s[0], 104}, {s[0], s[1]}, 3.2)), stem);
        canvas.fill(emblemBounds, ellipse(s[0], s[1] + 2, 4.2, 10), rgb(128, 74, 42));
    }
    canvas.fill(emblemBounds, both(inner, ellipse(66, 84, 3.2, 14, 28)), rgb(150, 204, 110));
    canvas.fill(emblemBounds, both(inner, ellipse(84, 80, 3.2, 15, -30)), rgb(150, 204, 110));
    canvas.fill(emblemBounds, both(inner, ellipse(100, 88, 3.0, 12, 24)), rgb(150, 204, 110));
    for (double y0 : {104.0, 112.0, 120.0})
        canvas.fill(emblemBounds, both(insideDisc(47.0), wave(y0, 2.0, 4.0, 1.4)), rgb(140, 190, 232));
    return canvas.toImage();
}

QImage dravicPortrait()
{
    return portrait({rgb(92, 120, 150), rgb(40, 58, 84), rgb(232, 190, 160), rgb(58, 40, 30), rgb(46, 52, 64),
                     rgb(236, 238, 242), rgb(72, 110, 70), rgb(176, 96, 92), false, false, true});
}

QImage tovanekPortrait()
{
    return portrait({rgb(196, 178, 140), rgb(120, 96, 70), rgb(222, 176, 146), rgb(168, 164, 160),
                     rgb(92, 70, 52), rgb(222, 226, 210), rgb(70, 100, 150), rgb(160, 84, 80), true, true, false});
}

QImage framedSwatch()
{
    return swatch(true);
}

QImage blackSwatch()
{
    return swatch(false);
}

QImage spectrum()
{
    QImage image(653, 173, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const double v = std::sin(M_PI * (y + 0.5) / image.height());
        const double intensity = 0.3 + 0.7 * std::sqrt(v);
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QVector4D c = wavelengthToColor(0.38 + 0.4 * (x + 0.5) / image.width(), 1.0);
            const auto byte = [intensity](float channel) { return int(std::lround(255.0 * intensity * channel)); };
            line[x] = qRgb(byte(c.x()), byte(c.y()), byte(c.z()));
        }
    }
    return image;
}

} // namespace WindowPictures
