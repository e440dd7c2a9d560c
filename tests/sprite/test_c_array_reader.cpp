// C arrays read back into sprites: hand-written arrays in every syntax the
// reader takes, the groups the plug-ins write, widths, and texts that must be
// refused or read in part without harm.
#include <gtest/gtest.h>

#include "SpriteText.h"
#include "c_array_sprites.h"

namespace {

struct SyntaxCase {
    const char* text;
    int bits;
    std::vector<uint32_t> values;
};

TEST(CArrayReader, EverySyntaxOfAnArrayGivesItsElements)
{
    const SyntaxCase cases[] = {
        {"unsigned char a[] = {0x3C, 0x42};", 8, {0x3C, 0x42}},
        {"static const unsigned char a[2]={0X3c,0b01000010};", 8, {0x3C, 0x42}},
        {"const static unsigned short a[] = { 060, 48, 0B110000, };", 16, {48, 48, 48}},
        {"unsigned short int a[] = {65535u};", 16, {65535}},
        {"unsigned long a[1] = {0xFFFFFFFFUL};", 32, {0xFFFFFFFF}},
        {"static unsigned long int a[] = {0x80000000lu};", 32, {0x80000000}},
        {"uint8_t a[] = {255}; ", 8, {255}},
        {"static const uint16_t a[] = {0x1234};", 16, {0x1234}},
        {"uint32_t const a[] = {0};", 32, {0}},
        {"unsigned char a[4] = {1, 2};", 8, {1, 2, 0, 0}}, // the rest is zero, as in C
        {"unsigned char /* kind */ a /* name */ [ 2 ] /* x */ = /* y */ {\n"
         "  1, /* between */ 2 // after\n"
         "};",
         8,
         {1, 2}},
        {"// unsigned char b[] = {9};\n\"unsigned char c[] = {8};\" unsigned char a[] = {'}' == 0 ? 1 : 1};\n"
         "unsigned char a2[] = {7};",
         8,
         {7}},
    };
    for (const SyntaxCase& test : cases) {
        const CArrayScan scan = ScanCArrays(test.text);
        ASSERT_EQ(scan.arrays.size(), 1u) << test.text;
        EXPECT_EQ(scan.arrays[0].elementBits, test.bits) << test.text;
        EXPECT_EQ(scan.arrays[0].values, test.values) << test.text;
    }
}

// As the compiler reads it: old Mac files end their lines with CR alone.
TEST(CArrayReader, ALineCommentEndsAtEveryKindOfLineEnd)
{
    for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
        const std::string text = std::string("unsigned char a[] = {1};") + lineEnd + "// note" + lineEnd +
                                 "unsigned char b[] = {2};" + lineEnd;
        const CArrayScan scan = ScanCArrays(text);
        ASSERT_EQ(scan.arrays.size(), 2u) << testing::PrintToString(lineEnd);
        EXPECT_EQ(scan.arrays[1].name, "b");
    }
}

struct RefusalCase {
    const char* text;
    const char* reason; // part of the refusal
};

TEST(CArrayReader, BadArraysAreRefusedWithTheReasonAndTheOthersStillRead)
{
    const RefusalCase cases[] = {
        {"unsigned char bad[] = {0x100};", "dépasse les 8 bits"},
        {"unsigned short bad[] = {65536};", "dépasse les 16 bits"},
        {"unsigned char bad[] = {1, x};", "pas un nombre"},
        {"unsigned char bad[] = {1 2};", "virgule"},
        {"unsigned char bad[] = {09};", "illisible"},
        {"unsigned char bad[] = {0x};", "illisible"},
        {"unsigned char bad[] = {1.5};", "illisible"},
        {"unsigned long bad[] = {99999999999999999999999};", "illisible"},
        {"unsigned char bad[1] = {1, 2};", "plus d'éléments"},
        {"unsigned char bad[] = {};", "aucun élément"},
        {"unsigned char bad[] = {1, 2", "virgule ou accolade fermante attendue"},
    };
    for (const RefusalCase& test : cases) {
        const std::string text = std::string(test.text) + "\nunsigned char good[] = {5};";
        const CArrayScan scan = ScanCArrays(text);
        ASSERT_EQ(scan.refusals.size(), 1u) << test.text;
        EXPECT_NE(scan.refusals[0].find(test.reason), std::string::npos) << scan.refusals[0];
        EXPECT_EQ(scan.refusals[0].rfind("bad : ", 0), 0u) << scan.refusals[0];
        ASSERT_EQ(scan.arrays.size(), 1u) << test.text;
        EXPECT_EQ(scan.arrays[0].name, "good");
    }
    const CArrayScan unclosed = ScanCArrays("unsigned char bad[] = {1, 2,");
    ASSERT_EQ(unclosed.refusals.size(), 1u);
    EXPECT_EQ(unclosed.refusals[0], "bad : accolade fermante manquante");
}

