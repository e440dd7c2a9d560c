#include "ProgramPaths.h"

#include "IniFile.h"
#include "PluginHost.h"

ProgramPaths RunningProgramPaths()
{
    return {QString::fromStdString(ProgramFolder()), QString::fromStdString(SettingsFilePath(ProgramFile()))};
}
