#include "OverviewPanel.h"

#include <QPushButton>
#include <QSpinBox>

#include "EditorContext.h"
#include "FrameCommands.h"
#include "FrameOverview.h"
#include "FrameStrip.h"
#include "ImageFiles.h"
#include "SheetExportDialog.h"
#include "TextEncoding.h"
#include "ToolPanel.h"
#include "UndoPanel.h"

namespace {

const QString PngSuffix = QStringLiteral(".png");

} // namespace

OverviewPanel::OverviewPanel(EditorContext& editor) : EditorPanel(editor)
{
    overview = new FrameOverview(editor.Document().Frames(), &editor.Window());
    overview->grid->frameClicked = [this](int index) {
        this->editor.ShowChange(this->editor.Document().SelectFrame(index));
    };
    overview->grid->frameDropped = [this](int from, int to) {
        this->editor.ShowChange(MoveFrameTo(this->editor.Document(), from, to));
    };
    editor.Undo().AddUndoKeys(overview);
    SaveDialogPlanche = {QStringLiteral("SaveDialogPlanche"), QStringLiteral("Images PNG (*.png)|*.png"), QString()};

    connect(editor.Tools().FrameRow()->B_VueEnsemble, &QPushButton::clicked, this, &OverviewPanel::B_VueEnsembleClick);
    connect(overview->B_ExporterPlanche, &QPushButton::clicked, this, &OverviewPanel::B_ExporterPlancheClick);
}

void OverviewPanel::B_VueEnsembleClick()
{
    overview->show();
    overview->ShowFrames();
    overview->raise();
    overview->activateWindow();
}

void OverviewPanel::ShowChange(const DocumentChange& change)
{
    if (!overview->isVisible())
        return;
    if (change.frames || change.size)
        overview->ShowFrames();
    else if (change.pixels)
        overview->ShowPixels();
}

void OverviewPanel::CheckerMasks(bool checkered)
{
    overview->grid->checkerMasked = checkered;
    overview->grid->update();
}

void OverviewPanel::B_ExporterPlancheClick()
{
    const SpriteSet& frames = editor.Document().Frames();
    SheetExportDialog choices(editor.Document().Editing().GetSize(), frames.Count(), 1, overview);
    if (choices.exec() != QDialog::Accepted || !AppDialogs().Execute(FileDialogKind::Save, SaveDialogPlanche))
        return;
    if (!SaveDialogPlanche.fileName.endsWith(PngSuffix, Qt::CaseInsensitive))
        SaveDialogPlanche.fileName += PngSuffix;
    const int spacing = choices.E_EspacePlanche->value();
    QString reason;
    if (WriteSheetPngFile(frames.Frames(), choices.E_Colonnes->value(), {spacing, spacing},
                          choices.E_EchellePlanche->value(), FileSystemName(SaveDialogPlanche.fileName), reason))
        AppDialogs().ShowMessage(QStringLiteral("Exportation PNG effectuée : ..."), QStringLiteral("Succès!"),
                                 MessageIcon::Information);
    else
        ShowFailure(QStringLiteral("L'exportation PNG a échoué\n") + reason);
}
