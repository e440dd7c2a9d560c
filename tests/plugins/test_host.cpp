// The host core against small libraries built for the purpose: which files
// the scan takes, which names it binds, and what reaches a write function.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include <dirent.h>

#include "PluginFixture.h"

namespace fs = std::filesystem;

namespace {

std::string Fake(const std::string& name)
{
    return std::string(PIXORA_FAKE_PLUGIN_DIR) + "/" + name + "/" + name + ".so";
}

// A "Plugins" folder holding copies of the given fake libraries.
struct PluginsFolder {
    TempFolder root;
    std::string path = root.File("Plugins") + "/";

    explicit PluginsFolder(std::initializer_list<const char*> fakes)
    {
        fs::create_directory(path);
        for (const char* fake : fakes)
            fs::copy_file(Fake(fake), path + fake + ".so");
    }
};

// The ".so" files of a folder in the order readdir gives them.
std::vector<std::string> ReaddirOrder(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    while (dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name.size() > 3 && name.ends_with(".so") && !fs::is_directory(folder + name))
            names.push_back(name);
    }
    closedir(directory);
    return names;
}

TEST(ScanPlugins, TakesOnlyLibrariesExportingPluginNomOrItsUnderscoredName)
{
    PluginsFolder plugins({"plug_only", "underscored", "name_only", "recorder"});
    WriteBytes(plugins.path + "not_a_library.so", "Ceci n'est pas une biblioth\xE8que.\n");
    WriteBytes(plugins.path + "notes.txt", "pas un plug-in");
    fs::create_directory(plugins.path + "folder.so");

    const PluginScan scan = ScanPlugins(plugins.path);

    const std::set<std::string> invalid = {"plug_only.so", "not_a_library.so"};
    std::vector<std::string> expectedValid, expectedInvalid;
    for (const std::string& name : ReaddirOrder(plugins.path))
        (invalid.count(name) ? expectedInvalid : expectedValid).push_back(name);
    EXPECT_EQ(scan.fileNames, expectedValid);
    EXPECT_EQ(scan.invalidFiles, expectedInvalid);
    ASSERT_EQ(scan.displayNames.size(), 3u);
    ASSERT_EQ(scan.paths.size(), 3u);
    const std::map<std::string, std::string> displayNameOf = {
        {"underscored.so", "Soulign\xE9"}, {"name_only.so", "Nom seul"}, {"recorder.so", "Enregistreur"}};
    for (size_t i = 0; i < scan.fileNames.size(); ++i) {
        EXPECT_EQ(scan.displayNames[i], displayNameOf.at(scan.fileNames[i]));
        EXPECT_EQ(scan.paths[i], plugins.path + scan.fileNames[i]);
    }
}

TEST(ScanPlugins, EmptyOrMissingFolderGivesEmptyLists)
{
    PluginsFolder empty({});
    for (const std::string& folder : {empty.path, empty.root.File("absent") + "/"}) {
        SCOPED_TRACE(folder);
        const PluginScan scan = ScanPlugins(folder);
        EXPECT_TRUE(scan.fileNames.empty());
        EXPECT_TRUE(scan.displayNames.empty());
        EXPECT_TRUE(scan.paths.empty());
        EXPECT_TRUE(scan.invalidFiles.empty());
    }
}

TEST(ScanPlugins, TheBuildShipsThreePlugins)
{
    const PluginScan scan = ScanPlugins(std::string(PIXORA_PLUGIN_DIR) + "/");
    std::map<std::string, std::string> displayNameOf;
    for (size_t i = 0; i < scan.fileNames.size(); ++i)
        displayNameOf[scan.fileNames[i]] = scan.displayNames.at(i);
    const std::map<std::string, std::string> shipped = {{"binplane.so", "Plugin Test en DevCpp"},
                                                        {"hexplane.so", "Format TIGCClib"},
                                                        {"maskplane.so", "Sprites masqu\xE9s (TIGCClib, ExtGraph)"}};
    EXPECT_EQ(displayNameOf, shipped);
    EXPECT_TRUE(scan.invalidFiles.empty());
}

