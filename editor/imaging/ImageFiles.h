// General image files (PNG, BMP, GIF, JPEG) in and out, through Qt's own
// image readers and PNG writer, for the editor and pixora-export alike. The
// conversion of what is read into sprite cells is ImageConversion's, without
// Qt; only decoding and encoding happen here. Needs QtGui but no display.
#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "ImageConversion.h"
#include "U_class.h"
#include "sprite_file_kind.h"

// Largest picture decoded: its size is asked of the reader first, so that a
// file declaring 100,000 x 100,000 pixels is refused before anything is
// allocated for it.
constexpr long long MaxDecodedPixels = 16LL * 1024 * 1024;

// The largest image file read, far above the largest picture decoded (a
// 32-bit BMP of MaxDecodedPixels takes 64 MB).
constexpr std::size_t MaxImageFileBytes = 128 * 1024 * 1024;

// The open dialogs' filter of the picture files read ("Images (*.png ...)|...").
QString ImageFileFilter();

// Reads the picture file at path (file system bytes). On failure returns
// false and says why in reason, in French with the system's or the decoder's
// own words.
bool DecodeImageFile(const std::string& path, RgbaImage& image, QString& reason);
// The same from the file's bytes.
bool DecodeImageBytes(const std::string& bytes, RgbaImage& image, QString& reason);

// The pixels of a picture already in memory (the clipboard's); a null or
// oversized image gives an empty RgbaImage.
RgbaImage RgbaFromImage(const QImage& image);

// The sprite inside its size as an indexed picture, each pixel scale x scale
// times: four grays (or the calculator's colors) and a transparent entry for
// masked pixels.
QImage SpriteImage(const Sprite& sprite, int scale, bool calculatorColors);

// An indexed picture of any size (a sheet, a drawn map) as such an image.
QImage IndexedImage(const IndexedPicture& picture, bool calculatorColors);

// SpriteImage as the bytes of a PNG file; on failure false and the reason in
// French.
bool EncodePng(const Sprite& sprite, int scale, bool calculatorColors, std::string& bytes, QString& reason);
// The picture without its alpha (the calculator's screen, opaque), and as
// the bytes of a PNG file with no alpha channel.
QImage OpaqueImage(const RgbaImage& picture);
bool EncodeOpaquePng(const RgbaImage& picture, std::string& bytes, QString& reason);
bool EncodeIndexedPng(const IndexedPicture& picture, bool calculatorColors, std::string& bytes, QString& reason);
// Those bytes written safely (temporary file, then rename).
bool WritePngFile(const Sprite& sprite, int scale, bool calculatorColors, const std::string& path, QString& reason);
// The frames (of one size) as one sheet of columns, spacing white pixels
// between cells (SheetOfFrames), in the plain grays, each sprite pixel scale
// x scale times: the bytes pixora-export --to-png --sheet-columns writes,
// written safely. A sheet beyond MaxWrittenPixels is refused before it is
// drawn.
bool WriteSheetPngFile(const std::vector<const Sprite*>& frames, int columns, Point spacing, int scale,
                       const std::string& path, QString& reason);
