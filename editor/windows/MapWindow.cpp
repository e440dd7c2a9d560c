#include "MapWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "AtomicFile.h"
#include "CIdentifier.h"
#include "Controls.h"
#include "DataText.h"
#include "MapDataText.h"
#include "MapDocuments.h"
#include "MapPalette.h"
#include "MapView.h"
#include "TextEncoding.h"
#include "TileEditor.h"

namespace {

const std::string PaintLabel = "peinture de la carte";
const std::string TileEditLabel = "retouche de tuile";

// The syntaxes of "Exporter en données...", as their box lists them.
struct SyntaxChoice {
    const char* label;
    DataSyntax syntax;
    const char* extension;
};
constexpr SyntaxChoice Syntaxes[] = {
    {"C", DataSyntax::C, ".h"},
    {"A68k (dc.b)", DataSyntax::A68k, ".asm"},
    {"GNU as (.byte)", DataSyntax::GnuAs, ".s"},
};

// The left pen of the tile editor for gray tiles, as its box lists them.
constexpr PixelColor TilePens[] = {Black, DarkGray, LightGray};

template <typename Control> Control* Named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

bool IsOnMap(Point cell)
{
    return cell.x >= 0 && cell.y >= 0;
}

QString TypeName(SpriteType type)
{
    switch (type) {
    case Grayscale:
        return QStringLiteral("gris");
    case BlackWhiteMasked:
        return QStringLiteral("noir et blanc, masque");
    case GrayscaleMasked:
        return QStringLiteral("gris, masque");
    default:
        return QStringLiteral("noir et blanc");
    }
}

} // namespace

// What a gesture on the map does, by button and Shift: one entry per tool,
// of the shape of the sprite view's (ToolEntries.h).
const MapWindow::MapTool* MapWindow::ToolFor(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    static const MapTool tools[] = {
        {{Qt::LeftButton, false},
         ToolCursor::Cross,
         {&MapWindow::PaintPress, &MapWindow::PaintDrag, &MapWindow::PaintRelease}},
        {{Qt::LeftButton, true},
         ToolCursor::DiagonalSize,
         {&MapWindow::FillPress, &MapWindow::FillDrag, &MapWindow::FillRelease}},
        {{Qt::RightButton, false}, ToolCursor::PointingHand, {&MapWindow::PickPress, nullptr, nullptr}},
        {{Qt::RightButton, true}, ToolCursor::PointingHand, {&MapWindow::PickPress, nullptr, nullptr}},
    };
    const bool shift = modifiers & Qt::ShiftModifier;
    for (const MapTool& tool : tools)
        if (tool.chosenBy.button == button && tool.chosenBy.shift == shift)
            return &tool;
    return nullptr;
}

MapWindow::MapWindow(MapDocuments& documents, QWidget* parent) : QWidget(parent, Qt::Window), documents_(documents)
{
    setObjectName(QStringLiteral("MapWindow"));
    dataDialog_.objectName = QStringLiteral("SaveDialogDonneesCarte");
    BuildControls();
    ConnectControls();
    resize(900, 600);
}

