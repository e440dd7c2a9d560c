#include "PluginHost.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "AtomicFile.h"
#include "DynamicLibrary.h"
#include "FileRead.h"
#include "SystemFiles.h"
#include "joined_export.h"
#include "pixora_plugin.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
const char* const kFolderSeparators = "\\/";
#else
const char* const kFolderSeparators = "/";
#endif

const char* const kScanNames[] = PIXORA_NAMES_NOM_SCAN;
const char* const kWriteNames[] = PIXORA_NAMES_ENREGISTRE;

// Sized for the longest list of alternative names; unused slots stay null.
struct InfoSection {
    const char* label;
    const char* names[4];
};

const InfoSection kInfoSections[] = {
    {"-Nom:\r\n    ", PIXORA_NAMES_NOM},
    {"\r\n\r\n-Version:\r\n    ", PIXORA_NAMES_VERSION},
    {"\r\n\r\n-Auteur:\r\n    ", PIXORA_NAMES_AUTEUR},
    {"\r\n\r\n-URL:\r\n    ", PIXORA_NAMES_URL},
    {"\r\n\r\n-Mail:\r\n    ", PIXORA_NAMES_MAIL},
    {"\r\n\r\n-Description:\r\n    ", PIXORA_NAMES_DESCRIPTION},
};

// Copies a plug-in's string at once: it belongs to the library, which is
// about to be released. A null answer counts as an empty text.
std::string CallText(void* function)
{
    const char* text = reinterpret_cast<PluginTextFunction>(function)();
    return text ? std::string(text) : std::string();
}

// The library files of the folder in the order the folder lists them.
// Only ordinary files (or links to one) count: loading a FIFO would wait
// for a writer forever, and a folder or device is no library.
std::vector<std::string> LibraryFileNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entry(NativePath(folder), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = NativeName(entry->path().filename());
        std::error_code typeError;
        if (HasLibrarySuffix(name) && entry->is_regular_file(typeError))
            names.push_back(name);
    }
    return names;
}

} // namespace

std::string ProgramFile()
{
#if defined(_WIN32)
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
#else
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0)
            return {};
        if (static_cast<size_t>(length) < path.size()) {
            path.resize(static_cast<size_t>(length));
            return path;
        }
        path.resize(path.size() * 2);
    }
#endif
}

std::string ProgramFolder()
{
    const std::string file = ProgramFile();
    const size_t separator = file.find_last_of(kFolderSeparators);
    return separator == std::string::npos ? std::string() : file.substr(0, separator + 1);
}

const char* LibrarySuffix()
{
#if defined(_WIN32)
    return ".dll";
#else
    return ".so";
#endif
}

// Windows matches "*.dll" without regard to case; elsewhere names are exact.
bool HasLibrarySuffix(const std::string& fileName)
{
    const std::string suffix = LibrarySuffix();
    if (fileName.size() < suffix.size())
        return false;
    const std::string ending = fileName.substr(fileName.size() - suffix.size());
#if defined(_WIN32)
    return std::equal(ending.begin(), ending.end(), suffix.begin(),
                      [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
#else
    return ending == suffix;
#endif
}

std::optional<std::string> PluginDisplayName(const std::string& libraryPath)
{
    DynamicLibrary library(libraryPath);
    void* displayName = library.FindFirst(kScanNames);
    if (!displayName)
        return std::nullopt;
    return CallText(displayName);
}

PluginScan ScanPlugins(const std::string& pluginFolder)
{
    PluginScan scan;
    for (const std::string& fileName : LibraryFileNames(pluginFolder)) {
        const std::string path = pluginFolder + fileName;
        std::optional<std::string> displayName = PluginDisplayName(path);
        if (!displayName) {
            scan.invalidFiles.push_back(fileName);
            continue;
        }
        scan.fileNames.push_back(fileName);
        scan.displayNames.push_back(*displayName);
        scan.paths.push_back(path);
    }
    return scan;
}

bool PluginInfoText(const std::string& libraryPath, std::string& text)
{
    DynamicLibrary library(libraryPath);
    if (!library.IsLoaded())
        return false;
    text.clear();
    for (const InfoSection& section : kInfoSections) {
        void* function = library.FindFirst(section.names);
        if (!function)
            continue;
        text += section.label;
        text += CallText(function);
    }
    return true;
}

void BuildPlanes(const Sprite& sprite, SpritePlanes& planes)
{
    // The planes and the cells share one layout, so each plane byte is what
    // GetColor and GetMask answer for its cell, read straight from it: a set
    // export builds the planes of up to 256 frames.
    for (int index = 0; index < CellCount; ++index) {
        const int8_t cell = sprite.cells[index];
        const bool masked = cell >= MaskedThreshold;
        planes.color[index] = static_cast<unsigned char>(masked ? cell - MaskOffset : cell);
        planes.mask[index] = masked ? 1 : 0;
    }
}

namespace {

// The write function, valid while library lives. folderToCreate is made
// only once it is found; a folder that cannot be made shows up as the
// plug-in failing to open its file.
PluginWriteFunction BindWriteFunction(const DynamicLibrary& library, const std::string& folderToCreate)
{
    auto write = library.FindFirstAs<PluginWriteFunction>(kWriteNames);
    if (write && !folderToCreate.empty())
        CreateFolder(folderToCreate);
    return write;
}

ExportResult CallBound(PluginWriteFunction write, const std::string& fileName, const std::string& spriteName,
                       int spriteType, const SpritePlanes& planes, int height, int width)
{
    // Only the result's low byte counts, whatever the rest of the register holds.
    const unsigned char written =
        write(fileName.c_str(), spriteName.c_str(), spriteType, planes.color, planes.mask, height, width);
    return written != 0 ? ExportResult::Written : ExportResult::Refused;
}

// A device or FIFO written in place holds no text to read back.
std::optional<std::string> RefusalText(const PendingFile& output)
{
    if (output.WritesInPlace())
        return std::nullopt;
    FileContent content = ReadWholeFile(output.WritePath(), MaxFrameTextBytes);
    if (!content.Read())
        return std::nullopt;
    return std::move(content.bytes);
}

} // namespace

ExportResult CallPluginWrite(const std::string& libraryPath, const std::string& fileName, const std::string& spriteName,
                             int spriteType, const SpritePlanes& planes, int height, int width,
                             const std::string& folderToCreate)
{
    DynamicLibrary library(libraryPath);
    const PluginWriteFunction write = BindWriteFunction(library, folderToCreate);
    if (!write)
        return ExportResult::NoWriteFunction;
    return CallBound(write, fileName, spriteName, spriteType, planes, height, width);
}

KeptExport ExportKeepingPrevious(const std::string& libraryPath, const std::string& fileName,
                                 const std::string& spriteName, int spriteType, const SpritePlanes& planes, int height,
                                 int width, const std::string& folderToCreate)
{
    DynamicLibrary library(libraryPath);
    const PluginWriteFunction write = BindWriteFunction(library, folderToCreate);
    if (!write)
        return {};
    PendingFile output(fileName);
    if (output.Status())
        return {ExportResult::Refused, std::nullopt};
    if (CallBound(write, output.WritePath(), spriteName, spriteType, planes, height, width) != ExportResult::Written)
        return {ExportResult::Refused, RefusalText(output)};
    if (output.CheckWritten() || output.Commit())
        return {ExportResult::Refused, std::nullopt};
    return {ExportResult::Written, std::nullopt};
}

bool CreateFolder(const std::string& path)
{
    std::error_code error;
    fs::create_directory(NativePath(path), error);
    return fs::is_directory(NativePath(path), error);
}
