// The commands of pixora-export that do work. Each reads its input through
// ReadInputFrames, the one reading of every output command, with the model's
// own readers, and reaches the plug-ins only through the editor's plug-in
// host, so a sprite exports here exactly as from the editor. Each returns
// the exit status or throws CliFailure; notes go to err.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "CliOptions.h"
#include "U_class.h"
#include "sprite_set.h"

int ExportSprite(const CliOptions& options, std::ostream& err);
int ConvertToPixo(const CliOptions& options, std::ostream& err);
// The sprite, or the picture converted, as the editor's PNG export.
int ConvertToPng(const CliOptions& options, std::ostream& err);
int ConvertToPixs(const CliOptions& options, std::ostream& err);
int ListPlugins(const CliOptions& options, std::ostream& out, std::ostream& err);
int ShowPluginInfo(const CliOptions& options, std::ostream& out);

// The frames of any input, by its extension (any case), read as the editor
// reads it: a .pixo file, a calculator picture or an image (converted with
// the options) gives one frame, a .pixs set its frames, a C source its
// chosen sprite, or for --to-pixs every sprite of that one's size. Throws
// CliFailure (status 2) with the reason.
FrameList ReadInputFrames(const std::string& path, const CliOptions& options, std::ostream& err);
// The one sprite of options.input that an output of one sprite takes: the
// frame --frame names, or the only one.
std::unique_ptr<Sprite> ReadOneSprite(const CliOptions& options, std::ostream& err);
// The bytes into output ("-" standard output) as PendingOutput writes them.
void WriteOutput(const std::string& output, const std::string& bytes);
// Throws CliFailure (status 2) when output is the input file under another name.
void RefuseOverwritingInput(const std::string& input, const std::string& output);
