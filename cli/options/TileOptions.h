// The options of pixora-export for sheets, tile sets and maps: the grid that
// cuts a picture (--cell, --margin, --spacing, --skip-empty,
// --keep-duplicates), the sheet a set is laid out as (--sheet-columns) and
// the tiles and map of --to-pixm (--tiles, --map-of, --map, --map-width).
// Values are read strictly: a number out of its range is a usage error.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "U_class.h"

struct TileOptions {
    std::optional<Point> cell;
    Point margin{0, 0};
    Point spacing{0, 0};
    bool skipEmpty = false;
    bool keepDuplicates = false;
    std::optional<int> sheetColumns;
    std::optional<std::string> tiles; // a ".pixs" set, or the array of a source
    std::optional<std::string> mapOf; // the picture a map is made of with --tiles
    std::optional<std::string> map;   // the map's array in a source: NAME or NAME[k]
    std::optional<int> mapWidth;      // of a map of one dimension
    std::set<std::string> given;

    bool Any() const { return !given.empty(); }
    bool Has(const std::string& name) const { return given.count(name) != 0; }
};

extern const std::vector<std::string> TileOptionNames;

// Whether the name is one of them, and whether it takes a value.
bool IsTileOption(const std::string& name, bool& takesValue);
// Stores one of them; throws UsageError for a value out of range or an
// option given twice.
void StoreTileOption(TileOptions& tiles, const std::string& name, const std::string& value);

struct CliOptions;
// Refuses (UsageError) the tile options the command does not take, and a
// command that misses one it needs.
void CheckTileOptions(const CliOptions& options);
