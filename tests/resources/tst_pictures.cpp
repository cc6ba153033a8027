// The bundles' pictures: kind, size, channels, opacity and content rules.
#include <QtTest>
#include <QImage>

#include <cmath>

namespace {

QByteArray resourceBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 bigEndian32(const QByteArray &b, int at)
{
    return quint32(uchar(b[at])) << 24 | quint32(uchar(b[at + 1])) << 16 | quint32(uchar(b[at + 2])) << 8
           | quint32(uchar(b[at + 3]));
}

int bigEndian16(const QByteArray &b, int at)
{
    return int(uchar(b[at])) << 8 | int(uchar(b[at + 1]));
}

// Stored layout as the file header states it.
struct StoredLayout
{
    QString kind; // "png" or "jpeg"
    int width = 0;
    int height = 0;
    int channels = 0; // PNG colour type 6 -> 4, 2 -> 3; JPEG components
    int bitDepth = 0;
    bool progressive = true; // interlaced PNG or progressive JPEG
};

StoredLayout storedLayout(const QByteArray &b)
{
    StoredLayout s;
    if (b.startsWith("\x89PNG\r\n\x1a\n") && b.size() > 33 && b.mid(12, 4) == "IHDR") {
        s.kind = "png";
        s.width = int(bigEndian32(b, 16));
        s.height = int(bigEndian32(b, 20));
        s.bitDepth = uchar(b[24]);
        const int colourType = uchar(b[25]);
        s.channels = colourType == 6 ? 4 : colourType == 2 ? 3 : colourType == 0 ? 1 : -colourType;
        s.progressive = uchar(b[28]) != 0;
        return s;
    }
    if (b.startsWith("\xff\xd8")) {
        s.kind = "jpeg";
        for (int at = 2; at + 9 < b.size();) {
            if (uchar(b[at]) != 0xff)
                break;
            const int marker = uchar(b[at + 1]);
            if (marker == 0xc0 || marker == 0xc2) {
                s.bitDepth = uchar(b[at + 4]);
                s.height = bigEndian16(b, at + 5);
                s.width = bigEndian16(b, at + 7);
                s.channels = uchar(b[at + 9]);
                s.progressive = marker == 0xc2;
                break;
            }
            at += 2 + bigEndian16(b, at + 2);
        }
    }
    return s;
}

struct PixelStats
{
    int minAlpha = 255;
    int maxChannel = 0;        // highest of red, green, blue
    int maxSpread = 0;         // highest max(r,g,b) − min(r,g,b) over all pixels
    double transparent = 0.0;  // fraction of pixels with alpha 0
};

PixelStats pixelStats(const QImage &decoded)
{
    const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    PixelStats s;
    int zero = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
            const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
            s.minAlpha = std::min(s.minAlpha, qAlpha(p));
            s.maxChannel = std::max(s.maxChannel, hi);
            s.maxSpread = std::max(s.maxSpread, hi - lo);
            zero += qAlpha(p) == 0;
        }
    }
    s.transparent = double(zero) / (image.width() * image.height());
    return s;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void colorMaskProfile();
    void swatches();
    void cubeMapShowsTheRoom();
};

// A negative bound means "not checked".
void TestPictures::layout_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("channels");
    QTest::addColumn<bool>("opaque");
    QTest::addColumn<int>("maxSpread");   // grey pictures: channels differ by at most this
    QTest::addColumn<int>("minSpread");   // colour pictures: some pixel differs by at least this
    QTest::addColumn<int>("maxChannel");
    QTest::addColumn<double>("minTransparent");
    QTest::addColumn<double>("maxTransparent");

    for (const char *face : {"RT", "LF", "UP", "DN", "BK", "FR"})
        QTest::newRow(face) << QString(":/gfx/roomCubemap_%1.png").arg(face) << "png" << 512 << 512 << 4 << true
                            << 1 << -1 << -1 << -1.0 << -1.0;
    QTest::newRow("roomLightMap") << ":/gfx/roomLightMap.png" << "png" << 1024 << 1024 << 4 << true << 0 << -1
                                  << -1 << -1.0 << -1.0;
    QTest::newRow("screenLightMap") << ":/gfx/screenLightMap.png" << "png" << 512 << 512 << 3 << true << 0 << -1
                                    << 83 << -1.0 << -1.0;
    QTest::newRow("color_mask") << ":/gfx/color_mask.png" << "png" << 64 << 64 << 4 << false << -1 << -1 << -1
                                << 0.55 << 0.65;
    QTest::newRow("quellstone1") << ":/gfx/quellstone1.png" << "png" << 150 << 150 << 4 << false << -1 << 100
                                 << -1 << 0.5 << 0.6;
    QTest::newRow("marrowfen") << ":/gfx/marrowfen.png" << "png" << 150 << 150 << 4 << false << -1 << 100 << -1
                               << 0.5 << 0.6;
    QTest::newRow("dravic") << ":/gfx/dravic.png" << "png" << 300 << 360 << 4 << true << -1 << 48 << -1 << -1.0
                            << -1.0;
    QTest::newRow("tovanek") << ":/gfx/tovanek.png" << "png" << 300 << 360 << 4 << true << -1 << 48 << -1 << -1.0
                             << -1.0;
    QTest::newRow("green") << ":/gfx/green.png" << "png" << 5 << 5 << 4 << true << 0 << -1 << -1 << -1.0 << -1.0;
    QTest::newRow("blue") << ":/gfx/blue.png" << "png" << 5 << 5 << 4 << true << 0 << -1 << -1 << -1.0 << -1.0;
    QTest::newRow("spectrum") << ":/gfx/spectrum.jpg" << "jpeg" << 653 << 173 << 3 << true << -1 << 200 << -1
                              << -1.0 << -1.0;
}

