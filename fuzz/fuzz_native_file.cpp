// Feeds arbitrary files to the ".pixo" reader: a refused file leaves the
// sprite exactly as it was, an accepted one gives a sprite within limits
// holding the file's cells and keeping its marks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzFile.h"
#include "U_class.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = WriteFuzzInput(data, size);
    static const Sprite original = BusySprite();
    static Sprite sprite = original;
    sprite = original;
    const bool loaded = sprite.LoadFromFile(path);
    CheckSpriteLimits(sprite);
    if (!loaded && !SameSprite(sprite, original))
        std::abort();
    if (loaded && (std::memcmp(sprite.cells, data + 9, CellCount) != 0 ||
                   std::memcmp(sprite.marks, original.marks, sizeof sprite.marks) != 0))
        std::abort();
    return 0;
}
