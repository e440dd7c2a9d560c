// Where the editor keeps its own files. A program folder (with its trailing
// separator) that the user can write to holds them all, as a portable copy
// of Pixora always has: the settings file named after the program file, the
// "Plugins" and "export" folders. An installed program's folder is not its
// users' to write (not even root's: KeepsFilesBesideProgram), so each user
// then gets the settings file in their configuration folder, the exports in
// "Pixora/export/" of their documents folder, and plug-ins of their own after
// the program's. Windows take these
// as an argument so that tests can point them at a temporary folder.
#pragma once

#include <QString>
#include <string>
#include <vector>

struct ProgramPaths {
    // Everything in the program folder.
    ProgramPaths(const QString& programFolder, const QString& settingsFilePath);

    QString folder;
    QString settingsFile;
    QString exportFolder;
    // Scanned in this order, as the file system spells them; a later
    // folder's plug-in replaces an earlier one of the same file name.
    std::vector<std::string> pluginFolders;
    // The user's own folders stand in for the program folder.
    bool perUser = false;
};

// The folders of the user that stand in for a read-only program folder.
struct UserFolders {
    QString config;
    QString documents;
    QString data;
};

// The user's configuration folder "pixora/", their documents folder's
// "Pixora/" and their data folder "pixora/", as the desktop's rules place
// them (XDG variables, home folder); none is created here.
UserFolders CurrentUserFolders();

// The paths of a program file whose folder does or does not keep the user's
// files.
ProgramPaths PathsFor(const QString& programFile, bool keepsFilesBeside, const UserFolders& user);

// The paths of the running program, never of the working directory.
ProgramPaths RunningProgramPaths();
