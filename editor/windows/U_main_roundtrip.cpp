// The round-trip commands of the page "Enreg/charger": the sprite written as
// calculator pictures, and sprites read back from C arrays, from a source
// file or from the clipboard (Ctrl+Shift+V). "Importer du C..." sits on
// "Enreg/charger" beside "Importer une image...", "Exporter en image TI..." on
// "Exporter" below "Exporter en PNG..."; they report like the designed file
// commands.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFrame>
#include <QPushButton>
#include <QShortcut>

#include "FileRead.h"
#include "FormLayout.h"
#include "RoundTripDialogs.h"
#include "TextEncoding.h"
#include "U_main.h"
#include "c_array_sprites.h"
#include "sheet.h"
#include "ti_picture_writer.h"

namespace {

// Without an extension of the three, the TI-89's is used.
std::string WithPictureSuffix(const std::string& path)
{
    return TiModelOfPath(path) ? path : path + ".89i";
}

bool IsGray(const Sprite& sprite)
{
    return sprite.GetType() == Grayscale || sprite.GetType() == GrayscaleMasked;
}

QString FilesNote(const Sprite& sprite)
{
    const QString files = IsGray(sprite) ? QStringLiteral("Sprite en niveaux de gris : deux images seront écrites, "
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

void ShowFailure(const QString& text)
{
    AppDialogs().ShowMessage(text, QStringLiteral("Echec!"), MessageIcon::Warning);
}

QString Refusals(const ArraySprites& found)
{
    QString text;
    for (const std::string& refusal : found.refusals)
        text += QStringLiteral("\n") + QString::fromUtf8(refusal);
    return text;
}

} // namespace

void TForm1::AddRoundTripCommands()
{
    B_ImporterC = Button(TabSheet2, "B_ImporterC", QStringLiteral("Importer du C..."), 148, 348, 133, 28);
    B_ImporterC->setToolTip(QStringLiteral("Ou Ctrl+Maj+V avec du C dans le presse-papiers"));
    B_ExporterTI = Button(Panel7, "B_ExporterTI", QStringLiteral("Exporter en image TI..."), 24, 86, 225, 27);

    SaveDialogTI = {QStringLiteral("SaveDialogTI"), QStringLiteral("Image TI (*.89i;*.9xi;*.v2i)|*.89i;*.9xi;*.v2i"),
                    QString()};
    OpenDialogC = {QStringLiteral("OpenDialogC"), QStringLiteral("Sources C (*.c *.h)|*.c;*.h"), QString()};

    connect(B_ExporterTI, &QPushButton::clicked, this, &TForm1::B_ExporterTIClick);
    connect(B_ImporterC, &QPushButton::clicked, this, &TForm1::B_ImporterCClick);
    auto* pasteKeys = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), this);
    pasteKeys->setContext(Qt::WindowShortcut);
    connect(pasteKeys, &QShortcut::activated, this, &TForm1::PasteCArrays);
}

void TForm1::B_ExporterTIClick()
{
    if (!AppDialogs().Execute(FileDialogKind::Save, SaveDialogTI))
        return;
    const std::string path = WithPictureSuffix(FileSystemName(SaveDialogTI.fileName));
    SaveDialogTI.fileName = QString::fromStdString(path);
    const std::optional<QString> answer =
        AppRoundTripDialogs().AskVariableName(QString::fromStdString(VariableNameOfPath(path)), FilesNote(sprite));
    if (!answer)
        return;
    const std::string name = LoweredVariableName(answer->toStdString());
    if (!IsValidVariableName(name)) {
        ShowFailure(QStringLiteral("Nom de variable « ") + *answer + QStringLiteral(" » refusé : ") +
                    QString::fromUtf8(VariableNameRule) + u'.');
        return;
    }
    const std::vector<TiPictureFile> files = PlanTiPictures(path, name, IsGray(sprite));
    if (const std::error_code error = WriteTiPictures(sprite, *TiModelOfPath(path), files)) {
        ShowFailure(QStringLiteral("L'exportation a échoué : ") + QString::fromStdString(error.message()));
        return;
    }
    AppDialogs().ShowMessage(QStringLiteral("Exportation effectuée :") + WrittenFiles(files), QStringLiteral("Succès!"),
                             MessageIcon::Information);
}

void TForm1::B_ImporterCClick()
{
    if (!AppDialogs().Execute(FileDialogKind::Open, OpenDialogC))
        return;
    const FileContent source = ReadWholeFile(FileSystemName(OpenDialogC.fileName), MaxSourceBytes);
    if (!source.Read()) {
        ShowFailure(QStringLiteral("Le Chargement a échoué\n") + QString::fromStdString(ReadProblemText(source)));
        return;
    }
    ImportCText(source.bytes);
}

void TForm1::PasteCArrays()
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
    ImportCText(text);
}

// The chosen sprite replaces the edited one, or every sprite of its size,
// or the chosen one cut by "découper en images de", replaces the set, as one
// undo step.
void TForm1::ImportCText(const std::string& text)
{
    const ArraySprites found = FindArraySprites(text);
    if (found.candidates.empty()) {
        ShowFailure(QStringLiteral("Aucun tableau de sprite lisible dans ce texte (unsigned char, short ou long, "
                                   "uint8_t, uint16_t ou uint32_t).") +
                    Refusals(found));
        return;
    }
    QList<ArrayChoiceItem> items;
    for (const ArrayCandidate& candidate : found.candidates)
        items.append({QString::fromUtf8(DescribeCandidate(found, candidate)), candidate.width, candidate.elementBits,
                      static_cast<int>(SameSizeCandidates(found, candidate).size())});
    const std::optional<ArrayChoice> choice = AppRoundTripDialogs().ChooseArray(items);
    if (!choice)
        return;
    const ArrayCandidate& candidate = found.candidates[static_cast<std::size_t>(choice->index)];
    const std::string refusal = WidthRefusal(candidate, choice->width);
    if (!refusal.empty()) {
        ShowFailure(QString::fromUtf8(refusal));
        return;
    }
    if (choice->asFrames) {
        ImportCFrames(found, SameSizeCandidates(found, candidate), choice->width);
        return;
    }
    // An animation kept in one array, frame under frame, is cut as a sheet.
    if (CB_Decouper->isChecked()) {
        Sprite read(sprite);
        BuildArraySprite(found, candidate, choice->width, read);
        if (SliceIntoFrames(PictureOfSprite(read), QStringLiteral("import de C")) == LoadOutcome::Loaded)
            ShowLoadedSprite();
        return;
    }
    BeginSpriteStep();
    BuildArraySprite(found, candidate, choice->width, sprite);
    CommitSpriteStep(QStringLiteral("import de C"));
    ShowLoadedSprite();
    AppDialogs().ShowMessage(QStringLiteral("Importation effectuée : ") + QString::fromStdString(candidate.id),
                             QStringLiteral("Succès!"), MessageIcon::Information);
}

void TForm1::ImportCFrames(const ArraySprites& found, const std::vector<const ArrayCandidate*>& candidates, int width)
{
    if (ReplaceSet(BuildArrayFrames(found, candidates, width), QStringLiteral("import de C")) != LoadOutcome::Loaded)
        return;
    ShowLoadedSprite();
    QString names;
    for (const ArrayCandidate* candidate : candidates)
        names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromStdString(candidate->id);
    AppDialogs().ShowMessage(QStringLiteral("Importation effectuée : %1 images (%2)").arg(candidates.size()).arg(names),
                             QStringLiteral("Succès!"), MessageIcon::Information);
}
