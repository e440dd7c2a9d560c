// The commands of pixora-export that need no plug-in: an input of any kind
// written as a .pixo file, a .pixs set, a PNG picture, calculator pictures,
// or sprite data in the layout programs use (DataLayout.h). Each reads its
// input through InputReading.h and returns the exit status or throws
// CliFailure; notes go to err.
#pragma once

#include <iosfwd>

#include "CliOptions.h"

// One sprite, or the gray sprite of a pair of calculator pictures.
int ConvertToPixo(const CliOptions& options, std::ostream& err);
// The sprite, or the picture converted, as the editor's PNG export.
int ConvertToPng(const CliOptions& options, std::ostream& err);
int ConvertToPixs(const CliOptions& options, std::ostream& err);
// One picture, or a light and a dark one for a gray sprite.
int WriteTiPicture(const CliOptions& options, std::ostream& err);
// The data of every frame (or of --frame) as C or assembly text.
int ExportData(const CliOptions& options, std::ostream& err);
