// Undo and redo from the main window: real key presses sent to the widget
// that has the keyboard focus, clicks on the buttons "Annuler" and
// "Rétablir", and the file commands answered by scripted dialogs.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <functional>

#include "gui_fixture.h"

namespace {

// What the user sees of the sprite, with the cells its size hides.
struct Shown {
    Point size;
    Rows rows;
    Rows storage;
};

class UndoRedo : public EditorWindowTest {
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // A key press as the keyboard makes it: to the widget with the focus.
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, modifiers);
    }
    void Undo() { Keys(Qt::Key_Z); }
    void RedoY() { Keys(Qt::Key_Y); }
    void RedoShiftZ() { Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }

    Rows Picture() const { return ToRows(form->sprite); }
    Shown State() const
    {
        Sprite whole = form->sprite;
        whole.SetSize({MaxWidth, MaxHeight});
        return {form->sprite.GetSize(), Picture(), ToRows(whole)};
    }
    // The sprite as it was, and the size edits showing its size.
    void ExpectShown(const Shown& expected, const char* when) const
    {
        const Shown now = State();
        EXPECT_EQ(now.size, expected.size) << when;
        EXPECT_EQ(form->E_TailleX->text(), QString::number(expected.size.x)) << when;
        EXPECT_EQ(form->E_TailleY->text(), QString::number(expected.size.y)) << when;
        EXPECT_EQ(now.rows, expected.rows) << when;
        EXPECT_TRUE(now.storage == expected.storage) << when << ": hidden cells differ";
    }

    QString FileInProgramFolder(const QString& name, const QByteArray& bytes)
    {
        const QString path = ProgramFolder() + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    void Load(QPushButton* command, const QString& path)
    {
        dialogs.fileAnswers.push_back(path);
        ClickOnItsPage(command);
    }

    QString UndoHint() const { return Find<QPushButton>("B_Annuler")->toolTip(); }
    QString RedoHint() const { return Find<QPushButton>("B_Retablir")->toolTip(); }
};

TEST_F(UndoRedo, StrokeOfTwoButtonsIsOneStep)
{
    ApplySize("6", "3");
    const Rows blank = Picture();
    Press(Qt::LeftButton, CellCenter(0, 0));
    Press(Qt::RightButton, CellCenter(0, 0));
    Move(CellCenter(5, 0));
    Release(Qt::LeftButton, CellCenter(5, 0));
    Move(CellCenter(5, 2));
    // The right button still draws: its stroke is not over yet.
    Undo();
    EXPECT_EQ(Picture(), (Rows{"llllll", ".....l", ".....l"}));
    Release(Qt::RightButton, CellCenter(5, 2));
    const Rows drawn = Picture();

    Undo();
    EXPECT_EQ(Picture(), blank);
    RedoY();
    EXPECT_EQ(Picture(), drawn);
    Undo();
    RedoShiftZ();
    EXPECT_EQ(Picture(), drawn);
}

TEST_F(UndoRedo, EachFillClickIsOneStepAndAFillThatChangesNothingIsNone)
{
    ApplySize("5", "3");
    ClickCell(Qt::LeftButton, 2, 1);
    ChooseTool(form->sbRempli);
    ClickCell(Qt::RightButton, 0, 0);
    const Rows filled{"lllll", "ll#ll", "lllll"};
    ASSERT_EQ(Picture(), filled);
    ClickCell(Qt::RightButton, 4, 2); // already light gray

    Undo();
    EXPECT_EQ(Picture(), (Rows{".....", "..#..", "....."}));
    Undo();
    EXPECT_EQ(Picture(), Rows(3, "....."));
    Undo(); // the size
    Undo(); // nothing left
    EXPECT_EQ(form->sprite.GetSize(), (Point{16, 16}));
    for (int step = 0; step < 3; ++step)
        RedoY();
    EXPECT_EQ(Picture(), filled);
}

