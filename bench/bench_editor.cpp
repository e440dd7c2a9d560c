// Redrawing both views of a full 240 x 128 sprite, as every editing step
// does: the main view at the window's size and the preview at 192 x 208, in
// grid mode and in true colors, with the main view fitted (the second
// argument 0) or zoomed to 8 pixels a cell and scrolled into the middle. The picture is noisy on purpose, so that no
// two neighbouring cells share a color more often than in real drawings.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <random>
#include <string>

#include "PixoraApplication.h"
#include "SpriteView.h"
#include "U_apercu.h"
#include "U_main.h"
#include "ViewImage.h"

namespace {

struct Editor {
    TForm1 form;
    TF_Apercu preview{form};

    Editor()
    {
        form.show();
        preview.show();
        QApplication::processEvents();
        form.sprite.SetSize({MaxWidth, MaxHeight});
        std::mt19937 random(7);
        const PenValue pens[] = {White, LightGray, DarkGray, Black, Mask};
        for (int x = 0; x < MaxWidth; ++x) {
            for (int y = 0; y < MaxHeight; ++y)
                form.sprite.SetPixel(x, y, pens[random() % 5]);
        }
    }
};

Editor* editor = nullptr;

constexpr int BenchZoom = 8;
const Point BenchScroll{600, 300};

std::string Label(bool trueColors, bool zoomed)
{
    return std::string(trueColors ? "true colors" : "grid") + (zoomed ? ", zoomed" : ", fitted");
}

void DrawBothViews(benchmark::State& state)
{
    const bool trueColors = state.range(0) != 0;
    const bool zoomed = state.range(1) != 0;
    TForm1& form = editor->form;
    const ZoomedLayout layout =
        LayOutZoomedView(ToViewRegion(RegionBounds(form.I_Principale)), form.sprite.GetSize(), BenchZoom, trueColors,
                         form.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    QImage mainSurface(form.size(), QImage::Format_ARGB32_Premultiplied);
    QImage previewSurface(editor->preview.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter mainPainter(&mainSurface);
        if (zoomed)
            DrawZoomedView(mainPainter, layout, BenchScroll, form.sprite, trueColors);
        else
            DrawSpriteView(form, RegionBounds(form.I_Principale), form.sprite, mainPainter, trueColors);
        QPainter previewPainter(&previewSurface);
        DrawSpriteView(form, RegionBounds(editor->preview.I_Apercu), form.sprite, previewPainter, trueColors);
    }
    state.SetLabel(Label(trueColors, zoomed));
}

// The same through the windows' own repaint of what a change of the sprite
// repaints: erase, paint event, backing store.
void RepaintBothWindows(benchmark::State& state)
{
    const uint8_t trueColors = state.range(0) != 0;
    const bool zoomed = state.range(1) != 0;
    TForm1& form = editor->form;
    form.CouleursVraiesMain = trueColors;
    form.CouleursVraiesApercu = trueColors;
    form.I_Principale->SetZoom(zoomed ? BenchZoom : FittedZoom);
    form.RedrawBothViews();
    form.I_Principale->HorizontalBar()->setValue(BenchScroll.x);
    form.I_Principale->VerticalBar()->setValue(BenchScroll.y);
    QApplication::processEvents();
    for (auto _ : state) {
        form.repaint(form.I_Principale->ShownArea());
        editor->preview.repaint();
    }
    state.SetLabel(Label(trueColors, zoomed));
    form.I_Principale->SetZoom(FittedZoom);
    form.RedrawBothViews();
}

BENCHMARK(DrawBothViews)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(RepaintBothWindows)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    PixoraApplication application(argc, argv);
    Editor shared;
    editor = &shared;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
