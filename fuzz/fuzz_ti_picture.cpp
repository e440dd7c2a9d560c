// Feeds arbitrary files to the calculator picture reader: a refused file
// leaves the sprite exactly as it was, an accepted one gives a black and
// white sprite within limits, keeping its marks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzFile.h"
#include "U_class.h"
#include "ti_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = WriteFuzzInput(data, size);
    static const Sprite original = BusySprite();
    static Sprite sprite = original;
    sprite = original;
    const bool loaded = ChargerImageTI(sprite, path);
    CheckSpriteLimits(sprite);
    if (!loaded && !SameSprite(sprite, original))
        std::abort();
    if (loaded) {
        if (sprite.GetType() != BlackWhite || std::memcmp(sprite.marks, original.marks, sizeof sprite.marks) != 0)
            std::abort();
        for (int8_t cell : sprite.cells)
            if (cell != White && cell != Black)
                std::abort();
    }
    return 0;
}
