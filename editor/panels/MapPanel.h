// The tile map in the main window: "Carte..." on "Options", which shows the
// "Carte" window (a new 16 x 16 map of one white 8 x 8 tile when none is
// open), and "Nouvelle carte des images", a map whose tiles are the frames
// of the set being edited, and the window's "Grille", kept in the settings
// file. The map itself is MapDocuments'.
#pragma once

#include "EditorPanel.h"

class QPushButton;

class MapPanel : public EditorPanel {
public:
    explicit MapPanel(EditorContext& editor);

    void B_CarteClick();
    void B_NouvelleCarteImagesClick();

    // Section "Carte": whether the map window shows its grid.
    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

private:
    QPushButton* B_Carte;
    QPushButton* B_NouvelleCarteImages;
};
