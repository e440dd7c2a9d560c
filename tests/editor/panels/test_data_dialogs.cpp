// "Exporter en données..." and the import dialog of "Importer du C...",
// driven with real events: presets and options rewriting the text at once,
// "Copier" and "Enregistrer...", the layout kept in the settings file; the
// candidates' pictures, a layout chosen by hand shown before "OK", and the
// import as one undo step.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "DataExportDialog.h"
#include "ImageImportDialog.h"
#include "SourceImportDialog.h"
#include "gui_fixture.h"

namespace {

// Chooses the item holding data with the keyboard, as a user may: Home, then
// Down until it; each key reports the choice as the user's.
void Choose(QComboBox* box, const QString& data)
{
    const int index = box->findData(data);
    ASSERT_GE(index, 0) << data.toStdString();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->currentIndex(), index);
}

void ChooseText(QComboBox* box, const QString& text)
{
    Choose(box, box->itemData(box->findText(text)).toString());
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The gray sprite with a masked pixel in each row; the last one ends its
// row, so the mask's unused bits come right after it.
const Rows Ball = {"ld#W........", "#..........W"};

class DataDialogs : public EditorWindowTest {
protected:
    // Once a modal dialog of that class is open, acts on it; the action
    // closes it. Counts the dialogs met.
    template <typename Dialog> void WhenOpen(std::function<void(Dialog&)> act)
    {
        QTimer::singleShot(0, [this, act] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++dialogsMet;
            act(*dialog);
            if (dialog->isVisible()) // never leave the test hanging
                dialog->reject();
        });
    }

    QString PathOf(const QString& name) const { return ProgramFolder() + name; }

    static QRgb PreviewColor(ConversionPreview* preview, int x, int y)
    {
        const int scale = preview->Scale();
        return preview->grab().toImage().pixel(1 + x * scale + scale / 2, 1 + y * scale + scale / 2);
    }

    int dialogsMet = 0;
};

TEST_F(DataDialogs, PresetsAndOptionsRewriteTheTextAtOnce)
{
    const Sprite ball = FromRows(Ball);
    DataExportDialog dialog({{&ball}, 0, "balle"}, DataExportSettings{});
    dialog.show();
    EXPECT_EQ(dialog.presetBox->currentText(), "Sprite8/16/32");
    EXPECT_NE(dialog.Text().indexOf("balle_LightPlane[2] __attribute__((unused)) = {\n    0xA000,\n    0x8000,\n};"),
              -1)
        << dialog.Text().toStdString();
    EXPECT_FALSE(dialog.allFramesBox->isEnabled()) << "a lone sprite";

    dialog.presetBox->setFocus();
    ChooseText(dialog.presetBox, "GraySprite_SMASK (clair, foncé, masque)");
    EXPECT_EQ(dialog.arrangeBox->currentData().toString(), "block");
    EXPECT_NE(dialog.Text().indexOf("balle[6] __attribute__((unused)) = {\n    /* clair */\n    0xA000,\n    0x8000,\n"
                                    "    /* sombre */\n    0x6000,\n    0x8000,\n    /* masque */\n    0x100F,\n"
                                    "    0x001F,\n};"),
              -1)
        << dialog.Text().toStdString();
    EXPECT_NE(dialog.Text().indexOf("GrayClipSprite16_SMASK_R(x, y, 2, balle, balle+2, balle+2*2,"), -1);

    // The orders are those of the sprite's planes; a change by hand is no preset's.
    EXPECT_EQ(dialog.orderBox->count(), 7);
    dialog.orderBox->setFocus();
    Choose(dialog.orderBox, "MDL");
    EXPECT_EQ(dialog.presetBox->currentText(), "Personnalisé");
    EXPECT_NE(dialog.Text().indexOf("    /* masque */\n    0x100F,\n    0x001F,\n    /* sombre */\n"), -1);

    dialog.rowsBox->setFocus();
    Choose(dialog.rowsBox, "8");
    EXPECT_EQ(dialog.statusLabel->text(), "Largeur de 12 pixels : plus que les 8 bits d'une ligne");
    EXPECT_TRUE(dialog.Text().isEmpty());
    EXPECT_FALSE(dialog.copyButton->isEnabled());
    EXPECT_FALSE(dialog.saveButton->isEnabled());

    dialog.rowsBox->setFocus();
    Choose(dialog.rowsBox, "bytes");
    dialog.syntaxBox->setFocus();
    Choose(dialog.syntaxBox, "a68k");
    EXPECT_NE(dialog.Text().indexOf("balle:\n; masque\n\tdc.b $10,$0F\n"), -1) << dialog.Text().toStdString();
    dialog.nameEdit->selectAll();
    QTest::keyClicks(dialog.nameEdit, "d0");
    EXPECT_EQ(dialog.statusLabel->text(), "Nom refusé : « d0 » est un registre du 68000");
    EXPECT_FALSE(dialog.copyButton->isEnabled());
}