TEST(CArrayReader, TextsWithoutAnyArrayFindNothing)
{
    for (const char* text :
         {"", "int main(void) { return 0; }", "unsigned int a[] = {1};", "char a[] = {1};", "unsigned char a = 1;",
          "/* unterminated", "unsigned char a[] = \"text\";", "}}}{{{", "\xFF\xFE\x00unsigned"}) {
        const ArraySprites found = FindArraySprites(text);
        EXPECT_TRUE(found.candidates.empty()) << text;
    }
}

// Arrays of two dimensions, as hand-written gray sprites and animations keep
// them, and of three, as levels keep their rooms: each part is an array of
// its own, braced or not, padded as C pads.
TEST(CArrayReader, ArraysOfPartsGiveOneArrayAPart)
{
    using Parts = std::vector<std::pair<std::string, std::vector<uint32_t>>>;
    const std::pair<const char*, Parts> cases[] = {
        {"static const unsigned short g[2][2] = {{0x8000, 1}, {2, 3},};", {{"g[0]", {0x8000, 1}}, {"g[1]", {2, 3}}}},
        {"unsigned char g[][3] = { {1}, /* between */ {2, 3} };", {{"g[0]", {1, 0, 0}}, {"g[1]", {2, 3, 0}}}},
        {"unsigned char g[3][2] = {1, 2, 3};", {{"g[0]", {1, 2}}, {"g[1]", {3, 0}}, {"g[2]", {0, 0}}}},
        {"uint8_t g[][2] = {1, 2, 3, 4, 5};", {{"g[0]", {1, 2}}, {"g[1]", {3, 4}}, {"g[2]", {5, 0}}}},
        // Three dimensions: a part per room, its rows braced or not.
        {"unsigned char r[2][2][3] = {{{1, 2}, {3}}, {4, 5, 6, 7}};",
         {{"r[0]", {1, 2, 0, 3, 0, 0}}, {"r[1]", {4, 5, 6, 7, 0, 0}}}},
        {"unsigned char r[][2][2] = {1, 2, 3, 4, 5};", {{"r[0]", {1, 2, 3, 4}}, {"r[1]", {5, 0, 0, 0}}}},
    };
    for (const auto& [text, parts] : cases) {
        const CArrayScan scan = ScanCArrays(text);
        Parts read;
        for (const CArray& array : scan.arrays)
            read.emplace_back(array.name, array.values);
        EXPECT_EQ(read, parts) << text;
        EXPECT_TRUE(scan.refusals.empty()) << text << ": " << scan.refusals.front();
    }

    const RefusalCase refusals[] = {
        {"unsigned char bad[2][] = {{1}};", "seconde dimension sans taille"},
        {"unsigned char bad[2][1] = {{1, 2}};", "plus de 1 éléments"},
        {"unsigned char bad[1][2] = {{1}, {2}};", "plus de 1 parties"},
        {"unsigned char bad[1100][2] = {1};", "plus de 1024 parties"},
        {"unsigned char bad[2][12000] = {1};", "parties de plus de 11520"},
        {"unsigned char bad[2][2] = {{1}, 2};", "partie attendue"},
        {"unsigned char bad[2][2] = {{1} {2}};", "virgule ou accolade fermante attendue"},
        {"unsigned char bad[2][2][] = {1};", "dimension sans taille"},
        {"unsigned char bad[2][200][100] = {1};", "parties de plus de 11520"},
        {"unsigned char bad[1][1][2] = {{{1}, {2}}};", "plus de 1 lignes"},
        {"unsigned char bad[1][2][2] = {{{1}, 2}};", "ligne attendue"},
    };
    for (const RefusalCase& test : refusals) {
        const CArrayScan scan = ScanCArrays(std::string(test.text) + "\nunsigned char good[] = {5};");
        ASSERT_EQ(scan.refusals.size(), 1u) << test.text;
        EXPECT_NE(scan.refusals[0].find(test.reason), std::string::npos) << scan.refusals[0];
        ASSERT_FALSE(scan.arrays.empty()) << test.text;
        EXPECT_EQ(scan.arrays.back().name, "good") << test.text;
    }
}

