#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "IniFile.h"

namespace fs = std::filesystem;

namespace {

class IniFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("pixora_ini_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path() const { return (folder_ / "pixora.ini").string(); }
    void Store(const std::string& content) const { std::ofstream(Path(), std::ios::binary) << content; }
    std::string Stored() const
    {
        std::ifstream in(Path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path folder_;
};

struct ReadCase {
    const char* content;
    const char* key;
    int expected; // read with a default of -99 from section "Options"
};

TEST_F(IniFileTest, ReadsIntegersAsTheProfileFunctionsDo)
{
    const ReadCase cases[] = {
        {"[Options]\nApercu=0\n", "Apercu", 0},
        {"[options]\nAPERCU=7", "Apercu", 7},
        {"  [ Options ]  \n \t X  =  12 \t\n", "x", 12},
        {"[Options]\r\nX=5\r\nY=6\r\n", "Y", 6},
        {"[Options]\nX=0x10\n", "X", 16},
        {"[Options]\nX=0xFFFFFFFF\n", "X", -1},
        {"[Options]\nX=0x100000000\n", "X", -99},
        {"[Options]\nX=0x\n", "X", -99},
        {"[Options]\nX=-0x10\n", "X", -99},
        {"[Options]\nX=-5\n", "X", -5},
        {"[Options]\nX=+7\n", "X", 7},
        {"[Options]\nX=+-7\n", "X", -99},
        {"[Options]\nX=-2147483648\n", "X", INT_MIN},
        {"[Options]\nX=2147483648\n", "X", -99},
        {"[Options]\nX=12abc\n", "X", -99},
        {"[Options]\nX=\n", "X", -99},
        {"[Options]\nX=\"42\"\n", "X", 42},
        {"[Options]\nX=3\r", "X", 3},
        {"[Options]\nX=1=2\n", "X", -99},
        {"[Options]\n;X=1\n#X=2\n", "X", -99},
        {"[Options]\nX=1\nX=2\n", "X", 1},
        {"X=1\n[Options]\n", "X", -99},
        {"[Autre]\nX=1\n[Options]\nY=2\n", "X", -99},
        {"[Options]\nX=1\n[Autre]\nX=2\n[Options]\nZ=3\n", "Z", 3},
        {"[Options\nX=1\n", "X", -99},
    };
    for (const ReadCase& c : cases) {
        Store(c.content);
        EXPECT_EQ(IniFile(Path()).ReadInteger("Options", c.key, -99), c.expected) << c.content;
    }
}

TEST_F(IniFileTest, MissingFileGivesDefaultsAndIsNotCreated)
{
    const IniFile ini(Path());
    EXPECT_EQ(ini.ReadInteger("FenetreMain", "X", 333), 333);
    EXPECT_TRUE(ini.ReadBool("Options", "Apercu", true));
    EXPECT_FALSE(fs::exists(Path()));
    Store("[Options]\nA=2\nB=0\nC=oui\n");
    EXPECT_TRUE(ini.ReadBool("Options", "A", false));
    EXPECT_FALSE(ini.ReadBool("Options", "B", true));
    EXPECT_FALSE(ini.ReadBool("Options", "C", false));
}

struct Write {
    const char* section;
    const char* key;
    int value;
};

struct WriteCase {
    const char* before; // nullptr: no file
    std::vector<Write> writes;
    const char* after;
};

TEST_F(IniFileTest, WritesKeepTheLinesTheyDoNotOwn)
{
    const WriteCase cases[] = {
        // A new file: sections and keys in the order of the first writes.
        {nullptr,
         {{"Options", "Apercu", 1},
          {"Options", "OuvrirFenetre", 0},
          {"FenetreMain", "X", -4},
          {"Options", "Apercu", 0}},
         "[Options]\nApercu=0\nOuvrirFenetre=0\n\n[FenetreMain]\nX=-4\n"},
        // In place, keeping the spelling and blanks in front of the value.
        {"; mes options\n[options]\n  apercu = 1 ; vu\nAutre=z\n",
         {{"Options", "Apercu", 0}},
         "; mes options\n[options]\n  apercu = 0\nAutre=z\n"},
        // A new key goes after the section's last key, before blanks and comments.
        {"[Options]\nA=1\n\n; fenetres\n[FenetreMain]\nX=1\n",
         {{"Options", "B", 2}, {"FenetreMain", "Y", 3}},
         "[Options]\nA=1\nB=2\n\n; fenetres\n[FenetreMain]\nX=1\nY=3\n"},
        {"[Options]\n[FenetreMain]\n", {{"Options", "A", 1}}, "[Options]\nA=1\n[FenetreMain]\n"},
        // A new section at the end; a last line without its line end gets one.
        {"[Autre]\nK=v", {{"Options", "A", 1}}, "[Autre]\nK=v\n\n[Options]\nA=1\n"},
        {"[Autre]\nK=v\n\n", {{"Options", "A", 1}}, "[Autre]\nK=v\n\n[Options]\nA=1\n"},
        // CR LF files stay CR LF.
        {"[Options]\r\nA=1\r\n",
         {{"Options", "A", 5}, {"Options", "B", 6}, {"Fenetre", "C", 7}},
         "[Options]\r\nA=5\r\nB=6\r\n\r\n[Fenetre]\r\nC=7\r\n"},
        // A repeated key: the one that is read is the one that is written.
        {"[Options]\nA=1\nA=2\n", {{"Options", "A", 3}}, "[Options]\nA=3\nA=2\n"},
        {"[Options]\nA=\n", {{"Options", "A", 3}}, "[Options]\nA=3\n"},
    };
    for (const WriteCase& c : cases) {
        fs::remove(Path());
        if (c.before)
            Store(c.before);
        const IniFile ini(Path());
        for (const Write& w : c.writes)
            ini.WriteInteger(w.section, w.key, w.value);
        EXPECT_EQ(Stored(), c.after) << (c.before ? c.before : "(no file)");
    }
}

TEST_F(IniFileTest, WrittenValuesReadBack)
{
    const IniFile ini(Path());
    const int values[] = {0, 1, -1, 333, INT_MAX, INT_MIN};
    for (const int value : values) {
        ini.WriteInteger("FenetreMain", "Largeur", value);
        EXPECT_EQ(ini.ReadInteger("fenetremain", "LARGEUR", 7), value);
    }
    ini.WriteBool("Options", "Apercu", true);
    EXPECT_EQ(ini.ReadInteger("Options", "Apercu", 7), 1);
}

// A default is written only over a value the file already holds, so that
// the file of a user who never changed the option keeps no key for it.
TEST_F(IniFileTest, ADefaultIsWrittenOnlyOverAStoredValue)
{
    const struct {
        const char* before;
        int value;
        const char* after;
    } cases[] = {
        {"", 8, "[Affichage]\nZoom=8\n"},
        {"", 0, ""},
        {"[Affichage]\nZoom=8\n", 0, "[Affichage]\nZoom=0\n"},
        {"[Affichage]\nZoom=x\n", 0, "[Affichage]\nZoom=x\n"},
        {"[Affichage]\nAutre=1\n", 0, "[Affichage]\nAutre=1\n"},
    };
    for (const auto& test : cases) {
        fs::remove(Path());
        if (*test.before)
            Store(test.before);
        IniFile(Path()).WriteIntegerUnlessDefault("Affichage", "Zoom", test.value, 0);
        EXPECT_EQ(Stored(), test.after) << test.before << " with " << test.value;
    }
}

TEST_F(IniFileTest, FailedWriteRaisesTheUserMessageAndLeavesNothing)
{
    fs::create_directory(Path()); // a folder where the file should be
    try {
        IniFile(Path()).WriteBool("Options", "Apercu", true);
        FAIL() << "the write succeeded";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + Path());
    }
    EXPECT_TRUE(fs::is_directory(Path()));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);

    const std::string inMissingFolder = (folder_ / "absent" / "pixora.ini").string();
    EXPECT_THROW(IniFile(inMissingFolder).WriteInteger("Options", "A", 1), IniWriteError);
}

// A link planted where an older version put its temporary file is not
// followed, and the file keeps the mode its owner gave it.
TEST_F(IniFileTest, WritesFollowNoPlantedLinkAndKeepTheMode)
{
    const fs::path victim = folder_ / "victime";
    std::ofstream(victim) << "intact";
    fs::create_symlink(victim, folder_ / "pixora.ini.new");
    Store("[Options]\r\nApercu=0\r\n");
    fs::permissions(Path(), fs::perms(0600));
    IniFile(Path()).WriteBool("Options", "Apercu", true);
    EXPECT_EQ(Stored(), "[Options]\r\nApercu=1\r\n");
    EXPECT_EQ(fs::status(Path()).permissions(), fs::perms(0600));
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "intact");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
}

