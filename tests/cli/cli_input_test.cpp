// What every output command of pixora-export reads: each takes every input
// the others take, and a calculator picture's variable is named by one rule,
// the editor's.
#include <optional>

#include "CommandFixture.h"

namespace {

// The rows of PictureBytes(8, 8) as one unsigned char a row.
std::string PictureAsCArray(const std::string& name)
{
    std::string text = "static const unsigned char " + name + "[] = {";
    for (int y = 0; y < 8; ++y) {
        int row = 0;
        for (int x = 0; x < 8; ++x)
            if (PictureBit(x, y))
                row |= 0x80 >> x;
        text += (y ? ", " : "") + std::to_string(row);
    }
    return text + "};\n";
}

struct OutputCase {
    Args arguments; // without the input
    std::string file;
    bool takesOneFrame; // --frame chooses in a set
};

// One 8 x 8 picture as a .pixo file, a calculator picture, frame 1 of a set,
// a PNG and a C array: every output command gives from each exactly what it
// gives from the .pixo file.
TEST_F(CommandTest, EveryOutputCommandTakesEveryInput)
{
    WriteFile(At("s.pixo"), PixoOfPicture(8, 8));
    WriteFile(At("s.89i"), PictureBytes(8, 8));
    WriteFile(At("s.pixs"), PixsBytes({PatternPixo(8, 8, 2), PixoOfPicture(8, 8)}));
    WriteFile(At("s.h"), PictureAsCArray("s"));
    ASSERT_EQ(Run({"--to-png", At("s.png"), At("s.pixo")}).status, 0);
    const Args inputs[] = {{At("s.89i")}, {"--frame", "1", At("s.pixs")}, {At("s.png")}, {At("s.h")}};
    const OutputCase outputs[] = {
        {{"--plugins", Plugins(), "-p", "probe", "-n", "s", "-o", At("out.h")}, At("out.h"), true},
        {{"--to-pixo", At("out.pixo")}, At("out.pixo"), true},
        {{"--to-pixs", At("out.pixs")}, At("out.pixs"), false},
        {{"--to-png", At("out.png")}, At("out.png"), true},
        {{"--to-ti", At("out.89i")}, At("out.89i"), true},
    };
    for (const OutputCase& output : outputs) {
        Args reference = output.arguments;
        reference.push_back(At("s.pixo"));
        ASSERT_EQ(Run(reference).status, 0) << testing::PrintToString(reference);
        const std::string expected = ReadFile(output.file);
        fs::remove(output.file);
        for (const Args& input : inputs) {
            if (input.size() > 1 && !output.takesOneFrame)
                continue; // --to-pixs takes a set whole
            Args arguments = output.arguments;
            arguments.insert(arguments.end(), input.begin(), input.end());
            const std::string shown = testing::PrintToString(arguments);
            const RunResult result = Run(arguments);
            EXPECT_EQ(result.status, 0) << shown << "\n" << result.err;
            EXPECT_TRUE(ReadFile(output.file) == expected) << shown;
            fs::remove(output.file);
        }
    }
}

struct NameCase {
    std::string output;
    std::optional<std::string> typed; // --var-name
    int status;
    std::string variableOrMessage;
};

// A name taken from the file is shortened to the first 8 characters the
// calculator allows, as the editor proposes it; a typed name that breaks the
// rule is refused with the rule.
TEST_F(CommandTest, PictureVariablesFollowTheEditorsNameRule)
{
    WriteFile(At("bw.pixo"), PixoOfPicture(8, 8));
    const NameCase cases[] = {
        {"cli_final.89i", std::nullopt, 0, "cli_fina"},
        {"Mon Sprite.9xi", std::nullopt, 0, "monsprit"},
        {"2e-essai.v2i", std::nullopt, 0, "eessai"},
        {"123.89i", std::nullopt, 2,
         "123.89i : ce nom de fichier ne donne aucun nom de variable (un nom de variable a de 1 à 8 caractères"},
        {"x.89i", "Mur", 0, "mur"},
        {"x.89i", "trop_long", 2,
         "nom de variable « trop_long » refusé : un nom de variable a de 1 à 8 caractères, lettres, chiffres et _, "
         "et commence par une lettre"},
        {"x.89i", "1mur", 2, "« 1mur » refusé"},
    };
    for (const NameCase& c : cases) {
        Args arguments = {"--to-ti", At(c.output), At("bw.pixo")};
        if (c.typed)
            arguments.insert(arguments.end(), {"--var-name", *c.typed});
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.status, c.status) << c.output << "\n" << result.err;
        if (c.status == 0) {
            const std::string variable = ReadFile(At(c.output)).substr(0x40, 8);
            EXPECT_EQ(variable.substr(0, variable.find('\0')), c.variableOrMessage) << c.output;
        } else {
            EXPECT_NE(result.err.find(c.variableOrMessage), std::string::npos) << result.err;
            EXPECT_FALSE(fs::exists(At(c.output)));
        }
        fs::remove(At(c.output));
    }
}

} // namespace

