// The one sprite that Pixora edits: a picture of up to 240 x 128 pixels in
// four levels of gray, each pixel optionally masked, plus a scratch mark plane
// that the line tool previews into.
//
// Coordinates are (column, row), (0, 0) top-left. Storage is always the whole
// 240 x 128 area, column after column (cell of (x, y) at x * 128 + y); the
// current size only says which top-left part of it is the sprite. Reads
// outside the storage give a neutral answer and writes there are ignored: the
// model reports nothing and allocates nothing.
//
// The type is kept up to date from counts of gray and masked cells inside the
// current size, so a pixel write costs the same whatever the sprite's size.
// Change `cells` through the operations below; code that rewrites cells
// directly (file readers, the undo history) finishes with RestoreState.
#pragma once

#include <cstdint>
#include <string>

constexpr int MaxWidth = 240;
constexpr int MaxHeight = 128;
constexpr int CellCount = MaxWidth * MaxHeight; // 30720

struct Point {
    int32_t x;
    int32_t y;
};

inline bool operator==(Point a, Point b)
{
    return a.x == b.x && a.y == b.y;
}

enum PixelColor : int8_t { White = 0, LightGray = 1, DarkGray = 2, Black = 3 };

// What a write applies to a pixel: a PixelColor, or one of these codes.
// Mask and NoMask are also the two answers of GetMask.
enum PenCode : int8_t { Mask = 4, NoMask = 5, Mark = 6 };
using PenValue = int8_t;

enum SpriteType : int8_t { BlackWhite = 1, Grayscale = 2, BlackWhiteMasked = 3, GrayscaleMasked = 4 };

// Whether a type has the two gray planes, and whether it has a mask.
inline bool IsGrayType(SpriteType type)
{
    return type == Grayscale || type == GrayscaleMasked;
}
inline bool IsMaskedType(SpriteType type)
{
    return type == BlackWhiteMasked || type == GrayscaleMasked;
}

// A masked pixel stores its color plus this offset (cells 15 to 18); any cell
// of 10 or more counts as masked.
constexpr int8_t MaskOffset = 15;
constexpr int8_t MaskedThreshold = 10;

// The color and the mask flag of a stored cell value.
inline PixelColor ColorOfCell(int8_t cell)
{
    return static_cast<PixelColor>(cell < MaskedThreshold ? cell : cell - MaskOffset);
}
inline bool IsMaskedCell(int8_t cell)
{
    return cell >= MaskedThreshold;
}
// Whether a stored value is one a cell may hold: a color, or a color plus
// MaskOffset. Branch-free, so that a reader checks many cells at once.
inline bool IsCellValue(uint8_t cell)
{
    return (cell <= Black) | (static_cast<uint8_t>(cell - MaskOffset) <= Black);
}

inline int CellIndex(int x, int y)
{
    return x * MaxHeight + y;
}

struct Sprite {
    int32_t width;
    int32_t height;
    int8_t cells[CellCount];
    int8_t type;
    uint8_t marks[CellCount];

    explicit Sprite(Point size = {MaxWidth, MaxHeight});

    void SetSize(Point size);
    Point GetSize() const { return {width, height}; }
    static bool InBounds(int32_t x, int32_t y) { return x >= 0 && x < MaxWidth && y >= 0 && y < MaxHeight; }
    PixelColor GetColor(int32_t x, int32_t y) const;
    int8_t GetMask(int32_t x, int32_t y) const; // Mask, NoMask, or 0 outside the storage
    bool IsMarked(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, PenValue pen);
    void ClearMarks();
    void Clear();
    SpriteType GetType() const { return static_cast<SpriteType>(type); }

    // Drawing operations (draw.cpp).
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, PenValue pen);
    void FloodFill(int32_t x, int32_t y, PenValue pen, PixelColor target);
    void AutoMask();

    // Native ".pixo" file (native_file.cpp).
    // The ".pixo" file's bytes, as SaveToFile writes them.
    std::string FileBytes() const;
    bool SaveToFile(const std::string& path) const;
    bool LoadFromFile(const std::string& path);

    // Takes size and type as given, after `cells` were rewritten directly, and
    // brings the type counts back in line with the cells. A size outside
    // 1..240 x 1..128 or a type outside 1..4 leaves that field as it was.
    void RestoreState(Point size, SpriteType storedType);
    // After `cells` inside the current size were rewritten directly (the
    // transforms): sets the type to what those pixels make it.
    void RecomputeType();

private:
    void RecountTypeCells();
    void CountCell(int8_t cell, int delta);

    int32_t grayCells;   // gray cells inside the current size
    int32_t maskedCells; // masked cells inside the current size
};
