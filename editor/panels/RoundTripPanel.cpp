#include "RoundTripPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <filesystem>

#include "Counted.h"
#include "DataExportDialog.h"
#include "DataReading.h"
#include "DocumentManager.h"
#include "DocumentQuestions.h"
#include "EditorContext.h"
#include "FileRead.h"
#include "FormLayout.h"
#include "FramePanel.h"
#include "ImageConversion.h"
#include "MapDocuments.h"
#include "PicturePanel.h"
#include "RoundTripDialogs.h"
#include "ShownText.h"
#include "SourceMap.h"
#include "SourceReading.h"
#include "SpriteListing.h"
#include "TextEncoding.h"
#include "c_array_sprites.h"
#include "sheet.h"
#include "ti_picture_writer.h"

namespace {

// Without an extension of the three, the TI-89's is used.
std::string WithPictureSuffix(const std::string& path)
{
    return TiModelOfPath(path) ? path : path + ".89i";
}

QString FilesNote(const Sprite& sprite)
{
    const QString files = IsGrayType(sprite.GetType())
                              ? QStringLiteral("Sprite en niveaux de gris : deux images seront écrites, "
                                               "NOM_l (plan clair) et NOM_d (plan foncé).")
                              : QStringLiteral("Sprite noir et blanc : une image sera écrite.");
    QString rule = QString::fromUtf8(VariableNameRule); // a sentence of its own here
    rule[0] = rule[0].toUpper();
    return files + QStringLiteral("\nLes pixels masqués sont écrits en blanc.\n") + rule + u'.';
}

QString WrittenFiles(const std::vector<TiPictureFile>& files)
{
    static const char* const planes[] = {"", " (plan clair)", " (plan foncé)"};
    QString text;
    for (const TiPictureFile& file : files)
        text += QStringLiteral("\n") + QString::fromStdString(file.path) + QStringLiteral(" : variable ") +
                QString::fromStdString(file.variableName) + QString::fromUtf8(planes[file.plane]);
    return text;
}

// "Importation effectuée : " and what came in.
void ShowImported(const QString& what)
{
    AppDialogs().ShowMessage(QStringLiteral("Importation effectuée : ") + what, QStringLiteral("Succès!"),
                             MessageIcon::Information);
}

QString Refusals(const ArraySprites& found)
{
    QString text;
    for (const std::string& refusal : found.refusals)
        text += QStringLiteral("\n") + QString::fromUtf8(refusal);
    return text;
}

} // namespace

RoundTripPanel::RoundTripPanel(EditorContext& editor) : EditorPanel(editor)
{
    QPushButton* B_ImporterC =
        Button(editor.Page(EditorPage::Files), "B_ImporterC", QStringLiteral("Importer du C..."), 148, 348, 133, 28);
    B_ImporterC->setToolTip(QStringLiteral("Ou Ctrl+Maj+V avec du C dans le presse-papiers"));
    // Above "Importer du C...", where the recent files' panel leaves room.
    QPushButton* B_ImporterDossier = Button(editor.Page(EditorPage::Files), "B_ImporterDossier",
                                            QStringLiteral("Importer d'un dossier..."), 148, 314, 133, 28);
    B_ImporterDossier->setToolTip(QStringLiteral("Les sprites de tous les fichiers C et assembleur du dossier et de "
                                                 "ses sous-dossiers, lus comme un seul programme"));
    QFrame* exports = editor.Pictures().Panel7;
    QPushButton* B_ExporterTI =
        Button(exports, "B_ExporterTI", QStringLiteral("Exporter en image TI..."), 24, 80, 225, 25);
    QPushButton* B_ExporterDonnees =
        Button(exports, "B_ExporterDonnees", QStringLiteral("Exporter en données..."), 24, 108, 225, 25);
    B_ExporterDonnees->setToolTip(
        QStringLiteral("Les tableaux du sprite rangés pour une routine de dessin, en C ou en assembleur"));

    SaveDialogTI = {QStringLiteral("SaveDialogTI"), QStringLiteral("Image TI (*.89i;*.9xi;*.v2i)|*.89i;*.9xi;*.v2i"),
                    QString()};
    OpenDialogC = {QStringLiteral("OpenDialogC"), QStringLiteral("Sources C (*.c *.h)|*.c;*.h"), QString()};
    OpenDialogC.nextFilter = QStringLiteral("Sources assembleur (*.s *.asm *.inc)|*.s;*.S;*.asm;*.inc");
    OpenDialogDossier = {QStringLiteral("OpenDialogDossier"), QString(), QString()};

    connect(B_ExporterTI, &QPushButton::clicked, this, &RoundTripPanel::B_ExporterTIClick);
    connect(B_ExporterDonnees, &QPushButton::clicked, this, &RoundTripPanel::B_ExporterDonneesClick);
    connect(B_ImporterC, &QPushButton::clicked, this, &RoundTripPanel::B_ImporterCClick);
    connect(B_ImporterDossier, &QPushButton::clicked, this, &RoundTripPanel::B_ImporterDossierClick);
    auto* pasteKeys = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &editor.Window());
    pasteKeys->setContext(Qt::WindowShortcut);
    connect(pasteKeys, &QShortcut::activated, this, &RoundTripPanel::PasteCArrays);
}

