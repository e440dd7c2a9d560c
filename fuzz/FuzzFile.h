// What both reader fuzzers share: the input written to a file the reader can
// open, a sprite with something in every plane to read into, and the limits
// that every sprite must keep whatever file it was given.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "U_class.h"

// One file per fuzzing process, rewritten for every input; in memory when the
// system offers a memory file system. The name lives in a plain array: the
// exit handler that removes the file runs after static strings are gone.
inline const char* FuzzInputPath()
{
    static char path[64];
    if (!path[0]) {
        std::snprintf(path, sizeof path, "%s/pixora-fuzz-XXXXXX", access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir);
        const int descriptor = mkstemp(path);
        if (descriptor < 0)
            std::abort();
        close(descriptor);
        std::atexit([] { std::remove(path); });
    }
    return path;
}

inline std::string WriteFuzzInput(const uint8_t* data, size_t size)
{
    std::FILE* file = std::fopen(FuzzInputPath(), "wb");
    if (!file || (size && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0)
        std::abort();
    return FuzzInputPath();
}

inline Sprite BusySprite()
{
    Sprite sprite({33, 21});
    sprite.DrawLine(0, 0, 32, 20, LightGray);
    sprite.SetPixel(200, 100, Mask);
    sprite.SetPixel(5, 5, Mark);
    return sprite;
}

inline bool SameSprite(const Sprite& a, const Sprite& b)
{
    return a.GetSize() == b.GetSize() && a.GetType() == b.GetType() &&
           std::memcmp(a.cells, b.cells, sizeof a.cells) == 0 && std::memcmp(a.marks, b.marks, sizeof a.marks) == 0;
}

// The limits the editor's loops and labels rely on.
inline void CheckSpriteLimits(const Sprite& sprite)
{
    if (sprite.width < 1 || sprite.width > MaxWidth || sprite.height < 1 || sprite.height > MaxHeight)
        std::abort();
    if (sprite.type < BlackWhite || sprite.type > GrayscaleMasked)
        std::abort();
    for (int8_t cell : sprite.cells)
        if (!(cell >= White && cell <= Black) && !(cell >= MaskOffset && cell <= MaskOffset + Black))
            std::abort();
}
