// Image files through Qt's readers and PNG writer: sprites exported as PNG
// come back cell for cell, the other formats decode to the same picture, and
// broken or oversized files are refused with a reason before any large
// allocation.
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

#include "ImageFiles.h"
#include "SpriteText.h"
#include "TextEncoding.h"

namespace {

class ImageFiles : public ::testing::Test {
protected:
    std::string PathOf(const QString& name) const { return FileSystemName(folder.filePath(name)); }

    void WriteBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Decodes and converts with the defaults: levels from the picture,
    // alpha to mask.
    Rows ImportedRows(const QString& name, int scaleDown = 1)
    {
        RgbaImage image;
        QString reason;
        EXPECT_TRUE(DecodeImageFile(PathOf(name), image, reason)) << reason.toStdString();
        ConversionOptions options;
        options.scaleDown = scaleDown;
        const Conversion conversion = ConvertImage(image, options);
        EXPECT_TRUE(conversion.Succeeded());
        Sprite sprite;
        PutIntoSprite(conversion.picture, sprite);
        return ToRows(sprite);
    }

    QString RefusalOf(const QString& name)
    {
        RgbaImage image;
        QString reason;
        EXPECT_FALSE(DecodeImageFile(PathOf(name), image, reason)) << name.toStdString();
        EXPECT_EQ(image.width, 0);
        return reason;
    }

    QTemporaryDir folder;
};

// A sprite of the type asked for, with at least one pixel of each kind the
// type needs. Masked pixels are white under their mask: the transparent
// entry of a PNG keeps no color.
Sprite RandomSprite(int width, int height, SpriteType type, std::mt19937& random)
{
    const bool gray = type == Grayscale || type == GrayscaleMasked;
    const bool masked = type == BlackWhiteMasked || type == GrayscaleMasked;
    Sprite sprite({width, height});
    std::uniform_int_distribution<int> pick(0, 9);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const int roll = pick(random);
            if (masked && roll == 0)
                sprite.SetPixel(x, y, Mask);
            else
                sprite.SetPixel(x, y, gray ? static_cast<PixelColor>(roll % 4) : (roll % 2 ? Black : White));
        }
    }
    if (gray)
        sprite.SetPixel(width - 1, 0, DarkGray);
    if (masked) {
        sprite.SetPixel(0, height - 1, White);
        sprite.SetPixel(0, height - 1, Mask);
    }
    return sprite;
}

TEST_F(ImageFiles, PngExportThenImportGivesBackEveryCell)
{
    std::mt19937 random(16);
    const Point sizes[] = {{1, 1}, {13, 7}, {240, 128}};
    for (const Point size : sizes) {
        for (const SpriteType type : {BlackWhite, Grayscale, BlackWhiteMasked, GrayscaleMasked}) {
            if (size.x * size.y == 1 && type == GrayscaleMasked)
                continue; // one pixel cannot be both gray and white under a mask
            const Sprite sprite = RandomSprite(size.x, size.y, type, random);
            ASSERT_EQ(sprite.GetType(), type);
            for (const int scale : {1, 3}) {
                QString reason;
                ASSERT_TRUE(WritePngFile(sprite, scale, false, PathOf("round.png"), reason)) << reason.toStdString();
                EXPECT_EQ(ImportedRows("round.png", scale), ToRows(sprite))
                    << size.x << " x " << size.y << ", type " << int(type) << ", scale " << scale;
            }
        }
    }
}

