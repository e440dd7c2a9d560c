// An installed editor, whose program folder its user cannot write to: the
// settings file, the exports and extra plug-ins live in the user's own
// folders. Where the program folder is writable nothing of this shows.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "gui_fixture.h"

namespace {

const QString Refused = "Erreur de la procédure d'enregistrement par la fonction de la DLL\n"
                        " Voir message d'erreur dans le fichier";

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Starts as the installed program does, whose folder is read-only.
class ReadOnlyInstall : public EditorWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programFolder.isValid() && home.isValid());
        InstallDialogs(&dialogs);
        PrepareProgramFolder();
        StartInstalled();
    }

    void PrepareProgramFolder() override
    {
        QDir(ProgramFolder()).mkdir("Plugins");
        ASSERT_TRUE(QFile::copy(PIXORA_PLUGIN_DIR "/hexplane.so", ProgramFolder() + "Plugins/hexplane.so"));
    }

    UserFolders User() const
    {
        const QString root = home.path();
        return {root + "/.config/pixora/", root + "/Documents/Pixora/", root + "/.local/share/pixora/"};
    }
    QString UserExport(const QString& name) const { return User().documents + "export/" + name; }

    // The three windows as the installed program builds them.
    void StartInstalled()
    {
        StopEditor();
        form = std::make_unique<TForm1>(PathsFor(ProgramFolder() + "pixora", false, User()));
        preview = std::make_unique<TF_Apercu>(*form);
        exportWindow = std::make_unique<TForm2>(*form);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void ExportAs(const QString& fileName)
    {
        UseSprite(Rows(8, std::string(8, '#')));
        form->Edit1->setText(fileName);
        dialogs.messages.clear();
        form->PageControl1->setCurrentWidget(form->TabSheet3);
        QTest::mouseClick(form->Button1, Qt::LeftButton);
    }

    QTemporaryDir home;
};

} // namespace

TEST(PathsFor, AWritableProgramFolderHoldsEverythingAReadOnlyOneSendsTheUserHome)
{
    const UserFolders user{"/home/u/.config/pixora/", "/home/u/Documents/Pixora/", "/home/u/.local/share/pixora/"};

    const ProgramPaths portable = PathsFor("/opt/pixora/pixora", true, user);
    EXPECT_EQ(portable.folder, "/opt/pixora/");
    EXPECT_EQ(portable.settingsFile, "/opt/pixora/pixora.ini");
    EXPECT_EQ(portable.exportFolder, "/opt/pixora/export/");
    EXPECT_EQ(portable.pluginFolders, std::vector<std::string>{"/opt/pixora/Plugins/"});
    EXPECT_FALSE(portable.perUser);

    // The settings file keeps the program file's name.
    const ProgramPaths installed = PathsFor("/usr/lib/pixora/pixora.bin", false, user);
    EXPECT_EQ(installed.folder, "/usr/lib/pixora/");
    EXPECT_EQ(installed.settingsFile, "/home/u/.config/pixora/pixora.ini");
    EXPECT_EQ(installed.exportFolder, "/home/u/Documents/Pixora/export/");
    EXPECT_EQ(installed.pluginFolders,
              (std::vector<std::string>{"/usr/lib/pixora/Plugins/", "/home/u/.local/share/pixora/Plugins/"}));
    EXPECT_TRUE(installed.perUser);
}

// The same program folder, writable: the designed portable layout.
class PortableProgramFolder : public ReadOnlyInstall {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programFolder.isValid() && home.isValid());
        InstallDialogs(&dialogs);
        PrepareProgramFolder();
        WriteFile(User().data + "Plugins/hexplane.so", "ignoré ici");
        StartEditor();
    }
};

