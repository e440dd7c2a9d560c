#include "ImageConversion.h"

#include <cmath>

namespace {

// Alpha below this is transparent enough to become a masked pixel.
constexpr int OpaqueAlpha = 128;

bool ValidOptions(const ConversionOptions& options)
{
    const bool levels = options.levels == 0 || options.levels == 2 || options.levels == 4;
    const bool threshold = options.threshold >= MinThreshold && options.threshold <= MaxThreshold;
    const bool dithering = options.dithering >= Dithering::None && options.dithering <= Dithering::Bayer;
    return levels && threshold && dithering && options.scaleDown >= 1;
}

bool CropInside(const CropRect& crop, int width, int height)
{
    // Compared as differences, so that no sum can overflow.
    return crop.width >= 1 && crop.height >= 1 && crop.left >= 0 && crop.top >= 0 && crop.left < width &&
           crop.top < height && crop.width <= width - crop.left && crop.height <= height - crop.top;
}

// What one source pixel gives before quantisation: its luminance over white
// (inverted when asked), or that it is masked.
struct Sample {
    int luminance;
    bool masked;
};

class AreaReader {
public:
    AreaReader(const RgbaImage& image, const ImageArea& area, int scale)
        : image_(image), part_(area.part), scale_(scale)
    {
    }

    // (x, y) in the part's own coordinates; the scale-down keeps the top-left
    // pixel of each block.
    const uint8_t* Pixel(int x, int y) const { return image_.At((part_.left + x) * scale_, (part_.top + y) * scale_); }

    int ComposedLuminance(int x, int y) const
    {
        const uint8_t* p = Pixel(x, y);
        return Luminance(OverWhite(p[0], p[3]), OverWhite(p[1], p[3]), OverWhite(p[2], p[3]));
    }

private:
    const RgbaImage& image_;
    CropRect part_;
    int scale_;
};

// The 4 x 4 Bayer matrix: each cell's rank among the sixteen thresholds.
constexpr int BayerRank[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Ordered dithering offsets a pixel by up to half a level step each way,
// from the rank of its place in the matrix.
double BayerOffset(int x, int y, int levels)
{
    const double step = levels == 2 ? 255.0 : 85.0;
    return step * ((BayerRank[y % 4][x % 4] + 0.5) / 16.0 - 0.5);
}

struct Spread {
    int dx;
    int dy;
    double share;
};

constexpr Spread FloydSteinbergSpread[] = {{1, 0, 7.0 / 16}, {-1, 1, 3.0 / 16}, {0, 1, 5.0 / 16}, {1, 1, 1.0 / 16}};
// Atkinson spreads only three quarters of the error, which keeps contrast.
constexpr Spread AtkinsonSpread[] = {{1, 0, 1.0 / 8}, {2, 0, 1.0 / 8}, {-1, 1, 1.0 / 8},
                                     {0, 1, 1.0 / 8}, {1, 1, 1.0 / 8}, {0, 2, 1.0 / 8}};

template <std::size_t N>
void DiffuseErrors(const std::vector<Sample>& samples, CellPicture& picture, const Spread (&spread)[N], int levels,
                   int threshold)
{
    const int w = picture.width;
    const int h = picture.height;
    std::vector<double> error(samples.size(), 0.0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            // A masked pixel shows nothing: it neither takes nor passes on error.
            if (samples[i].masked)
                continue;
            const double value = samples[i].luminance + error[i];
            const PixelColor level = QuantizedLevel(value, levels, threshold);
            picture.At(x, y) = level;
            const double rest = value - LevelValue(level);
            for (const Spread& to : spread) {
                const int tx = x + to.dx;
                const int ty = y + to.dy;
                if (tx >= 0 && tx < w && ty < h)
                    error[static_cast<std::size_t>(ty) * w + tx] += rest * to.share;
            }
        }
    }
}

void Quantize(const std::vector<Sample>& samples, CellPicture& picture, const ConversionOptions& options, int levels)
{
    switch (options.dithering) {
    case Dithering::FloydSteinberg:
        DiffuseErrors(samples, picture, FloydSteinbergSpread, levels, options.threshold);
        break;
    case Dithering::Atkinson:
        DiffuseErrors(samples, picture, AtkinsonSpread, levels, options.threshold);
        break;
    case Dithering::Bayer:
    case Dithering::None:
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const Sample& sample = samples[static_cast<std::size_t>(y) * picture.width + x];
                if (sample.masked)
                    continue;
                const double offset = options.dithering == Dithering::Bayer ? BayerOffset(x, y, levels) : 0.0;
                picture.At(x, y) = QuantizedLevel(sample.luminance + offset, levels, options.threshold);
            }
        }
        break;
    }
}

} // namespace

int Luminance(int red, int green, int blue)
{
    return (299 * red + 587 * green + 114 * blue + 500) / 1000;
}

int OverWhite(int channel, int alpha)
{
    return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
}

PixelColor QuantizedLevel(double value, int levels, int threshold)
{
    const double shift = threshold - DefaultThreshold;
    if (levels == 2)
        return value >= threshold - 0.5 ? White : Black;
    if (value >= 212.5 + shift)
        return White;
    if (value >= 127.5 + shift)
        return LightGray;
    if (value >= 42.5 + shift)
        return DarkGray;
    return Black;
}

