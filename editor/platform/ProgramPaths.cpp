#include "ProgramPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "IniFile.h"
#include "PluginFolders.h"
#include "PluginHost.h"
#include "TextEncoding.h"

ProgramPaths::ProgramPaths(const QString& programFolder, const QString& settingsFilePath)
    : folder(programFolder), settingsFile(settingsFilePath), exportFolder(programFolder + QStringLiteral("export/")),
      pluginFolders(PluginFolders(FileSystemName(programFolder), true))
{
}

UserFolders CurrentUserFolders()
{
    // Lower case like the program file, whatever the application's name.
    return {QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/pixora/"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Pixora/"),
            QFile::decodeName(UserDataFolder().c_str())};
}

ProgramPaths PathsFor(const QString& programFile, bool keepsFilesBeside, const UserFolders& user)
{
    const QString folder = QFileInfo(programFile).path() + u'/';
    const QString settingsFile = QFile::decodeName(SettingsFilePath(FileSystemName(programFile)).c_str());
    if (keepsFilesBeside)
        return ProgramPaths(folder, settingsFile);
    ProgramPaths paths(folder, user.config + QFileInfo(settingsFile).fileName());
    paths.exportFolder = user.documents + QStringLiteral("export/");
    paths.pluginFolders = PluginFolders(FileSystemName(folder), false, FileSystemName(user.data));
    paths.perUser = true;
    return paths;
}

ProgramPaths RunningProgramPaths()
{
    const std::string folder = ProgramFolder();
    return PathsFor(QFile::decodeName(ProgramFile().c_str()), KeepsFilesBesideProgram(folder), CurrentUserFolders());
}
