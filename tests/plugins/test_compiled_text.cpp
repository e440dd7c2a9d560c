// The C text of hexplane and binplane, compiled by the system's C compiler:
// the arrays must hold the sprite's rows.
#include <gtest/gtest.h>

#include "PluginFixture.h"

namespace {

const char* const kGnuFlags = "-std=gnu99 -Wall -Wextra -Werror"; // binplane's 0b literals are a GNU extension

bool Inked(char c)
{
    return c != '.';
}
bool Light(char c)
{
    return c == 'l' || c == '#';
}
bool Dark(char c)
{
    return c == 'd' || c == '#';
}

struct SquareSprite {
    std::string name;
    int type;
    int size;
    Rows rows;
};

std::vector<unsigned long> ExpectedRows(const Rows& rows, bool (*test)(char))
{
    std::vector<unsigned long> values;
    for (const std::string& row : rows)
        values.push_back(RowBitsOf(row, test));
    return values;
}

TEST(CompiledText, SquarePluginArraysHoldTheSpriteRows)
{
    const std::vector<SquareSprite> sprites = {
        {"S8", BlackWhite, 8, ScatteredPicture(8, 8, ".ld#", 1)},
        {"S16", Grayscale, 16, ScatteredPicture(16, 16, ".ld#", 2)},
        {"S32", Grayscale, 32, ScatteredPicture(32, 32, ".ld#", 3)},
        {"F32", BlackWhite, 32, Rows(32, std::string(32, '#'))},
    };
    for (const char* plugin : {"hexplane", "binplane"}) {
        SCOPED_TRACE(plugin);
        std::vector<std::string> texts, arrays;
        ArrayValues expected;
        for (const SquareSprite& sprite : sprites) {
            const PluginRun run =
                RunPlugin(plugin, *PlanesFromRows(sprite.rows), sprite.type, sprite.size, sprite.size, sprite.name);
            ASSERT_EQ(run.result, ExportResult::Written);
            texts.push_back(run.bytes);
            if (sprite.type == BlackWhite) {
                arrays.push_back(sprite.name);
                expected[sprite.name] = ExpectedRows(sprite.rows, Inked);
            } else {
                arrays.push_back(sprite.name + "_LightPlane");
                arrays.push_back(sprite.name + "_DarkPlane");
                expected[sprite.name + "_LightPlane"] = ExpectedRows(sprite.rows, Light);
                expected[sprite.name + "_DarkPlane"] = ExpectedRows(sprite.rows, Dark);
            }
        }
        EXPECT_EQ(CompiledArrays(texts, arrays, kGnuFlags), expected);
    }
}

} // namespace
