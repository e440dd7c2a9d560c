// The plug-in pages and the export command with the real plug-ins of this
// build, copied into the test's program folder, and the export window that
// shows what they wrote.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWindow>
#include <map>

#include "gui_fixture.h"

namespace {

const QString HexPlane = "Format TIGCClib";
const QString BinPlane = "Plugin Test en DevCpp";
const QString MaskPlane = "Sprites masqués (TIGCClib, ExtGraph)";

const QString BindFailed = "Le chargement de la fonction d'enregistrement dans la DLL a échoué!";
const QString Refused = "Erreur de la procédure d'enregistrement par la fonction de la DLL\n"
                        " Voir message d'erreur dans le fichier";
// What hexplane explains when it refuses a size.
const QString SizeRefusal = "Les tailles supportées par un sprite TIGGC sont(non maskés):\n"
                            "  - 8x 8\n  -16x16\n  -32x32\n";

QString Library(const char* name)
{
    return QString(name) + ".so";
}

// Records, with each message, whether the export window was showing then.
class WatchingDialogs : public ScriptedDialogs {
public:
    const QWidget* window = nullptr;
    std::vector<bool> windowShownAtMessage;
    void ShowMessage(const QString& text, const QString& caption, MessageIcon icon) override
    {
        windowShownAtMessage.push_back(window->isVisible());
        ScriptedDialogs::ShowMessage(text, caption, icon);
    }
};

class Export : public EditorWindowTest {
protected:
    virtual QStringList Plugins() const { return {Library("hexplane"), Library("binplane"), Library("maskplane")}; }

    void PrepareProgramFolder() override
    {
        QDir(ProgramFolder()).mkdir("Plugins");
        for (const QString& name : Plugins())
            ASSERT_TRUE(QFile::copy(QString(PIXORA_PLUGIN_DIR "/") + name, PluginPath(name)));
    }

    QString PluginPath(const QString& name) const { return ProgramFolder() + "Plugins/" + name; }
    QString ExportPath(const QString& name) const { return ProgramFolder() + "export/" + name; }

    // Picks the plug-in by its display name, names the file and clicks "&Go!".
    void ExportWith(const QString& plugin, const QString& fileName)
    {
        form->ComboBox1->setCurrentIndex(form->ComboBox1->findText(plugin));
        form->Edit1->setText(fileName);
        dialogs.messages.clear();
        form->PageControl1->setCurrentWidget(form->TabSheet3);
        QTest::mouseClick(form->Button1, Qt::LeftButton);
    }

    void ExpectWrittenTo(const QString& fileName)
    {
        ExpectOneMessage("Exportation réussie dans \"" + ExportPath(fileName) + "\"", "Succès",
                         MessageIcon::Information);
    }

