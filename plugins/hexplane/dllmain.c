/*
 * hexplane: writes an unmasked 8 x 8, 16 x 16 or 32 x 32 sprite as TIGCC C
 * arrays of hexadecimal numbers, one number per row, leftmost pixel in the
 * most significant bit; a light and a dark plane for gray. Keeps no state.
 */
#include "pixora_plugin.h"
#include "square_sprite.h"

const char* pluginNom(void)
{
    return "Format TIGCClib";
}
const char* pluginVersion(void)
{
    return "1.0.0";
}
const char* pluginAuteur(void)
{
    return "Kestrune";
}
const char* pluginURL(void)
{
    return "http://kestrune.free.fr";
}
const char* pluginMail(void)
{
    return "kestrune@free.fr";
}

const char* pluginDescription(void)
{
    return "Exporte les 8x8, 16x16, 32x32 niveau de gris ou non (non mask\xE9s)\r\n"
           "    La d\xE9"
           "claration est faite avec des nombres hexad\xE9"
           "cimaux";
}

static unsigned long RowNumber(const unsigned char* colorPlane, int y, int width, PixelTest test)
{
    unsigned long number = 0;
    int x;
    for (x = 0; x < width; ++x)
        if (test(PixelAt(colorPlane, x, y)))
            number |= 1UL << (width - 1 - x);
    return number;
}

/* All rows on one line. The separator rule compares the row with the width,
 * which is the same as the height for every accepted size. */
static void AppendRowList(PluginText* text, const unsigned char* colorPlane, int height, int width, PixelTest test)
{
    int y;
    for (y = 0; y < height; ++y) {
        AppendFormat(text, "0x%lX", RowNumber(colorPlane, y, width, test));
        if (y < width - 1)
            AppendText(text, ", ");
    }
}

static const ArrayStyle hexStyle = {"[] = {", "[] = {", "[] = {\n", AppendRowList};

unsigned char pluginEnregistre(const char* fileName, const char* spriteName, int spriteType,
                               const unsigned char* colorPlane, const unsigned char* maskPlane, int height, int width)
{
    (void)maskPlane;
    return WriteSquareSprite(&hexStyle, fileName, spriteName, spriteType, colorPlane, height, width);
}