// The sprite the text gives with the candidate's own width, as rows.
Rows ImportedRows(const std::string& text, const std::string& array = {}, int width = 0)
{
    const ArraySprites found = FindArraySprites(text);
    const ArrayCandidate* candidate = array.empty() ? found.candidates.data() : FindCandidate(found, array);
    if (!candidate || found.candidates.empty())
        return {"<none>"};
    Sprite sprite({16, 16});
    sprite.SetPixel(200, 100, Black); // outside any imported size: must come back white
    const int columns = width ? width : candidate->width;
    if (!WidthRefusal(*candidate, columns).empty())
        return {"<width refused>"};
    BuildArraySprite(found, *candidate, columns, sprite);
    EXPECT_EQ(sprite.GetColor(200, 100), White);
    EXPECT_EQ(sprite.GetType(), RescanType(sprite));
    return ToRows(sprite);
}

TEST(CArraySprites, OneElementPerRowMostSignificantBitLeftmost)
{
    EXPECT_EQ(ImportedRows("unsigned char s[] = {0x81, 0x3C};"), (Rows{"#......#", "..####.."}));
    EXPECT_EQ(ImportedRows("unsigned short s[] = {0x8001};"), (Rows{"#..............#"}));
    EXPECT_EQ(ImportedRows("unsigned char s[] = {0x81, 0x3C};", "s", 3), (Rows{"#..", "..#"}));
    EXPECT_EQ(ImportedRows("unsigned char s[] = {0x81};", "s", 9), (Rows{"<width refused>"}));
    EXPECT_EQ(ImportedRows("unsigned char s[] = {0x81};", "t"), (Rows{"<none>"}));
}

TEST(CArraySprites, PlanesMasksAndHalvesAreRecognised)
{
    // Light plane bit 0, dark plane bit 1; the mask's 1 is transparent, white.
    const std::string planes = "unsigned char g_DarkPlane[] = {0x60, 0xF0};\n"
                               "unsigned char g_LightPlane[] = {0xA0, 0xF0};\n";
    EXPECT_EQ(ImportedRows(planes, "g", 4), (Rows{"ld#.", "####"}));
    EXPECT_EQ(ImportedRows(planes + "unsigned char g_Mask[] = {0x10, 0x80};", "g_Mask", 4), (Rows{"ld#W", "W###"}));
    EXPECT_EQ(ImportedRows("unsigned char m[] = {0xC0}; unsigned char m_Mask[] = {0x40};", "m", 3), (Rows{"#W."}));
    // An all-opaque mask gives the unmasked type.
    const ArraySprites opaque = FindArraySprites("unsigned char m[] = {0xC0}; unsigned char m_Mask[] = {0};");
    Sprite sprite;
    BuildArraySprite(opaque, opaque.candidates[0], 8, sprite);
    EXPECT_EQ(sprite.GetType(), BlackWhite);
    // Mask, light, dark of each row in one array.
    EXPECT_EQ(ImportedRows("unsigned char i_Interlaced[] = {0x20, 0xA0, 0x60};", "i", 3), (Rows{"ldW"}));
    // One array, light plane then dark plane: listed after the arrays as they are.
    const ArraySprites halves = FindArraySprites("unsigned char h[] = {0xA0, 0x60};");
    ASSERT_EQ(halves.candidates.size(), 2u);
    EXPECT_EQ(halves.candidates[0].layout, ArrayLayout::Single);
    EXPECT_EQ(halves.candidates[1].id, "h:gris");
    EXPECT_EQ(ImportedRows("unsigned char h[] = {0xA0, 0x60};", "h:gris", 3), (Rows{"ld#"}));
}

