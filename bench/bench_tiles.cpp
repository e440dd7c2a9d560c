// The largest sheet there is, 4096 x 4096 pixels, cut into 16 x 16 cells
// (65536 of them): slicing the cells out, merging them into a map, and the
// whole way from the picture to a written ".pixm" (target: under 1 s). Two
// pictures: a level of 64 different tiles, and the worst case, where every
// cell but the last is a tile of its own (65535 tiles).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "ImageConversion.h"
#include "MapFile.h"
#include "TileMap.h"

namespace {

constexpr int Side = LargestSheet.x;
constexpr int Cell = 16;

// Cell k of the level draws tile k % 64: a diagonal and the tile's number in
// its first row, so no two tiles are equal.
CellPicture Level()
{
    CellPicture picture(Side, Side);
    for (int k = 0; k < (Side / Cell) * (Side / Cell); ++k) {
        const int left = (k % (Side / Cell)) * Cell;
        const int top = (k / (Side / Cell)) * Cell;
        for (int i = 0; i < Cell; ++i)
            picture.At(left + i, top + i) = Black;
        for (int bit = 0; bit < 6; ++bit)
            picture.At(left + bit, top) = static_cast<int8_t>((k % 64) >> bit & 1 ? DarkGray : White);
    }
    return picture;
}

// Every cell its own number in its first row; the last cell is the first again.
CellPicture AllDifferent()
{
    CellPicture picture(Side, Side);
    const int cells = (Side / Cell) * (Side / Cell);
    for (int k = 0; k < cells; ++k) {
        const int number = k == cells - 1 ? 0 : k;
        for (int bit = 0; bit < 16; ++bit)
            picture.At((k % (Side / Cell)) * Cell + bit, (k / (Side / Cell)) * Cell) =
                static_cast<int8_t>(number >> bit & 1 ? Black : White);
    }
    return picture;
}

SliceGrid Grid()
{
    SliceGrid grid;
    grid.cell = {Cell, Cell};
    return grid;
}

const CellPicture& Picture(int which)
{
    static const CellPicture level = Level();
    static const CellPicture different = AllDifferent();
    return which == 0 ? level : different;
}

void BM_SliceLargestSheetInto16x16Cells(benchmark::State& state)
{
    const CellPicture& picture = Picture(0);
    const GridCells cells = CellsOfGrid(picture.width, picture.height, Grid());
    std::vector<int8_t> cell(Cell * Cell);
    for (auto _ : state) {
        long long drawn = 0;
        for (int row = 0; row < cells.rows; ++row)
            for (int column = 0; column < cells.columns; ++column) {
                CopyCell(picture, Grid(), column, row, cell.data());
                drawn += !IsEmptyCell(cell.data(), cell.size());
            }
        benchmark::DoNotOptimize(drawn);
    }
    state.SetItemsProcessed(state.iterations() * cells.Count());
}
BENCHMARK(BM_SliceLargestSheetInto16x16Cells)->Unit(benchmark::kMillisecond);

void BM_MergeLargestSheetIntoMap(benchmark::State& state)
{
    const CellPicture& picture = Picture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const MapResult result = MapOfPicture(picture, Grid(), false);
        benchmark::DoNotOptimize(result.map.cells.data());
    }
    state.SetLabel(state.range(0) == 0 ? "64 tiles" : "65535 tiles");
}
BENCHMARK(BM_MergeLargestSheetIntoMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SheetToWrittenMap(benchmark::State& state)
{
    const CellPicture& picture = Picture(static_cast<int>(state.range(0)));
    // In memory when the system offers it, so that the disk's flushes do not count.
    const std::string path =
        std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir) + "/pixora-bench-map.pixm";
    for (auto _ : state) {
        const MapResult result = MapOfPicture(picture, Grid(), false);
        if (SaveTileMapFile(path, result.map))
            state.SkipWithError("the map could not be written");
    }
    std::remove(path.c_str());
    state.SetLabel(state.range(0) == 0 ? "64 tiles" : "65535 tiles");
}
BENCHMARK(BM_SheetToWrittenMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