void MapWindow::BuildControls()
{
    mapView_ = new MapView(this);
    palette_ = new MapPalette(this);
    tileEditor_ = new TileEditor(this);

    E_CarteLargeur = Named(new QSpinBox(this), "E_CarteLargeur");
    E_CarteHauteur = Named(new QSpinBox(this), "E_CarteHauteur");
    for (QSpinBox* side : {E_CarteLargeur, E_CarteHauteur})
        side->setRange(1, MaxMapSide);
    B_CarteAppliquer = Named(new QPushButton(QStringLiteral("Appliquer"), this), "B_CarteAppliquer");
    B_CarteAjouterTuile = Named(new QPushButton(QStringLiteral("Ajouter une tuile"), this), "B_CarteAjouterTuile");
    B_CarteSupprimerTuile =
        Named(new QPushButton(QStringLiteral("Supprimer la dernière tuile"), this), "B_CarteSupprimerTuile");
    B_CarteAnnuler = Named(new QPushButton(QStringLiteral("Annuler"), this), "B_CarteAnnuler");
    B_CarteRetablir = Named(new QPushButton(QStringLiteral("Rétablir"), this), "B_CarteRetablir");
    B_CarteEnregistrer = Named(new QPushButton(QStringLiteral("Enregistrer"), this), "B_CarteEnregistrer");
    B_CarteEnregistrerSous =
        Named(new QPushButton(QStringLiteral("Enregistrer sous..."), this), "B_CarteEnregistrerSous");
    B_CarteExporterDonnees =
        Named(new QPushButton(QStringLiteral("Exporter en données..."), this), "B_CarteExporterDonnees");
    B_CarteImporterImage =
        Named(new QPushButton(QStringLiteral("Importer une image..."), this), "B_CarteImporterImage");
    B_CarteImporterImage->setToolTip(QStringLiteral("L'image d'un niveau découpée en cases : une nouvelle carte"));
    CB_CarteSyntaxe = Named(new QComboBox(this), "CB_CarteSyntaxe");
    for (const SyntaxChoice& choice : Syntaxes)
        CB_CarteSyntaxe->addItem(QString::fromLatin1(choice.label));
    B_CarteZoomMoins = Named(new QPushButton(QStringLiteral("-"), this), "B_CarteZoomMoins");
    B_CarteZoomPlus = Named(new QPushButton(QStringLiteral("+"), this), "B_CarteZoomPlus");
    for (QPushButton* button : {B_CarteZoomMoins, B_CarteZoomPlus})
        button->setFixedWidth(28);
    L_CarteZoom = Named(new QLabel(this), "L_CarteZoom");
    CB_CarteGrille = Named(new QCheckBox(QStringLiteral("Grille"), this), "CB_CarteGrille");
    CB_CarteGrille->setChecked(true);
    CB_CarteCouleur = Named(new QComboBox(this), "CB_CarteCouleur");
    CB_CarteCouleur->addItems({QStringLiteral("Noir"), QStringLiteral("Gris foncé"), QStringLiteral("Gris clair")});
    CB_CarteCouleur->setToolTip(QStringLiteral("Le gris du bouton gauche dans la tuile (tuiles en gris)"));
    L_CarteTuile = Named(new QLabel(this), "L_CarteTuile");
    L_CarteTuile->setWordWrap(true);
    L_CarteEtat = Named(new QLabel(this), "L_CarteEtat");
    B_CarteAnnuler->setToolTip(QStringLiteral("Ctrl+Z"));
    B_CarteRetablir->setToolTip(QStringLiteral("Ctrl+Y"));
    B_CarteEnregistrer->setToolTip(QStringLiteral("Ctrl+S"));

    auto* commands = new QHBoxLayout;
    for (QWidget* control :
         std::initializer_list<QWidget*>{B_CarteAnnuler, B_CarteRetablir, B_CarteEnregistrer, B_CarteEnregistrerSous,
                                         B_CarteExporterDonnees, CB_CarteSyntaxe, B_CarteImporterImage})
        commands->addWidget(control);
    commands->addStretch();

    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel(QStringLiteral("Largeur"), this));
    sizeRow->addWidget(E_CarteLargeur);
    sizeRow->addWidget(new QLabel(QStringLiteral("Hauteur"), this));
    sizeRow->addWidget(E_CarteHauteur);
    sizeRow->addWidget(B_CarteAppliquer);
    sizeRow->addStretch();
    sizeRow->addWidget(CB_CarteGrille);
    sizeRow->addWidget(B_CarteZoomMoins);
    sizeRow->addWidget(L_CarteZoom);
    sizeRow->addWidget(B_CarteZoomPlus);

    auto* mapColumn = new QVBoxLayout;
    mapColumn->addLayout(sizeRow);
    mapColumn->addWidget(mapView_, 1);
    mapColumn->addWidget(L_CarteEtat);

    auto* tileColumn = new QVBoxLayout;
    tileColumn->addWidget(palette_, 1);
    tileColumn->addWidget(B_CarteAjouterTuile);
    tileColumn->addWidget(B_CarteSupprimerTuile);
    tileColumn->addWidget(L_CarteTuile);
    tileColumn->addWidget(tileEditor_);
    tileColumn->addWidget(CB_CarteCouleur);
    auto* tiles = new QWidget(this);
    tiles->setLayout(tileColumn);
    tiles->setFixedWidth(250);
    tileEditor_->setFixedSize(226, 226);

    auto* columns = new QHBoxLayout;
    columns->addLayout(mapColumn, 1);
    columns->addWidget(tiles);
    auto* window = new QVBoxLayout(this);
    window->addLayout(commands);
    window->addLayout(columns, 1);
}

