#include "U_class.h"

#include <cstring>

namespace {

bool IsGrayColor(int color)
{
    return color == LightGray || color == DarkGray;
}

bool IsGrayCell(int8_t cell)
{
    return IsGrayColor(ColorOfCell(cell));
}

bool IsValidSize(Point size)
{
    return size.x >= 1 && size.x <= MaxWidth && size.y >= 1 && size.y <= MaxHeight;
}

// The cell that results from writing pen onto cell; Mark and unknown pens
// leave the cell as it is.
int8_t CellAfterPen(int8_t cell, PenValue pen)
{
    if (pen >= White && pen <= Black)
        return pen;
    if (pen == Mask && cell < MaskedThreshold)
        return static_cast<int8_t>(cell + MaskOffset);
    if (pen == NoMask && cell > MaskedThreshold)
        return static_cast<int8_t>(cell - MaskOffset);
    return cell;
}

} // namespace

Sprite::Sprite(Point size) : width(MaxWidth), height(MaxHeight), type(BlackWhite), grayCells(0), maskedCells(0)
{
    std::memset(cells, 0, sizeof cells);
    std::memset(marks, 0, sizeof marks);
    SetSize(size);
}

void Sprite::SetSize(Point size)
{
    if (!IsValidSize(size))
        return;
    width = size.x;
    height = size.y;
    RecountTypeCells();
}

PixelColor Sprite::GetColor(int32_t x, int32_t y) const
{
    return InBounds(x, y) ? ColorOfCell(cells[CellIndex(x, y)]) : White;
}

int8_t Sprite::GetMask(int32_t x, int32_t y) const
{
    if (!InBounds(x, y))
        return 0;
    return IsMaskedCell(cells[CellIndex(x, y)]) ? Mask : NoMask;
}

bool Sprite::IsMarked(int32_t x, int32_t y) const
{
    return InBounds(x, y) && marks[CellIndex(x, y)] != 0;
}

void Sprite::SetPixel(int32_t x, int32_t y, PenValue pen)
{
    if (!InBounds(x, y) || pen < White || pen > Mark)
        return;
    const int index = CellIndex(x, y);
    if (pen == Mark)
        marks[index] = 1;
    const int8_t before = cells[index];
    const int8_t after = CellAfterPen(before, pen);
    if (after != before) {
        cells[index] = after;
        if (x < width && y < height) {
            CountCell(before, -1);
            CountCell(after, +1);
        }
    }
    // The pen itself counts as gray or masked even when the pixel lies
    // outside the current size: the type follows what was just drawn.
    const bool gray = IsGrayColor(pen) || grayCells > 0;
    const bool masked = pen == Mask || maskedCells > 0;
    type = static_cast<int8_t>(BlackWhite + (gray ? 1 : 0) + (masked ? 2 : 0));
}

void Sprite::ClearMarks()
{
    std::memset(marks, 0, sizeof marks);
}

void Sprite::Clear()
{
    std::memset(cells, 0, sizeof cells);
    std::memset(marks, 0, sizeof marks);
    type = BlackWhite;
    grayCells = 0;
    maskedCells = 0;
}

void Sprite::RestoreState(Point size, SpriteType storedType)
{
    if (IsValidSize(size)) {
        width = size.x;
        height = size.y;
    }
    if (storedType >= BlackWhite && storedType <= GrayscaleMasked)
        type = storedType;
    RecountTypeCells();
}

void Sprite::RecomputeType()
{
    RecountTypeCells();
    type = static_cast<int8_t>(BlackWhite + (grayCells > 0 ? 1 : 0) + (maskedCells > 0 ? 2 : 0));
}

void Sprite::RecountTypeCells()
{
    // Written without calls or branches so that the compiler can count many
    // cells at once: loading a set recounts every frame.
    int32_t gray = 0;
    int32_t masked = 0;
    for (int x = 0; x < width; ++x) {
        const int8_t* column = cells + CellIndex(x, 0);
        for (int y = 0; y < height; ++y) {
            const int8_t cell = column[y];
            const int8_t color = cell >= MaskedThreshold ? static_cast<int8_t>(cell - MaskOffset) : cell;
            gray += (color == LightGray) | (color == DarkGray);
            masked += cell >= MaskedThreshold;
        }
    }
    grayCells = gray;
    maskedCells = masked;
}

void Sprite::CountCell(int8_t cell, int delta)
{
    if (IsGrayCell(cell))
        grayCells += delta;
    if (IsMaskedCell(cell))
        maskedCells += delta;
}