TEST_F(DataDialogs, ASetIsWrittenWholeOrItsCurrentFrame)
{
    const Sprite first = FromRows({"#......."}), second = FromRows({"d......."});
    DataExportDialog dialog({{&first, &second}, 1, "pas"}, DataExportSettings{});
    dialog.show();
    EXPECT_TRUE(dialog.allFramesBox->isChecked());
    EXPECT_NE(dialog.Text().indexOf("pas_LightPlane[2][1]"), -1) << "gray: one frame has gray";
    dialog.framesBox->setFocus();
    Choose(dialog.framesBox, "separate");
    EXPECT_NE(dialog.Text().indexOf("pas_1_DarkPlane[1]"), -1);
    QTest::mouseClick(dialog.allFramesBox, Qt::LeftButton);
    EXPECT_FALSE(dialog.framesBox->isEnabled());
    EXPECT_NE(dialog.Text().indexOf("pas_LightPlane[1] __attribute__((unused)) = {\n    0x00,\n};"), -1)
        << dialog.Text().toStdString();
}

// From the page "Exporter": the text to the clipboard and to a file, and the
// layout used kept for the next run; closing unused keeps nothing.
// From the page "Exporter": the text to the clipboard and to a file, and the
// layout used kept for the next run; closing unused keeps nothing. (The
// sprite stays the new one, so that closing asks nothing.)
TEST_F(DataDialogs, CopierAndEnregistrerGiveTheTextAndTheLayoutIsKept)
{
    form->Edit2->setText("balle");
    WhenOpen<DataExportDialog>([](DataExportDialog& dialog) { QTest::mouseClick(dialog.closeButton, Qt::LeftButton); });
    ClickOnItsPage(Find<QPushButton>("B_ExporterDonnees"));
    EXPECT_EQ(dialogsMet, 1);
    StopEditor();
    EXPECT_TRUE(FileBytes(Paths().settingsFile).contains("[Options]")) << "the settings were written";
    EXPECT_FALSE(FileBytes(Paths().settingsFile).contains("ExportDonnees"));
    StartEditor();
    form->Edit2->setText("balle");

    QString shown;
    WhenOpen<DataExportDialog>([&](DataExportDialog& dialog) {
        dialog.presetBox->setFocus();
        ChooseText(dialog.presetBox, "GrayClipISprite_MASK (entrelacé)");
        QTest::mouseClick(dialog.definesBox, Qt::LeftButton);
        shown = dialog.Text();
        QTest::mouseClick(dialog.copyButton, Qt::LeftButton);
        dialogs.fileAnswers.push_back(PathOf("balle"));
        QTest::mouseClick(dialog.saveButton, Qt::LeftButton);
        QTest::mouseClick(dialog.closeButton, Qt::LeftButton);
    });
    dialogs.messages.clear();
    ClickOnItsPage(Find<QPushButton>("B_ExporterDonnees"));
    EXPECT_NE(shown.indexOf("#define balle_HEIGHT 16\n\nstatic const unsigned short balle[16]"), -1)
        << shown.toStdString();
    EXPECT_EQ(QApplication::clipboard()->text(), shown);
    ASSERT_FALSE(dialogs.fileDialogs.empty());
    EXPECT_EQ(dialogs.fileDialogs.back().objectName, "SaveDialogDonnees");
    EXPECT_EQ(dialogs.fileDialogs.back().filter, "Source C (*.h *.c)|*.h;*.c");
    EXPECT_EQ(QString::fromLatin1(FileBytes(PathOf("balle.h"))), shown);
    ExpectOneMessage("Exportation effectuée : " + PathOf("balle.h"), "Succès!", MessageIcon::Information);

    StopEditor();
    const QByteArray ini = FileBytes(Paths().settingsFile);
    EXPECT_TRUE(ini.contains("[ExportDonnees]")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("Disposition=\"interlaced\"")) << ini.toStdString();
    StartEditor();
    WhenOpen<DataExportDialog>([](DataExportDialog& dialog) {
        EXPECT_EQ(dialog.presetBox->currentText(), "Personnalisé");
        EXPECT_EQ(dialog.arrangeBox->currentData().toString(), "interlaced");
        EXPECT_TRUE(dialog.definesBox->isChecked());
        QTest::mouseClick(dialog.closeButton, Qt::LeftButton);
    });
    ClickOnItsPage(Find<QPushButton>("B_ExporterDonnees"));
    EXPECT_EQ(dialogsMet, 3);
}

