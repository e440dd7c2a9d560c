// Round trips: the sprite written as calculator pictures ("Exporter en image
// TI..." on "Exporter", below "Exporter en PNG...") or as data in the
// layout a program draws it from ("Exporter en données...", below it, the
// layout used last kept in the settings file's section "ExportDonnees"),
// and sprites read back from C or assembly sources, from a file with the
// files it includes ("Importer du C..." on "Enreg/charger", beside
// "Importer une image..."), from every source of a folder ("Importer d'un
// dossier...", above it) or from the clipboard (Ctrl+Shift+V). They report like the designed file commands;
// what is read goes into the document as one undo step (LoadCommands.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "DataExportSettings.h"
#include "Dialogs.h"
#include "EditorPanel.h"
#include "sprite_set.h"

struct ArrayCandidate;
struct ArraySprites;
struct ReadingRequest;
enum class SourceKind;

class RoundTripPanel : public EditorPanel {
public:
    explicit RoundTripPanel(EditorContext& editor);

    void ReadSettings(const IniFile& settings) override;
    void WriteSettings(const IniFile& settings) const override;

private:
    void B_ExporterTIClick();
    void B_ExporterDonneesClick();
    void B_ImporterCClick();
    void B_ImporterDossierClick();
    // A program (a file with its includes, or a folder) read as pixora-export
    // reads it; its paths are shown within folder.
    bool ImportProgram(const std::string& path, const std::string& folder);
    // A program holding a map Pixora wrote: the user may open the map in
    // the "Carte" window instead. False when no sprite import is to follow.
    bool MayImportSpriteInsteadOfMap(const ArraySprites& found, const std::string& path);
    // Ctrl+Shift+V: the sprite from C or assembly text in the clipboard.
    void PasteCArrays();
    // True when the text's sprite replaced the edited one; kind: nullopt
    // reads C text, else assembly (the clipboard's).
    bool ImportCText(const std::string& text, std::optional<SourceKind> kind);
    // texts: the list's text of each candidate, or none to say their arrays.
    bool ImportSprites(const ArraySprites& found, const QStringList& texts = {}, const QStringList& notes = {});
    bool ImportLayoutFrames(const ArraySprites& found, const ReadingRequest& request);
    bool ImportSourceFrames(FrameList read, const QString& name);
    bool ImportCFrames(const ArraySprites& found, const std::vector<const ArrayCandidate*>& candidates, int width);

    FileDialog SaveDialogTI;
    FileDialog OpenDialogC;
    FileDialog OpenDialogDossier;
    // The layout "Exporter en données..." used last.
    DataExportSettings dataExport;
};
