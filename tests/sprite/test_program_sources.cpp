// Whole programs read as one: a game's header of data drawn from its .c
// files through table indexes, offsets, a mask table and the dark plane
// first; includes in a loop; a folder of C and assembly; folders and include
// chains past the bounds, capped with a note. The projects are hand-written
// in the shape small calculator games take.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "LayoutFixture.h"
#include "PreprocessorCondition.h"
#include "ProgramText.h"
#include "SourceReading.h"
#include "SpriteListing.h"

namespace fs = std::filesystem;

namespace {

class ProgramSources : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("pixora-program-" + std::to_string(::getpid()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& text) const
    {
        const fs::path path = folder_ / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    std::string Path(const std::string& name = {}) const { return (folder_ / name).string(); }

    // "Taupe": four directions of an 8 x 2 gray masked mole, each part of
    // the table its light rows then its dark rows, the mask in a table of its
    // own; the sizes header includes the data header back.
    void WriteMoleGame() const
    {
        Write("sizes.h", "#include \"sprites.h\"\n#define TAUPE_H 2\n");
        Write("sprites.h", "#ifndef SPRITES_H\n#define SPRITES_H\n#include \"sizes.h\"\n"
                           "static const unsigned char taupe[4][2 * TAUPE_H] = {\n"
                           "    {0x80, 0x00, 0x80, 0x40}, /* haut */\n"
                           "    {0x40, 0x40, 0x00, 0x40}, /* droite */\n"
                           "    {0x00, 0x00, 0x00, 0x00}, /* bas */\n"
                           "    {0xFF, 0x00, 0x00, 0xFF}, /* gauche */\n"
                           "};\n"
                           "static const unsigned char taupe_mask[4][TAUPE_H] = {\n"
                           "    {0x3F, 0x3F}, {0x3F, 0x3F}, {0x00, 0xFF}, {0x00, 0x00}};\n"
                           "static const unsigned char pelle[3] = {0x10, 0x38, 0x7C};\n"
                           "#endif\n");
        Write("main.c",
              "#include <tigcclib.h>\n#include \"sprites.h\"\n"
              "void DessineTaupe(short x, short y, short dir) {\n"
              "    GraySprite8_MASK_R(x, y, TAUPE_H, taupe[dir] + TAUPE_H, taupe[dir], taupe_mask[dir],\n"
              "                       taupe_mask[dir], GrayGetPlane(DARK_PLANE), GrayGetPlane(LIGHT_PLANE));\n"
              "}\n");
        Write("ennemi.c", "#include \"sprites.h\"\n"
                          "void Pelle(short x, short y) { Sprite8(x, y, 3, pelle, LCD_MEM, SPRT_XOR); }\n");
    }

    fs::path folder_;
};

const std::vector<Rows> MoleFrames = {
    {"#.WWWWWW", ".dWWWWWW"},
    {".lWWWWWW", ".#WWWWWW"},
    {"........", "WWWWWWWW"},
    {"llllllll", "dddddddd"},
};

std::vector<Rows> FramesOfCandidate(const ArraySprites& found, const std::string& id)
{
    const ArrayCandidate* candidate = FindCandidate(found, id);
    if (!candidate)
        return {{"<pas de " + id + ">"}};
    std::vector<Rows> read;
    for (const auto& frame : BuildCandidateFrames(found, *candidate, candidate->width))
        read.push_back(ToRows(*frame));
    return read;
}

TEST_F(ProgramSources, AGameIsReadFromItsCFileOrItsFolderAsItsCallsDrawIt)
{
    WriteMoleGame();
    // From main.c its call comes first; from the folder, ennemi.c's, first in path order.
    const std::pair<std::string, std::string> inputs[] = {{Path("main.c"), "taupe:GraySprite8_MASK_R"},
                                                          {Path(), "pelle:Sprite8"}};
    for (const auto& [input, first] : inputs) {
        SCOPED_TRACE(input);
        const ProgramText program = ReadProgram(input);
        ASSERT_EQ(program.refusal, "");
        EXPECT_TRUE(program.notes.empty()) << program.notes.front();
        const ArraySprites found = FindProgramSprites(program);
        ASSERT_FALSE(found.candidates.empty());
        EXPECT_EQ(found.candidates[FirstCandidateToShow(found)].id, first);
        EXPECT_EQ(FramesOfCandidate(found, "taupe:GraySprite8_MASK_R"), MoleFrames);
        EXPECT_EQ(ArrayGroupNamed(found.scan, "taupe").size(), 4u); // the header read once, loop or not
    }
    const ProgramText folder = ReadProgram(Path());
    EXPECT_EQ(folder.files,
              (std::vector<std::string>{Path("ennemi.c"), Path("sprites.h"), Path("sizes.h"), Path("main.c")}));
    EXPECT_EQ(FramesOfCandidate(FindProgramSprites(folder), "pelle:Sprite8"),
              (std::vector<Rows>{{"...#....", "..###...", ".#####.."}}));
}

// --array TABLE reads a table as its call draws it: every frame, or the
// first; TABLE[k] frame k of that reading, not the bare part.
TEST_F(ProgramSources, ATableOrOneOfItsFramesIsReadAsTheCallDrawsIt)
{
    WriteMoleGame();
    struct Case {
        const char* array;
        bool allFrames;
        std::vector<Rows> frames; // none: refused
        const char* refusal;
    } const cases[] = {
        {"taupe", true, MoleFrames, ""},
        {"taupe", false, {MoleFrames[0]}, ""},
        {"taupe[2]", false, {MoleFrames[2]}, ""},
        {"taupe[3]", true, {MoleFrames[3]}, ""},
        {"taupe[4]", false, {}, "taupe[4] : pas d'image 4, l'appel GraySprite8_MASK_R en lit 4 (de 0 à 3)"},
        {"pelle[0]", false, {}, "pas de tableau « pelle[0] »"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.array) + (c.allFrames ? " all" : " first"));
        SourceRequest request;
        request.path = Path("main.c");
        request.array = c.array;
        request.allFrames = c.allFrames;
        const SourceAnswer answer = ReadSource(request);
        std::vector<Rows> read;
        for (const auto& frame : answer.frames)
            read.push_back(ToRows(*frame));
        EXPECT_EQ(read, c.frames);
        EXPECT_NE(answer.refusal.find(c.refusal), std::string::npos) << answer.refusal;
    }
}

// A listing names each reading, the readings of calls first, with the file
// and line of the first call that draws its arrays.
TEST_F(ProgramSources, EachReadingIsListedWithTheCallThatDrawsIt)
{
    WriteMoleGame();
    const ProgramText program = ReadProgram(Path());
    std::vector<std::string> lines;
    for (const SpriteListing& listing : ListProgramSprites(program, FindProgramSprites(program)))
        lines.push_back(SpriteListingLine(listing));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "pelle:Sprite8  8 x 3  noir et blanc  1 image  " + Path("ennemi.c") + ":2");
    EXPECT_EQ(lines[1], "taupe:GraySprite8_MASK_R  8 x 2  niveaux de gris masqué  4 images  " + Path("main.c") + ":4");
    EXPECT_EQ(lines[2], "taupe[0]  8 x 4  noir et blanc  1 image  " + Path("main.c") + ":4"); // a part of the table
    const std::string alone = "nuage  8 x 1  noir et blanc  1 image  tableau seul";
    Write("nuage.h", "const unsigned char nuage[1] = {0x7E};\n");
    const ProgramText withCloud = ReadProgram(Path());
    const std::vector<SpriteListing> listed = ListProgramSprites(withCloud, FindProgramSprites(withCloud));
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(),
                            [&](const SpriteListing& listing) { return SpriteListingLine(listing) == alone; }));
}