const char* const CursorSource =
    "static unsigned short cursor[6] = {0xC000, 0x4000, 0x8000, 0x4000, 0x3FFF, 0x1FFF};\n"
    "const unsigned char walk[3][2] = {{0x80, 0}, {0x40, 0}, {0x20, 0}};\n"
    "void f(int i) { GrayClipSprite16_SMASK_R(x, y, 2, cursor, cursor + 2, cursor + 4, p0, p1);\n"
    "                Sprite8(x, y, 2, walk[i], LCD_MEM, SPRT_XOR); }\n";

QList<ArrayChoiceItem> ItemsOf(const ArraySprites& found)
{
    QList<ArrayChoiceItem> items;
    for (const ArrayCandidate& candidate : found.candidates)
        items.append({QString::fromUtf8(DescribeCandidate(found, candidate)), candidate.width, candidate.elementBits,
                      static_cast<int>(SameSizeCandidates(found, candidate).size())});
    return items;
}

int Row(QListWidget* list, const QString& start)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text().startsWith(start))
            return row;
    return -1;
}

TEST_F(DataDialogs, EachFoundSpriteHasItsPictureAndTheResultShowsBeforeOk)
{
    const ArraySprites found = FindArraySprites(CursorSource);
    SourceImportDialog dialog(found, ItemsOf(found));
    dialog.show();
    for (int row = 0; row < dialog.candidateList->count(); ++row)
        EXPECT_FALSE(dialog.candidateList->item(row)->icon().isNull()) << row;
    // The program's own call says how it reads its arrays: that reading is
    // the one offered first, as --array does with the call's array.
    const int call = Row(dialog.candidateList, "cursor:GrayClipSprite16_SMASK_R");
    ASSERT_GT(call, 0);
    EXPECT_EQ(dialog.candidateList->currentRow(), call);
    QTest::mouseClick(dialog.candidateList->viewport(), Qt::LeftButton, {},
                      dialog.candidateList->visualItemRect(dialog.candidateList->item(0)).center());
    QTest::mouseClick(dialog.candidateList->viewport(), Qt::LeftButton, {},
                      dialog.candidateList->visualItemRect(dialog.candidateList->item(call)).center());
    EXPECT_EQ(dialog.resultLabel->text(), "Sprite de 16 × 2");
    // Row 0: black, light, then the background through the mask.
    EXPECT_EQ(PreviewColor(dialog.preview, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(PreviewColor(dialog.preview, 1, 0), qRgb(170, 170, 170));
    EXPECT_EQ(PreviewColor(dialog.preview, 2, 0), qRgb(255, 192, 192));

    const int walk = Row(dialog.candidateList, "walk:Sprite8");
    QTest::mouseClick(dialog.candidateList->viewport(), Qt::LeftButton, {},
                      dialog.candidateList->visualItemRect(dialog.candidateList->item(walk)).center());
    EXPECT_EQ(dialog.resultLabel->text(), "3 images de 8 × 2");
    dialog.widthBox->selectAll();
    QTest::keyClicks(dialog.widthBox, "3");
    EXPECT_EQ(dialog.resultLabel->text(), "3 images de 3 × 2");
    const ArrayChoice choice = dialog.Choice();
    EXPECT_EQ(choice.index, walk);
    EXPECT_EQ(choice.width, 3);
    EXPECT_FALSE(choice.layout);
}

TEST_F(DataDialogs, ALayoutChosenByHandReadsTheArraysAndSaysWhyNot)
{
    const ArraySprites found = FindArraySprites("unsigned char tile[6] = {0x0F, 0xF0, 0xC0, 0x00, 0x0F, 0xFF};");
    SourceImportDialog dialog(found, ItemsOf(found));
    dialog.show();
    QTest::mouseClick(dialog.layoutGroup, Qt::LeftButton, {}, QPoint(10, 8)); // its check box
    ASSERT_TRUE(dialog.layoutGroup->isChecked());
    EXPECT_FALSE(dialog.candidateList->isEnabled());
    dialog.arrangeBox->setFocus();
    Choose(dialog.arrangeBox, "interlaced");
    dialog.orderBox->setFocus();
    Choose(dialog.orderBox, "MLD");
    dialog.heightBox->selectAll();
    QTest::keyClicks(dialog.heightBox, "2");
    dialog.widthBox->selectAll();
    QTest::keyClicks(dialog.widthBox, "8");
    EXPECT_EQ(dialog.resultLabel->text(), "Sprite de 8 × 2");
    EXPECT_TRUE(dialog.okButton->isEnabled());
    // Mask, light, dark of each row: "##llWWWW" and "dddd####".
    EXPECT_EQ(PreviewColor(dialog.preview, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(PreviewColor(dialog.preview, 2, 0), qRgb(170, 170, 170));
    EXPECT_EQ(PreviewColor(dialog.preview, 4, 0), qRgb(255, 192, 192));
    EXPECT_EQ(PreviewColor(dialog.preview, 0, 1), qRgb(85, 85, 85));
    const ArrayChoice choice = dialog.Choice();
    ASSERT_TRUE(choice.layout);
    EXPECT_EQ(choice.layout->arrays, (std::vector<std::string>{"tile"}));
    EXPECT_EQ(choice.layout->order, "MLD");

    dialog.heightBox->selectAll();
    QTest::keyClicks(dialog.heightBox, "4");
    EXPECT_EQ(dialog.resultLabel->text(), "« tile » : 6 éléments, il en faut 12 pour une image de 4 lignes");
    EXPECT_FALSE(dialog.okButton->isEnabled());
}

// "Importer du C..." on an assembly file: the arrays read in a layout
// chosen by hand replace the sprite as one undo step; a call on an array of
// parts gives every frame.
TEST_F(DataDialogs, ImportingWithTheDialogIsOneUndoStep)
{
    QFile source(PathOf("balle.s"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("| clair puis fonce\n\t.even\nballe:\n\t.byte 0xA0, 0x80\n\t.byte 0x60, 0x80\n");
    source.close();
    UseSprite({"####"});
    WhenOpen<SourceImportDialog>([](SourceImportDialog& dialog) {
        QTest::mouseClick(dialog.layoutGroup, Qt::LeftButton, {}, QPoint(10, 8));
        dialog.arrangeBox->setFocus();
        Choose(dialog.arrangeBox, "block");
        dialog.orderBox->setFocus();
        Choose(dialog.orderBox, "LD");
        dialog.heightBox->selectAll();
        QTest::keyClicks(dialog.heightBox, "2");
        dialog.widthBox->selectAll();
        QTest::keyClicks(dialog.widthBox, "3");
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });
    dialogs.fileAnswers.push_back(PathOf("balle.s"));
    dialogs.messages.clear();
    ClickOnItsPage(Find<QPushButton>("B_ImporterC"));
    EXPECT_EQ(dialogsMet, 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"ld#", "#.."}));
    ExpectOneMessage("Importation effectuée : balle", "Succès!", MessageIcon::Information);
    QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"####"}));

    QFile walk(PathOf("walk.c"));
    ASSERT_TRUE(walk.open(QIODevice::WriteOnly));
    walk.write(CursorSource);
    walk.close();
    WhenOpen<SourceImportDialog>([](SourceImportDialog& dialog) {
        dialog.candidateList->setCurrentRow(Row(dialog.candidateList, "walk:Sprite8"));
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });
    dialogs.fileAnswers.push_back(PathOf("walk.c"));
    ClickOnItsPage(Find<QPushButton>("B_ImporterC"));
    ASSERT_EQ(form->document.Frames().Count(), 3);
    EXPECT_EQ(ToRows(form->document.Frames().Frame(2)), (Rows{"..#.....", "........"}));
    QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
    EXPECT_EQ(form->document.Frames().Count(), 1);
}

// Ctrl+Shift+V with assembly data in the clipboard: not C, so read as
// assembly.
TEST_F(DataDialogs, TheClipboardMayHoldAssemblyData)
{
    QApplication::clipboard()->setText("sprite:\n\tdc.b %10000001,$3C ; deux lignes\n");
    WhenOpen<SourceImportDialog>([](SourceImportDialog& dialog) {
        EXPECT_EQ(dialog.candidateList->item(0)->text(), "sprite : 8 x 2, noir et blanc (sprite)");
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });
    dialogs.messages.clear();
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogsMet, 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#......#", "..####.."}));
}

} // namespace
