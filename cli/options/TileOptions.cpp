#include "TileOptions.h"

#include <algorithm>
#include <vector>

#include "CliOptions.h"
#include "ImageOptions.h"
#include "InputFrames.h"
#include "MapFile.h"
#include "OptionNumbers.h"
#include "set_file.h"
#include "sprite_file_kind.h"

namespace {

// The widest margin or gap: the largest sheet's side.
constexpr int LargestGap = 4095;

// "16x16": a cell of 1 to 240 by 1 to 128 pixels.
Point CellSize(const std::string& value)
{
    const std::size_t x = value.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError("--cell attend une taille LxH (16x16, 8x8...), pas " + value);
    return {ParseOptionNumber("--cell", value.substr(0, x), 1, MaxWidth),
            ParseOptionNumber("--cell", value.substr(x + 1), 1, MaxHeight)};
}

// "X" or "X,Y": one number means the same across and down.
Point Pair(const std::string& option, const std::string& value)
{
    const std::size_t comma = value.find(',');
    const int x = ParseOptionNumber(option, value.substr(0, comma), 0, LargestGap);
    return {x, comma == std::string::npos ? x : ParseOptionNumber(option, value.substr(comma + 1), 0, LargestGap)};
}

void Refuse(const TileOptions& tiles, const std::vector<std::string>& allowed, const std::string& command)
{
    for (const std::string& name : tiles.given)
        if (std::find(allowed.begin(), allowed.end(), name) == allowed.end())
            throw UsageError("l'option " + name + " ne s'emploie pas avec " + command);
}

void Require(const TileOptions& tiles, const std::string& name, const std::string& command)
{
    if (!tiles.Has(name))
        throw UsageError(command + " demande " + name);
}

void CheckToPixs(const CliOptions& options)
{
    const TileOptions& tiles = options.tiles;
    if (!tiles.Any())
        return;
    Refuse(tiles, {"--cell", "--margin", "--spacing", "--skip-empty"}, "--to-pixs");
    Require(tiles, "--cell", "découper une image avec --margin, --spacing ou --skip-empty");
    if (options.inputs.size() != 1 || !IsImageFileName(options.inputs.front()))
        throw UsageError("--cell découpe une seule image .png, .bmp, .gif, .jpg ou .jpeg");
}

void CheckToPng(const CliOptions& options)
{
    const TileOptions& tiles = options.tiles;
    if (!tiles.Any())
        return;
    Refuse(tiles, {"--sheet-columns", "--spacing"}, "--to-png");
    Require(tiles, "--sheet-columns", "--spacing avec --to-png");
    if (!IsSpriteSetFileName(options.input))
        throw UsageError("--sheet-columns écrit la planche d'un fichier .pixs");
}

void CheckToPixm(const CliOptions& options)
{
    const TileOptions& tiles = options.tiles;
    if (tiles.mapOf) {
        Refuse(tiles, {"--tiles", "--map-of", "--margin", "--spacing"}, "--map-of");
        Require(tiles, "--tiles", "--map-of");
        if (!IsSpriteSetFileName(*tiles.tiles))
            throw UsageError("avec --map-of, --tiles nomme un jeu de tuiles .pixs");
        return;
    }
    if (InputKindOf(options.input) == InputKind::Source) {
        // Without --tiles, a map Pixora's comment describes (the first, or the one --map names), read as the
        // comments say.
        if (!tiles.Has("--tiles")) {
            Refuse(tiles, {"--map"}, "une carte écrite par Pixora (sans --tiles)");
            if (!options.layout.given.empty())
                throw UsageError("l'option " + *options.layout.given.begin() +
                                 " ne s'emploie pas avec une carte écrite par Pixora (sans --tiles)");
            return;
        }
        Refuse(tiles, {"--tiles", "--map", "--map-width"}, "--to-pixm d'une source");
        Require(tiles, "--tiles", "--to-pixm d'une source");
        Require(tiles, "--map", "--to-pixm d'une source");
        return;
    }
    Refuse(tiles, {"--cell", "--margin", "--spacing", "--keep-duplicates"}, "--to-pixm d'une image");
    Require(tiles, "--cell", "--to-pixm d'une image");
    if (!IsImageFileName(options.input))
        throw UsageError("--to-pixm lit une image (.png, .bmp, .gif, .jpg, .jpeg) ou une source C ou assembleur : " +
                         options.input);
}

} // namespace

const std::vector<std::string> TileOptionNames = {
    "--cell",          "--margin", "--spacing", "--skip-empty", "--keep-duplicates",
    "--sheet-columns", "--tiles",  "--map-of",  "--map",        "--map-width"};

bool IsTileOption(const std::string& name, bool& takesValue)
{
    takesValue = name != "--skip-empty" && name != "--keep-duplicates";
    return std::find(TileOptionNames.begin(), TileOptionNames.end(), name) != TileOptionNames.end();
}

void StoreTileOption(TileOptions& tiles, const std::string& name, const std::string& value)
{
    if (!tiles.given.insert(name).second)
        throw UsageError("l'option " + name + " est donnée plusieurs fois");
    if (name == "--cell")
        tiles.cell = CellSize(value);
    else if (name == "--margin")
        tiles.margin = Pair(name, value);
    else if (name == "--spacing")
        tiles.spacing = Pair(name, value);
    else if (name == "--skip-empty")
        tiles.skipEmpty = true;
    else if (name == "--keep-duplicates")
        tiles.keepDuplicates = true;
    else if (name == "--sheet-columns")
        tiles.sheetColumns = ParseOptionNumber(name, value, 1, LargestSheet.x);
    else if (name == "--tiles")
        tiles.tiles = value;
    else if (name == "--map-of")
        tiles.mapOf = value;
    else if (name == "--map")
        tiles.map = value;
    else if (name == "--map-width")
        tiles.mapWidth = ParseOptionNumber(name, value, 1, MaxMapSide);
}

void CheckTileOptions(const CliOptions& options)
{
    switch (options.mode) {
    case CliMode::ToPixs:
        return CheckToPixs(options);
    case CliMode::ToPng:
        return CheckToPng(options);
    case CliMode::ToPixm:
        return CheckToPixm(options);
    default:
        break;
    }
    if (options.tiles.Any())
        throw UsageError("l'option " + *options.tiles.given.begin() +
                         " ne s'emploie qu'avec --to-pixs, --to-png ou --to-pixm");
}
