// The main window as the editor context of its panels: what of it they reach.
#include "U_main.h"

#include <QTabWidget>

#include "OverviewPanel.h"
#include "ToolPanel.h"

QWidget* TForm1::Page(EditorPage page) const
{
    return PageControl1->widget(static_cast<int>(page));
}

void TForm1::RepaintPreview(bool resized)
{
    if (!F_Apercu)
        return;
    if (resized)
        F_Apercu->KeepRoomForTrueSize();
    F_Apercu->update();
}

void TForm1::CheckerFramePictures(bool checkered)
{
    toolPanel->CheckerFrameRowMasks(checkered);
    overviewPanel->CheckerMasks(checkered);
}
