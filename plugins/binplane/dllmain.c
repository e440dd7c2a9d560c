/*
 * binplane: the test plug-in. Accepts what hexplane accepts but writes each
 * row on a line of its own as a binary literal, one digit per pixel, leftmost
 * pixel first. Keeps no state.
 */
#include "pixora_plugin.h"
#include "square_sprite.h"

const char* pluginNom(void)
{
    return "Plugin Test en DevCpp";
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
    return "Ceci est un plugin de test";
}

/* The comma rule compares the row with the width, which is the same as the
 * height for every accepted size. */
static void AppendRowLines(PluginText* text, const unsigned char* colorPlane, int height, int width, PixelTest test)
{
    int x;
    int y;
    for (y = 0; y < height; ++y) {
        AppendText(text, "  0b");
        for (x = 0; x < width; ++x)
            AppendChar(text, test(PixelAt(colorPlane, x, y)) ? '1' : '0');
        if (y < width - 1)
            AppendChar(text, ',');
        AppendChar(text, '\n');
    }
}

static const ArrayStyle binaryStyle = {"[] ={\n", "[] ={\n", "[] ={\n", AppendRowLines};

unsigned char pluginEnregistre(const char* fileName, const char* spriteName, int spriteType,
                               const unsigned char* colorPlane, const unsigned char* maskPlane, int height, int width)
{
    (void)maskPlane;
    return WriteSquareSprite(&binaryStyle, fileName, spriteName, spriteType, colorPlane, height, width);
}
