#include <gtest/gtest.h>

#include "CIdentifier.h"
#include "CliOptions.h"
#include "CliText.h"

namespace {

using Args = std::vector<std::string>;

struct ParseCase {
    Args arguments;
    CliMode mode;
    std::string plugin, name, output, input, pluginFolder;
};

TEST(ParseArguments, ReadsEveryFormOfTheCommandLine)
{
    const ParseCase cases[] = {
        {{"a.pixo"}, CliMode::Export, "hexplane", "", "-", "a.pixo", ""},
        {{"-p", "binplane", "-n", "s", "-o", "a.h", "a.pixo"}, CliMode::Export, "binplane", "s", "a.h", "a.pixo", ""},
        {{"a.pixo", "-obin.h", "-pbinplane"}, CliMode::Export, "binplane", "", "bin.h", "a.pixo", ""},
        {{"--plugins=dir", "-o", "-", "a.89i"}, CliMode::Export, "hexplane", "", "-", "a.89i", "dir"},
        {{"-n", "_x", "--", "-y.pixo"}, CliMode::Export, "hexplane", "_x", "-", "-y.pixo", ""},
        {{"--to-pixo", "b.pixo", "a.v2i"}, CliMode::ToPixo, "hexplane", "", "b.pixo", "a.v2i", ""},
        {{"--list", "--plugins", "d"}, CliMode::List, "hexplane", "", "-", "", "d"},
        {{"--info", "Format TIGCClib"}, CliMode::Info, "Format TIGCClib", "", "-", "", ""},
        {{"a.pixo", "-o", "x", "-h"}, CliMode::Help, "hexplane", "", "-", "", ""},
    };
    for (const ParseCase& c : cases) {
        const std::string shown = testing::PrintToString(c.arguments);
        try {
            const CliOptions options = ParseArguments(c.arguments);
            EXPECT_EQ(options.mode, c.mode) << shown;
            if (c.mode == CliMode::Help || c.mode == CliMode::Version)
                continue;
            EXPECT_EQ(options.plugin, c.plugin) << shown;
            EXPECT_EQ(options.spriteName.value_or(""), c.name) << shown;
            EXPECT_EQ(options.output, c.output) << shown;
            EXPECT_EQ(options.input, c.input) << shown;
            EXPECT_EQ(options.pluginFolder, c.pluginFolder) << shown;
        } catch (const UsageError& error) {
            ADD_FAILURE() << shown << ": " << error.what();
        }
    }
}

TEST(ParseArguments, RefusesCommandLinesThatMakeNoSense)
{
    const std::pair<Args, std::string> cases[] = {
        {{}, "fichier d'entrée manquant"},
        {{"a.pixo", "b.pixo"}, "argument en trop : b.pixo"},
        {{"-"}, "l'entrée standard n'est pas lue : donnez le nom d'un fichier"},
        {{""}, "nom de fichier d'entrée vide"},
        {{"-x", "a.pixo"}, "option inconnue : -x"},
        {{"a.pixo", "-o"}, "l'option -o attend une valeur"},
        {{"-o", "", "a.pixo"}, "l'option -o attend une valeur non vide"},
        {{"-o", "a", "-o", "b", "a.pixo"}, "l'option -o est donnée plusieurs fois"},
        {{"--list=1"}, "l'option --list ne prend pas de valeur"},
        {{"--list", "a.pixo"}, "argument en trop : a.pixo"},
        {{"--list", "--info", "x"}, "--list, --info et --to-pixo s'excluent mutuellement"},
        {{"--list", "-p", "x"}, "l'option -p ne s'emploie pas avec --list"},
        {{"--to-pixo", "b.pixo", "-n", "s", "a.89i"}, "l'option -n ne s'emploie pas avec --to-pixo"},
        {{"--array", "a", "b.pixo"}, "l'option --array ne s'emploie pas sans source C (.c ou .h)"},
        {{"--to-pixs", "o.pixs", "--width", "4", "a.pixo", "b.89i"},
         "l'option --width ne s'emploie pas sans source C (.c ou .h)"},
        {{"--to-png", "o.png", "--frame", "1", "sprites.H"},
         "--frame ne s'emploie pas avec une source C : --array y choisit le sprite"},
    };
    for (const auto& [arguments, message] : cases) {
        try {
            ParseArguments(arguments);
            ADD_FAILURE() << testing::PrintToString(arguments) << " was accepted";
        } catch (const UsageError& error) {
            EXPECT_EQ(error.what(), message) << testing::PrintToString(arguments);
        }
    }
}

TEST(DefaultSpriteName, MakesACIdentifierOfTheBaseName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1st sprite.pixo", "_1st_sprite"},
        {"dir.v2/Hero_2.89I", "Hero_2"},
        {"vaisseau-bleu.v2i", "vaisseau_bleu"},
        {"\xC3\xA9t\xC3\xA9.pixo", "_t_"}, // "été": one underscore per letter
        {"caf\xE9.pixo", "caf_"},          // a lone Latin-1 byte
        {"a.b.pixo", "a_b"},
    };
    for (const auto& [input, name] : cases)
        EXPECT_EQ(DefaultSpriteName(input), name) << input;
}

} // namespace