int LevelValue(PixelColor color)
{
    constexpr int values[] = {255, 170, 85, 0}; // White, LightGray, DarkGray, Black
    return values[color];
}

ImageArea TakenArea(int width, int height, const ConversionOptions& options)
{
    ImageArea area;
    if (!ValidOptions(options) || width < 1 || height < 1) {
        area.problem = ConversionProblem::BadOption;
        return area;
    }
    area.scaledWidth = width / options.scaleDown;
    area.scaledHeight = height / options.scaleDown;
    area.part = {0, 0, area.scaledWidth, area.scaledHeight};
    if (area.scaledWidth < 1 || area.scaledHeight < 1)
        area.problem = ConversionProblem::EmptyScaled;
    else if (options.crop && !CropInside(*options.crop, area.scaledWidth, area.scaledHeight))
        area.problem = ConversionProblem::CropOutside;
    else {
        if (options.crop)
            area.part = *options.crop;
        if (area.part.width > options.largest.x || area.part.height > options.largest.y)
            area.problem = ConversionProblem::TooLarge;
    }
    return area;
}

bool NeedsFourLevels(const RgbaImage& image, const ConversionOptions& options)
{
    // A part too large to take still has colors to look at.
    const ImageArea area = TakenArea(image.width, image.height, options);
    if (area.problem != ConversionProblem::None && area.problem != ConversionProblem::TooLarge)
        return false;
    const AreaReader reader(image, area, options.scaleDown);
    for (int y = 0; y < area.part.height; ++y) {
        for (int x = 0; x < area.part.width; ++x) {
            if (reader.Pixel(x, y)[3] < OpaqueAlpha)
                continue;
            const int luminance = reader.ComposedLuminance(x, y);
            if (luminance != 0 && luminance != 255)
                return true;
        }
    }
    return false;
}

Conversion ConvertImage(const RgbaImage& image, const ConversionOptions& options)
{
    Conversion result;
    result.area = TakenArea(image.width, image.height, options);
    if (!result.Succeeded())
        return result;
    const CropRect& part = result.area.part;
    const int levels = options.levels != 0 ? options.levels : (NeedsFourLevels(image, options) ? 4 : 2);

    const AreaReader reader(image, result.area, options.scaleDown);
    std::vector<Sample> samples;
    samples.reserve(static_cast<std::size_t>(part.width) * part.height);
    for (int y = 0; y < part.height; ++y) {
        for (int x = 0; x < part.width; ++x) {
            const int luminance = reader.ComposedLuminance(x, y);
            const bool masked = options.alphaMask && reader.Pixel(x, y)[3] < OpaqueAlpha;
            samples.push_back({options.invert ? 255 - luminance : luminance, masked});
        }
    }

    result.picture = CellPicture(part.width, part.height);
    Quantize(samples, result.picture, options, levels);
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (samples[i].masked)
            result.picture.cells[i] = White + MaskOffset;
    return result;
}

void PutIntoSprite(const CellPicture& picture, Sprite& sprite)
{
    bool gray = false;
    bool masked = false;
    for (int8_t& cell : sprite.cells)
        cell = White;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int8_t cell = picture.At(x, y);
            const int8_t color = cell >= MaskedThreshold ? cell - MaskOffset : cell;
            gray = gray || color == LightGray || color == DarkGray;
            masked = masked || cell >= MaskedThreshold;
            sprite.cells[CellIndex(x, y)] = cell;
        }
    }
    const int type = BlackWhite + (gray ? 1 : 0) + (masked ? 2 : 0);
    sprite.RestoreState({picture.width, picture.height}, static_cast<SpriteType>(type));
}

namespace {

// Every pixel of a width x height picture scale x scale times, each the
// index of cellAt(x, y), a stored cell value.
template <typename CellAt> IndexedPicture IndexesOf(int width, int height, int scale, CellAt cellAt)
{
    IndexedPicture picture;
    picture.width = width * scale;
    picture.height = height * scale;
    picture.indices.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int8_t cell = cellAt(x / scale, y / scale);
            picture.indices[static_cast<std::size_t>(y) * picture.width + x] =
                IsMaskedCell(cell) ? TransparentIndex : static_cast<uint8_t>(ColorOfCell(cell));
        }
    }
    return picture;
}

} // namespace

IndexedPicture SpriteIndexes(const Sprite& sprite, int scale)
{
    return IndexesOf(sprite.width, sprite.height, scale,
                     [&sprite](int x, int y) { return sprite.cells[CellIndex(x, y)]; });
}

IndexedPicture PictureIndexes(const CellPicture& picture, int scale)
{
    return IndexesOf(picture.width, picture.height, scale, [&picture](int x, int y) { return picture.At(x, y); });
}

std::array<uint32_t, 5> PicturePalette(bool calculatorColors)
{
    constexpr uint32_t opaque = 0xFF000000;
    constexpr uint32_t transparent = 0x00FFFFFF;
    if (calculatorColors) // the true-color view's White, LightGray, DarkGray, Black
        return {opaque | 0xC0D7C0, opaque | 0x909F8F, opaque | 0x60675F, opaque | 0x302F20, transparent};
    return {opaque | 0xFFFFFF, opaque | 0xAAAAAA, opaque | 0x555555, opaque | 0x000000, transparent};
}