void MapWindow::ConnectControls()
{
    connect(mapView_, &MapView::cellPressed, this, &MapWindow::MapViewPressed);
    connect(mapView_, &MapView::cellDragged, this, &MapWindow::MapViewDragged);
    connect(mapView_, &MapView::cellReleased, this, &MapWindow::MapViewReleased);
    connect(mapView_, &MapView::cellDoubleClicked, this, &MapWindow::MapViewDoubleClicked);
    connect(mapView_, &MapView::cellHovered, this, &MapWindow::ShowCellState);
    connect(mapView_, &MapView::zoomChanged, this,
            [this](int zoom) { L_CarteZoom->setText(QStringLiteral("Zoom × %1").arg(zoom)); });
    connect(palette_, &MapPalette::tileChosen, this, [this](int tile) {
        ChooseTile(tile);
        EditTile(tile);
    });
    connect(tileEditor_, &TileEditor::pixelPressed, this, &MapWindow::TileEditorPressed);
    connect(tileEditor_, &TileEditor::pixelDragged, this, &MapWindow::TileEditorDragged);
    connect(tileEditor_, &TileEditor::released, this, &MapWindow::TileEditorReleased);

    connect(B_CarteAppliquer, &QPushButton::clicked, this, &MapWindow::B_CarteAppliquerClick);
    connect(B_CarteAjouterTuile, &QPushButton::clicked, this, &MapWindow::B_CarteAjouterTuileClick);
    connect(B_CarteSupprimerTuile, &QPushButton::clicked, this, &MapWindow::B_CarteSupprimerTuileClick);
    connect(B_CarteAnnuler, &QPushButton::clicked, this, &MapWindow::B_CarteAnnulerClick);
    connect(B_CarteRetablir, &QPushButton::clicked, this, &MapWindow::B_CarteRetablirClick);
    connect(B_CarteEnregistrer, &QPushButton::clicked, this, [this] { documents_.Save(); });
    connect(B_CarteEnregistrerSous, &QPushButton::clicked, this, [this] { documents_.SaveAs(); });
    connect(B_CarteExporterDonnees, &QPushButton::clicked, this, &MapWindow::B_CarteExporterDonneesClick);
    connect(B_CarteImporterImage, &QPushButton::clicked, this, [this] { documents_.ImportPicture(); });
    connect(B_CarteZoomPlus, &QPushButton::clicked, this,
            [this] { mapView_->SetZoom(NextMapZoom(mapView_->Zoom(), +1)); });
    connect(B_CarteZoomMoins, &QPushButton::clicked, this,
            [this] { mapView_->SetZoom(NextMapZoom(mapView_->Zoom(), -1)); });
    connect(CB_CarteGrille, &QCheckBox::toggled, mapView_, &MapView::SetGridShown);

    AddCommandKeys(this, {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { B_CarteAnnulerClick(); });
    AddCommandKeys(this, {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                   [this] { B_CarteRetablirClick(); });
    AddCommandKeys(this, {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { documents_.Save(); });
}

void MapWindow::SetDocument(MapDocument* document)
{
    fitOnShow_ = !isVisible();
    heldTool_ = nullptr;
    mapView_->SetOutlinedCells(std::nullopt);
    document_ = document;
    editedTile_ = 0;
    clickedCell_ = {-1, -1};
    const TileMap* map = document ? &document->Map() : nullptr;
    mapView_->SetMap(map);
    palette_->SetTiles(map ? &map->tiles : nullptr);
    tileEditor_->SetTile(map ? &map->tiles : nullptr, 0);
    if (!document)
        return;
    if (!fitOnShow_)
        FitMap();
    ShowMapChange({true, true, true, true});
}

void MapWindow::FitMap()
{
    mapView_->ZoomToFit();
    L_CarteZoom->setText(QStringLiteral("Zoom × %1").arg(mapView_->Zoom()));
}

// A map given while the window was hidden is fitted to the view once the
// view has its size.
void MapWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (std::exchange(fitOnShow_, false) && document_)
        FitMap();
}

void MapWindow::ShowMapChange(const MapChange& change)
{
    if (!document_)
        return;
    const TileMap& map = document_->Map();
    if (change.size) {
        E_CarteLargeur->setValue(map.width);
        E_CarteHauteur->setValue(map.height);
    }
    if (change.tiles) {
        palette_->TilesChanged();
        editedTile_ = std::min(editedTile_, map.tiles.Count() - 1);
        tileEditor_->SetTile(&map.tiles, editedTile_);
        CB_CarteCouleur->setEnabled(IsGrayType(map.tiles.type));
        ShowTileState();
    }
    if (change.cells || change.size || change.tiles) {
        mapView_->MapChanged();
        ShowCellState(hoveredCell_);
    }
    if (change.history) {
        B_CarteAnnuler->setEnabled(document_->CanUndo());
        B_CarteRetablir->setEnabled(document_->CanRedo());
    }
    ShowIdentity();
}

void MapWindow::ShowIdentity()
{
    if (!document_)
        return;
    const QString name = QFile::decodeName(QByteArray::fromStdString(document_->DisplayName()));
    setWindowTitle(QStringLiteral("Carte - %1%2")
                       .arg(name.isEmpty() ? QStringLiteral("nouvelle carte") : name,
                            document_->IsChangedSinceSaved() ? QStringLiteral("*") : QString()));
}

int MapWindow::ChosenTile() const
{
    return palette_->Chosen();
}

int MapWindow::EditedTile() const
{
    return editedTile_;
}

void MapWindow::ChooseTile(int tile)
{
    palette_->SetChosen(tile);
    ShowTileState();
}

void MapWindow::EditTile(int tile)
{
    editedTile_ = tile;
    tileEditor_->SetTile(&document_->Map().tiles, tile);
    ShowTileState();
}

void MapWindow::ShowTileState()
{
    const TileSet& tiles = document_->Map().tiles;
    L_CarteTuile->setText(QStringLiteral("Tuile %1 sur %2 (%3 × %4, %5), retouche de la tuile %6")
                              .arg(ChosenTile())
                              .arg(tiles.Count())
                              .arg(tiles.tileSize.x)
                              .arg(tiles.tileSize.y)
                              .arg(TypeName(tiles.type))
                              .arg(editedTile_));
}

void MapWindow::ShowCellState(Point cell)
{
    hoveredCell_ = cell;
    if (!document_ || !IsOnMap(cell)) {
        L_CarteEtat->clear();
        return;
    }
    L_CarteEtat->setText(
        QStringLiteral("Case (%1, %2) : tuile %3").arg(cell.x).arg(cell.y).arg(document_->TileAt(cell)));
}

void MapWindow::Refuse(const std::string& reason)
{
    AppDialogs().ShowMessage(QString::fromStdString(reason), QStringLiteral("Carte"), MessageIcon::Warning);
}

// The map view's gestures.

void MapWindow::MapViewPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Point cell)
{
    if (!document_ || heldTool_ || !IsOnMap(cell))
        return;
    heldTool_ = ToolFor(button, modifiers);
    if (!heldTool_)
        return;
    mapView_->viewport()->setCursor(CursorOf(heldTool_->cursor));
    (this->*heldTool_->gesture.press)(cell);
}

void MapWindow::MapViewDragged(Point cell)
{
    if (heldTool_ && heldTool_->gesture.drag && IsOnMap(cell))
        (this->*heldTool_->gesture.drag)(cell);
}

void MapWindow::MapViewReleased(Point cell)
{
    const MapTool* tool = std::exchange(heldTool_, nullptr);
    if (!tool)
        return;
    mapView_->viewport()->setCursor(CursorOf(ToolCursor::Cross));
    if (tool->gesture.release)
        (this->*tool->gesture.release)(cell);
}

// A press on the cell just clicked, within a double-click's time, is the
// second half of a double-click: the steps before the first one still count.
void MapWindow::PaintPress(Point cell)
{
    if (!(cell == clickedCell_) || sinceClick_.elapsed() > QApplication::doubleClickInterval())
        stepsBeforeClick_ = document_->StepsAdded();
    clickedCell_ = lastCell_ = cell;
    sinceClick_.restart();
    document_->BeginGesture(PaintLabel);
    ShowMapChange(document_->PaintCell(cell, ChosenTile()));
}

void MapWindow::PaintDrag(Point cell)
{
    ShowMapChange(document_->PaintCells(lastCell_, cell, ChosenTile()));
    if (!(cell == lastCell_))
        clickedCell_ = {-1, -1};
    lastCell_ = cell;
}

void MapWindow::PaintRelease(Point)
{
    ShowMapChange(document_->EndGesture());
}

void MapWindow::FillPress(Point cell)
{
    fillStart_ = lastCell_ = cell;
    mapView_->SetOutlinedCells(QRect(QPoint(cell.x, cell.y), QSize(1, 1)));
}

void MapWindow::FillDrag(Point cell)
{
    lastCell_ = cell;
    mapView_->SetOutlinedCells(QRect(QPoint(fillStart_.x, fillStart_.y), QPoint(cell.x, cell.y)).normalized());
}

void MapWindow::FillRelease(Point)
{
    mapView_->SetOutlinedCells(std::nullopt);
    ShowMapChange(document_->FillCells(fillStart_, lastCell_, ChosenTile()));
}

void MapWindow::PickPress(Point cell)
{
    ChooseTile(document_->TileAt(cell));
}

// The first click of a double-click painted the cell: that step is taken
// back, so that opening a tile changes no cell. A second press, where one
// comes, painted the same tile again, which changed nothing.
void MapWindow::MapViewDoubleClicked(Point cell)
{
    if (!document_ || !IsOnMap(cell))
        return;
    if (std::exchange(heldTool_, nullptr))
        ShowMapChange(document_->EndGesture());
    if (cell == clickedCell_ && document_->StepsAdded() == stepsBeforeClick_ + 1 && document_->CanUndo())
        ShowMapChange(document_->Retract());
    clickedCell_ = {-1, -1};
    EditTile(document_->TileAt(cell));
    tileEditor_->setFocus();
}

// The tile editor's strokes.

void MapWindow::TileEditorPressed(Qt::MouseButton button, Point pixel)
{
    if (!document_ || (button != Qt::LeftButton && button != Qt::RightButton) || !IsOnMap(pixel))
        return;
    const bool gray = IsGrayType(document_->Map().tiles.type);
    tilePen_ = button == Qt::RightButton ? White
               : gray                    ? TilePens[std::max(0, CB_CarteCouleur->currentIndex())]
                                         : Black;
    document_->BeginGesture(TileEditLabel);
    lastPixel_ = pixel;
    ShowMapChange(document_->PaintTilePixels(editedTile_, pixel, pixel, tilePen_));
}

void MapWindow::TileEditorDragged(Point pixel)
{
    if (!document_ || !document_->IsInGesture() || !IsOnMap(pixel))
        return;
    ShowMapChange(document_->PaintTilePixels(editedTile_, lastPixel_, pixel, tilePen_));
    lastPixel_ = pixel;
}

void MapWindow::TileEditorReleased()
{
    if (document_ && document_->IsInGesture())
        ShowMapChange(document_->EndGesture());
}

// The controls.

void MapWindow::B_CarteAppliquerClick()
{
    if (document_)
        ShowMapChange(document_->Resize({E_CarteLargeur->value(), E_CarteHauteur->value()}));
}

void MapWindow::B_CarteAjouterTuileClick()
{
    if (!document_)
        return;
    if (const std::string why = document_->AddTileRefusal(); !why.empty()) {
        Refuse(why);
        return;
    }
    ShowMapChange(document_->AddTile());
    ChooseTile(document_->Map().tiles.Count() - 1);
    EditTile(ChosenTile());
}

void MapWindow::B_CarteSupprimerTuileClick()
{
    if (!document_)
        return;
    if (const std::string why = document_->RemoveLastTileRefusal(); !why.empty()) {
        Refuse("Impossible de supprimer la dernière tuile : " + why + ".");
        return;
    }
    ShowMapChange(document_->RemoveLastTile());
    ShowTileState();
}

void MapWindow::B_CarteAnnulerClick()
{
    if (document_)
        ShowMapChange(document_->Undo());
}

void MapWindow::B_CarteRetablirClick()
{
    if (document_)
        ShowMapChange(document_->Redo());
}

// The text pixora-export --data writes for the map, with its default
// layout, under the name of the map's file.
void MapWindow::B_CarteExporterDonneesClick()
{
    if (!document_)
        return;
    const SyntaxChoice& choice = Syntaxes[std::max(0, CB_CarteSyntaxe->currentIndex())];
    const std::string proposed = document_->ProposedName();
    const std::string name = DefaultSpriteName(proposed.empty() ? "carte" : proposed);
    if (const std::string why = DataNameRefusal(name, choice.syntax); !why.empty()) {
        Refuse("Nom « " + name + " » refusé : " + why);
        return;
    }
    LayoutRequest request;
    request.syntax = choice.syntax;
    std::string why;
    const std::string text =
        WriteMapDataText(document_->Map(), name, TileLayoutRequest(request, false, document_->Map().tiles), why);
    if (!why.empty()) {
        Refuse(why);
        return;
    }
    const bool assembly = choice.syntax != DataSyntax::C;
    dataDialog_.filter = assembly ? QStringLiteral("Source assembleur (*.s *.asm *.inc)|*.s;*.asm;*.inc")
                                  : QStringLiteral("Source C (*.h *.c)|*.h;*.c");
    dataDialog_.fileName = QString::fromStdString(name) + QString::fromLatin1(choice.extension);
    if (!AppDialogs().Execute(FileDialogKind::Save, dataDialog_))
        return;
    if (QFileInfo(dataDialog_.fileName).suffix().isEmpty())
        dataDialog_.fileName += QString::fromLatin1(choice.extension);
    if (const std::error_code error = WriteFileAtomically(FileSystemName(dataDialog_.fileName), text)) {
        ShowFailure(QStringLiteral("L'exportation a échoué : ") + QString::fromStdString(error.message()));
        return;
    }
    L_CarteEtat->setText(QStringLiteral("Données écrites dans %1").arg(dataDialog_.fileName));
}

void MapWindow::closeEvent(QCloseEvent* event)
{
    if (documents_.MayCloseWindow())
        event->accept();
    else
        event->ignore();
}

bool MapWindow::GridShown() const
{
    return CB_CarteGrille->isChecked();
}

void MapWindow::ShowGrid(bool shown)
{
    CB_CarteGrille->setChecked(shown);
}
