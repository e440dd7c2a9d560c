// The calculator's screen: the routines' rules on hand-built planes, the
// clipping at every edge of both screens, the colors, and fonts drawn on it.
#include <gtest/gtest.h>

#include <set>

#include "CalculatorScreen.h"
#include "ScreenFont.h"
#include "ScreenScene.h"
#include "SpriteText.h"

namespace {

// The screen's pixels in a box, '.' 'l' 'd' '#' by the two planes.
Rows ScreenRows(const CalculatorScreen& screen, int left, int top, int width, int height)
{
    Rows rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x)
            row += ".ld#"[screen.PixelAt(x, y)];
        rows.push_back(row);
    }
    return rows;
}

void PaintRows(CalculatorScreen& screen, int left, int top, const Rows& rows)
{
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            screen.SetPixel(left + x, top + y, static_cast<PixelColor>(std::string(".ld#").find(rows[y][x])));
}

// Every pixel of a sprite (white, light, dark, black, masked white, masked
// black) over every pixel of the screen.
const std::string ScreenRow = ".ld#.ld#.ld#.ld#.ld#.ld#";

struct RuleCase {
    DrawMode mode;
    std::string expected;
};

TEST(CalculatorScreen, EachModeAppliesItsRuleToBothPlanes)
{
    const RuleCase cases[] = {
        {DrawMode::Or, ".ld#ll##d#d#####.ld#.ld#"},
        {DrawMode::Xor, ".ld#l.#dd#.l#dl..ld#.ld#"},
        {DrawMode::And, ".....l.l..dd.ld#........"},
        {DrawMode::Mask, "....lllldddd####.ld#.ld#"},
        {DrawMode::Replace, "....lllldddd####........"},
        {DrawMode::TransparentWhite, ".ld#lllldddd####.ld#.ld#"},
        {DrawMode::TransparentBlack, "....lllldddd.ld#........"},
    };
    const std::string sprite = "....lllldddd####WWWWBBBB";
    for (const RuleCase& rule : cases) {
        CalculatorScreen screen;
        PaintRows(screen, 4, 3, {"#" + ScreenRow + "#"});
        screen.DrawSprite(FromRows({sprite}), 5, 3, rule.mode);
        EXPECT_EQ(ScreenRows(screen, 4, 3, 26, 1), Rows{"#" + rule.expected + "#"}) << DrawModeName(rule.mode);
    }
}

TEST(CalculatorScreen, BlackAndWhiteSpritesLeaveOnlyWhiteAndBlack)
{
    for (const CalculatorModel model : {CalculatorModel::Ti89, CalculatorModel::V200}) {
        CalculatorScreen screen(model);
        DrawBackground(screen, FromRows({"#.#.", ".#.#"}));
        screen.DrawSprite(FromRows({"W##", "#.B"}), 1, 0, DrawMode::Xor);
        screen.DrawSprite(FromRows({"#.", ".#"}), 2, 1, DrawMode::Mask);
        const RgbaImage picture = ScreenPicture(screen, 1);
        std::set<std::tuple<int, int, int>> colors;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                colors.insert({picture.At(x, y)[0], picture.At(x, y)[1], picture.At(x, y)[2]});
        EXPECT_EQ(colors, (std::set<std::tuple<int, int, int>>{{207, 224, 204}, {34, 46, 49}}));
        EXPECT_EQ(ScreenRows(screen, 0, 0, 5, 3), (Rows{"#..#.", "..#..", "...#."}));
    }
}

struct ClipCase {
    CalculatorModel model;
    int x, y;
    int left, top; // the box read back
    Rows expected;
};

TEST(CalculatorScreen, PixelsOutsideTheModelsScreenAreDropped)
{
    const Rows sprite = {"#ld", "l.#", "d#l"};
    const ClipCase cases[] = {
        {CalculatorModel::Ti89, -1, 0, 0, 0, {"ld.", ".#.", "#l."}},
        {CalculatorModel::Ti89, 0, -2, 0, 0, {"d#l", "...", "..."}},
        {CalculatorModel::Ti89, 158, 5, 157, 5, {".#l.", ".l..", ".d#."}},
        {CalculatorModel::Ti89, 3, 98, 3, 97, {"...", "#ld", "l.#", "..."}},
        {CalculatorModel::Ti92Plus, 238, 126, 237, 125, {"...", ".#l", ".l."}},
        {CalculatorModel::V200, -2, -2, 0, 0, {"l.", ".."}},
        {CalculatorModel::V200, 239, 127, 238, 126, {"..", ".#"}},
        {CalculatorModel::Ti89, -3, 10, 0, 9, {"...", "...", "..."}},
        {CalculatorModel::V200, 240, -10000, 236, 0, {"....", "...."}},
        {CalculatorModel::Ti92Plus, 10000, 10000, 237, 125, {"...", "...", "..."}},
        {CalculatorModel::Ti92Plus, -2000000000, 2000000000, 0, 0, {"...", "..."}},
    };
    for (const ClipCase& clip : cases) {
        CalculatorScreen screen(clip.model);
        screen.DrawSprite(FromRows(sprite), clip.x, clip.y, DrawMode::Replace);
        EXPECT_EQ(ScreenRows(screen, clip.left, clip.top, static_cast<int>(clip.expected[0].size()),
                             static_cast<int>(clip.expected.size())),
                  clip.expected)
            << ModelLabel(clip.model) << " at " << clip.x << "," << clip.y;
    }
}

