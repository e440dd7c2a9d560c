// The recent files as the settings file keeps them: order, repeats, the
// limit of eight, and sections edited by hand; and the quoted text values
// they are stored in.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "IniFile.h"
#include "RecentFiles.h"

namespace fs = std::filesystem;

namespace {

class RecentFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("pixora_recent_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Ini() const { return (folder_ / "pixora.ini").string(); }
    // An existing file of the folder, by name.
    std::string File(const std::string& name) const
    {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << "x";
        return path.string();
    }
    void Store(const std::string& content) const { std::ofstream(Ini(), std::ios::binary) << content; }
    std::string Stored() const
    {
        std::ifstream in(Ini(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path folder_;
};

TEST_F(RecentFilesTest, NewestFirstEachFileOnceAtMostEight)
{
    RecentFiles recent;
    for (const char* name : {"a.pixo", "b.89i", "c.pixo"})
        recent.Add(File(name));
    recent.Add(File("a.pixo"));
    // Another spelling of the same path counts once too.
    recent.Add((folder_ / "." / "sub" / ".." / "b.89i").string());
    recent.Add("");
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{File("b.89i"), File("a.pixo"), File("c.pixo")}));

    for (int k = 0; k < 10; ++k)
        recent.Add(File("n" + std::to_string(k) + ".pixo"));
    ASSERT_EQ(recent.Paths().size(), RecentFiles::Capacity);
    EXPECT_EQ(recent.Paths().front(), File("n9.pixo"));
    EXPECT_EQ(recent.Paths().back(), File("n2.pixo"));

    recent.Remove(File("n5.pixo"));
    EXPECT_EQ(recent.Paths().size(), 7u);
    EXPECT_EQ(std::count(recent.Paths().begin(), recent.Paths().end(), File("n5.pixo")), 0);
}

TEST_F(RecentFilesTest, RoundTripThroughTheSettingsFileClearsUnusedKeys)
{
    Store("[FichiersRecents]\nFichier1=x\nFichier2=y\nFichier3=z\n");
    RecentFiles recent;
    recent.Add(File("avec espace .pixo"));
    recent.Add(File("\"guillemets\".pixo"));
    recent.Write(IniFile(Ini()), "FichiersRecents");
    const std::string first = "Fichier1=\"" + File("\"guillemets\".pixo") + "\"\n";
    EXPECT_NE(Stored().find(first), std::string::npos) << Stored();
    EXPECT_NE(Stored().find("Fichier3=\"\"\nFichier4=\"\"\n"), std::string::npos) << Stored();

    RecentFiles again;
    again.Read(IniFile(Ini()), "FichiersRecents");
    EXPECT_EQ(again.Paths(), recent.Paths());

    // Nothing to remember and nothing remembered before: no section.
    Store("[Options]\nApercu=1\n");
    RecentFiles().Write(IniFile(Ini()), "FichiersRecents");
    EXPECT_EQ(Stored(), "[Options]\nApercu=1\n");
}

TEST_F(RecentFilesTest, HandEditedSectionGivesOnlyExistingFilesEachOnce)
{
    fs::create_directories(folder_ / "dossier.pixo");
    std::string content = "[FichiersRecents]\n";
    content += "Fichier1=\n";
    content += "Fichier2=" + (folder_ / "dossier.pixo").string() + "\n";
    content += "Fichier3=  " + File("a.pixo") + "  \n";
    content += "Fichier4=" + File("a.pixo") + "\n";
    content += "Fichier5=" + (folder_ / "absent.pixo").string() + "\n";
    content += "Fichier6=\xff\xfe\x01\n";
    content += "Fichier7='" + File("b.v2i") + "'\n";
    const std::string repeated = File("c.pixo");
    for (int k = 8; k <= 10000; ++k)
        content += "Fichier" + std::to_string(k) + "=" + repeated + "\n";
    Store(content);

    RecentFiles recent;
    recent.Read(IniFile(Ini()), "FichiersRecents");
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{File("a.pixo"), File("b.v2i"), File("c.pixo")}));
}

TEST_F(RecentFilesTest, TextValuesKeepTheirEdgesAndNeverBreakTheFile)
{
    const IniFile ini(Ini());
    const std::pair<std::string, std::string> writtenAndRead[] = {
        {"  blancs autour  ", "  blancs autour  "},
        {"\"entre guillemets\"", "\"entre guillemets\""},
        {"", ""},
        {"ligne\n[Options]\nApercu=0", ""},
        {"retour\rchariot", ""},
    };
    for (const auto& [written, read] : writtenAndRead) {
        ini.WriteString("Dossiers", "Charger", written);
        EXPECT_EQ(ini.ReadString("Dossiers", "Charger", "défaut"), read) << written;
    }
    EXPECT_EQ(Stored(), "[Dossiers]\nCharger=\"\"\n");
    EXPECT_EQ(ini.ReadString("Dossiers", "Absent", "défaut"), "défaut");
}

} // namespace
