#include "PluginFolders.h"

#include <cstdlib>
#include <filesystem>
#include <set>

#if defined(_WIN32)
#include <io.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

#include "SystemFiles.h"

namespace {

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
#if !defined(_WIN32)
    if (const passwd* user = getpwuid(getuid()))
        return user->pw_dir;
#endif
    return {};
}

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

bool Contains(const std::set<std::string>& names, const std::string& name)
{
    return names.find(name) != names.end();
}

// Appends the entries of one folder's scan whose file names are not hidden.
void AppendUnhidden(PluginScan& registry, const PluginScan& scan, const std::set<std::string>& hidden)
{
    for (size_t i = 0; i < scan.fileNames.size(); ++i) {
        if (Contains(hidden, scan.fileNames[i]))
            continue;
        registry.fileNames.push_back(scan.fileNames[i]);
        registry.displayNames.push_back(scan.displayNames[i]);
        registry.paths.push_back(scan.paths[i]);
    }
    for (const std::string& invalid : scan.invalidFiles)
        if (!Contains(hidden, invalid))
            registry.invalidFiles.push_back(invalid);
}

// The current user may create and replace files in the folder (a folder on
// a read-only file system is not writable, whatever its permissions say).
bool FolderIsWritable(const std::string& folder)
{
#if defined(_WIN32)
    return _access(folder.c_str(), 2) == 0;
#else
    return access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

} // namespace

const char* const InstalledMark = "pixora.installed";

bool KeepsFilesBesideProgram(const std::string& programFolder)
{
    std::error_code error;
    return !std::filesystem::exists(NativePath(programFolder + InstalledMark), error) &&
           FolderIsWritable(programFolder);
}

std::string UserDataFolder()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    // The XDG rules ignore a relative value.
    const std::string base = dataHome && dataHome[0] == '/' ? dataHome : HomeFolder() + "/.local/share";
    return WithSeparator(base) + "pixora/";
}

std::vector<std::string> PluginFolders(const std::string& programFolder, bool keepsFilesBeside,
                                       const std::string& userDataFolder)
{
    std::vector<std::string> folders{programFolder + "Plugins/"};
    if (!keepsFilesBeside)
        folders.push_back(userDataFolder + "Plugins/");
    return folders;
}

PluginScan ScanPluginFolders(const std::vector<std::string>& folders)
{
    std::vector<PluginScan> scans;
    for (const std::string& folder : folders)
        scans.push_back(ScanPlugins(folder));
    // Walked from the last folder back: what a later folder holds validly
    // hides the same names in every earlier one.
    std::vector<std::set<std::string>> hiddenIn(scans.size());
    std::set<std::string> validLater;
    for (size_t i = scans.size(); i-- > 0;) {
        hiddenIn[i] = validLater;
        validLater.insert(scans[i].fileNames.begin(), scans[i].fileNames.end());
    }
    PluginScan registry;
    for (size_t i = 0; i < scans.size(); ++i)
        AppendUnhidden(registry, scans[i], hiddenIn[i]);
    return registry;
}

std::optional<std::string> FindListedPlugin(const std::vector<std::string>& folders, const std::string& fileName)
{
    if (!HasLibrarySuffix(fileName) || fileName.find_first_of("/\\") != std::string::npos)
        return std::nullopt;
    for (std::size_t i = folders.size(); i-- > 0;) {
        const std::string path = folders[i] + fileName;
        std::error_code error;
        // Loading a FIFO would wait for a writer forever: ordinary files only, as the scan.
        if (std::filesystem::is_regular_file(NativePath(path), error) && PluginDisplayName(path))
            return path;
    }
    return std::nullopt;
}
