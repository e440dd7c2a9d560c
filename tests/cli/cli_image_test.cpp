// pixora-export with image inputs and PNG outputs, run as a build tool runs
// it: the sprite a picture gives with each conversion option, the PNG that
// --to-png writes (the editor's, byte for byte), and status 2 with a reason
// for pictures and option values that cannot be used.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ImageFiles.h"
#include "PictureRows.h"
#include "SpriteText.h"

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;

struct RunResult {
    int status;
    std::string err;
};

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int Shell(const std::string& line)
{
    const int raw = std::system(line.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("pixora-cli-images-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string At(const std::string& name) const { return (dir_ / name).string(); }

    void SavePicture(const std::string& name, const std::vector<std::string>& rows)
    {
        ASSERT_TRUE(PictureFromRows(rows).save(QString::fromStdString(At(name))));
    }

    // environment: "NAME=value" words put before the command.
    RunResult Run(const Args& arguments, const std::string& environment = "",
                  const std::string& command = PIXORA_PROGRAM_DIR "/pixora-export") const
    {
        std::string line = environment + " " + ShellQuoted(command);
        for (const std::string& argument : arguments)
            line += " " + ShellQuoted(argument);
        line += " >/dev/null 2>" + ShellQuoted(At("stderr"));
        RunResult result{Shell(line), ReadFile(At("stderr"))};
        EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("runtime error"), std::string::npos) << result.err;
        fs::remove(At("stderr"));
        return result;
    }

    // The sprite written by --to-pixo with the options given.
    Rows ConvertedRows(const std::string& input, Args options)
    {
        fs::remove(At("out.pixo"));
        options.insert(options.end(), {"--to-pixo", At("out.pixo"), At(input)});
        const RunResult result = Run(options);
        EXPECT_EQ(result.status, 0) << result.err;
        Sprite sprite;
        EXPECT_TRUE(sprite.LoadFromFile(At("out.pixo")));
        return ToRows(sprite);
    }

    fs::path dir_;
};

TEST_F(CliImages, ConversionOptionsGiveTheSpritesTheEditorWould)
{
    SavePicture("gris.png", {"#4.8", "d.l "}); // 0 100 255 200, 85 255 170 and transparent
    struct Case {
        Args options;
        Rows expected;
    };
    const Case cases[] = {
        {{}, {"#d.l", "d.lW"}}, // grays: four levels; alpha to mask
        {{"--levels", "2"}, {"##..", "#..W"}},
        {{"--levels", "2", "--threshold", "201"}, {"##.#", "#.#W"}},
        {{"--levels", "2", "--invert"}, {"..##", ".##W"}},
        {{"--no-alpha-mask"}, {"#d.l", "d.l."}},
        {{"--crop", "1,0,2,2"}, {"d.", ".l"}},
        {{"--scale-down", "2"}, {"#."}},
        {{"--levels", "2", "--dither", "floyd-steinberg", "--crop=0,1,2,1"}, {"#."}},
    };
    for (const Case& c : cases) {
        std::string label;
        for (const std::string& option : c.options)
            label += option + " ";
        EXPECT_EQ(ConvertedRows("gris.png", c.options), c.expected) << label;
    }
}

TEST_F(CliImages, ToPngWritesWhatTheEditorWritesFromAnyInput)
{
    const Sprite sprite = FromRows({"#ldB", "...W"});
    ASSERT_TRUE(sprite.SaveToFile(At("balle.pixo")));
    for (const bool calculatorColors : {false, true}) {
        QString reason;
        ASSERT_TRUE(WritePngFile(sprite, 4, calculatorColors, At("editor.png"), reason));
        Args arguments = {"--to-png", At("cli.png"), "--png-scale", "4", At("balle.pixo")};
        if (calculatorColors)
            arguments.push_back("--calculator-colors");
        const RunResult result = Run(arguments);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(ReadFile(At("cli.png")), ReadFile(At("editor.png")));
    }
    // An image input is converted first: the PNG of the PNG is the same.
    ASSERT_EQ(Run({"--to-png", At("again.png"), "--png-scale=1", At("editor.png")}).status, 0);
    QString reason;
    ASSERT_TRUE(WritePngFile(sprite, 1, false, At("once.png"), reason));
    ASSERT_EQ(Run({"--to-png", At("twice.png"), At("once.png")}).status, 0);
    EXPECT_EQ(ReadFile(At("twice.png")), ReadFile(At("once.png")));
}

TEST_F(CliImages, UnusablePicturesAndValuesAreStatusTwoWithAReason)
{
    SavePicture("petit.png", {"#."});
    ASSERT_TRUE(QImage(241, 1, QImage::Format_RGB32).save(QString::fromStdString(At("large.bmp"))));
    std::ofstream(At("faux.jpg")) << "pas une image";
    Sprite sprite({2, 2});
    ASSERT_TRUE(sprite.SaveToFile(At("s.pixo")));
    struct Case {
        Args arguments;
        std::string reason;
    };
    const std::string out = At("sortie.pixo");
    const Case cases[] = {
        {{"--to-pixo", out, At("faux.jpg")}, "image illisible"},
        {{"--to-pixo", out, At("large.bmp")}, "241 x 1 pixels"},
        {{"--to-pixo", out, At("large.bmp")}, "--scale-down"},
        {{"--to-pixo", out, "--crop", "2,0,240,1", At("large.bmp")}, "n'est pas dans l'image"},
        {{"--to-pixo", out, "--scale-down", "3", At("petit.png")}, "ne laisse aucun pixel"},
        {{"--to-pixo", out, "--levels", "3", At("petit.png")}, "--levels attend 2 ou 4"},
        {{"--to-pixo", out, "--threshold", "0", At("petit.png")}, "--threshold attend un nombre entier de 1 à 255"},
        {{"--to-pixo", out, "--threshold", "256", At("petit.png")}, "--threshold"},
        {{"--to-pixo", out, "--threshold", "12a", At("petit.png")}, "--threshold"},
        {{"--to-pixo", out, "--dither", "ordered", At("petit.png")}, "--dither attend"},
        {{"--to-pixo", out, "--crop", "1,2,3", At("petit.png")}, "--crop attend"},
        {{"--to-pixo", out, "--crop", "0,0,0,1", At("petit.png")}, "--crop"},
        {{"--to-pixo", out, "--crop", "-1,0,1,1", At("petit.png")}, "--crop"},
        {{"--to-pixo", out, "--scale-down", "0", At("petit.png")}, "--scale-down"},
        {{"--to-png", out, "--png-scale", "17", At("petit.png")}, "--png-scale attend un nombre entier de 1 à 16"},
        {{"--to-png", out, "--png-scale", "0", At("petit.png")}, "--png-scale"},
        {{"--to-pixo", out, "--invert", At("s.pixo")}, "ne s'emploient qu'avec une image"},
        {{"--to-pixo", out, "--png-scale", "2", At("petit.png")}, "ne s'emploient qu'avec --to-png"},
        {{"--to-png", "-", At("petit.png")}, "pas -"},
        {{"--to-png", At("petit.png"), At("petit.png")}, "remplacerait"},
        {{"--to-png", out, "--to-pixo", out, At("petit.png")}, "--to-png ne s'emploie pas avec"},
    };
    for (const Case& c : cases) {
        const RunResult result = Run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.reason;
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(out)) << c.reason;
    }
    EXPECT_EQ(ReadFile(At("petit.png")).substr(1, 3), "PNG");
}

