// maskplane: masked and unmasked sprites of any width up to 32 and any height
// up to 128, compiled as strict C and drawn the way the calculator routines
// draw them.
#include <gtest/gtest.h>

#include <cctype>
#include <regex>
#include <sstream>

#include "PluginFixture.h"

namespace {

const char* const kStrictFlags = "-std=c99 -Wall -Wextra -Werror -pedantic";

const char* const kRefusal = "Les sprites support\xE9"
                             "s par ce plugin (masqu\xE9"
                             "s ou non) :\r\n"
                             "  - largeur de 1 \xE0 32 pixels\r\n"
                             "  - hauteur de 1 \xE0 128 pixels\r\n"
                             "  - noir et blanc ou 4 niveaux de gris\r\n";

bool IsGray(int type)
{
    return type == Grayscale || type == GrayscaleMasked;
}

std::vector<std::string> ArrayNames(const std::string& name, int type)
{
    if (!IsGray(type))
        return {name, name + "_Mask"};
    return {name + "_LightPlane", name + "_DarkPlane", name + "_Mask", name + "_Interlaced"};
}

// Exports each sprite and compiles all the texts together.
struct MaskedSprite {
    std::string name;
    int type;
    Rows rows;
};

ArrayValues ExportAndCompile(const std::vector<MaskedSprite>& sprites)
{
    std::vector<std::string> texts, arrays;
    for (const MaskedSprite& sprite : sprites) {
        const int width = static_cast<int>(sprite.rows[0].size());
        const int height = static_cast<int>(sprite.rows.size());
        const PluginRun run =
            RunPlugin("maskplane", *PlanesFromRows(sprite.rows), sprite.type, height, width, sprite.name);
        EXPECT_EQ(run.result, ExportResult::Written) << sprite.name;
        texts.push_back(run.bytes);
        for (const std::string& array : ArrayNames(sprite.name, sprite.type))
            arrays.push_back(array);
    }
    return CompiledArrays(texts, arrays, kStrictFlags);
}

int ElementBits(int width)
{
    return width <= 8 ? 8 : width <= 16 ? 16 : 32;
}

// The row as drawn: padded on the right with transparent pixels.
std::string Padded(const std::string& row)
{
    return row + std::string(ElementBits(row.size()) - row.size(), 'W');
}

bool Transparent(char c)
{
    return std::isupper(static_cast<unsigned char>(c)) != 0;
}
int ColorOf(char c)
{
    return std::string(".ld#").find(static_cast<char>(std::tolower(c))) % 4;
}

ArrayValues ExpectedArrays(const MaskedSprite& sprite)
{
    ArrayValues expected;
    const std::vector<std::string> names = ArrayNames(sprite.name, sprite.type);
    for (const std::string& row : sprite.rows) {
        const std::string padded = Padded(row);
        const unsigned long mask = RowBitsOf(padded, Transparent);
        const unsigned long light = RowBitsOf(padded, [](char c) { return c == 'l' || c == '#'; });
        const unsigned long dark = RowBitsOf(padded, [](char c) { return c == 'd' || c == '#'; });
        if (!IsGray(sprite.type)) {
            expected[names[0]].push_back(RowBitsOf(padded, [](char c) { return c == '#'; }));
            expected[names[1]].push_back(mask);
            continue;
        }
        expected[names[0]].push_back(light);
        expected[names[1]].push_back(dark);
        expected[names[2]].push_back(mask);
        expected[names[3]].insert(expected[names[3]].end(), {mask, light, dark});
    }
    return expected;
}

// AND the mask into a background, OR the sprite, as the calculator does, and
// compare every pixel of the row, padding included, with the editor's view.
void CheckDrawnPicture(const MaskedSprite& sprite, const ArrayValues& values)
{
    const std::vector<std::string> names = ArrayNames(sprite.name, sprite.type);
    const bool gray = IsGray(sprite.type);
    const std::vector<unsigned long>& light = values.at(names[0]);
    const std::vector<unsigned long>& dark = gray ? values.at(names[1]) : light;
    const std::vector<unsigned long>& mask = values.at(gray ? names[2] : names[1]);
    for (size_t y = 0; y < sprite.rows.size(); ++y) {
        const std::string padded = Padded(sprite.rows[y]);
        const int bits = static_cast<int>(padded.size());
        const unsigned long backgroundLight = 0x5A3CC3A5UL >> (y % 7);
        const unsigned long backgroundDark = 0x0FF0A55AUL >> (y % 5);
        const unsigned long drawnLight = (backgroundLight & mask[y]) | light[y];
        const unsigned long drawnDark = (backgroundDark & mask[y]) | dark[y];
        for (int x = 0; x < bits; ++x) {
            const int shift = bits - 1 - x;
            const int seenLight = (drawnLight >> shift) & 1, seenDark = (drawnDark >> shift) & 1;
            SCOPED_TRACE(sprite.name + " row " + std::to_string(y) + " column " + std::to_string(x));
            if (Transparent(padded[x])) {
                EXPECT_EQ(seenLight, static_cast<int>((backgroundLight >> shift) & 1));
                EXPECT_EQ(seenDark, static_cast<int>((backgroundDark >> shift) & 1));
            } else if (gray) {
                EXPECT_EQ(seenLight + 2 * seenDark, ColorOf(padded[x]));
            } else {
                EXPECT_EQ(seenLight, padded[x] == '#' ? 1 : 0);
            }
        }
    }
}

const char* Palette(int type)
{
    switch (type) {
    case BlackWhite:
        return ".#";
    case Grayscale:
        return ".ld#";
    case BlackWhiteMasked:
        return ".#WB";
    default:
        return ".ld#WLDB";
    }
}

TEST(MaskPlane, TheWorkedExamples)
{
    const std::vector<MaskedSprite> sprites = {
        {"Pair", BlackWhiteMasked, {"W##WWWWW", "#..#WWWW"}},
        {"Gray", GrayscaleMasked, {"Wld#WWWW"}},
        {"Hidden", BlackWhiteMasked, {"B"}},
    };
    const ArrayValues values = ExportAndCompile(sprites);
    const ArrayValues expected = {
        {"Pair", {0x60, 0x90}},     {"Pair_Mask", {0x9F, 0x0F}}, {"Gray_LightPlane", {0x50}},
        {"Gray_DarkPlane", {0x30}}, {"Gray_Mask", {0x8F}},       {"Gray_Interlaced", {0x8F, 0x50, 0x30}},
        {"Hidden", {0x00}},         {"Hidden_Mask", {0xFF}},
    };
    EXPECT_EQ(values, expected);
}

TEST(MaskPlane, EveryTypeAndWidthCompilesToTheRowsAndDrawsAsTheEditorShows)
{
    std::vector<MaskedSprite> sprites;
    unsigned seed = 7;
    for (int type : {BlackWhite, Grayscale, BlackWhiteMasked, GrayscaleMasked}) {
        for (int width : {1, 7, 8, 9, 16, 17, 32})
            sprites.push_back({"w" + std::to_string(width) + "_t" + std::to_string(type), type,
                               ScatteredPicture(width, 3, Palette(type), ++seed)});
        for (int height : {1, 128})
            sprites.push_back({"h" + std::to_string(height) + "_t" + std::to_string(type), type,
                               ScatteredPicture(17, height, Palette(type), ++seed)});
    }
    sprites.push_back({std::string(1000, 'n'), GrayscaleMasked, ScatteredPicture(5, 2, Palette(4), ++seed)});

    const ArrayValues values = ExportAndCompile(sprites);
    ASSERT_FALSE(values.empty());
    for (const MaskedSprite& sprite : sprites) {
        for (const auto& [name, rows] : ExpectedArrays(sprite))
            EXPECT_EQ(values.at(name), rows) << name.substr(0, 40);
        CheckDrawnPicture(sprite, values);
    }
}

TEST(MaskPlane, RefusesWhatTheRoutinesCannotDraw)
{
    const struct {
        int type;
        int height;
        int width;
    } refused[] = {
        {BlackWhite, 8, 33}, {GrayscaleMasked, 8, 240}, {BlackWhite, 8, 0},
        {Grayscale, 0, 8},   {Grayscale, 129, 8},       {0, 8, 8},
        {5, 8, 8},           {0x100 + 9, 8, 8},
    };
    const auto planes = PlanesFromRows({"#"});
    for (const auto& c : refused) {
        SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.height) + " x " + std::to_string(c.width));
        const PluginRun run = RunPlugin("maskplane", *planes, c.type, c.height, c.width);
        EXPECT_EQ(run.result, ExportResult::Refused);
        EXPECT_EQ(run.bytes, kRefusal);
    }
    EXPECT_EQ(RunPlugin("maskplane", *planes, 0x204, 0x180, 0x120).result, ExportResult::Written);
}

