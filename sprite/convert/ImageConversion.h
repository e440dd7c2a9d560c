// Pictures from general image files (PNG, BMP, GIF, JPEG) into sprite cells,
// and the sprite back out as an indexed picture for PNG files and the
// clipboard. No image file is read or written here: the editor and
// pixora-export decode files and hand over plain RGBA pixels.
//
// Coordinates are (column, row), (0, 0) top-left, rows stored one after the
// other in every buffer of this unit (not the column order of a Sprite).
// A conversion goes: scale-down of the whole picture, then the part taken
// (in the scaled picture's pixels), then each pixel composed over white, its
// luminance, inversion, and the two- or four-level quantisation, optionally
// dithered.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "CellPicture.h"
#include "U_class.h"

// Four bytes a pixel, red, green, blue, alpha (255 opaque), row after row
// with no padding.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    // Whether the file had an alpha channel at all; it decides the default of
    // the alpha-to-mask option, not how alpha values are used.
    bool hasAlpha = false;

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 4, 255) {}
    const uint8_t* At(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 4]; }
    uint8_t* At(int x, int y) { return &pixels[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

enum class Dithering { None, FloydSteinberg, Atkinson, Bayer };

constexpr int MinThreshold = 1;
constexpr int MaxThreshold = 255;
constexpr int DefaultThreshold = 128;

struct CropRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ConversionOptions {
    int levels = 0; // 2 or 4; 0 lets the picture choose (NeedsFourLevels)
    int threshold = DefaultThreshold;
    Dithering dithering = Dithering::None;
    bool invert = false;
    bool alphaMask = true;
    int scaleDown = 1; // whole factor, 1 keeps every pixel
    std::optional<CropRect> crop;
    // The largest part taken: a sprite's, or a sheet's that is cut into cells.
    Point largest{MaxWidth, MaxHeight};
};

// The largest sheet that is cut into sprites or tiles.
constexpr Point LargestSheet{4096, 4096};
// The most pixels a PNG of a sheet or a map may have, scale included: the
// largest sheet read, 4096 x 4096, four times.
constexpr long long MaxWrittenPixels = 64LL * 1024 * 1024;

enum class ConversionProblem {
    None,
    BadOption,   // levels, threshold or scale-down out of range
    EmptyScaled, // the scale-down leaves no pixel
    CropOutside, // the part is empty or not inside the scaled picture
    TooLarge,    // what would be taken is larger than the largest part (240 x 128)
};

// The rectangle of the source picture that a conversion takes, or why none.
struct ImageArea {
    ConversionProblem problem = ConversionProblem::None;
    int scaledWidth = 0; // the picture after the scale-down
    int scaledHeight = 0;
    CropRect part; // in the scaled picture's pixels
};

ImageArea TakenArea(int width, int height, const ConversionOptions& options);

// Y = (299 R + 587 G + 114 B + 500) / 1000, 0 to 255.
int Luminance(int red, int green, int blue);
// One channel composed over white with the pixel's alpha.
int OverWhite(int channel, int alpha);
// The level of a value that need not be whole: boundaries T - 0.5 for two
// levels, 42.5, 127.5 and 212.5 moved by T - 128 for four; a value at or
// above a boundary takes the lighter level.
PixelColor QuantizedLevel(double value, int levels, int threshold);
// The gray value of a level: 255, 170, 85 or 0.
int LevelValue(PixelColor color);

// True when some pixel of the part with alpha 128 or more has, composed over
// white, a luminance other than 0 and 255: the picture has grays to keep.
// The part may be larger than a sprite.
bool NeedsFourLevels(const RgbaImage& image, const ConversionOptions& options);

struct Conversion {
    ImageArea area;
    CellPicture picture; // empty unless area.problem is None
    bool Succeeded() const { return area.problem == ConversionProblem::None; }
};

Conversion ConvertImage(const RgbaImage& image, const ConversionOptions& options);

// Makes the picture (at most 240 x 128) the sprite: its size, every cell of
// the storage (white outside the picture), the type its pixels give. The
// marks are left alone.
void PutIntoSprite(const CellPicture& picture, Sprite& sprite);

// The sprite inside its current size, each pixel as a palette index: its
// color (0 to 3), or TransparentIndex when masked; every sprite pixel
// becomes scale x scale picture pixels.
constexpr uint8_t TransparentIndex = 4;
constexpr int MaxPngScale = 16;

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;
};

IndexedPicture SpriteIndexes(const Sprite& sprite, int scale);
// The same for a picture of any size (a sheet, a drawn map).
IndexedPicture PictureIndexes(const CellPicture& picture, int scale);

// The five palette entries of an indexed picture, as 0xAARRGGBB: the four
// plain grays, or the calculator's greenish shades of the editor's
// true-color view, then a fully transparent entry.
std::array<uint32_t, 5> PicturePalette(bool calculatorColors);