void RoundTripPanel::ReadSettings(const IniFile& settings)
{
    dataExport.Read(settings);
}

void RoundTripPanel::WriteSettings(const IniFile& settings) const
{
    dataExport.Write(settings);
}

void RoundTripPanel::B_ExporterTIClick()
{
    if (!AppDialogs().Execute(FileDialogKind::Save, SaveDialogTI))
        return;
    const std::string path = WithPictureSuffix(FileSystemName(SaveDialogTI.fileName));
    SaveDialogTI.fileName = QString::fromStdString(path);
    const std::optional<QString> answer = AppRoundTripDialogs().AskVariableName(
        QString::fromStdString(VariableNameOfPath(path)), FilesNote(editor.Document().Editing()));
    if (!answer)
        return;
    const std::string name = LoweredVariableName(answer->toStdString());
    if (!IsValidVariableName(name)) {
        ShowFailure(QStringLiteral("Nom de variable « ") + *answer + QStringLiteral(" » refusé : ") +
                    QString::fromUtf8(VariableNameRule) + u'.');
        return;
    }
    const std::vector<TiPictureFile> files =
        PlanTiPictures(path, name, IsGrayType(editor.Document().Editing().GetType()));
    if (const std::error_code error = WriteTiPictures(editor.Document().Editing(), *TiModelOfPath(path), files)) {
        ShowFailure(QStringLiteral("L'exportation a échoué : ") + QString::fromStdString(error.message()));
        return;
    }
    AppDialogs().ShowMessage(QStringLiteral("Exportation effectuée :") + WrittenFiles(files), QStringLiteral("Succès!"),
                             MessageIcon::Information);
}

void RoundTripPanel::B_ImporterCClick()
{
    if (!AppDialogs().Execute(FileDialogKind::Open, OpenDialogC))
        return;
    const std::string path = FileSystemName(OpenDialogC.fileName);
    // The chosen file that cannot be read is told as every load tells it.
    const FileContent source = ReadWholeFile(path, MaxSourceBytes);
    if (!source.Read()) {
        ShowFailure(QStringLiteral("Le Chargement a échoué\n") + QString::fromStdString(ReadProblemText(source)));
        return;
    }
    // The file with the files its quoted includes name, as one program.
    if (ImportProgram(path, std::filesystem::path(path).parent_path().string()))
        editor.ProposeExportNames(OpenDialogC.fileName);
}

void RoundTripPanel::B_ImporterDossierClick()
{
    if (!AppDialogs().Execute(FileDialogKind::Folder, OpenDialogDossier))
        return;
    const std::string folder = FileSystemName(OpenDialogDossier.fileName);
    ImportProgram(folder, folder);
}

bool RoundTripPanel::ImportProgram(const std::string& path, const std::string& folder)
{
    const SourceProgram read = ReadSourceProgram(path);
    if (!read.refusal.empty()) {
        ShowFailure(QStringLiteral("Le Chargement a échoué\n") + QString::fromStdString(read.refusal));
        return false;
    }
    if (!read.found.maps.empty() && !MayImportSpriteInsteadOfMap(read.found, path))
        return false;
    QStringList texts;
    for (SpriteListing listing : ListCandidates(read.program, read.found)) {
        listing.origin = WithinFolder(listing.origin, folder);
        texts << QString::fromStdString(SpriteListingLine(listing));
    }
    QStringList notes;
    for (const std::string& note : read.notes)
        notes << QString::fromStdString(WithinFolder(note, folder));
    return ImportSprites(read.found, texts, notes);
}