// A file opened in place of the whole set starts a new history, so that no
// undo brings back under its name a drawing it does not hold; a picture
// imported into one frame of several is a step of that frame.
TEST_F(UndoRedo, LoadStartsANewHistoryAndAnImportIntoOneFrameIsAStep)
{
    ClickCell(Qt::LeftButton, 12, 14);
    const QString pixo = ProgramFolder() + "four.pixo";
    ASSERT_TRUE(FromRows({"B.#.", "..d.", "l..W"}).SaveToFile(QFile::encodeName(pixo).toStdString()));
    dialogs.questionAnswers = {1}; // "Ne pas enregistrer"
    Load(form->BitBtn7, pixo);
    ASSERT_EQ(Picture(), (Rows{"B.#.", "..d.", "l..W"}));
    const Shown loaded = State();
    EXPECT_FALSE(Find<QPushButton>("B_Annuler")->isEnabled());
    EXPECT_EQ(UndoHint(), "Annuler (Ctrl+Z)");
    Undo();
    ExpectShown(loaded, "nothing before the load");

    ClickOnItsPage(Find<QPushButton>("B_NouvelleImage"));
    // An 8 x 2 picture: the height at offset 89, the width at 91, rows from 92.
    QByteArray picture(92, '\0');
    picture[89] = 2;
    picture[91] = 8;
    picture.append("\x81\xFF", 2);
    Load(form->BitBtn9, FileInProgramFolder("eight.89i", picture));
    ASSERT_EQ(Picture(), (Rows{"#......#", "########"}));
    const Shown imported = State();
    EXPECT_EQ(UndoHint(), "Annuler : import d'image (Ctrl+Z)");
    EXPECT_TRUE(form->windowTitle().startsWith("four.pixo* - ")) << "the set stays the file edited";

    Undo();
    EXPECT_EQ(Picture(), Rows(3, "....")) << "the new frame as it was";
    EXPECT_EQ(RedoHint(), "Rétablir : import d'image (Ctrl+Y)");
    // A load that fails changes nothing, so what can be redone stays.
    Load(form->BitBtn7, ProgramFolder() + "missing.pixo");
    EXPECT_EQ(RedoHint(), "Rétablir : import d'image (Ctrl+Y)");
    RedoShiftZ();
    ExpectShown(imported, "import redone");
}

TEST_F(UndoRedo, ButtonsSitBesideThePanelsOfTheirPage)
{
    for (QPushButton* button : {Find<QPushButton>("B_Annuler"), Find<QPushButton>("B_Retablir")}) {
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
        EXPECT_TRUE(form->TabSheet1->rect().contains(button->geometry())) << button->objectName().toStdString();
        const std::initializer_list<const QWidget*> neighbours{form->Panel1, form->Panel2, form->Panel3, form->Panel4,
                                                               form->BitBtn1};
        for (const QWidget* other : neighbours)
            EXPECT_FALSE(button->geometry().intersects(other->geometry())) << other->objectName().toStdString();
    }
    EXPECT_FALSE(Find<QPushButton>("B_Annuler")->geometry().intersects(Find<QPushButton>("B_Retablir")->geometry()));
}

// Keys pressed after Enter in a size edit and a click on the view undo the
// click, then the size, hidden cells included.
TEST_F(UndoRedo, PressOnTheViewTakesTheKeysFromASizeEdit)
{
    ApplySize("32", "32");
    ClickCell(Qt::LeftButton, 20, 5);
    const Shown big = State();
    form->E_TailleX->setText("16");
    form->E_TailleY->setText("16");
    form->E_TailleY->setFocus();
    Keys(Qt::Key_Return, Qt::NoModifier);
    ClickCell(Qt::LeftButton, 1, 1); // takes the keys away from the edit
    Undo();
    Undo();
    ExpectShown(big, "shrink undone");
    EXPECT_EQ(form->sprite.GetColor(20, 5), Black);
}

