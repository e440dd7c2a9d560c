// The overview of the frames with real events: "Vue d'ensemble" at the end
// of the frame row, a click that goes to a frame, a drag that moves one as
// one undo step, a set of 300 frames, and the sheet "Exporter la planche en
// PNG..." writes, byte for byte the command's.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>

#include "FrameOverview.h"
#include "LoadCommands.h"
#include "SheetExportDialog.h"
#include "gui_fixture.h"
#include "set_file.h"

namespace {

class Overview : public EditorWindowTest {
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // The frames the rows draw, the first one edited, nothing to undo.
    void UseFrames(const std::vector<Rows>& frames)
    {
        FrameList set;
        for (const Rows& rows : frames)
            set.push_back(std::make_unique<Sprite>(FromRows(rows)));
        form->ShowDocumentChange(ReplaceSet(form->document, std::move(set), "").change);
        form->ShowDocumentChange(form->document.StartNewHistory());
    }

    // Opens the overview from the frame row, as a user does.
    FrameOverview* OpenOverview()
    {
        QTest::mouseClick(Find<QPushButton>("B_VueEnsemble"), Qt::LeftButton);
        auto* overview = Find<FrameOverview>("F_VueEnsemble");
        EXPECT_TRUE(overview->isVisible());
        overview->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(overview));
        return overview;
    }

    // The first pixel of each frame, in the set's order.
    std::string Order() const
    {
        std::string order;
        for (int k = 0; k < form->document.Frames().Count(); ++k)
            order += ToRows(form->document.Frames().Frame(k))[0][0];
        return order;
    }

    QString PathOf(const QString& name) const { return ProgramFolder() + name; }
};

TEST_F(Overview, AClickGoesToAFrameAndADragMovesItAsOneUndoStep)
{
    UseFrames({{"#."}, {"l."}, {"d."}, {"W."}, {".#"}, {"L."}});
    FrameGrid* grid = OpenOverview()->grid;
    const auto center = [&](int index) { return grid->PictureRect(index).center(); };

    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, center(4));
    EXPECT_EQ(form->document.Frames().Current(), 4);
    EXPECT_EQ(ToRows(form->sprite), (Rows{".#"}));
    EXPECT_FALSE(form->document.CanUndo()) << "going to a frame is no step";

    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, center(0));
    QTest::mouseMove(grid, center(0) + QPoint(20, 0));
    QTest::mouseMove(grid, center(3));
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, center(3));
    EXPECT_EQ(Order(), "ldW#.L");
    EXPECT_EQ(form->document.Frames().Current(), 3);
    EXPECT_EQ(form->document.UndoLabel(), "déplacement d'image");

    // A drop past the last frame is on the last.
    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, center(1));
    QTest::mouseMove(grid, QPoint(grid->width() - 2, grid->height() - 2));
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, QPoint(grid->width() - 2, grid->height() - 2));
    EXPECT_EQ(Order(), "lW#.Ld");

    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Order(), "ldW#.L");
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Order(), "#ldW.L");
    EXPECT_EQ(form->document.Frames().Current(), 4) << "the frame edited before the first drag";
    EXPECT_FALSE(form->document.CanUndo());
}

// 320 x 240 cut into 16 x 16: 300 pictures, four screen pixels to a sprite
// pixel and never smoothed; the last ones are reached by scrolling.
TEST_F(Overview, ThreeHundredFramesShowSharpAndTheLastIsReached)
{
    std::vector<Rows> frames;
    for (int k = 0; k < 300; ++k) {
        Rows rows(16, std::string(16, '.'));
        rows[k / 16 % 16][k % 16] = '#';
        frames.push_back(rows);
    }
    UseFrames(frames);
    FrameOverview* overview = OpenOverview();
    FrameGrid* grid = overview->grid;
    EXPECT_EQ(grid->Scale(), 4);
    EXPECT_EQ(overview->findChild<QLabel*>("L_NombreImagesPlanche")->text(), "300 images");
    const QRect last = grid->PictureRect(299);
    EXPECT_TRUE(grid->rect().contains(last));

    auto* scroll = overview->findChild<QScrollArea*>();
    scroll->ensureVisible(last.center().x(), last.center().y());
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, last.center());
    EXPECT_EQ(form->document.Frames().Current(), 299);

    // Frame 299's black pixel is at (11, 2): 4 x 4 black screen pixels,
    // white right beside them.
    const QImage shown = grid->grab(last).toImage();
    EXPECT_EQ(shown.pixel(11 * 4, 2 * 4) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(11 * 4 + 3, 2 * 4 + 3) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(11 * 4 + 4, 2 * 4 + 3) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shown.pixel(11 * 4 - 1, 2 * 4) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(Overview, TheSheetPngIsTheCommandsByteForByte)
{
    UseFrames({{"#l.", "dWB"}, {"...", "..#"}, {"lll", "ddd"}, {"#..", ".#."}, {"B..", "..L"}});
    const std::string set = QFile::encodeName(PathOf("anim.pixs")).toStdString();
    ASSERT_TRUE(SaveSpriteSetFile(set, form->document.Frames().Frames()));

    int columnsOffered = 0;
    QTimer::singleShot(0, [&] {
        auto* choices = dynamic_cast<SheetExportDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(choices, nullptr);
        columnsOffered = choices->E_Colonnes->value();
        choices->E_Colonnes->setValue(3);
        choices->E_EspacePlanche->setValue(1);
        choices->E_EchellePlanche->setValue(2);
        EXPECT_EQ(choices->L_TaillePlanche->text(), QStringLiteral("Image de 22 × 10 pixels")); // (3 x 3 + 2) x 2
        QTest::mouseClick(choices->okButton, Qt::LeftButton);
    });
    dialogs.fileAnswers.push_back(PathOf("planche"));
    QTest::mouseClick(OpenOverview()->B_ExporterPlanche, Qt::LeftButton);
    EXPECT_EQ(columnsOffered, 2) << "6 x 6 pixels, the nearest to a square";
    ExpectOneMessage("Exportation PNG effectuée : ...", "Succès!", MessageIcon::Information);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].objectName, "SaveDialogPlanche");

    QProcess command;
    command.start(PIXORA_PROGRAM_DIR "/pixora-export", {"--to-png", PathOf("commande.png"), PathOf("anim.pixs"),
                                                        "--sheet-columns", "3", "--spacing", "1", "--png-scale", "2"});
    ASSERT_TRUE(command.waitForFinished());
    ASSERT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();
    QFile written(PathOf("planche.png")), expected(PathOf("commande.png"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_EQ(bytes, expected.readAll());
    EXPECT_EQ(QImage::fromData(bytes).size(), QSize(22, 10));
}

} // namespace
