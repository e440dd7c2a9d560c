// The file habits of the main window, driven by real events: the question
// before a close would lose changes, the keyboard commands, the file in the
// caption, the recent files, drops, the dialogs' folders, the file named on
// the command line and Qt's own texts in French.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QUrl>
#include <sys/stat.h>
#include <tuple>

#include "file_fixture.h"

namespace {

class FileHabits : public FileWindowTest {};

TEST_F(FileHabits, CloseOfAChangedSpriteAsksAndAnnulerKeepsEverything)
{
    ClickCell(Qt::LeftButton, 0, 0);
    EXPECT_FALSE(CloseWith({Cancel}));
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].buttons, CloseButtons);
    EXPECT_EQ(dialogs.questions[0].caption, "Pixora");
    EXPECT_TRUE(dialogs.questions[0].text.contains("modifié")) << dialogs.questions[0].text.toStdString();
    // The box's close button and Escape answer as "Annuler" does.
    EXPECT_FALSE(CloseWith({}));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->sprite.GetColor(0, 0), Black);
    EXPECT_FALSE(QFile::exists(SettingsPath())) << "written although the window stayed";

    dialogs.fileAnswers.push_back(PathOf("balle"));
    EXPECT_TRUE(CloseWith({SaveFirst}));
    const QByteArray saved = Bytes("balle.pixo");
    ASSERT_EQ(saved.size(), 30732);
    EXPECT_EQ(saved[9], 3) << "cell (0, 0) black";
    EXPECT_TRUE(QFile::exists(SettingsPath()));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(FileHabits, NePasEnregistrerClosesAsDesignedAndAnUnchangedSpriteIsNotAsked)
{
    ClickCell(Qt::LeftButton, 2, 2);
    EXPECT_TRUE(CloseWith({DontSave}));
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(QFile::exists(SettingsPath()));
    EXPECT_TRUE(QDir(ProgramFolder()).entryList({"*.pixo"}).isEmpty());

    StopEditor();
    StartEditor();
    EXPECT_TRUE(CloseWith({}));
    EXPECT_TRUE(dialogs.questions.empty());
}

// "Changed" follows the picture through the history: back at the saved
// state by undo or redo, the close asks nothing.
TEST_F(FileHabits, UndoAndRedoBackToTheSavedStateCountAsUnchanged)
{
    ClickCell(Qt::LeftButton, 0, 0);
    SaveAs("etat");
    ClickCell(Qt::LeftButton, 1, 0);
    Keys(Qt::Key_Z);
    EXPECT_FALSE(form->IsChangedSinceSaved());
    Keys(Qt::Key_Z);
    EXPECT_FALSE(CloseWith({Cancel})) << "undone past the save";
    Keys(Qt::Key_Y);
    Keys(Qt::Key_Y);
    EXPECT_FALSE(CloseWith({Cancel})) << "redone past the save";
    Keys(Qt::Key_Z);
    EXPECT_TRUE(CloseWith({}));
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(FileHabits, ASaveThatFailsOrIsCancelledFromTheQuestionKeepsTheProgramAndTheDrawing)
{
    ClickCell(Qt::LeftButton, 3, 3);
    dialogs.fileAnswers.push_back(PathOf("absent/balle"));
    EXPECT_FALSE(CloseWith({SaveFirst}));
    ExpectOneMessage("L'Enregistrement est un Echec", "Echec!", MessageIcon::Warning);
    EXPECT_FALSE(CloseWith({SaveFirst})) << "save dialog cancelled";
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->sprite.GetColor(3, 3), Black);
    EXPECT_TRUE(form->IsChangedSinceSaved());
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}

TEST_F(FileHabits, CtrlSWritesWhatTheSaveCommandWritesIntoTheCurrentFile)
{
    dialogs.fileAnswers.push_back(PathOf("courant"));
    Keys(Qt::Key_S);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u) << "no file yet: Ctrl+S asks like the save command";
    EXPECT_EQ(dialogs.fileDialogs[0].objectName, "SaveDialog1");

    UseSprite({"#d.", "lWB"});
    Keys(Qt::Key_S);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
    dialogs.fileAnswers.push_back(PathOf("commande"));
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    QTest::mouseClick(form->BitBtn5, Qt::LeftButton);
    EXPECT_EQ(Bytes("courant.pixo").size(), 30732);
    EXPECT_EQ(Bytes("courant.pixo"), Bytes("commande.pixo"));

    // The save command's file is the current one now.
    ClickCell(Qt::LeftButton, 0, 1);
    Keys(Qt::Key_S);
    EXPECT_NE(Bytes("commande.pixo"), Bytes("courant.pixo"));
    EXPECT_EQ(Bytes("commande.pixo")[10], 3);

    // An imported picture is never written over: Ctrl+S asks for a name.
    WritePicture("ecran.89i", 16, 8, '\xff');
    const QByteArray picture = Bytes("ecran.89i");
    Open(Qt::Key_I, "ecran.89i");
    ClickCell(Qt::LeftButton, 0, 0);
    Keys(Qt::Key_S);
    EXPECT_EQ(dialogs.fileDialogs.back().objectName, "SaveDialog1");
    EXPECT_EQ(Bytes("ecran.89i"), picture);

    // Typing in a size edit keeps the keys for the edit.
    const size_t dialogsBefore = dialogs.fileDialogs.size();
    form->E_TailleX->setFocus();
    Keys(Qt::Key_S);
    Keys(Qt::Key_O);
    EXPECT_EQ(dialogs.fileDialogs.size(), dialogsBefore);
}

