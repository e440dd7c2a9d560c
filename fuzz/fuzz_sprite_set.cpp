// Feeds arbitrary files to the ".pixs" reader: a refused file leaves the
// frames given exactly as they were; an accepted one gives 1 to 256 frames,
// as many as the header announces, all of one size, each within the limits
// and holding its record's cells.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzFile.h"
#include "native_file.h"
#include "set_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = WriteFuzzInput(data, size);
    static const Sprite original = BusySprite();
    FrameList frames;
    frames.push_back(std::make_unique<Sprite>(original));
    const Sprite* kept = frames.front().get();

    const SetFileCheck check = ReadSpriteSetFile(path, frames);
    if (check.problem != SetFileProblem::None) {
        if (frames.size() != 1 || frames.front().get() != kept || !SameSprite(*kept, original))
            std::abort();
        return 0;
    }
    if (frames.empty() || frames.size() > MaxFrames || static_cast<int>(frames.size()) != check.frameCount)
        std::abort();
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const Sprite& frame = *frames[k];
        CheckSpriteLimits(frame);
        if (!(frame.GetSize() == frames.front()->GetSize()))
            std::abort();
        if (std::memcmp(frame.cells, data + PixsHeaderSize + k * PixoRecordSize + 9, CellCount) != 0)
            std::abort();
    }
    return 0;
}
