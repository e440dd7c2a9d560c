// The colors the view tests read in rendered pixels, as RGB without alpha,
// and the blank image they draw on: a color no view uses, so that untouched
// pixels show.
#pragma once

#include <QImage>

inline constexpr QRgb Untouched = 0xFF00FF;
inline constexpr QRgb Blue = 0x2565FA; // (37, 101, 250)
inline constexpr QRgb Red = 0xFF0000;
inline constexpr QRgb Green = 0x008000;
inline constexpr QRgb PlainWhite = 0xFFFFFF;
inline constexpr QRgb PlainBlack = 0x000000;
inline constexpr QRgb TrueWhite = 0xC0D7C0; // (192, 215, 192)
inline constexpr QRgb TrueBlack = 0x302F20; // (48, 47, 32)

inline QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Untouched);
    return image;
}

inline QRgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}
