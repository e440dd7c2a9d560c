#include "ImageFiles.h"

#include <QBuffer>
#include <QImageReader>
#include <cstring>

#include "AtomicFile.h"
#include "FileRead.h"
#include "sheet.h"

namespace {

// Qt's own ceiling for one decoded image, in megabytes: the four bytes a
// pixel of MaxDecodedPixels and the format conversion after it.
constexpr int DecoderAllocationLimitMb = 160;

bool TooManyPixels(QSize size)
{
    return static_cast<long long>(size.width()) * size.height() > MaxDecodedPixels;
}

QString SizeText(QSize size)
{
    return QStringLiteral("%1 × %2").arg(size.width()).arg(size.height());
}

} // namespace

QString ImageFileFilter()
{
    return QStringLiteral("Images (*.png *.bmp *.gif *.jpg *.jpeg)|*.png;*.bmp;*.gif;*.jpg;*.jpeg");
}

bool DecodeImageFile(const std::string& path, RgbaImage& image, QString& reason)
{
    const FileContent content = ReadWholeFile(path, MaxImageFileBytes);
    if (!content.Read()) {
        reason = QString::fromStdString(ReadProblemText(content));
        return false;
    }
    return DecodeImageBytes(content.bytes, image, reason);
}

bool DecodeImageBytes(const std::string& bytes, RgbaImage& image, QString& reason)
{
    QImageReader::setAllocationLimit(DecoderAllocationLimitMb);
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Formats that tell their size before decoding are held to the limit
    // here; the others by Qt's allocation limit while decoding.
    const QSize declared = reader.size();
    if (declared.isValid() && TooManyPixels(declared)) {
        reason = QStringLiteral("image trop grande (%1 pixels, au plus %2 millions de pixels)")
                     .arg(SizeText(declared))
                     .arg(MaxDecodedPixels / (1024 * 1024));
        return false;
    }
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        reason = QStringLiteral("image illisible (%1)").arg(reader.errorString());
        return false;
    }
    image = RgbaFromImage(decoded);
    if (image.width == 0) {
        reason = QStringLiteral("image trop grande (%1 pixels)").arg(SizeText(decoded.size()));
        return false;
    }
    return true;
}

RgbaImage RgbaFromImage(const QImage& source)
{
    if (source.isNull() || TooManyPixels(source.size()))
        return {};
    const QImage rgba = source.convertToFormat(QImage::Format_RGBA8888);
    RgbaImage image(rgba.width(), rgba.height());
    image.hasAlpha = source.hasAlphaChannel();
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.At(0, y), rgba.constScanLine(y), rowBytes);
    return image;
}

QImage SpriteImage(const Sprite& sprite, int scale, bool calculatorColors)
{
    return IndexedImage(SpriteIndexes(sprite, scale), calculatorColors);
}

QImage IndexedImage(const IndexedPicture& indexed, bool calculatorColors)
{
    QImage image(indexed.width, indexed.height, QImage::Format_Indexed8);
    const std::array<uint32_t, 5> palette = PicturePalette(calculatorColors);
    image.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    for (int y = 0; y < indexed.height; ++y)
        std::memcpy(image.scanLine(y), &indexed.indices[static_cast<std::size_t>(y) * indexed.width], indexed.width);
    return image;
}

namespace {
// The resolution a PNG states: Qt's own without a screen (100 dots per inch),
// so that the editor, whatever its display, writes the bytes pixora-export
// writes.
constexpr int PngDotsPerMeter = 3937;

bool EncodeImagePng(const QImage& image, std::string& bytes, QString& reason)
{
    QImage stated = image;
    stated.setDotsPerMeterX(PngDotsPerMeter);
    stated.setDotsPerMeterY(PngDotsPerMeter);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!stated.save(&buffer, "PNG")) {
        reason = QStringLiteral("codage PNG impossible");
        return false;
    }
    bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    return true;
}
} // namespace

bool EncodePng(const Sprite& sprite, int scale, bool calculatorColors, std::string& bytes, QString& reason)
{
    if (scale < 1 || scale > MaxPngScale) {
        reason = QStringLiteral("échelle %1 hors limites (1 à %2)").arg(scale).arg(MaxPngScale);
        return false;
    }
    return EncodeImagePng(SpriteImage(sprite, scale, calculatorColors), bytes, reason);
}

QImage OpaqueImage(const RgbaImage& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* pixel = picture.At(x, y);
            image.setPixel(x, y, qRgb(pixel[0], pixel[1], pixel[2]));
        }
    return image;
}

bool EncodeOpaquePng(const RgbaImage& picture, std::string& bytes, QString& reason)
{
    return EncodeImagePng(OpaqueImage(picture), bytes, reason);
}

bool EncodeIndexedPng(const IndexedPicture& picture, bool calculatorColors, std::string& bytes, QString& reason)
{
    return EncodeImagePng(IndexedImage(picture, calculatorColors), bytes, reason);
}

namespace {

bool WriteBytesSafely(const std::string& bytes, const std::string& path, QString& reason)
{
    if (const std::error_code error = WriteFileAtomically(path, bytes)) {
        reason = QStringLiteral("écriture impossible (%1)").arg(QString::fromStdString(error.message()));
        return false;
    }
    return true;
}

} // namespace

bool WritePngFile(const Sprite& sprite, int scale, bool calculatorColors, const std::string& path, QString& reason)
{
    std::string bytes;
    return EncodePng(sprite, scale, calculatorColors, bytes, reason) && WriteBytesSafely(bytes, path, reason);
}

bool WriteSheetPngFile(const std::vector<const Sprite*>& frames, int columns, Point spacing, int scale,
                       const std::string& path, QString& reason)
{
    const SheetSize size = SheetSizeOf(frames.front()->GetSize(), static_cast<int>(frames.size()), columns, spacing);
    if (size.width * scale * size.height * scale > MaxWrittenPixels) {
        reason = QStringLiteral("image de %1 × %2 pixels, plus de %3 millions de pixels")
                     .arg(size.width * scale)
                     .arg(size.height * scale)
                     .arg(MaxWrittenPixels / (1024 * 1024));
        return false;
    }
    std::string bytes;
    return EncodeIndexedPng(PictureIndexes(SheetOfFrames(frames, columns, spacing), scale), false, bytes, reason) &&
           WriteBytesSafely(bytes, path, reason);
}
