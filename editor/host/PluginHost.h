// The editor's side of the export plug-ins, free of any window: finding the
// plug-in libraries in a folder, describing one, and handing it the sprite.
// Every library is loaded for one step and released again; nothing here keeps
// a library open. Texts that plug-ins return are Windows-1252 bytes and are
// returned as such; the windows decode them for display.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "U_class.h"

// The folder of the running executable, with its trailing separator.
std::string ProgramFolder();
// The running executable's full path.
std::string ProgramFile();

// ".so" here, ".dll" on Windows.
const char* LibrarySuffix();

// A file name that the scan takes for a library: it ends with the suffix (in
// any case on Windows).
bool HasLibrarySuffix(const std::string& fileName);

struct PluginScan {
    std::vector<std::string> fileNames;    // as found in the folder, with suffix
    std::vector<std::string> displayNames; // what pluginNom returned
    std::vector<std::string> paths;        // full paths of the valid plug-ins
    std::vector<std::string> invalidFiles; // file names of the rejected libraries, in scan order
};

// The display name of the library, or nothing when it is no plug-in: it
// cannot be loaded, or exports neither "pluginNom" nor "_pluginNom".
std::optional<std::string> PluginDisplayName(const std::string& libraryPath);

// Scans pluginFolder (with trailing separator) for libraries, in the order
// the folder lists them. A missing or empty folder gives empty lists.
PluginScan ScanPlugins(const std::string& pluginFolder);

// The information text with its six labels ("-Nom:\r\n    " ...). Returns
// false, leaving text alone, when the library cannot be loaded.
bool PluginInfoText(const std::string& libraryPath, std::string& text);

struct SpritePlanes {
    unsigned char color[CellCount];
    unsigned char mask[CellCount];
};

// Both planes over the whole 240 x 128 storage, whatever the sprite's size.
void BuildPlanes(const Sprite& sprite, SpritePlanes& planes);

enum class ExportResult {
    NoWriteFunction, // library missing, not loadable, or no write function under any of its names
    Written,         // the low byte of the result was non-zero
    Refused,         // the plug-in wrote its explanation into the file instead
};

// Loads the library, binds its write function and calls it once, then
// releases the library. folderToCreate, when given, is created (one level)
// only once the write function was found, so a failed bind leaves no folder.
ExportResult CallPluginWrite(const std::string& libraryPath, const std::string& fileName, const std::string& spriteName,
                             int spriteType, const SpritePlanes& planes, int height, int width,
                             const std::string& folderToCreate = {});

struct KeptExport {
    ExportResult result = ExportResult::NoWriteFunction;
    // What a refusing plug-in wrote, when it could be read back; nothing
    // when there was no file to write it into.
    std::optional<std::string> explanation;
};

// CallPluginWrite that never destroys the file already at fileName: the
// plug-in writes into a scratch file beside it (PendingFile), which replaces
// it only once the plug-in has accepted the sprite and the disk holds the
// text. A refusal's explanation is read from the scratch file, which is then
// removed. An output that cannot be prepared (a folder, a protected file, a
// missing folder), a full disk or a failed replacement count as a refusal
// without explanation; the plug-in is not called when there is no file to
// hand it.
KeptExport ExportKeepingPrevious(const std::string& libraryPath, const std::string& fileName,
                                 const std::string& spriteName, int spriteType, const SpritePlanes& planes, int height,
                                 int width, const std::string& folderToCreate = {});

// Creates one folder level; an existing folder is not an error.
bool CreateFolder(const std::string& path);