TEST_F(PortableProgramFolder, ShowsNoUserFolderAndTouchesNone)
{
    EXPECT_EQ(form->findChild<QLabel*>("exportFolderLabel"), nullptr);
    EXPECT_TRUE(form->TabSheet3->findChildren<QLabel*>("exportFolderLabel").isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_EQ(form->PluginFiles.size(), 1u);
    EXPECT_EQ(form->PluginFiles[0], (ProgramFolder() + "Plugins/hexplane.so").toStdString());
    StopEditor();
    EXPECT_TRUE(QFileInfo::exists(ProgramFolder() + "pixora.ini"));
    EXPECT_FALSE(QFileInfo::exists(User().config));
}

TEST_F(ReadOnlyInstall, SettingsAreKeptInTheUsersConfigurationFolder)
{
    form->CB_OuvrirFenetre->setChecked(false);
    form->PageControl1->setCurrentIndex(4);
    StopEditor();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(Contents(User().config + "pixora.ini").contains("OuvrirFenetre=0"));
    EXPECT_FALSE(QFileInfo::exists(ProgramFolder() + "pixora.ini"));

    StartInstalled();
    EXPECT_FALSE(form->CB_OuvrirFenetre->isChecked());
    EXPECT_EQ(form->PageControl1->currentIndex(), 4);
}

TEST_F(ReadOnlyInstall, ExportsGoToTheUsersDocumentsAndThePageSaysWhere)
{
    ASSERT_NE(Find<QLabel>("exportFolderLabel"), nullptr);
    EXPECT_TRUE(Find<QLabel>("exportFolderLabel")->text().endsWith(User().documents + "export/"));
    form->CB_OuvrirFenetre->setChecked(true);
    ExportAs("balle.h");
    ExpectOneMessage("Exportation réussie dans \"" + UserExport("balle.h") + "\"", "Succès", MessageIcon::Information);
    EXPECT_EQ(Contents(UserExport("balle.h")).toStdString(),
              "static unsigned char Sprite[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};\r\n");
    EXPECT_EQ(exportWindow->windowTitle(), UserExport("balle.h"));
    EXPECT_FALSE(QFileInfo::exists(ProgramFolder() + "export"));
}

// A file where a folder should be made (the folders are made only when first
// needed): the designed failures, once each, and the window still closes.
TEST_F(ReadOnlyInstall, UserFoldersThatCannotBeMadeGiveTheDesignedMessages)
{
    WriteFile(home.path() + "/.config/pixora", "un fichier");
    WriteFile(home.path() + "/Documents/Pixora", "un fichier");
    form->CB_OuvrirFenetre->setChecked(false);

    ExportAs("balle.h");
    ExpectOneMessage(Refused, "Erreur", MessageIcon::Warning);

    dialogs.messages.clear();
    dialogs.questionAnswers = {1}; // the drawing is not saved: "Ne pas enregistrer"
    form->close();
    ExpectOneMessage("Unable to write to " + User().config + "pixora.ini", "Pixora", MessageIcon::Error);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Contents(home.path() + "/.config/pixora"), "un fichier");
}

TEST_F(ReadOnlyInstall, UserPluginsAreListedAfterTheProgramsAndBrokenOnesAreSkipped)
{
    const QString userPlugins = User().data + "Plugins/";
    QDir().mkpath(userPlugins);
    ASSERT_TRUE(QFile::copy(PIXORA_PLUGIN_DIR "/binplane.so", userPlugins + "binplane.so"));
    WriteFile(userPlugins + "casse.so", "pas une bibliothèque");
    StartInstalled();

    ExpectOneMessage("Plugin <casse.so> non valide!\nIl est donc ignoré par le programme", "Erreur",
                     MessageIcon::Warning);
    ASSERT_EQ(form->LB_Plugins->count(), 2);
    EXPECT_EQ(form->LB_Plugins->item(0)->text(), "hexplane.so");
    EXPECT_EQ(form->LB_Plugins->item(1)->text(), "binplane.so");
    EXPECT_EQ(form->PluginFiles[1], (userPlugins + "binplane.so").toStdString());

    form->CB_OuvrirFenetre->setChecked(false);
    form->ComboBox1->setCurrentIndex(1);
    ExportAs("binaire.h");
    EXPECT_TRUE(Contents(UserExport("binaire.h")).startsWith("static unsigned char Sprite[] ={\r\n  0b11111111,"));
}
