// What one run of pixora-export was asked to do, read from its arguments.
// Reading checks only the shape of the command line (which options, how many
// files); whether the files and plug-ins exist is the commands' business.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CliFailure.h"
#include "ImageConversion.h"
#include "LayoutOptions.h"
#include "ScreenOptions.h"
#include "TileOptions.h"

enum class CliMode { Export, ToPixo, ToPixs, List, Info, Help, Version, ToPng, ToTi, Data, Screen, ToPixm, ListSprites };

struct CliOptions {
    CliMode mode = CliMode::Export;
    std::string pluginFolder;        // empty: "Plugins" beside the program
    std::string plugin = "hexplane"; // for Export and Info
    std::optional<std::string> spriteName;
    std::string output = "-"; // "-" is standard output
    std::string input;
    // How an image input (.png, .bmp, .gif, .jpg, .jpeg) becomes a sprite.
    ConversionOptions conversion;
    // What --to-png writes.
    int pngScale = 1;
    bool calculatorColors = false;
    // Sprite sets: the one frame to take (from 0), and the inputs of --to-pixs
    // (or of --to-pixo, the light and the dark picture of a gray sprite, or
    // the sources of --list-sprites).
    std::optional<int> frame;
    std::vector<std::string> inputs;
    // C source input of --to-pixo: which array (or arrays, separated by
    // commas), and fewer columns than its bits.
    std::optional<std::string> arrayName;
    std::optional<int> width;
    // The layout that --data writes, or that a source's arrays are read in.
    LayoutOptions layout;
    // --to-ti: the picture variable's name instead of the output's.
    std::optional<std::string> variableName;
    // --to-png on a calculator's screen (Screen), and fonts for --data.
    ScreenRequest screen;
    // Sheets cut into frames, sets laid out as sheets, tile maps.
    TileOptions tiles;
};

// Options may come in any order and take their value as the next argument,
// attached ("-ohello.h") or after '=' ("--plugins=dir"); "--" ends the
// options. Throws UsageError.
CliOptions ParseArguments(const std::vector<std::string>& arguments);