bool RoundTripPanel::MayImportSpriteInsteadOfMap(const ArraySprites& found, const std::string& path)
{
    // A button per map, as many as a box shows side by side; a program of
    // more maps offers its first ones (the command reads any by its name).
    constexpr std::size_t MostMapsOffered = 4;
    const std::size_t offered = std::min(found.maps.size(), MostMapsOffered);
    const QString file = Quoted(QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName());
    QStringList maps, buttons;
    for (std::size_t i = 0; i < offered; ++i) {
        const OwnMapHeader& header = found.maps[i];
        const QString name = QString::fromStdString(QuotedSourceText(header.name));
        // One arg() for all: a name read from a source may hold "%2".
        maps << QStringLiteral("%1 (%2 × %3 cases, %4)")
                    .arg(name, QString::number(header.width), QString::number(header.height),
                         QString::fromStdString(Counted(header.tiles, "tuile", "tuiles")));
        buttons << (offered == 1 ? QStringLiteral("Ouvrir la carte") : QStringLiteral("Ouvrir %1").arg(name));
    }
    const QString question =
        offered == 1
            ? QStringLiteral("%1 contient la carte %2 écrite par Pixora.\n"
                             "L'ouvrir dans la fenêtre Carte, ou importer un de ses sprites ?")
                  .arg(file, maps.constFirst())
            : QStringLiteral("%1 contient %2 cartes écrites par Pixora%3 : %4.\n"
                             "En ouvrir une dans la fenêtre Carte, ou importer un de ses sprites ?")
                  .arg(file, QString::number(found.maps.size()),
                       offered < found.maps.size() ? QStringLiteral(", dont voici les %1 premières").arg(offered)
                                                   : QString(),
                       maps.join(QStringLiteral(", ")));
    buttons << QStringLiteral("Importer un sprite") << QStringLiteral("Annuler");
    const auto answer = static_cast<std::size_t>(
        AppDialogs().Ask(question, QStringLiteral("Importer"), MessageIcon::Information, buttons));
    if (answer >= offered)
        return answer == offered;
    TileMap map;
    if (const std::string why = ReadOwnMap(found, found.maps[answer], map); !why.empty())
        ShowFailure(QStringLiteral("Le Chargement a échoué\n") + QString::fromStdString(why));
    else
        editor.Documents().Maps().OpenImported(std::move(map), StemOfPath(path));
    return false;
}

void RoundTripPanel::PasteCArrays()
{
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    if (text.empty()) {
        ShowFailure(QStringLiteral("Le presse-papiers ne contient pas de texte."));
        return;
    }
    if (text.size() > MaxSourceBytes) {
        ShowFailure(QStringLiteral("Le texte du presse-papiers est trop grand (plus de %1 Mo).")
                        .arg(MaxSourceBytes / (1024 * 1024)));
        return;
    }
    ImportCText(text, std::nullopt);
}

// The data of the sprite, or of the set, in the layout a program draws it
// from; the layout used last is kept for the next time.
void RoundTripPanel::B_ExporterDonneesClick()
{
    DataExportDialog dialog({editor.Document().Frames().Frames(), editor.Document().Frames().Current(),
                             editor.Designed().exportName->text()},
                            dataExport, &editor.Window());
    dialog.exec();
    if (const DataExportSettings used = dialog.Settings(); used.used)
        dataExport = used;
}

// The chosen sprite replaces the edited one, or every sprite of its size,
// or the frames its arrays hold, or the chosen one cut by "découper en
// images de", replaces the set, as one undo step. Text of no known kind (the
// clipboard's) is read as C, else as assembly.
bool RoundTripPanel::ImportCText(const std::string& text, std::optional<SourceKind> kind)
{
    ArraySprites found = FindSourceSprites(text, kind.value_or(SourceKind::C));
    if (!kind && found.candidates.empty()) {
        if (ArraySprites assembly = FindSourceSprites(text, SourceKind::Assembly); !assembly.candidates.empty())
            found = std::move(assembly);
    }
    return ImportSprites(found);
}