// Each row is one command of the page "Retouche" or of the view, run on what
// the rows before it left; every one changes the sprite.
TEST_F(UndoRedo, ButtonsAreEnabledAndNameTheStepTheyWouldTake)
{
    EXPECT_FALSE(Find<QPushButton>("B_Annuler")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("B_Retablir")->isEnabled());
    EXPECT_EQ(UndoHint(), "Annuler (Ctrl+Z)");
    EXPECT_EQ(RedoHint(), "Rétablir (Ctrl+Y)");
    EXPECT_EQ(Find<QPushButton>("B_Annuler")->text(), "Annuler");
    EXPECT_EQ(Find<QPushButton>("B_Retablir")->text(), "Rétablir");

    const struct {
        const char* label;
        std::function<void()> command;
    } commands[] = {
        {"crayon", [&] { ClickCell(Qt::LeftButton, 1, 1); }},
        {"ligne",
         [&] {
             ChooseTool(form->sbLine);
             Press(Qt::LeftButton, CellCenter(0, 3));
             Move(CellCenter(4, 3));
             Release(Qt::LeftButton, CellCenter(4, 3));
         }},
        {"masque automatique", [&] { QTest::mouseClick(form->SpeedButton1, Qt::LeftButton); }},
        {"remplissage",
         [&] {
             ChooseTool(form->sbRempli);
             ClickCell(Qt::RightButton, 9, 9);
         }},
        {"effacement", [&] { QTest::mouseClick(form->BitBtn3, Qt::LeftButton); }},
        {"taille", [&] { ApplySize("8", "8"); }},
    };
    for (const auto& [label, command] : commands) {
        const Shown before = State();
        command();
        const Shown after = State();
        const QString undoHint = QStringLiteral("Annuler : %1 (Ctrl+Z)").arg(label);
        const QString redoHint = QStringLiteral("Rétablir : %1 (Ctrl+Y)").arg(label);
        EXPECT_TRUE(Find<QPushButton>("B_Annuler")->isEnabled()) << label;
        EXPECT_FALSE(Find<QPushButton>("B_Retablir")->isEnabled()) << label;
        EXPECT_EQ(UndoHint(), undoHint) << label;

        QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
        ExpectShown(before, label);
        EXPECT_TRUE(Find<QPushButton>("B_Retablir")->isEnabled()) << label;
        EXPECT_EQ(RedoHint(), redoHint) << label;

        QTest::mouseClick(Find<QPushButton>("B_Retablir"), Qt::LeftButton);
        ExpectShown(after, label);
        EXPECT_FALSE(Find<QPushButton>("B_Retablir")->isEnabled()) << label;
        EXPECT_EQ(UndoHint(), undoHint) << label;
    }

    QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
    ChooseTool(form->sbPencil);
    ClickCell(Qt::LeftButton, 0, 0);
    EXPECT_FALSE(Find<QPushButton>("B_Retablir")->isEnabled()) << "a new step drops what could be redone";
    EXPECT_EQ(RedoHint(), "Rétablir (Ctrl+Y)");
}

TEST_F(UndoRedo, KeysInsideASizeEditActOnItsTextOnly)
{
    ClickCell(Qt::LeftButton, 1, 1);
    ClickCell(Qt::LeftButton, 2, 2);
    QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
    const Rows between = Picture();

    form->E_TailleX->setFocus();
    form->E_TailleX->end(false);
    QTest::keyClicks(form->E_TailleX, "4");
    ASSERT_EQ(form->E_TailleX->text(), "164");
    Undo();
    EXPECT_EQ(form->E_TailleX->text(), "16");
    RedoShiftZ();
    RedoY();
    Undo();
    EXPECT_EQ(Picture(), between);
    EXPECT_TRUE(Find<QPushButton>("B_Annuler")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("B_Retablir")->isEnabled());

    // Read-only boxes have no text to undo: there the keys reach the sprite.
    form->E_PositionX->setFocus();
    Undo();
    EXPECT_EQ(Picture(), Rows(16, "................"));
}

// Enter in a size edit while a button is held: what was drawn before, the
// size and what is drawn after are three steps, each undone to a picture the
// user saw.
TEST_F(UndoRedo, CommandDuringAStrokeCutsItInTwo)
{
    ApplySize("8", "8");
    const Shown blank = State();
    Press(Qt::LeftButton, CellCenter(0, 0));
    Move(CellCenter(3, 0));
    const Shown firstPart = State();
    form->E_TailleX->setText("4");
    form->E_TailleY->setText("4");
    form->E_TailleY->setFocus();
    Keys(Qt::Key_Return, Qt::NoModifier);
    const Shown resized = State();
    Move(CellCenter(3, 3));
    Release(Qt::LeftButton, CellCenter(3, 3));
    ASSERT_EQ(Picture(), (Rows{"####", "...#", "...#", "...#"}));

    form->setFocus();
    Undo();
    ExpectShown(resized, "after the command");
    Undo();
    ExpectShown(firstPart, "before the command");
    Undo();
    ExpectShown(blank, "before the stroke");
}

} // namespace