TEST_F(IniFileTest, GarbageNeverCrashesAndStaysWritable)
{
    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage += static_cast<char>((i * 131 + 7) % 256);
    garbage += "\n[Options]\nA=" + std::string(1 << 20, '9') + "\n" + std::string(1 << 20, '[') + "\n";
    Store(garbage);
    const IniFile ini(Path());
    EXPECT_EQ(ini.ReadInteger("Options", "A", 4), 4);
    ini.WriteInteger("Options", "A", 12);
    ini.WriteInteger("Options", "B", 13);
    EXPECT_EQ(ini.ReadInteger("Options", "A", 4), 12);
    EXPECT_EQ(ini.ReadInteger("Options", "B", 4), 13);
    EXPECT_EQ(Stored().substr(0, 70000), garbage.substr(0, 70000));
}

TEST(SettingsFilePath, ReplacesOrAppendsTheExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/pixora/pixora", "/opt/pixora/pixora.ini"},
        {"/opt/pixora/pixora.exe", "/opt/pixora/pixora.ini"},
        {"/opt/pix.ora/pixora", "/opt/pix.ora/pixora.ini"},
        {"/opt/pixora/pixora.old.bin", "/opt/pixora/pixora.old.ini"},
        {"/opt/pixora/.pixora", "/opt/pixora/.pixora.ini"},
    };
    for (const auto& [program, settings] : cases)
        EXPECT_EQ(SettingsFilePath(program), settings) << program;
}

} // namespace
