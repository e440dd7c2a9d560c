/* Writes the arguments it received into the file, and returns the sprite name
 * read as a number through the full 32-bit register, so that tests choose
 * what the host gets back. */
#include <stdio.h>
#include <stdlib.h>

const char* pluginNom(void)
{
    return "Enregistreur";
}

int pluginEnregistre(const char* fileName, const char* spriteName, int spriteType, const unsigned char* colorPlane,
                     const unsigned char* maskPlane, int height, int width)
{
    FILE* file = fopen(fileName, "wb");
    if (!file)
        return 0;
    fprintf(file, "%s|%d|%d|%d|%d|%d|%d|%d|%d|%d", spriteName, spriteType, height, width, colorPlane[1],
            colorPlane[128], maskPlane[128], colorPlane[30719], maskPlane[30719], maskPlane[1]);
    fclose(file);
    return (int)strtol(spriteName, NULL, 0);
}