TEST_F(FileHabits, EachKeyRunsItsCommandAndItsButtonTellsIt)
{
    struct Row {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        QString dialog;
        FileDialogKind kind;
    };
    const Row rows[] = {
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S, "SaveDialog1", FileDialogKind::Save},
        {Qt::ControlModifier, Qt::Key_O, "OpenDialog1", FileDialogKind::Open},
        {Qt::ControlModifier, Qt::Key_I, "OpenDialog2", FileDialogKind::Open},
    };
    for (const Row& row : rows) {
        Keys(row.key, row.modifiers);
        ASSERT_FALSE(dialogs.fileDialogs.empty()) << row.dialog.toStdString();
        EXPECT_EQ(dialogs.fileDialogs.back().objectName, row.dialog);
        EXPECT_EQ(dialogs.fileDialogs.back().kind, row.kind);
        dialogs.fileDialogs.clear();
    }
    // No plug-in here: Ctrl+E says what "&Go!" says.
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    Keys(Qt::Key_E);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, dialogs.messages[0].text);

    const std::pair<QPushButton*, QStringList> tips[] = {
        {form->BitBtn5, {"Ctrl+S", "Ctrl+Maj+S"}},
        {form->BitBtn7, {"Ctrl+O"}},
        {form->BitBtn9, {"Ctrl+I"}},
        {form->Button1, {"Ctrl+E"}},
    };
    for (const auto& [button, keys] : tips)
        for (const QString& key : keys)
            EXPECT_TRUE(button->toolTip().contains(key)) << button->toolTip().toStdString();
}

TEST_F(FileHabits, CaptionNamesTheFileAndMarksChanges)
{
    EXPECT_EQ(form->windowTitle(), Designed);
    ClickCell(Qt::LeftButton, 0, 0);
    EXPECT_EQ(form->windowTitle(), "* - " + Designed) << "no file yet, changed";
    SaveAs("balle");
    EXPECT_EQ(form->windowTitle(), "balle.pixo - " + Designed);
    ClickCell(Qt::LeftButton, 1, 0);
    EXPECT_EQ(form->windowTitle(), "balle.pixo* - " + Designed);
    Keys(Qt::Key_Z);
    EXPECT_EQ(form->windowTitle(), "balle.pixo - " + Designed);
    WritePicture("ecran.v2i", 8, 8, '\x81');
    Open(Qt::Key_I, "ecran.v2i");
    EXPECT_EQ(form->windowTitle(), "ecran (importé) - " + Designed);
    // A refused file changes neither the name nor the mark.
    Open(Qt::Key_O, "absent.pixo");
    EXPECT_EQ(form->windowTitle(), "ecran (importé) - " + Designed);
}

