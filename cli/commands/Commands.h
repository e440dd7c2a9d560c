// The commands of pixora-export that go through the plug-ins: the export of
// a sprite or a set into the C text a plug-in writes, the list of plug-ins
// and one plug-in's description. They reach the plug-ins only through the
// editor's plug-in host, so a sprite exports here exactly as from the
// editor, and read their input through InputReading.h. Each returns the exit
// status or throws CliFailure; notes go to err.
#pragma once

#include <iosfwd>

#include "CliOptions.h"

int ExportSprite(const CliOptions& options, std::ostream& err);
int ListPlugins(const CliOptions& options, std::ostream& out, std::ostream& err);
int ShowPluginInfo(const CliOptions& options, std::ostream& out);
