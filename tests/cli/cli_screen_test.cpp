// pixora-export on the calculator's screen: the PNG of the whole screen with
// a sprite, a background or a text on it, the data of a set as a font, and
// the refusals (status 2, a reason, nothing written).
#include <QImage>

#include "CommandFixture.h"

namespace {

constexpr QRgb ScreenWhite = qRgb(207, 224, 204), ScreenLight = qRgb(149, 165, 152), ScreenBlack = qRgb(34, 46, 49);

// A ".pixo" from rows: '.' 'l' 'd' '#', 'W' and 'B' masked white and black.
std::string PixoOfRows(const std::vector<std::string>& rows, int type)
{
    const std::string values = ".ld#", masked = "W__B";
    return PixoFrom(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), type, [&](int x, int y) {
        const char c = rows[y][x];
        return values.find(c) != std::string::npos ? static_cast<int>(values.find(c))
                                                   : static_cast<int>(masked.find(c)) + 15;
    });
}

class ScreenCommandTest : public CommandTest {
protected:
    void SetUp() override
    {
        CommandTest::SetUp();
        WriteFile(At("ball.pixo"), PixoOfRows({".l#", "B#."}, 4));
        // Glyphs of ' ', '!' and '"', 3 x 2: a space, one column, two.
        WriteFile(At("font.pixs"), PixsBytes({PixoOfRows({"...", "..."}, 1), PixoOfRows({"#..", "#.."}, 1),
                                              PixoOfRows({"#.#", "..."}, 1)}));
    }

    QImage Written(const std::string& name) const { return QImage(QString::fromStdString(At(name))); }
};

struct ModelCase {
    std::string model;
    std::string scale;
    int width, height;
};

TEST_F(ScreenCommandTest, WholeScreenOfTheModelInItsColorsOpaque)
{
    const ModelCase cases[] = {{"ti89", "1", 160, 100}, {"ti92p", "1", 240, 128}, {"v200", "3", 720, 384}};
    for (const ModelCase& model : cases) {
        const RunResult run = Run({"--to-png", At("s.png"), "--screen", model.model, "--at", "-1,2", "--png-scale",
                                   model.scale, At("ball.pixo")});
        ASSERT_EQ(run.status, 0) << run.err;
        const QImage image = Written("s.png");
        EXPECT_EQ(image.size(), QSize(model.width, model.height)) << model.model;
        EXPECT_FALSE(image.hasAlphaChannel());
        const int k = std::stoi(model.scale);
        // Column 0 of the ball is cut off: "l#" then "#." from (0, 2).
        EXPECT_EQ(image.pixel(0, 2 * k), ScreenLight);
        EXPECT_EQ(image.pixel(k, 2 * k), ScreenBlack);
        EXPECT_EQ(image.pixel(0, 3 * k), ScreenBlack);
        EXPECT_EQ(image.pixel(k, 3 * k), ScreenWhite);
        EXPECT_EQ(image.pixel(model.width - 1, model.height - 1), ScreenWhite);
    }
}

TEST_F(ScreenCommandTest, SpriteOverABackgroundByTheMode)
{
    WriteFile(At("back.pixo"), PixoOfRows({"####", "####"}, 1));
    // Masked by default: the masked pixel keeps the background's black, the
    // white one clears it.
    ASSERT_EQ(
        Run({"--to-png", At("m.png"), "--screen", "ti89", "--background", At("back.pixo"), At("ball.pixo")}).status, 0);
    const QImage masked = Written("m.png");
    EXPECT_EQ(masked.pixel(0, 1), ScreenBlack);
    EXPECT_EQ(masked.pixel(2, 1), ScreenWhite);
    EXPECT_EQ(masked.pixel(3, 1), ScreenBlack);
    ASSERT_EQ(Run({"--to-png", At("x.png"), "--screen", "ti89", "--mode", "xor", "--background", At("back.pixo"),
                   At("ball.pixo")})
                  .status,
              0);
    const QImage xored = Written("x.png");
    EXPECT_EQ(xored.pixel(0, 0), ScreenBlack);
    EXPECT_EQ(xored.pixel(1, 0), qRgb(92, 105, 101)); // black xor light: the dark plane alone
    EXPECT_EQ(xored.pixel(2, 0), ScreenWhite);
    // Entirely off the screen, the sprite leaves the background alone.
    ASSERT_EQ(Run({"--to-png", At("o.png"), "--screen", "ti89", "--at", "160,0", "--background", At("back.pixo"),
                   At("ball.pixo")})
                  .status,
              0);
    EXPECT_EQ(Written("o.png").pixel(3, 1), ScreenBlack);
    EXPECT_EQ(Written("o.png").pixel(4, 1), ScreenWhite);
}

