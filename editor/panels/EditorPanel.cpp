#include "EditorPanel.h"

#include <QPushButton>

#include "EditorContext.h"

EditorPanel::EditorPanel(EditorContext& editor) : QObject(&editor.Window()), editor(editor) {}

QPushButton* FreeColumnButton(QWidget* page, const char* name, const QString& caption, int left, int top, int width)
{
    auto* button = new QPushButton(caption, page);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, FreeColumn::RowHeight);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}
