/* A plug-in with a display name and nothing else; "_pluginNom" is there too
 * so that the scan shows which name it takes first. */
const char* pluginNom(void)
{
    return "Nom seul";
}
const char* _pluginNom(void)
{
    return "autre nom";
}