TEST(CalculatorScreen, Ti89ShowsOnlyTheTopLeftOfThePlanes)
{
    CalculatorScreen screen(CalculatorModel::Ti89);
    screen.DrawSprite(FromRows({"##", "##"}), 159, 99, DrawMode::Or);
    EXPECT_EQ(ScreenRows(screen, 159, 99, 2, 2), (Rows{"#.", ".."}));
    const RgbaImage picture = ScreenPicture(screen, 3);
    EXPECT_EQ(picture.width, 480);
    EXPECT_EQ(picture.height, 300);
    EXPECT_EQ(ScreenSizeOf(CalculatorModel::V200), (Point{240, 128}));
}

// A map wider than the screen: its tiles from the corner, the rest left out.
TEST(CalculatorScreen, ATileMapBackgroundIsDrawnFromTheCornerAndCut)
{
    TileMap map;
    map.tiles.tileSize = {2, 1};
    const int8_t tiles[] = {Black, White, LightGray, DarkGray};
    map.tiles.Add(tiles);
    map.tiles.Add(tiles + 2);
    map.width = 81; // 162 pixels: past the TI-89's 160
    map.height = 2;
    for (int i = 0; i < map.width * map.height; ++i)
        map.cells.push_back(static_cast<uint16_t>(i % 2));
    CalculatorScreen screen(CalculatorModel::Ti89);
    DrawBackground(screen, *ScreenPartOfMap(map));
    EXPECT_EQ(ScreenRows(screen, 0, 0, 4, 3), (Rows{"#.ld", "ld#.", "...."}));
    EXPECT_EQ(ScreenRows(screen, 158, 0, 2, 1), (Rows{"ld"}));
}

TEST(CalculatorScreen, FourColorsAreTheThirdsBetweenWhiteAndBlackOpaque)
{
    CalculatorScreen screen(CalculatorModel::Ti92Plus);
    screen.DrawSprite(FromRows({".ld#"}), 0, 0, DrawMode::Replace);
    const RgbaImage picture = ScreenPicture(screen, 2);
    const int expected[4][3] = {{207, 224, 204}, {149, 165, 152}, {92, 105, 101}, {34, 46, 49}};
    for (int k = 0; k < 4; ++k) {
        const uint8_t* pixel = picture.At(2 * k + 1, 1);
        EXPECT_EQ((std::vector<int>{pixel[0], pixel[1], pixel[2], pixel[3]}),
                  (std::vector<int>{expected[k][0], expected[k][1], expected[k][2], 255}))
            << "color " << k;
    }
}

TEST(CalculatorScreen, FlickerShowsTheDarkPlaneTwiceThenTheLight)
{
    CalculatorScreen screen;
    screen.DrawSprite(FromRows({".ld#"}), 0, 0, DrawMode::Replace);
    const int phases[3][4] = {{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 1, 0, 1}};
    for (int phase = 0; phase < FlickerPhases; ++phase) {
        const RgbaImage picture = FlickerPicture(screen, phase, 1);
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(picture.At(x, 0)[0], phases[phase][x] ? 34 : 207) << "phase " << phase << " x " << x;
    }
}

TEST(CalculatorScreen, NamesOfModelsAndModes)
{
    EXPECT_EQ(ModelFromName("ti89"), CalculatorModel::Ti89);
    EXPECT_EQ(ModelFromName("ti92p"), CalculatorModel::Ti92Plus);
    EXPECT_EQ(ModelFromName("v200"), CalculatorModel::V200);
    EXPECT_EQ(ModelFromName("TI89"), std::nullopt);
    EXPECT_EQ(DrawModeFromName("tranb"), DrawMode::TransparentBlack);
    EXPECT_EQ(DrawModeFromName("masked"), std::nullopt);
    EXPECT_EQ(DefaultDrawMode(FromRows({"#W"})), DrawMode::Mask);
    EXPECT_EQ(DefaultDrawMode(FromRows({"#l"})), DrawMode::Or);
}