TEST_F(ImageFiles, PngIsIndexedWithATransparentEntryForMaskedPixels)
{
    Sprite sprite = FromRows({"#ldB", "...."});
    QString reason;
    for (const bool calculatorColors : {false, true}) {
        ASSERT_TRUE(WritePngFile(sprite, 2, calculatorColors, PathOf("sprite.png"), reason));
        const QImage image(folder.filePath("sprite.png"));
        ASSERT_EQ(image.size(), QSize(8, 4));
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        EXPECT_EQ(image.pixel(7, 1), image.pixel(6, 0));
        EXPECT_EQ(qAlpha(image.pixel(7, 1)), 0) << "masked";
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
        const QRgb black = calculatorColors ? qRgb(48, 47, 32) : qRgb(0, 0, 0);
        const QRgb light = calculatorColors ? qRgb(144, 159, 143) : qRgb(170, 170, 170);
        const QRgb dark = calculatorColors ? qRgb(96, 103, 95) : qRgb(85, 85, 85);
        const QRgb white = calculatorColors ? qRgb(192, 215, 192) : qRgb(255, 255, 255);
        EXPECT_EQ(image.pixel(1, 1), black);
        EXPECT_EQ(image.pixel(2, 0), light);
        EXPECT_EQ(image.pixel(5, 1), dark);
        EXPECT_EQ(image.pixel(0, 3), white);
    }
    // A black pixel under a mask comes back masked, and white.
    ASSERT_TRUE(WritePngFile(sprite, 1, false, PathOf("sprite.png"), reason));
    EXPECT_EQ(ImportedRows("sprite.png"), (Rows{"#ldW", "...."}));
    EXPECT_FALSE(WritePngFile(sprite, 0, false, PathOf("zero.png"), reason));
    EXPECT_FALSE(WritePngFile(sprite, 17, false, PathOf("seventeen.png"), reason));
    EXPECT_FALSE(QFile::exists(folder.filePath("zero.png")));
}

TEST_F(ImageFiles, OtherFormatsDecodeThroughQt)
{
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(3, 1, qRgb(0, 0, 0));
    for (const char* format : {"BMP", "PNG"}) {
        const QString name = QStringLiteral("picture.%1").arg(QString::fromLatin1(format).toLower());
        ASSERT_TRUE(picture.save(folder.filePath(name), format)) << format;
        EXPECT_EQ(ImportedRows(name), (Rows{"#...", "...#"})) << format;
    }
    // Qt reads GIF but does not write it: the same picture as a 74-byte GIF.
    WriteBytes("picture.gif",
               QByteArray::fromHex("47494638396104000200f00100000000ffffff21f904000000000021ff0b496d616765"
                                   "4d616769636b0e67616d6d613d302e343534353435002c0000000004000200000203"
                                   "448e50003b"));
    EXPECT_EQ(ImportedRows("picture.gif"), (Rows{"#...", "...#"}));
    // JPEG is lossy: a large black and white picture keeps its halves.
    QImage halves(16, 16, QImage::Format_RGB32);
    halves.fill(Qt::white);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            halves.setPixel(x, y, qRgb(0, 0, 0));
    ASSERT_TRUE(halves.save(folder.filePath("halves.JPEG"), "JPEG", 95));
    EXPECT_TRUE(IsImageFileName(PathOf("halves.JPEG")));
    const Rows rows = ImportedRows("halves.JPEG");
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[8].substr(0, 2) + rows[8].substr(14), "##..");
}

TEST_F(ImageFiles, BrokenAndHugeFilesAreRefusedWithAReason)
{
    QImage picture(40, 40, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 200, 30, 128));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "PNG"));
    WriteBytes("truncated.png", png.left(png.size() / 2));
    WriteBytes("empty.png", QByteArray());
    WriteBytes("noise.png", QByteArray(500, '\x5A'));
    // A valid signature and header declaring 100,000 x 100,000 RGBA pixels.
    const QByteArray huge = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000"
                                                "a8520bc8");
    WriteBytes("huge.png", huge + png.mid(33));
    EXPECT_TRUE(RefusalOf("huge.png").contains(QStringLiteral("100000 × 100000")));
    for (const QString name : {"truncated.png", "empty.png", "noise.png", "absent.png"})
        EXPECT_FALSE(RefusalOf(name).isEmpty()) << name.toStdString();
    EXPECT_EQ(RefusalOf("absent.png"), QStringLiteral("fichier introuvable"));
}

TEST(ImageFileNames, ExtensionsInAnyCase)
{
    for (const char* name : {"a.png", "b.PNG", "dir/c.Bmp", "d.gif", "e.jpg", "f.JPEG", "x.pixo.png"})
        EXPECT_TRUE(IsImageFileName(name)) << name;
    for (const char* name : {"a.pixo", "b.89i", "png", ".png", "c.png.txt", "d.jpe", "dir.png/e"})
        EXPECT_FALSE(IsImageFileName(name)) << name;
}

} // namespace
