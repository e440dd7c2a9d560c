#include "EditorPanel.h"

#include "U_main.h"

EditorPanel::EditorPanel(TForm1& form) : QObject(&form), form(form) {}
