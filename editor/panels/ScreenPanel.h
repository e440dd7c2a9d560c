// The calculator screen window in the main window: its button on "Options"
// ("Écran de calculatrice..."), F5 from any window of the program, the
// frames it shows as they change, and its settings section. The window is
// built the first time it is asked for and lives as long as the main window.
#pragma once

#include "EditorPanel.h"

class QPushButton;
class ScreenWindow;

class ScreenPanel : public EditorPanel {
public:
    explicit ScreenPanel(EditorContext& editor);

    // Shows the window, in front, with the screen's view taking the keys.
    void B_EcranCalculatriceClick();
    ScreenWindow* Window() const { return window_; }

    void ShowChange(const DocumentChange& change) override;
    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

private:
    QPushButton* B_EcranCalculatrice;
    ScreenWindow* window_ = nullptr;
};
