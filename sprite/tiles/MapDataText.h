// A tile map as the data a calculator program takes: the tile set as
// NAME_tiles, a set in the layout chosen, then the map's cells as NAME_map
// (DataText.h writes both). pixora-export --data and the editor's map
// window both write it here, so that the two give the same text.
#pragma once

#include <string>

#include "DataLayout.h"
#include "TileMap.h"

// The request for the tiles: gray and masked tiles default to the tile-map
// routines' rows interlaced unless an arrangement was chosen.
LayoutRequest TileLayoutRequest(LayoutRequest request, bool arrangementChosen, const TileSet& tiles);

// The text under name; or nothing, and in why the French reason the layout
// does not fit the tiles.
std::string WriteMapDataText(const TileMap& map, const std::string& name, const LayoutRequest& request,
                             std::string& why);
