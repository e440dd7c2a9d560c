// Whether the keys pressed in a control are meant for the text it edits:
// then the window's own keys leave them to it.
#pragma once

class QWidget;

// True for an editable text box; read-only boxes have no text undo or
// typing of their own, so there the window's keys act on the sprite.
bool IsTextEditing(const QWidget* widget);
