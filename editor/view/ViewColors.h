// The colors of the sprite views, as RGB. The two palettes are indexed by a
// PixelColor 0 to 3 or the pen codes Mask (4) and NoMask (5); entry 6 is
// kept for the pen code Mark and used by no view.
#pragma once

#include <QColor>
#include <QRgb>
#include <array>

inline constexpr int PaletteSize = 7;

inline constexpr std::array<QRgb, PaletteSize> PlainPalette{
    qRgb(255, 255, 255), qRgb(170, 170, 170), qRgb(85, 85, 85), qRgb(0, 0, 0),
    qRgb(255, 0, 0),     qRgb(0, 0, 255),     qRgb(0, 128, 0),
};

// Greenish shades of the calculator screen; entry 0, the lightest, is also
// how masked pixels look there, so that they read as background.
inline constexpr std::array<QRgb, PaletteSize> TrueColorPalette{
    qRgb(192, 215, 192), qRgb(144, 159, 143), qRgb(96, 103, 95), qRgb(48, 47, 32),
    qRgb(255, 0, 0),     qRgb(0, 0, 255),     qRgb(0, 128, 0),
};

// The line tool's preview.
inline constexpr QRgb MarkColor = qRgb(0, 128, 0);
// Outline of an unmasked cell in grid mode, and of the pen swatches.
inline constexpr QRgb GridPenColor = qRgb(37, 101, 250);
// Outline of a masked cell.
inline constexpr QRgb MaskedPenColor = qRgb(255, 0, 0);
// The second square of the checkerboard that tells masked cells apart in
// the zoomed view's true colors: lighter than any shade of the screen, so it
// reads as "background" and never as a color of the sprite.
inline constexpr QRgb TrueColorMaskChecker = qRgb(226, 238, 226);
// The light checkerboard that masked cells show when transparency is shown
// as such: white and this gray, lighter than the light gray of the palette;
// in true colors, the screen's background and TrueColorMaskChecker.
inline constexpr QRgb PlainMaskChecker = qRgb(214, 214, 214);
// The onion skin: the previous frame's pixels show through the white and masked cells
// of the current one in this orange, stronger the darker they are. No
// palette has it, nor anything near it, so they are never taken for pixels
// of the frame.
inline constexpr QRgb OnionTint = qRgb(255, 128, 0);
// Its opacity over such a cell, by the previous pixel's PixelColor.
inline constexpr std::array<int, 4> OnionAlpha{0, 90, 130, 170};

// Entry 0 to 6 of the plain or the true-color palette.
inline QColor PaletteColor(int index, bool trueColors)
{
    return QColor(trueColors ? TrueColorPalette[index] : PlainPalette[index]);
}
