// The image commands of the main window with real events: the conversion
// dialog and its live preview, "OK" and "Annuler", the import button, the
// clipboard's Ctrl+V and Ctrl+C, a dropped file, and "Exporter en PNG...".
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <functional>

#include <sys/stat.h>

#include "DocumentManager.h"
#include "ImageFiles.h"
#include "ImageImportDialog.h"
#include "UndoPanel.h"
#include "fifo_rescue.h"
#include "gui_fixture.h"
#include "set_file.h"

namespace {

const QString ImageFilter = "Images (*.png *.bmp *.gif *.jpg *.jpeg)|*.png;*.bmp;*.gif;*.jpg;*.jpeg";

// A picture of grays, one string per row: '.' 255, 'l' 170, 'd' 85,
// '#' 0, ' ' fully transparent, '1' to '9' grays 25 to 225.
QImage PictureFromRows(const std::vector<QString>& rows)
{
    QImage image(rows[0].size(), static_cast<int>(rows.size()), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QChar c = rows[y][x];
            const int gray = c == '.' ? 255 : c == 'l' ? 170 : c == 'd' ? 85 : c.isDigit() ? c.digitValue() * 25 : 0;
            image.setPixel(x, y, c == ' ' ? qRgba(0, 0, 0, 0) : qRgb(gray, gray, gray));
        }
    }
    return image;
}

// A sheet of cells x by y of 16 x 16 pixels with margin and spacing
// between them, white; cell k (in reading order) has one black pixel at
// (k % 16, k / 16 % 16) of the cell, so that every frame says where it
// came from.
QImage SheetPicture(QSize size, int across, int down, int margin, int spacing)
{
    QImage sheet(size, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (int k = 0; k < across * down; ++k) {
        const int left = margin + k % across * (16 + spacing);
        const int top = margin + k / across * (16 + spacing);
        sheet.setPixel(left + k % 16, top + k / 16 % 16, qRgb(0, 0, 0));
    }
    return sheet;
}

class ImageCommands : public EditorWindowTest {
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString PathOf(const QString& name) const { return ProgramFolder() + name; }

    // Once the conversion dialog is open, acts on it and closes it with
    // "OK" (accept) or "Annuler"; counts the dialogs opened.
    void WhenDialogOpens(std::function<void(ImageImportDialog&)> act, bool accept)
    {
        QTimer::singleShot(0, [this, act, accept] {
            auto* dialog = qobject_cast<ImageImportDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++dialogsOpened;
            act(*dialog);
            QTest::mouseClick(accept ? dialog->okButton : dialog->cancelButton, Qt::LeftButton);
            if (dialog->isVisible()) // "OK" disabled: never leave the test hanging
                dialog->reject();
        });
    }
    void AcceptDialog()
    {
        WhenDialogOpens([](ImageImportDialog&) {}, true);
    }

    void Keys(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, Qt::ControlModifier);
    }

    void ClickImport(const QString& answer)
    {
        dialogs.fileAnswers.push_back(PathOf(answer));
        ClickOnItsPage(Find<QPushButton>("B_ImporterImage"));
    }

    static QRgb PreviewColor(ImageImportDialog& dialog, int x, int y)
    {
        const int scale = dialog.preview->Scale();
        return dialog.preview->grab().toImage().pixel(1 + x * scale + scale / 2, 1 + y * scale + scale / 2);
    }

    int dialogsOpened = 0;
};

