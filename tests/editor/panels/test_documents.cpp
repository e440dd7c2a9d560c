// What takes the document's place, driven by real events: an import that
// replaces the whole document and "Nouveau" give an untitled document whose
// first save asks for a name, so the file edited before keeps its bytes;
// the recent files open what they name as a new document; a picture that
// would resize the other frames of a set asks first; the open dialog shows
// every file of Pixora first; one folder serves every file dialog.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "file_fixture.h"
#include "set_file.h"

namespace {

const QStringList ResizeButtons{"Importer", "Annuler"};

class Documents : public FileWindowTest {
protected:
    void SetUp() override
    {
        FileWindowTest::SetUp();
        form->setFocus();
    }

    // A set of frames of 16 x 16 saved as "hero.pixs", then changed.
    void ChangedHero(int frames = 2)
    {
        UseSprite(Rows(16, std::string(16, '.')));
        form->PageControl1->setCurrentWidget(form->TabSheet1);
        for (int k = 1; k < frames; ++k)
            QTest::mouseClick(Find<QPushButton>("B_NouvelleImage"), Qt::LeftButton);
        SaveAs("hero.pixs");
        ClickCell(Qt::LeftButton, 3, 3);
        ForgetDialogs();
    }
    void SliceInto(int width, int height)
    {
        Find<QCheckBox>("CB_Decouper")->setChecked(true);
        Find<QLineEdit>("E_DecoupeX")->setText(QString::number(width));
        Find<QLineEdit>("E_DecoupeY")->setText(QString::number(height));
    }
    QString Caption() const { return form->windowTitle().remove(" - " + Designed); }
    int FrameCount() const { return form->document.Frames().Count(); }
};

// The import answered "Ne pas enregistrer" once used to keep the set's
// name, and Ctrl+S wrote the sheet over "hero.pixs".
TEST_F(Documents, AnImportThatReplacesTheDocumentIsUntitledAndCtrlSAsksForAName)
{
    WritePicture("sheet.89i", 32, 16, '\xf0');
    WritePicture("ecran.89i", 16, 16, '\x0f');
    struct Row {
        const char* way;
        int heroFrames;
        bool slice;
        QString picture;
        int frames;
        QString caption;
    };
    const Row rows[] = {
        {"image découpée", 2, true, "sheet.89i", 2, "sheet (importé)"},
        {"image à la place du sprite seul", 1, false, "ecran.89i", 1, "ecran (importé)"},
    };
    for (const Row& row : rows) {
        Restart();
        ChangedHero(row.heroFrames);
        if (row.slice)
            SliceInto(16, 16);
        const QByteArray hero = Bytes("hero.pixs");
        dialogs.questionAnswers = {DontSave};
        Open(Qt::Key_I, row.picture);
        ASSERT_EQ(FrameCount(), row.frames) << row.way;
        EXPECT_EQ(Caption(), row.caption) << row.way;

        ForgetDialogs();
        Keys(Qt::Key_S);
        ASSERT_EQ(dialogs.fileDialogs.size(), 1u) << row.way;
        EXPECT_EQ(dialogs.fileDialogs[0].objectName, "SaveDialog1");
        EXPECT_EQ(dialogs.fileDialogs[0].fileNameBefore, PathOf(QFileInfo(row.picture).baseName())) << row.way;
        EXPECT_EQ(Bytes("hero.pixs"), hero) << row.way;
        EXPECT_EQ(Caption(), row.caption) << row.way;
    }
}

TEST_F(Documents, NouveauAsksThenGivesAWhiteUntitledDocumentOfTheSameSize)
{
    UseSprite({"#lD.", "WdB."});
    SaveAs("balle");
    ClickCell(Qt::LeftButton, 3, 1);
    const QByteArray balle = Bytes("balle.pixo");
    ForgetDialogs();
    dialogs.questionAnswers = {Cancel};
    Keys(Qt::Key_N);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].buttons, CloseButtons);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#lD.", "WdB#"}));

    dialogs.questionAnswers = {DontSave};
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    QTest::mouseClick(Find<QPushButton>("B_Nouveau"), Qt::LeftButton);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"....", "...."}));
    EXPECT_EQ(form->sprite.GetType(), BlackWhite);
    EXPECT_EQ(form->E_TailleX->text(), "4");
    EXPECT_EQ(form->windowTitle(), Designed);
    EXPECT_FALSE(form->document.CanUndo());

    ClickCell(Qt::LeftButton, 0, 0);
    EXPECT_EQ(Caption(), "*");
    ForgetDialogs();
    Keys(Qt::Key_S);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_TRUE(dialogs.fileDialogs[0].fileNameBefore.isEmpty()) << "the file edited before is not offered";
    EXPECT_EQ(Bytes("balle.pixo"), balle);
}

