// Byte-exact output of the two square-sprite plug-ins, hexplane and binplane,
// called through the host core as the editor calls them.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>

#include "PluginFixture.h"

namespace {

const Rows kPicture8 = {
    "..####..", "#......#", "########", "........", "l.d.#...", ".......#", "#.......", "...##...",
};

const char* const kRefusal = "Les tailles support\xE9"
                             "es par un sprite TIGGC sont(non mask\xE9"
                             "s):\r\n"
                             "  - 8x 8\r\n"
                             "  -16x16\r\n"
                             "  -32x32\r\n";

Rows Blank(int width, int height)
{
    return Rows(height, std::string(width, '.'));
}

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// 32 x 32 gray, every pixel black: the longest text for a given name.
std::string HexFullGray32(const std::string& name)
{
    const std::string row = Repeat("0xFFFFFFFF, ", 31) + "0xFFFFFFFF";
    return Crlf("static unsigned long " + name + "_LightPlane[] = {" + row + "};\n\n" + "static unsigned long " + name +
                "_DarkPlane[] = {\n" + row + "};\n\n");
}

std::string BinaryFullGray32(const std::string& name)
{
    const std::string lines = Repeat("  0b" + std::string(32, '1') + ",\n", 31) + "  0b" + std::string(32, '1') + "\n";
    return Crlf("static unsigned long " + name + "_LightPlane[] ={\n" + lines + "};\n\n" + "static unsigned long " +
                name + "_DarkPlane[] ={\n" + lines + "};\n\n");
}

TEST(HexPlane, BlackAndWhite8x8IsOneLineWhereAnyColorIsBlack)
{
    const PluginRun run = RunPlugin("hexplane", *PlanesFromRows(kPicture8), BlackWhite, 8, 8);
    EXPECT_EQ(run.result, ExportResult::Written);
    EXPECT_EQ(run.bytes, "static unsigned char Sprite[] = {0x3C, 0x81, 0xFF, 0x0, 0xA8, 0x1, 0x80, 0x18};\r\n");
}

TEST(HexPlane, Gray16x16WritesTwoPlanesTheSecondOpeningWithALineBreak)
{
    Rows rows = Blank(16, 16);
    rows[0] = "ld#.............";
    rows[3] = "dddddddd........";
    rows[7] = "llllllllllllllll";
    rows[15] = "...............#";
    const PluginRun run = RunPlugin("hexplane", *PlanesFromRows(rows), Grayscale, 16, 16);
    EXPECT_EQ(run.result, ExportResult::Written);
    EXPECT_EQ(run.bytes, "static unsigned short Sprite_LightPlane[] = {0xA000, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0xFFFF, "
                         "0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x1};\r\n\r\n"
                         "static unsigned short Sprite_DarkPlane[] = {\r\n0x6000, 0x0, 0x0, 0xFF00, 0x0, 0x0, 0x0, "
                         "0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x1};\r\n\r\n");
}

TEST(HexPlane, FullAndLeftmostRowsOf32Pixels)
{
    Rows rows = Blank(32, 32);
    rows[0] = std::string(32, '#');
    rows[1][0] = 'd';
    const PluginRun run = RunPlugin("hexplane", *PlanesFromRows(rows), BlackWhite, 32, 32, "S");
    EXPECT_EQ(run.result, ExportResult::Written);
    EXPECT_EQ(run.bytes, "static unsigned long S[] = {0xFFFFFFFF, 0x80000000" + Repeat(", 0x0", 30) + "};\r\n");
}

TEST(HexPlane, EmptyNameIsNotRefused)
{
    const auto planes = PlanesFromRows(Blank(8, 8));
    const PluginRun blackWhite = RunPlugin("hexplane", *planes, BlackWhite, 8, 8, "");
    EXPECT_EQ(blackWhite.result, ExportResult::Written);
    EXPECT_EQ(blackWhite.bytes, "static unsigned char [] = {0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0};\r\n");
    const PluginRun gray = RunPlugin("hexplane", *planes, Grayscale, 8, 8, "");
    EXPECT_EQ(gray.result, ExportResult::Written);
    EXPECT_EQ(gray.bytes, "static unsigned char _LightPlane[] = {0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0};\r\n\r\n"
                          "static unsigned char _DarkPlane[] = {\r\n0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0};\r\n\r\n");
}

TEST(BinPlane, BlackAndWhite8x8IsTenLines)
{
    const PluginRun run = RunPlugin("binplane", *PlanesFromRows(kPicture8), BlackWhite, 8, 8);
    EXPECT_EQ(run.result, ExportResult::Written);
    EXPECT_EQ(run.bytes, "static unsigned char Sprite[] ={\r\n"
                         "  0b00111100,\r\n"
                         "  0b10000001,\r\n"
                         "  0b11111111,\r\n"
                         "  0b00000000,\r\n"
                         "  0b10101000,\r\n"
                         "  0b00000001,\r\n"
                         "  0b10000000,\r\n"
                         "  0b00011000\r\n"
                         "};\r\n");
}

TEST(BinPlane, Gray16x16WritesBothPlanesWithTheSameOpening)
{
    Rows rows = Blank(16, 16);
    rows[0] = "ld#.............";
    rows[15] = "...............#";
    Rows light(16, "  0b0000000000000000,");
    Rows dark = light;
    light[0] = "  0b1010000000000000,";
    dark[0] = "  0b0110000000000000,";
    light[15] = dark[15] = "  0b0000000000000001";
    std::string lightLines, darkLines;
    for (int y = 0; y < 16; ++y) {
        lightLines += light[y] + "\n";
        darkLines += dark[y] + "\n";
    }
    const PluginRun run = RunPlugin("binplane", *PlanesFromRows(rows), Grayscale, 16, 16);
    EXPECT_EQ(run.result, ExportResult::Written);
    EXPECT_EQ(run.bytes, Crlf("static unsigned short Sprite_LightPlane[] ={\n" + lightLines + "};\n\n" +
                              "static unsigned short Sprite_DarkPlane[] ={\n" + darkLines + "};\n\n"));
}

TEST(BinPlane, Gray32x32NamedSpriteIs2525BytesBeforeWidening)
{
    Rows rows = Blank(32, 32);
    const PluginRun run = RunPlugin("binplane", *PlanesFromRows(rows), Grayscale, 32, 32);
    EXPECT_EQ(run.result, ExportResult::Written);
    std::string narrow;
    for (size_t i = 0; i < run.bytes.size(); ++i)
        if (!(run.bytes[i] == '\r' && i + 1 < run.bytes.size() && run.bytes[i + 1] == '\n'))
            narrow += run.bytes[i];
    EXPECT_EQ(narrow.size(), 2525u);
    EXPECT_EQ(Crlf(narrow), run.bytes);
}

struct SquareCase {
    const char* plugin;
    int type;
    int height;
    int width;
};

TEST(SquarePlugins, RefuseEverythingButUnmaskedSquaresOf8_16_32)
{
    const SquareCase refused[] = {
        {"hexplane", BlackWhite, 8, 16},
        {"hexplane", BlackWhite, 16, 8},
        {"hexplane", BlackWhiteMasked, 8, 8},
        {"hexplane", GrayscaleMasked, 8, 8},
        {"hexplane", BlackWhite, 0, 0},
        {"hexplane", 0, 8, 8},
        {"hexplane", 5, 16, 16},
        {"hexplane", Grayscale, 64, 64},
        {"hexplane", BlackWhite, 128, 240},
        {"binplane", BlackWhite, 8, 16},
        {"binplane", BlackWhite, 16, 8},
        {"binplane", BlackWhiteMasked, 32, 32},
        {"binplane", GrayscaleMasked, 16, 16},
        {"binplane", BlackWhite, 0, 0},
    };
    const auto planes = PlanesFromRows(Blank(32, 32));
    for (const SquareCase& c : refused) {
        SCOPED_TRACE(std::string(c.plugin) + " type " + std::to_string(c.type) + " " + std::to_string(c.height) +
                     " rows x " + std::to_string(c.width) + " columns");
        const PluginRun run = RunPlugin(c.plugin, *planes, c.type, c.height, c.width);
        EXPECT_EQ(run.result, ExportResult::Refused);
        EXPECT_EQ(run.bytes, kRefusal);
    }
}

TEST(SquarePlugins, ReadOnlyTheLowByteOfTypeAndSize)
{
    const SquareCase accepted[] = {
        {"hexplane", 0x101, 8, 8},
        {"hexplane", Grayscale, 0x110, 0x110},
        {"binplane", 0x7FFFFF02, 0x108, 0x208},
    };
    const auto planes = PlanesFromRows(Blank(16, 16));
    for (const SquareCase& c : accepted) {
        SCOPED_TRACE(c.plugin);
        EXPECT_EQ(RunPlugin(c.plugin, *planes, c.type, c.height, c.width).result, ExportResult::Written);
    }
}

TEST(SquarePlugins, PixelsOutsideTheSpriteAndTheMaskPlaneAreIgnored)
{
    auto planes = PlanesFromRows(kPicture8);
    for (int x = 0; x < MaxWidth; ++x)
        for (int y = 0; y < MaxHeight; ++y) {
            planes->mask[x * MaxHeight + y] = 1;
            if (x >= 8 || y >= 8)
                planes->color[x * MaxHeight + y] = Black;
        }
    EXPECT_EQ(RunPlugin("hexplane", *planes, BlackWhite, 8, 8).bytes,
              "static unsigned char Sprite[] = {0x3C, 0x81, 0xFF, 0x0, 0xA8, 0x1, 0x80, 0x18};\r\n");
    EXPECT_EQ(RunPlugin("binplane", *planes, Grayscale, 8, 8).bytes,
              Crlf("static unsigned char Sprite_LightPlane[] ={\n  0b00111100,\n  0b10000001,\n  0b11111111,\n"
                   "  0b00000000,\n  0b10001000,\n  0b00000001,\n  0b10000000,\n  0b00011000\n};\n\n"
                   "static unsigned char Sprite_DarkPlane[] ={\n  0b00111100,\n  0b10000001,\n  0b11111111,\n"
                   "  0b00000000,\n  0b00101000,\n  0b00000001,\n  0b10000000,\n  0b00011000\n};\n\n"));
}

TEST(SquarePlugins, LongNamesGiveTheCompleteText)
{
    const auto planes = PlanesFromRows(Rows(32, std::string(32, '#')));
    for (size_t length : {1000u, 100000u}) {
        const std::string name(length, 'n');
        SCOPED_TRACE(length);
        const PluginRun hex = RunPlugin("hexplane", *planes, Grayscale, 32, 32, name);
        EXPECT_EQ(hex.result, ExportResult::Written);
        EXPECT_TRUE(hex.bytes == HexFullGray32(name));
        const PluginRun binary = RunPlugin("binplane", *planes, Grayscale, 32, 32, name);
        EXPECT_EQ(binary.result, ExportResult::Written);
        EXPECT_TRUE(binary.bytes == BinaryFullGray32(name));
    }
}

TEST(SquarePlugins, OverwriteALongerFileWithTheSpriteOrTheRefusal)
{
    TempFolder folder;
    const std::string file = folder.File("existing.h");
    const auto planes = PlanesFromRows(kPicture8);
    for (const char* plugin : {"hexplane", "binplane"}) {
        SCOPED_TRACE(plugin);
        WriteBytes(file, std::string(10000, 'x'));
        EXPECT_EQ(CallPluginWrite(BuiltPlugin(plugin), file, "A", BlackWhiteMasked, *planes, 8, 8),
                  ExportResult::Refused);
        EXPECT_EQ(ReadBytes(file), kRefusal);
        WriteBytes(file, std::string(10000, 'x'));
        EXPECT_EQ(CallPluginWrite(BuiltPlugin(plugin), file, "A", BlackWhite, *planes, 8, 8), ExportResult::Written);
        EXPECT_EQ(ReadBytes(file), RunPlugin(plugin, *planes, BlackWhite, 8, 8, "A").bytes);
    }
}

TEST(SquarePlugins, AFileThatCannotBeOpenedGivesFalseAndNothingWritten)
{
    TempFolder folder;
    const auto planes = PlanesFromRows(kPicture8);
    const std::string missingFolderFile = folder.File("missing") + "/sprite.h";
    for (const char* plugin : {"hexplane", "binplane"}) {
        SCOPED_TRACE(plugin);
        for (int type : {BlackWhite, GrayscaleMasked}) {
            EXPECT_EQ(CallPluginWrite(BuiltPlugin(plugin), folder.Path().string(), "A", type, *planes, 8, 8),
                      ExportResult::Refused);
            EXPECT_EQ(CallPluginWrite(BuiltPlugin(plugin), missingFolderFile, "A", type, *planes, 8, 8),
                      ExportResult::Refused);
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

// The accented letters are single Windows-1252 bytes whatever the source encoding.
TEST(HexPlane, DescriptionIsWindows1252WithCrLf)
{
    std::string info;
    ASSERT_TRUE(PluginInfoText(BuiltPlugin("hexplane"), info));
    EXPECT_TRUE(
        info.ends_with("-Description:\r\n    Exporte les 8x8, 16x16, 32x32 niveau de gris ou non (non mask\xE9s)"
                       "\r\n    La d\xE9"
                       "claration est faite avec des nombres hexad\xE9"
                       "cimaux"));
}

// Anything else exported could be mistaken by a host for a plug-in function.
TEST(ShippedPlugins, ExportOnlyTheSevenContractFunctions)
{
    const std::set<std::string> contract = {"pluginNom",  "pluginVersion",     "pluginAuteur",    "pluginURL",
                                            "pluginMail", "pluginDescription", "pluginEnregistre"};
    for (const char* plugin : {"hexplane", "binplane", "maskplane"}) {
        SCOPED_TRACE(plugin);
        const std::string command = "nm -D --defined-only '" + BuiltPlugin(plugin) + "'";
        FILE* listing = popen(command.c_str(), "r");
        ASSERT_NE(listing, nullptr);
        std::string output;
        char buffer[256];
        while (fgets(buffer, sizeof buffer, listing))
            output += buffer;
        ASSERT_EQ(pclose(listing), 0);
        std::set<std::string> exported;
        std::istringstream lines(output);
        std::string address, kind, name;
        while (lines >> address >> kind >> name)
            exported.insert(name);
        EXPECT_EQ(exported, contract);
    }
}

} // namespace
