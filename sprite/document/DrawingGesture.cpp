#include "DrawingGesture.h"

bool DrawingGesture::Press(Sprite& sprite, int tool, int button, PenValue pen, Point cell)
{
    const DrawingTool& entry = DrawingToolOf(tool);
    if (!entry.press)
        return false;
    ActivePen[button] = pen;
    Stroke stroke = StrokeOn(sprite);
    return entry.press(entry, stroke, cell);
}

bool DrawingGesture::Move(Sprite& sprite, int tool, Point cell)
{
    const DrawingTool& entry = DrawingToolOf(tool);
    Stroke stroke = StrokeOn(sprite);
    return entry.move(entry, stroke, cell);
}

bool DrawingGesture::Release(Sprite& sprite, int tool, int button, Point cell)
{
    if (!IsDrawing(button))
        return false;
    const DrawingTool& entry = DrawingToolOf(tool);
    Stroke stroke = StrokeOn(sprite);
    const bool drew = entry.release(entry, stroke, ActivePen[button], cell);
    ActivePen[button] = NotDrawing;
    return drew;
}

bool DrawingGesture::Cancel(Sprite& sprite)
{
    if (!AnyDrawing())
        return false;
    sprite.ClearMarks();
    ActivePen.fill(NotDrawing);
    return true;
}
