// What the shipped plug-ins write comes back as the sprite it was made from:
// each plug-in's text, for random sprites of every size and type it accepts,
// read by the C array reader gives the same pixels inside the size (a masked
// pixel as masked white), the same type, and white outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "PluginFixture.h"
#include "SpriteText.h"
#include "c_array_sprites.h"

namespace {

struct Kind {
    const char* palette;
    int type;
};

// What an export cannot keep: the color under a masked pixel.
Rows WithMaskedWhite(Rows rows)
{
    for (std::string& row : rows)
        std::replace_if(
            row.begin(), row.end(), [](char c) { return c == 'L' || c == 'D' || c == 'B'; }, 'W');
    return rows;
}

// Exports the picture through the plug-in, imports the text, and says what
// differs; empty when the round trip is exact.
std::string RoundTripDifference(const std::string& plugin, const Rows& rows, int type)
{
    const int width = static_cast<int>(rows[0].size());
    const int height = static_cast<int>(rows.size());
    const PluginRun run = RunPlugin(plugin, *PlanesFromRows(rows), type, height, width, "balle");
    if (run.result != ExportResult::Written)
        return "not written";
    const ArraySprites found = FindArraySprites(run.bytes);
    if (found.candidates.empty())
        return "no candidate in:\n" + run.bytes;
    const ArrayCandidate& candidate = found.candidates.front();
    if (candidate.id != "balle")
        return "first candidate " + candidate.id;
    Sprite sprite({MaxWidth, MaxHeight});
    std::memset(sprite.cells, Black, sizeof sprite.cells); // whatever was there before
    BuildArraySprite(found, candidate, candidate.width, sprite);
    if (ToRows(sprite) != WithMaskedWhite(rows))
        return "pixels differ at " + std::to_string(width) + " x " + std::to_string(height);
    if (sprite.GetType() != FromRows(WithMaskedWhite(rows)).GetType())
        return "type " + std::to_string(sprite.GetType());
    for (int x = 0; x < MaxWidth; ++x)
        for (int y = 0; y < MaxHeight; ++y)
            if ((x >= width || y >= height) && sprite.cells[CellIndex(x, y)] != White)
                return "not white outside the size";
    return {};
}

TEST(CArrayRoundTrip, SquarePluginsBlackWhiteAndGray)
{
    const Kind kinds[] = {{".#", BlackWhite}, {".ld#", Grayscale}};
    for (const char* plugin : {"hexplane", "binplane"})
        for (int size : {8, 16, 32})
            for (const Kind& kind : kinds)
                for (unsigned seed = 1; seed <= 3; ++seed) {
                    const Rows rows = ScatteredPicture(size, size, kind.palette, seed * 977u + size);
                    EXPECT_EQ(RoundTripDifference(plugin, rows, kind.type), "") << plugin << ' ' << size;
                }
}

TEST(CArrayRoundTrip, MaskplaneEveryWidthAndHeightAndType)
{
    const Kind kinds[] = {
        {".#", BlackWhite}, {".ld#", Grayscale}, {".#WB", BlackWhiteMasked}, {".ld#WLDB", GrayscaleMasked}};
    std::vector<std::pair<int, int>> sizes;
    for (int width = 1; width <= 32; ++width)
        for (int height : {1, 2, 5, 17, 128})
            sizes.emplace_back(width, height);
    for (int height = 1; height <= 128; ++height)
        for (int width : {1, 9, 32})
            sizes.emplace_back(width, height);
    for (const auto& [width, height] : sizes)
        for (const Kind& kind : kinds) {
            const Rows rows =
                ScatteredPicture(width, height, kind.palette, static_cast<unsigned>(width * 131 + height));
            EXPECT_EQ(RoundTripDifference("maskplane", rows, kind.type), "")
                << width << " x " << height << ' ' << kind.palette;
        }
}

// An unmasked sprite gets an all-opaque mask, which must not make it masked.
TEST(CArrayRoundTrip, MaskplaneOpaqueMaskGivesTheUnmaskedType)
{
    const Rows rows = {"#.#", ".#."};
    EXPECT_EQ(RoundTripDifference("maskplane", rows, BlackWhite), "");
    const PluginRun run = RunPlugin("maskplane", *PlanesFromRows(rows), BlackWhite, 2, 3, "balle");
    const ArraySprites found = FindArraySprites(run.bytes);
    ASSERT_FALSE(found.candidates.empty());
    EXPECT_EQ(found.candidates[0].layout, ArrayLayout::Masked);
    EXPECT_EQ(found.candidates[0].width, 3);
}

} // namespace
