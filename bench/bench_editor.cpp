// Redrawing both views of a full 240 x 128 sprite, as every editing step
// does: the main view at the window's size and the preview at 192 x 208, in
// grid mode and in true colors. The picture is noisy on purpose, so that no
// two neighbouring cells share a color more often than in real drawings.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "PixoraApplication.h"
#include "U_apercu.h"
#include "U_main.h"

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

void DrawBothViews(benchmark::State& state)
{
    const bool trueColors = state.range(0) != 0;
    QImage mainSurface(editor->form.size(), QImage::Format_ARGB32_Premultiplied);
    QImage previewSurface(editor->preview.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter mainPainter(&mainSurface);
        DrawSpriteView(editor->form, RegionBounds(editor->form.I_Principale), editor->form.sprite, mainPainter,
                       trueColors);
        QPainter previewPainter(&previewSurface);
        DrawSpriteView(editor->form, RegionBounds(editor->preview.I_Apercu), editor->form.sprite, previewPainter,
                       trueColors);
    }
    state.SetLabel(trueColors ? "true colors" : "grid");
}

// The same through the windows' own repaint: erase, paint event, backing store.
void RepaintBothWindows(benchmark::State& state)
{
    const uint8_t trueColors = state.range(0) != 0;
    editor->form.CouleursVraiesMain = trueColors;
    editor->form.CouleursVraiesApercu = trueColors;
    for (auto _ : state) {
        editor->form.repaint(editor->form.I_Principale->geometry());
        editor->preview.repaint();
    }
    state.SetLabel(trueColors ? "true colors" : "grid");
}

BENCHMARK(DrawBothViews)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(RepaintBothWindows)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