TEST_F(FileHabits, RecentFilesNewestFirstOnceEachAndChosenAsTheirCommand)
{
    UseSprite({"#."});
    SaveAs("a");
    UseSprite({"d", "d"});
    SaveAs("b");
    WritePicture("c.89i", 8, 1, '\x80');
    Open(Qt::Key_I, "c.89i");
    EXPECT_EQ(RecentNames(), (QStringList{"c.89i", "b.pixo", "a.pixo"}));
    Open(Qt::Key_O, "a.pixo");
    EXPECT_EQ(RecentNames(), (QStringList{"a.pixo", "c.89i", "b.pixo"}));
    EXPECT_EQ(Find<QListWidget>("LB_Recents")->item(0)->toolTip(), PathOf("a.pixo"));

    dialogs.messages.clear();
    ChooseRecent(2);
    ExpectOneMessage("Chargement effectué : ...", "Succès!", MessageIcon::Information);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"d", "d"}));
    EXPECT_EQ(form->E_TailleX->text(), "1");
    EXPECT_EQ(form->windowTitle(), "b.pixo - " + Designed);
    EXPECT_EQ(RecentNames(), (QStringList{"b.pixo", "a.pixo", "c.89i"}));

    dialogs.messages.clear();
    ChooseRecent(2);
    ExpectOneMessage("Chargement effectué : ...", "Succès!", MessageIcon::Information);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#......."}));

    // A file gone since: said, dropped from the list, the sprite untouched.
    ASSERT_TRUE(QFile::remove(PathOf("a.pixo")));
    dialogs.messages.clear();
    ChooseRecent(2);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("n'existe plus")) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(RecentNames(), (QStringList{"c.89i", "b.pixo"}));
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#......."}));

    for (int k = 1; k <= 9; ++k)
        SaveAs(QString("n%1").arg(k));
    EXPECT_EQ(RecentNames(),
              (QStringList{"n9.pixo", "n8.pixo", "n7.pixo", "n6.pixo", "n5.pixo", "n4.pixo", "n3.pixo", "n2.pixo"}));

    // Kept for the next start.
    EXPECT_TRUE(CloseWith({}));
    StopEditor();
    StartEditor();
    EXPECT_EQ(RecentNames().size(), 8);
    EXPECT_EQ(RecentNames().front(), "n9.pixo");
    EXPECT_TRUE(Stored().contains("\n[FichiersRecents]\nFichier1=")) << Stored().toStdString();
}

TEST_F(FileHabits, RecentSectionEditedByHandShowsAtMostEightExistingFiles)
{
    WriteBytes("vrai.pixo", Bytes("x"));
    QDir(ProgramFolder()).mkdir("dossier.pixo");
    QByteArray content = "[FichiersRecents]\nFichier1=\nFichier2=" + PathOf("dossier.pixo").toUtf8() +
                         "\nFichier3=" + PathOf("vrai.pixo").toUtf8() + "\nFichier4=" + PathOf("vrai.pixo").toUtf8() +
                         "\nFichier5=" + PathOf("").toUtf8() +
                         "\xff\xfe.pixo\nFichier6=" + PathOf("absent.pixo").toUtf8() + "\n";
    for (int k = 7; k <= 10000; ++k)
        content += "Fichier" + QByteArray::number(k) + "=" + PathOf("vrai.pixo").toUtf8() + "\n";
    RestartWith(content);
    EXPECT_EQ(RecentNames(), QStringList{"vrai.pixo"});
    EXPECT_TRUE(CloseWith({}));
    EXPECT_TRUE(Stored().contains("Fichier1=\"" + PathOf("vrai.pixo").toUtf8() + "\"\nFichier2=\"\"\n"));
}

TEST_F(FileHabits, DroppedSpriteFilesOpenAsTheirCommandsOpenThem)
{
    UseSprite({"#l"});
    SaveAs("pose.pixo");
    WritePicture("pose.89i", 8, 2, '\x01');
    WritePicture("pose.9xi", 16, 1, '\xf0');
    WritePicture("POSE.V2I", 8, 1, '\x80');
    const std::tuple<QString, Rows, QString> dropped[] = {
        {"pose.pixo", {"#l"}, "pose.pixo"},
        {"pose.89i", {".......#", ".......#"}, "pose (importé)"},
        {"pose.9xi", {"####....####...."}, "pose (importé)"},
        {"POSE.V2I", {"#......."}, "POSE (importé)"},
    };
    for (const auto& [name, rows, caption] : dropped) {
        UseSprite({"."});
        dialogs.messages.clear();
        DropFile(name);
        ExpectOneMessage("Chargement effectué : ...", "Succès!", MessageIcon::Information);
        EXPECT_EQ(ToRows(form->sprite), rows) << name.toStdString();
        EXPECT_EQ(form->windowTitle(), caption + " - " + Designed);
    }
    EXPECT_EQ(RecentNames().front(), "POSE.V2I");
}

