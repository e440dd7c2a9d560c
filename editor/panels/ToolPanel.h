// The drawing tools added beside the designed three: the rectangle and the
// ellipse (outlined or filled) and the eyedropper, with their buttons in the
// free column of "Retouche"; the tool keys (B, L, G, S, U, O, I and Maj+U,
// Maj+O), which work from whatever control has the focus but a text box
// being typed in; the cursor of the tool chosen over the view; the buttons,
// keys and cursors are the tools' entries (ToolEntries.h); Escape, which cancels the drawing of a held button; the
// row of frame pictures below the view while the set has several frames; the
// screen guides of the calculators over the main view ("Repères d'écran" on
// "Options", key "ReperesEcran" of the view's section "Affichage"); and the
// zoom readout below the tab control. The shapes and their steps are the
// document's (DrawingGesture.h, shapes.h).
#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>

#include "EditorPanel.h"
#include "ToolEntries.h"
#include "U_class.h"

class FrameStrip;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QShortcut;
class QToolButton;

class ToolPanel : public EditorPanel {
public:
    explicit ToolPanel(EditorContext& editor);

    // Chooses a tool as its key does: its button goes down and the view
    // takes its cursor. The one way the tool changes.
    void ChooseTool(int tool);
    // A press of a mouse button over the view with the eyedropper, or with
    // Alt held whatever the tool: the button takes the pen of the cell, and
    // the eyedropper gives way to the tool chosen before it. True when the
    // press was the eyedropper's, so that it draws nothing.
    bool PickPen(int button, Point cell, bool altHeld);

    // The height kept for the frame row at the bottom of the view's column:
    // none while the set has one frame.
    int FrameStripHeight() const;
    // The row of frame pictures below the view.
    FrameStrip* FrameRow() const { return frameStrip; }
    // Puts the frame row and the zoom readout in their places, after the
    // view region and the tab control have taken theirs.
    void LayOutAroundView();
    // The frame row's masked pixels over a light checkerboard, as "Transparence
    // en damier" shows them in the views, or over white.
    void CheckerFrameRowMasks(bool checkered);

    uint8_t ReperesEcran = 0;
    QCheckBox* CB_ReperesEcran;

    void ShowChange(const DocumentChange& change) override;
    void PaintOverView(QPainter& painter) override;
    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

    // The designed tool buttons keep their hints ("Crayon"...); the tooltip
    // they show adds their key.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolButtons();
    void BuildToolKeys();
    void ShowZoom();
    void ShowToolButtonPicture(QAbstractButton* button, int tool);
    void ShowToolCursor();
    // The tool a click on an added button chooses: the one it shows, or
    // its other one when the button's tool is already chosen.
    int ToolOnClick(const AddedToolButton& button, int shown) const;
    void CB_ReperesEcranClick();

    QShortcut* cancelKey;
    FrameStrip* frameStrip;
    QLabel* L_Zoom;
    // The tool the eyedropper gives back after its click.
    int toolBeforeEyedropper = 0;
    // The key each designed tool button's tooltip names.
    QHash<const QObject*, QString> designedToolKeys;
    // The tool each added button stands for: which shape, outlined or
    // filled, a click on it chooses.
    QHash<QAbstractButton*, int> shownTools;
    // The button that is down for each tool.
    QHash<int, QAbstractButton*> buttonOfTool;
    // The cursor the view shows, none before the first tool is shown.
    std::optional<ToolCursor> viewCursor;
};
