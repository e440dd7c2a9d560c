/* A plug-in for the command's tests: it writes down every argument it
 * receives, so a test can check what reached it, and refuses a sprite named
 * "refus" with a Windows-1252 explanation, as the real plug-ins do. Other
 * names make it misbehave as faulty plug-ins do: "vide" accepts and writes
 * nothing, "efface" accepts and removes its file, "muet" refuses without a
 * word, "plante" raises a crash signal, "viole" writes through a null
 * pointer, "gros" and "grosrefus" write a megabyte without looking at what
 * their writes answer, then accept or refuse. "chemin" writes the file name
 * it was given, as its bytes. */
#include <signal.h>
#include <stdio.h>
#include <string.h>

#include "pixora_plugin.h"

PIXORA_EXPORT const char* pluginNom(void)
{
    return "Sonde d'essai \xE9t\xE9";
}
PIXORA_EXPORT const char* pluginVersion(void)
{
    return "2.5";
}
PIXORA_EXPORT const char* pluginDescription(void)
{
    return "Ligne une\r\n    ligne deux";
}

static void WriteNonZeroBytes(FILE* file, const char* label, const unsigned char* plane)
{
    int i;
    fputs(label, file);
    for (i = 0; i < PIXORA_PLANE_SIZE; ++i)
        if (plane[i])
            fprintf(file, " %d:%d", i, plane[i]);
    fputs("\n", file);
}

/* A plug-in's real fault, which the sanitizers of the test build must not
 * catch before the command does. */
#if defined(__GNUC__)
#define NOT_UNDER_UBSAN __attribute__((no_sanitize_undefined))
#else
#define NOT_UNDER_UBSAN
#endif
static NOT_UNDER_UBSAN void WriteThroughNull(void)
{
    static char* volatile nowhere = NULL; /* volatile: the write happens */
    *nowhere = 1;
}

PIXORA_EXPORT unsigned char pluginEnregistre(const char* fileName, const char* spriteName, int spriteType,
                                             const unsigned char* colorPlane, const unsigned char* maskPlane,
                                             int height, int width)
{
    FILE* file;
    if (strcmp(spriteName, "plante") == 0)
        raise(SIGSEGV);
    if (strcmp(spriteName, "viole") == 0)
        WriteThroughNull();
    if (strcmp(spriteName, "efface") == 0)
        return remove(fileName) == 0;
    file = fopen(fileName, "wb");
    if (!file)
        return 0;
    if (strcmp(spriteName, "vide") == 0 || strcmp(spriteName, "muet") == 0) {
        fclose(file);
        return spriteName[0] == 'v';
    }
    if (strncmp(spriteName, "gros", 4) == 0) {
        static const char line[64] = "une ligne qui remplit le disque";
        int i;
        for (i = 0; i < 16384; ++i)
            fwrite(line, 1, sizeof line, file);
        fclose(file);
        return strcmp(spriteName, "gros") == 0;
    }
    if (strcmp(spriteName, "chemin") == 0) {
        fputs(fileName, file);
        fclose(file);
        return 1;
    }
    if (strcmp(spriteName, "refus") == 0) {
        fputs("Sprite refus\xE9\r\n", file);
        fclose(file);
        return 0;
    }
    fprintf(file, "nom=%s type=%d hauteur=%d largeur=%d\n", spriteName, spriteType, height, width);
    WriteNonZeroBytes(file, "couleur", colorPlane);
    WriteNonZeroBytes(file, "masque", maskPlane);
    fclose(file);
    return 1;
}
