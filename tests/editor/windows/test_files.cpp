// The save, load and import commands of the page "Enreg/charger", driven
// through their buttons with scripted dialogs: names, messages, what the
// window shows afterwards, and what a refused file leaves alone.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "gui_fixture.h"

namespace {

const QString PixoFilter = "Format du logiciel (*.pixo)|*.pixo";
const QString TiFilter = "Format TI  (*.89i;*.v2i;*9xi)|*.89i;*.v2i;*9xi";

class FileCommands : public EditorWindowTest {
protected:
    QString PathOf(const QString& name) const { return ProgramFolder() + name; }

    // Clicks the button with the dialog answering the file name (none: cancel).
    void Run(QPushButton* button, const QString& answer = QString())
    {
        if (!answer.isNull())
            dialogs.fileAnswers.push_back(PathOf(answer));
        dialogs.messages.clear();
        form->PageControl1->setCurrentWidget(form->TabSheet2);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void ExpectSaved() { ExpectOneMessage("Enregsitrement effectué : ...", "Succès!", MessageIcon::Information); }
    void ExpectLoaded() { ExpectOneMessage("Chargement effectué : ...", "Succès!", MessageIcon::Information); }

    void WriteBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A calculator picture in its real layout: 16-bit big-endian height at
    // 88 and width at 90, then rows of whole bytes, leftmost pixel in bit 7.
    static QByteArray TiPicture(int width, int height, const QByteArray& rows)
    {
        QByteArray bytes(92, '\0');
        bytes[88] = char(height >> 8);
        bytes[89] = char(height);
        bytes[90] = char(width >> 8);
        bytes[91] = char(width);
        return bytes + rows;
    }
};

TEST_F(FileCommands, CancellingAnyDialogChangesNothingAndSaysNothing)
{
    struct Row {
        QPushButton* button;
        FileDialogKind kind;
        QString dialog;
        QString filter;
    };
    const Row rows[] = {
        {form->BitBtn5, FileDialogKind::Save, "SaveDialog1", PixoFilter},
        {form->BitBtn7, FileDialogKind::Open, "OpenDialog1", PixoFilter},
        {form->BitBtn9, FileDialogKind::Open, "OpenDialog2", TiFilter},
    };
    UseSprite({"#d", "Wl"});
    for (const Row& row : rows) {
        Run(row.button);
        const FileDialogCall& call = dialogs.fileDialogs.back();
        EXPECT_EQ(call.kind, row.kind);
        EXPECT_EQ(call.objectName, row.dialog);
        EXPECT_EQ(call.filter, row.filter) << row.dialog.toStdString();
        EXPECT_TRUE(dialogs.messages.empty()) << row.dialog.toStdString();
        EXPECT_EQ(ToRows(form->sprite), (Rows{"#d", "Wl"})) << row.dialog.toStdString();
    }
    EXPECT_EQ(dialogs.fileDialogs.size(), 3u);
    EXPECT_TRUE(QDir(ProgramFolder()).isEmpty(QDir::Files));
}

TEST_F(FileCommands, SaveAddsThePixoSuffixUnlessTheNameEndsExactlyWithIt)
{
    const std::pair<QString, QString> typedAndWritten[] = {
        {"plain", "plain.pixo"},
        {"done.pixo", "done.pixo"},
        {"upper.PIXO", "upper.PIXO.pixo"},
        {"backup.pixo.old", "backup.pixo.old.pixo"},
        {"avec espace é", "avec espace é.pixo"},
    };
    for (const auto& [typed, written] : typedAndWritten) {
        Run(form->BitBtn5, typed);
        ExpectSaved();
        EXPECT_EQ(QFileInfo(PathOf(written)).size(), 30732) << typed.toStdString();
    }
    // The dialog opens again on the completed name.
    Run(form->BitBtn5);
    EXPECT_EQ(dialogs.fileDialogs.back().fileNameBefore, PathOf("avec espace é.pixo"));
}

TEST_F(FileCommands, SaveThatCannotWriteSaysSoAndDamagesNothing)
{
    QDir(ProgramFolder()).mkpath("folder.pixo/inside");
    for (const QString target : {"missing/sprite.pixo", "folder.pixo"}) {
        Run(form->BitBtn5, target);
        ExpectOneMessage("L'Enregistrement est un Echec", "Echec!", MessageIcon::Warning);
    }
    EXPECT_FALSE(QFileInfo::exists(PathOf("missing")));
    EXPECT_TRUE(QFileInfo(PathOf("folder.pixo/inside")).isDir());
}

TEST_F(FileCommands, LoadBringsBackTheSavedSpriteAndShowsItsSize)
{
    UseSprite({"#..D", "lBdW", "...."});
    Run(form->BitBtn5, "aller retour é");
    UseSprite(Rows(20, std::string(30, 'd')));
    Run(form->BitBtn7, "aller retour é.pixo");
    ExpectLoaded();
    EXPECT_EQ(ToRows(form->sprite), (Rows{"#..D", "lBdW", "...."}));
    EXPECT_EQ(form->sprite.GetType(), GrayscaleMasked);
    EXPECT_EQ(form->E_TailleX->text(), "4");
    EXPECT_EQ(form->E_TailleY->text(), "3");
}

TEST_F(FileCommands, RefusedFilesLeaveSpriteEditsAndViewAlone)
{
    WriteBytes("short.pixo", QByteArray(30731, '\x01'));
    WriteBytes("huge.89i", TiPicture(320, 16, QByteArray(640, '\xFF')));
    WriteBytes("cut.89i", TiPicture(16, 16, QByteArray(31, '\xFF')));
    QDir(ProgramFolder()).mkdir("folder.89i");
    const std::pair<QPushButton*, QString> commandAndFile[] = {
        {form->BitBtn7, "absent.pixo"}, {form->BitBtn7, "short.pixo"}, {form->BitBtn9, "absent.89i"},
        {form->BitBtn9, "huge.89i"},    {form->BitBtn9, "cut.89i"},    {form->BitBtn9, "folder.89i"},
    };
    UseSprite({"#l", "dB"});
    form->E_TailleX->setText("7");
    const QImage viewBefore = MainView();
    for (const auto& [button, file] : commandAndFile) {
        Run(button, file);
        ExpectOneMessage("Le Chargement a échoué", "Echec!", MessageIcon::Warning);
        EXPECT_EQ(ToRows(form->sprite), (Rows{"#l", "dB"})) << file.toStdString();
        EXPECT_EQ(form->E_TailleX->text(), "7") << file.toStdString();
    }
    EXPECT_EQ(MainView(), viewBefore);
}

TEST_F(FileCommands, ImportReplacesTheSpriteWithABlackAndWhitePicture)
{
    UseSprite(Rows(32, std::string(32, 'D')));
    WriteBytes("bords.9xi", TiPicture(16, 8, QByteArray("\x80\x01").repeated(8)));
    Run(form->BitBtn9, "bords.9xi");
    ExpectLoaded();
    EXPECT_EQ(ToRows(form->sprite), Rows(8, "#..............#"));
    EXPECT_EQ(form->sprite.GetType(), BlackWhite);
    EXPECT_EQ(form->E_TailleX->text(), "16");
    EXPECT_EQ(form->E_TailleY->text(), "8");
}

// The grid of a loaded sprite with fewer rows ends higher up: what the old
// grid drew below it must go.
TEST_F(FileCommands, LoadingASmallerGridClearsWhatTheOldGridDrewBelowIt)
{
    UseSprite(Rows(16, std::string(16, '#')));
    const QPoint belowNewGrid = CellCenter(8, 12);
    ASSERT_EQ(MainView().pixel(belowNewGrid) & 0xFFFFFF, 0x000000u);
    WriteBytes("moitie.89i", TiPicture(16, 8, QByteArray(16, '\0')));
    Run(form->BitBtn9, "moitie.89i");
    ExpectLoaded();
    EXPECT_NE(MainView().pixel(belowNewGrid) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(MainView().pixel(CellCenter(8, 4)) & 0xFFFFFF, 0xFFFFFFu);
}

// NAME_l with NAME_d beside it: the import asks whether to read the two
// planes as one gray sprite; "Non", or no NAME_d, imports the one picture.
TEST_F(FileCommands, ALightPlaneWithItsDarkPlaneBesideIsImportedGrayWhenAsked)
{
    WriteBytes("m_l.89i", TiPicture(8, 1, QByteArray(1, '\xF0')));
    WriteBytes("m_d.89i", TiPicture(8, 1, QByteArray(1, '\xCC')));
    WriteBytes("seul_l.89i", TiPicture(8, 1, QByteArray(1, '\xF0')));
    const struct {
        QString file;
        int answer;
        std::size_t questions;
        Rows rows;
        SpriteType type;
    } cases[] = {
        {"m_l.89i", 0, 1, {"##lldd.."}, Grayscale},
        {"m_l.89i", 1, 1, {"####...."}, BlackWhite},
        {"seul_l.89i", 0, 0, {"####...."}, BlackWhite},
    };
    for (const auto& [file, answer, questions, rows, type] : cases) {
        UseSprite({"#"});
        dialogs.questions.clear();
        dialogs.questionAnswers = {answer};
        Run(form->BitBtn9, file);
        ASSERT_EQ(dialogs.questions.size(), questions) << file.toStdString();
        if (questions) {
            EXPECT_TRUE(dialogs.questions[0].text.startsWith(
                "Importer « m_l.89i » comme une image en gris avec « m_d.89i » ?"));
        }
        EXPECT_EQ(ToRows(form->sprite), rows) << file.toStdString() << " " << answer;
        EXPECT_EQ(form->sprite.GetType(), type);
    }
}

} // namespace
