// The overview of the frames: "Vue d'ensemble" at the end of the frame row
// opens a window with every frame of the set as a grid of pictures
// (FrameOverview.h). A click there goes to a frame, a picture dragged onto
// another moves that frame to its place as one undo step (MoveFrameTo), and
// Ctrl+Z works there as in the main window. Below the grid, "Exporter la
// planche en PNG..." writes the frames as one sheet, byte for byte what
// pixora-export --to-png --sheet-columns writes with the same choices.
#pragma once

#include "Dialogs.h"
#include "EditorPanel.h"

class FrameOverview;

class OverviewPanel : public EditorPanel {
public:
    explicit OverviewPanel(EditorContext& editor);

    void B_VueEnsembleClick();
    void B_ExporterPlancheClick();

    void ShowChange(const DocumentChange& change) override;
    // Masked pixels of the pictures over a light checkerboard, or white.
    void CheckerMasks(bool checkered);

private:
    FrameOverview* overview;
    FileDialog SaveDialogPlanche;
};
