// A panel lives on whatever editor context it is given: here a bare window
// with a document and five empty pages, no main window. A panel that
// reached past its context (into the main window, or into a part of the
// context it has no business with) fails here.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

#include "EditorContext.h"
#include "UndoPanel.h"

namespace {

// What the undo panel has no use for ends the test program.
template <typename T> T Unused()
{
    ADD_FAILURE() << "a panel reached a part of the editor it does not use";
    std::abort();
}

class BareEditor : public QWidget, public EditorContext {
public:
    BareEditor() : document_({16, 16})
    {
        for (QWidget*& page : pages_)
            page = new QWidget(this);
    }

    SpriteDocument& Document() override { return document_; }
    void ShowChange(const DocumentChange& change) override
    {
        ++changesShown;
        for (EditorPanel* panel : panels)
            panel->ShowChange(change);
    }
    QWidget& Window() override { return *this; }
    QWidget* Page(EditorPage page) const override { return pages_[static_cast<int>(page)]; }

    DocumentManager& Documents() override { return Unused<DocumentManager&>(); }
    const DesignedControls& Designed() const override { return Unused<const DesignedControls&>(); }
    void Save() override { Unused<void>(); }
    void Load() override { Unused<void>(); }
    void ImportPicture() override { Unused<void>(); }
    void ExportWithPlugin() override { Unused<void>(); }
    void ProposeExportNames(const QString&) override { Unused<void>(); }
    SpriteView& MainView() override { return Unused<SpriteView&>(); }
    bool MainViewInTrueColors() const override { return false; }
    void RedrawViews() override {}
    void RepaintPreview(bool) override {}
    void ShowCellPosition(Point) override {}
    void CheckerFramePictures(bool) override {}
    int8_t& ChosenTool() override { return tool_; }
    std::array<PenValue, MouseButtonCount>& ButtonPens() override { return pens_; }
    void ShowButtonPens() override {}
    UndoPanel& Undo() override { return Unused<UndoPanel&>(); }
    FramePanel& Frames() override { return Unused<FramePanel&>(); }
    PicturePanel& Pictures() override { return Unused<PicturePanel&>(); }
    ToolPanel& Tools() override { return Unused<ToolPanel&>(); }

    int changesShown = 0;
    std::vector<EditorPanel*> panels;

private:
    SpriteDocument document_;
    QWidget* pages_[5];
    int8_t tool_ = ToolPencil;
    std::array<PenValue, MouseButtonCount> pens_{Black, LightGray, DarkGray};
};

} // namespace

TEST(EditorContext, APanelWorksOnAnyContextThroughItAlone)
{
    BareEditor editor;
    auto* undo = new UndoPanel(editor);
    editor.panels.push_back(undo);
    auto* annuler = editor.findChild<QPushButton*>(QStringLiteral("B_Annuler"));
    auto* retablir = editor.findChild<QPushButton*>(QStringLiteral("B_Retablir"));
    ASSERT_TRUE(annuler && retablir);
    EXPECT_EQ(annuler->parentWidget(), editor.Page(EditorPage::Retouche));

    editor.ShowChange(editor.Document().MouseDown(ToolPencil, 0, Black, {3, 4}));
    editor.ShowChange(editor.Document().MouseUp(ToolPencil, 0, {3, 4}));
    ASSERT_EQ(editor.Document().Editing().GetColor(3, 4), Black);
    EXPECT_TRUE(annuler->isEnabled());

    const int shownBefore = editor.changesShown;
    QTest::mouseClick(annuler, Qt::LeftButton);
    EXPECT_EQ(editor.Document().Editing().GetColor(3, 4), White);
    EXPECT_GT(editor.changesShown, shownBefore);
    EXPECT_FALSE(annuler->isEnabled());
    EXPECT_TRUE(retablir->isEnabled());
}
