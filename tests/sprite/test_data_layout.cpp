// Sprite data in the layouts programs use: every arrangement, order, row
// width, mask bit, syntax and way of keeping frames written and read back
// bit for bit, by the arrays' names and with no option at all; texts compared whole with what a programmer would write
// by hand; layouts that cannot hold the sprite refused with the reason.
#include <gtest/gtest.h>

#include <algorithm>

#include "LayoutFixture.h"

namespace {

struct Kind {
    const char* name;
    std::vector<Rows> frames; // two frames of one size
    std::vector<std::string> orders;
};

// Every permutation of the letters.
std::vector<std::string> Permutations(std::string letters)
{
    std::vector<std::string> all;
    std::sort(letters.begin(), letters.end());
    do
        all.push_back(letters);
    while (std::next_permutation(letters.begin(), letters.end()));
    return all;
}

// Masked pixels are written as 0 in every color plane, so they come back
// white: the pictures here mask white pixels only ('W').
std::vector<Kind> Kinds(int width)
{
    const auto row = [width](std::string pattern) {
        std::string text;
        while (static_cast<int>(text.size()) < width)
            text += pattern;
        return text.substr(0, static_cast<std::size_t>(width));
    };
    return {
        {"black and white", {{row("#..#."), row(".##")}, {row("."), row("#")}}, {"B"}},
        {"black and white, masked", {{row("#W.#"), row("WW#")}, {row("W"), row(".#")}}, Permutations("BM")},
        {"gray", {{row("ld#."), row("#dl")}, {row("d"), row(".l")}}, Permutations("DL")},
        {"gray, masked", {{row("ldW#."), row("W#dl")}, {row("dW"), row(".l#")}}, Permutations("DLM")},
    };
}

TEST(DataLayout, EveryLayoutReadsBackWhatItWroteBitForBit)
{
    const DataSyntax syntaxes[] = {DataSyntax::C,          DataSyntax::CBinary, DataSyntax::A68k,
                                   DataSyntax::A68kBinary, DataSyntax::GnuAs,   DataSyntax::GnuAsBinary};
    const RowUnit rowUnits[] = {RowUnit::Bits8, RowUnit::Bits16, RowUnit::Bits32, RowUnit::Bits64, RowUnit::Bytes};
    for (const int width : {7, 12, 61}) {
        for (const Kind& kind : Kinds(width)) {
            const Frames two(kind.frames);
            const Frames one({kind.frames[0]});
            for (const RowUnit rows : rowUnits) {
                if (!RowWidthRefusal(rows, width).empty())
                    continue;
                for (const std::string& order : kind.orders)
                    for (const Arrangement arrange :
                         {Arrangement::Separate, Arrangement::Block, Arrangement::Interlaced})
                        for (const MaskBit maskBit : {MaskBit::Transparent, MaskBit::Opaque})
                            for (const DataSyntax syntax : syntaxes)
                                for (const FrameArrays framesAs : {FrameArrays::Array, FrameArrays::Separate})
                                    for (const Frames* frames : {&one, &two}) {
                                        LayoutRequest request = Request(rows, order, arrange, maskBit, syntax);
                                        request.frames = framesAs;
                                        request.defines = true;
                                        const DataLayout layout = Resolved(*frames, request);
                                        SCOPED_TRACE(std::string(kind.name) + ", width " + std::to_string(width) +
                                                     ", " + NameOf(rows) + " " + order + " " + NameOf(arrange) + " " +
                                                     NameOf(maskBit) + " " + NameOf(syntax) + " " + NameOf(framesAs) +
                                                     " x" + std::to_string(frames->list.size()));
                                        const std::string text = WriteDataText(frames->list, "spr", layout);
                                        const int count = static_cast<int>(frames->list.size());
                                        const std::vector<Rows> read = ReadBack(text, "spr", layout, width, 2, count);
                                        const std::vector<Rows> written(kind.frames.begin(),
                                                                        kind.frames.begin() + count);
                                        ASSERT_EQ(read, written) << text;
                                        ASSERT_EQ(ReadWithNoOption(text, syntax), written) << text;
                                        const Frames again(read);
                                        ASSERT_EQ(WriteDataText(again.list, "spr", layout), text);
                                    }
            }
        }
    }
}

struct TextCase {
    std::vector<Rows> frames;
    std::string name;
    LayoutRequest request;
    std::string text;
};

// Hand-written expectations: the bits of each row worked out from the
// picture (light = 'l' and '#', dark = 'd' and '#', masked = capital), the
// unused low bits of a mask row transparent.
TEST(DataLayout, TextsAreWhatAProgrammerWouldWrite)
{
    LayoutRequest interlaced;
    interlaced.arrange = Arrangement::Interlaced;
    interlaced.defines = true;
    const LayoutRequest a68k =
        Request(RowUnit::Bits8, "BM", Arrangement::Block, MaskBit::Opaque, DataSyntax::A68kBinary);
    const LayoutRequest quad =
        Request(RowUnit::Bits64, "DL", Arrangement::Separate, MaskBit::Transparent, DataSyntax::GnuAs);
    const LayoutRequest bytes = Request(RowUnit::Bytes);
    LayoutRequest set;
    set.defines = true;
    const TextCase cases[] = {
        {{{"ld#W........", "#..........W"}},
         "g",
         interlaced,
         "/* g : 12 x 2 pixels, niveaux de gris avec masque\n"
         " * Lignes de 16 bits (unsigned short), pixel de gauche = bit de poids fort\n"
         " * Un tableau, ligne par ligne : masque, clair, sombre\n"
         " * Masque : 1 = transparent (le fond reste), 0 = opaque\n"
         " * Appel : GrayClipISprite16_MASK_R(x, y, g_HEIGHT, g, GrayGetPlane(LIGHT_PLANE), "
         "GrayGetPlane(DARK_PLANE));\n"
         " */\n"
         "#define g_WIDTH 12\n"
         "#define g_HEIGHT 2\n"
         "\n"
         "static const unsigned short g[6] __attribute__((unused)) = {\n"
         "    0x100F,\n"
         "    0xA000,\n"
         "    0x6000,\n"
         "    0x001F,\n"
         "    0x8000,\n"
         "    0x8000,\n"
         "};\n"},
        {{{"#.#...W", "......."}, {".......", "#######"}},
         "m",
         a68k,
         "; m : 7 x 2 pixels, 2 images, noir et blanc avec masque\n"
         "; Lignes de 8 bits (dc.b), pixel de gauche = bit de poids fort\n"
         "; Un tableau, plan par plan : toutes les lignes du noir, puis du masque\n"
         "; Masque : 1 = opaque, 0 = transparent (le fond reste)\n"
         "; 2 images qui se suivent dans chaque tableau\n"
         "; Aucune routine de dessin connue ne lit ce format tel quel\n"
         "\n"
         "m:\n"
         "; image 0\n"
         "; noir\n"
         "\tdc.b %10100000\n"
         "\tdc.b %00000000\n"
         "; masque\n"
         "\tdc.b %11111100\n"
         "\tdc.b %11111110\n"
         "; image 1\n"
         "; noir\n"
         "\tdc.b %00000000\n"
         "\tdc.b %11111110\n"
         "; masque\n"
         "\tdc.b %11111110\n"
         "\tdc.b %11111110\n"},
        {{{"ld#....................................l"}},
         "w",
         quad,
         "| w : 40 x 1 pixels, niveaux de gris\n"
         "| Lignes de 64 bits (.quad), pixel de gauche = bit de poids fort\n"
         "| Un tableau par plan : w_DarkPlane (sombre), w_LightPlane (clair)\n"
         "| Aucune routine de dessin connue ne lit ce format tel quel\n"
         "\n"
         "\t.even\n"
         "w_DarkPlane:\n"
         "\t.quad 0x6000000000000000\n"
         "\n"
         "\t.even\n"
         "w_LightPlane:\n"
         "\t.quad 0xA000000001000000\n"},
        {{{"#..........#", "............"}},
         "mur",
         bytes,
         "/* mur : 12 x 2 pixels, noir et blanc\n"
         " * Lignes de 2 octets (unsigned char), pixel de gauche = bit de poids fort du premier octet\n"
         " * Un tableau : mur (noir)\n"
         " * Appel : SpriteX8_OR(x, y, 2, mur, 2, LCD_MEM);\n"
         " */\n"
         "\n"
         "static const unsigned char mur[4] __attribute__((unused)) = {\n"
         "    0x80, 0x10,\n"
         "    0x00, 0x00,\n"
         "};\n"},
        {{{"l......#"}, {"d......."}},
         "p",
         set,
         "/* p : 8 x 1 pixels, 2 images, niveaux de gris\n"
         " * Lignes de 8 bits (unsigned char), pixel de gauche = bit de poids fort\n"
         " * Un tableau par plan : p_LightPlane (clair), p_DarkPlane (sombre)\n"
         " * 2 images : [0] ... [1] dans chaque tableau\n"
         " * Appel : GrayClipSprite8_OR_R(x, y, p_HEIGHT, p_LightPlane[image], p_DarkPlane[image], "
         "GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE));\n"
         " */\n"
         "#define p_WIDTH 8\n"
         "#define p_HEIGHT 1\n"
         "#define p_FRAMES 2\n"
         "\n"
         "static const unsigned char p_LightPlane[2][1] __attribute__((unused)) = {\n"
         "    { /* 0 */\n"
         "        0x81,\n"
         "    },\n"
         "    { /* 1 */\n"
         "        0x00,\n"
         "    },\n"
         "};\n"
         "\n"
         "static const unsigned char p_DarkPlane[2][1] __attribute__((unused)) = {\n"
         "    { /* 0 */\n"
         "        0x01,\n"
         "    },\n"
         "    { /* 1 */\n"
         "        0x80,\n"
         "    },\n"
         "};\n"},
    };
    for (const TextCase& test : cases) {
        const Frames frames(test.frames);
        EXPECT_EQ(WriteDataText(frames.list, test.name, Resolved(frames, test.request)), test.text);
    }
}

// The draw call of each routine family, where one reads the layout as it is.
TEST(DataLayout, TheCommentNamesTheRoutineThatReadsTheLayout)
{
    struct CallCase {
        Rows picture;
        LayoutRequest request;
        std::string call; // empty: no routine reads it
    };
    const Rows bw = {"#."}, bwMasked = {"#W"}, gray = {"ld"}, grayMasked = {"lW"};
    const CallCase cases[] = {
        {bw, Request(RowUnit::Bits16), "Sprite16(x, y, 1, s, LCD_MEM, SPRT_XOR)"},
        {bwMasked, Request(RowUnit::Bits8), "ClipSprite8_MASK_R(x, y, 1, s, s_Mask, LCD_MEM)"},
        {bwMasked, Request(RowUnit::Bits32, "MB", Arrangement::Block), "ClipSprite32_MASK_R(x, y, 1, s+1, s, LCD_MEM)"},
        {gray, Request(RowUnit::Bits8, "DL"),
         "GrayClipSprite8_OR_R(x, y, 1, s_LightPlane, s_DarkPlane, "
         "GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE))"},
        {grayMasked, Request(RowUnit::Bits16, "LDM", Arrangement::Block),
         "GrayClipSprite16_SMASK_R(x, y, 1, s, s+1, s+2*1, GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE))"},
        {gray, Request(RowUnit::Bits8, "LD", Arrangement::Interlaced),
         "GrayClipISprite8_OR_R(x, y, 1, s, GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE))"},
        {gray, Request(RowUnit::Bytes, "LD", Arrangement::Block), ""},
        {gray, Request(RowUnit::Bits8, "DL", Arrangement::Interlaced), ""},
        {grayMasked, Request(RowUnit::Bits16, "LDM", Arrangement::Interlaced), ""},
        {grayMasked, Request(RowUnit::Bits16, "LDM", Arrangement::Separate, MaskBit::Opaque), ""},
        {bw, Request(RowUnit::Bits64), ""},
    };
    for (const CallCase& test : cases) {
        const Frames frames({test.picture});
        const std::string text = WriteDataText(frames.list, "s", Resolved(frames, test.request));
        const std::string expected =
            test.call.empty() ? "Aucune routine de dessin connue" : " * Appel : " + test.call + ";\n";
        EXPECT_NE(text.find(expected), std::string::npos) << text;
    }
}

TEST(DataLayout, LayoutsThatCannotHoldTheSpriteAreRefused)
{
    struct RefusalCase {
        SpriteShape shape;
        LayoutRequest request;
        std::string why;
    };
    const SpriteShape bw{20, 4, false, false}, grayMasked{8, 4, true, true};
    const RefusalCase cases[] = {
        {bw, Request(RowUnit::Bits16), "largeur de 20 pixels : plus que les 16 bits d'une ligne"},
        {{65, 1, false, false}, Request(RowUnit::Bits64), "largeur de 65 pixels : plus que les 64 bits d'une ligne"},
        {grayMasked, Request(std::nullopt, "LD"), "ordre « LD » : il manque le plan M du masque du sprite"},
        {grayMasked, Request(std::nullopt, "LLDM"), "ordre « LLDM » : le plan L est nommé deux fois"},
        {grayMasked, Request(std::nullopt, "LDMX"), "ordre « LDMX » : lettre « X » inconnue (B, L, D ou M)"},
        {grayMasked, Request(std::nullopt, "BM"),
         "ordre « BM » : le sprite est en niveaux de gris, ses plans sont L et D"},
        {grayMasked, Request(std::nullopt, "LM"), "ordre « LM » : il manque le plan D"},
        {grayMasked, Request(std::nullopt, "BLDM"), "ordre « BLDM » : B (noir et blanc) ne va pas avec L ou D"},
        {grayMasked, Request(std::nullopt, ""), "ordre vide"},
        {bw, Request(RowUnit::Bytes, "LD"), "ordre « LD » : le sprite est en noir et blanc, son plan est B"},
        {bw, Request(RowUnit::Bytes, "BM"), "ordre « BM » : le sprite n'a aucun pixel masqué, il n'a pas de plan M"},
        {bw, Request(RowUnit::Bytes, "M"), "ordre « M » : il manque le plan B, ou les plans L et D"},
    };
    for (const RefusalCase& test : cases) {
        DataLayout layout;
        const std::string why = ResolveLayout(test.request, test.shape, layout);
        EXPECT_EQ(why.substr(0, test.why.size()), test.why);
    }
}

TEST(DataLayout, DefaultsFollowTheSprite)
{
    const std::pair<int, RowUnit> widths[] = {{1, RowUnit::Bits8},   {8, RowUnit::Bits8},   {9, RowUnit::Bits16},
                                              {16, RowUnit::Bits16}, {17, RowUnit::Bits32}, {32, RowUnit::Bits32},
                                              {33, RowUnit::Bytes},  {240, RowUnit::Bytes}};
    for (const auto& [width, rows] : widths)
        EXPECT_EQ(DefaultRowUnit(width), rows) << width;
    struct OrderCase {
        SpriteShape shape;
        Arrangement arrange;
        std::string order;
    };
    const OrderCase orders[] = {
        {{8, 1, false, false}, Arrangement::Interlaced, "B"}, {{8, 1, false, true}, Arrangement::Separate, "BM"},
        {{8, 1, false, true}, Arrangement::Interlaced, "MB"}, {{8, 1, true, false}, Arrangement::Block, "LD"},
        {{8, 1, true, true}, Arrangement::Block, "LDM"},      {{8, 1, true, true}, Arrangement::Interlaced, "MLD"},
    };
    for (const OrderCase& test : orders)
        EXPECT_EQ(OrderText(DefaultOrder(test.shape, test.arrange)), test.order);
    // An order in lower case is the same order.
    DataLayout layout;
    EXPECT_EQ(ResolveLayout(Request(std::nullopt, "mdl"), {8, 1, true, true}, layout), "");
    EXPECT_EQ(OrderText(layout.order), "MDL");
}

TEST(DataLayout, NamesThatAnAssemblerWouldMisreadAreRefused)
{
    const std::tuple<std::string, DataSyntax, std::string> cases[] = {
        {"balle", DataSyntax::A68k, ""},
        {"d0", DataSyntax::C, ""},
        {"d0", DataSyntax::GnuAs, "« d0 » est un registre du 68000"},
        {"A7", DataSyntax::A68kBinary, "« A7 » est un registre du 68000"},
        {"sp", DataSyntax::A68k, "« sp » est un registre du 68000"},
        {"d8", DataSyntax::A68k, ""},
        {"int", DataSyntax::A68k, "« int » est un mot réservé du C"},
        {"1up", DataSyntax::GnuAs, "un nom C commence par une lettre ou _"},
    };
    for (const auto& [name, syntax, why] : cases)
        EXPECT_EQ(DataNameRefusal(name, syntax), why) << name;
}

// What a reading by hand is refused for names the problem: the array
// missing or too short for the whole of one frame, the number of arrays,
// the height, the width.
TEST(DataLayout, ReadingsThatCannotBeDoneSayWhy)
{
    const ArraySprites found = FindArraySprites("unsigned char t[6] = {1}; unsigned short w[2] = {1};");
    struct ReadingCase {
        std::vector<std::string> arrays;
        LayoutRequest layout;
        std::optional<int> height;
        std::optional<int> width;
        std::string why;
    };
    const ReadingCase cases[] = {
        {{"x"}, Request(std::nullopt), 1, std::nullopt, "pas de tableau « x »"},
        {{"t"},
         Request(std::nullopt, "MLD", Arrangement::Interlaced),
         4,
         std::nullopt,
         "« t » : 6 éléments, il en faut 12 pour une image de 4 lignes"},
        {{"t"},
         Request(std::nullopt, "LD", Arrangement::Block),
         4,
         std::nullopt,
         "« t » : 6 éléments, il en faut 8 pour une image de 4 lignes"},
        {{"w"},
         Request(RowUnit::Bits8),
         5,
         std::nullopt,
         "« w » : 2 éléments, il en faut 3 pour une image de 5 lignes"},
        {{"t", "w"}, Request(std::nullopt, "LDM"), 1, std::nullopt, "2 tableaux pour les 3 plans de l'ordre « LDM »"},
        {{"t", "w"},
         Request(std::nullopt, "LD", Arrangement::Block),
         1,
         std::nullopt,
         "l'arrangement block lit un seul tableau, pas 2"},
        {{"t", "w", "t", "w"}, Request(std::nullopt), 1, std::nullopt, "4 tableaux : au plus 3"},
        {{"t"}, Request(std::nullopt), std::nullopt, std::nullopt, "hauteur manquante"},
        {{"t"}, Request(std::nullopt), 0, std::nullopt, "hauteur de 0 lignes : de 1 à 128"},
        {{"t"}, Request(std::nullopt), 129, std::nullopt, "hauteur de 129 lignes : de 1 à 128"},
        {{"t"}, Request(RowUnit::Bytes), 1, std::nullopt, "largeur manquante"},
        {{"t"}, Request(std::nullopt), 1, 9, "largeur de 9 pixels : plus que les 8 bits d'une ligne"},
        {{"t"}, Request(RowUnit::Bytes), 1, 241, "largeur de 241 pixels : de 1 à 240"},
        {{"t"}, Request(std::nullopt, "BL"), 1, std::nullopt, "ordre « BL » : B (noir et blanc) ne va pas avec L ou D"},
        // Planes typed as a call's arguments.
        {{"x+2"}, Request(std::nullopt), 1, std::nullopt, "pas de tableau « x »"},
        {{"(char *)y"}, Request(std::nullopt), 1, std::nullopt, "pas de tableau « y »"},
        {{"t+"}, Request(std::nullopt), 1, std::nullopt, "« t+ » : illisible ; un plan s'écrit NOM, NOM+K"},
        {{"t[*]"}, Request(std::nullopt), 1, std::nullopt, "« t[*] » : illisible"},
        {{""}, Request(std::nullopt), 1, std::nullopt, "aucun tableau nommé"},
        {{"t", "t+6"}, Request(std::nullopt), 1, std::nullopt, "« t » : 6 éléments, il en faut 7 pour une image"},
    };
    for (const ReadingCase& test : cases) {
        ReadingRequest request;
        request.arrays = test.arrays;
        request.rows = test.layout.rows;
        request.order = test.layout.order;
        request.arrange = test.layout.arrange;
        request.height = test.height;
        request.width = test.width;
        DataSource source;
        const std::string why = PlanRequest(found.scan, request, source);
        EXPECT_EQ(why.substr(0, test.why.size()), test.why);
    }
}

// A reading by hand names its planes as a program's call does: offsets into
// one array share it, and the frames follow past the span the planes cover;
// NAME[*] takes each row of a table as a frame, a mask table row by row
// whatever the length of its rows.
TEST(DataLayout, PlanesTypedByHandTakeOffsetsAndTableRowsAsCallsDo)
{
    const ArraySprites found = FindArraySprites(
        "/* bonhomme 8 x 2 : clair puis foncé */\n"
        "static const unsigned char bonhomme[4] = {0x80, 0x40, 0xC0, 0x40};\n"
        "/* porte, deux images : clair, foncé, masque de chacune */\n"
        "static const unsigned char porte[12] = {0x80, 0x00, 0x80, 0x00, 0x7F, 0xFF,\n"
        "                                        0x00, 0x40, 0x00, 0x00, 0xFF, 0xBF};\n"
        "static const unsigned char marche[3][2] = {{0x80, 0x00}, {0x40, 0x00}, {0x20, 0x20}};\n"
        "static const unsigned char marche_m[3][4] = {{0x7F, 0x7F, 9, 9}, {0x3F, 0x3F, 9, 9}, {0, 0, 9, 9}};\n"
        "static const unsigned char gris[2][4] = {{0x80, 0x00, 0x80, 0x80}, {0x00, 0xFF, 0xFF, 0x00}};\n");
    struct HandReading {
        std::vector<std::string> planes;
        const char* order;
        std::vector<Rows> frames;
    };
    const HandReading cases[] = {
        {{"bonhomme", "bonhomme+2"}, "LD", {{"#d......", ".#......"}}},
        {{"bonhomme", "&bonhomme[2]"}, "LD", {{"#d......", ".#......"}}},
        {{"(unsigned char *)bonhomme + 2", "bonhomme"}, "DL", {{"#d......", ".#......"}}},
        {{"porte", "porte+2", "porte+4"}, "LDM", {{"#WWWWWWW", "WWWWWWWW"}, {"WWWWWWWW", "WlWWWWWW"}}},
        {{"marche[*]"}, "B", {{"#.......", "........"}, {".#......", "........"}, {"..#.....", "..#....."}}},
        {{"marche[1]"}, "B", {{".#......", "........"}}},
        {{"marche"}, "B", {{"#.......", "........"}, {".#......", "........"}, {"..#.....", "..#....."}}},
        {{"marche[*]", "marche_m[*]"},
         "BM",
         {{"#WWWWWWW", ".WWWWWWW"}, {".#WWWWWW", "..WWWWWW"}, {"..#.....", "..#....."}}},
        {{"gris[*]", "gris[*]+2"}, "LD", {{"#.......", "d......."}, {"dddddddd", "llllllll"}}},
        {{"gris[i]", "&gris[i][2]"}, "LD", {{"#.......", "d......."}, {"dddddddd", "llllllll"}}},
    };
    for (const HandReading& test : cases) {
        SCOPED_TRACE(test.planes.front() + " " + test.order);
        ReadingRequest request;
        request.arrays = test.planes;
        request.order = test.order;
        request.height = 2;
        DataSource source;
        ASSERT_EQ(PlanRequest(found.scan, request, source), "");
        std::vector<Rows> read;
        for (const auto& frame : ReadDataFrames(found.scan, source, 0, FramesOf(found.scan, source)))
            read.push_back(ToRows(*frame));
        EXPECT_EQ(read, test.frames);
    }
}

} // namespace
