// pixora-export on sheets, tile sets and maps, run as a build tool runs it:
// sheets sliced along their grid, sets laid out as sheets, levels cut into
// maps, maps over a set, and maps written as data (C compiled, assembly
// assembled for the 68000) and read back from C and both assemblers.
#include <gtest/gtest.h>

#include "CommandFixture.h"
#include "MapFile.h"
#include "PictureRows.h"
#include "SpriteText.h"
#include "set_file.h"

namespace {

// A level of 6 x 3 cells of 8 x 8: a brick, sky, the brick mirrored, a gray
// cloud; the same cells come back, so the map repeats its tiles.
std::vector<std::string> LevelRows()
{
    const std::vector<std::string> brick = {"########", "#.......", "#.......", "#.......",
                                            "########", "....#...", "....#...", "########"};
    const std::vector<std::string> sky(8, "........");
    const std::vector<std::string> cloud = {"........", "..llll..", ".llddll.", "lllllll.",
                                            "........", "........", "........", "........"};
    std::vector<std::string> mirrored;
    for (const std::string& row : brick)
        mirrored.emplace_back(row.rbegin(), row.rend());
    const std::vector<const std::vector<std::string>*> cells = {&sky,   &cloud, &sky,      &sky,   &cloud, &sky, //
                                                                &sky,   &sky,   &sky,      &brick, &sky,   &sky, //
                                                                &brick, &brick, &mirrored, &brick, &brick, &brick};
    std::vector<std::string> rows(24);
    for (std::size_t k = 0; k < cells.size(); ++k)
        for (int y = 0; y < 8; ++y)
            rows[(k / 6) * 8 + y] += (*cells[k])[y];
    return rows;
}

constexpr uint16_t LevelCells[] = {0, 1, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, 2, 2, 3, 2, 2, 2};

class CliTiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("pixora-cli-tiles-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string At(const std::string& name) const { return (dir_ / name).string(); }

    void SavePicture(const std::string& name, const QImage& image)
    {
        ASSERT_TRUE(image.save(QString::fromStdString(At(name))));
    }

    RunResult Run(const Args& arguments) const
    {
        std::string line = ShellQuoted(Command);
        for (const std::string& argument : arguments)
            line += " " + ShellQuoted(argument);
        line += " >/dev/null 2>" + ShellQuoted(At("stderr"));
        RunResult result{Shell(line), "", ReadFile(At("stderr"))};
        fs::remove(At("stderr"));
        return result;
    }

    TileMap Map(const std::string& name) const
    {
        TileMap map;
        EXPECT_EQ(ReadTileMapFile(At(name), map).problem, MapFileProblem::None) << name;
        return map;
    }

    FrameList Set(const std::string& name) const
    {
        FrameList frames;
        EXPECT_EQ(ReadSpriteSetFile(At(name), frames).problem, SetFileProblem::None) << name;
        return frames;
    }

    fs::path dir_;
};

} // namespace