void TestPictures::layout()
{
    QFETCH(QString, path);
    QFETCH(QString, kind);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, channels);
    QFETCH(bool, opaque);
    QFETCH(int, maxSpread);
    QFETCH(int, minSpread);
    QFETCH(int, maxChannel);
    QFETCH(double, minTransparent);
    QFETCH(double, maxTransparent);

    const QByteArray bytes = resourceBytes(path);
    QVERIFY2(!bytes.isEmpty(), qPrintable(path + " cannot be read"));
    const StoredLayout stored = storedLayout(bytes);
    QVERIFY2(stored.kind == kind && stored.width == width && stored.height == height && stored.channels == channels
                 && stored.bitDepth == 8 && !stored.progressive,
             qPrintable(QString("%1 stored as %2 %3x%4, %5 channels of %6 bits, %7; expected %8 %9x%10, %11 "
                                "channels of 8 bits, not interlaced or progressive")
                            .arg(path, stored.kind)
                            .arg(stored.width)
                            .arg(stored.height)
                            .arg(stored.channels)
                            .arg(stored.bitDepth)
                            .arg(stored.progressive ? "interlaced/progressive" : "sequential", kind)
                            .arg(width)
                            .arg(height)
                            .arg(channels)));

    // Decoded the way the program decodes it: format recognised from the data.
    const QImage image(path);
    QVERIFY2(!image.isNull() && image.width() == width && image.height() == height,
             qPrintable(QString("%1 decodes to %2x%3").arg(path).arg(image.width()).arg(image.height())));
    QVERIFY2(image.hasAlphaChannel() == (channels == 4),
             qPrintable(QString("%1 decodes %2 an alpha channel").arg(path, image.hasAlphaChannel() ? "with" : "without")));

    const PixelStats s = pixelStats(image);
    if (opaque)
        QVERIFY2(s.minAlpha == 255, qPrintable(QString("%1: lowest alpha %2, expected 255").arg(path).arg(s.minAlpha)));
    if (maxSpread >= 0)
        QVERIFY2(s.maxSpread <= maxSpread, qPrintable(QString("%1: colour channels differ by up to %2, bound %3")
                                                          .arg(path)
                                                          .arg(s.maxSpread)
                                                          .arg(maxSpread)));
    if (minSpread >= 0)
        QVERIFY2(s.maxSpread >= minSpread, qPrintable(QString("%1: colour channels differ by at most %2, so it "
                                                              "is not a colour picture (need %3)")
                                                          .arg(path)
                                                          .arg(s.maxSpread)
                                                          .arg(minSpread)));
    if (maxChannel >= 0)
        QVERIFY2(s.maxChannel <= maxChannel,
                 qPrintable(QString("%1: brightest channel %2, bound %3").arg(path).arg(s.maxChannel).arg(maxChannel)));
    if (minTransparent >= 0)
        QVERIFY2(s.transparent >= minTransparent && s.transparent <= maxTransparent,
                 qPrintable(QString("%1: %2 of the pixels are transparent, expected %3 to %4")
                                .arg(path)
                                .arg(s.transparent)
                                .arg(minTransparent)
                                .arg(maxTransparent)));
}

