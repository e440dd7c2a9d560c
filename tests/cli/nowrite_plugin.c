/* A plug-in for the command's tests that has a name but no write function. */
#include "pixora_plugin.h"

PIXORA_EXPORT const char* pluginNom(void)
{
    return "Sans enregistrement";
}
