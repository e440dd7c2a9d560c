// "Importer d'un dossier..." and "Importer du C..." on a small game written
// the way calculator games are: a header of data that includes another, two
// .c files drawing it (a table row picked when the program runs, an offset,
// a mask table, the dark plane first), an assembly file whose labels name
// one sprite's planes, and what a reader meets in real folders (an include
// that is not there, a condition it cannot decide, an array defined twice).
// Driven through the buttons and the real dialog with real events.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <functional>

#include "DocumentManager.h"
#include "MapDataText.h"
#include "MapDocuments.h"
#include "SourceImportDialog.h"
#include "gui_fixture.h"

namespace {

const QByteArray Sizes = "#define HAUT 2\n";
const QByteArray Sprites = "#ifndef SPRITES_H\n#define SPRITES_H\n#include \"tailles.h\"\n#include \"musique.h\"\n"
                           "/* heros : deux directions, chacune ses lignes claires puis foncees */\n"
                           "static const unsigned char heros[2][2 * HAUT] = {\n"
                           "    {0x80, 0x00, 0x80, 0x40},\n"
                           "    {0x40, 0x40, 0x00, 0x40},\n"
                           "};\n"
                           "static const unsigned char heros_m[2][HAUT] = {{0x3F, 0x3F}, {0x00, 0x00}};\n"
                           "static const unsigned short pierre[4] = {0x8000, 0x4000, 0xC000, 0x0000};\n"
                           "#if NIVEAU_MAX > 3\nstatic const unsigned char bonus[2] = {0x18, 0x3C};\n#endif\n"
                           "#endif\n";
const QByteArray Game =
    "#include <tigcclib.h>\n#include \"sprites.h\"\n"
    "void DessineHeros(short x, short y, short dir) {\n"
    "    GraySprite8_MASK_R(x, y, HAUT, heros[dir] + HAUT, heros[dir], heros_m[dir], heros_m[dir],\n"
    "                       GrayGetPlane(DARK_PLANE), GrayGetPlane(LIGHT_PLANE));\n"
    "}\n";
const QByteArray Scenery = "#include \"sprites.h\"\n\n"
                           "void DessinePierre(short x, short y) {\n"
                           "    GrayClipSprite16_OR_R(x, y, 2, pierre, pierre + 2, GrayGetPlane(LIGHT_PLANE),\n"
                           "                          GrayGetPlane(DARK_PLANE));\n"
                           "}\n";
const QByteArray OldScenery = "unsigned short pierre[2] = {0xFFFF, 0xFFFF};\n";
const QByteArray Boss = "boss_light:\n\tdc.b $80,$40\nboss_dark:\n\tdc.b $C0,$00\nboss_mask:\n\tdc.b $3F,$3F\n";

// The two directions of the hero as its call draws them: the dark rows are
// the second half of each row of the table, the mask a row of heros_m.
const std::vector<Rows> HeroFrames = {{"#.WWWWWW", ".dWWWWWW"}, {".l......", ".#......"}};
const Rows Stone = {"#d..............", ".l.............."};

class ProgramImport : public EditorWindowTest {
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        ASSERT_TRUE(QDir(ProgramFolder()).mkpath("jeu"));
        const std::pair<const char*, const QByteArray*> files[] = {
            {"tailles.h", &Sizes}, {"sprites.h", &Sprites},  {"jeu.c", &Game},
            {"decor.c", &Scenery}, {"vieux.c", &OldScenery}, {"boss.asm", &Boss},
        };
        for (const auto& [name, text] : files)
            WriteFile(name, *text);
    }