void TestPictures::colorMaskProfile()
{
    const QImage mask = QImage(":/gfx/color_mask.png").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(mask.size(), QSize(64, 64));
    QVERIFY2(qAlpha(mask.pixel(31, 31)) == 255,
             qPrintable(QString("centre alpha %1, expected 255").arg(qAlpha(mask.pixel(31, 31)))));
    constexpr double reach = 22.0;
    constexpr int tolerance = 8; // alpha units off the linear fall-off
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const QRgb p = mask.pixel(x, y);
            const double d = std::hypot(x - 31.0, y - 31.0);
            const double linear = 255.0 * std::max(0.0, 1.0 - d / reach);
            QVERIFY2(std::abs(qAlpha(p) - linear) <= tolerance,
                     qPrintable(QString("alpha %1 at (%2, %3), distance %4: linear fall-off gives %5 ± %6")
                                    .arg(qAlpha(p))
                                    .arg(x)
                                    .arg(y)
                                    .arg(d)
                                    .arg(linear)
                                    .arg(tolerance)));
            if (d > reach + 1.0)
                QVERIFY2(qAlpha(p) == 0, qPrintable(QString("alpha %1 at distance %2").arg(qAlpha(p)).arg(d)));
            if (qAlpha(p) > 0) {
                const bool lightGrey = qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)
                                       && (qRed(p) == 239 || qRed(p) == 240);
                QVERIFY2(lightGrey, qPrintable(QString("colour (%1, %2, %3) at (%4, %5), expected 239 or 240 grey")
                                                   .arg(qRed(p))
                                                   .arg(qGreen(p))
                                                   .arg(qBlue(p))
                                                   .arg(x)
                                                   .arg(y)));
            }
        }
    }
    // Alpha never rises away from the centre along a row.
    for (int x = 32; x < 64; ++x)
        QVERIFY2(qAlpha(mask.pixel(x, 31)) <= qAlpha(mask.pixel(x - 1, 31)),
                 qPrintable(QString("alpha rises from x %1 to %2 on the centre row").arg(x - 1).arg(x)));
}

void TestPictures::swatches()
{
    const QImage green = QImage(":/gfx/green.png").convertToFormat(QImage::Format_ARGB32);
    const QImage blue = QImage(":/gfx/blue.png").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(green.size(), QSize(5, 5));
    QCOMPARE(blue.size(), QSize(5, 5));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool frame = x == 0 || y == 0 || x == 4 || y == 4;
            const QRgb expected = frame ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 255);
            QVERIFY2(green.pixel(x, y) == expected,
                     qPrintable(QString("green.png (%1, %2) is #%3, expected #%4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(green.pixel(x, y), 8, 16, QChar('0'))
                                    .arg(expected, 8, 16, QChar('0'))));
            QVERIFY2(blue.pixel(x, y) == qRgba(0, 0, 0, 255),
                     qPrintable(QString("blue.png (%1, %2) is #%3, expected opaque black")
                                    .arg(x)
                                    .arg(y)
                                    .arg(blue.pixel(x, y), 8, 16, QChar('0'))));
        }
    }
}

namespace {
struct FaceCounts
{
    int white = 0; // 255: a ray left through an opening
    int dark = 0;  // at most 83: the screen light map's range
};

FaceCounts faceCounts(const char *face)
{
    const QImage image = QImage(QString(":/gfx/roomCubemap_%1.png").arg(face)).convertToFormat(QImage::Format_ARGB32);
    FaceCounts c;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qRed(image.pixel(x, y));
            c.white += grey == 255;
            c.dark += grey <= 83;
        }
    return c;
}
} // namespace

// Seen from the prism, the doorway (world -X wall) lies on the left face, the window
// (world +Z wall) on the back face, and the dark screen ahead, on the front face.
void TestPictures::cubeMapShowsTheRoom()
{
    const FaceCounts left = faceCounts("LF");
    const FaceCounts right = faceCounts("RT");
    const FaceCounts back = faceCounts("BK");
    const FaceCounts front = faceCounts("FR");
    QVERIFY2(left.white > 4000 && left.white > 10 * right.white,
             qPrintable(QString("doorway: %1 white pixels on LF, %2 on RT; expected over 4000 and over ten "
                                "times RT's").arg(left.white).arg(right.white)));
    QVERIFY2(back.white > 2000 && front.white == 0,
             qPrintable(QString("window: %1 white pixels on BK (expected over 2000), %2 on FR (expected 0)")
                            .arg(back.white)
                            .arg(front.white)));
    QVERIFY2(front.dark > 30000 && front.dark > 10 * back.dark,
             qPrintable(QString("screen: %1 dark pixels on FR, %2 on BK; expected over 30000 and over ten times "
                                "BK's").arg(front.dark).arg(back.dark)));
}

QTEST_GUILESS_MAIN(TestPictures)

#include "tst_pictures.moc"