TEST_F(ImageCommands, PreviewFollowsTheThresholdSliderAndNumber)
{
    RgbaImage picture = RgbaFromImage(PictureFromRows({"4", "8"})); // grays 100 and 200
    ImageImportDialog dialog(picture);
    dialog.show();
    EXPECT_EQ(dialog.levelsBox->currentData().toInt(), 4) << "grays in the picture";
    dialog.levelsBox->setCurrentIndex(0);
    EXPECT_EQ(dialog.preview->Scale(), 256 / 2);
    EXPECT_EQ(PreviewColor(dialog, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(PreviewColor(dialog, 0, 1), qRgb(255, 255, 255));

    dialog.thresholdSlider->setValue(90);
    EXPECT_EQ(dialog.thresholdBox->value(), 90);
    EXPECT_EQ(PreviewColor(dialog, 0, 0), qRgb(255, 255, 255));

    dialog.thresholdBox->selectAll();
    QTest::keyClicks(dialog.thresholdBox, "201");
    EXPECT_EQ(dialog.thresholdSlider->value(), 201);
    EXPECT_EQ(PreviewColor(dialog, 0, 1), qRgb(0, 0, 0));

    dialog.invertBox->click(); // 155 and 55 against 201
    EXPECT_EQ(PreviewColor(dialog, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(PreviewColor(dialog, 0, 1), qRgb(0, 0, 0));
    dialog.thresholdSlider->setValue(56);
    EXPECT_EQ(PreviewColor(dialog, 0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(PreviewColor(dialog, 0, 1), qRgb(0, 0, 0));
}

TEST_F(ImageCommands, ImportButtonOpensTheImageDialogAndOkReplacesTheSprite)
{
    ASSERT_TRUE(PictureFromRows({"#l.", "d #"}).save(PathOf("dessin.png")));
    UseSprite(Rows(20, std::string(30, 'D')));
    AcceptDialog();
    ClickImport("dessin.png");
    EXPECT_EQ(dialogsOpened, 1);
    ASSERT_FALSE(dialogs.fileDialogs.empty());
    EXPECT_EQ(dialogs.fileDialogs.back().objectName, "OpenDialog3");
    EXPECT_EQ(dialogs.fileDialogs.back().filter, ImageFilter);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#l.", "dW#"}));
    EXPECT_EQ(form->sprite.GetType(), GrayscaleMasked);
    EXPECT_EQ(form->E_TailleX->text(), "3");
    EXPECT_EQ(form->E_TailleY->text(), "2");
    EXPECT_EQ(form->document.UndoLabel(), "import d'image");
    EXPECT_EQ((QStringList{form->Edit1->text(), form->Edit2->text()}), (QStringList{"dessin.h", "dessin"}));

    form->undoPanel->B_AnnulerClick();
    EXPECT_EQ(ToRows(form->sprite), Rows(20, std::string(30, 'D')));
    EXPECT_EQ(form->E_TailleX->text(), "30");
}

// With "découper" checked an imported picture is a sheet: its cells become
// the frames, one undo step.
TEST_F(ImageCommands, ASheetIsSlicedIntoFrames)
{
    ASSERT_TRUE(PictureFromRows({"#..#", "#..#"}).save(PathOf("planche.png")));
    UseSprite({"."});
    Find<QCheckBox>("CB_Decouper")->setChecked(true);
    Find<QLineEdit>("E_DecoupeX")->setText("2");
    Find<QLineEdit>("E_DecoupeY")->setText("2");
    AcceptDialog();
    ClickImport("planche.png");
    ASSERT_EQ(form->document.Frames().Count(), 2);
    EXPECT_EQ(ToRows(form->document.Frames().Frame(0)), (Rows{"#.", "#."}));
    EXPECT_EQ(ToRows(form->document.Frames().Frame(1)), (Rows{".#", ".#"}));
    form->undoPanel->B_AnnulerClick();
    EXPECT_EQ(form->document.Frames().Count(), 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"."}));
}

// Its frames take the place of the whole set: a changed sprite is asked
// about first, and "Annuler" keeps it.
TEST_F(ImageCommands, ASheetOverAChangedSpriteAsksFirst)
{
    ASSERT_TRUE(PictureFromRows({"#..#", "#..#"}).save(PathOf("planche.png")));
    UseSprite({"..", ".."});
    ClickCell(Qt::LeftButton, 1, 1);
    Find<QCheckBox>("CB_Decouper")->setChecked(true);
    Find<QLineEdit>("E_DecoupeX")->setText("2");
    Find<QLineEdit>("E_DecoupeY")->setText("2");
    dialogs.questionAnswers = {2}; // "Annuler"
    AcceptDialog();
    ClickImport("planche.png");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].text.contains("avant de le remplacer par l'importation"));
    EXPECT_EQ(form->document.Frames().Count(), 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"..", ".#"}));
}

