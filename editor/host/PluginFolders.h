// Where the plug-ins are looked for. A program folder that its user can write
// to is a portable copy of Pixora: its "Plugins" folder alone, as always. An
// installed program's folder is not its users' to write, so each of them may
// add plug-ins of their own in their data folder, listed after the program's.
// Paths are file-system byte strings; folders end with their separator.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "PluginHost.h"

// The file the install rules put beside an installed program. A copy marked
// so keeps nothing in its folder, whoever runs it (root may write there too).
extern const char* const InstalledMark;

// The program folder holds the user's files (settings, exports) and is the
// only plug-in folder: a portable copy (a build tree, a copy in a folder of
// the user's) that its user can write to, and that no install marked.
bool KeepsFilesBesideProgram(const std::string& programFolder);

// The user's own folder for Pixora's data: "$XDG_DATA_HOME/pixora/", or
// "~/.local/share/pixora/" when that variable is unset or not absolute.
std::string UserDataFolder();

// The program's "Plugins" folder, then, when the program folder does not
// keep the user's files, the "Plugins" folder of the user's data folder.
std::vector<std::string> PluginFolders(const std::string& programFolder, bool keepsFilesBeside,
                                       const std::string& userDataFolder = UserDataFolder());

// The plug-ins of several folders as one registry, folder after folder. A
// valid plug-in of a later folder replaces any library of the same file name
// in an earlier one, which is then neither listed nor reported, so a user can
// replace a shipped plug-in; an invalid one is reported and ignored, so the
// earlier library stays.
PluginScan ScanPluginFolders(const std::vector<std::string>& folders);

// The path of the library that ScanPluginFolders lists under this file name
// (with its suffix), found by loading the libraries of that name only, from
// the last folder back; nothing when none of them is a valid plug-in. A name
// with a folder in it names nothing.
std::optional<std::string> FindListedPlugin(const std::vector<std::string>& folders, const std::string& fileName);
