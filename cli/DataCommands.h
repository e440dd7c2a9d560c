// How pixora-export reads sprite data in the layouts programs use
// (DataLayout.h) back from a source, for --to-pixo and --to-pixs: by the
// layout options of the command line or by a draw call of the source
// (--data, which writes them, is in ConvertCommands.h). Throws CliFailure
// (status 2) with the reason; notes go to err.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "CliOptions.h"
#include "c_array_sprites.h"

// The frames a source gives when --array comes with layout options (or
// names several arrays), or names an array that a call of a sprite routine
// reads: every frame the arrays hold (allFrames), or the first. Nothing
// when neither is the case: the arrays are then read as the plug-ins write
// them.
std::optional<FrameList> ReadSourceLayout(const ArraySprites& found, const std::string& path, const CliOptions& options,
                                          bool allFrames, std::ostream& err);
