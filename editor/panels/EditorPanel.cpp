#include "EditorPanel.h"

#include <QPushButton>

#include "U_main.h"

EditorPanel::EditorPanel(TForm1& form) : QObject(&form), form(form) {}

QPushButton* FreeColumnButton(QWidget* page, const char* name, const QString& caption, int left, int top, int width)
{
    auto* button = new QPushButton(caption, page);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, FreeColumn::RowHeight);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}