// The line of a call counts the lines of its own file only, whatever was
// included before it, left out by #if, or ended in CR LF or CR alone.
TEST_F(ProgramSources, ACallsPlaceIsItsLineInItsOwnFile)
{
    const std::string call = "Sprite8(0, 0, 1, point, LCD_MEM, SPRT_OR);";
    struct Case {
        const char* what;
        std::string main;
        std::string header;
        std::string place; // in main.c or h.h
    } const cases[] = {
        {"after an include", "#include \"h.h\"\n\nvoid f(void) {\n" + call + "\n}\n",
         "const unsigned char point[1] = {1};\n/* deux */\n/* trois */\n", "main.c:4"},
        {"after an include read already", "#include \"h.h\"\n#include \"h.h\"\nvoid f(void) { " + call + " }\n",
         "const unsigned char point[1] = {1};\n", "main.c:3"},
        {"after a branch left out", "#if 0\nx\ny\n#else\n#include \"h.h\"\n#endif\nvoid f(void) { " + call + " }\n",
         "const unsigned char point[1] = {1};\n", "main.c:7"},
        {"CR LF line ends", "#include \"h.h\"\r\n\r\nvoid f(void)\r\n{ " + call + " }\r\n",
         "const unsigned char point[1] = {1};\r\n", "main.c:4"},
        {"CR alone", "#include \"h.h\"\r\rvoid f(void) { " + call + " }\r", "const unsigned char point[1] = {1};\r",
         "main.c:3"},
        {"in the header", "#include \"h.h\"\n", "const unsigned char point[1] = {1};\nvoid g(void)\n{ " + call + " }\n",
         "h.h:3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write("main.c", c.main);
        Write("h.h", c.header);
        const ProgramText program = ReadProgram(Path("main.c"));
        const ArraySprites found = FindProgramSprites(program);
        ASSERT_EQ(found.calls.size(), 1u);
        EXPECT_EQ(PlaceInProgram(program, found.calls.front().textOffset), Path(c.place));
    }
}

// Labels that end in a plane's name are one sprite named by their stem,
// whichever of the endings a program uses; C arrays and labels of other
// sizes are not grouped.
TEST(AssemblyLabelGroups, LabelsNamingPlanesAreOneSpriteNamedByTheirStem)
{
    const auto labels = [](const std::vector<std::string>& names, const std::vector<const char*>& rows) {
        std::string text;
        for (std::size_t i = 0; i < names.size(); ++i)
            text += names[i] + ":\n\tdc.b " + rows[i % rows.size()] + "\n";
        return text;
    };
    struct Case {
        std::string text;
        SourceKind kind;
        const char* id; // empty: no group
        ArrayLayout layout;
    } const cases[] = {
        {labels({"key_light", "key_dark", "key_mask"}, {"$F0,$90"}), SourceKind::Assembly, "key",
         ArrayLayout::MaskedPlanes},
        {labels({"key_m", "key_d", "key_l"}, {"$F0,$90"}), SourceKind::Assembly, "key", ArrayLayout::MaskedPlanes},
        {labels({"heroLight", "heroDark"}, {"1,2"}), SourceKind::Assembly, "hero", ArrayLayout::Planes},
        {labels({"hero_Light", "hero_Dark", "hero_Mask"}, {"1,2"}), SourceKind::Assembly, "hero",
         ArrayLayout::MaskedPlanes},
        {labels({"cle_clair", "cle_fonce", "cle_masque"}, {"1,2"}), SourceKind::Assembly, "cle",
         ArrayLayout::MaskedPlanes},
        {labels({"balle", "balle_m"}, {"1,2"}), SourceKind::Assembly, "balle", ArrayLayout::Masked},
        {labels({"mur_light", "mur_dark"}, {"1,2", "1,2,3"}), SourceKind::Assembly, "", ArrayLayout::Planes},
        {"unsigned char key_light[2] = {1, 2};\nunsigned char key_dark[2] = {3, 4};\n", SourceKind::C, "",
         ArrayLayout::Planes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ArraySprites found = FindSourceSprites(c.text, c.kind);
        const auto group = std::find_if(found.candidates.begin(), found.candidates.end(),
                                        [](const ArrayCandidate& candidate) { return candidate.labelGroup; });
        if (*c.id == '\0') {
            EXPECT_EQ(group, found.candidates.end());
            continue;
        }
        ASSERT_NE(group, found.candidates.end());
        EXPECT_EQ(group->id, c.id);
        EXPECT_EQ(group->layout, c.layout);
        EXPECT_EQ(FindCandidate(found, c.id), &*group);
    }
}

// Height then width in bytes before the rows, in either assembler's words,
// is a header and not rows; words that do not describe the rows after them
// stay data.
TEST(AssemblyLabelGroups, ATwoWordHeaderGivesTheRowsTheirWidth)
{
    struct Case {
        const char* text;
        Rows rows; // of the first candidate
    } const cases[] = {
        {"pion:\n\tdc.w 2\n\tdc.w 1\n\tdc.b %10000001,%01111110\n", {"#......#", ".######."}},
        {"pion:\n\t.word 2, 2\n\t.byte 0x80, 0x01, 0xFF, 0xFF\n", {"#..............#", "################"}},
        {"pion:\n\t.short 2\n\t.short 1\n\t.byte 0b11000000, 0b00000011\n", {"##......", "......##"}},
        // 3 rows announced, 2 given: all six bytes are rows
        {"pion:\n\tdc.w 3\n\tdc.w 1\n\tdc.b $FF,$00\n",
         {"........", "......##", "........", ".......#", "########", "........"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ArraySprites found = FindSourceSprites(c.text, SourceKind::Assembly);
        ASSERT_FALSE(found.candidates.empty());
        Sprite sprite;
        BuildArraySprite(found, found.candidates.front(), found.candidates.front().width, sprite);
        EXPECT_EQ(ToRows(sprite), c.rows);
    }
}

TEST_F(ProgramSources, ALabelGroupIsReadWithItsMaskBitAndListedAsLabels)
{
    Write("gfx/cle.asm", "\tSECTION DATA\nkey_light:\n\tdc.w 2\n\tdc.w 1\n\tdc.b %11000000,%00000000\n"
                         "key_dark:\n\tdc.w 2,1\n\tdc.b %10000000,%10000000\n"
                         "key_mask:\n\tdc.w 2\n\tdc.w 1\n\tdc.b %00111111,%00111111\n");
    const struct {
        std::optional<MaskBit> maskBit;
        Rows rows;
    } cases[] = {
        {std::nullopt, {"#lWWWWWW", "d.WWWWWW"}},
        {MaskBit::Transparent, {"#lWWWWWW", "d.WWWWWW"}},
        {MaskBit::Opaque, {"WW......", "WW......"}},
    };
    for (const auto& [maskBit, rows] : cases) {
        SourceRequest request;
        request.path = Path();
        request.array = "key";
        if (maskBit) {
            request.layout = ReadingRequest{};
            request.layout->arrays = {"key"};
            request.layout->maskBit = *maskBit;
        }
        const SourceAnswer answer = ReadSource(request);
        ASSERT_EQ(answer.frames.size(), 1u) << answer.refusal;
        EXPECT_EQ(ToRows(*answer.frames.front()), rows);
    }
    const ProgramText program = ReadProgram(Path());
    const std::vector<SpriteListing> listed = ListProgramSprites(program, FindProgramSprites(program));
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(SpriteListingLine(listed.front()), "key  8 x 2  niveaux de gris masqué  1 image  étiquettes");
}

// Two files of a folder define one name: the call's own file (or what it
// includes) wins, else the first in path order, and a note names both.
TEST_F(ProgramSources, OfTwoDefinitionsTheOneBesideTheCallIsRead)
{
    const std::string old = "const unsigned char nave[2] = {0xFF, 0x81};\n";
    const std::string mine = "const unsigned char nave[2] = {0x18, 0x3C};\n";
    const std::string draw = "void Dessine(void) { Sprite8(0, 0, 2, nave, LCD_MEM, SPRT_OR); }\n";
    const Rows oldRows = {"########", "#......#"};
    const Rows mineRows = {"...##...", "..####.."};
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;
        Rows read;
        std::string kept; // the file named as read in the note
    } const cases[] = {
        {"included by the call's file",
         {{"a_vieux.h", old}, {"b_jeu.c", "#include \"c_nave.h\"\n" + draw}, {"c_nave.h", mine}},
         mineRows,
         "c_nave.h:1"},
        {"included by the call's file, read before it",
         {{"a_vieux.h", old}, {"b_nave.h", mine}, {"c_jeu.c", "#include \"b_nave.h\"\n" + draw}},
         mineRows,
         "b_nave.h:1"},
        {"in the call's file", {{"a_vieux.h", old}, {"b_jeu.c", mine + draw}}, mineRows, "b_jeu.c:1"},
        {"no call", {{"a_vieux.h", old}, {"c_nave.h", mine}}, oldRows, "a_vieux.h:1"},
        {"the first is beside the call", {{"a_jeu.c", old + draw}, {"b_nave.h", mine}}, oldRows, "a_jeu.c:1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Path());
        for (const auto& [name, text] : c.files)
            Write(name, text);
        const ArraySprites found = FindProgramSprites(ReadProgram(Path()));
        EXPECT_EQ(FramesOfCandidate(found, "nave"), std::vector<Rows>{c.read});
        ASSERT_EQ(found.notes.size(), 1u);
        EXPECT_NE(found.notes.front().find("défini 2 fois"), std::string::npos) << found.notes.front();
        EXPECT_NE(found.notes.front().find(") : lu " + Path(c.kept)), std::string::npos) << found.notes.front();
        for (const auto& [name, text] : c.files) { // every file that defines it
            if (text.find("nave[2]") != std::string::npos) {
                EXPECT_NE(found.notes.front().find(Path(name) + ":1"), std::string::npos) << found.notes.front();
            }
        }
    }
}

TEST_F(ProgramSources, AssemblyDataIsDrawnByTheCFilesOfItsFolder)
{
    Write("data/hero.s", "HERO_H equ 2\n\tEVEN\nhero:\n\tdc.b %11000000,%00100000\n");
    Write("src/draw.c", "void Draw(short x, short y) { Sprite8(x, y, HERO_H, hero, LCD_MEM, SPRT_OR); }\n");
    const ArraySprites found = FindProgramSprites(ReadProgram(Path()));
    EXPECT_EQ(FramesOfCandidate(found, "hero:Sprite8"), (std::vector<Rows>{{"##......", "..#....."}}));
}

// The arrays a program compiles: the conditional branches it takes with its
// own #defines, the first branch of a condition the reader cannot decide.
TEST_F(ProgramSources, ConditionalCompilationKeepsTheBranchesTheProgramCompiles)
{
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> arrays; // the arrays read, in order
        std::size_t notes;
    };
    const Case cases[] = {
        {"a name defined in a header guards the dark planes",
         "#include \"config.h\"\nunsigned char hero_l[1] = {1};\n#ifdef GRAY\nunsigned char hero_d[1] = {2};\n#endif\n",
         {"hero_l", "hero_d"},
         0},
        {"#if 0 and #else",
         "#if 0\nunsigned char old[1] = {1};\n#else\nunsigned char now[1] = {2};\n#endif\n",
         {"now"},
         0},
        {"#ifndef, #elif on a defined value, nested",
         "#define GRAY\n#define LEVEL 2\n#ifndef GRAY\nunsigned char bw[1] = {1};\n#elif LEVEL - 2\nunsigned char a[1] "
         "= {1};\n"
         "#elif !defined(MONO)\n#if defined GRAY\nunsigned char b[1] = {1};\n#endif\n#else\nunsigned char c[1] = "
         "{1};\n#endif\n",
         {"b"},
         0},
        {"an undecided condition reads its first branch and says so",
         "#if VERSION >= 2\nunsigned char v2[1] = {1};\n#else\nunsigned char v1[1] = {1};\n#endif\n",
         {"v2"},
         1},
        {"#undef",
         "#undef GRAY\n#ifdef GRAY\nunsigned char g[1] = {1};\n#endif\nunsigned char m[1] = {1};\n",
         {"m"},
         0},
        {"&&, || and comparisons of the values defined",
         "#define GRAY\n#define LEVELS 12\n#if defined(GRAY) && LEVELS >= 10 || defined MONO\nunsigned char big[1] = {1};\n"
         "#endif\n#if LEVELS % 5 == 2 && !(LEVELS < 3)\nunsigned char odd[1] = {1};\n#endif\n",
         {"big", "odd"},
         0},
    };
    Write("config.h", "#define GRAY\n");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const ProgramText program = ReadProgram(Write("main.c", test.text));
        std::vector<std::string> arrays;
        for (const CArray& array : FindProgramSprites(program).scan.arrays)
            arrays.push_back(array.name);
        EXPECT_EQ(arrays, test.arrays);
        EXPECT_EQ(program.notes.size(), test.notes);
    }
}

// What is skipped or capped says so; what cannot be read at all is refused.
TEST_F(ProgramSources, BoundsAndMissingFilesAreToldNotFatal)
{
    for (int i = 0; i < 300; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%03d.c", i);
        Write(std::string("many/") + name, "unsigned char s" + std::to_string(i) + "[1] = {1};\n");
    }
    const ProgramText many = ReadProgram(Path("many"));
    ASSERT_EQ(many.files.size(), MaxProgramFiles);
    EXPECT_EQ(many.files.back(), (fs::path(Path("many")) / "f255.c").generic_string());
    ASSERT_EQ(many.notes.size(), 1u);
    EXPECT_EQ(many.notes[0], "44 fichiers laissés de côté : au plus 256 fichiers lus, les premiers dans l'ordre "
                             "des chemins");

    // A chain of includes deeper than the files read.
    for (int i = 0; i < 300; ++i)
        Write("chain/h" + std::to_string(i) + ".h", "#include \"h" + std::to_string(i + 1) + ".h\"\n");
    const ProgramText chain = ReadProgram(Path("chain/h0.h"));
    EXPECT_EQ(chain.files.size(), MaxProgramFiles);
    ASSERT_EQ(chain.notes.size(), 1u);
    EXPECT_EQ(chain.notes[0].substr(0, 27), "1 fichier laissé de côté");

    Write("lost/main.c", "#include \"absent.h\"\nunsigned char b[1] = {0x80};\n");
    const ProgramText lost = ReadProgram(Path("lost/main.c"));
    EXPECT_EQ(lost.refusal, "");
    EXPECT_EQ(lost.notes,
              (std::vector<std::string>{Path("lost/main.c") + " : #include \"absent.h\" introuvable, passé"}));
    EXPECT_EQ(FindProgramSprites(lost).candidates.size(), 1u);

    fs::create_directories(Path("empty"));
    Write("empty/notes.txt", "rien\n");
    EXPECT_EQ(ReadProgram(Path("empty")).refusal, Path("empty") + " : aucun fichier C ou assembleur dans le dossier");
    EXPECT_EQ(ReadProgram(Path("absent.c")).refusal, Path("absent.c") + " : fichier introuvable");
}

} // namespace

// #if lines as the preprocessor evaluates them; what depends on a name the
// files read do not give a value is left undecided, never guessed.
TEST(PreprocessorCondition, ConditionsAreEvaluatedAsCompiledOrLeftUndecided)
{
    const std::set<std::string> defined{"GRAY", "TI89", "LEVELS", "EMPTY"};
    const IntegerConstants values{{"LEVELS", {false, 12}}, {"TI89", {false, 1}}};
    const struct {
        const char* condition;
        std::optional<bool> value;
    } cases[] = {
        {"defined(GRAY) && !defined MONO", true},
        {"defined(MONO) || LEVELS > 12", false},
        {"LEVELS >= 12 && LEVELS <= 12 && LEVELS != 11", true},
        {"(LEVELS << 2) == 48 && (LEVELS >> 1) == 6", true},
        {"LEVELS & 4 && (LEVELS ^ 12) == 0 && (LEVELS | 1) == 13", true},
        {"TI89 ? LEVELS - 12 : 1", false},
        {"-LEVELS < 0 && ~0 == -1 && +3 * 4 / 2 % 5 == 1", true},
        {"0x10 == 16 && 020 == 16 && 16UL == 16", true},
        {"defined(MONO) && UNKNOWN > 2", false}, // short-circuit, as C
        {"defined(GRAY) || UNKNOWN", true},
        {"UNKNOWN >= 2", std::nullopt},  // given on the compiler's command line?
        {"defined(GRAY) && UNKNOWN", std::nullopt},
        {"EMPTY", std::nullopt},         // defined with no value
        {"LEVELS / 0", std::nullopt},
        {"VERSION(2)", std::nullopt},    // a macro with parameters
        {"(LEVELS", std::nullopt},
        {"LEVELS 2", std::nullopt},
        {"9223372036854775807 + 1", std::nullopt},
    };
    for (const auto& test : cases)
        EXPECT_EQ(EvaluateCondition(test.condition, defined, values), test.value) << test.condition;
    EXPECT_EQ(EvaluateCondition(std::string(100000, '(') + "1", defined, values), std::nullopt);
}
