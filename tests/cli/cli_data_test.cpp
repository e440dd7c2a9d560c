// pixora-export --data, and sprite data read back by --to-pixo and
// --to-pixs in a layout of the command line or of a draw call: the texts
// written, the round trips through them, and the refusals, each with status
// 2 and no output file.
#include "CommandFixture.h"

namespace {

struct Refusal {
    Args arguments;
    std::string messagePart;
};

// "ld#W........" / "#..........W": light, dark, black, a masked pixel, and
// a masked pixel at the end of the second row; masked pixels white, as the
// data gives them back.
int GrayMaskedCell(int x, int y)
{
    static const char* const rows[] = {"ld#W........", "#..........W"};
    const char c = rows[y][x];
    return c == 'l' ? 1 : c == 'd' ? 2 : c == '#' ? 3 : c == 'W' ? 15 : 0;
}

TEST_F(CommandTest, DataExportWritesTheLayoutAsked)
{
    WriteFile(At("g.pixo"), PixoFrom(12, 2, 4, GrayMaskedCell));
    const RunResult interlaced = Run({"--data", "--arrange", "interlaced", "--defines", At("g.pixo")});
    ASSERT_EQ(interlaced.status, 0) << interlaced.err;
    EXPECT_EQ(interlaced.out.rfind("/* g : 12 x 2 pixels, niveaux de gris avec masque\n", 0), 0u);
    EXPECT_NE(interlaced.out.find("#define g_HEIGHT 2\n"), std::string::npos);
    EXPECT_NE(interlaced.out.find("g[6] __attribute__((unused)) = {\n    0x100F,\n    0xA000,\n    0x6000,\n"
                                  "    0x001F,\n    0x8000,\n    0x8000,\n};\n"),
              std::string::npos)
        << interlaced.out;

    ASSERT_EQ(
        Run({"--data", "--syntax", "gnu-as", "--order", "DLM", "-n", "mur", "-o", At("mur.s"), At("g.pixo")}).status,
        0);
    const std::string assembly = ReadFile(At("mur.s"));
    EXPECT_NE(assembly.find("mur_DarkPlane:\n\t.word 0x6000\n\t.word 0x8000\n"), std::string::npos) << assembly;
    EXPECT_NE(assembly.find("mur_Mask:\n\t.word 0x100F\n\t.word 0x001F\n"), std::string::npos) << assembly;

    // A set: one array of parts per plane, or arrays of their own; --frame takes one.
    WriteFile(At("pas.pixs"), PixsBytes({PatternPixo(8, 2, 1), PixoFrom(8, 2, 1, [](int, int) { return 3; })}));
    const RunResult parts = Run({"--data", At("pas.pixs")});
    EXPECT_NE(parts.out.find("pas[2][2] __attribute__((unused)) = {\n    { /* 0 */\n"), std::string::npos) << parts.out;
    EXPECT_NE(Run({"--data", "--frames", "separate", At("pas.pixs")}).out.find("pas_1[2]"), std::string::npos);
    EXPECT_NE(Run({"--data", "--frame", "1", At("pas.pixs")})
                  .out.find("pas[2] __attribute__((unused)) = {\n"
                            "    0xFF,\n    0xFF,\n};"),
              std::string::npos);
}

struct RoundTripCase {
    Args writing; // the layout options of --data
    std::string source;
    Args reading; // what --to-pixo is told
};

// Each layout written by --data and read back by --to-pixo with the same
// options is the sprite it was, byte for byte.
TEST_F(CommandTest, DataComesBackThroughToPixoInTheSameLayout)
{
    WriteFile(At("g.pixo"), PixoFrom(12, 2, 4, GrayMaskedCell));
    const RoundTripCase cases[] = {
        {{}, "a.h", {"--array", "g_LightPlane,g_DarkPlane,g_Mask", "--height", "2", "--width", "12"}},
        {{"--arrange", "block", "--rows", "32", "--syntax", "c-binary"},
         "b.c",
         {"--array", "g", "--arrange", "block", "--order", "LDM", "--height", "2", "--width", "12"}},
        {{"--arrange", "interlaced", "--mask-bit", "opaque", "--syntax", "a68k"},
         "c.asm",
         {"--array", "g", "--arrange", "interlaced", "--order", "mld", "--mask-bit", "opaque", "--height", "2",
          "--width", "12"}},
        {{"--rows", "bytes", "--order", "MDL", "--syntax", "gnu-as-binary"},
         "d.S",
         {"--array", "g_Mask,g_DarkPlane,g_LightPlane", "--order", "MDL", "--rows", "bytes", "--height", "2", "--width",
          "12"}},
        {{"--rows", "64", "--arrange", "block", "--syntax", "a68k-binary"},
         "e.inc",
         {"--array", "g", "--arrange", "block", "--order", "LDM", "--rows", "64", "--height", "2", "--width", "12"}},
    };
    for (const RoundTripCase& test : cases) {
        Args data = {"--data", "-o", At(test.source)};
        data.insert(data.end(), test.writing.begin(), test.writing.end());
        data.push_back(At("g.pixo"));
        ASSERT_EQ(Run(data).status, 0) << test.source;
        Args back = {"--to-pixo", At("back.pixo"), At(test.source)};
        back.insert(back.end(), test.reading.begin(), test.reading.end());
        const RunResult read = Run(back);
        ASSERT_EQ(read.status, 0) << test.source << ": " << read.err;
        EXPECT_TRUE(ReadFile(At("back.pixo")) == ReadFile(At("g.pixo"))) << test.source;
    }

    // A set comes back whole through --to-pixs, its first frame through --to-pixo.
    const std::vector<std::string> frames = {PatternPixo(8, 2, 2), PatternPixo(8, 2, 1), PatternPixo(8, 2, 2)};
    WriteFile(At("set.pixs"), PixsBytes(frames));
    ASSERT_EQ(Run({"--data", "--arrange", "block", "-o", At("set.h"), At("set.pixs")}).status, 0);
    const RunResult all =
        Run({"--to-pixs", At("back.pixs"), At("set.h"), "--array", "set", "--arrange", "block", "--height", "2"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_NE(all.err.find("3 images de 8 x 2 lues"), std::string::npos) << all.err;
    EXPECT_TRUE(ReadFile(At("back.pixs")) == PixsBytes(frames));
    const RunResult first =
        Run({"--to-pixo", At("first.pixo"), At("set.h"), "--array", "set", "--arrange", "block", "--height", "2"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.err.find("3 images de 8 x 2 dans les tableaux, lue la première"), std::string::npos) << first.err;
    EXPECT_TRUE(ReadFile(At("first.pixo")) == frames[0]);
}

// With --array alone, a call of a sprite routine in the source gives the
// height, the row width, the planes and the mask.
TEST_F(CommandTest, ADrawCallOfTheSourceSaysHowToReadItsArray)
{
    WriteFile(At("jeu.c"), "/* curseur : clair, fonc\xE9, masque */\n"
                           "static const unsigned short cursor[3*2] = {0xC000, 0x4000, 0x8000, 0x4000,\n"
                           "                                            0x3FFF, 0x1FFF};\n"
                           "const unsigned char walk[3][2] = {{0x80, 0}, {0x40, 0}, {0x20, 0}};\n"
                           "void Draw(short x, short y, short i) {\n"
                           "    GrayClipSprite16_SMASK_R(x, y, 2, cursor, cursor + 2, cursor + 4,\n"
                           "                             GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE));\n"
                           "    Sprite8(x, y, 2, walk[i], LCD_MEM, SPRT_XOR);\n"
                           "}\n");
    const RunResult cursor = Run({"--to-pixo", At("c.pixo"), "--array", "cursor", "--width", "3", At("jeu.c")});
    ASSERT_EQ(cursor.status, 0) << cursor.err;
    // The routine ANDs the background with the mask: its 1 bits are transparent.
    const std::string expected = PixoFrom(3, 2, 4, [](int x, int y) {
        const char* rows[] = {"#lW", ".#."};
        const char c = rows[y][x];
        return c == '#' ? 3 : c == 'l' ? 1 : c == 'W' ? 15 : 0;
    });
    EXPECT_TRUE(ReadFile(At("c.pixo")) == expected);

    const RunResult walk = Run({"--to-pixs", At("walk.pixs"), "--array", "walk", At("jeu.c")});
    ASSERT_EQ(walk.status, 0) << walk.err;
    EXPECT_NE(walk.err.find("3 images de 8 x 2 lues, lu comme l'appel Sprite8"), std::string::npos) << walk.err;
    std::vector<std::string> frames;
    for (int k = 0; k < 3; ++k)
        frames.push_back(PixoFrom(8, 2, 1, [k](int x, int y) { return y == 0 && x == k ? 3 : 0; }));
    EXPECT_TRUE(ReadFile(At("walk.pixs")) == PixsBytes(frames));
}

TEST_F(CommandTest, LayoutsThatDoNotFitAndBadSourcesAreRefusedWithoutOutput)
{
    WriteFile(At("g.pixo"), PixoFrom(12, 2, 4, GrayMaskedCell));
    WriteFile(At("src.c"), "unsigned short a[4] = {1, 2, 3, 4};\nunsigned short b[4] = {0};\n");
    const std::string out = At("out");
    const Refusal cases[] = {
        {{"--data", "--rows", "8", "-o", out, At("g.pixo")}, "largeur de 12 pixels : plus que les 8 bits"},
        {{"--data", "--order", "LD", "-o", out, At("g.pixo")}, "il manque le plan M"},
        {{"--data", "--order", "LLDM", "-o", out, At("g.pixo")}, "le plan L est nommé deux fois"},
        {{"--data", "--order", "BM", "-o", out, At("g.pixo")}, "le sprite est en niveaux de gris"},
        {{"--data", "--arrange", "diagonal", "-o", out, At("g.pixo")},
         "--arrange attend separate, block ou interlaced"},
        {{"--data", "--syntax", "a68k", "-n", "a0", "-o", out, At("g.pixo")}, "registre du 68000"},
        {{"--data", "-p", "hexplane", "-o", out, At("g.pixo")}, "-p ne s'emploie pas avec --data"},
        {{"--data", "--rows", "16", "--rows", "32", "-o", out, At("g.pixo")}, "--rows est donnée plusieurs fois"},
        {{"--to-pixo", out, At("src.c"), "--array", "a", "--height", "5"},
         "« a » : 4 éléments, il en faut 5 pour une image de 5 lignes"},
        {{"--to-pixo", out, At("src.c"), "--array", "a,c", "--height", "2"},
         "pas de tableau « c » ; tableaux "
         "trouvés : a, b"},
        {{"--to-pixo", out, At("src.c"), "--array", "a", "--height", "0"}, "--height attend un nombre entier de 1"},
        {{"--to-pixo", out, At("src.c"), "--array", "a,b", "--order", "LDM", "--height", "1"},
         "2 tableaux pour les 3 plans"},
        {{"--to-pixo", out, At("src.c"), "--array", "a", "--order", "LX", "--height", "1"}, "lettre « X » inconnue"},
        {{"--to-pixo", out, At("src.c"), "--array", "a", "--rows", "bytes", "--height", "1"}, "largeur manquante"},
        {{"--to-pixo", out, At("src.c"), "--array", "a", "--rows", "8", "--height", "1", "--width", "9"},
         "largeur de 9 pixels : plus que les 8 bits"},
        {{"--to-pixo", out, At("src.c"), "--height", "2"}, "demande --array"},
        {{"--to-pixo", out, At("src.c"), "--array", "a", "--syntax", "c", "--height", "2"},
         "ne s'emploient qu'avec --data"},
        {{"--to-pixo", out, At("g.pixo"), "--array", "a", "--height", "2"}, "--array ne s'emploie pas sans source C"},
        {{"--to-png", out, "--order", "B", At("g.pixo")},
         "ne s'emploient qu'avec --data ou pour lire une source C ou assembleur"},
    };
    for (const Refusal& test : cases) {
        const RunResult result = Run(test.arguments);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(test.arguments);
        EXPECT_NE(result.err.find(test.messagePart), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(out)) << testing::PrintToString(test.arguments);
    }
}

} // namespace

// With no option, pixora-export reads its own --data text as the comment
// above the data says (an interlaced set here, every frame), and a source
// with a draw call as the call draws it, not as its first array.
TEST_F(CommandTest, OwnTextAndDrawCallsAreReadWithNoOption)
{
    const std::vector<std::string> frames = {PixoFrom(12, 2, 4, GrayMaskedCell), PixoFrom(12, 2, 4, [](int x, int y) {
                                                 return GrayMaskedCell(11 - x, 1 - y);
                                             })};
    WriteFile(At("hero.pixs"), PixsBytes(frames));
    for (const char* syntax : {"c", "a68k", "gnu-as"}) {
        SCOPED_TRACE(syntax);
        ASSERT_EQ(
            Run({"--data", "--arrange", "interlaced", "--syntax", syntax, "-o", At("hero.txt.h"), At("hero.pixs")})
                .status,
            0);
        const std::string source = std::string(syntax) == "c" ? "hero.h" : "hero.s";
        fs::rename(At("hero.txt.h"), At(source));
        const RunResult all = Run({"--to-pixs", At("back.pixs"), At(source)});
        ASSERT_EQ(all.status, 0) << all.err;
        EXPECT_NE(all.err.find("2 images de 12 x 2 lues"), std::string::npos) << all.err;
        EXPECT_TRUE(ReadFile(At("back.pixs")) == PixsBytes(frames));
        const RunResult one = Run({"--to-pixo", At("back.pixo"), At(source)});
        ASSERT_EQ(one.status, 0) << one.err;
        EXPECT_TRUE(ReadFile(At("back.pixo")) == frames[0]);
        fs::remove(At(source));
    }

    // The first array is a tile map of bytes; the call draws the sprite of
    // two 16-bit planes that follows it.
    WriteFile(At("niveau.c"), "static const unsigned char map[4] = {1, 2, 2, 1};\n"
                              "static const unsigned short gem[4] = {0x8000, 0x4000, 0xC000, 0x0000};\n"
                              "void Dessine(short x, short y) {\n"
                              "    GrayClipSprite16_OR_R(x, y, 2, gem, gem + 2, GrayGetPlane(LIGHT_PLANE),\n"
                              "                          GrayGetPlane(DARK_PLANE));\n"
                              "}\n");
    const RunResult drawn = Run({"--to-pixo", At("gem.pixo"), At("niveau.c")});
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_NE(drawn.err.find("lu celui d'un appel de dessin, « gem:GrayClipSprite16_OR_R »"), std::string::npos)
        << drawn.err;
    EXPECT_TRUE(ReadFile(At("gem.pixo")) == PixoFrom(16, 2, 2, [](int x, int y) {
                    const char* rows[] = {"#d", ".l"};
                    const char c = x < 2 ? rows[y][x] : '.';
                    return c == '#' ? 3 : c == 'd' ? 2 : c == 'l' ? 1 : 0;
                }));
}

// A folder is read as one program: the call of one file reads the table of
// another, every frame; a folder without sources is refused, nothing written.
TEST_F(CommandTest, AFolderIsReadAsOneProgram)
{
    fs::create_directories(At("jeu/src"));
    WriteFile(At("jeu/gfx.h"),
              "#define ETOILE_H 2\n"
              "const unsigned char etoile[3][ETOILE_H] = {{0x80, 0x40}, {0x20, 0x10}, {0x08, 0x04}};\n");
    WriteFile(At("jeu/src/ciel.c"),
              "#include \"../gfx.h\"\n#include \"absent.h\"\n"
              "void Ciel(short t) { Sprite8(t, 0, ETOILE_H, etoile[t % 3], LCD_MEM, SPRT_OR); }\n");
    const RunResult sky = Run({"--to-pixs", At("ciel.pixs"), At("jeu")});
    ASSERT_EQ(sky.status, 0) << sky.err;
    EXPECT_NE(sky.err.find("#include \"absent.h\" introuvable, passé"), std::string::npos) << sky.err;
    EXPECT_NE(sky.err.find("3 images de 8 x 2 lues"), std::string::npos) << sky.err;
    std::vector<std::string> frames;
    for (int k = 0; k < 3; ++k)
        frames.push_back(PixoFrom(8, 2, 1, [k](int x, int y) { return x == 2 * k + y ? 3 : 0; }));
    EXPECT_TRUE(ReadFile(At("ciel.pixs")) == PixsBytes(frames));

    fs::create_directories(At("vide"));
    const RunResult empty = Run({"--to-pixs", At("rien.pixs"), At("vide")});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("aucun fichier C ou assembleur dans le dossier"), std::string::npos) << empty.err;
    EXPECT_FALSE(fs::exists(At("rien.pixs")));
}

TEST_F(CommandTest, ListSpritesSaysEachReadingAndWhereItIsDrawn)
{
    fs::create_directories(At("jeu"));
    WriteFile(At("jeu/gfx.h"), "#define BALLE_H 2\n"
                               "const unsigned char balle[3][BALLE_H] = {{0x18, 0x3C}, {0x3C, 0x18}, {0x18, 0x18}};\n"
                               "const unsigned char mur[2] = {0xFF, 0x81};\n");
    WriteFile(At("jeu/jeu.c"), "#include \"gfx.h\"\n\nvoid Rebond(short t)\n{\n"
                               "    Sprite8(t, 40, BALLE_H, balle[t % 3], LCD_MEM, SPRT_XOR);\n}\n");
    WriteFile(At("vide.c"), "int score;\n");
    const RunResult listed = Run({"--list-sprites", At("jeu/jeu.c"), At("vide.c")});
    EXPECT_EQ(listed.status, 0) << listed.err;
    const std::string drawn = At("jeu/jeu.c") + ":5";
    EXPECT_EQ(listed.out.substr(0, listed.out.find('\n', listed.out.find('\n') + 1) + 1),
              "balle:Sprite8  8 x 2  noir et blanc  3 images  " + drawn +
                  "\nballe[0]  8 x 2  noir et blanc  1 image  " + drawn + "\n");
    EXPECT_NE(listed.out.find("\nmur  8 x 2  noir et blanc  1 image  tableau seul\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.err.find("vide.c : aucun tableau de sprite lisible"), std::string::npos) << listed.err;

    WriteFile(At("s.pixo"), PatternPixo(8, 8, 1));
    const struct {
        Args arguments;
        const char* said;
    } refused[] = {
        {{"--list-sprites", At("vide.c")}, "aucun tableau de sprite lisible"},
        {{"--list-sprites", At("s.pixo")}, "ni une source C"},
        {{"--list-sprites", At("absent")}, "absent"},
        {{"--list-sprites", "-o", At("x"), At("jeu")}, "ne s'emploie pas avec --list-sprites"},
        {{"--list-sprites", "--rows", "8", At("jeu")}, "une disposition ne s'emploie pas"},
        {{"--list-sprites"}, "fichier d'entrée manquant"},
    };
    for (const auto& [arguments, said] : refused) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(said), std::string::npos) << result.err;
    }
}
