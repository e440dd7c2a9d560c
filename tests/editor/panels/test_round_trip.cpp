// "Exporter en image TI...", "Importer du C..." and Ctrl+Shift+V, driven
// through their buttons and keys with scripted dialogs: the files written,
// the sprite imported as one undo step, and what a refusal leaves alone.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "RoundTripDialogs.h"
#include "fifo_rescue.h"
#include "gui_fixture.h"
#include "ti_picture.h"

namespace {

// Answers the two round-trip questions from a script and records them.
class ScriptedRoundTrip : public RoundTripDialogs {
public:
    std::vector<std::pair<QString, QString>> nameQuestions; // proposed, note
    std::vector<QList<ArrayChoiceItem>> arrayQuestions;
    std::optional<QString> nameAnswer;      // nullopt: the proposal
    std::optional<ArrayChoice> arrayAnswer; // nullopt: cancel
    bool cancelName = false;

    std::optional<QString> AskVariableName(const QString& proposed, const QString& note) override
    {
        nameQuestions.emplace_back(proposed, note);
        if (cancelName)
            return std::nullopt;
        return nameAnswer ? *nameAnswer : proposed;
    }
    std::optional<ArrayChoice> ChooseArray(const QList<ArrayChoiceItem>& items) override
    {
        arrayQuestions.push_back(items);
        return arrayAnswer;
    }
};

class RoundTripCommands : public EditorWindowTest {
protected:
    void SetUp() override
    {
        InstallRoundTripDialogs(&roundTrip);
        EditorWindowTest::SetUp();
    }
    void TearDown() override
    {
        EditorWindowTest::TearDown();
        InstallRoundTripDialogs(nullptr);
    }

    QString PathOf(const QString& name) const { return ProgramFolder() + name; }

    void Click(QPushButton* button, const QString& answer)
    {
        dialogs.fileAnswers.push_back(PathOf(answer));
        dialogs.messages.clear();
        ClickOnItsPage(button);
    }