TEST_F(CliTiles, SheetsSliceAlongTheirGridWithThePictureOptions)
{
    // 3 x 2 cells of 4 x 3 at margin (2, 1), spacing (1, 2); black gaps, a
    // white cell and a transparent one.
    SavePicture("sheet.png", PictureFromRows({
                                 "################",
                                 "##.#..##...#....",
                                 "##..#.#....#....",
                                 "##...##..###....",
                                 "################",
                                 "################",
                                 "##dddd#    #l..d",
                                 "##dddd#    #.l..",
                                 "##dddd#    #..l.",
                             }));
    ASSERT_EQ(Run({"--to-pixs", At("all.pixs"), At("sheet.png"), "--cell", "4x3", "--margin", "2,1", "--spacing", "1,2",
                   "--levels", "4"})
                  .status,
              0);
    const FrameList all = Set("all.pixs");
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(ToRows(*all[0]), (Rows{".#..", "..#.", "...#"}));
    EXPECT_EQ(ToRows(*all[1]), (Rows{"#...", "....", "..##"}));
    EXPECT_EQ(ToRows(*all[2]), (Rows{"....", "....", "...."}));
    EXPECT_EQ(ToRows(*all[3]), (Rows{"dddd", "dddd", "dddd"}));
    EXPECT_EQ(ToRows(*all[4]), (Rows{"WWWW", "WWWW", "WWWW"}));
    EXPECT_EQ(ToRows(*all[5]), (Rows{"l..d", ".l..", "..l."}));

    ASSERT_EQ(Run({"--to-pixs", At("kept.pixs"), At("sheet.png"), "--cell", "4x3", "--margin", "2,1", "--spacing",
                   "1,2", "--skip-empty", "--levels", "2"})
                  .status,
              0);
    EXPECT_EQ(Set("kept.pixs").size(), 4u) << "the white cell and the masked one are dropped";

    QImage wide(320, 240, QImage::Format_RGB32);
    wide.fill(Qt::white);
    SavePicture("wide.png", wide);
    ASSERT_EQ(Run({"--to-pixs", At("wide.pixs"), At("wide.png"), "--cell", "16x16"}).status, 0);
    EXPECT_EQ(Set("wide.pixs").size(), 300u) << "a 320 x 240 sheet of 16 x 16 cells";

    QImage huge(4097, 2, QImage::Format_RGB32);
    huge.fill(Qt::white);
    SavePicture("huge.png", huge);
    struct Refusal {
        Args arguments;
        const char* messagePart;
    };
    const Refusal refusals[] = {
        {{"--to-pixs", At("out.pixs"), At("sheet.png"), "--cell", "17x3"}, "aucune case de 17 x 3"},
        {{"--to-pixs", At("out.pixs"), At("sheet.png"), "--cell", "4x3", "--margin", "13"}, "aucune case"},
        {{"--to-pixs", At("out.pixs"), At("huge.png"), "--cell", "16x1"}, "plus grande que 4096 x 4096"},
        {{"--to-pixs", At("out.pixs"), At("sheet.png"), "--cell", "241x3"}, "--cell"},
        {{"--to-pixs", At("out.pixs"), At("sheet.png"), "--cell", "0x3"}, "--cell"},
        {{"--to-pixs", At("out.pixs"), At("sheet.png"), "--margin", "1"}, "demande --cell"},
        {{"--to-pixs", At("out.pixs"), At("sheet.png"), "--cell", "4x3", "--keep-duplicates"}, "--keep-duplicates"},
        {{"--to-pixo", At("out.pixs"), At("sheet.png"), "--cell", "4x3"}, "--cell"},
    };
    for (const Refusal& refusal : refusals) {
        const RunResult result = Run(refusal.arguments);
        EXPECT_EQ(result.status, 2) << refusal.messagePart;
        EXPECT_NE(result.err.find(refusal.messagePart), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(At("out.pixs"))) << refusal.messagePart;
    }
}

TEST_F(CliTiles, SetsBecomeSheetsWithWhiteGapsAndNoBorder)
{
    SavePicture("frames.png", PictureFromRows({"#.d#.l", "l##.. "}));
    ASSERT_EQ(Run({"--to-pixs", At("three.pixs"), At("frames.png"), "--cell", "2x2"}).status, 0);
    ASSERT_EQ(Run({"--to-png", At("sheet.png"), At("three.pixs"), "--sheet-columns", "2", "--spacing", "1",
                   "--png-scale", "2"})
                  .status,
              0);
    const QImage sheet(QString::fromStdString(At("sheet.png")));
    ASSERT_EQ(sheet.size(), QSize(10, 10)) << "(2 + 1 + 2) x 2 across, two rows down";
    const auto gray = [&](int x, int y) { return qGray(sheet.pixel(x * 2, y * 2)); };
    EXPECT_EQ(gray(0, 0), 0);
    EXPECT_EQ(gray(2, 0), 255) << "gap";
    EXPECT_EQ(gray(3, 0), 85) << "frame 1";
    EXPECT_EQ(qAlpha(sheet.pixel(1 * 2, 4 * 2)), 0) << "frame 2's masked pixel stays transparent";
    EXPECT_EQ(qAlpha(sheet.pixel(4 * 2, 4 * 2)), 255) << "the unused cell is opaque white";
    EXPECT_EQ(gray(4, 4), 255);
    EXPECT_EQ(Run({"--to-png", At("x.png"), At("three.pixs"), "--spacing", "1"}).status, 2);
}

