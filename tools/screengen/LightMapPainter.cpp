#include "tools/screengen/LightMapPainter.h"
#include "tools/screengen/MeshBuilder.h"
#include <QBuffer>
QImage paintLightMap(const MeshBuilder &) { QImage img(512, 512, QImage::Format_RGB888); img.fill(0); return img; }
QByteArray paintLightMapPng(const MeshBuilder &b)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    paintLightMap(b).save(&buffer, "PNG");
    return bytes;
}
