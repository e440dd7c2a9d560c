// Program sources read for their data: what real C code writes in its
// arrays, assembly data directives of A68k and GNU as, and the draw calls
// that say how a bare array is to be read. Sources are hand-written, in the
// shapes calculator games and libraries use.
#include <gtest/gtest.h>

#include "AsmDataReader.h"
#include "LayoutFixture.h"

namespace {

struct ValuesCase {
    std::string text;
    std::string array;
    int bits;
    std::vector<uint64_t> elements;
};

std::vector<uint64_t> Elements(const CArray& array)
{
    std::vector<uint64_t> elements;
    for (std::size_t i = 0; i < ElementCount(array); ++i)
        elements.push_back(ElementAt(array, i));
    return elements;
}

void ExpectArrays(const CArrayScan& scan, const ValuesCase& test)
{
    const std::vector<std::size_t> group = ArrayGroupNamed(scan, test.array);
    ASSERT_EQ(group.size(), 1u) << test.text << (scan.refusals.empty() ? "" : "\n" + scan.refusals.front());
    const CArray& array = scan.arrays[group.front()];
    EXPECT_EQ(array.elementBits, test.bits) << test.text;
    EXPECT_EQ(Elements(array), test.elements) << test.text;
}

TEST(SourceReaders, CArraysAreReadAsRealCodeWritesThem)
{
    const ValuesCase cases[] = {
        {"static const short sprts[][2] = {{0xFFFF, ~0x1818}, {-1, 0}};", "sprts[0]", 16, {0xFFFF, 0xE7E7}},
        {"signed short s[2] = {-32768, 32767};", "s", 16, {0x8000, 0x7FFF}},
        {"unsigned long long w[] = {0xFFFFFFFF00000001ULL, 1ull << 63};",
         "w",
         64,
         {0xFFFFFFFF00000001, 0x8000000000000000}},
        {"long long unsigned int const w[1] = {-2LL};", "w", 64, {0xFFFFFFFFFFFFFFFE}},
        {"static int8_t a[] = {-128, 127};", "a", 8, {0x80, 0x7F}},
        {"const uint64_t a[] = {0x0123456789ABCDEFu};", "a", 64, {0x0123456789ABCDEF}},
        {"int16_t a[] = {(short)0x8001};", "a", 16, {0x8001}},
        {"unsigned char a[3*2] = {1};", "a", 8, {1, 0, 0, 0, 0, 0}},
        {"unsigned char a[8+2*1] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};", "a", 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"#define H 3\n#define ROWS (H * 2)\nunsigned char a[ROWS - H] = {H};", "a", 8, {3, 0, 0}},
        {"unsigned short a[] = {017, 0b101, 0x10 | 0x01, 1 << 15, (0xF0 >> 4) & 3, 5 % 3};",
         "a",
         16,
         {15, 5, 17, 0x8000, 3, 2}},
        {"unsigned char a[] = {1, /* entre \xE9l\xE9ments */ 2, // fin \xE0 la ligne\r3};", "a", 8, {1, 2, 3}},
        {"// commentaire\r\nunsigned char a[] = {\r\n 4, // ligne\r\n 5\r\n};", "a", 8, {4, 5}},
        {"unsigned char a[] = {-0, +1, ~~2, -(-3), - 4 + 8};", "a", 8, {0, 1, 2, 3, 4}},
    };
    for (const ValuesCase& test : cases)
        ExpectArrays(ScanCArrays(test.text), test);
}

TEST(SourceReaders, CElementsThatDoNotFitAreRefused)
{
    const std::pair<const char*, const char*> cases[] = {
        {"short bad[] = {-32769};", "bad : l'élément -32769 dépasse les 16 bits de son type"},
        {"short bad[] = {0x10000};", "bad : l'élément 0x10000 dépasse les 16 bits de son type"},
        {"long long bad[] = {-0x8000000000000001};", "bad : l'élément -0x8000000000000001 dépasse les 64 bits"},
        {"unsigned long long bad[] = {~0xFFFFFFFFFFFFFFFFULL - 1};", "bad : calcul hors limites"},
        {"unsigned char bad[] = {1 / 0};", "bad : calcul hors limites"},
        {"unsigned char bad[] = {-1 << 2};", "bad : calcul hors limites"},
        {"unsigned char bad[] = {((((1)}};", "bad : élément qui n'est pas un nombre"},
        {"unsigned char bad[N] = {1};", "bad : taille entre crochets illisible"},
    };
    for (const auto& [text, why] : cases) {
        const CArrayScan scan = ScanCArrays(text);
        ASSERT_EQ(scan.refusals.size(), 1u) << text;
        EXPECT_EQ(scan.refusals[0].substr(0, std::string(why).size()), why) << scan.refusals[0];
    }
    // A million parentheses stop at the nesting bound instead of the stack's.
    EXPECT_EQ(ScanCArrays("unsigned char a[] = {" + std::string(1000000, '(') + "1};").arrays.size(), 0u);
}

// Tile maps of int and text in char are read, but no sprite is offered
// from them, and their refusals are not told.
TEST(SourceReaders, IntAndPlainCharArraysAreNoSprites)
{
    const std::string text = "const int map[4] = {1, 2, 3, 4};\n"
                             "unsigned int big[] = {100000};\n"
                             "char text[] = {72, 105};\n"
                             "unsigned short sprite[2] = {0x8000, 1};\n";
    const ArraySprites found = FindArraySprites(text);
    ASSERT_EQ(found.candidates.size(), 2u);
    EXPECT_EQ(found.candidates[0].id, "sprite");
    EXPECT_EQ(found.candidates[1].id, "sprite:gris");
    EXPECT_TRUE(found.refusals.empty()) << found.refusals.front();
    EXPECT_EQ(ArrayGroupNamed(found.scan, "map").size(), 1u);
}

TEST(SourceReaders, AssemblyDataIsReadAfterEachLabel)
{
    const ValuesCase cases[] = {
        {"balle:\n\tdc.w $FFFF,$0000 premiere ligne\n\tdc.w %0001100000011000 ; seconde\n",
         "balle",
         16,
         {0xFFFF, 0, 0x1818}},
        {"balle\tdc.b @17,10,-1\n\tEVEN\nautre:\n\tdc.l 1\n", "balle", 8, {15, 10, 0xFF}},
        {"* A68k\nt: dc.l $80000000,~$1818\n", "t", 32, {0x80000000, 0xFFFFE7E7}},
        {"h equ 2\nz:\n\tds.w h*2\n\tdcb.w 1,$F0F0\n", "z", 16, {0, 0, 0, 0, 0xF0F0}},
        {"mix:\n\tdc.b $12\n\tEVEN\n\tdc.w $3456\n", "mix", 8, {0x12, 0, 0x34, 0x56}},
        {"\t.even\nb:\t.word 0x8001 | commentaire\n\t.word 0b11, 010\n", "b", 16, {0x8001, 3, 8}},
        {"q: .quad 0x0123456789ABCDEF ; .quad -1\n", "q", 64, {0x0123456789ABCDEF, 0xFFFFFFFFFFFFFFFF}},
        {"# commentaire\n#define N 3\n\t.set M, N+1\nv:\n\t.byte N /* bloc\nsur deux lignes */\n\t.byte M, 7\n",
         "v",
         8,
         {3, 4, 7}},
        {"r:\r\t.short 1\r\t.2byte 2\r\n\t.space 2\r\tmove.l d0,d1\r\t.short 9\r", "r", 8, {0, 1, 0, 2, 0, 0}},
        {"f:\n\t.fill 2, 2, 0x1234\n\t.int 5\n", "f", 8, {0x12, 0x34, 0x12, 0x34, 0, 0, 0, 5}},
        {"c: ; un commentaire\n\tdc.b 1\n", "c", 8, {1}},
        // .fill REPEAT, SIZE, VALUE: the value 0 when not given, one byte when no size is.
        {"f2:\n\t.fill 3, 2\n\t.word 7\n", "f2", 16, {0, 0, 0, 7}},
        {"f1:\n\t.fill 2\n\t.byte 9\n", "f1", 8, {0, 0, 9}},
        // Alignments pad from the section's start, before byte data too.
        {"e:\n\tdc.b 1\n\tEVEN\n\tdc.b 2\n", "e", 8, {1, 0, 2}},
        {"\t.byte 1\ns:\n\t.byte 2\n\t.balign 4\n\t.byte 3\n", "s", 8, {2, 0, 0, 3}},
        {"p:\n\t.byte 1\n\t.p2align 2, 0xFF\n\t.byte 2\n", "p", 8, {1, 0xFF, 0xFF, 0xFF, 2}},
        {"a\tdc.b 1,2,3\n\tCNOP 0,4\n\tdc.w $1234\n", "a", 8, {1, 2, 3, 0, 0x12, 0x34}},
        {"\t.data\nww:\n\t.word 1\n\t.align 4\n\t.word 2\n", "ww", 16, {1, 0, 2}},
        {"\trts\nw:\n\t.byte 1\n\t.even\n\t.byte 2\n", "w", 8, {1, 0, 2}},
        {"\tmove.w d0,d1\n\t.balign 8\nk:\n\t.byte 1\n\t.balign 4, 0xAA\n\t.byte 2\n",
         "k",
         8,
         {1, 0xAA, 0xAA, 0xAA, 2}},
    };
    for (const ValuesCase& test : cases)
        ExpectArrays(ScanAssemblyArrays(test.text), test);

    const std::pair<const char*, const char*> refusals[] = {
        {"bad: dc.b 256\n", "bad : l'élément 256 dépasse les 8 bits de sa directive"},
        {"bad: .byte \"texte\"\n", "bad : élément qui n'est pas un nombre"},
        {"bad: dc.w $FG\n", "bad : nombre illisible"},
        {"bad: ds.b -1\n", "bad : taille de remplissage illisible"},
        {"bad: .space\n", "bad : taille de remplissage illisible"},
        {"bad: dcb.w\n", "bad : taille de remplissage illisible"},
        {"\tmove.w d0,d1\nbad:\n\t.byte 1\n\t.balign 4\n\t.byte 2\n",
         "bad : alignement sur 4 octets après des instructions ou du texte : position inconnue"},
        {"bad:\n\t.byte 1\n\t.balign 3\n\t.byte 2\n", "bad : alignement illisible"},
    };
    for (const auto& [text, why] : refusals) {
        const CArrayScan scan = ScanAssemblyArrays(std::string(text) + "good: dc.b 1\n");
        ASSERT_EQ(scan.refusals.size(), 1u) << text;
        EXPECT_EQ(scan.refusals[0].substr(0, std::string(why).size()), why) << scan.refusals[0];
        ASSERT_EQ(scan.arrays.size(), 1u) << text;
        EXPECT_EQ(scan.arrays[0].name, "good");
    }
    // Code and labels without data make no arrays.
    EXPECT_TRUE(ScanAssemblyArrays("start:\n\tmove.w #1,d0\nloop:\n\trts\n").arrays.empty());
}

struct CallCase {
    std::string call;
    std::string routine;
    RowUnit rows;
    int height; // 0: not a constant
    bool interlaced;
    std::vector<std::tuple<Plane, std::string, bool, std::size_t>> planes;
};

TEST(SourceReaders, DrawCallsSayHowTheirArraysAreRead)
{
    const std::string arrays = "#define H 12\n"
                               "unsigned short a[36] = {1}; unsigned short b[12] = {1}; unsigned short m[12] = {1};\n"
                               "unsigned char walk[6][16] = {{1}};\n";
    using P = Plane;
    const CallCase cases[] = {
        {"Sprite16(x, y, 12, a, LCD_MEM, SPRT_XOR);",
         "Sprite16",
         RowUnit::Bits16,
         12,
         false,
         {{P::Black, "a", false, 0}}},
        {"ClipSprite8_MASK_R(x, y, 16, walk[2], &walk[3][0], dest);",
         "ClipSprite8_MASK_R",
         RowUnit::Bits8,
         16,
         false,
         {{P::Black, "walk[2]", false, 0}, {P::Mask, "walk[3]", false, 0}}},
        {"Sprite8_XOR(x, y, 16, walk[frame], LCD_MEM);",
         "Sprite8_XOR",
         RowUnit::Bits8,
         16,
         false,
         {{P::Black, "walk", true, 0}}},
        {"GrayClipSprite16_SMASK_R(x, y, H, a, a+H, a + 2*H, GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE));",
         "GrayClipSprite16_SMASK_R",
         RowUnit::Bits16,
         12,
         false,
         {{P::Light, "a", false, 0}, {P::Dark, "a", false, 12}, {P::Mask, "a", false, 24}}},
        {"GraySprite16_OR(x, y, H, (unsigned short*)&a[H], (void *)(b), dark_plane, light_plane);",
         "GraySprite16_OR",
         RowUnit::Bits16,
         12,
         false,
         {{P::Dark, "a", false, 12}, {P::Light, "b", false, 0}}},
        {"GrayClipSprite32_MASK_R(x, y, h, a, b, m, m, GetPlane(1), GetPlane(0));",
         "GrayClipSprite32_MASK_R",
         RowUnit::Bits32,
         0,
         false,
         {{P::Dark, "a", false, 0}, {P::Light, "b", false, 0}, {P::Mask, "m", false, 0}}},
        {"GrayClipISprite16_MASK_R(x, y, 12, a, plan_clair, plan_fonce);",
         "GrayClipISprite16_MASK_R",
         RowUnit::Bits16,
         12,
         true,
         {{P::Mask, "a", false, 0}, {P::Light, "a", false, 0}, {P::Dark, "a", false, 0}}},
        {"GrayClipISprite8_OR_R(x, y, 8, 12 + a, p1, p2);",
         "GrayClipISprite8_OR_R",
         RowUnit::Bits8,
         8,
         true,
         {{P::Light, "a", false, 12}, {P::Dark, "a", false, 12}}},
        {"SpriteX8_OR(x, y, 12, a, 3, LCD_MEM);",
         "SpriteX8_OR",
         RowUnit::Bytes,
         12,
         false,
         {{P::Black, "a", false, 0}}},
        {"GraySpriteX8_BLIT_R(x, y, 6, a, b, 0xFF, 2, light, dark);",
         "GraySpriteX8_BLIT_R",
         RowUnit::Bytes,
         6,
         false,
         {{P::Light, "a", false, 0}, {P::Dark, "b", false, 0}}},
    };
    for (const CallCase& test : cases) {
        const std::string text = arrays + "void draw(void) { " + test.call + " }\n";
        const std::vector<DrawCall> calls = FindDrawCalls(text, ScanCArrays(text));
        ASSERT_EQ(calls.size(), 1u) << test.call;
        const DrawCall& call = calls[0];
        EXPECT_EQ(call.routine, test.routine);
        EXPECT_EQ(call.rows, test.rows) << test.call;
        EXPECT_EQ(call.height.value_or(0), test.height) << test.call;
        EXPECT_EQ(call.interlaced, test.interlaced) << test.call;
        std::vector<std::tuple<Plane, std::string, bool, std::size_t>> planes;
        for (const PlaneArgument& plane : call.planes)
            planes.emplace_back(plane.plane, plane.array, plane.wholeParts, plane.elementOffset);
        EXPECT_EQ(planes, test.planes) << test.call;
    }
    EXPECT_EQ(FindDrawCalls(arrays + "void f(void) { SpriteX8_OR(x, y, 12, a, 3, LCD_MEM); }", ScanCArrays(arrays))[0]
                  .byteWidth,
              3);
    // Not calls of ours: declarations, pointers, other routines, unclosed lists.
    for (const std::string call :
         {"void Sprite16(short x, short y, short h, unsigned short *s, void *p, short m);",
          "Sprite16(x, y, 12, pointer, LCD_MEM, SPRT_XOR);", "Sprite12(x, y, 12, a);",
          "GraySprite16_FOO(x, y, 12, a, b, p, q);", "Sprite16(x, y, 12, a",
          "Sprite16(x, y, 12, a[1], LCD_MEM, SPRT_XOR);",
          // A constant index outside the array of parts.
          "Sprite8(x, y, 16, walk[6], LCD_MEM, SPRT_XOR);", "Sprite8(x, y, 16, walk[-1], LCD_MEM, SPRT_XOR);",
          "Sprite8(x, y, 16, walk[300], LCD_MEM, SPRT_XOR);",
          "Sprite8(x, y, 16, &walk[H - 13][0], LCD_MEM, SPRT_XOR);"})
        EXPECT_TRUE(FindDrawCalls(arrays + call, ScanCArrays(arrays)).empty()) << call;
}

// Real-looking sources: the sprite each one's draw call (or nothing) reads.
TEST(SourceReaders, RealLookingSourcesGiveTheirSprites)
{
    struct SourceCase {
        const char* what;
        std::string text;
        std::string candidate;
        std::vector<Rows> frames;
    };
    const SourceCase cases[] = {
        {"one array of light, dark and mask, drawn with its offsets",
         "// curseur\nstatic unsigned short handcursor[3*2] = {\n"
         "  0xC000, 0x4000,   /* clair */\n  0x8000, 0x4000,   // fonc\xE9\n  0x3FFF, 0x1FFF }; /* masque */\n"
         "void Draw(short x, short y) {\n"
         "  GrayClipSprite16_SMASK_R(x, y, 2, handcursor, handcursor+2, handcursor+4,\n"
         "                           GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE));\n}\n",
         "handcursor:GrayClipSprite16_SMASK_R",
         {{"#l" + std::string(14, 'W'), ".#." + std::string(13, 'W')}}},
        {"two plane arrays under other names, the dark one first in the call",
         "static const unsigned char ball_dark[] = {0x3C, 0x00};\n"
         "static const unsigned char ball_light[] = {0x00, 0x3C};\n"
         "int main(void) { for (;;) { GraySprite8_OR(10, 20, 2, ball_dark, ball_light, GrayGetPlane(DARK_PLANE), "
         "GrayGetPlane(LIGHT_PLANE)); } }\n",
         "ball_dark:GraySprite8_OR",
         {{"..dddd..", "..llll.."}}},
        {"an animation of six frames indexed at run time",
         "#define WALK_H 2\nconst unsigned char walk[6][WALK_H] = {\n"
         "  {0x80, 0x00}, {0x40, 0x00}, {0x20, 0x00}, {0x10, 0x00}, {0x08, 0x00}, {0x04, 0x00}};\n"
         "void step(int frame) { Sprite8(x, y, WALK_H, walk[frame], LCD_MEM, SPRT_OR); }\n",
         "walk:Sprite8",
         {{"#.......", "........"},
          {".#......", "........"},
          {"..#.....", "........"},
          {"...#....", "........"},
          {"....#...", "........"},
          {".....#..", "........"}}},
        {"interlaced tiles of the map engine, mask, light, dark",
         "unsigned char tile[6] = {0x0F, 0xF0, 0xC0, 0x00, 0x0F, 0xFF};\r\n"
         "void t(void) { GrayClipISprite8_MASK_R(0, 0, 2, tile, p0, p1); }\r\n",
         "tile:GrayClipISprite8_MASK_R",
         {{"##llWWWW", "dddd####"}}},
    };
    for (const SourceCase& test : cases) {
        SCOPED_TRACE(test.what);
        const ArraySprites found = FindArraySprites(test.text);
        const ArrayCandidate* candidate = FindCandidate(found, test.candidate);
        ASSERT_NE(candidate, nullptr);
        std::vector<Rows> read;
        for (const auto& frame : BuildCandidateFrames(found, *candidate, candidate->width))
            read.push_back(ToRows(*frame));
        EXPECT_EQ(read, test.frames);
    }
}

} // namespace