TEST_F(CliTiles, LevelsBecomeMapsAndMapsGiveBackTheirPictureAndTiles)
{
    SavePicture("level.png", PictureFromRows(LevelRows()));
    ASSERT_EQ(Run({"--to-pixm", At("level.pixm"), At("level.png"), "--cell", "8x8"}).status, 0);
    const TileMap map = Map("level.pixm");
    EXPECT_EQ(map.width, 6);
    EXPECT_EQ(map.height, 3);
    EXPECT_EQ(map.cells, std::vector<uint16_t>(std::begin(LevelCells), std::end(LevelCells)));
    EXPECT_EQ(map.tiles.Count(), 4) << "the mirrored brick is a tile of its own";

    ASSERT_EQ(Run({"--to-pixm", At("every.pixm"), At("level.png"), "--cell", "8x8", "--keep-duplicates"}).status, 0);
    EXPECT_EQ(Map("every.pixm").tiles.Count(), 18);

    ASSERT_EQ(Run({"--to-png", At("drawn.png"), At("level.pixm")}).status, 0);
    EXPECT_TRUE(QImage(QString::fromStdString(At("drawn.png"))).convertToFormat(QImage::Format_ARGB32) ==
                PictureFromRows(LevelRows()).convertToFormat(QImage::Format_ARGB32));

    ASSERT_EQ(Run({"--to-pixs", At("tiles.pixs"), At("level.pixm")}).status, 0);
    EXPECT_EQ(Set("tiles.pixs").size(), 4u);
    ASSERT_EQ(Run({"--to-pixm", At("again.pixm"), "--tiles", At("tiles.pixs"), "--map-of", At("level.png")}).status, 0);
    EXPECT_EQ(ReadFile(At("again.pixm")), ReadFile(At("level.pixm")));

    // The tiles of the level's first two rows lack the mirrored brick.
    ASSERT_EQ(Run({"--to-pixs", At("three.pixs"), At("level.png"), "--cell", "8x8", "--crop", "0,0,48,16"}).status, 0);
    const RunResult unmatched =
        Run({"--to-pixm", At("no.pixm"), "--tiles", At("three.pixs"), "--map-of", At("level.png")});
    EXPECT_EQ(unmatched.status, 2);
    EXPECT_NE(unmatched.err.find("la case (2, 2) n'est égale à aucune tuile"), std::string::npos) << unmatched.err;
    EXPECT_FALSE(fs::exists(At("no.pixm")));
}

