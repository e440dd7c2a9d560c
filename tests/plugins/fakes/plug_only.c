/* Exports only the old "Plug_" names: not a plug-in, since the scan asks for
 * "pluginNom" or "_pluginNom". */
const char* Plug_Nom(void)
{
    return "Ancien format";
}
unsigned char Plug_Enregistrement_Go(void)
{
    return 1;
}
