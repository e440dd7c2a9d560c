// Round trips: the sprite written as calculator pictures ("Exporter en image
// TI..." on "Exporter", below "Exporter en PNG..."), and sprites read back
// from C arrays, from a source file ("Importer du C..." on "Enreg/charger",
// beside "Importer une image...") or from the clipboard (Ctrl+Shift+V). They
// report like the designed file commands; what is read goes into the
// document as one undo step (LoadCommands.h).
#pragma once

#include <string>
#include <vector>

#include "Dialogs.h"
#include "EditorPanel.h"

struct ArrayCandidate;
struct ArraySprites;

class RoundTripPanel : public EditorPanel {
public:
    explicit RoundTripPanel(TForm1& form);

private:
    void B_ExporterTIClick();
    void B_ImporterCClick();
    // Ctrl+Shift+V: the sprite from C text in the clipboard.
    void PasteCArrays();
    // True when a sprite read from the text replaced the edited one.
    bool ImportCText(const std::string& text);
    bool ImportCFrames(const ArraySprites& found, const std::vector<const ArrayCandidate*>& candidates, int width);

    FileDialog SaveDialogTI;
    FileDialog OpenDialogC;
};