TEST(PluginInfoText, LabelsOnlyWhatIsExportedUnderTheFirstNameFound)
{
    std::string underscored = "previous text";
    ASSERT_TRUE(PluginInfoText(Fake("underscored"), underscored));
    EXPECT_EQ(underscored, "-Nom:\r\n    Soulign\xE9\r\n\r\n-Version:\r\n    2.0\r\n\r\n-Auteur:\r\n    Quelqu'un"
                           "\r\n\r\n-URL:\r\n    http://exemple.fr\r\n\r\n-Mail:\r\n    a@exemple.fr"
                           "\r\n\r\n-Description:\r\n    premier");

    std::string nameOnly;
    ASSERT_TRUE(PluginInfoText(Fake("name_only"), nameOnly));
    EXPECT_EQ(nameOnly, "-Nom:\r\n    Nom seul");

    std::string plugOnly;
    ASSERT_TRUE(PluginInfoText(Fake("plug_only"), plugOnly));
    EXPECT_EQ(plugOnly, "-Nom:\r\n    Ancien format");
}

TEST(PluginInfoText, UnloadableLibraryLeavesTheTextAlone)
{
    TempFolder folder;
    WriteBytes(folder.File("broken.so"), "not a library");
    for (const std::string& path : {folder.File("broken.so"), folder.File("absent.so"), std::string()}) {
        std::string text = "kept";
        EXPECT_FALSE(PluginInfoText(path, text));
        EXPECT_EQ(text, "kept");
    }
}

TEST(CallPluginWrite, FindsTheWriteFunctionUnderItsAlternativeNames)
{
    TempFolder folder;
    const std::string exportFolder = folder.File("export");
    const std::string file = exportFolder + "/out.h";
    const auto planes = PlanesFromRows({"#"});
    for (const std::string& path : {Fake("name_only"), folder.File("absent.so"), std::string()}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(CallPluginWrite(path, file, "S", BlackWhite, *planes, 1, 1, exportFolder),
                  ExportResult::NoWriteFunction);
    }
    EXPECT_FALSE(fs::exists(exportFolder));

    EXPECT_EQ(CallPluginWrite(Fake("underscored"), file, "S", BlackWhite, *planes, 1, 1, exportFolder),
              ExportResult::Written);
    EXPECT_EQ(ReadBytes(file), "soulign\xE9");
}

TEST(CallPluginWrite, OnlyTheLowByteOfTheResultCounts)
{
    TempFolder folder;
    const auto planes = PlanesFromRows({"#"});
    const struct {
        const char* returned;
        ExportResult expected;
    } cases[] = {
        {"0", ExportResult::Refused},     {"1", ExportResult::Written},          {"0x100", ExportResult::Refused},
        {"0x101", ExportResult::Written}, {"0x7FFFFF00", ExportResult::Refused}, {"-256", ExportResult::Refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.returned);
        EXPECT_EQ(CallPluginWrite(Fake("recorder"), folder.File("out.h"), c.returned, 1, *planes, 1, 1), c.expected);
    }
}

TEST(CallPluginWrite, PassesHeightBeforeWidthAndBothPlanesOverTheWholeStorage)
{
    Sprite sprite({MaxWidth, MaxHeight});
    sprite.SetPixel(1, 0, Black);
    sprite.SetPixel(1, 0, Mask);
    sprite.SetPixel(239, 127, DarkGray);
    sprite.SetPixel(239, 127, Mask);
    sprite.SetSize({16, 8});
    auto planes = std::make_unique<SpritePlanes>();
    BuildPlanes(sprite, *planes);

    TempFolder folder;
    const std::string file = folder.File("out.h");
    ASSERT_EQ(CallPluginWrite(Fake("recorder"), file, "Nom", BlackWhiteMasked, *planes, 8, 16), ExportResult::Refused);
    // name | type | height | width | color[1] | color[128] | mask[128] | color[30719] | mask[30719] | mask[1]
    EXPECT_EQ(ReadBytes(file), "Nom|3|8|16|0|3|1|2|1|0");
}

