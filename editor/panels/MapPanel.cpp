#include "MapPanel.h"

#include <QPushButton>

#include "DocumentManager.h"
#include "EditorContext.h"
#include "IniFile.h"
#include "MapDocuments.h"

namespace {
const std::string MapSection = "Carte";
} // namespace

// Beside the screen window's button, and on a free row below the frame
// options of "Options".
MapPanel::MapPanel(EditorContext& editor) : EditorPanel(editor)
{
    B_Carte = new QPushButton(QStringLiteral("Carte..."), editor.Page(EditorPage::Options));
    B_Carte->setObjectName(QStringLiteral("B_Carte"));
    B_Carte->setGeometry(196, 292, 93, 24);
    B_Carte->setToolTip(QStringLiteral("La carte de tuiles (.pixm) : ses cases, ses tuiles et leur retouche"));
    connect(B_Carte, &QPushButton::clicked, this, &MapPanel::B_CarteClick);
    B_NouvelleCarteImages =
        new QPushButton(QStringLiteral("Nouvelle carte des images"), editor.Page(EditorPage::Options));
    B_NouvelleCarteImages->setObjectName(QStringLiteral("B_NouvelleCarteImages"));
    B_NouvelleCarteImages->setGeometry(8, 378, 180, 24);
    B_NouvelleCarteImages->setToolTip(
        QStringLiteral("Une carte de 16 × 16 cases dont les tuiles sont les images de la planche"));
    connect(B_NouvelleCarteImages, &QPushButton::clicked, this, &MapPanel::B_NouvelleCarteImagesClick);
}

void MapPanel::B_CarteClick()
{
    editor.Documents().Maps().ShowWindow();
}

void MapPanel::B_NouvelleCarteImagesClick()
{
    editor.Documents().Maps().NewOfFrames(editor.Document().Frames().Frames(), editor.Document().ProposedName());
}

void MapPanel::ReadSettings(const IniFile& settings)
{
    editor.Documents().Maps().ShowGrid(settings.ReadBool(MapSection, "Grille", true));
}

void MapPanel::WriteSettings(const IniFile& settings) const
{
    settings.WriteIntegerUnlessDefault(MapSection, "Grille", editor.Documents().Maps().GridShown() ? 1 : 0, 1);
}