TEST_F(CliTiles, MapDataCompilesAssemblesAndReadsBackInEverySyntax)
{
    SavePicture("level.png", PictureFromRows(LevelRows()));
    ASSERT_EQ(Run({"--to-pixm", At("level.pixm"), At("level.png"), "--cell", "8x8"}).status, 0);
    const std::string original = ReadFile(At("level.pixm"));
    struct Syntax {
        const char* name;
        const char* file;
        Args readOptions;
    };
    const Syntax syntaxes[] = {
        {"c", "level.h", {}},
        {"a68k", "level.asm", {"--map-width", "6", "--arrange", "interlaced", "--order", "LD"}},
        {"gnu-as", "level.s", {"--map-width", "6", "--arrange", "interlaced", "--order", "LD"}},
    };
    for (const Syntax& syntax : syntaxes) {
        ASSERT_EQ(Run({"--data", "--syntax", syntax.name, "--defines", "-n", "level", "-o", At(syntax.file),
                       At("level.pixm")})
                      .status,
                  0)
            << syntax.name;
        Args read = {"--to-pixm", At("back.pixm"), At(syntax.file), "--tiles", "level_tiles", "--map", "level_map"};
        read.insert(read.end(), syntax.readOptions.begin(), syntax.readOptions.end());
        const RunResult back = Run(read);
        ASSERT_EQ(back.status, 0) << syntax.name << ": " << back.err;
        EXPECT_EQ(ReadFile(At("back.pixm")), original) << syntax.name;
        const RunResult own = Run({"--to-pixm", At("own.pixm"), At(syntax.file)});
        ASSERT_EQ(own.status, 0) << syntax.name << ", as the comments say: " << own.err;
        EXPECT_EQ(ReadFile(At("own.pixm")), original) << syntax.name << ", as the comments say";
    }
    ASSERT_EQ(Shell(ShellQuoted(Command) + " --list-sprites " + ShellQuoted(At("level.h")) + " >" +
                    ShellQuoted(At("list.txt"))),
              0);
    const std::string listed = ReadFile(At("list.txt"));
    EXPECT_NE(listed.find("level_tiles  8 x 8  niveaux de gris  4 images"), std::string::npos) << listed;
    EXPECT_EQ(listed.find("level_map"), std::string::npos) << "the map's cells are no sprite\n" << listed;
    const std::string text = ReadFile(At("level.h"));
    EXPECT_NE(text.find("static const unsigned char level_tiles[4][16]"), std::string::npos)
        << "gray 8 x 8 tiles, rows interlaced light first";
    EXPECT_NE(text.find("static const unsigned char level_map[3][6] __attribute__((unused)) = {\n"
                        "    {0, 1, 0, 0, 1, 0},\n    {0, 0, 0, 2, 0, 0},\n    {2, 2, 3, 2, 2, 2},\n};"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("#define level_MAP_WIDTH 6\n#define level_MAP_HEIGHT 3\n#define level_TILES 4"),
              std::string::npos);
    EXPECT_NE(ReadFile(At("level.s")).find("level_map:\n\t.byte 0, 1, 0, 0, 1, 0\n"), std::string::npos);

    std::ofstream(At("game.c")) << "#include \"level.h\"\n"
                                   "unsigned char tile_at(int x, int y) { return level_map[y][x]; }\n"
                                   "const unsigned char *tile(int i) { return level_tiles[i]; }\n";
    for (const char* compiler : {"gcc", "m68k-linux-gnu-gcc"})
        EXPECT_EQ(Shell("cd " + ShellQuoted(dir_.string()) + " && " + compiler +
                        " -std=gnu99 -Wall -Wextra -Werror -c game.c -o game.o"),
                  0)
            << compiler;
    EXPECT_EQ(Shell("m68k-linux-gnu-as " + ShellQuoted(At("level.s")) + " -o " + ShellQuoted(At("level.o"))), 0);
}

TEST_F(CliTiles, HandWrittenLevelsReadBackWithTheirMapsChecked)
{
    // A level as a game keeps it: 16 x 16 black and white tiles and rooms of
    // 4 x 3 cells, a 1-D map whose width the program passes.
    std::ofstream(At("castle.h")) << R"(// castle.h - tiles and rooms of the castle
#define CASTLE_W 4

static const unsigned short castle_tiles[2][16] = {
    {0xFFFF, 0x8001, 0x8001, 0x8001, 0x8001, 0x8001, 0x8001, 0x8001,
     0x8001, 0x8001, 0x8001, 0x8001, 0x8001, 0x8001, 0x8001, 0xFFFF},  /* wall */
    {0},                                                                /* floor */
};

unsigned char castle_rooms[2][12] = {
    {0, 0, 0, 0,  0, 1, 1, 0,  0, 0, 0, 0},
    {0, 1, 1, 0,  0, 1, 1, 0,  0, 1, 2, 0},   /* 2: a tile that does not exist */
};

const short castle_hall[CASTLE_W * 2] = { 1, 1, 0, 1,
                                          0, 0, 1, 1 };
)";
    ASSERT_EQ(Run({"--to-pixm", At("room.pixm"), At("castle.h"), "--tiles", "castle_tiles", "--map", "castle_rooms[0]",
                   "--map-width", "4"})
                  .status,
              0);
    const TileMap room = Map("room.pixm");
    EXPECT_EQ(room.width, 4);
    EXPECT_EQ(room.height, 3);
    EXPECT_EQ(room.tiles.tileSize, (Point{16, 16}));
    EXPECT_EQ(room.cells, (std::vector<uint16_t>{0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0}));

    ASSERT_EQ(Run({"--to-pixm", At("hall.pixm"), At("castle.h"), "--tiles", "castle_tiles", "--map", "castle_hall",
                   "--map-width", "4"})
                  .status,
              0);
    EXPECT_EQ(Map("hall.pixm").height, 2);

    const RunResult beyond = Run({"--to-pixm", At("bad.pixm"), At("castle.h"), "--tiles", "castle_tiles", "--map",
                                  "castle_rooms[1]", "--map-width", "4"});
    EXPECT_EQ(beyond.status, 2);
    EXPECT_NE(beyond.err.find("la case (2, 2) vaut 2, au-delà de la dernière tuile (1)"), std::string::npos)
        << beyond.err;
    const RunResult noWidth =
        Run({"--to-pixm", At("bad.pixm"), At("castle.h"), "--tiles", "castle_tiles", "--map", "castle_hall"});
    EXPECT_EQ(noWidth.status, 2);
    EXPECT_NE(noWidth.err.find("--map-width"), std::string::npos) << noWidth.err;
    EXPECT_FALSE(fs::exists(At("bad.pixm")));
}

