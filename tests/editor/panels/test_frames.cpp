// Sprite sets in the main window: the frame controls and their keys, undo of
// frame commands, ".pixs" save and load beside ".pixo", the slicing of an
// imported picture, the export of every frame, the onion skin and the
// animated preview, all through real clicks and keys.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <set>

#include "PluginFrames.h"
#include "gui_fixture.h"
#include "set_file.h"

namespace {

class Frames : public EditorWindowTest {
protected:
    void PrepareProgramFolder() override
    {
        QDir(ProgramFolder()).mkdir("Plugins");
        ASSERT_TRUE(QFile::copy(PIXORA_PLUGIN_DIR "/hexplane.so", ProgramFolder() + "Plugins/hexplane.so"));
    }

    void Press(QPushButton* button)
    {
        form->PageControl1->setCurrentWidget(form->TabSheet1);
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QString FrameLabel() const { return Find<QLabel>("L_Image")->text(); }

    std::vector<Rows> AllFrames() const
    {
        std::vector<Rows> frames;
        for (int k = 0; k < form->document.Frames().Count(); ++k)
            frames.push_back(ToRows(form->document.Frames().Frame(k)));
        return frames;
    }

    QString PathOf(const QString& name) const { return ProgramFolder() + name; }
    std::string FsPath(const QString& name) const { return QFile::encodeName(PathOf(name)).toStdString(); }

    void Answer(QPushButton* command, const QString& file)
    {
        form->PageControl1->setCurrentWidget(form->TabSheet2);
        dialogs.fileAnswers.push_back(PathOf(file));
        dialogs.messages.clear();
        QTest::mouseClick(command, Qt::LeftButton);
    }

    QByteArray FileBytes(const QString& name) const
    {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

TEST_F(Frames, NextPreviousAddAndDeleteWorkOnTheEditedSprite)
{
    EXPECT_EQ(FrameLabel(), "image 1 / 1");
    EXPECT_FALSE(Find<QPushButton>("B_SupprimerImage")->isEnabled()) << "never the last frame";
    ClickCell(Qt::LeftButton, 1, 1);
    Press(Find<QPushButton>("B_NouvelleImage"));
    EXPECT_EQ(FrameLabel(), "image 2 / 2");
    EXPECT_EQ(form->sprite.GetSize(), (Point{16, 16}));
    EXPECT_EQ(form->sprite.GetColor(1, 1), White) << "a new frame is white";
    ClickCell(Qt::RightButton, 2, 2);

    Press(Find<QPushButton>("B_ImagePrecedente"));
    EXPECT_EQ(FrameLabel(), "image 1 / 2");
    EXPECT_EQ(form->sprite.GetColor(1, 1), Black);
    EXPECT_EQ(form->sprite.GetColor(2, 2), White);
    const QPoint cell = CellCenter(1, 1);
    EXPECT_EQ(MainView().pixel(cell) & 0xFFFFFF, 0x000000u) << "the view shows the frame selected";

    // Page Down outside the text boxes, but not while typing in a size edit.
    form->setFocus();
    QTest::keyClick(form.get(), Qt::Key_PageDown);
    EXPECT_EQ(FrameLabel(), "image 2 / 2");
    EXPECT_EQ(form->sprite.GetColor(2, 2), LightGray);
    form->E_TailleX->setFocus();
    QTest::keyClick(form->E_TailleX, Qt::Key_PageUp);
    EXPECT_EQ(FrameLabel(), "image 2 / 2");
    form->setFocus();
    QTest::keyClick(form.get(), Qt::Key_PageUp);
    EXPECT_EQ(FrameLabel(), "image 1 / 2");

    ApplySize("4", "3");
    EXPECT_EQ(form->document.Frames().Frame(1).GetSize(), (Point{4, 3})) << "a new size applies to every frame";

    Press(Find<QPushButton>("B_SupprimerImage"));
    EXPECT_EQ(FrameLabel(), "image 1 / 1");
    EXPECT_EQ(form->sprite.GetColor(2, 2), LightGray) << "the other frame is left";
    EXPECT_FALSE(Find<QPushButton>("B_SupprimerImage")->isEnabled());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Frames, FrameCommandsUndoAsStepsAndEditsUndoOnTheirFrame)
{
    UseSprite({"#.", ".."});
    Press(Find<QPushButton>("B_DupliquerImage"));
    ClickCell(Qt::RightButton, 1, 1);         // frame 2 gets a light gray pixel
    Press(Find<QPushButton>("B_ImageAvant")); // and moves first
    EXPECT_EQ(AllFrames(), (std::vector<Rows>{{"#.", ".l"}, {"#.", ".."}}));
    Press(Find<QPushButton>("B_ImageSuivante"));
    EXPECT_EQ(Find<QPushButton>("B_Annuler")->toolTip(), "Annuler : déplacement d'image (Ctrl+Z)");

    const std::vector<std::vector<Rows>> steps = {
        {{"#.", ".."}, {"#.", ".l"}}, // moved back
        {{"#.", ".."}, {"#.", ".."}}, // the stroke undone on its own frame
        {{"#.", ".."}},               // the duplicate gone
    };
    for (const auto& expected : steps) {
        QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
        EXPECT_EQ(AllFrames(), expected);
    }
    EXPECT_EQ(FrameLabel(), "image 1 / 1");
    QTest::mouseClick(Find<QPushButton>("B_Retablir"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>("B_Retablir"), Qt::LeftButton);
    EXPECT_EQ(FrameLabel(), "image 2 / 2") << "redoing the stroke shows its frame";
    EXPECT_EQ(form->sprite.GetColor(1, 1), LightGray);
}

TEST_F(Frames, SetsSaveAsPixsAndAPixoLoadsAsOneFrame)
{
    EXPECT_EQ(form->OpenDialog1.nextFilter, "Planche de sprites (*.pixs)|*.pixs");
    EXPECT_EQ(form->SaveDialog1.nextFilter, "Planche de sprites (*.pixs)|*.pixs");
    UseSprite({"#.", ".d"});
    Press(Find<QPushButton>("B_NouvelleImage"));
    Answer(form->BitBtn5, "planche.PIXS");
    ExpectOneMessage("Enregsitrement effectué : ...", "Succès!", MessageIcon::Information);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(FileBytes("planche.PIXS").toStdString(), SpriteSetBytes(form->document.Frames().Frames()));

    // Several frames saved as ".pixo": the user chooses.
    dialogs.questionAnswers = {1};
    Answer(form->BitBtn5, "courante");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].buttons, (QStringList{"Planche (.pixs)", "Image courante (.pixo)", "Annuler"}));
    Sprite saved;
    ASSERT_TRUE(saved.LoadFromFile(FsPath("courante.pixo")));
    EXPECT_EQ(ToRows(saved), (Rows{"..", ".."})) << "only the current frame";
    dialogs.questionAnswers = {0};
    Answer(form->BitBtn5, "toutes.pixo");
    EXPECT_EQ(FileBytes("toutes.pixs").toStdString(), SpriteSetBytes(form->document.Frames().Frames()));
    EXPECT_EQ(form->SaveDialog1.fileName, PathOf("toutes.pixs"));
    dialogs.questionAnswers = {2};
    Answer(form->BitBtn5, "rien.pixo"); // "Annuler"
    EXPECT_FALSE(QFile::exists(PathOf("rien.pixo")));
    EXPECT_TRUE(dialogs.messages.empty());

    ASSERT_TRUE(FromRows({"lll"}).SaveToFile(FsPath("un.pixo")));
    Answer(form->BitBtn7, "un.pixo");
    ExpectOneMessage("Chargement effectué : ...", "Succès!", MessageIcon::Information);
    EXPECT_EQ(AllFrames(), (std::vector<Rows>{{"lll"}}));
    EXPECT_EQ(form->E_TailleX->text(), "3");
    EXPECT_FALSE(Find<QPushButton>("B_Annuler")->isEnabled()) << "a load starts a new history";

    Answer(form->BitBtn7, "planche.PIXS");
    EXPECT_EQ(AllFrames(), (std::vector<Rows>{{"#.", ".d"}, {"..", ".."}}));
    EXPECT_EQ(FrameLabel(), "image 1 / 2");
    QFile::resize(PathOf("planche.PIXS"), 100);
    Answer(form->BitBtn7, "planche.PIXS");
    ExpectOneMessage("Le Chargement a échoué", "Echec!", MessageIcon::Warning);
    EXPECT_EQ(form->document.Frames().Count(), 2) << "a refused set changes nothing";
}

TEST_F(Frames, AnImportedPictureCanBeSlicedIntoFrames)
{
    QByteArray picture(92, '\0');
    picture[89] = 8;  // height
    picture[91] = 24; // width: three 8 x 8 cells
    for (int row = 0; row < 8; ++row)
        picture += QByteArray("\xFF\x00\x0F", 3);
    QFile file(PathOf("planche.89i"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(picture);
    file.close();

    Find<QCheckBox>("CB_Decouper")->setChecked(true);
    Find<QLineEdit>("E_DecoupeX")->setText("8");
    Find<QLineEdit>("E_DecoupeY")->setText("8");
    Answer(form->BitBtn9, "planche.89i");
    ExpectOneMessage("Chargement effectué : ...", "Succès!", MessageIcon::Information);
    ASSERT_EQ(form->document.Frames().Count(), 3);
    EXPECT_EQ(ToRows(form->document.Frames().Frame(0)), Rows(8, "########"));
    EXPECT_EQ(ToRows(form->document.Frames().Frame(1)), Rows(8, "........"));
    EXPECT_EQ(ToRows(form->document.Frames().Frame(2)), Rows(8, "....####"));
    EXPECT_EQ(form->E_TailleX->text(), "8");

    Find<QLineEdit>("E_DecoupeX")->setText("25");
    Answer(form->BitBtn9, "planche.89i");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Echec!");
    EXPECT_TRUE(dialogs.messages[0].text.contains(": 0 image entière, il en faut de 1 à 65535"))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(form->document.Frames().Count(), 3);
}

TEST_F(Frames, ExportWritesEveryFrameJoinedIntoOneFile)
{
    UseSprite(Rows(8, "#.#.#.#."));
    Press(Find<QPushButton>("B_NouvelleImage"));
    form->ComboBox1->setCurrentIndex(0);
    form->Edit1->setText("heros.h");
    form->Edit2->setText("Heros");
    form->CB_OuvrirFenetre->setChecked(false);
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    const QString path = ProgramFolder() + "export/heros.h";
    ExpectOneMessage("Exportation réussie dans \"" + path + "\"", "Succès", MessageIcon::Information);

    const JoinedExport joined =
        ExportFrames(form->document.Frames().Frames(), "Heros",
                     PluginFrameWriter(QFile::encodeName(ProgramFolder() + "Plugins/hexplane.so").toStdString(), 8, 8));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), joined.text);
    EXPECT_TRUE(joined.text.find("Heros_0[]") != std::string::npos &&
                joined.text.find("Heros_1[]") != std::string::npos);
}

TEST_F(Frames, OnionSkinShowsThePreviousFrameFaintlyOnlyWhenOn)
{
    UseSprite({"#.", ".."});
    Press(Find<QPushButton>("B_NouvelleImage"));
    const QPoint onBlack = CellCenter(0, 0);
    const QPoint onWhite = CellCenter(1, 0);
    EXPECT_EQ(MainView().pixel(onBlack) & 0xFFFFFF, 0xFFFFFFu) << "off: the designed pixels";

    Find<QCheckBox>("CB_PelureOignon")->setChecked(true);
    const QRgb faint = MainView().pixel(onBlack) & 0xFFFFFF;
    EXPECT_NE(faint, 0xFFFFFFu);
    EXPECT_GT(qRed(faint), 128) << "faint, not black";
    EXPECT_EQ(MainView().pixel(onWhite) & 0xFFFFFF, 0xFFFFFFu);
    ClickCell(Qt::LeftButton, 0, 0);
    EXPECT_EQ(MainView().pixel(onBlack) & 0xFFFFFF, 0x000000u) << "the frame's own pixels show as they are";
    Press(Find<QPushButton>("B_ImagePrecedente"));
    EXPECT_EQ(MainView().pixel(onWhite) & 0xFFFFFF, 0xFFFFFFu) << "the first frame has no previous one";
}

// A masked cell is transparent in a game, whatever color it hides: the
// previous frame shows over it as over white.
TEST_F(Frames, OnionSkinShowsOverMaskedCellsToo)
{
    UseSprite({"##", "#."});
    Press(Find<QPushButton>("B_DupliquerImage"));
    ASSERT_EQ(form->document.Frames().Current(), 1);
    form->sprite = FromRows({"WB", "#."}); // masked white, masked black; black
    Find<QCheckBox>("CB_PelureOignon")->setChecked(true);
    const struct {
        Point cell;
        QRgb without; // the designed pixel, onion skin off
    } cases[] = {
        {{0, 0}, 0xFFFFFF},
        {{1, 0}, 0x000000},
    };
    for (const auto& test : cases) {
        const QPoint centre = CellCenter(test.cell.x, test.cell.y);
        const QRgb shown = MainView().pixel(centre) & 0xFFFFFF;
        EXPECT_NE(shown, test.without) << test.cell.x;
        EXPECT_GT(qRed(shown), qBlue(shown)) << "orange, at " << test.cell.x;
    }
    EXPECT_EQ(MainView().pixel(CellCenter(0, 1)) & 0xFFFFFF, 0x000000u) << "the frame's own black";
    Find<QCheckBox>("CB_PelureOignon")->setChecked(false);
    for (const auto& test : cases)
        EXPECT_EQ(MainView().pixel(CellCenter(test.cell.x, test.cell.y)) & 0xFFFFFF, test.without) << test.cell.x;
}

TEST_F(Frames, TheAnimatedPreviewPlaysEveryFrameWhileTheEditorWorks)
{
    // One pixel a frame, so that the preview's centre is inside a cell.
    UseSprite({"#"});
    Press(Find<QPushButton>("B_DupliquerImage"));
    form->sprite = FromRows({"."});
    Press(Find<QPushButton>("B_DupliquerImage"));
    form->sprite = FromRows({"l"});
    form->CouleursVraiesApercu = 0;
    Find<QSpinBox>("E_ImagesParSeconde")->setValue(30);
    Find<QCheckBox>("CB_AnimerApercu")->setChecked(true);
    EXPECT_TRUE(Find<QTimer>("timerAnimation")->isActive());
    EXPECT_EQ(Find<QTimer>("timerAnimation")->interval(), 33);

    std::set<QRgb> shown;
    const bool allShown = QTest::qWaitFor(
        [&] {
            shown.insert(CentreColor(preview.get()));
            return shown.size() == 3;
        },
        3000);
    EXPECT_TRUE(allShown);
    EXPECT_EQ(shown, (std::set<QRgb>{0x000000, 0xFFFFFF, 0xAAAAAA}));

    ClickCell(Qt::LeftButton, 0, 0);
    EXPECT_EQ(form->sprite.GetColor(0, 0), Black) << "editing goes on while it plays";
    ClickCell(Qt::RightButton, 0, 0);
    for (int k = 0; k < 4; ++k) {
        CentreColor(preview.get()); // the preview draws one of the black-and-white frames
        EXPECT_EQ(form->Label2->text(), "Type: niveaux de gris") << "the label speaks of the frame edited";
        QTest::qWait(40);
    }

    Find<QCheckBox>("CB_AnimerApercu")->setChecked(false);
    EXPECT_FALSE(Find<QTimer>("timerAnimation")->isActive());
    EXPECT_EQ(&form->PreviewSprite(), &form->sprite);
}

TEST_F(Frames, FrameOptionsLiveInTheirOwnSettingsSection)
{
    Find<QCheckBox>("CB_PelureOignon")->setChecked(true);
    Find<QSpinBox>("E_ImagesParSeconde")->setValue(12);
    StopEditor();
    QFile settings(Paths().settingsFile);
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().endsWith("[PlancheSprites]\nPelureOignon=1\nImagesParSeconde=12\n"));
    settings.close();
    StartEditor();
    EXPECT_TRUE(Find<QCheckBox>("CB_PelureOignon")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CB_AnimerApercu")->isChecked());
    EXPECT_EQ(Find<QSpinBox>("E_ImagesParSeconde")->value(), 12);
}

} // namespace
