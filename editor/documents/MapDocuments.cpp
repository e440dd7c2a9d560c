#include "MapDocuments.h"

#include <QFile>
#include <QFileInfo>

#include "DocumentQuestions.h"
#include "FilePanel.h"
#include "ImageFiles.h"
#include "ImageImportDialog.h"
#include "MapFile.h"
#include "MapWindow.h"
#include "TextEncoding.h"
#include "U_main.h"

namespace {

const QString MapFilter = QStringLiteral("Cartes (*.pixm)|*.pixm");

} // namespace

MapDocuments::MapDocuments(TForm1& form) : QObject(&form), form_(form)
{
    dialog_ = {QStringLiteral("SaveDialogCarte"), MapFilter, QString()};
    pictureDialog_ = {QStringLiteral("OpenDialogImageCarte"), ImageFileFilter(), QString()};
}

// The window, destroyed after this, lets go of the map first.
MapDocuments::~MapDocuments()
{
    if (window_)
        window_->SetDocument(nullptr);
}

MapWindow* MapDocuments::Window()
{
    if (!window_) {
        window_ = new MapWindow(*this, &form_);
        window_->ShowGrid(gridShown_);
    }
    return window_;
}

bool MapDocuments::GridShown() const
{
    return window_ ? window_->GridShown() : gridShown_;
}

void MapDocuments::ShowGrid(bool shown)
{
    gridShown_ = shown;
    if (window_)
        window_->ShowGrid(shown);
}

void MapDocuments::ShowWindow()
{
    if (!document_)
        Replace(std::make_unique<MapDocument>());
    Window()->show();
    window_->raise();
    window_->activateWindow();
}

void MapDocuments::Replace(std::unique_ptr<MapDocument> document)
{
    // The window lets go of the old map before it goes.
    Window()->SetDocument(document.get());
    document_ = std::move(document);
}

bool MapDocuments::Open(const QString& fileName)
{
    const std::string path = FileSystemName(fileName);
    TileMap map;
    const MapFileCheck check = ReadTileMapFile(path, map);
    if (check.problem != MapFileProblem::None) {
        ShowFailure(
            QStringLiteral("Le Chargement a échoué : %1 %2")
                .arg(Quoted(QFileInfo(fileName).fileName()), QString::fromStdString(MapFileProblemText(check))));
        return false;
    }
    if (!MaySetAside(QStringLiteral("avant d'ouvrir %1").arg(Quoted(QFileInfo(fileName).fileName()))))
        return false;
    auto document = std::make_unique<MapDocument>(std::move(map));
    document->AttachFile(FileSystemName(QFileInfo(fileName).absoluteFilePath()), true);
    Replace(std::move(document));
    FileUsed(fileName);
    ShowWindow();
    return true;
}

void MapDocuments::NewOfFrames(const std::vector<const Sprite*>& frames, const std::string& setName)
{
    TileMap map = NewTileMap();
    map.tiles = TilesOfFrames(frames);
    ShowUntitled(std::move(map), setName, QStringLiteral("avant de commencer une nouvelle carte"));
}

void MapDocuments::OpenImported(TileMap map, const std::string& importedName)
{
    ShowUntitled(std::move(map), importedName, QStringLiteral("avant d'ouvrir la carte importée"));
}

void MapDocuments::ImportPicture()
{
    if (!AppDialogs().Execute(FileDialogKind::Open, pictureDialog_))
        return;
    const std::string path = FileSystemName(pictureDialog_.fileName);
    RgbaImage image;
    QString reason;
    if (!DecodeImageFile(path, image, reason)) {
        ShowFailure(QStringLiteral("Le Chargement a échoué\n") + reason);
        return;
    }
    // The cells start at the size of the tiles edited, most likely the game's.
    const Point cell = document_ ? document_->Map().tiles.tileSize : NewTileMap().tiles.tileSize;
    ImageImportDialog dialog(std::move(image), cell, window_, ImportTarget::MapCells);
    if (dialog.exec() != QDialog::Accepted || !dialog.Result().Succeeded())
        return;
    MapResult result = MapOfPicture(dialog.Result().picture, *dialog.Slicing(), false);
    if (result.problem != MapProblem::None) {
        ShowFailure(QStringLiteral("Le Chargement a échoué\n") + QString::fromStdString(MapProblemText(result)));
        return;
    }
    OpenImported(std::move(result.map), StemOfPath(path));
}

void MapDocuments::ShowUntitled(TileMap map, const std::string& name, const QString& beforeWhat)
{
    if (!MaySetAside(beforeWhat))
        return;
    auto document = std::make_unique<MapDocument>(std::move(map));
    document->Detach(name);
    Replace(std::move(document));
    ShowWindow();
}

// "Annuler", Escape and the box's close button keep the map; a save that
// fails or is cancelled keeps it too.
bool MapDocuments::MaySetAside(const QString& beforeWhat)
{
    if (!document_ || !document_->IsChangedSinceSaved())
        return true;
    const QString name = FromFileSystem(document_->DisplayName());
    const QString map = name.isEmpty() ? QStringLiteral("La carte") : QStringLiteral("La carte %1").arg(Quoted(name));
    return MaySetAsideChanged(map + QStringLiteral(" a été modifiée"), beforeWhat, [this] { return Save(); });
}

bool MapDocuments::MayClose()
{
    return MaySetAside(QStringLiteral("avant de quitter"));
}

bool MapDocuments::MayCloseWindow()
{
    if (!MaySetAside(QStringLiteral("avant de fermer la carte")))
        return false;
    // Given up: the window shows a new map when it opens again, and the
    // changes are not asked about a second time.
    if (document_ && document_->IsChangedSinceSaved())
        Replace(std::make_unique<MapDocument>());
    return true;
}

bool MapDocuments::Save()
{
    if (!document_)
        return false;
    if (!document_->SavesInPlace())
        return SaveAs();
    return SaveTo(FromFileSystem(document_->FilePath()));
}

bool MapDocuments::SaveAs()
{
    if (!document_)
        return false;
    dialog_.fileName =
        document_->IsUntitled() ? FromFileSystem(document_->ProposedName()) : FromFileSystem(document_->FilePath());
    if (!AppDialogs().Execute(FileDialogKind::Save, dialog_))
        return false;
    if (!IsTileMapFileName(FileSystemName(dialog_.fileName)))
        dialog_.fileName += QStringLiteral(".pixm");
    return SaveTo(dialog_.fileName);
}

bool MapDocuments::SaveTo(const QString& fileName)
{
    const std::string path = FileSystemName(fileName);
    if (const std::error_code error = SaveTileMapFile(path, document_->Map())) {
        ShowFailure(QStringLiteral("L'Enregistrement est un Echec : %1 : %2")
                        .arg(Quoted(QFileInfo(fileName).fileName()), QString::fromStdString(error.message())));
        return false;
    }
    document_->AttachFile(FileSystemName(QFileInfo(fileName).absoluteFilePath()), true);
    document_->MarkSaved();
    FileUsed(fileName);
    Window()->ShowIdentity();
    return true;
}

void MapDocuments::FileUsed(const QString& fileName)
{
    FileDialogsFolder().Use(fileName);
    form_.filePanel->RememberRecentFile(fileName);
}