TEST_F(CliTiles, RoomsOfThreeDimensionsGiveTheirOwnSize)
{
    // One matrix per room, as a game with several screens keeps its levels:
    // the first room braced by row, the second as one list, the third row of
    // room 1 given short (C completes it with zeros).
    std::ofstream(At("dungeon.h")) << R"(// dungeon.h - rooms of 5 x 3 cells
#define ROOMS 2
#define ROOM_H 3
#define ROOM_W 5

static const unsigned char dungeon_tiles[2][8] = {
    {0xFF, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0xFF},
    {0},
};

const unsigned char dungeon_rooms[ROOMS][ROOM_H][ROOM_W] = {
    { {0, 0, 0, 0, 0},
      {0, 1, 1, 1, 0},
      {0, 0, 0, 0, 0} },
    { 1, 1, 1, 1, 1,   1, 0, 0, 0, 1,   1, 1 },
};
)";
    const struct {
        const char* map;
        std::vector<uint16_t> cells;
    } rooms[] = {
        {"dungeon_rooms[0]", {0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0}},
        {"dungeon_rooms[1]", {1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0}},
    };
    for (const auto& room : rooms) {
        ASSERT_EQ(
            Run({"--to-pixm", At("room.pixm"), At("dungeon.h"), "--tiles", "dungeon_tiles", "--map", room.map}).status,
            0)
            << room.map;
        const TileMap map = Map("room.pixm");
        EXPECT_EQ(map.width, 5) << room.map;
        EXPECT_EQ(map.height, 3) << room.map;
        EXPECT_EQ(map.cells, room.cells) << room.map;
    }
    const RunResult whole =
        Run({"--to-pixm", At("bad.pixm"), At("dungeon.h"), "--tiles", "dungeon_tiles", "--map", "dungeon_rooms"});
    EXPECT_EQ(whole.status, 2);
    EXPECT_NE(whole.err.find("trois dimensions"), std::string::npos) << whole.err;
    EXPECT_FALSE(fs::exists(At("bad.pixm")));
}