TEST_F(ScreenCommandTest, TextAdvancesByTheGlyphsWidths)
{
    // Proportional, spacing 1: ' ' 2, '!' 2, '"' 4.
    ASSERT_EQ(Run({"--to-png", At("t.png"), "--screen", "v200", "--text", "!\" !", "--font", At("font.pixs"), "--first",
                   " ", "--proportional", "--at", "1,0"})
                  .status,
              0);
    const QImage image = Written("t.png");
    std::string row;
    for (int x = 0; x < 12; ++x)
        row += image.pixel(x, 0) == ScreenBlack ? '#' : '.';
    EXPECT_EQ(row, ".#.#.#...#..");
}

TEST_F(ScreenCommandTest, FontDataListsCharactersAndWidths)
{
    const RunResult proportional =
        Run({"--data", "--font", "32", "--proportional", "--spacing", "0", "-n", "petite", At("font.pixs")});
    ASSERT_EQ(proportional.status, 0) << proportional.err;
    EXPECT_NE(proportional.out.find("static const unsigned char petite[3][2]"), std::string::npos);
    EXPECT_NE(proportional.out.find(" *  !\"\n"), std::string::npos) << proportional.out;
    EXPECT_NE(proportional.out.find("static const unsigned char petite_widths[3] __attribute__((unused)) = {\n"
                                    "    1, 1, 3,\n};\n"),
              std::string::npos)
        << proportional.out;
    const RunResult fixed = Run({"--data", "--font", "A", "--syntax", "a68k", At("font.pixs")});
    ASSERT_EQ(fixed.status, 0) << fixed.err;
    EXPECT_NE(fixed.out.find("; ABC\n"), std::string::npos) << fixed.out;
    EXPECT_EQ(fixed.out.find("_widths"), std::string::npos);
    const RunResult assembly =
        Run({"--data", "--font", "250", "--proportional", "--syntax", "gnu-as", At("font.pixs")});
    EXPECT_NE(assembly.out.find("| \\xFA\\xFB\\xFC\n"), std::string::npos) << assembly.out;
    EXPECT_NE(assembly.out.find("font_widths:\n\t.byte 2, 2, 4\n"), std::string::npos) << assembly.out;
}

struct Refusal {
    Args arguments;
    std::string reason;
};

TEST_F(ScreenCommandTest, RefusalsWriteNothing)
{
    WriteFile(At("map.pixm"), "PIXM");
    const std::string font = At("font.pixs"), ball = At("ball.pixo"), out = At("r.png");
    const Refusal refusals[] = {
        {{"--to-png", out, "--screen", "ti83", ball}, "ti89, ti92p ou v200"},
        {{"--to-png", out, "--screen", "ti89", "--at", "10001,0", ball}, "de -10000 à 10000"},
        {{"--to-png", out, "--screen", "ti89", "--at", "5", ball}, "X,Y"},
        {{"--to-png", out, "--screen", "ti89", "--mode", "nand", ball}, "or, xor, and"},
        {{"--to-png", out, "--screen", "ti89", "--background", At("map.pixm"), ball}, ".pixm"},
        {{"--to-png", out, "--screen", "ti89", "--background", font, ball}, "fond non pris en charge"},
        {{"--to-png", out, "--screen", "ti89", "--text", "A!", "--font", font, "--first", "32"}, "65 « A »"},
        {{"--to-png", out, "--screen", "ti89", "--text", "!", "--font", font}, "--first"},
        {{"--to-png", out, "--screen", "ti89", "--text", "!", "--font", font, "--first", "32", ball}, "en trop"},
        {{"--to-png", out, "--screen", "ti89", "--calculator-colors", ball}, "--calculator-colors"},
        {{"--to-png", out, "--screen", "ti89", font}, "--frame"},
        {{"--to-png", out, "--at", "1,1", ball}, "qu'avec --screen"},
        {{"--to-png", out, "--screen", "ti89", "--spacing", "2", ball}, "--proportional"},
        {{"--data", "--font", "254", font}, "dépassent le code 255"},
        {{"--data", "--font", "31", font}, "32 à 255"},
        {{"--data", "--font", "32", "--screen", "ti89", font}, "qu'avec --to-png"},
    };
    for (const Refusal& refusal : refusals) {
        const RunResult run = Run(refusal.arguments);
        EXPECT_EQ(run.status, 2) << refusal.reason;
        EXPECT_NE(run.err.find(refusal.reason), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << refusal.reason;
        EXPECT_FALSE(fs::exists(out)) << refusal.reason;
    }
}

} // namespace
