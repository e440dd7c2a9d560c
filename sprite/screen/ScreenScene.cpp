#include "ScreenScene.h"

#include <algorithm>

namespace {

CalculatorScreen BackgroundScreen(const ScreenScene& scene)
{
    CalculatorScreen screen(scene.model);
    if (scene.background)
        DrawBackground(screen, *scene.background);
    return screen;
}

int FloorDivision(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

} // namespace

CalculatorScreen ComposeScene(const ScreenScene& scene, const Sprite& frame)
{
    CalculatorScreen screen = BackgroundScreen(scene);
    screen.DrawSprite(frame, scene.position.x, scene.position.y, scene.mode.value_or(DefaultDrawMode(frame)));
    return screen;
}

CalculatorScreen ComposeSceneText(const ScreenScene& scene, const SceneText& text)
{
    CalculatorScreen screen = BackgroundScreen(scene);
    const DrawMode mode = scene.mode.value_or(IsMaskedFont(text.glyphs) ? DrawMode::Mask : DrawMode::Or);
    DrawText(screen, text.glyphs, text.font, text.codes, scene.position.x, scene.position.y, mode);
    return screen;
}

Point MovedPosition(Point position, int dx, int dy)
{
    return {std::clamp(position.x + dx, -MaxScreenOffset, MaxScreenOffset),
            std::clamp(position.y + dy, -MaxScreenOffset, MaxScreenOffset)};
}

Point DraggedPosition(Point start, Point pressed, Point pointer, int zoom)
{
    return MovedPosition(start, FloorDivision(pointer.x - pressed.x, zoom), FloorDivision(pointer.y - pressed.y, zoom));
}