// A map as tall as a map may be reads back from C: one array part per map
// row, past the 256 frames of a table of sprites; written again, it gives
// the same text.
TEST_F(CliTiles, TheTallestMapReadsBackFromItsData)
{
    std::string rows;
    for (int row = 0; row < 1024; ++row)
        rows += "    {" + std::to_string(row % 2) + ", " + std::to_string((row + 1) % 2) + "},\n";
    std::ofstream(At("tall.h")) << "static const unsigned char tall_tiles[2][8] = {\n"
                                   "    {0xFF, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0xFF},\n    {0},\n};\n"
                                   "static const unsigned char tall_map[1024][2] = {\n"
                                << rows << "};\n";
    const RunResult read =
        Run({"--to-pixm", At("tall.pixm"), At("tall.h"), "--tiles", "tall_tiles", "--map", "tall_map"});
    ASSERT_EQ(read.status, 0) << read.err;
    const TileMap map = Map("tall.pixm");
    EXPECT_EQ(map.height, 1024);
    EXPECT_EQ(map.At(0, 1023), 1);
    ASSERT_EQ(Run({"--data", "-n", "tall", "-o", At("again.h"), At("tall.pixm")}).status, 0);
    EXPECT_NE(ReadFile(At("again.h")).find("tall_map[1024][2]"), std::string::npos);
}

// Without --tiles the map Pixora wrote is read as its comments say, the
// first or the one --map names; what they do not say is refused with the
// reason, and writes nothing.
TEST_F(CliTiles, OwnMapsReadBackWithoutOptionsOrSayWhyNot)
{
    SavePicture("level.png", PictureFromRows(LevelRows()));
    ASSERT_EQ(Run({"--to-pixm", At("level.pixm"), At("level.png"), "--cell", "8x8"}).status, 0);
    ASSERT_EQ(Run({"--data", "-n", "first", "-o", At("first.h"), At("level.pixm")}).status, 0);
    // The second map keeps every cell a tile of its own: a map of other bytes.
    ASSERT_EQ(Run({"--to-pixm", At("cells.pixm"), At("level.png"), "--cell", "8x8", "--keep-duplicates"}).status, 0);
    ASSERT_EQ(Run({"--data", "-n", "second", "-o", At("second.h"), At("cells.pixm")}).status, 0);
    const std::string first = ReadFile(At("first.h")), second = ReadFile(At("second.h"));
    std::string crlf; // as an editor on Windows saves the text again
    for (const char c : first)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const struct {
        const char* what;
        std::string text;
        Args options;
        int status;
        const char* err;  // a part of the error output
        const char* read; // the map read, for a status of 0
    } cases[] = {
        {"CR LF line ends", crlf, {}, 0, "", "level.pixm"},
        {"two maps, the first read",
         first + second,
         {},
         0,
         "2 cartes trouvées, lu « first » (--map NOM_map",
         "level.pixm"},
        {"the second by its cells", first + second, {"--map", "second_map"}, 0, "", "cells.pixm"},
        {"a map no comment describes",
         first,
         {"--map", "third_map"},
         2,
         "aucune carte écrite par Pixora nommée « third_map » ; nommez ses tableaux avec --tiles et --map",
         nullptr},
        {"no map comment",
         "static const unsigned char m[2] = {0, 1};\n",
         {},
         2,
         "aucune carte écrite par Pixora ; nommez ses tableaux avec --tiles et --map",
         nullptr},
        {"a layout option without --tiles",
         first,
         {"--map", "first_map", "--rows", "16"},
         2,
         "l'option --rows ne s'emploie pas avec une carte écrite par Pixora",
         nullptr},
    };
    for (const auto& test : cases) {
        std::ofstream(At("map.h"), std::ios::binary) << test.text;
        fs::remove(At("out.pixm"));
        Args arguments = {"--to-pixm", At("out.pixm"), At("map.h")};
        arguments.insert(arguments.end(), test.options.begin(), test.options.end());
        const RunResult run = Run(arguments);
        EXPECT_EQ(run.status, test.status) << test.what << ": " << run.err;
        EXPECT_NE(run.err.find(test.err), std::string::npos) << test.what << ": " << run.err;
        if (test.status == 0)
            EXPECT_EQ(ReadFile(At("out.pixm")), ReadFile(At(test.read))) << test.what;
        else
            EXPECT_FALSE(fs::exists(At("out.pixm"))) << test.what;
    }
}
