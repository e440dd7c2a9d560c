/*
 * What the two TIGCC square-sprite plug-ins (hexplane, binplane) share: the
 * sprites they accept, their refusal text, the array declarations, and the
 * whole write function around a per-plug-in way of writing one row.
 *
 * They accept unmasked sprites of 8 x 8, 16 x 16 or 32 x 32 pixels and write
 * one array for black and white, or a light and a dark plane for gray. Pixels
 * are read from the color plane of the plug-in contract (x * 128 + y).
 * Header-only (static inline), so that each plug-in stays one library.
 */
#ifndef PIXORA_SQUARE_SPRITE_H
#define PIXORA_SQUARE_SPRITE_H

#include "pixora_plugin.h"
#include "plugin_text.h"

/* Does the pixel with this color byte set its bit in the array? */
typedef int (*PixelTest)(unsigned char color);

/* Black and white: anything but white is black. */
static inline int IsInked(unsigned char color)
{
    return color != 0;
}
static inline int IsInLightPlane(unsigned char color)
{
    return color == 1 || color == 3;
}
static inline int IsInDarkPlane(unsigned char color)
{
    return color == 2 || color == 3;
}

static inline unsigned char PixelAt(const unsigned char* colorPlane, int x, int y)
{
    return colorPlane[x * PIXORA_PLANE_STRIDE + y];
}

typedef void (*AppendRows)(PluginText* text, const unsigned char* colorPlane, int height, int width, PixelTest test);

/* How a plug-in writes its arrays: the text after each array name, and the rows. */
typedef struct {
    const char* blackWhiteOpening;
    const char* lightOpening;
    const char* darkOpening;
    AppendRows appendRows;
} ArrayStyle;

static inline int IsAcceptedSquareSprite(int spriteType, int height, int width)
{
    int square = height == width && (width == 8 || width == 16 || width == 32);
    return square && (spriteType == 1 || spriteType == 2);
}

static inline const char* ElementKeyword(int width)
{
    if (width == 8)
        return "static unsigned char ";
    if (width == 16)
        return "static unsigned short ";
    return "static unsigned long ";
}

static inline void AppendSquareRefusal(PluginText* text)
{
    AppendText(text, "Les tailles support\xE9"
                     "es par un sprite TIGGC sont(non mask\xE9"
                     "s):\n");
    AppendText(text, "  - 8x 8\n");
    AppendText(text, "  -16x16\n");
    AppendText(text, "  -32x32\n");
}

static inline void AppendSquareArray(PluginText* text, const ArrayStyle* style, const char* name, const char* suffix,
                                     const char* opening, const unsigned char* colorPlane, int size, PixelTest test)
{
    AppendText(text, ElementKeyword(size));
    AppendText(text, name);
    AppendText(text, suffix);
    AppendText(text, opening);
    style->appendRows(text, colorPlane, size, size, test);
}

static inline void AppendSquareSprite(PluginText* text, const ArrayStyle* style, const char* name, int spriteType,
                                      const unsigned char* colorPlane, int size)
{
    if (spriteType == 1) {
        AppendSquareArray(text, style, name, "", style->blackWhiteOpening, colorPlane, size, IsInked);
        AppendText(text, "};\n");
        return;
    }
    AppendSquareArray(text, style, name, "_LightPlane", style->lightOpening, colorPlane, size, IsInLightPlane);
    AppendText(text, "};\n\n");
    AppendSquareArray(text, style, name, "_DarkPlane", style->darkOpening, colorPlane, size, IsInDarkPlane);
    AppendText(text, "};\n\n");
}

/* The whole write function: the arrays, or the refusal text; always into the
 * file. True only when the sprite was accepted and the file written. */
static inline unsigned char WriteSquareSprite(const ArrayStyle* style, const char* fileName, const char* spriteName,
                                              int spriteType, const unsigned char* colorPlane, int height, int width)
{
    /* The contract passes 32-bit integers of which only the low byte counts. */
    int type = spriteType & 0xFF;
    int rows = height & 0xFF;
    int columns = width & 0xFF;
    int accepted = colorPlane && IsAcceptedSquareSprite(type, rows, columns);
    PluginText text = EmptyText();
    int written;
    if (accepted)
        AppendSquareSprite(&text, style, spriteName ? spriteName : "", type, colorPlane, columns);
    else
        AppendSquareRefusal(&text);
    written = WriteTextFile(fileName, &text);
    FreeText(&text);
    return (unsigned char)(accepted && written);
}

#endif