bool RoundTripPanel::ImportSprites(const ArraySprites& found, const QStringList& texts, const QStringList& notes)
{
    if (found.candidates.empty()) {
        ShowFailure(QStringLiteral("Aucun tableau de sprite lisible dans ce texte (tableaux C de char, short, long ou "
                                   "long long, uint8_t à uint64_t ; données d'assembleur après une étiquette).") +
                    Refusals(found));
        return false;
    }
    QList<ArrayChoiceItem> items;
    for (const ArrayCandidate& candidate : found.candidates) {
        const QString description = QString::fromUtf8(DescribeCandidate(found, candidate));
        const bool listed = items.size() < texts.size();
        items.append({listed ? texts[items.size()] : description, candidate.width, candidate.elementBits,
                      static_cast<int>(SameSizeCandidates(found, candidate).size()), listed ? description : QString()});
    }
    const std::optional<ArrayChoice> choice = AppRoundTripDialogs().ChooseInSource(found, items, notes);
    if (!choice)
        return false;
    if (choice->layout)
        return ImportLayoutFrames(found, *choice->layout);
    const ArrayCandidate& candidate = found.candidates[static_cast<std::size_t>(choice->index)];
    const std::string refusal = WidthRefusal(candidate, choice->width);
    if (!refusal.empty()) {
        ShowFailure(QString::fromUtf8(refusal));
        return false;
    }
    if (choice->asFrames)
        return ImportCFrames(found, SameSizeCandidates(found, candidate), choice->width);
    return ImportSourceFrames(BuildCandidateFrames(found, candidate, choice->width),
                              QString::fromStdString(candidate.id));
}

// The arrays read in the layout chosen by hand: every frame they hold.
bool RoundTripPanel::ImportLayoutFrames(const ArraySprites& found, const ReadingRequest& request)
{
    DataSource source;
    if (const std::string why = PlanRequest(found.scan, request, source); !why.empty()) {
        ShowFailure(QString::fromStdString(why));
        return false;
    }
    const std::size_t count = std::min<std::size_t>(FramesOf(found.scan, source), MaxFrames);
    QStringList names;
    for (const std::string& name : request.arrays)
        names << QString::fromStdString(name);
    return ImportSourceFrames(ReadDataFrames(found.scan, source, 0, count), names.join(QStringLiteral(", ")));
}

// One frame replaces the sprite, or is cut as a sheet (an animation kept
// frame under frame in one array); several replace the set. What replaces
// the set makes a new document named after the arrays, after the question
// every load asks; a frame that would resize the others of the set asks too.
bool RoundTripPanel::ImportSourceFrames(FrameList read, const QString& name)
{
    const auto count = static_cast<long long>(read.size());
    const std::optional<Point> sheet = count == 1 ? editor.Frames().SliceCell() : std::nullopt;
    if (count > 1) {
        if (!editor.Documents().ImportAsNew(name, [&] {
                return editor.Frames().ShowLoadResult(ReplaceSet(editor.Document(), std::move(read), "import de C"));
            }))
            return false;
        ShowImported(QStringLiteral("%1 (%2)").arg(QString::fromStdString(Counted(count, "image", "images")), name));
        return true;
    }
    if (sheet)
        return editor.Documents().ImportAsNew(name, [&] {
            return editor.Frames().ShowLoadResult(SliceIntoFrames(editor.Document(), PictureOfSprite(*read.front()),
                                                                  SliceGrid{*sheet}, false, "import de C"));
        });
    const CellPicture picture = PictureOfSprite(*read.front());
    if (!editor.Documents().MayResizeFramesTo({picture.width, picture.height}))
        return false;
    editor.ShowChange(ReplaceCurrentFrame(editor.Document(), "import de C",
                                          [&picture](Sprite& frame) { PutIntoSprite(picture, frame); }));
    ShowImported(name);
    return true;
}

bool RoundTripPanel::ImportCFrames(const ArraySprites& found, const std::vector<const ArrayCandidate*>& candidates,
                                   int width)
{
    QString names;
    for (const ArrayCandidate* candidate : candidates)
        names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromStdString(candidate->id);
    if (!editor.Documents().ImportAsNew(names, [&] {
            return editor.Frames().ShowLoadResult(
                ReplaceSet(editor.Document(), BuildArrayFrames(found, candidates, width), "import de C"));
        }))
        return false;
    ShowImported(QStringLiteral("%1 (%2)").arg(
        QString::fromStdString(Counted(static_cast<long long>(candidates.size()), "image", "images")), names));
    return true;
}