// 320 x 240 with a margin of 2 and a spacing of 1: floor((320 - 2 + 1) / 17)
// = 18 columns and floor((240 - 2 + 1) / 17) = 14 rows.
TEST_F(ImageCommands, ASheetLargerThanASpriteIsSlicedIntoANewUntitledSet)
{
    ASSERT_TRUE(SheetPicture({320, 240}, 18, 14, 2, 1).save(PathOf("tuiles.png")));
    const Sprite hero({8, 8});
    ASSERT_TRUE(SaveSpriteSetFile((ProgramFolder() + "hero.pixs").toStdString(), {&hero, &hero}));
    ASSERT_TRUE(form->documents->Open(PathOf("hero.pixs"), DocumentManager::Way::Opened, false));
    const std::string heroBytes = SpriteSetBytes({&hero, &hero});

    QString countShown;
    WhenDialogOpens(
        [&](ImageImportDialog& dialog) {
            dialog.sliceGroup->setChecked(true);
            dialog.E_CelluleL->setValue(16);
            dialog.E_CelluleH->setValue(16);
            dialog.E_MargeX->setValue(2);
            dialog.E_MargeY->setValue(2);
            dialog.E_EspaceX->setValue(1);
            dialog.E_EspaceY->setValue(1);
            countShown = dialog.L_NombreImages->text();
        },
        true);
    ClickImport("tuiles.png");
    EXPECT_EQ(countShown, "252 images");
    ASSERT_EQ(form->document.Frames().Count(), 18 * 14);
    for (const int k : {0, 1, 17, 18, 251}) {
        const Sprite& frame = form->document.Frames().Frame(k);
        EXPECT_EQ(frame.GetSize(), (Point{16, 16}));
        EXPECT_EQ(frame.GetColor(k % 16, k / 16 % 16), Black) << k;
        EXPECT_EQ(TypeOfCells(CellsOfSprite(frame).data(), 256), BlackWhite) << "one black pixel, no other";
    }
    EXPECT_TRUE(form->documents->CurrentFile().isEmpty());
    EXPECT_EQ(form->windowTitle().section(" - ", 0, 0), "tuiles (importé)");
    QFile old(PathOf("hero.pixs"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll().toStdString(), heroBytes);
}

// The count and the grid follow every number; "OK" only while the cells
// make a set.
TEST_F(ImageCommands, TheGridAndItsCountFollowTheNumbers)
{
    QImage sheet(64, 32, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    sheet.setPixel(40, 3, qRgb(0, 0, 0));
    ImageImportDialog dialog(RgbaFromImage(sheet), Point{16, 16});
    dialog.show();
    const int scale = dialog.preview->Scale();
    ASSERT_EQ(scale, 7); // 480 / 64 across, 256 / 32 down
    const auto shown = [&](int x, int y) { return dialog.preview->grab().toImage().pixel(x, y); };
    const QRgb grid = qRgb(255, 140, 0);

    struct Case {
        const char* what;
        std::function<void()> change;
        QString count;
        bool ok;
    };
    const Case cases[] = {
        {"cells of 16 x 16", [] {}, "8 images", true},
        {"a spacing of 1 across", [&] { dialog.E_EspaceX->setValue(1); }, "6 images", true},
        {"a margin of 20 down", [&] { dialog.E_MargeY->setValue(20); }, "0 image", false},
        {"a margin of 16 down", [&] { dialog.E_MargeY->setValue(16); }, "3 images", true},
        {"empty cells left out", [&] { dialog.CB_IgnorerVides->setChecked(true); }, "0 image", false},
        {"from the top", [&] { dialog.E_MargeY->setValue(0); }, "1 image", true},
        {"cells of 1 x 1",
         [&] {
             dialog.E_CelluleL->setValue(1);
             dialog.E_CelluleH->setValue(1);
             dialog.E_EspaceX->setValue(0);
         },
         "1 image", true},
    };
    for (const Case& row : cases) {
        row.change();
        EXPECT_EQ(dialog.L_NombreImages->text(), row.count) << row.what;
        EXPECT_EQ(dialog.okButton->isEnabled(), row.ok) << row.what;
    }
    EXPECT_EQ(dialog.preview->Shrink(), 1);

    // Cell (2, 0) of 16 x 16, spacing 1: its left column is picture column
    // 34, the outline on its first window pixel.
    dialog.E_CelluleL->setValue(16);
    dialog.E_CelluleH->setValue(16);
    dialog.E_EspaceX->setValue(1);
    dialog.CB_IgnorerVides->setChecked(false);
    EXPECT_EQ(shown(1 + 34 * scale, 1 + 5 * scale), grid);
    EXPECT_EQ(shown(1 + 33 * scale + 3, 1 + 5 * scale), qRgb(255, 255, 255)) << "the gap between two cells";
    EXPECT_EQ(shown(1 + 40 * scale + 3, 1 + 3 * scale + 3), qRgb(0, 0, 0)) << "inside the cell, the picture";
    dialog.sliceGroup->setChecked(false);
    EXPECT_EQ(shown(1 + 34 * scale, 1 + 5 * scale), qRgb(255, 255, 255)) << "no grid without slicing";
    EXPECT_TRUE(dialog.L_NombreImages->text().isEmpty());
}

// A picture larger than a sprite is refused taken whole, as before, and
// accepted cut into cells; the preview shows all of it, one pixel of two.
TEST_F(ImageCommands, APictureLargerThanASpriteIsAcceptedOnlySliced)
{
    ASSERT_TRUE(SheetPicture({400, 300}, 25, 18, 0, 0).save(PathOf("grande.png")));
    bool okWhole = true;
    bool okSliced = false;
    QString problem;
    int shrink = 0;
    WhenDialogOpens(
        [&](ImageImportDialog& dialog) {
            okWhole = dialog.okButton->isEnabled();
            problem = dialog.problemLabel->text();
            dialog.sliceGroup->setChecked(true);
            okSliced = dialog.okButton->isEnabled();
            shrink = dialog.preview->Shrink();
        },
        true);
    ClickImport("grande.png");
    EXPECT_FALSE(okWhole);
    EXPECT_TRUE(problem.contains(QStringLiteral("400 × 300"))) << problem.toStdString();
    EXPECT_TRUE(okSliced);
    EXPECT_EQ(shrink, 2);
    ASSERT_EQ(form->document.Frames().Count(), 25 * 18);
    EXPECT_EQ(form->document.Frames().Frame(449).GetColor(449 % 16, 449 / 16 % 16), Black);
}

TEST_F(ImageCommands, AnnulerLeavesTheSpriteAndAddsNoStep)
{
    ASSERT_TRUE(PictureFromRows({"#l.", "d #"}).save(PathOf("dessin.png")));
    UseSprite({"#d", "Wl"});
    WhenDialogOpens([](ImageImportDialog& dialog) { dialog.thresholdSlider->setValue(3); }, false);
    ClickImport("dessin.png");
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#d", "Wl"}));
    EXPECT_EQ(form->E_TailleX->text(), "2");
    EXPECT_FALSE(form->document.CanUndo());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ImageCommands, LargePictureNeedsAScaleOrAPartBeforeOk)
{
    QImage large(300, 200, QImage::Format_RGB32);
    large.fill(Qt::white);
    large.setPixel(250, 150, qRgb(0, 0, 0));
    ASSERT_TRUE(large.save(PathOf("grand.bmp")));
    bool okAtFirst = true;
    QString problem;
    WhenDialogOpens(
        [&](ImageImportDialog& dialog) {
            okAtFirst = dialog.okButton->isEnabled();
            problem = dialog.problemLabel->text();
            dialog.partGroup->setChecked(true);
            dialog.partLeft->setValue(200);
            dialog.partTop->setValue(100);
            EXPECT_EQ(dialog.partWidth->value(), 100) << "kept inside the picture";
            EXPECT_EQ(dialog.partHeight->value(), 100);
        },
        true);
    ClickImport("grand.bmp");
    EXPECT_FALSE(okAtFirst);
    EXPECT_TRUE(problem.contains(QStringLiteral("300 × 200"))) << problem.toStdString();
    EXPECT_EQ(form->sprite.GetSize(), (Point{100, 100}));
    EXPECT_EQ(form->sprite.GetColor(50, 50), Black);
    EXPECT_EQ(form->sprite.GetType(), BlackWhite);

    WhenDialogOpens([](ImageImportDialog& dialog) { dialog.scaleDownBox->setValue(2); }, true);
    ClickImport("grand.bmp");
    EXPECT_EQ(form->sprite.GetSize(), (Point{150, 100}));
    EXPECT_EQ(form->sprite.GetColor(125, 75), Black);
}

TEST_F(ImageCommands, UndecodableFileIsReportedAndChangesNothing)
{
    QFile file(PathOf("faux.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("pas une image");
    file.close();
    UseSprite({"#d", "Wl"});
    ClickImport("faux.png");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Le Chargement a échoué\n"));
    EXPECT_EQ(dialogs.messages[0].caption, "Echec!");
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#d", "Wl"}));
    EXPECT_FALSE(form->document.CanUndo());
}

// A FIFO named like a picture would wait for a writer forever, whether it is
// imported or dropped: it is refused at once, with the reason.
TEST_F(ImageCommands, AFifoNamedAsAPictureIsRefusedWithoutWaiting)
{
    const std::string fifo = PathOf("tube.png").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const FifoRescue rescue(fifo);
    UseSprite({"#d"});
    const QString expected = QStringLiteral("Le Chargement a échoué\nce n'est pas un fichier ordinaire (tube, "
                                            "périphérique ou socket)");
    ClickImport("tube.png");
    ExpectOneMessage(expected, "Echec!", MessageIcon::Warning);

    dialogs.messages.clear();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(PathOf("tube.png"))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    QTest::qWait(50);
    ExpectOneMessage(expected, "Echec!", MessageIcon::Warning);
    EXPECT_EQ(dialogsOpened, 0);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#d"}));
}

TEST_F(ImageCommands, CtrlVImportsTheClipboardImageButNotInATextBox)
{
    QApplication::clipboard()->setImage(PictureFromRows({"# .", "..#"}));
    UseSprite({"#d", "Wl"});

    form->E_TailleX->setFocus();
    WhenDialogOpens([](ImageImportDialog&) {}, true);
    Keys(Qt::Key_V);
    QTest::qWait(20);
    EXPECT_EQ(dialogsOpened, 0) << "a text box pastes text";

    form->setFocus();
    AcceptDialog();
    Keys(Qt::Key_V);
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#W.", "..#"}));
    EXPECT_EQ(form->E_TailleX->text(), "3");
}

TEST_F(ImageCommands, CtrlCPutsTheSpriteOnTheClipboardWithMaskedPixelsTransparent)
{
    UseSprite({"#lW", "d.B"});
    form->setFocus();
    Keys(Qt::Key_C);
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(3, 2));
    EXPECT_EQ(copied.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(copied.pixel(1, 0), qRgb(170, 170, 170));
    EXPECT_EQ(copied.pixel(0, 1), qRgb(85, 85, 85));
    EXPECT_EQ(copied.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(copied.pixel(2, 0)), 0);
    EXPECT_EQ(qAlpha(copied.pixel(2, 1)), 0);

    // A read-only box copies its own text, not the sprite.
    QApplication::clipboard()->clear();
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    form->Memo1->setFocus();
    Keys(Qt::Key_C);
    EXPECT_TRUE(QApplication::clipboard()->image().isNull());
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    form->setFocus();
    Keys(Qt::Key_C);

    // ...and pasted back as another program's picture (without Pixora's
    // own cells), it converts to the same sprite.
    const QImage picture = QApplication::clipboard()->image();
    QApplication::clipboard()->setImage(picture);
    UseSprite({"...."});
    AcceptDialog();
    Keys(Qt::Key_V);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#lW", "d.W"}));
}

TEST_F(ImageCommands, DroppedImageFileOpensTheDialog)
{
    ASSERT_TRUE(PictureFromRows({"#.", ".#"}).save(PathOf("posé.gif.png")));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(PathOf("posé.gif.png"))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    AcceptDialog();
    QTest::qWait(50);
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#.", ".#"}));

    // Several files are not this command's.
    data.setUrls({QUrl::fromLocalFile(PathOf("a.png")), QUrl::fromLocalFile(PathOf("b.png"))});
    QDragEnterEvent several(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &several);
    EXPECT_EQ(dialogsOpened, 1);
}

TEST_F(ImageCommands, ExportPngWritesTheScaledSpriteAndSaysSo)
{
    UseSprite({"#l", "dW"});
    form->PageControl1->setCurrentWidget(PageOf(Find<QPushButton>("B_ExporterPng")));
    Find<QSpinBox>("E_EchellePng")->setValue(3);
    const std::pair<QString, QString> typedAndWritten[] = {{"sprite", "sprite.png"}, {"GRAND.PNG", "GRAND.PNG"}};
    for (const auto& [typed, written] : typedAndWritten) {
        dialogs.messages.clear();
        dialogs.fileAnswers.push_back(PathOf(typed));
        QTest::mouseClick(Find<QPushButton>("B_ExporterPng"), Qt::LeftButton);
        ExpectOneMessage("Exportation PNG effectuée : ...", "Succès!", MessageIcon::Information);
        const QImage image(PathOf(written));
        ASSERT_EQ(image.size(), QSize(6, 6)) << written.toStdString();
        EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 0));
        EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0);
    }
    EXPECT_EQ(dialogs.fileDialogs.back().objectName, "SaveDialog2");

    QDir(ProgramFolder()).mkdir("dossier.png");
    dialogs.messages.clear();
    dialogs.fileAnswers.push_back(PathOf("dossier.png"));
    QTest::mouseClick(Find<QPushButton>("B_ExporterPng"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Echec!");
    EXPECT_TRUE(QFileInfo(PathOf("dossier.png")).isDir());
}

} // namespace