    QString PathOf(const QString& name) const { return ProgramFolder() + "jeu/" + name; }
    void WriteFile(const QString& name, const QByteArray& text) const
    {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Opens the import of the file (or of the folder, for an empty name) and
    // acts on its dialog, which the action closes or the test rejects.
    void Import(const QString& name, std::function<void(SourceImportDialog&)> act)
    {
        QTimer::singleShot(0, [this, act] {
            auto* dialog = qobject_cast<SourceImportDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++dialogsMet;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        dialogs.fileAnswers.push_back(name.isEmpty() ? ProgramFolder() + "jeu" : PathOf(name));
        dialogs.messages.clear();
        ClickOnItsPage(Find<QPushButton>(name.isEmpty() ? "B_ImporterDossier" : "B_ImporterC"));
    }

    static QStringList Texts(const QListWidget* list)
    {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }

    std::vector<Rows> FramesRead() const
    {
        std::vector<Rows> frames;
        for (int i = 0; i < form->document.Frames().Count(); ++i)
            frames.push_back(ToRows(form->document.Frames().Frame(i)));
        return frames;
    }

    int dialogsMet = 0;
};

// Each reading says where it comes from as pixora-export --list-sprites
// does, its paths within the folder read; the label group of boss.asm is one
// gray masked sprite.
TEST_F(ProgramImport, AFolderListsItsReadingsWithWhereEachComesFrom)
{
    QStringList shown;
    Import({}, [&shown](SourceImportDialog& dialog) { shown = Texts(dialog.candidateList); });
    ASSERT_EQ(dialogsMet, 1);
    EXPECT_EQ(dialogs.fileDialogs.back().kind, FileDialogKind::Folder);
    EXPECT_EQ(dialogs.fileDialogs.back().objectName, "OpenDialogDossier");
    const QString expected[] = {
        "boss  8 x 2  niveaux de gris masqué  1 image  étiquettes",
        "heros[0]  8 x 4  noir et blanc  1 image  jeu.c:4",
        "pierre  16 x 4  noir et blanc  1 image  decor.c:4",
        "bonus  8 x 2  noir et blanc  1 image  tableau seul",
        "pierre:GrayClipSprite16_OR_R  16 x 2  niveaux de gris  1 image  decor.c:4",
        "heros:GraySprite8_MASK_R  8 x 2  niveaux de gris masqué  2 images  jeu.c:4",
    };
    for (const QString& line : expected)
        EXPECT_TRUE(shown.contains(line)) << line.toStdString() << "\n" << shown.join("\n").toStdString();
}

// Without a choice of the user's, the reading first offered is the first
// draw call's, in the order the files are read: a file's own call (its
// header's arrays read with it), or in a folder the call of the first file
// by path.
TEST_F(ProgramImport, TheFirstDrawCallInFileOrderIsOfferedFirstAndImported)
{
    const struct {
        const char* input;
        const char* offered;
        std::vector<Rows> frames;
    } cases[] = {
        // One frame goes into the edited one; the set of two replaces the document's, so it comes last.
        {"decor.c", "pierre:GrayClipSprite16_OR_R  16 x 2  niveaux de gris  1 image  decor.c:4", {Stone}},
        {"", "pierre:GrayClipSprite16_OR_R  16 x 2  niveaux de gris  1 image  decor.c:4", {Stone}},
        {"jeu.c", "heros:GraySprite8_MASK_R  8 x 2  niveaux de gris masqué  2 images  jeu.c:4", HeroFrames},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.input);
        UseSprite({"##"});
        QString offered;
        Import(test.input, [&offered](SourceImportDialog& dialog) {
            offered = dialog.candidateList->currentItem()->text();
            QTest::mouseClick(dialog.okButton, Qt::LeftButton);
        });
        EXPECT_EQ(offered, test.offered);
        EXPECT_EQ(FramesRead(), test.frames);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, "Succès!");
    }
}

// What the reading passed over or could not decide shows under the list,
// not only on a command line's error output; a reading without notes has no
// such area.
TEST_F(ProgramImport, TheNotesOfTheReadingShowUnderTheList)
{
    const struct {
        const char* input;
        QStringList notes;
    } cases[] = {
        {"",
         {"sprites.h : #include \"musique.h\" introuvable, passé",
          "sprites.h : condition « NIVEAU_MAX > 3 » indécidable, première branche lue",
          "« pierre » défini 2 fois (sprites.h:11, vieux.c:1) : lu sprites.h:11, celui que voit l'appel decor.c:4"}},
        {"jeu.c",
         {"sprites.h : #include \"musique.h\" introuvable, passé",
          "sprites.h : condition « NIVEAU_MAX > 3 » indécidable, première branche lue"}},
        {"boss.asm", {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.input);
        QString text;
        bool shown = false;
        Import(test.input, [&](SourceImportDialog& dialog) {
            const auto* notes = dialog.findChild<QPlainTextEdit*>("M_NotesLecture");
            text = notes->toPlainText();
            shown = notes->isVisible();
            EXPECT_TRUE(notes->isReadOnly());
        });
        EXPECT_EQ(text, test.notes.join("\n"));
        EXPECT_EQ(shown, !test.notes.isEmpty());
    }
}

// A reading by hand types each plane as a draw call names it: an offset
// into one array, a table's rows (with a mask table row by row); the frames
// are shown before "OK" and imported.
TEST_F(ProgramImport, PlanesTypedByHandReadOffsetsAndTableRows)
{
    const struct {
        const char* order;
        QStringList planes;
        int width;
        int height;
        QString result;
        std::vector<Rows> frames;
    } cases[] = {
        {"LD", {"pierre", "pierre+2"}, 16, 2, "Sprite de 16 × 2", {Stone}},
        {"DLM", {"heros[*]+2", "heros[*]", "heros_m[*]"}, 8, 2, "2 images de 8 × 2", HeroFrames},
        {"B",
         {"heros[*]"},
         8,
         4,
         "2 images de 8 × 4",
         {{"#.......", "........", "#.......", ".#......"}, {".#......", ".#......", "........", ".#......"}}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.order);
        UseSprite({"##"});
        QString result;
        Import("jeu.c", [&](SourceImportDialog& dialog) {
            QTest::mouseClick(dialog.layoutGroup, Qt::LeftButton, {}, QPoint(10, 8)); // its check box
            dialog.orderBox->setCurrentText(test.order);
            for (int i = 0; i < test.planes.size(); ++i) {
                QLineEdit* typed = dialog.planeArrays[static_cast<std::size_t>(i)]->lineEdit();
                typed->selectAll();
                QTest::keyClicks(typed, test.planes[i]);
            }
            dialog.heightBox->selectAll();
            QTest::keyClicks(dialog.heightBox, QString::number(test.height));
            dialog.widthBox->selectAll();
            QTest::keyClicks(dialog.widthBox, QString::number(test.width));
            result = dialog.resultLabel->text();
            QTest::mouseClick(dialog.okButton, Qt::LeftButton);
        });
        EXPECT_EQ(result, test.result);
        EXPECT_EQ(FramesRead(), test.frames);
    }
}

// A plane text that names no readable plane says why, and "OK" waits.
TEST_F(ProgramImport, APlaneTextThatCannotBeReadSaysWhy)
{
    const std::pair<QString, QString> cases[] = {
        {"caillou", "Pas de tableau « caillou »"},
        {"pierre+", "« pierre+ » : illisible ; un plan s'écrit NOM, NOM+K, &NOM[K], NOM[K] (une ligne d'un tableau à "
                    "deux dimensions) ou NOM[*] (chacune de ses lignes, une image par ligne)"},
        {"pierre[*]", "« pierre[*] » : illisible"},
        {"pierre+9", "« pierre » : 4 éléments, il en faut 11 pour une image de 2 lignes"},
    };
    Import("decor.c", [&cases](SourceImportDialog& dialog) {
        QTest::mouseClick(dialog.layoutGroup, Qt::LeftButton, {}, QPoint(10, 8));
        dialog.orderBox->setCurrentText("B");
        dialog.heightBox->setValue(2);
        for (const auto& [typed, why] : cases) {
            QLineEdit* plane = dialog.planeArrays[0]->lineEdit();
            plane->selectAll();
            QTest::keyClicks(plane, typed);
            EXPECT_TRUE(dialog.resultLabel->text().startsWith(why)) << dialog.resultLabel->text().toStdString();
            EXPECT_FALSE(dialog.okButton->isEnabled()) << typed.toStdString();
        }
    });
    EXPECT_EQ(dialogsMet, 1);
    EXPECT_EQ(form->document.Frames().Count(), 1);
}

} // namespace

// A file holding maps Pixora wrote asks which to open in the "Carte" window
// (untitled, named after the file) or whether to import a sprite as from any
// program; a map whose tiles cannot be read says why.
TEST_F(ProgramImport, AMapPixoraWroteOpensInTheCarteWindowIfTheUserSaysSo)
{
    TileMap level;
    level.tiles.tileSize = {8, 8};
    const std::vector<int8_t> sky(64, 0), brick(64, 3);
    level.tiles.Add(sky.data());
    level.tiles.Add(brick.data());
    level.width = 3;
    level.height = 2;
    level.cells = {0, 1, 0, 1, 1, 1};
    TileMap bonus = level;
    bonus.width = 2;
    bonus.height = 1;
    bonus.cells = {1, 0};
    std::string why;
    const std::string text = WriteMapDataText(level, "niveau", LayoutRequest{}, why);
    WriteFile("niveau.h", QByteArray::fromStdString(text));
    WriteFile("niveaux.h", QByteArray::fromStdString(text + WriteMapDataText(bonus, "bonus", LayoutRequest{}, why)));
    // A name read from a comment may hold what Qt's texts take for a place holder.
    WriteFile("casse.h", "/* cas%2se : carte de 2 x 1 cases, 1 tuiles (cas%2se_tiles)\n */\n"
                         "static const unsigned char casse_map[1][2] = {{0, 0}};\n");
    const QStringList oneMap = {"Ouvrir la carte", "Importer un sprite", "Annuler"};
    const QString niveau = "« niveau.h » contient la carte « niveau » (3 × 2 cases, 2 tuiles) écrite par Pixora.";
    const struct {
        const char* file;
        int answer;
        QString question; // its first line
        QStringList buttons;
        std::vector<uint16_t> opened; // the cells of the map opened, none when none is
        int spriteDialogs;
        const char* message;
    } cases[] = {
        {"niveau.h", 1, niveau, oneMap, {}, 1, ""},
        {"casse.h",
         0,
         "« casse.h » contient la carte « cas%2se » (2 × 1 cases, 1 tuile) écrite par Pixora.",
         oneMap,
         {},
         0,
         "Le Chargement a échoué\nles tuiles « cas%2se_tiles » de la carte « cas%2se » ne se lisent pas : "
         "aucun commentaire de Pixora ne les décrit"},
        {"niveau.h", 0, niveau, oneMap, level.cells, 0, ""},
        {"niveaux.h",
         1,
         "« niveaux.h » contient 2 cartes écrites par Pixora : « niveau » (3 × 2 cases, 2 tuiles), « bonus » (2 × 1 "
         "cases, 2 tuiles).",
         {"Ouvrir « niveau »", "Ouvrir « bonus »", "Importer un sprite", "Annuler"},
         bonus.cells,
         0,
         ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.file) + ", answer " + std::to_string(test.answer));
        dialogsMet = 0;
        dialogs.questions.clear();
        dialogs.questionAnswers = {test.answer};
        Import(test.file, [](SourceImportDialog&) {});
        ASSERT_EQ(dialogs.questions.size(), 1u);
        EXPECT_EQ(dialogs.questions[0].buttons, test.buttons);
        EXPECT_EQ(dialogs.questions[0].text.section('\n', 0, 0), test.question);
        EXPECT_EQ(dialogsMet, test.spriteDialogs);
        EXPECT_EQ(dialogs.messages.empty() ? QString() : dialogs.messages.back().text, test.message);
        const MapDocument* map = form->documents->Maps().Document();
        ASSERT_EQ(map != nullptr, !test.opened.empty());
        if (!map)
            continue;
        EXPECT_EQ(map->DisplayName(), QString(test.file).section('.', 0, 0).toStdString() + " (importé)");
        EXPECT_TRUE(map->IsUntitled()) << "a save asks for a file name";
        EXPECT_EQ(map->Map().cells, test.opened);
    }
}
