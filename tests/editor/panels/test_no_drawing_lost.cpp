// No drawing is lost, driven by real events: every way of opening a file
// asks first when the sprite has changed, and a file opened starts a new
// history; Ctrl+S never writes fewer frames than the editor holds without
// asking, and says nothing when it succeeds; a gesture that goes on after
// another command undoes on its own frame; "Exporter" proposes the names of
// the file in hand.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <functional>

#include "file_fixture.h"
#include "set_file.h"

namespace {

const QStringList SetButtons{"Planche (.pixs)", "Image courante (.pixo)", "Annuler"};
enum class SetAnswer { WholeSet = 0, CurrentFrame = 1, Cancel = 2 };

class NoDrawingLost : public FileWindowTest {
protected:
    void SetUp() override
    {
        FileWindowTest::SetUp();
        form->setFocus();
    }

    void WriteSprite(const QString& name, const Rows& rows) const
    {
        ASSERT_TRUE(FromRows(rows).SaveToFile(QFile::encodeName(PathOf(name)).toStdString()));
    }
    Rows RowsIn(const QString& name) const
    {
        Sprite read;
        return read.LoadFromFile(QFile::encodeName(PathOf(name)).toStdString()) ? ToRows(read) : Rows{"<absent>"};
    }
    void AddFrame()
    {
        form->PageControl1->setCurrentWidget(form->TabSheet1);
        QTest::mouseClick(Find<QPushButton>("B_NouvelleImage"), Qt::LeftButton);
    }
    QString Caption() const { return form->windowTitle().remove(" - " + Designed); }
    QWidget* Focus() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : form.get();
    }
};

// The question's buttons, and its text naming both files.
void ExpectOpenQuestion(const AskedQuestion& question, const QString& current, const QString& opened)
{
    EXPECT_EQ(question.buttons, CloseButtons);
    EXPECT_TRUE(question.text.contains("« " + current + " » a été modifié")) << question.text.toStdString();
    EXPECT_TRUE(question.text.contains("avant d'ouvrir « " + opened + " »")) << question.text.toStdString();
}

TEST_F(NoDrawingLost, EveryWayOfOpeningAFileAsksFirstAndAnnulerKeepsEverything)
{
    WriteSprite("autre.pixo", {"##"});
    WritePicture("autre.89i", 8, 1, '\xff');
    Open(Qt::Key_O, "autre.pixo"); // into the recent files
    UseSprite({"#l", "dB"});
    SaveAs("balle");
    ClickCell(Qt::LeftButton, 1, 1);
    const Rows drawn{"#l", "d#"};
    struct Row {
        const char* way;
        QString opened;
        std::function<void()> open;
    };
    const Row rows[] = {
        {"Ctrl+O", "autre.pixo", [this] { Open(Qt::Key_O, "autre.pixo"); }},
        {"&Charger", "autre.pixo",
         [this] {
             dialogs.fileAnswers.push_back(PathOf("autre.pixo"));
             ClickOnItsPage(form->BitBtn7);
         }},
        {"fichier récent", "autre.pixo", [this] { ChooseRecent(RecentNames().indexOf("autre.pixo")); }},
        {"fichier déposé", "autre.pixo", [this] { DropFile("autre.pixo"); }},
        {"Ctrl+I", "autre.89i", [this] { Open(Qt::Key_I, "autre.89i"); }},
        {"image déposée", "autre.89i", [this] { DropFile("autre.89i"); }},
    };
    for (const Row& row : rows) {
        dialogs.questions.clear();
        dialogs.messages.clear();
        dialogs.questionAnswers = {Cancel};
        row.open();
        ASSERT_EQ(dialogs.questions.size(), 1u) << row.way;
        ExpectOpenQuestion(dialogs.questions[0], "balle.pixo", row.opened);
        EXPECT_TRUE(dialogs.messages.empty()) << row.way;
        EXPECT_EQ(ToRows(form->sprite), drawn) << row.way;
        EXPECT_EQ(Caption().toStdString(), "balle.pixo*") << row.way;
        EXPECT_EQ(RowsIn("balle.pixo"), (Rows{"#l", "dB"})) << row.way;
    }
}