// A calculator picture chosen in the list used to go into the current
// frame of the set, with no question.
TEST_F(Documents, ARecentPictureOpensAsANewDocumentAfterTheQuestion)
{
    WritePicture("ecran.v2i", 8, 2, '\x81');
    Open(Qt::Key_I, "ecran.v2i");
    ChangedHero();
    const QByteArray hero = Bytes("hero.pixs");
    dialogs.questionAnswers = {Cancel};
    ChooseRecent(RecentNames().indexOf("ecran.v2i"));
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].text.contains("avant d'ouvrir « ecran.v2i »"));
    EXPECT_EQ(FrameCount(), 2);

    dialogs.questionAnswers = {DontSave};
    ChooseRecent(RecentNames().indexOf("ecran.v2i"));
    ASSERT_EQ(FrameCount(), 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#......#", "#......#"}));
    EXPECT_EQ(Caption(), "ecran (importé)");
    EXPECT_FALSE(form->document.CanUndo());
    EXPECT_EQ(Bytes("hero.pixs"), hero);
}

TEST_F(Documents, APictureThatWouldResizeTheOtherFramesAsksFirst)
{
    WritePicture("large.89i", 64, 32, '\x55');
    WritePicture("pareil.89i", 16, 16, '\xff');
    ChangedHero();
    const std::vector<Rows> before{ToRows(form->document.Frames().Frame(0)), ToRows(form->document.Frames().Frame(1))};
    dialogs.questionAnswers = {1};
    Open(Qt::Key_I, "large.89i");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].buttons, ResizeButtons);
    EXPECT_TRUE(dialogs.questions[0].text.contains("64 × 32")) << dialogs.questions[0].text.toStdString();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(ToRows(form->document.Frames().Frame(0)), before[0]);
    EXPECT_EQ(ToRows(form->document.Frames().Frame(1)), before[1]);
    EXPECT_EQ(form->document.UndoLabel(), "crayon") << "no step added";

    ForgetDialogs();
    Open(Qt::Key_I, "pareil.89i");
    EXPECT_TRUE(dialogs.questions.empty()) << "same size: nothing to ask";
    EXPECT_EQ(ToRows(form->sprite), Rows(16, std::string(16, '#')));

    ForgetDialogs();
    dialogs.questionAnswers = {0};
    Open(Qt::Key_I, "large.89i");
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(FrameCount(), 2);
    EXPECT_EQ(form->document.Frames().Frame(0).GetSize(), (Point{64, 32}));
    EXPECT_EQ(Caption(), "hero.pixs*") << "an edit of the set, which stays the document";
}

TEST_F(Documents, TheOpenDialogShowsEveryFileOfPixoraFirstAndOpensEachKind)
{
    EXPECT_EQ(NameFiltersOf(form->OpenDialog1).front(),
              "Tous les fichiers de Pixora (*.pixo *.pixs *.pixm *.89i *.9xi *.v2i)");
    EXPECT_EQ(NameFiltersOf(form->OpenDialog1).mid(1),
              (QStringList{"Format du logiciel (*.pixo)", "Planche de sprites (*.pixs)", "Cartes (*.pixm)"}));
    ChangedHero();
    WritePicture("ecran.9xi", 8, 1, '\xf0');
    dialogs.questionAnswers = {DontSave};
    Open(Qt::Key_O, "ecran.9xi");
    EXPECT_EQ(ToRows(form->sprite), (Rows{"####...."}));
    EXPECT_EQ(Caption(), "ecran (importé)");
    Open(Qt::Key_O, "hero.pixs");
    EXPECT_EQ(FrameCount(), 2);
    EXPECT_EQ(Caption(), "hero.pixs");
}

// Each dialog once kept a folder of its own, under "Charger",
// "Enregistrer" and "Importer": the one folder starts from them.
TEST_F(Documents, EveryFileDialogOpensInTheLastFolderUsed)
{
    QDir(ProgramFolder()).mkpath("anciens/charges");
    QDir(ProgramFolder()).mkdir("nouveaux");
    RestartWith("[Dossiers]\nCharger=" + PathOf("anciens/charges").toUtf8() + "\n");
    Activate();
    Keys(Qt::Key_I);
    EXPECT_EQ(dialogs.fileDialogs.back().folderBefore, PathOf("anciens/charges"));

    UseSprite({"#"});
    SaveAs("nouveaux/un");
    ForgetDialogs();
    Keys(Qt::Key_O);
    Keys(Qt::Key_I);
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    QTest::mouseClick(Find<QPushButton>("B_ImporterImage"), Qt::LeftButton);
    ASSERT_EQ(dialogs.fileDialogs.size(), 3u);
    for (const FileDialogCall& call : dialogs.fileDialogs)
        EXPECT_EQ(call.folderBefore, PathOf("nouveaux")) << call.objectName.toStdString();
    EXPECT_TRUE(CloseWith({}));
    EXPECT_TRUE(Stored().contains("Dernier=\"" + PathOf("nouveaux").toUtf8() + "\"")) << Stored().toStdString();
}

} // namespace
