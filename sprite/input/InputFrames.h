// Any input read as frames: the one place that tells what kind of file a
// path names and reads it as the frames of a set, for the editor and for
// pixora-export alike. The kind comes from the extension, in any case. The
// model reads its own files (".pixo", ".pixs") and calculator pictures
// (".89i", ".9xi", ".v2i") itself; pictures of other programs need Qt's
// decoders and a program source needs the caller's choice of a sprite (a
// dialog, --array), so those two are read by readers the caller gives.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "sprite_set.h"

enum class InputKind {
    Native,            // ".pixo": one sprite
    Set,               // ".pixs": a set of frames
    CalculatorPicture, // ".89i", ".9xi", ".v2i": one black-and-white sprite
    Picture,           // ".png", ".bmp", ".gif", ".jpg", ".jpeg"
    Source,            // C (".c", ".h") or assembly (".s", ".S", ".asm", ".inc"), or a folder of them
    Unknown,
};

// By the name's extension; a folder not named like another kind is a
// program's folder of sources (dossier.pixo is refused as a .pixo is).
InputKind InputKindOf(const std::string& path);

// The extension of the last path element only, lowered: "sprites.pixo/notes"
// has none.
std::string LoweredExtension(std::string_view path);

// What reading gave: the frames (one or more), or the French reason why
// there are none, which names the file as messages do ("path : why").
struct InputFrames {
    FrameList frames;
    std::string problem;

    bool Read() const { return problem.empty(); }
    static InputFrames Refused(const std::string& path, const std::string& why) { return {{}, path + " : " + why}; }
    static InputFrames One(std::unique_ptr<Sprite> sprite);
};

// Reads one kind of input the model cannot read alone.
using InputReader = std::function<InputFrames(const std::string& path)>;
struct InputReaders {
    InputReader picture; // Picture inputs
    InputReader source;  // Source inputs
};

// The frames of the file at path, by its kind; a kind whose reader is not
// given is refused. Only regular files are read (FileRead.h).
InputFrames ReadInputFrames(const std::string& path, const InputReaders& readers);
