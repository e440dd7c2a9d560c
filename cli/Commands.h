// The commands of pixora-export that do work. Each reads the sprite
// with the model's own readers and reaches the plug-ins only through the
// editor's plug-in host, so a sprite exports here exactly as from the
// editor. Each returns the exit status or throws CliFailure.
#pragma once

#include <iosfwd>

#include "CliOptions.h"

int ExportSprite(const CliOptions& options);
int ConvertToPixo(const CliOptions& options);
// The sprite, or the picture converted, as the editor's PNG export.
int ConvertToPng(const CliOptions& options);
int ConvertToPixs(const CliOptions& options);
int ListPlugins(const CliOptions& options, std::ostream& out, std::ostream& err);
int ShowPluginInfo(const CliOptions& options, std::ostream& out);