struct WidthCase {
    Rows glyph;
    bool proportional;
    int spacing;
    int advance;
};

TEST(ScreenFont, GlyphAdvanceByItsLastUsedColumn)
{
    const WidthCase cases[] = {
        {{"#...", ".#.."}, false, 1, 4}, {{"#...", ".#.."}, true, 1, 3}, {{"#...", ".#.."}, true, 0, 2},
        {{"....", "...."}, true, 1, 3},  {{"....."}, true, 0, 2},        {{"."}, true, 1, 2},
        {{"#..B", "..l."}, true, 1, 4},  {{"...#"}, true, 2, 6},         {{"..W.", "...D"}, true, 1, 3},
        {{"#.", ".."}, true, 0, 1},
    };
    for (const WidthCase& width : cases) {
        const Sprite glyph = FromRows(width.glyph);
        EXPECT_EQ(GlyphAdvance(glyph, {FirstFontCode, width.proportional, width.spacing}), width.advance)
            << width.glyph[0] << " proportional " << width.proportional << " spacing " << width.spacing;
    }
}

TEST(ScreenFont, FirstCharacterAsACodeOrACharacter)
{
    const std::pair<std::string, std::optional<int>> cases[] = {
        {"32", 32}, {"65", 65},  {"A", 65}, {"7", 55},  {"255", 255},           {"é", 233},          {" ", 32},
        {"31", {}}, {"256", {}}, {"", {}},  {"AB", {}}, {"\x1f", std::nullopt}, {"€", std::nullopt},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(FontCodeFromText(text), code) << text;
    EXPECT_EQ(TextCodes("Aé\xe9"), (std::vector<int>{65, 233, 233}));
    EXPECT_EQ(FontCharacters(4, {125}), "}~\\x7F\\x80");
}

TEST(ScreenFont, TextAdvancesThePenByEachGlyph)
{
    const Sprite space = FromRows({"...", "..."}), a = FromRows({"#..", "##."}), b = FromRows({"WW#", "BBB"});
    const std::vector<const Sprite*> glyphs = {&space, &a, &b};
    const FontSpec font{'@', true, 1};
    CalculatorScreen screen(CalculatorModel::Ti89);
    screen.DrawSprite(FromRows({"llllllllll"}), 0, 1, DrawMode::Replace);
    DrawText(screen, glyphs, font, TextCodes("A@BA"), 1, 0, DrawMode::Mask);
    EXPECT_EQ(ScreenRows(screen, 0, 0, 11, 2), (Rows{".#......#.#", "l##....lll#"}));
    EXPECT_EQ(FirstMissingCode(TextCodes("AB?"), 3, font), '?');
    EXPECT_EQ(FirstMissingCode(TextCodes("@BA"), 3, font), std::nullopt);
    EXPECT_EQ(DescribeCode('?'), "63 « ? »");
    EXPECT_TRUE(IsMaskedFont(glyphs));
}

TEST(ScreenScene, PositionFollowsKeysAndDragsWithinTheLimits)
{
    EXPECT_EQ(MovedPosition({3, -2}, -8, 1), (Point{-5, -1}));
    EXPECT_EQ(MovedPosition({9995, -9999}, 8, -8), (Point{10000, -10000}));
    // Zoom 3: a pixel of the screen is three of the pointer's.
    EXPECT_EQ(DraggedPosition({10, 10}, {100, 100}, {106, 98}, 3), (Point{12, 9}));
    EXPECT_EQ(DraggedPosition({10, 10}, {100, 100}, {102, 97}, 3), (Point{10, 9}));
    EXPECT_EQ(DraggedPosition({0, 0}, {0, 0}, {-4, 0}, 3), (Point{-2, 0}));
}

TEST(ScreenScene, FrameOverBackgroundInTheSpritesDefaultMode)
{
    const Sprite background = FromRows({"###", "###"});
    ScreenScene scene{CalculatorModel::Ti89, std::nullopt, {1, 0}, &background};
    EXPECT_EQ(ScreenRows(ComposeScene(scene, FromRows({"W.", "l#"})), 0, 0, 4, 2), (Rows{"##..", "#l#."}));
    scene.mode = DrawMode::Xor;
    EXPECT_EQ(ScreenRows(ComposeScene(scene, FromRows({"W.", "l#"})), 0, 0, 4, 2), (Rows{"###.", "#d.."}));
}

} // namespace
