// The one reader of every input: which kind a path names, what each kind
// gives on real small files, the gray sprite read back from its two
// calculator pictures, and source text as messages show it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "GrayPicturePair.h"
#include "InputFrames.h"
#include "ShownText.h"
#include "SpriteText.h"
#include "set_file.h"
#include "ti_picture_writer.h"

namespace fs = std::filesystem;

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("pixora-input-" + std::to_string(getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }

    fs::path folder;
};

// A gray sprite as --to-ti and the editor write it: NAME_l then NAME_d.
const Rows GrayRows = {"l.d#", "#..l", "dd##"};

std::string PlanePicture(const Sprite& sprite, int plane)
{
    return TiPictureBytes(sprite, TiModel::Ti89, plane == 1 ? "g_l" : "g_d", plane);
}

} // namespace

TEST(InputKind, ComesFromTheExtensionInAnyCase)
{
    const struct {
        const char* path;
        InputKind kind;
    } cases[] = {
        {"balle.pixo", InputKind::Native},
        {"HEROS.PIXS", InputKind::Set},
        {"ecran.89i", InputKind::CalculatorPicture},
        {"ecran.9XI", InputKind::CalculatorPicture},
        {"dir/ecran.v2i", InputKind::CalculatorPicture},
        {"photo.JPEG", InputKind::Picture},
        {"capture.png", InputKind::Picture},
        {"sprites.h", InputKind::Source},
        {"sprites.C", InputKind::Source},
        {"data.S", InputKind::Source},
        {"data.asm", InputKind::Source},
        {"data.inc", InputKind::Source},
        {"notes.txt", InputKind::Unknown},
        {"balle", InputKind::Unknown},
        {".pixo", InputKind::Unknown},
        {"sprites.pixo/notes", InputKind::Unknown},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(InputKindOf(path), kind) << path;
}

TEST_F(InputTest, EachKindIsReadByItsReaderOrRefusedWithTheFileNamed)
{
    Sprite ball = FromRows({"#.#", ".#."});
    ball.SaveToFile(PathOf("balle.pixo"));
    const Sprite second = FromRows({"...", "###"});
    SaveSpriteSetFile(PathOf("heros.pixs"), {&ball, &second});
    Write("ecran.89i", TiPictureBytes(ball, TiModel::Ti89, "ecran", 0));
    Write("court.pixo", std::string(100, '\0'));
    Write("faux.pixs", "PIXT");
    Write("vide.89i", std::string(92, '\0'));
    Write("photo.png", "not read here");
    Write("sprites.h", "not read here");
    fs::create_directory(PathOf("dossier.pixo"));
    InputReaders readers;
    readers.source = [](const std::string&) { return InputFrames::One(std::make_unique<Sprite>(FromRows({"#"}))); };

    const struct {
        const char* name;
        size_t frames;
        const char* problem; // after "path : "
    } cases[] = {
        {"balle.pixo", 1, ""},
        {"heros.pixs", 2, ""},
        {"ecran.89i", 1, ""},
        {"sprites.h", 1, ""},
        {"court.pixo", 0, "fichier .pixo trop court (100 octets au lieu de 30732)"},
        {"faux.pixs", 0, "ce n'est pas une planche .pixs (il manque « PIXS » au début)"},
        {"vide.89i", 0, "image de calculatrice non valide"},
        {"photo.png", 0, "une image de ce type ne se lit pas ici"},
        {"absent.pixo", 0, "fichier introuvable"},
        {"dossier.pixo", 0, "c'est un dossier, pas un fichier"},
        {"notes.txt", 0, "extension inconnue"},
    };
    for (const auto& [name, frames, problem] : cases) {
        const InputFrames read = ReadInputFrames(PathOf(name), readers);
        EXPECT_EQ(read.frames.size(), frames) << name;
        if (frames == 0)
            EXPECT_EQ(read.problem.rfind(PathOf(name) + " : " + problem, 0), 0u) << name << ": " << read.problem;
        else
            EXPECT_EQ(read.problem, "") << name;
    }
    EXPECT_EQ(ToRows(*ReadInputFrames(PathOf("heros.pixs"), {}).frames[1]), (Rows{"...", "###"}));
    EXPECT_EQ(ToRows(*ReadInputFrames(PathOf("ecran.89i"), {}).frames[0]), (Rows{"#.#", ".#."}));
}

TEST_F(InputTest, TheTwoPlanePicturesGiveTheGraySpriteBack)
{
    const Sprite gray = FromRows(GrayRows);
    const std::string light = Write("g_l.89i", PlanePicture(gray, 1));
    const std::string dark = Write("g_d.89i", PlanePicture(gray, 2));
    const InputFrames pair = ReadGrayPicturePair(light, dark);
    ASSERT_TRUE(pair.Read()) << pair.problem;
    EXPECT_EQ(ToRows(*pair.frames[0]), GrayRows);
    EXPECT_EQ(pair.frames[0]->GetType(), Grayscale);
}

TEST_F(InputTest, APairThatIsNoGraySpriteIsRefusedWithTheReason)
{
    const Sprite gray = FromRows(GrayRows);
    const std::string light = Write("g_l.89i", PlanePicture(gray, 1));
    const std::string dark = Write("g_d.89i", PlanePicture(gray, 2));
    const std::string wide = Write("large.89i", PlanePicture(FromRows({"#####", "....."}), 2));
    gray.SaveToFile(PathOf("g.pixo"));
    const struct {
        std::string light, dark;
        std::string problem;
    } cases[] = {
        {light, wide,
         wide + " : image de 5 x 2 pixels, le plan clair " + light +
             " en a 4 x 3 : les deux plans d'une image en gris ont la même taille"},
        {dark, light,
         dark + " : c'est le plan foncé et " + light +
             " le plan clair : donnez le plan clair (_l) d'abord, puis le plan foncé (_d)"},
        {light, PathOf("g.pixo"),
         PathOf("g.pixo") + " : les deux plans d'une image en gris sont des images de calculatrice (.89i, .9xi "
                            "ou .v2i)"},
        {light, PathOf("absent_d.89i"), PathOf("absent_d.89i") + " : fichier introuvable"},
    };
    for (const auto& [first, second, problem] : cases) {
        const InputFrames pair = ReadGrayPicturePair(first, second);
        EXPECT_TRUE(pair.frames.empty());
        EXPECT_EQ(pair.problem, problem);
    }
}

TEST_F(InputTest, TheDarkPlaneBesideALightOneIsFoundByItsName)
{
    const Sprite gray = FromRows(GrayRows);
    for (const char* name : {"g_l.89i", "g_d.89i", "M_L.9XI", "M_D.9XI", "seul_l.v2i", "h.89i", "h_d.89i"})
        Write(name, PlanePicture(gray, 1));
    EXPECT_EQ(DarkPlaneBeside(PathOf("g_l.89i")), PathOf("g_d.89i"));
    EXPECT_EQ(DarkPlaneBeside(PathOf("M_L.9XI")), PathOf("M_D.9XI"));
    for (const char* alone : {"seul_l.v2i", "h.89i", "g_d.89i", "g_l.pixo"})
        EXPECT_EQ(DarkPlaneBeside(PathOf(alone)), std::nullopt) << alone;

    Write("g_d.89i", PlanePicture(gray, 2));
    Sprite imported = FromRows({"#"});
    ASSERT_TRUE(ReadGrayPictureBeside(imported, PathOf("g_l.89i")));
    EXPECT_EQ(ToRows(imported), GrayRows);
    EXPECT_FALSE(ReadGrayPictureBeside(imported, PathOf("seul_l.v2i")));
    EXPECT_EQ(ToRows(imported), GrayRows);
}

TEST(ShownText, SourceTextIsCutAndItsControlBytesEscaped)
{
    const std::string sixtyFour(64, 'a');
    const std::string accented = std::string(63, 'e') + "é";
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"sprite_1", "sprite_1"},
        {"a\x1b[31mb", "a\\x1b[31mb"},
        {std::string("nul\0x", 5), "nul\\x00x"},
        {"tab\there\r\n", "tab\\x09here\\x0d\\x0a"},
        {"del\x7f", "del\\x7f"},
        {"balle_é", "balle_é"},
        {"c1\xc2\x9b"
         "2J",
         "c1\\xc2\\x9b2J"},                 // U+009B, the one-byte CSI
        {"lone\x9b", "lone\\x9b"},          // no UTF-8
        {"cut\xc3", "cut\\xc3"},            // a sequence cut short
        {"over\xc0\xaf", "over\\xc0\\xaf"}, // an overlong '/'
        {sixtyFour, sixtyFour},
        {sixtyFour + "b", sixtyFour + "…"},
        {accented + "x", accented + "…"}, // é counts as one character
        {std::string(64, '\x1b'),
         [] {
             std::string escaped;
             for (int i = 0; i < 64; ++i)
                 escaped += "\\x1b";
             return escaped;
         }()},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(ShownSourceText(text), shown) << text;
    EXPECT_EQ(QuotedSourceText("x\x1b"), "« x\\x1b »");
}

TEST(ShownText, ATenMegabyteIdentifierGivesAShortText)
{
    const std::string huge(10 * 1024 * 1024, 'A');
    EXPECT_EQ(ShownSourceText(huge), std::string(64, 'A') + "…");
}
