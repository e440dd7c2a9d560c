// The commands of pixora-export that do work. Each reads the sprite
// with the model's own readers and reaches the plug-ins only through the
// editor's plug-in host, so a sprite exports here exactly as from the
// editor. Each returns the exit status or throws CliFailure.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "CliOptions.h"
#include "U_class.h"
#include "sprite_set.h"

int ExportSprite(const CliOptions& options);
int ConvertToPixo(const CliOptions& options);
// The sprite, or the picture converted, as the editor's PNG export.
int ConvertToPng(const CliOptions& options);
int ConvertToPixs(const CliOptions& options, std::ostream& err);
int ListPlugins(const CliOptions& options, std::ostream& out, std::ostream& err);
int ShowPluginInfo(const CliOptions& options, std::ostream& out);

// A .pixo file or a calculator picture, by its extension, read as the editor
// reads it; throws CliFailure (status 2) with the reason.
std::unique_ptr<Sprite> ReadSprite(const std::string& path);
// Every frame of the input: a set's, or the one sprite of any other input
// (an image file converted with the options); throws CliFailure.
FrameList ReadFrames(const std::string& path, const CliOptions& options);
// The sprite into options.output as a .pixo file, as --to-pixo writes it.
int WritePixoFile(const Sprite& sprite, const CliOptions& options);
// The bytes into options.output, whole or not at all, never over the input.
int WriteOutput(const std::string& bytes, const CliOptions& options);
// Throws CliFailure (status 2) when output is the input file under another name.
void RefuseOverwritingInput(const std::string& input, const std::string& output);