TEST_F(NoDrawingLost, EnregistrerSavesBeforeTheOpenAndNePasEnregistrerGivesTheChangesUp)
{
    WriteSprite("autre.pixo", {"##"});
    struct Row {
        const char* answer;
        bool hasFile;
        std::deque<int> answers;
        Rows balleAfter; // what "balle.pixo" holds afterwards
        Rows shown;
    };
    const Row rows[] = {
        {"Enregistrer", true, {SaveFirst}, {"#.", ".#"}, {"##"}},
        {"Ne pas enregistrer", true, {DontSave}, {"#.", ".."}, {"##"}},
        // With no file yet, "Enregistrer" asks for a name: cancelled, nothing opens.
        {"Enregistrer, nom annulé", false, {SaveFirst}, {"<absent>"}, {"#.", ".#"}},
    };
    for (const Row& row : rows) {
        Restart();
        QFile::remove(PathOf("balle.pixo"));
        UseSprite({"#.", ".."});
        if (row.hasFile)
            SaveAs("balle");
        ClickCell(Qt::LeftButton, 1, 1);
        dialogs.messages.clear();
        dialogs.questionAnswers = row.answers;
        Open(Qt::Key_O, "autre.pixo");
        EXPECT_EQ(dialogs.questions.size(), 1u) << row.answer;
        EXPECT_EQ(RowsIn("balle.pixo"), row.balleAfter) << row.answer;
        EXPECT_EQ(ToRows(form->sprite), row.shown) << row.answer;
    }
}

// The drawing given up for another file never comes back under that file's
// name: Ctrl+Z has nothing to undo, and Ctrl+S writes only what is shown.
TEST_F(NoDrawingLost, AFileOpenedStartsANewHistory)
{
    WriteSprite("autre.pixo", {"##"});
    const QByteArray other = Bytes("autre.pixo");
    UseSprite({"....", ".##.", "...."});
    SaveAs("balle");
    ClickCell(Qt::LeftButton, 0, 0);
    dialogs.questionAnswers = {DontSave};
    Open(Qt::Key_O, "autre.pixo");
    ASSERT_EQ(ToRows(form->sprite), (Rows{"##"}));
    EXPECT_FALSE(Find<QPushButton>("B_Annuler")->isEnabled());

    Keys(Qt::Key_Z);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"##"}));
    EXPECT_EQ(Caption().toStdString(), "autre.pixo");
    dialogs.questions.clear();
    Keys(Qt::Key_S);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(Bytes("autre.pixo"), other);
    EXPECT_EQ(RowsIn("balle.pixo"), (Rows{"....", ".##.", "...."}));
}

// A ".pixo" keeps one frame: Ctrl+S on one, with several frames, asks what
// "&Enregistrer" asks. The whole set goes through the dialog, which shows
// the ".pixs" name before anything is written.
TEST_F(NoDrawingLost, CtrlSOfSeveralFramesIntoAPixoAsksWhatEnregistrerAsks)
{
    const Rows ball{".#.", "###", ".#."};
    UseSprite(ball);
    SaveAs("balle");
    AddFrame();
    ClickCell(Qt::LeftButton, 0, 0);
    struct Row {
        SetAnswer answer;
        Rows pixoAfter;
        QString caption;
        size_t fileDialogs;
        size_t messages; // none from Ctrl+S itself; the dialog's save tells as designed
    };
    const Row rows[] = {
        {SetAnswer::Cancel, ball, "balle.pixo*", 0, 0},
        // Only the current frame, as chosen: the set still differs from the file.
        {SetAnswer::CurrentFrame, {"#..", "...", "..."}, "balle.pixo*", 0, 0},
        {SetAnswer::WholeSet, {"#..", "...", "..."}, "balle.pixs", 1, 1},
    };
    for (const Row& row : rows) {
        dialogs.questions.clear();
        dialogs.messages.clear();
        dialogs.fileDialogs.clear();
        dialogs.questionAnswers = {static_cast<int>(row.answer)};
        dialogs.fileAnswers = {PathOf("balle.pixs")};
        Keys(Qt::Key_S);
        ASSERT_EQ(dialogs.questions.size(), 1u);
        EXPECT_EQ(dialogs.questions[0].buttons, SetButtons);
        EXPECT_EQ(RowsIn("balle.pixo"), row.pixoAfter);
        EXPECT_EQ(Caption().toStdString(), row.caption.toStdString());
        EXPECT_EQ(dialogs.fileDialogs.size(), row.fileDialogs);
        EXPECT_EQ(dialogs.messages.size(), row.messages);
    }
    EXPECT_EQ(dialogs.fileDialogs[0].fileNameBefore, PathOf("balle.pixs"));
    FrameList saved;
    ASSERT_TRUE(LoadSpriteSetFile(QFile::encodeName(PathOf("balle.pixs")).toStdString(), saved));
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(ToRows(*saved[0]), ball);
}