TEST(MaskPlane, AnyNameLengthGivesTheCompleteText)
{
    const std::string name(100000, 'n');
    const PluginRun run = RunPlugin("maskplane", *PlanesFromRows({"#W"}), GrayscaleMasked, 1, 2, name);
    EXPECT_EQ(run.result, ExportResult::Written);
    for (const char* array : {"_LightPlane[1] PIXORA_UNUSED = {", "_DarkPlane[1] PIXORA_UNUSED = {",
                              "_Mask[1] PIXORA_UNUSED = {", "_Interlaced[3] PIXORA_UNUSED = {"})
        EXPECT_NE(run.bytes.find("static const unsigned char " + name + array), std::string::npos) << array;
    EXPECT_TRUE(run.bytes.ends_with("0x7F, 0x80, 0x80  /* #. */\r\n};\r\n"));
}

// The editor passes the name as typed: in the comments, no name may end the
// comment, open another or leave its line. Only the array declarations
// carry it as it is.
TEST(MaskPlane, NoNameTurnsCommentsIntoCode)
{
    for (const std::string name : {"x */ int evil = 1; /* ", "a/*b", "fin*", "tab\t*/ int evil;"}) {
        for (int type : {BlackWhite, GrayscaleMasked}) {
            const PluginRun run = RunPlugin("maskplane", *PlanesFromRows({"#W"}), type, 1, 2, name);
            ASSERT_EQ(run.result, ExportResult::Written);
            std::string code;
            std::istringstream lines(run.bytes);
            for (std::string line; std::getline(lines, line);)
                if (line.rfind("static const", 0) != 0)
                    code += line + "\n";
            // Comments, as the compiler reads them: from "/*" to the first "*/".
            const std::regex comment(R"(/\*([^]*?)\*/)");
            const std::string outside = std::regex_replace(code, comment, "");
            EXPECT_EQ(outside.find("evil"), std::string::npos) << name << "\n" << run.bytes;
            EXPECT_EQ(outside.find("/*"), std::string::npos) << name << "\n" << run.bytes;
            for (std::sregex_iterator match(code.begin(), code.end(), comment), end; match != end; ++match)
                EXPECT_EQ((*match)[1].str().find("/*"), std::string::npos) << name << "\n" << run.bytes;
        }
    }
}

TEST(MaskPlane, AFileThatCannotBeOpenedGivesFalseAndNothingWritten)
{
    TempFolder folder;
    const auto planes = PlanesFromRows({"#"});
    for (int width : {1, 33}) {
        EXPECT_EQ(CallPluginWrite(BuiltPlugin("maskplane"), folder.Path().string(), "S", 3, *planes, 1, width),
                  ExportResult::Refused);
        EXPECT_EQ(CallPluginWrite(BuiltPlugin("maskplane"), folder.File("absent") + "/s.h", "S", 3, *planes, 1, width),
                  ExportResult::Refused);
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

} // namespace
