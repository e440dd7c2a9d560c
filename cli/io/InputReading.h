// How every command of pixora-export reads its inputs: through the model's
// one reader (InputFrames.h), with the command line's options for the kinds
// it leaves to its caller: a picture converted with the conversion options,
// a C or assembly source's sprite chosen by --array (RoundTripCommands.h).
// Each throws CliFailure (status 2) with the reason.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "CliOptions.h"
#include "sprite_set.h"

// The frames of any input: a .pixo file, a calculator picture or a picture
// gives one frame, a .pixs set its frames, a source its chosen sprite, or
// for --to-pixs every sprite of that one's size. Notes go to err.
FrameList ReadInputFrames(const std::string& path, const CliOptions& options, std::ostream& err);

// The one sprite of options.input that an output of one sprite takes: the
// frame --frame names, or the only one.
std::unique_ptr<Sprite> ReadOneSprite(const CliOptions& options, std::ostream& err);

// The frame --frame names, or the only one; nothing for several frames
// without --frame when severalAllowed (the export joins them), else a
// CliFailure asking for --frame.
std::unique_ptr<Sprite> ChosenFrame(FrameList& frames, const CliOptions& options, bool severalAllowed);
