// The commands of pixora-export on sprite data in the layouts programs use
// (DataLayout.h): --data writes the data of any input as C or assembly
// text, and --to-pixo / --to-pixs read it back from a source, by the layout
// options of the command line or by a draw call of the source. Each throws
// CliFailure (status 2) with the reason; notes go to err.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "CliOptions.h"
#include "c_array_sprites.h"

int ExportData(const CliOptions& options, std::ostream& err);

// The frames a source gives when --array comes with layout options (or
// names several arrays), or names an array that a call of a sprite routine
// reads: every frame the arrays hold (allFrames), or the first. Nothing
// when neither is the case: the arrays are then read as the plug-ins write
// them.
std::optional<FrameList> ReadSourceLayout(const ArraySprites& found, const std::string& path, const CliOptions& options,
                                          bool allFrames, std::ostream& err);
