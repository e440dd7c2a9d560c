// The conversion of RGBA pictures into sprite cells, against pictures
// written by hand: thresholds and level boundaries, luminance weights,
// inversion, alpha, dithering computed on paper, scale-down and crop, the
// size limit, and the sprite and indexed picture built from the result.
#include <gtest/gtest.h>

#include "ImageConversion.h"
#include "SpriteText.h"

namespace {

// One row of opaque grays, each value v giving luminance v.
RgbaImage GrayRow(const std::vector<int>& values)
{
    RgbaImage image(static_cast<int>(values.size()), 1);
    for (int x = 0; x < image.width; ++x)
        for (int c = 0; c < 3; ++c)
            image.At(x, 0)[c] = static_cast<uint8_t>(values[x]);
    return image;
}

RgbaImage Filled(int width, int height, int gray)
{
    RgbaImage image(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        if (i % 4 != 3)
            image.pixels[i] = static_cast<uint8_t>(gray);
    return image;
}

void Paint(RgbaImage& image, int x, int y, int r, int g, int b, int a = 255)
{
    uint8_t* p = image.At(x, y);
    p[0] = r;
    p[1] = g;
    p[2] = b;
    p[3] = a;
}

// Same letters as the sprite fixtures: . l d # and W L D B when masked.
Rows PictureRows(const CellPicture& picture)
{
    Rows rows;
    for (int y = 0; y < picture.height; ++y) {
        std::string row;
        for (int x = 0; x < picture.width; ++x) {
            const int8_t cell = picture.At(x, y);
            row += cell >= MaskedThreshold ? "WLDB"[cell - MaskOffset] : ".ld#"[cell];
        }
        rows.push_back(row);
    }
    return rows;
}

Rows Converted(const RgbaImage& image, const ConversionOptions& options)
{
    const Conversion conversion = ConvertImage(image, options);
    EXPECT_TRUE(conversion.Succeeded());
    return PictureRows(conversion.picture);
}

ConversionOptions Levels(int levels, int threshold = DefaultThreshold, Dithering dithering = Dithering::None)
{
    ConversionOptions options;
    options.levels = levels;
    options.threshold = threshold;
    options.dithering = dithering;
    return options;
}

TEST(ImageConversion, ThresholdsAndLevelBoundaries)
{
    struct Case {
        std::vector<int> grays;
        int levels;
        int threshold;
        std::string expected;
    };
    const Case cases[] = {
        {{127, 128, 129}, 2, 128, "#.."},
        {{127, 128, 129}, 2, 129, "##."},
        {{127, 128, 129}, 2, 127, "..."},
        {{0, 255}, 2, 255, "#."},
        {{254}, 2, 255, "#"},
        {{0, 1}, 2, 1, "#."},
        {{42, 43, 127, 128, 212, 213}, 4, 128, "#ddll."},
        {{0, 255}, 4, 128, "#."},
        // Moved by T - 128 = +10: 52.5, 137.5, 222.5.
        {{42, 43, 52, 53, 137, 138, 222, 223}, 4, 138, "###ddll."},
        // T = 1 moves the black boundary below 0: black is never taken.
        {{0, 1, 85, 86, 255}, 4, 1, "dll.."},
        // T = 255: 169.5, 254.5 and 339.5, above 255: white is never taken.
        {{255, 254, 170, 169, 85, 84}, 4, 255, "ldd###"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Converted(GrayRow(c.grays), Levels(c.levels, c.threshold)), Rows{c.expected})
            << c.levels << " levels, threshold " << c.threshold;
}

TEST(ImageConversion, LuminanceWeighsGreenMostAndRoundsToNearest)
{
    // Red 76, green 150, blue 29, in the four levels: dark, light, black.
    RgbaImage image(3, 1);
    Paint(image, 0, 0, 255, 0, 0);
    Paint(image, 1, 0, 0, 255, 0);
    Paint(image, 2, 0, 0, 0, 255);
    EXPECT_EQ(Converted(image, Levels(4)), Rows{"dl#"});
    EXPECT_EQ(Luminance(255, 0, 0), 76);
    EXPECT_EQ(Luminance(0, 255, 0), 150);
    EXPECT_EQ(Luminance(0, 0, 255), 29);
    EXPECT_EQ(Luminance(1, 1, 1), 1); // 1000 + 500 over 1000
    EXPECT_EQ(Luminance(0, 1, 0), 1); // 587 + 500: rounds up
    EXPECT_EQ(Luminance(1, 0, 0), 0); // 299 + 500: rounds down
}

TEST(ImageConversion, InvertTurnsLuminanceRoundBeforeQuantising)
{
    ConversionOptions options = Levels(2);
    options.invert = true;
    // 100 becomes 155, 200 becomes 55, 127 becomes 128 (white at T = 128).
    EXPECT_EQ(Converted(GrayRow({100, 200, 127, 128}), options), Rows{".#.#"});
    options.levels = 4;
    EXPECT_EQ(Converted(GrayRow({0, 255, 100}), options), Rows{".#l"});
}

TEST(ImageConversion, AlphaComposesOverWhiteAndMasksBelowHalf)
{
    // Black at alpha 127 composes to 128, at alpha 128 to 127.
    RgbaImage image(4, 1);
    Paint(image, 0, 0, 0, 0, 0, 127);
    Paint(image, 1, 0, 0, 0, 0, 128);
    Paint(image, 2, 0, 0, 0, 0, 0);
    Paint(image, 3, 0, 0, 0, 0, 255);
    ConversionOptions options = Levels(2);
    EXPECT_EQ(Converted(image, options), Rows{"W#W#"});
    options.alphaMask = false;
    EXPECT_EQ(Converted(image, options), Rows{".#.#"});
    EXPECT_EQ(OverWhite(0, 127), 128);
    EXPECT_EQ(OverWhite(0, 128), 127);
    EXPECT_EQ(OverWhite(200, 0), 255);
    EXPECT_EQ(OverWhite(200, 255), 200);
}

TEST(ImageConversion, LevelsFollowThePictureWhenNotChosen)
{
    ConversionOptions automatic;
    RgbaImage blackWhite = GrayRow({0, 255, 255});
    EXPECT_FALSE(NeedsFourLevels(blackWhite, automatic));
    // A gray that will be masked does not count; one at alpha 128 does.
    Paint(blackWhite, 2, 0, 100, 100, 100, 127);
    EXPECT_FALSE(NeedsFourLevels(blackWhite, automatic));
    EXPECT_EQ(Converted(blackWhite, automatic), Rows{"#.W"});
    Paint(blackWhite, 2, 0, 0, 0, 0, 200); // black over white at 200: 55
    EXPECT_TRUE(NeedsFourLevels(blackWhite, automatic));
    EXPECT_EQ(Converted(blackWhite, automatic), Rows{"#.d"});
    // Only the part taken counts.
    automatic.crop = CropRect{0, 0, 2, 1};
    EXPECT_FALSE(NeedsFourLevels(blackWhite, automatic));
}

TEST(ImageConversion, FloydSteinbergOnTwoByTwoAsComputedByHand)
{
    // All four at 100, two levels, boundary 127.5:
    // (0,0) 100 black, error 100: 43.75 right, 31.25 below, 6.25 below right.
    // (1,0) 143.75 white, error -111.25: -20.859375 below left, -34.765625 below.
    // (0,1) 110.390625 black, error 110.390625: 48.2958984375 right.
    // (1,1) 119.7802734375 black.
    EXPECT_EQ(Converted(Filled(2, 2, 100), Levels(2, 128, Dithering::FloydSteinberg)), (Rows{"#.", "##"}));
    // Four levels, all at 150: (0,0) light, error -20: -8.75 right,
    // -6.25 below, -1.25 below right; (1,0) 141.25 light, error -28.75:
    // -5.390625 below left, -8.984375 below; (0,1) 138.359375 light,
    // error -31.640625: -13.842773... right; (1,1) 125.922851... dark.
    EXPECT_EQ(Converted(Filled(2, 2, 150), Levels(4, 128, Dithering::FloydSteinberg)), (Rows{"ll", "ld"}));
}

TEST(ImageConversion, AtkinsonAndBayerPatterns)
{
    // Bayer at the boundary: the eight cells of rank 8 and above are white,
    // a checkerboard.
    EXPECT_EQ(Converted(Filled(4, 4, 128), Levels(2, 128, Dithering::Bayer)), (Rows{"#.#.", ".#.#", "#.#.", ".#.#"}));
    // Plain white and black stay plain whatever the dithering.
    for (Dithering dithering : {Dithering::FloydSteinberg, Dithering::Atkinson, Dithering::Bayer}) {
        EXPECT_EQ(Converted(Filled(5, 3, 255), Levels(4, 128, dithering)), Rows(3, "....."));
        EXPECT_EQ(Converted(Filled(5, 3, 0), Levels(4, 128, dithering)), Rows(3, "#####"));
    }
    // One row at 100. Atkinson: (0,0) black, 12.5 to each of the two on its
    // right; (1,0) 112.5 black, 14.0625 on; (2,0) 126.5625 black, 15.8203125
    // on; (3,0) 129.8828125 white. Floyd-Steinberg passes 7/16 on: (1,0)
    // 143.75 white; (2,0) 51.328125 black; (3,0) 122.455078125 black.
    EXPECT_EQ(Converted(Filled(4, 1, 100), Levels(2, 128, Dithering::Atkinson)), Rows{"###."});
    EXPECT_EQ(Converted(Filled(4, 1, 100), Levels(2, 128, Dithering::FloydSteinberg)), Rows{"#.##"});
}

TEST(ImageConversion, MaskedPixelsNeitherTakeNorPassOnError)
{
    RgbaImage image = Filled(3, 1, 100);
    Paint(image, 1, 0, 0, 0, 0, 0);
    // Without the masked pixel between them the second 100 would be white.
    EXPECT_EQ(Converted(image, Levels(2, 128, Dithering::FloydSteinberg)), Rows{"#W#"});
}

TEST(ImageConversion, ScaleDownAndCropOfALargePicture)
{
    RgbaImage image = Filled(480, 256, 255);
    Paint(image, 20, 10, 0, 0, 0);   // top-left of block (10, 5)
    Paint(image, 479, 255, 0, 0, 0); // not a top-left: dropped by the scale-down
    Paint(image, 105, 52, 0, 0, 0);

    ConversionOptions options = Levels(2);
    EXPECT_EQ(ConvertImage(image, options).area.problem, ConversionProblem::TooLarge);

    options.scaleDown = 2;
    const Conversion halved = ConvertImage(image, options);
    ASSERT_TRUE(halved.Succeeded());
    EXPECT_EQ(halved.picture.width, 240);
    EXPECT_EQ(halved.picture.height, 128);
    int blacks = 0;
    for (int8_t cell : halved.picture.cells)
        blacks += cell == Black;
    EXPECT_EQ(blacks, 1);
    EXPECT_EQ(halved.picture.At(10, 5), Black);

    options.crop = CropRect{5, 3, 6, 4}; // in the halved picture's pixels
    EXPECT_EQ(Converted(image, options), (Rows{"......", "......", ".....#", "......"}));

    options.scaleDown = 1;
    options.crop = CropRect{100, 50, 240, 128};
    const Conversion part = ConvertImage(image, options);
    ASSERT_TRUE(part.Succeeded());
    EXPECT_EQ(part.picture.At(5, 2), Black);
    options.crop = CropRect{470, 250, 10, 6};
    EXPECT_EQ(PictureRows(ConvertImage(image, options).picture).back(), ".........#");
}

TEST(ImageConversion, SizesRefusedWithWhatWouldBeTaken)
{
    struct Case {
        int width, height, scaleDown;
        std::optional<CropRect> crop;
        ConversionProblem problem;
        int scaledWidth, scaledHeight;
    };
    const Case cases[] = {
        {241, 1, 1, {}, ConversionProblem::TooLarge, 241, 1},
        {1, 129, 1, {}, ConversionProblem::TooLarge, 1, 129},
        {240, 128, 1, {}, ConversionProblem::None, 240, 128},
        {480, 256, 2, {}, ConversionProblem::None, 240, 128},
        {480, 256, 481, {}, ConversionProblem::EmptyScaled, 0, 0},
        {241, 1, 1, CropRect{1, 0, 240, 1}, ConversionProblem::None, 241, 1},
        {241, 1, 1, CropRect{2, 0, 240, 1}, ConversionProblem::CropOutside, 241, 1},
        {300, 300, 1, CropRect{0, 0, 241, 10}, ConversionProblem::TooLarge, 300, 300},
        {300, 300, 1, CropRect{0, 0, 0, 10}, ConversionProblem::CropOutside, 300, 300},
        {300, 300, 1, CropRect{-1, 0, 10, 10}, ConversionProblem::CropOutside, 300, 300},
        {300, 300, 1, CropRect{2147483647, 0, 10, 10}, ConversionProblem::CropOutside, 300, 300},
        {300, 300, 1, CropRect{10, 10, 2147483647, 10}, ConversionProblem::CropOutside, 300, 300},
        {300, 300, 0, {}, ConversionProblem::BadOption, 0, 0},
    };
    for (const Case& c : cases) {
        ConversionOptions options = Levels(2);
        options.scaleDown = c.scaleDown;
        options.crop = c.crop;
        const ImageArea area = TakenArea(c.width, c.height, options);
        EXPECT_EQ(area.problem, c.problem) << c.width << " x " << c.height << " / " << c.scaleDown;
        if (c.problem != ConversionProblem::BadOption && c.problem != ConversionProblem::EmptyScaled) {
            EXPECT_EQ(area.scaledWidth, c.scaledWidth);
            EXPECT_EQ(area.scaledHeight, c.scaledHeight);
        }
    }
    // 481 / 2 = 240 whole: one column and one row are dropped.
    ConversionOptions halved = Levels(2);
    halved.scaleDown = 2;
    EXPECT_EQ(TakenArea(481, 257, halved).problem, ConversionProblem::None);
    for (int levels : {1, 3, 5})
        EXPECT_EQ(TakenArea(10, 10, Levels(levels)).problem, ConversionProblem::BadOption);
    for (int threshold : {0, 256})
        EXPECT_EQ(TakenArea(10, 10, Levels(2, threshold)).problem, ConversionProblem::BadOption);
}

TEST(ImageConversion, PictureBecomesTheSpriteWithTheTypeItsPixelsGive)
{
    Sprite sprite = FromRows(Rows(20, std::string(30, 'D')));
    sprite.SetPixel(3, 3, Mark);
    CellPicture picture(3, 2);
    picture.At(1, 0) = Black;
    picture.At(2, 1) = White + MaskOffset;
    PutIntoSprite(picture, sprite);
    EXPECT_EQ(ToRows(sprite), (Rows{".#.", "..W"}));
    EXPECT_EQ(sprite.GetType(), BlackWhiteMasked);
    EXPECT_TRUE(sprite.IsMarked(3, 3));
    sprite.SetSize({30, 20}); // nothing of the old picture stays hidden
    EXPECT_EQ(ToRows(sprite)[10], std::string(30, '.'));

    picture.At(0, 0) = LightGray;
    PutIntoSprite(picture, sprite);
    EXPECT_EQ(sprite.GetType(), GrayscaleMasked);
    EXPECT_EQ(sprite.GetType(), RescanType(sprite));
    // The type counts agree with the cells: a write elsewhere keeps it exact.
    sprite.SetPixel(2, 1, NoMask);
    EXPECT_EQ(sprite.GetType(), Grayscale);
}

TEST(ImageConversion, SpriteAsIndexedPictureAtAScale)
{
    const Sprite sprite = FromRows({"#W", "ld"});
    const IndexedPicture once = SpriteIndexes(sprite, 1);
    EXPECT_EQ(once.indices, (std::vector<uint8_t>{3, TransparentIndex, 1, 2}));
    const IndexedPicture twice = SpriteIndexes(sprite, 2);
    ASSERT_EQ(twice.width, 4);
    ASSERT_EQ(twice.height, 4);
    EXPECT_EQ(twice.indices, (std::vector<uint8_t>{3, 3, 4, 4, 3, 3, 4, 4, 1, 1, 2, 2, 1, 1, 2, 2}));
    const auto plain = PicturePalette(false);
    EXPECT_EQ(plain[0], 0xFFFFFFFFu);
    EXPECT_EQ(plain[1], 0xFFAAAAAAu);
    EXPECT_EQ(plain[2], 0xFF555555u);
    EXPECT_EQ(plain[3], 0xFF000000u);
    EXPECT_EQ(plain[TransparentIndex] >> 24, 0u);
    EXPECT_EQ(PicturePalette(true)[0], 0xFFC0D7C0u); // (192, 215, 192)
    EXPECT_EQ(PicturePalette(true)[3], 0xFF302F20u); // (48, 47, 32)
}

} // namespace
