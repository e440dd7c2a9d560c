// Sprite sets in the main window: the frame controls in the free column of
// "Retouche" (below "Annuler" / "Rétablir"), Page Up / Page Down, the
// slicing of an imported picture into frames ("découper en images de" on
// "Enreg/charger"), the onion skin of the main view and the animated
// preview, with their options on "Options" and in the settings file's
// section "PlancheSprites". The frames themselves and their commands are the
// document's (FrameCommands.h, LoadCommands.h).
#pragma once

#include <cstdint>
#include <optional>

#include "EditorPanel.h"
#include "LoadCommands.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

class FramePanel : public EditorPanel {
public:
    explicit FramePanel(EditorContext& editor);

    // The cell size typed beside "découper en images de" while it is
    // checked ((0, 0) for a size that is no number), else nothing.
    std::optional<Point> SliceCell() const;
    // Shows what a load changed, or why a picture makes no frames of the
    // size typed; true when it was loaded.
    bool ShowLoadResult(const LoadResult& result);

    // What the preview draws: the frame it plays, or the frame edited.
    const Sprite& PreviewSprite() const;
    // One tick of the animation: the preview goes to the next frame.
    void timerAnimationTimer();
    // The delay between two frames of the animation, in milliseconds.
    int FrameDelayMs() const { return 1000 / ImagesParSeconde; }
    // The frame the preview shows while it plays the set.
    int PreviewFrame = 0;

    void ShowChange(const DocumentChange& change) override;
    // The previous frame, faintly, in the white cells of the main view.
    void PaintOverView(QPainter& painter) override;
    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

private:
    void BuildFrameButtons();
    void BuildSlicing();
    void BuildOptions();
    void ShowFrameState();
    void CB_PelureOignonClick();
    void CB_AnimerApercuClick();
    void E_ImagesParSecondeChange();
    void RestartAnimation();

    QLabel* L_Image;
    QPushButton* B_ImagePrecedente;
    QPushButton* B_ImageSuivante;
    QPushButton* B_NouvelleImage;
    QPushButton* B_DupliquerImage;
    QPushButton* B_SupprimerImage;
    QPushButton* B_ImageAvant;
    QPushButton* B_ImageApres;
    QCheckBox* CB_Decouper;
    QLineEdit* E_DecoupeX;
    QLineEdit* E_DecoupeY;
    QCheckBox* CB_PelureOignon;
    QCheckBox* CB_AnimerApercu;
    QSpinBox* E_ImagesParSeconde;
    QTimer* timerAnimation;
    uint8_t PelureOignon = 0;
    uint8_t AnimerApercu = 0;
    int ImagesParSeconde = 8;
};