    void WriteText(const QString& name, const QByteArray& text)
    {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // The picture the importer reads from a written file.
    Rows PictureRows(const QString& name)
    {
        Sprite picture;
        if (!ChargerImageTI(picture, PathOf(name).toStdString()))
            return {"<unreadable>"};
        return ToRows(picture);
    }

    ScriptedRoundTrip roundTrip;
};

TEST_F(RoundTripCommands, ABlackAndWhiteSpriteBecomesOnePicture)
{
    UseSprite({"#..B", ".#l."}); // gray pixel overwritten below; the masked pixel is written white
    form->sprite.SetPixel(2, 1, White);
    Click(Find<QPushButton>("B_ExporterTI"), "Balle"); // no extension: the TI-89's
    ASSERT_EQ(roundTrip.nameQuestions.size(), 1u);
    EXPECT_EQ(roundTrip.nameQuestions[0].first, "balle");
    EXPECT_TRUE(roundTrip.nameQuestions[0].second.contains("une image"));
    EXPECT_EQ(dialogs.fileDialogs.back().objectName, "SaveDialogTI");
    EXPECT_EQ(dialogs.fileDialogs.back().filter, "Image TI (*.89i;*.9xi;*.v2i)|*.89i;*.9xi;*.v2i");
    EXPECT_EQ(PictureRows("Balle.89i"), (Rows{"#...", ".#.."}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Succès!");
    EXPECT_TRUE(dialogs.messages[0].text.contains("variable balle"));
}

TEST_F(RoundTripCommands, AGraySpriteBecomesItsTwoPlanesAndBadNamesAreRefused)
{
    UseSprite({"ld#."});
    roundTrip.nameAnswer = "Mur";
    Click(Find<QPushButton>("B_ExporterTI"), "mur.9xi");
    EXPECT_TRUE(roundTrip.nameQuestions[0].second.contains("deux images"));
    EXPECT_EQ(PictureRows("mur_l.9xi"), (Rows{"#.#."}));
    EXPECT_EQ(PictureRows("mur_d.9xi"), (Rows{".##."}));
    EXPECT_FALSE(QFile::exists(PathOf("mur.9xi")));

    roundTrip.nameAnswer = "1mur";
    Click(Find<QPushButton>("B_ExporterTI"), "autre.9xi");
    ExpectOneMessage(QStringLiteral("Nom de variable « 1mur » refusé : un nom de variable a de 1 à 8 caractères, "
                                    "lettres, chiffres et _, et commence par une lettre."),
                     "Echec!", MessageIcon::Warning);
    EXPECT_FALSE(QFile::exists(PathOf("autre_l.9xi")));

    roundTrip.cancelName = true;
    Click(Find<QPushButton>("B_ExporterTI"), "annule.9xi");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(QFile::exists(PathOf("annule_l.9xi")));
}

TEST_F(RoundTripCommands, ImportingCShowsTheCandidatesAndIsOneUndoStep)
{
    UseSprite({"####"});
    WriteText("sprites.h", "static unsigned char a[] = {0x80};\n"
                           "unsigned short g_LightPlane[] = {0xA000, 0};\n"
                           "unsigned short g_DarkPlane[] = {0x6000, 0x8000};\n");
    roundTrip.arrayAnswer = ArrayChoice{1, 3};
    Click(Find<QPushButton>("B_ImporterC"), "sprites.h");
    EXPECT_EQ(dialogs.fileDialogs.back().filter, "Sources C (*.c *.h)|*.c;*.h");
    ASSERT_EQ(roundTrip.arrayQuestions.size(), 1u);
    const QList<ArrayChoiceItem>& items = roundTrip.arrayQuestions[0];
    ASSERT_EQ(items.size(), 2);
    // The line pixora-export --list-sprites prints; the arrays it reads beside it.
    EXPECT_EQ(items[0].text, "a  8 x 1  noir et blanc  1 image  tableau seul");
    EXPECT_EQ(items[1].text, "g  16 x 2  niveaux de gris  1 image  tableau seul");
    EXPECT_EQ(items[1].arrays, "g : 16 x 2, niveaux de gris (g_LightPlane, g_DarkPlane)");
    EXPECT_EQ(items[1].elementBits, 16);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"ld#", "d.."}));
    EXPECT_EQ(form->E_TailleX->text(), "3");
    EXPECT_EQ(form->E_TailleY->text(), "2");
    ExpectOneMessage(QStringLiteral("Importation effectuée : g"), "Succès!", MessageIcon::Information);
    EXPECT_EQ((QStringList{form->Edit1->text(), form->Edit2->text()}), (QStringList{"sprites.h", "sprites"}));

    QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"####"}));

    // Cancelling the choice changes nothing.
    roundTrip.arrayAnswer.reset();
    Click(Find<QPushButton>("B_ImporterC"), "sprites.h");
    EXPECT_EQ(ToRows(form->sprite), (Rows{"####"}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RoundTripCommands, SpritesOfOneSizeComeInAsTheFramesOfTheSetInOneUndoStep)
{
    UseSprite({"##"});
    WriteText("anim.h", "unsigned char f0[] = {0x80};\nunsigned char tall[] = {0, 0};\n"
                        "unsigned char f1[] = {0x40};\nunsigned char f2[] = {0xC0};\n");
    roundTrip.arrayAnswer = ArrayChoice{2, 2, true};
    Click(Find<QPushButton>("B_ImporterC"), "anim.h");
    ASSERT_EQ(roundTrip.arrayQuestions.size(), 1u);
    const QList<ArrayChoiceItem>& items = roundTrip.arrayQuestions[0];
    ASSERT_EQ(items.size(), 5); // the four arrays, then tall's gray halves
    EXPECT_EQ(items[0].framesOfSize, 3);
    EXPECT_EQ(items[1].framesOfSize, 1);
    EXPECT_EQ(items[4].framesOfSize, 1);
    ASSERT_EQ(form->document.Frames().Count(), 3);
    EXPECT_EQ(form->document.Frames().Current(), 0);
    EXPECT_EQ(ToRows(form->document.Frames().Frame(0)), (Rows{"#."}));
    EXPECT_EQ(ToRows(form->document.Frames().Frame(1)), (Rows{".#"}));
    EXPECT_EQ(ToRows(form->document.Frames().Frame(2)), (Rows{"##"}));
    EXPECT_EQ(form->E_TailleX->text(), "2");
    ExpectOneMessage(QStringLiteral("Importation effectuée : 3 images (f0, f1, f2)"), "Succès!",
                     MessageIcon::Information);
    EXPECT_TRUE(form->windowTitle().startsWith("f0, f1, f2 (importé) - ")) << "a new document, with no file";

    QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
    EXPECT_EQ(form->document.Frames().Count(), 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"##"}));
}