// Two parts are also the light and dark planes of one gray sprite; more
// parts are the frames of an animation.
TEST(CArraySprites, PartsAreFramesAndTwoPartsAlsoAGraySprite)
{
    const std::string pair = "unsigned char g[2][1] = {{0xA0}, {0x60}};";
    const ArraySprites found = FindArraySprites(pair);
    std::vector<std::string> ids;
    for (const ArrayCandidate& candidate : found.candidates)
        ids.push_back(DescribeCandidate(found, candidate));
    EXPECT_EQ(ids, (std::vector<std::string>{"g[0] : 8 x 1, noir et blanc (g[0])", "g[1] : 8 x 1, noir et blanc (g[1])",
                                             "g:gris : 8 x 1, niveaux de gris (g[0], g[1])"}));
    EXPECT_EQ(ImportedRows(pair, "g:gris", 3), (Rows{"ld#"}));
    EXPECT_EQ(ImportedRows(pair, "g[1]", 3), (Rows{".##"}));
    EXPECT_EQ(SameSizeCandidates(found, found.candidates[0]).size(), 2u) << "the parts, not the gray reading";
    EXPECT_EQ(SameSizeCandidates(found, found.candidates[2]).size(), 1u);

    const ArraySprites three = FindArraySprites("unsigned char w[3][1] = {1, 2, 3};");
    EXPECT_EQ(three.candidates.size(), 3u) << "no gray reading of three parts";
}

TEST(CArraySprites, MaskplaneCommentGivesTheWidthOfPaddedRows)
{
    const std::string text = "/* pad : 5 x 2 pixels, noir et blanc ... */\n"
                             "static const unsigned char pad[2] = {0xF8, 0x00};\n"
                             "static const unsigned char pad_Mask[2] = {0x07, 0x87};\n";
    const ArraySprites found = FindArraySprites(text);
    ASSERT_EQ(found.candidates.size(), 1u);
    EXPECT_EQ(found.candidates[0].width, 5);
    EXPECT_EQ(ImportedRows(text), (Rows{"#####", "W...."}));
    EXPECT_EQ(DescribeCandidate(found, found.candidates[0]), "pad : 5 x 2, noir et blanc masqué (pad, pad_Mask)");
}

// An animation kept as arrays of one size: they can come in as the frames
// of a set, in the order of the text; other sizes and the gray reading of
// the same arrays stay out, so no array gives two frames.
TEST(CArraySprites, SpritesOfOneSizeBecomeTheFramesOfASet)
{
    const std::string text = "unsigned char walk0[] = {0x80, 0x40};\n"
                             "unsigned char big[] = {1, 2, 3};\n"
                             "unsigned char walk1_LightPlane[] = {0x40, 0};\n"
                             "unsigned char walk1_DarkPlane[] = {0x40, 0x80};\n"
                             "unsigned short wide[] = {1, 2};\n"
                             "unsigned char walk2[] = {0x20, 0x10};\n";
    const ArraySprites found = FindArraySprites(text);
    const std::vector<const ArrayCandidate*> alike = SameSizeCandidates(found, *FindCandidate(found, "walk2"));
    std::vector<std::string> ids;
    for (const ArrayCandidate* candidate : alike)
        ids.push_back(candidate->id);
    EXPECT_EQ(ids, (std::vector<std::string>{"walk0", "walk1", "walk2"}));

    const FrameList frames = BuildArrayFrames(found, alike, 3);
    ASSERT_TRUE(IsValidFrameList(frames));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(ToRows(*frames[0]), (Rows{"#..", ".#."}));
    EXPECT_EQ(ToRows(*frames[1]), (Rows{".#.", "d.."}));
    EXPECT_EQ(frames[1]->GetType(), Grayscale);
    EXPECT_EQ(ToRows(*frames[2]), (Rows{"..#", "..."}));

    // The gray halves of an array of two rows are read with the other halves only.
    const ArrayCandidate* halves = FindCandidate(found, "walk0:gris");
    ASSERT_NE(halves, nullptr);
    EXPECT_EQ(SameSizeCandidates(found, *halves).size(), 2u); // walk0 and walk2; wide has 16 bits
    for (const ArrayCandidate* candidate : SameSizeCandidates(found, *halves))
        EXPECT_EQ(candidate->layout, ArrayLayout::Halves);
}

