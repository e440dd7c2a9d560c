/* A plug-in for the set benchmark only: accepts every size and writes each
 * row of the sprite as one hexadecimal line, four pixels per digit, so that
 * a 240 x 128 frame gives a text of the size a real plug-in would write. */
#include <stdio.h>

const char* pluginNom(void)
{
    return "Lignes hexad\xE9"
           "cimales (banc d'essai)";
}

unsigned char pluginEnregistre(const char* fileName, const char* spriteName, int spriteType,
                               const unsigned char* colorPlane, const unsigned char* maskPlane, int height, int width)
{
    (void)spriteType;
    (void)maskPlane;
    FILE* file = fopen(fileName, "w");
    if (!file)
        return 0;
    fprintf(file, "static const char* %s[] = {\n", spriteName);
    for (int y = 0; y < (height & 0xFF); ++y) {
        fputs("  \"", file);
        for (int x = 0; x < (width & 0xFF); x += 4) {
            unsigned digit = 0;
            for (int k = 0; k < 4 && x + k < (width & 0xFF); ++k)
                digit |= (colorPlane[(x + k) * 128 + y] != 0) << (3 - k);
            fputc("0123456789ABCDEF"[digit], file);
        }
        fputs("\",\n", file);
    }
    fputs("};\n", file);
    return fclose(file) == 0;
}