    QByteArray Exported(const QString& fileName) const
    {
        QFile file(ExportPath(fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

TEST_F(Export, PluginPagesListTheValidPluginsWithTheirInformation)
{
    const std::map<QString, QString> displayNames = {
        {Library("hexplane"), HexPlane}, {Library("binplane"), BinPlane}, {Library("maskplane"), MaskPlane}};
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_EQ(form->LB_Plugins->count(), 3);
    ASSERT_EQ(form->ComboBox1->count(), 3);
    for (int row = 0; row < 3; ++row) {
        const QString file = form->LB_Plugins->item(row)->text();
        EXPECT_EQ(form->ComboBox1->itemText(row), displayNames.at(file));
        EXPECT_EQ(form->PluginFiles[row], PluginPath(file).toStdString());
    }
    EXPECT_EQ(form->LB_Plugins->currentRow(), 0);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 0);
    EXPECT_TRUE(form->Memo1->toPlainText().startsWith("-Nom:\n    " + form->ComboBox1->itemText(0) + "\n\n"));

    form->PageControl1->setCurrentWidget(form->TabSheet4);
    QListWidgetItem* hexplane = form->LB_Plugins->findItems(Library("hexplane"), Qt::MatchExactly).constFirst();
    const QPoint onItem = form->LB_Plugins->visualItemRect(hexplane).center();
    QTest::mouseClick(form->LB_Plugins->viewport(), Qt::LeftButton, Qt::NoModifier, onItem);
    EXPECT_EQ(form->Memo1->toPlainText(),
              "-Nom:\n    Format TIGCClib\n\n-Version:\n    1.0.0\n\n-Auteur:\n    Kestrune\n\n"
              "-URL:\n    http://kestrune.free.fr\n\n-Mail:\n    kestrune@free.fr\n\n"
              "-Description:\n    Exporte les 8x8, 16x16, 32x32 niveau de gris ou non (non maskés)\n"
              "    La déclaration est faite avec des nombres hexadécimaux");
}

TEST_F(Export, EightByEightBlackAndWhiteIsWrittenAndShown)
{
    UseSprite({"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.", ".......#"});
    form->CB_OuvrirFenetre->setChecked(true);
    ASSERT_FALSE(QFileInfo::exists(ProgramFolder() + "export"));
    ExportWith(HexPlane, "diagonale.h");
    ExpectWrittenTo("diagonale.h");
    const QByteArray line = "static unsigned char Sprite[] = {0x80, 0x40, 0x20, 0x10, 0x8, 0x4, 0x2, 0x1};";
    EXPECT_EQ(Exported("diagonale.h"), line + "\r\n");
    EXPECT_TRUE(exportWindow->isVisible());
    EXPECT_EQ(exportWindow->windowTitle(), ExportPath("diagonale.h"));
    EXPECT_EQ(exportWindow->Memo1->toPlainText(), QString(line) + "\n");
}

// Height and width come from the size edits, not from the sprite, and reach
// the plug-in in that order.
TEST_F(Export, SizeEditsReachThePluginAsHeightThenWidth)
{
    UseSprite(Rows(16, std::string(16, '#')));
    form->E_TailleY->setText("8");
    ExportWith(MaskPlane, "bande.h");
    ExpectWrittenTo("bande.h");
    EXPECT_TRUE(Exported("bande.h").startsWith("/* Sprite : 16 x 8 pixels, noir et blanc"));

    form->E_TailleX->setText("seize");
    ExportWith(HexPlane, "jamais.h");
    ExpectOneMessage("'seize' is not a valid integer value", "Pixora", MessageIcon::Error);
    EXPECT_FALSE(QFileInfo::exists(ExportPath("jamais.h")));
}

TEST_F(Export, RefusalIsReportedFirstThenShownDecoded)
{
    WatchingDialogs watching;
    watching.window = exportWindow.get();
    InstallDialogs(&watching);
    UseSprite(Rows(8, std::string(16, '#')));
    form->CB_OuvrirFenetre->setChecked(true);
    ExportWith(HexPlane, "refus.txt");
    InstallDialogs(&dialogs);
    ASSERT_EQ(watching.messages.size(), 1u);
    EXPECT_EQ(watching.messages[0].text, Refused);
    EXPECT_EQ(watching.messages[0].caption, "Erreur");
    EXPECT_EQ(watching.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(watching.windowShownAtMessage[0]);
    EXPECT_TRUE(exportWindow->isVisible());
    EXPECT_EQ(exportWindow->windowTitle(), ExportPath("refus.txt"));
    EXPECT_EQ(exportWindow->Memo1->toPlainText(), SizeRefusal);
}

// A refusal never costs the file a program already includes: the previous
// export stays byte for byte, the explanation is shown from the scratch file
// the plug-in wrote it into, and that file goes. For one sprite and a set.
TEST_F(Export, ARefusalKeepsThePreviousExportAndShowsItsExplanation)
{
    UseSprite(Rows(8, std::string(8, '#')));
    ExportWith(HexPlane, "heros.h");
    ExpectWrittenTo("heros.h");
    const QByteArray good = Exported("heros.h");
    form->CB_OuvrirFenetre->setChecked(true);
    UseSprite(Rows(8, std::string(16, '#')));
    for (const bool set : {false, true}) {
        SCOPED_TRACE(set ? "set" : "one sprite");
        if (set)
            ClickOnItsPage(Find<QPushButton>("B_NouvelleImage"));
        exportWindow->setWindowTitle("Export");
        exportWindow->Memo1->clear();
        ExportWith(HexPlane, "heros.h");
        ExpectOneMessage(Refused, "Erreur", MessageIcon::Warning);
        EXPECT_EQ(Exported("heros.h"), good);
        EXPECT_EQ(QDir(ProgramFolder() + "export").entryList(QDir::Files | QDir::Hidden), QStringList{"heros.h"});
        EXPECT_TRUE(exportWindow->isVisible());
        EXPECT_EQ(exportWindow->windowTitle(), ExportPath("heros.h"));
        EXPECT_EQ(exportWindow->Memo1->toPlainText(), SizeRefusal);
    }
}

// The export window comes up in front without taking the keyboard: the
// user's next tool key still reaches the main window.
TEST_F(Export, TheExportWindowLeavesTheKeyboardToTheMainWindow)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    UseSprite(Rows(8, std::string(8, '#')));
    form->CB_OuvrirFenetre->setChecked(true);
    ExportWith(HexPlane, "clavier.h");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(exportWindow.get()));
    // Activation comes as a queued event of the platform.
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), form.get());
    QWindow* keyboard = QGuiApplication::focusWindow();
    ASSERT_NE(keyboard, nullptr);
    QTest::keyClick(keyboard, Qt::Key_L);
    EXPECT_EQ(form->Tool, ToolLine);
    EXPECT_TRUE(exportWindow->Memo1->toPlainText().startsWith("static unsigned char Sprite[] = {0xFF,"));
}

// Names are passed as typed; the sprite name reaches the C text in the
// plug-ins' code page.
TEST_F(Export, TypedNamesArePassedAsTheyAre)
{
    UseSprite(Rows(8, std::string(8, '.')));
    form->CB_OuvrirFenetre->setChecked(true);
    form->Edit2->setText("Sprité");
    ExportWith(HexPlane, "accentué €.h");
    ExpectWrittenTo("accentué €.h");
    EXPECT_TRUE(Exported("accentué €.h").startsWith("static unsigned char Sprit\xE9[] = {"));
    EXPECT_TRUE(exportWindow->Memo1->toPlainText().startsWith("static unsigned char Sprité[] = {"));

    ExportWith(HexPlane, "../hors_export.h");
    ExpectWrittenTo("../hors_export.h");
    EXPECT_TRUE(QFileInfo::exists(ProgramFolder() + "hors_export.h"));
}

// A name that is no C identifier gives C that does not compile: the user is
// warned before the plug-in runs, and decides.
TEST_F(Export, ANameThatIsNoCIdentifierIsExportedOnlyWhenConfirmed)
{
    UseSprite(Rows(8, std::string(8, '.')));
    form->Edit2->setText("mon sprite");
    dialogs.questionAnswers = {1};
    ExportWith(HexPlane, "annule.h");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].caption, "Attention");
    EXPECT_EQ(dialogs.questions[0].buttons, (QStringList{"Exporter", "Annuler"}));
    EXPECT_TRUE(dialogs.questions[0].text.startsWith("Le nom de sprite « mon sprite » n'est pas un identificateur C"))
        << dialogs.questions[0].text.toStdString();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(QFileInfo::exists(ExportPath("annule.h")));

    dialogs.questionAnswers = {0};
    ExportWith(HexPlane, "confirme.h");
    ExpectWrittenTo("confirme.h");
    EXPECT_TRUE(Exported("confirme.h").startsWith("static unsigned char mon sprite[] = {"));

    form->Edit2->setText("balle");
    ExportWith(HexPlane, "balle.h");
    ExpectWrittenTo("balle.h");
    EXPECT_EQ(dialogs.questions.size(), 2u);
}

