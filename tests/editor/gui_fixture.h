// Common ground of the editor's window tests: the application object, a
// scripted stand-in for every message box and file dialog, a temporary
// program folder, the three windows built as the program builds them, and
// real mouse and key events sent to cells of the main view.
#pragma once

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;

#include "Controls.h"
#include "Dialogs.h"
#include "SpriteText.h"
#include "U_apercu.h"
#include "U_export.h"
#include "U_main.h"

struct ShownMessage {
    QString text;
    QString caption;
    MessageIcon icon;
};

struct FileDialogCall {
    FileDialogKind kind;
    QString objectName;
    QString filter;
    QString fileNameBefore;
    QString folderBefore;
};

struct AskedQuestion {
    QString text;
    QString caption;
    QStringList buttons;
};

// Answers file dialogs and questions from a script and records every box and
// dialog shown.
class ScriptedDialogs : public Dialogs {
public:
    std::vector<ShownMessage> messages;
    std::vector<AskedQuestion> questions;
    // Indexes of the buttons chosen for the next questions in order; with no
    // answer left a question gets its default, the first button, as Enter.
    std::deque<int> questionAnswers;
    std::vector<FileDialogCall> fileDialogs;
    // Answers of the next file dialogs in order; nullopt, or no answer left,
    // cancels the dialog.
    std::deque<std::optional<QString>> fileAnswers;

    void ShowMessage(const QString& text, const QString& caption, MessageIcon icon) override;
    int Ask(const QString& text, const QString& caption, MessageIcon icon, const QStringList& buttons) override;
    bool Execute(FileDialogKind kind, FileDialog& dialog) override;
};

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs before the windows are built: put settings or plug-ins into
    // programFolder here.
    virtual void PrepareProgramFolder() {}
    // Builds the three windows in the program's order and shows the main
    // window, as the program's start does.
    void StartEditor();
    // Destroys the windows (the main window first closed as by the user).
    void StopEditor();

    QString ProgramFolder() const;
    ProgramPaths Paths() const;

    // The window point at the centre of cell (x, y) of the main view, found
    // from the region's size alone.
    QPoint CellCenter(int x, int y) const;
    void Press(Qt::MouseButton button, QPoint windowPoint);
    void Move(QPoint windowPoint);
    void Release(Qt::MouseButton button, QPoint windowPoint);
    void Click(Qt::MouseButton button, QPoint windowPoint);
    void ClickCell(Qt::MouseButton button, int x, int y) { Click(button, CellCenter(x, y)); }

    // A control added beside the design, found by its object name.
    template <class Control> Control* Find(const char* name) const
    {
        auto* control = form->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // The page of the tab control that holds the control.
    QWidget* PageOf(const QWidget* control) const;
    // Shows the button's page first, as a user must, then clicks it.
    void ClickOnItsPage(QAbstractButton* button);

    // Types the size into the two edits and clicks "&OK".
    void ApplySize(const QString& columns, const QString& rows);
    // Puts a tool button down and moves the pointer over it, as a user does.
    void ChooseTool(QToolButton* button);
    // One wheel event over the main view; positive turns away from the user.
    void TurnWheel(int delta);

    // Makes the sprite the one the rows draw and shows its size in the edits,
    // as the editor holds a sprite it has just opened: no undo step, nothing
    // unsaved.
    void UseSprite(const Rows& rows);
    // Exactly one message box was shown, and it was this one.
    void ExpectOneMessage(const QString& text, const QString& caption, MessageIcon icon);

    // What the main window shows inside the view region, after the pending
    // repaints.
    QImage MainView();
    // The colour a widget shows at its centre.
    static QRgb CentreColor(QWidget* widget);

    QTemporaryDir programFolder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TF_Apercu> preview;
    std::unique_ptr<TForm2> exportWindow;
};
