// The export of a whole set through one writer of single sprites (a plug-in)
// as one text: the writer is called once per frame, in order, with the
// sprite name NAME_0, NAME_1, ... (NAME alone for a set of one frame), each
// time into a scratch file in memory (nothing is left in any folder), and the
// texts are joined with one CR LF between two of them, nothing added
// elsewhere. The first frame the writer does not
// write stops the export; its file then holds the writer's explanation.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "U_class.h"

// The most text one frame's write may leave, far above any real export (a
// 240 x 128 frame gives some 100 KB of C): more is taken as no text.
constexpr std::size_t MaxFrameTextBytes = 64 * 1024 * 1024;

enum class FrameWrite { Written, Refused, NoWriter };

// Writes frame under spriteName into the file at path.
using FrameWriter =
    std::function<FrameWrite(const Sprite& frame, const std::string& spriteName, const std::string& path)>;

struct JoinedExport {
    FrameWrite result = FrameWrite::NoWriter;
    int failedFrame = -1; // the frame that was not written, or -1
    int emptyFrame = -1;  // the first frame written as an empty text, or -1
    std::string text;     // the joined texts, or the refused frame's explanation
};

std::string FrameSpriteName(const std::string& name, int frame, int frameCount);

// NoWriter as well when no scratch file can be made.
JoinedExport ExportFrames(const std::vector<const Sprite*>& frames, const std::string& name, const FrameWriter& write);