// An animation kept frame under frame in one array is cut by "découper en
// images de" as a picture sheet is.
// Frames that take the place of the whole set ask first, as opening a file
// does ("Annuler" keeps the drawing); a sprite into the edited frame is an
// edit that Ctrl+Z undoes, and asks nothing.
TEST_F(RoundTripCommands, AnImportThatReplacesTheSetAsksFirstWhenTheSpriteChanged)
{
    WriteText("anim.h", "unsigned char f0[] = {0x80};\nunsigned char f1[] = {0x40};\n");
    struct Row {
        const char* import;
        ArrayChoice choice;
        bool slice;
        size_t questions;
        Rows shown;
    };
    const Row rows[] = {
        {"les sprites de même taille", ArrayChoice{0, 8, true}, false, 1, {"##"}},
        {"un sprite découpé", ArrayChoice{0, 8}, true, 1, {"##"}},
        {"un sprite dans l'image courante", ArrayChoice{0, 8}, false, 0, {"#......."}},
    };
    Find<QLineEdit>("E_DecoupeX")->setText("8");
    Find<QLineEdit>("E_DecoupeY")->setText("1");
    for (const Row& row : rows) {
        UseSprite({"#."});
        ClickCell(Qt::LeftButton, 1, 0);
        Find<QCheckBox>("CB_Decouper")->setChecked(row.slice);
        roundTrip.arrayAnswer = row.choice;
        dialogs.questions.clear();
        dialogs.questionAnswers = {2}; // "Annuler"
        Click(Find<QPushButton>("B_ImporterC"), "anim.h");
        ASSERT_EQ(dialogs.questions.size(), row.questions) << row.import;
        if (row.questions > 0) {
            EXPECT_EQ(dialogs.questions[0].buttons, (QStringList{"Enregistrer", "Ne pas enregistrer", "Annuler"}));
        }
        EXPECT_EQ(ToRows(form->sprite), row.shown) << row.import;
        EXPECT_EQ(form->document.Frames().Count(), 1) << row.import;
    }
}

// The choice names the sprites that can become the frames, and says so when
// the chosen one is alone of its size.
TEST_F(RoundTripCommands, TheChoiceCountsTheSpritesThatCanBeFrames)
{
    InstallRoundTripDialogs(nullptr); // the real dialog
    const QList<ArrayChoiceItem> items{{"a", 8, 8, 1}, {"b", 8, 8, 3}};
    std::vector<std::pair<QString, bool>> shown;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>("LB_Tableaux");
        auto* asFrames = dialog->findChild<QCheckBox*>("CB_EnImages");
        for (int row : {0, 1}) {
            list->setCurrentRow(row);
            shown.emplace_back(asFrames->text(), asFrames->isEnabled());
        }
        dialog->reject();
    });
    EXPECT_FALSE(AppRoundTripDialogs().ChooseArray(items));
    InstallRoundTripDialogs(&roundTrip);
    const std::vector<std::pair<QString, bool>> expected{
        {"Aucun autre sprite de cette taille pour faire une planche", false},
        {"Les 3 sprites de cette taille en images de la planche", true},
    };
    EXPECT_EQ(shown, expected);
}

