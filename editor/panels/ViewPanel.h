// View navigation: the keys and wheel that zoom and scroll the main view
// (SpriteView.h owns the zoom, the scroll bars and the cells shown), the
// true-size preview option on "Options" ("Aperçu en taille réelle"), the
// option that shows masked cells as a light checkerboard in the main view,
// the preview and the frame row ("Transparence en damier", off by default),
// and their section "Affichage" of the settings file, the main view's zoom
// level among them.
#pragma once

#include <cstdint>

#include "EditorPanel.h"

class QCheckBox;
class QWheelEvent;

class ViewPanel : public EditorPanel {
public:
    explicit ViewPanel(EditorContext& editor);

    uint8_t ApercuTailleReelle = 0;
    uint8_t TransparenceDamier = 0;
    QCheckBox* CB_ApercuTailleReelle;
    QCheckBox* CB_TransparenceDamier;

    // Ctrl + wheel zooms and Shift + wheel scrolls the main view; false for
    // any other wheel. Window coordinates.
    bool WheelNavigatesView(const QWheelEvent& event);

    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

private:
    void CB_ApercuTailleReelleClick();
    void CB_TransparenceDamierClick();
};
