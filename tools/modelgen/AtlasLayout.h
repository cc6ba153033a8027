#pragma once

#include "tools/modelgen/MeshBuilder.h"

#include <QMap>
#include <QRectF>
#include <QVector>

namespace modelgen {

struct AtlasOptions
{
    int size = 1024;            // atlas side, texels
    double texelsPerUnit = 64;  // scale of the charts that are not fixed
    double gap = 8;             // texels between charts (leaves room for both charts' margins)
    double border = 0.5;        // texels kept free along the atlas edges
    double top = 0.5;           // top edge of the first shelf, texels
};

// Lays out light-map charts in a square atlas. Texel space has x to the right and y down,
// so texCoord = texel / size has v = 0 at the picture's top row.
// Free charts are turned to lie flat (wider than tall), sorted by height and put on shelves
// from the top down; the charts of each run of a shelf are spread out so that the run is
// filled from its start to its end (the atlas border or a fixed chart's gap).
class AtlasLayout
{
public:
    explicit AtlasLayout(const AtlasOptions &options);

    // Puts the chart exactly onto rect (texels), its chart bounds stretched to the rectangle;
    // flipX / flipY make the chart's x / y axis run right-to-left / bottom-to-top.
    void fixChart(int chart, const QRectF &rect, bool flipX, bool flipY);

    // Writes every triangle's texCoord. False when the charts do not fit into the atlas.
    bool layout(QVector<Triangle> &triangles);

    // Total triangle area in texture space over the atlas area (0..1).
    static double coverage(const QVector<Triangle> &triangles);

private:
    struct Placement
    {
        QRectF bounds;      // chart coordinates
        QRectF rect;        // texels
        bool turned = false;
        bool flipX = false;
        bool flipY = false;
        bool fixed = false;
    };

    QVector2D place(const Placement &p, const QVector2D &c) const;

    AtlasOptions m_options;
    QMap<int, Placement> m_fixed;
};

} // namespace modelgen
