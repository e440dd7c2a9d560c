// A picture of any size in sprite cell values, as converted from an image
// file before it is cut to the 240 x 128 of a Sprite: one cell per pixel,
// row after row ((x, y) at y * width + x), each cell a PixelColor plus
// MaskOffset when the pixel is masked.
#pragma once

#include <cstdint>
#include <vector>

#include "U_class.h"

struct CellPicture {
    int width = 0;
    int height = 0;
    std::vector<int8_t> cells;

    CellPicture() = default;
    CellPicture(int w, int h) : width(w), height(h), cells(static_cast<std::size_t>(w) * h, White) {}

    int8_t At(int x, int y) const { return cells[static_cast<std::size_t>(y) * width + x]; }
    int8_t& At(int x, int y) { return cells[static_cast<std::size_t>(y) * width + x]; }
};
