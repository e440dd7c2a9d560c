#include "TileCommands.h"

#include <algorithm>
#include <ostream>

#include "CIdentifier.h"
#include "CliFailure.h"
#include "CliText.h"
#include "DataReading.h"
#include "DataText.h"
#include "ImageCommands.h"
#include "InputFrames.h"
#include "InputReading.h"
#include "MapDataText.h"
#include "MapFile.h"
#include "PendingOutput.h"
#include "ShownText.h"
#include "SourceMap.h"
#include "SourceReading.h"
#include "c_array_sprites.h"
#include "set_file.h"
#include "sheet.h"

namespace {

std::string SizeText(long long width, long long height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

// A picture read whole for cutting, up to the largest sheet.
CellPicture SheetPicture(const std::string& path, const CliOptions& options)
{
    ConversionOptions conversion = options.conversion;
    conversion.largest = LargestSheet;
    return ReadImagePicture(path, conversion);
}

SliceGrid GridOf(const TileOptions& tiles)
{
    SliceGrid grid;
    grid.cell = tiles.cell.value_or(Point{1, 1});
    grid.margin = tiles.margin;
    grid.spacing = tiles.spacing;
    return grid;
}

TileMap ReadMap(const std::string& path)
{
    TileMap map;
    const MapFileCheck check = ReadTileMapFile(path, map);
    if (check.problem != MapFileProblem::None)
        throw CliFailure(ExitBadInput, path + " : " + MapFileProblemText(check));
    return map;
}

void WriteMap(const CliOptions& options, const MapResult& made, const std::string& source)
{
    if (made.problem != MapProblem::None)
        throw CliFailure(ExitBadInput, source + " : " + MapProblemText(made));
    WriteOutput(options.output, TileMapBytes(made.map));
}

int SliceSheetToSet(const CliOptions& options)
{
    const std::string& path = options.inputs.front();
    RefuseOverwritingInput(path, options.output);
    const CellPicture sheet = SheetPicture(path, options);
    const SliceGrid grid = GridOf(options.tiles);
    const long long count = SlicedFrameCount(sheet, grid, options.tiles.skipEmpty);
    const std::string cell = SizeText(grid.cell.x, grid.cell.y);
    if (count < 1)
        throw CliFailure(ExitBadInput, path + " : aucune case " + (options.tiles.skipEmpty ? "non vide " : "") + "de " +
                                           cell + " dans l'image de " + SizeText(sheet.width, sheet.height) +
                                           " pixels");
    if (count > MaxFrames)
        throw CliFailure(ExitBadInput, path + " : " + std::to_string(count) + " cases de " + cell +
                                           ", une planche a au plus " + std::to_string(MaxFrames) + " images");
    WriteOutput(options.output, SpriteSetBytes(FramePointers(SliceSheetGrid(sheet, grid, options.tiles.skipEmpty))));
    return ExitWritten;
}

int SetToSheetPng(const CliOptions& options, std::ostream& err)
{
    const FrameList frames = ReadInputFrames(options.input, options, err);
    const int columns = *options.tiles.sheetColumns;
    const SheetSize size =
        SheetSizeOf(frames.front()->GetSize(), static_cast<int>(frames.size()), columns, options.tiles.spacing);
    RefuseLargePicture(size.width, size.height, options);
    RefuseOverwritingInput(options.input, options.output);
    WriteOutput(options.output,
                PicturePngBytes(SheetOfFrames(FramePointers(frames), columns, options.tiles.spacing), options));
    return ExitWritten;
}

int MapToPng(const CliOptions& options)
{
    const TileMap map = ReadMap(options.input);
    RefuseLargePicture(static_cast<long long>(map.width) * map.tiles.tileSize.x,
                       static_cast<long long>(map.height) * map.tiles.tileSize.y, options);
    RefuseOverwritingInput(options.input, options.output);
    WriteOutput(options.output, PicturePngBytes(DrawMap(map), options));
    return ExitWritten;
}

int MapToSet(const CliOptions& options)
{
    const std::string& path = options.inputs.front();
    RefuseOverwritingInput(path, options.output);
    const TileMap map = ReadMap(path);
    WriteOutput(options.output, SpriteSetBytes(FramePointers(FramesOfTiles(map.tiles))));
    return ExitWritten;
}

int MapToData(const CliOptions& options)
{
    const TileMap map = ReadMap(options.input);
    const std::string name = options.spriteName.value_or(DefaultSpriteName(options.input));
    if (const std::string why = DataNameRefusal(name, options.layout.request.syntax); !why.empty())
        throw CliFailure(ExitBadInput, "nom " + Quoted(name) + " refusé : " + why + " (-n pour en donner un autre)");
    const LayoutRequest request =
        TileLayoutRequest(options.layout.request, options.layout.given.count("--arrange") > 0, map.tiles);
    std::string why;
    const std::string text = WriteMapDataText(map, name, request, why);
    if (!why.empty())
        throw CliFailure(ExitBadInput, options.input + " : " + why);
    RefuseOverwritingInput(options.input, options.output);
    WriteOutput(options.output, text);
    return ExitWritten;
}

int PictureToMap(const CliOptions& options)
{
    RefuseOverwritingInput(options.input, options.output);
    const CellPicture picture = SheetPicture(options.input, options);
    WriteMap(options, MapOfPicture(picture, GridOf(options.tiles), options.tiles.keepDuplicates), options.input);
    return ExitWritten;
}

int PictureToMapOfSet(const CliOptions& options, std::ostream& err)
{
    const std::string& setPath = *options.tiles.tiles;
    const std::string& picturePath = *options.tiles.mapOf;
    RefuseOverwritingInput(setPath, options.output);
    RefuseOverwritingInput(picturePath, options.output);
    const FrameList frames = ReadInputFrames(setPath, options, err);
    const CellPicture picture = SheetPicture(picturePath, options);
    WriteMap(options, MapOfPictureWithTiles(picture, GridOf(options.tiles), TilesOfFrames(FramePointers(frames))),
             picturePath);
    return ExitWritten;
}

// The reading of the tile array: the layout options given, or the shape
// the elements of one part of an array of two dimensions tell: as many elements as the tile has rows (by
// default as many as an element has bits, a square tile) is a black and
// white tile, twice as many a gray one, rows interlaced.
ReadingRequest TileReading(const CliOptions& options, const CArrayScan& scan, const std::string& path)
{
    const std::string& name = *options.tiles.tiles;
    const LayoutRequest& layout = options.layout.request;
    ReadingRequest request;
    request.arrays = {name};
    request.rows = layout.rows;
    request.order = layout.order;
    request.arrange = layout.arrange;
    request.maskBit = layout.maskBit;
    request.height = options.layout.height;
    const std::vector<std::size_t> group = ArrayGroupNamed(scan, name);
    if (group.empty())
        return request; // PlanRequest names what is missing
    const CArray& first = scan.arrays[group.front()];
    if (!request.height) // square tiles unless --height says otherwise
        request.height = request.rows ? ElementBits(*request.rows) : first.elementBits;
    const bool layoutGiven = options.layout.given.size() > options.layout.given.count("--height");
    // One array of every tile (assembly has no other) tells no tile's size:
    // black and white tiles, unless the layout options say otherwise.
    if (layoutGiven || group.size() == 1)
        return request;
    const std::size_t elements = ElementCount(first);
    const std::size_t rows = static_cast<std::size_t>(*request.height);
    if (elements == 2 * rows) {
        request.arrange = Arrangement::Interlaced;
        request.order = "LD";
    } else if (elements != rows)
        throw CliFailure(ExitBadInput, path + " : " + Quoted(name) + " : tuiles de " + std::to_string(elements) +
                                           " éléments de " + std::to_string(first.elementBits) +
                                           " bits, disposition inconnue (--rows, --order, --arrange, --height)");
    return request;
}

// A reading's refusal, said of the file read.
void RefuseUnless(const std::string& why, const std::string& path)
{
    if (!why.empty())
        throw CliFailure(ExitBadInput, path + " : " + why);
}

TileSet ReadSourceTiles(const CliOptions& options, const CArrayScan& scan, const std::string& path)
{
    DataSource source;
    RefuseUnless(PlanRequest(scan, TileReading(options, scan, path), source), path);
    TileSet tiles;
    RefuseUnless(ReadTilesAt(scan, source, tiles), path);
    return tiles;
}

// The arrays of a program (a source with its includes, or a folder).
ArraySprites ReadSourceSprites(const std::string& path, std::ostream& err)
{
    SourceProgram read = ReadSourceProgram(path);
    if (!read.refusal.empty())
        throw CliFailure(ExitBadInput, read.refusal);
    for (const std::string& note : read.notes)
        err << "pixora-export : " << note << '\n';
    return std::move(read.found);
}

// The map that Pixora's comments describe: the one whose cells (or name) the
// --map given names, else the first.
TileMap OwnSourceMap(const ArraySprites& found, const std::optional<std::string>& named, const std::string& path,
                     std::ostream& err)
{
    const auto header = std::find_if(found.maps.begin(), found.maps.end(), [&](const OwnMapHeader& map) {
        return !named || *named == map.CellsName() || *named == map.name;
    });
    if (header == found.maps.end())
        throw CliFailure(ExitBadInput, path + " : aucune carte écrite par Pixora" +
                                           (named ? " nommée " + QuotedSourceText(*named) : std::string()) +
                                           " ; nommez ses tableaux avec --tiles et --map");
    if (!named && found.maps.size() > 1)
        err << "pixora-export : " << found.maps.size() << " cartes trouvées, lu " << QuotedSourceText(header->name)
            << " (--map NOM_map pour une autre)\n";
    TileMap map;
    RefuseUnless(ReadOwnMap(found, *header, map), path);
    return map;
}

int SourceToMap(const CliOptions& options, std::ostream& err)
{
    RefuseOverwritingInput(options.input, options.output);
    const ArraySprites found = ReadSourceSprites(options.input, err);
    TileMap map;
    if (options.tiles.tiles) {
        map.tiles = ReadSourceTiles(options, found.scan, options.input);
        RefuseUnless(ReadCellsOf(found.scan, *options.tiles.map, options.tiles.mapWidth, map), options.input);
    } else
        map = OwnSourceMap(found, options.tiles.map, options.input, err);
    WriteOutput(options.output, TileMapBytes(map));
    return ExitWritten;
}

} // namespace

std::optional<int> RunTileCommand(const CliOptions& options, std::ostream& err)
{
    const TileOptions& tiles = options.tiles;
    switch (options.mode) {
    case CliMode::ToPixm:
        if (tiles.mapOf)
            return PictureToMapOfSet(options, err);
        return InputKindOf(options.input) == InputKind::Source ? SourceToMap(options, err) : PictureToMap(options);
    case CliMode::ToPixs:
        if (tiles.cell)
            return SliceSheetToSet(options);
        if (options.inputs.size() == 1 && IsTileMapFileName(options.inputs.front()))
            return MapToSet(options);
        break;
    case CliMode::ToPng:
        if (tiles.sheetColumns)
            return SetToSheetPng(options, err);
        if (IsTileMapFileName(options.input))
            return MapToPng(options);
        break;
    case CliMode::Data:
        if (IsTileMapFileName(options.input))
            return MapToData(options);
        break;
    default:
        break;
    }
    return std::nullopt;
}