// Qt's GUI library, and all it brings, costs several times the rest of an
// export: a Makefile of sprites must not pay for it once per sprite.
TEST_F(CliImages, QtIsLoadedOnlyWhenAPictureIsReadOrWritten)
{
    const std::string command = PIXORA_PROGRAM_DIR "/pixora-export";
    EXPECT_NE(Shell("ldd " + ShellQuoted(command) + " | grep -q libQt6"), 0) << "pixora-export links Qt";
    ASSERT_TRUE(FromRows({"#l", "d."}).SaveToFile(At("balle.pixo")));
    SavePicture("gris.png", {"#4.8", "d.l "});
    ASSERT_EQ(Run({"--to-ti", At("balle.89i"), At("balle.pixo")}).status, 0);
    ASSERT_EQ(Run({"--to-pixs", At("planche.pixs"), At("balle.pixo"), At("balle.pixo")}).status, 0);
    ASSERT_EQ(Run({"-p", "maskplane", "-o", At("balle.h"), At("balle.pixo")}).status, 0);
    struct Case {
        Args arguments;
        bool loadsQt;
    };
    const Case cases[] = {
        {{"-p", "maskplane", "-o", At("a.h"), At("balle.pixo")}, false},
        {{"-p", "maskplane", "-o", At("b.h"), At("planche.pixs")}, false},
        {{"--to-pixo", At("c.pixo"), At("balle_l.89i")}, false},
        {{"--to-pixo", At("d.pixo"), At("balle.h")}, false},
        {{"--to-ti", At("e.9xi"), At("balle.pixo")}, false},
        {{"--list"}, false},
        {{"--to-pixo", At("f.pixo"), At("gris.png")}, true},
        {{"--to-png", At("g.png"), At("balle.pixo")}, true},
    };
    for (const Case& c : cases) {
        const RunResult result = Run(c.arguments, "LD_DEBUG=libs");
        const std::string shown = testing::PrintToString(c.arguments);
        EXPECT_EQ(result.status, 0) << shown << "\n" << result.err;
        EXPECT_EQ(result.err.find("libQt6Gui") != std::string::npos, c.loadsQt) << shown;
    }
}

// A copy of the program without its module still does everything but pictures.
TEST_F(CliImages, WithoutItsModuleTheCommandRefusesPicturesOnly)
{
    fs::create_directories(dir_ / "copie");
    fs::copy_file(PIXORA_PROGRAM_DIR "/pixora-export", dir_ / "copie" / "pixora-export");
    fs::copy(PIXORA_PROGRAM_DIR "/Plugins", dir_ / "copie" / "Plugins");
    const std::string copy = At("copie/pixora-export");
    ASSERT_TRUE(FromRows({"#l", "d."}).SaveToFile(At("balle.pixo")));
    SavePicture("gris.png", {"#4.8", "d.l "});
    EXPECT_EQ(Run({"-p", "maskplane", "-o", At("balle.h"), At("balle.pixo")}, "", copy).status, 0);
    for (const Args& arguments :
         {Args{"--to-pixo", At("f.pixo"), At("gris.png")}, Args{"--to-png", At("g.png"), At("balle.pixo")}}) {
        const RunResult result = Run(arguments, "", copy);
        EXPECT_EQ(result.status, 2) << arguments[0];
        EXPECT_NE(result.err.find("le module pixora-export-images manque ou est illisible"), std::string::npos)
            << result.err;
    }
}

} // namespace
