// The map view of the "Carte" window redrawn, as every scroll, zoom and
// stroke does: a 1024 x 1024 map of 4096 different 8 x 8 tiles in a view of
// 1000 x 700 pixels, scrolled into the middle, at zoom 1, 2 and 8 (the
// argument), through the view's own repaint (paint event, backing store).
// The tiles are noisy and some pixels masked, so that neither the rows
// copied nor the runs of one color flatter the figure.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <random>

#include "MapView.h"

namespace {

TileMap BenchMap()
{
    constexpr int Tiles = 4096, Side = 1024;
    TileMap map;
    map.tiles.tileSize = {8, 8};
    std::mt19937 random(11);
    const int8_t values[] = {White, LightGray, DarkGray, Black, Black + MaskOffset};
    map.tiles.cells.resize(static_cast<std::size_t>(Tiles) * 64);
    for (int8_t& pixel : map.tiles.cells)
        pixel = values[random() % 5];
    map.tiles.type = GrayscaleMasked;
    map.width = map.height = Side;
    map.cells.resize(static_cast<std::size_t>(Side) * Side);
    for (uint16_t& cell : map.cells)
        cell = static_cast<uint16_t>(random() % Tiles);
    return map;
}

void RepaintMapView(benchmark::State& state)
{
    const TileMap map = BenchMap();
    MapView view;
    view.resize(1000, 700);
    view.show();
    view.SetMap(&map);
    view.SetZoom(static_cast<int>(state.range(0)), QPoint(0, 0));
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum() / 2);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QApplication::processEvents();
    for (auto _ : state)
        view.viewport()->repaint();
    state.SetLabel("zoom " + std::to_string(state.range(0)));
}

BENCHMARK(RepaintMapView)->Arg(1)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
