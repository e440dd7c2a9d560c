// The calculator screen window in the main window: its button on "Options"
// ("Écran de calculatrice..."), F5 from any window of the program, the
// frames it shows as they change, and its settings section. The window is
// built the first time it is asked for and lives as long as the main window.
#pragma once

#include "EditorPanel.h"
#include "ScreenWindow.h"

class QPushButton;

class ScreenPanel : public EditorPanel {
public:
    explicit ScreenPanel(EditorContext& editor);

    // Shows the window, in front, with the screen's view taking the keys.
    void B_EcranCalculatriceClick();

    void ShowChange(const DocumentChange& change) override;
    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

private:
    ScreenWindow& BuiltWindow();

    QPushButton* B_EcranCalculatrice;
    ScreenWindow* window_ = nullptr;
    // The settings' choices while the window is not built.
    ScreenChoices choices_;
};
