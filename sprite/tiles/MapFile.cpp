#include "MapFile.h"

#include <cstring>

#include "AtomicFile.h"
#include "FileRead.h"
#include "LittleEndian.h"
#include "sprite_file_kind.h"

namespace {

constexpr char Magic[4] = {'P', 'I', 'X', 'M'};
constexpr uint16_t Version = 1;

// Field offsets of the header.
constexpr std::size_t VersionAt = 4;
constexpr std::size_t TileWidthAt = 6;
constexpr std::size_t TileHeightAt = 8;
constexpr std::size_t TypeAt = 10;
constexpr std::size_t ReservedAt = 11;
constexpr std::size_t TileCountAt = 12;
constexpr std::size_t MapWidthAt = 14;
constexpr std::size_t MapHeightAt = 16;

MapFileCheck Problem(MapFileProblem problem)
{
    MapFileCheck check;
    check.problem = problem;
    return check;
}

// The header's rules, in the order they are checked.
MapFileProblem HeaderProblem(const std::string& bytes)
{
    if (bytes.size() < PixmHeaderSize || std::memcmp(bytes.data(), Magic, sizeof Magic) != 0)
        return MapFileProblem::NotAMap;
    if (GetUint16(bytes, VersionAt) != Version)
        return MapFileProblem::Version;
    if (!IsTileSize({GetUint16(bytes, TileWidthAt), GetUint16(bytes, TileHeightAt)}))
        return MapFileProblem::TileSize;
    const uint8_t type = static_cast<uint8_t>(bytes[TypeAt]);
    if (type < BlackWhite || type > GrayscaleMasked || bytes[ReservedAt] != 0)
        return MapFileProblem::TileType;
    if (GetUint16(bytes, TileCountAt) == 0)
        return MapFileProblem::TileCount;
    const int width = GetUint16(bytes, MapWidthAt);
    const int height = GetUint16(bytes, MapHeightAt);
    if (width < 1 || width > MaxMapSide || height < 1 || height > MaxMapSide)
        return MapFileProblem::MapSize;
    return MapFileProblem::None;
}

} // namespace

bool IsTileMapFileName(const std::string& path)
{
    return HasExtension(path, ".pixm");
}

std::string TileMapBytes(const TileMap& map)
{
    const TileSet& tiles = map.tiles;
    std::string bytes(PixmHeaderSize, '\0');
    std::memcpy(bytes.data(), Magic, sizeof Magic);
    PutUint16(bytes, VersionAt, Version);
    PutUint16(bytes, TileWidthAt, static_cast<uint16_t>(tiles.tileSize.x));
    PutUint16(bytes, TileHeightAt, static_cast<uint16_t>(tiles.tileSize.y));
    bytes[TypeAt] = static_cast<char>(tiles.type);
    PutUint16(bytes, TileCountAt, static_cast<uint16_t>(tiles.Count()));
    PutUint16(bytes, MapWidthAt, static_cast<uint16_t>(map.width));
    PutUint16(bytes, MapHeightAt, static_cast<uint16_t>(map.height));
    bytes.append(reinterpret_cast<const char*>(tiles.cells.data()), tiles.cells.size());
    const std::size_t indicesAt = bytes.size();
    bytes.resize(indicesAt + 2 * map.cells.size());
    for (std::size_t i = 0; i < map.cells.size(); ++i)
        PutUint16(bytes, indicesAt + 2 * i, map.cells[i]);
    return bytes;
}

std::error_code SaveTileMapFile(const std::string& path, const TileMap& map)
{
    return WriteFileAtomically(path, TileMapBytes(map));
}

MapFileCheck ReadTileMap(const std::string& bytes, TileMap& map)
{
    if (const MapFileProblem problem = HeaderProblem(bytes); problem != MapFileProblem::None)
        return Problem(problem);
    TileMap read;
    read.tiles.tileSize = {GetUint16(bytes, TileWidthAt), GetUint16(bytes, TileHeightAt)};
    read.tiles.type = static_cast<SpriteType>(bytes[TypeAt]);
    read.width = GetUint16(bytes, MapWidthAt);
    read.height = GetUint16(bytes, MapHeightAt);
    const std::size_t tileBytes = GetUint16(bytes, TileCountAt) * read.tiles.TileCells();
    const std::size_t cellCount = static_cast<std::size_t>(read.width) * read.height;
    // Every count is bounded by the header's 16-bit fields, so this cannot overflow.
    if (bytes.size() != PixmHeaderSize + tileBytes + 2 * cellCount)
        return Problem(MapFileProblem::Length);

    const char* pixels = bytes.data() + PixmHeaderSize;
    read.tiles.cells.assign(pixels, pixels + tileBytes);
    for (std::size_t i = 0; i < tileBytes; ++i)
        if (!TypeHoldsCell(read.tiles.type, read.tiles.cells[i])) {
            MapFileCheck check = Problem(MapFileProblem::BadPixel);
            check.tile = static_cast<int>(i / read.tiles.TileCells());
            return check;
        }
    const int count = read.tiles.Count();
    read.cells.resize(cellCount);
    for (std::size_t i = 0; i < cellCount; ++i) {
        read.cells[i] = GetUint16(bytes, PixmHeaderSize + tileBytes + 2 * i);
        if (read.cells[i] >= count) {
            MapFileCheck check = Problem(MapFileProblem::BadIndex);
            check.cell = {static_cast<int>(i % read.width), static_cast<int>(i / read.width)};
            return check;
        }
    }
    map = std::move(read);
    return {};
}

MapFileCheck ReadTileMapFile(const std::string& path, TileMap& map)
{
    const FileContent content = ReadWholeFile(path, LargestMapBytes);
    if (!content.Read()) {
        MapFileCheck check = Problem(MapFileProblem::Unreadable);
        check.readText = ReadProblemText(content);
        return check;
    }
    return ReadTileMap(content.bytes, map);
}

std::string MapFileProblemText(const MapFileCheck& check)
{
    switch (check.problem) {
    case MapFileProblem::Unreadable:
        return check.readText;
    case MapFileProblem::NotAMap:
        return "pas une carte Pixora (.pixm)";
    case MapFileProblem::Version:
        return "carte d'une version inconnue";
    case MapFileProblem::TileSize:
        return "taille de tuile hors limites (1 à 240 x 1 à 128)";
    case MapFileProblem::TileType:
        return "type de sprite des tuiles inconnu";
    case MapFileProblem::TileCount:
        return "jeu de tuiles vide";
    case MapFileProblem::MapSize:
        return "taille de carte hors limites (1 à 1024 x 1 à 1024)";
    case MapFileProblem::Length:
        return "longueur du fichier différente de celle qu'annonce son en-tête";
    case MapFileProblem::BadPixel:
        return "pixel invalide dans la tuile " + std::to_string(check.tile);
    case MapFileProblem::BadIndex:
        return "la case " + CellText(check.cell) + " désigne une tuile qui n'existe pas";
    case MapFileProblem::None:
        break;
    }
    return {};
}