TEST_F(RoundTripCommands, OneTallArrayIsCutIntoFramesWhenSlicingIsOn)
{
    UseSprite({"##"});
    Find<QCheckBox>("CB_Decouper")->setChecked(true);
    Find<QLineEdit>("E_DecoupeX")->setText("2");
    Find<QLineEdit>("E_DecoupeY")->setText("2");
    QGuiApplication::clipboard()->setText("unsigned char walk[] = {0x80, 0x40, 0xC0, 0x00, 0x40, 0x80};");
    roundTrip.arrayAnswer = ArrayChoice{0, 2};
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(form->document.Frames().Count(), 3);
    EXPECT_EQ(ToRows(form->document.Frames().Frame(0)), (Rows{"#.", ".#"}));
    EXPECT_EQ(ToRows(form->document.Frames().Frame(1)), (Rows{"##", ".."}));
    EXPECT_EQ(ToRows(form->document.Frames().Frame(2)), (Rows{".#", "#."}));
    QTest::mouseClick(Find<QPushButton>("B_Annuler"), Qt::LeftButton);
    EXPECT_EQ(form->document.Frames().Count(), 1);
    EXPECT_EQ(ToRows(form->sprite), (Rows{"##"}));
}

TEST_F(RoundTripCommands, TheClipboardIsReadWithCtrlShiftVAndTextWithoutArraysIsRefused)
{
    UseSprite({"#"});
    roundTrip.arrayAnswer = ArrayChoice{0, 2};
    QGuiApplication::clipboard()->setText("int main(void) { return 0; }");
    dialogs.messages.clear();
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Echec!");
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Aucun tableau de sprite lisible"));
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#"}));

    QGuiApplication::clipboard()->setText("unsigned char s[] = {0x40, 0xC0};");
    dialogs.messages.clear();
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ToRows(form->sprite), (Rows{".#", "##"}));
}

// The name proposed is the one pixora-export takes from the same file name:
// its first 8 characters that the calculator allows; the note states the
// rule as a sentence of its own.
TEST_F(RoundTripCommands, TheProposedNameIsTheFilesShortenedByTheRule)
{
    UseSprite({"#."});
    const std::pair<QString, QString> cases[] = {
        {"cli_final.89i", "cli_fina"}, {"Mon Sprite.89i", "monsprit"}, {"2e-essai.9xi", "eessai"}};
    for (const auto& [file, proposed] : cases) {
        roundTrip.nameQuestions.clear();
        Click(Find<QPushButton>("B_ExporterTI"), file);
        ASSERT_EQ(roundTrip.nameQuestions.size(), 1u);
        EXPECT_EQ(roundTrip.nameQuestions[0].first, proposed);
        EXPECT_TRUE(roundTrip.nameQuestions[0].second.endsWith(
            QStringLiteral("blanc.\nUn nom de variable a de 1 à 8 caractères, lettres, chiffres et _, et commence "
                           "par une lettre.")))
            << roundTrip.nameQuestions[0].second.toStdString();
        EXPECT_EQ(PictureRows(file), (Rows{"#."}));
    }
}

// A FIFO would wait for a writer forever, a device never ends, and a file
// far larger than any header would only fill the memory.
TEST_F(RoundTripCommands, ImportingCRefusesWhatIsNoSourceFileWithTheReason)
{
    const std::string folder = PathOf("").toStdString();
    ASSERT_EQ(mkfifo((folder + "tube.h").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder + "zero.h");
    std::ofstream(folder + "grand.h").close();
    std::filesystem::resize_file(folder + "grand.h", 64 * 1024 * 1024 + 1); // sparse
    const std::pair<QString, QString> cases[] = {
        {"tube.h", "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)"},
        {"zero.h", "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)"},
        {"grand.h", "fichier trop grand (plus de 64 Mo)"},
    };
    UseSprite({"#d"});
    roundTrip.arrayAnswer = ArrayChoice{0, 8};
    const FifoRescue rescue(folder + "tube.h");
    for (const auto& [file, reason] : cases) {
        Click(Find<QPushButton>("B_ImporterC"), file);
        ExpectOneMessage(QStringLiteral("Le Chargement a échoué\n") + reason, "Echec!", MessageIcon::Warning);
    }
    EXPECT_TRUE(roundTrip.arrayQuestions.empty());
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#d"}));
}

} // namespace
