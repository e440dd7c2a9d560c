// Where the editor keeps its own files: the folder of the program (with its
// trailing separator), on which "Plugins" and "export" are built, and the
// settings file named after the program file. Windows take these as an
// argument so that tests can point them at a temporary folder.
#pragma once

#include <QString>

struct ProgramPaths {
    QString folder;
    QString settingsFile;
};

// The paths of the running program, never of the working directory.
ProgramPaths RunningProgramPaths();