struct PairCase {
    std::vector<std::string> inputs;
    int status;
    std::string message; // the start of the error output
};

// A gray sprite written by --to-ti as NAME_l and NAME_d comes back whole
// from the pair, light plane first; anything else is refused, nothing
// written.
TEST_F(CommandTest, TheTwoPicturesOfAGraySpriteComeBackAsOne)
{
    WriteFile(At("g.pixo"), PatternPixo(12, 5, 2));
    ASSERT_EQ(Run({"--to-ti", At("m.89i"), At("g.pixo")}).status, 0);
    ASSERT_EQ(Run({"--to-pixo", At("ref.pixo"), At("g.pixo")}).status, 0);
    WriteFile(At("autre.89i"), PictureBytes(8, 8));
    const PairCase cases[] = {
        {{"m_l.89i", "m_d.89i"}, 0, ""},
        {{"m_l.89i", "autre.89i"},
         2,
         "pixora-export : " + At("autre.89i") + " : image de 8 x 8 pixels, le plan clair " + At("m_l.89i") +
             " en a 12 x 5 : les deux plans d'une image en gris ont la même taille\n"},
        {{"m_d.89i", "m_l.89i"},
         2,
         "pixora-export : " + At("m_d.89i") + " : c'est le plan foncé et " + At("m_l.89i") +
             " le plan clair : donnez le plan clair (_l) d'abord, puis le plan foncé (_d)\n"},
        {{"m_l.89i", "g.pixo"},
         2,
         "pixora-export : --to-pixo lit une entrée, ou deux images de calculatrice (.89i, .9xi, .v2i), le plan "
         "clair puis le plan foncé d'un sprite en gris, et non " +
             At("g.pixo") + "\n"},
        {{"m_l.89i", "m_d.89i", "autre.89i"}, 2, "pixora-export : argument en trop : " + At("m_d.89i") + "\n"},
    };
    for (const PairCase& pair : cases) {
        Args arguments = {"--to-pixo", At("out.pixo")};
        for (const std::string& input : pair.inputs)
            arguments.push_back(At(input));
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.status, pair.status) << testing::PrintToString(pair.inputs);
        EXPECT_EQ(result.err.substr(0, pair.message.size()), pair.message);
        if (pair.status == 0)
            EXPECT_TRUE(ReadFile(At("out.pixo")) == ReadFile(At("ref.pixo")));
        else
            EXPECT_FALSE(fs::exists(At("out.pixo")));
        fs::remove(At("out.pixo"));
    }
}

// Messages quote source text cut short and with its control bytes escaped:
// a 10 MB name gives a line, and an ESC or NUL byte of a crafted source
// never reaches the terminal.
TEST_F(CommandTest, SourceTextInMessagesIsShortAndHarmless)
{
    const std::string huge(10 * 1024 * 1024, 'A');
    const struct {
        std::string file, text, shown;
    } cases[] = {
        {"long.c", "static const unsigned char " + huge + "[] = {1, x};\n", std::string(64, 'A') + "… : "},
        {"esc.c", "static const unsigned char s[] = {1, \x1b[2J};\n", "« \\x1b »"},
        {"nul.c", std::string("unsigned char s[] = {1, \0};\n", 28), "« \\x00 »"},
        {"esc.s", "data: .byte 1, \x1b[2J\x07\n", "« \\x1b[2J\\x07 »"},
        {"long.s", huge + ": .byte 1, x\n", std::string(64, 'A') + "… : "},
    };
    for (const auto& [file, text, shown] : cases) {
        WriteFile(At(file), text);
        const RunResult result = Run({"--to-pixo", At("out.pixo"), At(file)});
        EXPECT_LT(result.err.size(), 2000u) << file;
        EXPECT_NE(result.err.find(shown), std::string::npos) << file << "\n" << result.err;
        EXPECT_EQ(result.err.find_first_of(std::string("\x1b\x07\0", 3)), std::string::npos) << file;
    }
}
