/*
 * The export plug-in contract between Pixora and a plug-in library.
 *
 * A plug-in is a shared library ("*.so", "*.dll") in the "Plugins" folder
 * beside the editor that exports plain C functions, bound by name at run
 * time. Neither side links against the other; only the types below cross.
 *
 * Information functions take nothing and return a NUL-terminated string in
 * Windows-1252 that the plug-in owns (a constant); the host copies it at once.
 * Only the display name is required: a library is a plug-in when it exports
 * "pluginNom" or "_pluginNom".
 *
 * The write function receives, in this order: the full path of the file to
 * create or overwrite, the sprite name (unchecked: may be empty or long), the
 * sprite type (1 black & white, 2 gray, 3 black & white masked, 4 gray
 * masked), the color plane, the mask plane, the HEIGHT, then the WIDTH. A
 * plug-in reads only the low 8 bits of the three integers.
 *
 * Each plane covers the whole 240 x 128 storage column by column: the byte of
 * pixel (x, y) is at x * 128 + y (30720 bytes). Color plane bytes are 0 white,
 * 1 light gray, 2 dark gray, 3 black (bit 0 light plane, bit 1 dark plane);
 * mask plane bytes are 1 for a masked pixel and 0 otherwise. Only the top-left
 * width x height pixels belong to the sprite.
 *
 * The result is one byte: non-zero when the sprite was written. On zero the
 * plug-in has written into the named file, instead of the sprite, a short
 * French text saying what it supports. Written text uses CR LF line ends and
 * Windows-1252 letters on every platform.
 */
#ifndef PIXORA_PLUGIN_H
#define PIXORA_PLUGIN_H

#ifdef __cplusplus
extern "C" {
#endif

#define PIXORA_PLANE_SIZE 30720
#define PIXORA_PLANE_STRIDE 128

typedef const char* (*PluginTextFunction)(void);
typedef unsigned char (*PluginWriteFunction)(const char* fileName, const char* spriteName, int spriteType,
                                             const unsigned char* colorPlane, const unsigned char* maskPlane,
                                             int height, int width);

#if defined(_WIN32)
#define PIXORA_EXPORT __declspec(dllexport)
#else
#define PIXORA_EXPORT __attribute__((visibility("default")))
#endif

/* Declarations for plug-ins; the host binds these by name and never links them. */
PIXORA_EXPORT const char* pluginNom(void);
PIXORA_EXPORT const char* pluginVersion(void);
PIXORA_EXPORT const char* pluginAuteur(void);
PIXORA_EXPORT const char* pluginURL(void);
PIXORA_EXPORT const char* pluginMail(void);
PIXORA_EXPORT const char* pluginDescription(void);
PIXORA_EXPORT unsigned char pluginEnregistre(const char* fileName, const char* spriteName, int spriteType,
                                             const unsigned char* colorPlane, const unsigned char* maskPlane,
                                             int height, int width);

#ifdef __cplusplus
}
#endif

/*
 * Names the host tries for each function, first exported one wins. The
 * display name at the scan accepts only the first two ("Plug_Nom" alone does
 * not make a plug-in); the information text accepts all three.
 */
/* clang-format off */
#define PIXORA_NAMES_NOM_SCAN {"pluginNom", "_pluginNom"}
#define PIXORA_NAMES_NOM {"pluginNom", "_pluginNom", "Plug_Nom"}
#define PIXORA_NAMES_VERSION {"pluginVersion", "_pluginVersion", "Plug_Version", "_Plug_Version"}
#define PIXORA_NAMES_AUTEUR {"pluginAuteur", "_pluginAuteur", "Plug_Auteur"}
#define PIXORA_NAMES_URL {"pluginURL", "_pluginURL", "Plug_Site"}
#define PIXORA_NAMES_MAIL {"pluginMail", "_pluginMail", "Plug_Mail"}
#define PIXORA_NAMES_DESCRIPTION {"pluginDescription", "_pluginDescription", "Plug_Description"}
#define PIXORA_NAMES_ENREGISTRE \
    {"pluginEnregistre", "_pluginEnregistre", "Plug_Enregistrement_Go", "_Plug_Enregistrement_Go"}
/* clang-format on */

#endif