// A name the plug-in cannot create a file under: its failure is reported,
// then the missing file gives the error box and no window.
TEST_F(Export, FileThePluginCouldNotWriteIsNotShown)
{
    form->CB_OuvrirFenetre->setChecked(true);
    for (const QString name : {"", "dossier/absent.h"}) {
        ExportWith(HexPlane, name);
        ASSERT_EQ(dialogs.messages.size(), 2u) << name.toStdString();
        EXPECT_EQ(dialogs.messages[0].text, Refused);
        EXPECT_EQ(dialogs.messages[1].caption, "Pixora");
        EXPECT_TRUE(dialogs.messages[1].text.contains(ExportPath(name))) << dialogs.messages[1].text.toStdString();
        EXPECT_FALSE(exportWindow->isVisible());
        EXPECT_EQ(exportWindow->windowTitle(), "Export");
    }
}

TEST_F(Export, ExportWindowHidesOnCloseAndKeepsItsPlaceWhenShownAgain)
{
    UseSprite(Rows(8, std::string(8, '#')));
    form->CB_OuvrirFenetre->setChecked(true);
    ExportWith(HexPlane, "un.h");
    exportWindow->close();
    EXPECT_FALSE(exportWindow->isVisible());
    ExportWith(BinPlane, "deux.h");
    EXPECT_TRUE(exportWindow->isVisible());
    EXPECT_TRUE(exportWindow->Memo1->toPlainText().startsWith("static unsigned char Sprite[] ={\n  0b11111111,\n"));

    exportWindow->setGeometry(40, 60, 300, 200);
    const QRect placed = exportWindow->geometry();
    ExportWith(HexPlane, "trois.h");
    EXPECT_EQ(exportWindow->geometry(), placed);
    EXPECT_EQ(exportWindow->windowTitle(), ExportPath("trois.h"));

    form->CB_OuvrirFenetre->setChecked(false);
    ExportWith(BinPlane, "quatre.h");
    ExpectWrittenTo("quatre.h");
    EXPECT_EQ(exportWindow->windowTitle(), ExportPath("trois.h"));
}