TEST_F(FileHabits, RefusedDropsSaySoAndLeaveTheSpriteAlone)
{
    WritePicture("un.89i", 8, 1, '\xff');
    WriteBytes("notes.txt", "texte");
    WriteBytes("abime.pixo", QByteArray(100, '\x07'));
    QDir(ProgramFolder()).mkdir("dossier.pixo");
    ASSERT_EQ(mkfifo(PathOf("tube.pixo").toLocal8Bit().constData(), 0600), 0);
    struct Row {
        QList<QUrl> urls;
        QString says;
    };
    const Row rows[] = {
        {{QUrl::fromLocalFile(PathOf("un.89i")), QUrl::fromLocalFile(PathOf("un.89i"))}, "Un seul fichier"},
        {{QUrl::fromLocalFile(PathOf("notes.txt"))}, "n'est pas un sprite"},
        {{QUrl("https://exemple.fr/balle.pixo")}, "n'est pas un sprite"},
        {{QUrl::fromLocalFile(PathOf("dossier.pixo"))}, "est un dossier"},
        {{QUrl::fromLocalFile(PathOf("abime.pixo"))}, "Le Chargement a échoué"},
        {{QUrl::fromLocalFile(PathOf("tube.pixo"))}, "Le Chargement a échoué"},
        {{QUrl::fromLocalFile(PathOf("absent.89i"))}, "Le Chargement a échoué"},
    };
    UseSprite({"#d", "lB"});
    for (const Row& row : rows) {
        dialogs.messages.clear();
        Drop(row.urls);
        ASSERT_EQ(dialogs.messages.size(), 1u) << row.says.toStdString();
        EXPECT_TRUE(dialogs.messages[0].text.contains(row.says)) << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(dialogs.messages[0].caption, "Echec!");
        EXPECT_EQ(ToRows(form->sprite), (Rows{"#d", "lB"})) << row.says.toStdString();
    }
    EXPECT_EQ(form->windowTitle(), Designed);
    EXPECT_EQ(Find<QListWidget>("LB_Recents")->count(), 0);
}

// `pixora FILE`: the same start, with FILE opened quietly, or the designed
// failure message and the default sprite.
TEST_F(FileHabits, FileNamedOnTheCommandLineIsOpenedAtStart)
{
    UseSprite({"##", "#D"});
    SaveAs("depart.pixo");
    WritePicture("depart.89i", 8, 1, '\xaa');
    const std::tuple<QString, Rows, QString> starts[] = {{"depart.pixo", {"##", "#D"}, "depart.pixo"},
                                                         {"depart.89i", {"#.#.#.#."}, "depart (importé)"}};
    for (const auto& [name, rows, caption] : starts) {
        StopEditor();
        dialogs.messages.clear();
        StartEditor();
        form->OpenAtStart(PathOf(name));
        EXPECT_TRUE(dialogs.messages.empty()) << name.toStdString();
        EXPECT_EQ(ToRows(form->sprite), rows);
        EXPECT_EQ(form->windowTitle(), caption + " - " + Designed);
        EXPECT_FALSE(form->IsChangedSinceSaved());
    }
    StopEditor();
    dialogs.messages.clear();
    StartEditor();
    form->OpenAtStart(PathOf("absent.pixo"));
    ExpectOneMessage("Le Chargement a échoué", "Echec!", MessageIcon::Warning);
    EXPECT_EQ(form->sprite.GetSize(), (Point{16, 16}));
    EXPECT_EQ(form->windowTitle(), Designed);
}

TEST_F(FileHabits, DialogsOpenInTheFolderOfTheLastFileAcrossRuns)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString firstFolder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    Keys(Qt::Key_O);
    EXPECT_EQ(dialogs.fileDialogs.back().folderBefore, firstFolder);
    EXPECT_NE(QDir(dialogs.fileDialogs.back().folderBefore), QDir(ProgramFolder()));

    QDir(ProgramFolder()).mkdir("sprites");
    UseSprite({"#"});
    SaveAs("sprites/un");
    EXPECT_TRUE(CloseWith({}));
    StopEditor();
    StartEditor();
    Activate();
    dialogs.fileDialogs.clear();
    Keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    Keys(Qt::Key_S);
    Keys(Qt::Key_O);
    ASSERT_EQ(dialogs.fileDialogs.size(), 3u);
    EXPECT_EQ(dialogs.fileDialogs[0].folderBefore, PathOf("sprites"));
    EXPECT_TRUE(dialogs.fileDialogs[0].fileNameBefore.isEmpty());
    EXPECT_EQ(dialogs.fileDialogs[1].folderBefore, PathOf("sprites"));
    EXPECT_EQ(dialogs.fileDialogs[2].folderBefore, PathOf("sprites"));
}

TEST_F(FileHabits, QtsOwnTextsAreFrench)
{
    QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annuler");
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text().remove('&'), "Enregistrer");
    std::unique_ptr<QMenu> menu(form->E_TailleX->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text().remove('&');
    EXPECT_TRUE(texts.join('|').contains("Copier")) << texts.join('|').toStdString();
    // The designed texts stay as they are.
    EXPECT_EQ(form->BitBtn1->text(), "&Close");
}

} // namespace
