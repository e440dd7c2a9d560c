#include "MapDataText.h"

#include "DataText.h"

LayoutRequest TileLayoutRequest(LayoutRequest request, bool arrangementChosen, const TileSet& tiles)
{
    if (!arrangementChosen && tiles.type != BlackWhite)
        request.arrange = Arrangement::Interlaced;
    return request;
}

std::string WriteMapDataText(const TileMap& map, const std::string& name, const LayoutRequest& request,
                             std::string& why)
{
    const FrameList frames = FramesOfTiles(map.tiles);
    const std::vector<const Sprite*> list = FramePointers(frames);
    DataLayout layout;
    why = ResolveLayout(request, ShapeOfFrames(list), layout);
    if (!why.empty())
        return {};
    return WriteDataText(list, name + "_tiles", layout) + "\n" +
           WriteMapText(map.cells, map.width, map.tiles.Count(), name, layout);
}
