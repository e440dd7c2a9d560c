// Pixora's own cells on the clipboard, beside the image that other programs
// read, so that a paste gets back masks and grays exactly: the width and the
// height (16 bits each, low byte first), then the cells row after row, each
// a stored cell value (a color, plus 15 when masked). Where they were in
// their frame goes beside them under a name of its own, so that the cells
// read as before by whatever reads them, and cells that come without it
// (from an earlier Pixora) are pasted at the top-left corner.
#pragma once

#include <string>
#include <string_view>

#include "CellPicture.h"

// The clipboard's name for these bytes.
inline constexpr char CellClipboardFormat[] = "application/x-pixora-cells";

std::string EncodeCells(const CellPicture& picture);

// Anything but a picture of 1..240 x 1..128 cells, each a valid cell value,
// in exactly as many bytes, is refused whole and leaves picture unchanged.
bool DecodeCells(std::string_view bytes, CellPicture& picture);

// The clipboard's name for the cells' top-left cell in their frame: x then
// y, 16 bits each, signed (floating cells may hang over the frame's top or
// left edge), low byte first.
inline constexpr char CellOriginClipboardFormat[] = "application/x-pixora-cells-origin";

std::string EncodeCellOrigin(Point origin);

// Anything but 4 bytes is refused and leaves origin unchanged.
bool DecodeCellOrigin(std::string_view bytes, Point& origin);
