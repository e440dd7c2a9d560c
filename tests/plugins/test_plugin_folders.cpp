// The plug-ins of an installed program: the program's folder, then the
// user's, a user's valid library replacing a shipped one of its file name.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "PluginFixture.h"
#include "PluginFolders.h"

namespace fs = std::filesystem;

namespace {

std::string Fake(const std::string& name)
{
    return std::string(PIXORA_FAKE_PLUGIN_DIR) + "/" + name + "/" + name + ".so";
}

// File name and display name of each listed plug-in, in list order; the
// path must lie in the folder named by the test.
using Listing = std::vector<std::pair<std::string, std::string>>;

Listing ListingOf(const PluginScan& scan)
{
    Listing listing;
    for (size_t i = 0; i < scan.fileNames.size(); ++i)
        listing.emplace_back(scan.fileNames[i], scan.displayNames[i]);
    return listing;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

struct TwoFolders {
    TempFolder root;
    std::string program = root.File("program") + "/";
    std::string user = root.File("user") + "/";
    TwoFolders()
    {
        fs::create_directory(program);
        fs::create_directory(user);
    }
};

} // namespace

TEST(ScanPluginFolders, UserPluginsComeAfterTheProgramsAndReplaceThoseOfTheSameFileName)
{
    TwoFolders folders;
    fs::copy_file(BuiltPlugin("hexplane"), folders.program + "hexplane.so");
    fs::copy_file(Fake("recorder"), folders.program + "recorder.so");
    // The user's hexplane.so is another library altogether.
    fs::copy_file(Fake("name_only"), folders.user + "hexplane.so");

    const PluginScan scan = ScanPluginFolders({folders.program, folders.user});

    EXPECT_EQ(ListingOf(scan), (Listing{{"recorder.so", "Enregistreur"}, {"hexplane.so", "Nom seul"}}));
    EXPECT_EQ(scan.paths, (std::vector<std::string>{folders.program + "recorder.so", folders.user + "hexplane.so"}));
    EXPECT_TRUE(scan.invalidFiles.empty());
}

// Broken libraries of the user are reported and skipped as the program's
// own are; one named like a shipped plug-in does not take its place.
TEST(ScanPluginFolders, BrokenUserLibrariesAreReportedAndLeaveTheShippedOnesListed)
{
    TwoFolders folders;
    fs::copy_file(BuiltPlugin("hexplane"), folders.program + "hexplane.so");
    WriteBytes(folders.user + "hexplane.so", "pas une biblioth\xE8que");
    WriteBytes(folders.user + "vide.so", "");
    fs::copy_file(Fake("plug_only"), folders.user + "plug_only.so");
    fs::create_directory(folders.user + "dossier.so");

    const PluginScan scan = ScanPluginFolders({folders.program, folders.user});

    EXPECT_EQ(ListingOf(scan), (Listing{{"hexplane.so", "Format TIGCClib"}}));
    EXPECT_EQ(scan.paths, std::vector<std::string>{folders.program + "hexplane.so"});
    EXPECT_EQ(Sorted(scan.invalidFiles), (std::vector<std::string>{"hexplane.so", "plug_only.so", "vide.so"}));
}

// A valid replacement hides even a broken shipped library: its warning
// would name a file the user has already replaced.
TEST(ScanPluginFolders, AValidUserPluginHidesABrokenShippedOne)
{
    TwoFolders folders;
    WriteBytes(folders.program + "underscored.so", "abimé");
    fs::copy_file(Fake("underscored"), folders.user + "underscored.so");

    const PluginScan scan = ScanPluginFolders({folders.program, folders.user, folders.root.File("absent") + "/"});

    EXPECT_EQ(ListingOf(scan), (Listing{{"underscored.so", "Soulign\xE9"}}));
    EXPECT_TRUE(scan.invalidFiles.empty());
}

TEST(UserDataFolder, FollowsXdgDataHomeWhenAbsoluteElseTheHomeFolder)
{
    struct Row {
        std::optional<std::string> dataHome;
        std::string expected;
    };
    const Row rows[] = {
        {"/srv/donnees", "/srv/donnees/pixora/"},
        {"/srv/donnees/", "/srv/donnees/pixora/"},
        {"relatif/donnees", "/home/essai/.local/share/pixora/"},
        {"", "/home/essai/.local/share/pixora/"},
        {std::nullopt, "/home/essai/.local/share/pixora/"},
    };
    const char* savedHome = std::getenv("HOME");
    const std::optional<std::string> home = savedHome ? std::optional<std::string>(savedHome) : std::nullopt;
    const char* savedData = std::getenv("XDG_DATA_HOME");
    const std::optional<std::string> data = savedData ? std::optional<std::string>(savedData) : std::nullopt;
    setenv("HOME", "/home/essai", 1);
    for (const Row& row : rows) {
        if (row.dataHome)
            setenv("XDG_DATA_HOME", row.dataHome->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
        EXPECT_EQ(UserDataFolder(), row.expected) << row.dataHome.value_or("(unset)");
    }
    home ? setenv("HOME", home->c_str(), 1) : unsetenv("HOME");
    data ? setenv("XDG_DATA_HOME", data->c_str(), 1) : unsetenv("XDG_DATA_HOME");
}

TEST(PluginFolders, TheUsersFolderJoinsOnlyWhenTheProgramFolderIsReadOnly)
{
    EXPECT_EQ(PluginFolders("/opt/pixora/", true, "/home/u/.local/share/pixora/"),
              std::vector<std::string>{"/opt/pixora/Plugins/"});
    EXPECT_EQ(PluginFolders("/opt/pixora/", false, "/home/u/.local/share/pixora/"),
              (std::vector<std::string>{"/opt/pixora/Plugins/", "/home/u/.local/share/pixora/Plugins/"}));
}

// The install rules mark an installed copy, which then keeps nothing in its
// folder even for a user who may write there (root); an unmarked folder
// keeps the user's files when the user may write there.
TEST(KeepsFilesBesideProgram, OnlyAnUnmarkedFolderTheUserMayWriteTo)
{
    TwoFolders folders;
    EXPECT_TRUE(KeepsFilesBesideProgram(folders.program));
    EXPECT_FALSE(KeepsFilesBesideProgram(folders.root.File("absent") + "/"));
    std::ofstream(folders.program + InstalledMark) << "installé";
    EXPECT_FALSE(KeepsFilesBesideProgram(folders.program));
    EXPECT_TRUE(KeepsFilesBesideProgram(folders.user));
}

// pixora-export's way to a plug-in named by its file: only libraries of that
// name are loaded, and the one chosen is the one the whole scan lists.
TEST(FindListedPlugin, FindsWhatTheScanListsUnderTheFileNameAndNothingElse)
{
    TwoFolders folders;
    fs::copy_file(BuiltPlugin("hexplane"), folders.program + "hexplane.so");
    fs::copy_file(Fake("recorder"), folders.program + "recorder.so");
    fs::copy_file(Fake("plug_only"), folders.program + "plug_only.so");
    WriteBytes(folders.program + "casse.so", "pas une biblioth\xE8que");
    fs::create_directory(folders.program + "dossier.so");
    ASSERT_EQ(mkfifo((folders.program + "tube.so").c_str(), 0600), 0); // loading it would wait forever
    fs::copy_file(Fake("name_only"), folders.user + "hexplane.so");
    WriteBytes(folders.user + "recorder.so", "abim\xE9");
    const std::vector<std::string> both = {folders.program, folders.user};
    struct Row {
        std::string fileName;
        std::optional<std::string> path;
    };
    const Row rows[] = {
        {"hexplane.so", folders.user + "hexplane.so"},    // the user's valid library replaces the shipped one
        {"recorder.so", folders.program + "recorder.so"}, // a broken one of the user's does not
        {"plug_only.so", std::nullopt},                   // no pluginNom
        {"casse.so", std::nullopt},
        {"dossier.so", std::nullopt},
        {"tube.so", std::nullopt},
        {"absent.so", std::nullopt},
        {"hexplane", std::nullopt},               // no suffix: no library file name
        {"../program/recorder.so", std::nullopt}, // no way out of the folders
    };
    for (const Row& row : rows)
        EXPECT_EQ(FindListedPlugin(both, row.fileName), row.path) << row.fileName;
}