TEST(CArraySprites, TooManyRowsAreRefused)
{
    std::string text = "unsigned char tall[] = {";
    for (int i = 0; i < 129; ++i)
        text += "1,";
    const ArraySprites odd = FindArraySprites(text + "};");
    EXPECT_TRUE(odd.candidates.empty());
    ASSERT_EQ(odd.refusals.size(), 1u);
    EXPECT_EQ(odd.refusals[0], "tall : 129 lignes, au plus 128");
    // 130 rows can only be two halves of 65.
    const ArraySprites even = FindArraySprites(text + "1};");
    ASSERT_EQ(even.candidates.size(), 1u);
    EXPECT_EQ(even.candidates[0].height, 65);
    // Past a whole set of frames' worth, nothing is kept of the array.
    for (std::size_t i = 129; i <= MaxArrayElements; ++i)
        text += "1,";
    const CArrayScan huge = ScanCArrays(text + "};");
    EXPECT_TRUE(huge.arrays.empty());
    ASSERT_EQ(huge.refusals.size(), 1u);
    EXPECT_NE(huge.refusals[0].find("plus de 2949120"), std::string::npos);
}

// The sanitizer build runs unoptimised code many times slower; a tenth of
// the text there still goes through every limit. (How fast the pass is, and
// that it stays linear, bench_c_arrays measures.)
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t LargeText = 10u << 20;
#else
constexpr std::size_t LargeText = 100u << 20;
#endif

// 100 MB of arrays good and bad, braces that never close, strings and
// comments: read to the end, the arrays and refusals kept bounded.
TEST(CArrayReader, AHundredMegabyteTextIsReadWithoutHarm)
{
    const std::string chunk = "unsigned char s[] = {0x3C, 0b1,};\n"
                              "unsigned char wide[] = {0x1FF};\n"
                              "unsigned char open[] = { { 1, \"}\", '{' /* } */ // }\n"
                              "unsigned short tall[129] = {1};\n";
    std::string text;
    text.reserve(LargeText + chunk.size());
    while (text.size() < LargeText)
        text += chunk;
    const ArraySprites found = FindArraySprites(text);
    // s and tall in turn until the limit; s is a sprite and its own halves,
    // tall has too many rows.
    EXPECT_EQ(found.scan.arrays.size(), MaxArraysKept);
    EXPECT_EQ(found.candidates.size(), MaxArraysKept);
    EXPECT_EQ(found.refusals.back(), "tall : 129 lignes, au plus 128");
    EXPECT_EQ(found.scan.refusals.size(), 51u); // the first 50 and the one about the limit
    EXPECT_GT(found.scan.refusedCount, 3 * (text.size() / chunk.size()) - 1);
}

// The shapes that make a parser go back over its input, each 10 MB.
TEST(CArrayReader, DegenerateTextsTakeOnePass)
{
    const std::size_t size = LargeText / 10;
    for (const std::string& text : {std::string(size, '{'), "unsigned char a[] = {" + std::string(size, '1'),
                                    "/*" + std::string(size, '*'), std::string(size / 2, '"') + "\n", [&] {
                                        std::string t;
                                        while (t.size() < size)
                                            t += "static const unsigned ";
                                        return t;
                                    }()}) {
        EXPECT_TRUE(FindArraySprites(text).candidates.empty());
    }
}

} // namespace
