/* Exports every function under one of its alternative names, and some under
 * two, so that the host's name order shows. */
#include <stdio.h>

const char* _pluginNom(void)
{
    return "Soulign\xE9";
}
const char* Plug_Nom(void)
{
    return "nom de repli";
}
const char* _Plug_Version(void)
{
    return "2.0";
}
const char* Plug_Auteur(void)
{
    return "Quelqu'un";
}
const char* _pluginURL(void)
{
    return "http://exemple.fr";
}
const char* Plug_Mail(void)
{
    return "a@exemple.fr";
}
const char* _pluginDescription(void)
{
    return "premier";
}
const char* Plug_Description(void)
{
    return "second";
}

unsigned char _Plug_Enregistrement_Go(const char* fileName, const char* spriteName, int spriteType,
                                      const unsigned char* colorPlane, const unsigned char* maskPlane, int height,
                                      int width)
{
    FILE* file = fopen(fileName, "wb");
    (void)spriteName, (void)spriteType, (void)colorPlane, (void)maskPlane, (void)height, (void)width;
    if (!file)
        return 0;
    fputs("soulign\xE9", file);
    fclose(file);
    return 1;
}
