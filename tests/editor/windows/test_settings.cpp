// The settings file as the windows read and write it: defaults, the order
// of the written keys, a round trip through a real close, values a user may
// have typed by hand, and a file that cannot be written.
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include "settings_fixture.h"

namespace {

using Settings = SettingsTest;

TEST_F(Settings, FirstRunUsesTheDefaultsAndTheFirstCloseWritesAllFourteenValuesInOrder)
{
    EXPECT_FALSE(QFile::exists(SettingsPath()));
    const std::vector<bool> defaults{true, false, false, true, true};
    EXPECT_EQ(Boxes(), defaults);
    EXPECT_FALSE(form->timerAttache->isActive());
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(form->size(), QSize(802, 527));
    EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(333, 285));
    EXPECT_EQ(preview->frameGeometry(), QRect(24, 74, 192, 208));
    EXPECT_TRUE(preview->isVisible());

    const QSize outer = form->frameGeometry().size();
    form->close();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(Stored(), QStringLiteral("[Options]\nApercu=1\nApercuAttache=0\nCouleursVraiesMain=0\n"
                                       "CouleursVraiesApercu=1\nOuvrirFenetre=1\n\n"
                                       "[FenetreMain]\nOnglet=0\nX=333\nY=285\nLargeur=%1\nHauteur=%2\n\n"
                                       "[FenetreApercu]\nX=24\nY=74\nLargeur=192\nHauteur=208\n")
                            .arg(outer.width())
                            .arg(outer.height())
                            .toLatin1());
}

TEST_F(Settings, ARealCloseAndASecondStartRestoreOptionsPageAndBothWindows)
{
    form->CB_Apercu->setChecked(false);
    form->CB_CouleursPrincipale->setChecked(true);
    form->CB_CouleursApercu->setChecked(false);
    form->CB_OuvrirFenetre->setChecked(false);
    form->PageControl1->setCurrentIndex(3);
    form->placement->SetPosition({-40, 2000});
    form->placement->SetWidth(900);
    form->placement->SetHeight(610);
    preview->placement->SetPosition({1500, 60});
    preview->placement->SetWidth(250);
    preview->placement->SetHeight(301);
    QApplication::processEvents();
    ASSERT_EQ(form->frameGeometry(), QRect(-40, 2000, 900, 610));
    ASSERT_EQ(preview->frameGeometry(), QRect(1500, 60, 250, 301));

    StopEditor();
    StartEditor();
    QApplication::processEvents();
    EXPECT_EQ(Boxes(), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(form->PageControl1->currentIndex(), 3);
    EXPECT_EQ(form->frameGeometry(), QRect(-40, 2000, 900, 610));
    EXPECT_EQ(preview->frameGeometry(), QRect(1500, 60, 250, 301));
    EXPECT_TRUE(dialogs.messages.empty());
}

struct HandWrittenCase {
    const char* name;
    const char* content;
    std::vector<bool> boxes;
    int page;
    QPoint mainTopLeft;
};

TEST_F(Settings, ValuesWrittenByHandAreReadAsTheProfileFunctionsRead)
{
    const std::vector<bool> defaults{true, false, false, true, true};
    const HandWrittenCase cases[] = {
        {"names in any case",
         "[OPTIONS]\napercu=0\nCOULEURSVRAIESMAIN=1\n[fenetremain]\nONGLET=2\nx=10\nY=20\n",
         {false, false, true, true, true},
         2,
         {10, 20}},
        {"hexadecimal", "[FenetreMain]\nX=0x10\nY=0X1f\n", defaults, 0, {16, 31}},
        {"any non-zero value is true",
         "[Options]\nApercu=2\nCouleursVraiesApercu=-1\nOuvrirFenetre=0\n",
         {true, false, false, true, false},
         0,
         {333, 285}},
        {"last page", "[FenetreMain]\nOnglet=4\n", defaults, 4, {333, 285}},
        {"no such page", "[FenetreMain]\nOnglet=9\n", defaults, 0, {333, 285}},
        {"negative page", "[FenetreMain]\nOnglet=-1\n", defaults, 0, {333, 285}},
        {"not numbers",
         "[Options]\nApercu=oui\n[FenetreMain]\nOnglet=deux\nX=12abc\nY=\nLargeur=large\n",
         defaults,
         0,
         {333, 285}},
        {"key in the wrong section", "[FenetreApercu]\nOnglet=3\n[Options]\nX=5\n", defaults, 0, {333, 285}},
    };
    for (const HandWrittenCase& row : cases) {
        RestartWith(row.content);
        EXPECT_EQ(Boxes(), row.boxes) << row.name;
        EXPECT_EQ(form->PageControl1->currentIndex(), row.page) << row.name;
        EXPECT_EQ(form->frameGeometry().topLeft(), row.mainTopLeft) << row.name;
        EXPECT_EQ(form->size(), QSize(802, 527)) << row.name;
    }
}

TEST_F(Settings, AnyNonZeroOptionIsWrittenBackAsOne)
{
    RestartWith("[Options]\nApercu=2\n");
    form->close();
    EXPECT_TRUE(Stored().startsWith("[Options]\nApercu=1\nApercuAttache=0\n")) << Stored().toStdString();
}

TEST_F(Settings, GarbageAndOutOfRangeValuesNeverStopTheStart)
{
    static const char content[] = "\x00\xff\xfe garbage\n[Options]\nApercu=99999999999\n[FenetreMain]\n"
                                  "X=-2147483648\nY=2147483647\nLargeur=-50\nHauteur=0x7FFFFFFF\n"
                                  "[FenetreApercu]\nLargeur=\x01\x02\nHauteur=-2147483648\n";
    RestartWith(QByteArray(content, sizeof content - 1));
    QApplication::processEvents();
    EXPECT_TRUE(form->CB_Apercu->isChecked()); // the number does not fit: default
    const QRect main = form->frameGeometry();
    EXPECT_EQ(main.topLeft(), QPoint(-WindowCoordinateLimit - 1, WindowCoordinateLimit));
    EXPECT_EQ(form->width(), 1); // a window with no client area would not be shown at all
    EXPECT_EQ(main.height(), WindowCoordinateLimit);
    EXPECT_EQ(preview->frameGeometry().width(), 192);
    EXPECT_EQ(preview->height(), 1);
    form->close();
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Settings, AnUnwritableFileIsReportedOnceAndTheWindowClosesAnyway)
{
    ASSERT_TRUE(QDir().mkdir(SettingsPath()));
    form->close();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Unable to write to " + SettingsPath());
    EXPECT_EQ(dialogs.messages[0].caption, "Pixora");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(QFileInfo(SettingsPath()).isDir());
}

} // namespace
