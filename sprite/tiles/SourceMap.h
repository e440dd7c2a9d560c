// A tile map read back from the arrays of a C or assembly program: the
// tiles as the frames of a set are read (DataReading.h), one tile per
// frame, and the cells from an array, every cell checked against the tile
// count. pixora-export --to-pixm and the editor's import of a program read
// maps here. A reason is French and names no file: the caller adds it.
#pragma once

#include <optional>
#include <string>

#include "TileMap.h"
#include "c_array_sprites.h"

// The tiles where source says they lie; or the reason they cannot be tiles.
std::string ReadTilesAt(const CArrayScan& scan, const DataSource& source, TileSet& tiles);

// The cells of the array name (NAME, or NAME[k] of an array of one more
// dimension) into map, whose tiles are read already. An array of two
// dimensions gives its own size, as does a room NAME[k] of one of three;
// one of one dimension (or a part NAME[k] of one of two) takes width, and
// is refused without it.
std::string ReadCellsOf(const CArrayScan& scan, const std::string& name, std::optional<int> width, TileMap& map);

// The map one of Pixora's own comments describes (OwnDataText.h): its tiles
// read as their own comment says, its cells from NAME_map, the comment's
// width taken where the array has one dimension (assembly).
std::string ReadOwnMap(const ArraySprites& found, const OwnMapHeader& header, TileMap& map);