// The "*" leaving the caption is the sign of a save; a failure is said.
TEST_F(NoDrawingLost, CtrlSIntoTheCurrentFileIsQuietAndItsFailureIsSaid)
{
    QDir(ProgramFolder()).mkdir("dossier");
    struct Row {
        QString file;
        int frames;
        bool removeFolder;
        std::vector<QString> messages;
        QString caption;
    };
    const Row rows[] = {
        {"seul.pixo", 1, false, {}, "seul.pixo"},
        {"planche.pixs", 2, false, {}, "planche.pixs"},
        {"dossier/perdu.pixo", 1, true, {"L'Enregistrement est un Echec"}, "perdu.pixo*"},
    };
    for (const Row& row : rows) {
        Restart();
        UseSprite({"...", "..."});
        for (int k = 1; k < row.frames; ++k)
            AddFrame();
        SaveAs(row.file);
        ASSERT_EQ(dialogs.messages.size(), 1u) << "the save command keeps its designed message";
        EXPECT_EQ(dialogs.messages[0].text, "Enregsitrement effectué : ...");
        if (row.removeFolder) {
            ASSERT_TRUE(QDir(PathOf("dossier")).removeRecursively());
        }
        ClickCell(Qt::LeftButton, 2, 1);
        dialogs.messages.clear();
        Keys(Qt::Key_S);
        std::vector<QString> shown;
        for (const ShownMessage& message : dialogs.messages)
            shown.push_back(message.text);
        EXPECT_EQ(shown, row.messages) << row.file.toStdString();
        if (!row.messages.empty()) {
            EXPECT_EQ(dialogs.messages[0].caption, "Echec!");
        }
        EXPECT_EQ(Caption().toStdString(), row.caption.toStdString());
    }
}

// A selection drag continued after a transform key, and a Space stroke
// continued after another command, go on in steps of their own frame.
TEST_F(NoDrawingLost, AGestureContinuedAfterACommandUndoesOnItsOwnFrame)
{
    const Rows first{"#.....", "......"};
    UseSprite(first);
    struct Row {
        const char* gesture;
        std::function<void()> draw;
        Rows drawn;
        Rows afterUndo;
    };
    const Row rows[] = {
        {"trait à la barre d'espace",
         [this] {
             Keys(Qt::Key_Right, Qt::NoModifier);
             QTest::keyPress(Focus(), Qt::Key_Space);
             Keys(Qt::Key_Right, Qt::NoModifier);
             Keys(Qt::Key_H, Qt::ShiftModifier);
             Keys(Qt::Key_Down, Qt::NoModifier);
             QTest::keyRelease(Focus(), Qt::Key_Space);
         },
         {"..###.", "..#..."},
         {"...##.", "......"}},
        {"déplacement de la sélection",
         [this] {
             ClickCell(Qt::LeftButton, 1, 0);
             Keys(Qt::Key_S, Qt::NoModifier);
             Press(Qt::LeftButton, CellCenter(1, 0));
             Move(CellCenter(2, 0));
             Release(Qt::LeftButton, CellCenter(2, 0));
             Press(Qt::LeftButton, CellCenter(1, 0));
             Move(CellCenter(2, 0));
             Keys(Qt::Key_H, Qt::ShiftModifier);
             Move(CellCenter(4, 1));
             Release(Qt::LeftButton, CellCenter(4, 1));
         },
         {"......", ".....#"},
         {"...#..", "......"}},
    };
    for (const Row& row : rows) {
        AddFrame();
        const std::string frame = Find<QLabel>("L_Image")->text().toStdString();
        row.draw();
        ASSERT_EQ(ToRows(form->sprite), row.drawn) << row.gesture;
        Keys(Qt::Key_Z);
        EXPECT_EQ(Find<QLabel>("L_Image")->text().toStdString(), frame) << row.gesture;
        EXPECT_EQ(ToRows(form->sprite), row.afterUndo) << row.gesture;
        EXPECT_EQ(ToRows(form->document.Frames().Frame(0)), first) << row.gesture;
    }
}

// "Nom Fichier" and "Nom Sprite" keep their designed texts until a file is
// loaded, imported or saved, then propose its name.
TEST_F(NoDrawingLost, ExportNamesFollowTheFileLoadedImportedOrSaved)
{
    EXPECT_EQ(form->Edit1->text(), "nomPixo.extension");
    EXPECT_EQ(form->Edit2->text(), "Sprite");
    WriteSprite("1er essai.pixo", {"#"});
    WritePicture("ECRAN.89i", 8, 1, '\x0f');
    const std::pair<std::function<void()>, QStringList> rows[] = {
        {[this] { SaveAs("balle"); }, {"balle.h", "balle"}},
        {[this] { Open(Qt::Key_O, "1er essai.pixo"); }, {"1er essai.h", "_1er_essai"}},
        {[this] { Open(Qt::Key_O, "absent.pixo"); }, {"1er essai.h", "_1er_essai"}},
        {[this] { DropFile("ECRAN.89i"); }, {"ECRAN.h", "ECRAN"}},
        {[this] { SaveAs("int.pixs"); }, {"int.h", "int_"}},
    };
    for (const auto& [act, names] : rows) {
        act();
        EXPECT_EQ((QStringList{form->Edit1->text(), form->Edit2->text()}), names);
    }
}

} // namespace