// The recorder refuses the name "0" and accepts "1", writing its arguments
// either way; the folder holds "ancien.h" from an earlier export.
TEST(ExportKeepingPrevious, TheOutputIsReplacedOnlyWhenThePluginAccepts)
{
    const auto planes = PlanesFromRows({"#"});
    const struct {
        const char* name;
        bool protectedFile;
        ExportResult result;
        std::string afterwards;
        std::optional<std::string> explanation;
    } cases[] = {
        {"1", false, ExportResult::Written, "1|1|1|1|0|0|0|0|0|0", std::nullopt},
        {"0", false, ExportResult::Refused, "avant", "0|1|1|1|0|0|0|0|0|0"},
        {"1", true, ExportResult::Refused, "avant", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.protectedFile ? " protected" : ""));
        TempFolder folder;
        const std::string file = folder.File("ancien.h");
        WriteBytes(file, "avant");
        if (c.protectedFile)
            fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
        const KeptExport kept = ExportKeepingPrevious(Fake("recorder"), file, c.name, BlackWhite, *planes, 1, 1);
        EXPECT_EQ(kept.result, c.result);
        EXPECT_EQ(kept.explanation, c.explanation);
        EXPECT_EQ(ReadBytes(file), c.afterwards);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1)
            << "no scratch file is left";
    }
}

TEST(ExportKeepingPrevious, NoFolderIsMadeWithoutAWriteFunctionAndNoFileWithoutAFolder)
{
    TempFolder folder;
    const auto planes = PlanesFromRows({"#"});
    const std::string exportFolder = folder.File("export");
    EXPECT_EQ(
        ExportKeepingPrevious(Fake("name_only"), exportFolder + "/a.h", "1", 1, *planes, 1, 1, exportFolder).result,
        ExportResult::NoWriteFunction);
    EXPECT_FALSE(fs::exists(exportFolder));
    const KeptExport kept = ExportKeepingPrevious(Fake("recorder"), folder.File("absent/a.h"), "1", 1, *planes, 1, 1);
    EXPECT_EQ(kept.result, ExportResult::Refused);
    EXPECT_FALSE(kept.explanation);
    EXPECT_EQ(
        ExportKeepingPrevious(Fake("recorder"), exportFolder + "/a.h", "1", 1, *planes, 1, 1, exportFolder).result,
        ExportResult::Written);
    EXPECT_EQ(ReadBytes(exportFolder + "/a.h"), "1|1|1|1|0|0|0|0|0|0");
}

TEST(BuildPlanes, ColorAndMaskOfEveryCellOfTheStorage)
{
    Sprite sprite({MaxWidth, MaxHeight});
    sprite.SetPixel(0, 1, LightGray);
    sprite.SetPixel(2, 0, Mask);
    sprite.SetPixel(200, 100, Black);
    sprite.SetSize({4, 4});
    auto planes = std::make_unique<SpritePlanes>();
    std::memset(planes.get(), 0xAB, sizeof(SpritePlanes));
    BuildPlanes(sprite, *planes);
    for (int x = 0; x < MaxWidth; ++x)
        for (int y = 0; y < MaxHeight; ++y) {
            const int index = x * 128 + y;
            const bool lightCell = x == 0 && y == 1, blackCell = x == 200 && y == 100;
            ASSERT_EQ(planes->color[index], lightCell ? 1 : blackCell ? 3 : 0) << x << "," << y;
            ASSERT_EQ(planes->mask[index], x == 2 && y == 0 ? 1 : 0) << x << "," << y;
        }
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable)
{
    EXPECT_EQ(ProgramFolder(), std::string(PIXORA_TEST_BINARY_DIR) + "/");
    EXPECT_EQ(ProgramFile().rfind(ProgramFolder(), 0), 0u);
    EXPECT_EQ(ProgramFile().find('/', ProgramFolder().size()), std::string::npos);
}

TEST(CreateFolder, OneLevelOnly)
{
    TempFolder folder;
    const std::string created = folder.File("export");
    EXPECT_TRUE(CreateFolder(created));
    EXPECT_TRUE(fs::is_directory(created));
    EXPECT_TRUE(CreateFolder(created + "/"));
    EXPECT_FALSE(CreateFolder(folder.File("a") + "/b"));
    EXPECT_FALSE(fs::exists(folder.File("a")));
    WriteBytes(folder.File("file"), "x");
    EXPECT_FALSE(CreateFolder(folder.File("file")));
}

} // namespace
