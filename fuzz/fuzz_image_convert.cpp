// Feeds arbitrary pictures and options to the image conversion: whatever it
// is given, it refuses or gives a picture a sprite can hold, with cells of
// the levels and mask asked for, and the sprite it fills keeps its limits.
//
// Input: 12 bytes of options and size, then the RGBA pixels (repeated when
// the input is shorter than the picture).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzFile.h"
#include "ImageConversion.h"

namespace {

constexpr std::size_t HeaderBytes = 12;

ConversionOptions OptionsFrom(const uint8_t* header)
{
    ConversionOptions options;
    options.levels = header[0] % 5; // 1 and 3 are refused
    options.threshold = header[1];  // 0 is refused
    options.dithering = static_cast<Dithering>(header[2] % 4);
    options.invert = header[3] & 1;
    options.alphaMask = header[3] & 2;
    options.scaleDown = header[3] >> 4; // 0 is refused
    if (header[3] & 4)
        options.crop = CropRect{header[4] - 8, header[5] - 8, header[6], header[7]};
    return options;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < HeaderBytes)
        return 0;
    const ConversionOptions options = OptionsFrom(data);
    // Up to 320 x 160, so that the size limits are met both ways while each
    // run stays short.
    const int width = data[8] + 1 + (data[9] & 1) * 64;
    const int height = data[10] % 160 + 1;
    RgbaImage image(width, height);
    const std::size_t pixelBytes = size - HeaderBytes;
    for (std::size_t i = 0; pixelBytes && i < image.pixels.size(); ++i)
        image.pixels[i] = data[HeaderBytes + i % pixelBytes];

    const Conversion conversion = ConvertImage(image, options);
    if (!conversion.Succeeded()) {
        Check(conversion.picture.cells.empty());
        return 0;
    }
    const CellPicture& picture = conversion.picture;
    Check(picture.width >= 1 && picture.width <= MaxWidth && picture.height >= 1 && picture.height <= MaxHeight);
    Check(picture.cells.size() == static_cast<std::size_t>(picture.width) * picture.height);
    const int levels = options.levels ? options.levels : (NeedsFourLevels(image, options) ? 4 : 2);
    for (const int8_t cell : picture.cells) {
        const bool masked = cell == White + MaskOffset;
        Check(masked || (cell >= White && cell <= Black));
        Check(!masked || options.alphaMask);
        Check(levels == 4 || cell == White || cell == Black || masked);
    }

    static Sprite sprite = BusySprite();
    PutIntoSprite(picture, sprite);
    CheckSpriteLimits(sprite);
    Check(sprite.width == picture.width && sprite.height == picture.height);
    return 0;
}
