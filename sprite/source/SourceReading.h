// The one question asked of a program source by the command line: the file,
// and what the user said of it (an array, a layout given by hand, a width,
// one frame or all of them). The answer is the frames read, with notes of
// what was read and what was left aside, or the French reason why nothing
// could be read; never a failure of the caller's own kind, so that each
// caller says it its way.
//
// The sprite read: with a layout, the arrays it names in it; with an array
// that a draw call reads, as the call reads it; with a candidate's id or an
// array's name, that candidate; with nothing, the candidate the editor
// shows first (a draw call's reading, then Pixora's own text, then the
// first of the text). All frames are every frame of a whole reading, or
// every candidate of the chosen one's size and reading.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "DataReading.h"
#include "ProgramText.h"
#include "c_array_sprites.h"
#include "sprite_set.h"

struct SourceRequest {
    std::string path;                     // a C or assembly source, or a folder; messages name it so
    std::optional<std::string> array;     // a candidate's id or an array's name
    std::optional<ReadingRequest> layout; // the arrays and their layout, given by hand
    std::optional<int> width;             // default: the candidate's or the layout's
    bool allFrames = false;               // every frame for a set, else the first only
};

struct SourceAnswer {
    FrameList frames;               // empty when refused
    std::vector<std::string> notes; // what was read and left, one message each
    std::string refusal;            // why nothing was read; empty when frames were
};

// A program read for its sprites, as every reader of sources starts: its
// files (ProgramText.h), the readings its arrays give, and the notes of both
// steps, the files' first; or the French reason why nothing could be read.
struct SourceProgram {
    ProgramText program;
    ArraySprites found;
    std::vector<std::string> notes;
    std::string refusal;
};
SourceProgram ReadSourceProgram(const std::string& path);

// Reads the program at the path (a file with its includes, or a folder:
// ProgramText.h) and answers the request.
SourceAnswer ReadSource(const SourceRequest& request);
// The same on a source already read.
SourceAnswer AnswerFromSprites(const ArraySprites& found, const SourceRequest& request);