TEST_F(Export, PluginRemovedSinceStartUpFailsCleanly)
{
    QListWidgetItem* binplane = form->LB_Plugins->findItems(Library("binplane"), Qt::MatchExactly).constFirst();
    form->LB_Plugins->clearSelection();
    form->Memo1->setPlainText("avant");
    ASSERT_TRUE(QFile::remove(PluginPath(Library("binplane"))));
    binplane->setSelected(true);
    EXPECT_EQ(form->Memo1->toPlainText(), "avant");
    ExportWith(BinPlane, "disparu.h");
    ExpectOneMessage(BindFailed, "Erreur", MessageIcon::Warning);
    EXPECT_FALSE(QFileInfo::exists(ProgramFolder() + "export"));
}

class ExportWithoutPlugins : public Export {
protected:
    QStringList Plugins() const override { return {}; }
};

TEST_F(ExportWithoutPlugins, ListsStayEmptyAndExportSaysTheLoadFailed)
{
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form->LB_Plugins->count(), 0);
    EXPECT_EQ(form->ComboBox1->count(), 0);
    EXPECT_EQ(form->Memo1->toPlainText(), "Memo1");
    ExportWith(HexPlane, "rien.h");
    ExpectOneMessage(BindFailed, "Erreur", MessageIcon::Warning);
    EXPECT_FALSE(QFileInfo::exists(ProgramFolder() + "export"));
}

class ExportWithInvalidLibrary : public Export {
protected:
    QStringList Plugins() const override { return {Library("hexplane")}; }
    void PrepareProgramFolder() override
    {
        Export::PrepareProgramFolder();
        QFile notALibrary(PluginPath(Library("pas_un_plugin")));
        ASSERT_TRUE(notALibrary.open(QIODevice::WriteOnly));
        notALibrary.write("texte");
        QDir(ProgramFolder()).mkpath("Plugins/dossier.so");
    }
};

TEST_F(ExportWithInvalidLibrary, WarnsOnceAtStartAndListsOnlyTheValidPlugin)
{
    ExpectOneMessage("Plugin <" + Library("pas_un_plugin") + "> non valide!\nIl est donc ignoré par le programme",
                     "Erreur", MessageIcon::Warning);
    ASSERT_EQ(form->LB_Plugins->count(), 1);
    EXPECT_EQ(form->LB_Plugins->item(0)->text(), Library("hexplane"));
    EXPECT_EQ(form->ComboBox1->itemText(0), HexPlane);
    UseSprite(Rows(8, std::string(8, '.')));
    ExportWith(HexPlane, "valide.h");
    ExpectWrittenTo("valide.h");
}

} // namespace
