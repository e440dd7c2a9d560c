// "Carte": the map window shown from "Options", the pen, the picker, the
// Shift rectangle and the double-click on the map, the cursor of each
// gesture, the tile editor whose retouch shows in every cell, the size and
// the tile count, save and reopen, the question before a changed map is
// replaced or closed, the ways a ".pixm" reaches the window (open dialog,
// recent files, drop), and the picture of a level cut into a map.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <functional>

#include "DocumentManager.h"
#include "ImageImportDialog.h"
#include "MapDocuments.h"
#include "MapFile.h"
#include "MapPalette.h"
#include "MapView.h"
#include "MapWindow.h"
#include "TextEncoding.h"
#include "TileEditor.h"
#include "file_fixture.h"
#include "settings_fixture.h"

namespace {

constexpr QRgb Black = qRgb(0, 0, 0), White = qRgb(255, 255, 255);

// A level of 4 x 4 tiles: 0 sky (white), 1 brick (black), 2 a ladder's rungs
// (black top row only).
TileMap Level(const std::vector<std::string>& rows)
{
    TileMap map;
    map.tiles.tileSize = {4, 4};
    std::vector<int8_t> sky(16, 0), brick(16, 3), rung(16, 0);
    std::fill(rung.begin(), rung.begin() + 4, int8_t{3});
    for (const auto* tile : {&sky, &brick, &rung})
        map.tiles.Add(tile->data());
    map.width = static_cast<int>(rows.at(0).size());
    map.height = static_cast<int>(rows.size());
    for (const std::string& row : rows)
        for (const char cell : row)
            map.cells.push_back(static_cast<uint16_t>(cell - '0'));
    return map;
}

std::vector<std::string> CellRows(const TileMap& map)
{
    std::vector<std::string> rows;
    for (int row = 0; row < map.height; ++row) {
        std::string text;
        for (int column = 0; column < map.width; ++column)
            text += static_cast<char>('0' + map.At(column, row));
        rows.push_back(text);
    }
    return rows;
}

class MapWindowTest : public FileWindowTest {
protected:
    MapDocuments& Maps() const { return form->documents->Maps(); }
    MapWindow* Window() const { return Maps().Window(); }
    MapView* View() const { return Window()->findChild<MapView*>(QStringLiteral("MapView")); }
    TileEditor* Tiles() const { return Window()->findChild<TileEditor*>(QStringLiteral("TileEditor")); }
    MapPalette* Palette() const { return Window()->findChild<MapPalette*>(QStringLiteral("MapPalette")); }
    const TileMap& Map() const { return Maps().Document()->Map(); }
    template <class Control> Control* InWindow(const char* name) const
    {
        auto* control = Window()->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    void WriteMap(const QString& name, const TileMap& map) const
    {
        ASSERT_FALSE(SaveTileMapFile(FileSystemName(PathOf(name)), map));
    }
    // The map opened as the main window's open dialog opens it.
    void OpenMap(const QString& name)
    {
        QApplication::setActiveWindow(form.get());
        form->setFocus();
        Open(Qt::Key_O, name);
    }
    // A key of the map window, pressed while it is the active window.
    void MapKey(Qt::Key key)
    {
        Window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window()));
        QApplication::setActiveWindow(Window());
        View()->setFocus();
        QTest::keyClick(View(), key, Qt::ControlModifier);
    }

    QWidget* ViewPort() const { return View()->viewport(); }
    QPoint At(Point cell) const { return View()->CellCentre(cell); }
    void PressCell(Qt::MouseButton button, Point cell, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(ViewPort(), button, modifiers, At(cell));
    }
    void DragTo(Point cell) { QTest::mouseMove(ViewPort(), At(cell)); }
    void ReleaseCell(Qt::MouseButton button, Point cell, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseRelease(ViewPort(), button, modifiers, At(cell));
    }
    // What the view shows of a pixel of the tile in a cell.
    QRgb Shown(Point cell, Point pixel) const
    {
        const int zoom = View()->Zoom();
        const Point tile = Map().tiles.tileSize; // of even sides: the centre is the corner plus half
        const QPoint corner = At(cell) - QPoint(tile.x * zoom / 2, tile.y * zoom / 2);
        return ViewPort()->grab().toImage().pixel(corner +
                                                  QPoint(pixel.x * zoom + zoom / 2, pixel.y * zoom + zoom / 2));
    }
    void ClickButton(const char* button) { QTest::mouseClick(InWindow<QPushButton>(button), Qt::LeftButton); }
};

TEST_F(MapWindowTest, TheCarteButtonShowsANewMapAndADragIsOneUndo)
{
    ClickOnItsPage(Find<QPushButton>("B_Carte"));
    ASSERT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->windowTitle(), "Carte - nouvelle carte");
    EXPECT_EQ(InWindow<QSpinBox>("E_CarteLargeur")->value(), 16);
    EXPECT_EQ(Map().tiles.tileSize, (Point{8, 8}));

    ClickButton("B_CarteAjouterTuile");
    EXPECT_EQ(Window()->ChosenTile(), 1);
    EXPECT_EQ(Window()->EditedTile(), 1) << "a new tile is ready to be drawn";
    QTest::mouseClick(Tiles(), Qt::LeftButton, {}, Tiles()->PixelCentre({0, 0}));
    EXPECT_EQ(Map().tiles.Tile(1)[0], 3);

    PressCell(Qt::LeftButton, {0, 0});
    DragTo({3, 0});
    DragTo({3, 2});
    ReleaseCell(Qt::LeftButton, {3, 2});
    EXPECT_EQ(CellRows(Map())[0].substr(0, 4), "1111");
    EXPECT_EQ(CellRows(Map())[2].substr(0, 4), "0001");
    EXPECT_EQ(Window()->windowTitle(), "Carte - nouvelle carte*");
    EXPECT_EQ(Shown({2, 0}, {0, 0}), Black);
    EXPECT_EQ(Shown({2, 1}, {0, 0}), White);
    QLabel* status = InWindow<QLabel>("L_CarteEtat");
    EXPECT_EQ(status->text(), "Case (3, 2) : tuile 1") << "the cell under the pointer, as the drag left it";

    MapKey(Qt::Key_Z);
    EXPECT_EQ(CellRows(Map())[0].substr(0, 4), "0000") << "the whole drag in one step";
    EXPECT_EQ(CellRows(Map())[2].substr(0, 4), "0000");
    EXPECT_EQ(Shown({2, 0}, {0, 0}), White);
    EXPECT_EQ(status->text(), "Case (3, 2) : tuile 0");
    MapKey(Qt::Key_Y);
    EXPECT_EQ(CellRows(Map())[0].substr(0, 4), "1111");
}

TEST_F(MapWindowTest, RightClickPicksShiftFillsAndDoubleClickOpensTheTileEverywhere)
{
    WriteMap("niveau.pixm", Level({"0000", "0120", "1110"}));
    OpenMap("niveau.pixm");
    ASSERT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->windowTitle(), "Carte - niveau.pixm");

    QTest::mouseClick(ViewPort(), Qt::RightButton, {}, At({2, 1}));
    EXPECT_EQ(Window()->ChosenTile(), 2);
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"0000", "0120", "1110"})) << "a pick changes no cell";

    PressCell(Qt::LeftButton, {3, 0}, Qt::ShiftModifier);
    DragTo({1, 1});
    ReleaseCell(Qt::LeftButton, {1, 1}, Qt::ShiftModifier);
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"0222", "0222", "1110"}));
    EXPECT_EQ(Maps().Document()->StepsAdded(), 1u);

    // Tile 1 chosen; the double-click on a cell of tile 2 paints nothing.
    QTest::mouseClick(ViewPort(), Qt::RightButton, {}, At({0, 2}));
    QTest::mouseDClick(ViewPort(), Qt::LeftButton, {}, At({2, 0}));
    EXPECT_EQ(Window()->EditedTile(), 2);
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"0222", "0222", "1110"}));
    EXPECT_EQ(Maps().Document()->UndoLabel(), "remplissage de la carte");

    QTest::mousePress(Tiles(), Qt::LeftButton, {}, Tiles()->PixelCentre({0, 3}));
    QTest::mouseMove(Tiles(), Tiles()->PixelCentre({3, 3}));
    QTest::mouseRelease(Tiles(), Qt::LeftButton, {}, Tiles()->PixelCentre({3, 3}));
    QTest::mouseClick(Tiles(), Qt::RightButton, {}, Tiles()->PixelCentre({1, 0}));
    for (const Point cell : {Point{1, 0}, Point{3, 0}, Point{2, 1}}) {
        EXPECT_EQ(Shown(cell, {3, 3}), Black) << cell.x << ", " << cell.y;
        EXPECT_EQ(Shown(cell, {1, 0}), White) << cell.x << ", " << cell.y;
        EXPECT_EQ(Shown(cell, {0, 0}), Black) << cell.x << ", " << cell.y;
    }
    EXPECT_EQ(Shown({0, 0}, {3, 3}), White);
    ClickButton("B_CarteAnnuler");
    ClickButton("B_CarteAnnuler");
    EXPECT_EQ(Shown({2, 1}, {3, 3}), White);
    EXPECT_EQ(Maps().Document()->UndoLabel(), "remplissage de la carte") << "the right click and the stroke undone";
}

// Each gesture shows its cursor while its button is held, the cross after.
TEST_F(MapWindowTest, EachGestureShowsItsCursorWhileHeld)
{
    WriteMap("niveau.pixm", Level({"0000", "0120", "1110"}));
    OpenMap("niveau.pixm");
    const struct {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        Qt::CursorShape held;
    } cases[] = {
        {Qt::LeftButton, Qt::NoModifier, Qt::CrossCursor},
        {Qt::LeftButton, Qt::ShiftModifier, Qt::SizeFDiagCursor},
        {Qt::RightButton, Qt::NoModifier, Qt::PointingHandCursor},
        {Qt::RightButton, Qt::ShiftModifier, Qt::PointingHandCursor},
    };
    for (const auto& test : cases) {
        PressCell(test.button, {1, 1}, test.modifiers);
        EXPECT_EQ(ViewPort()->cursor().shape(), test.held) << test.button << " " << test.modifiers;
        ReleaseCell(test.button, {1, 1}, test.modifiers);
        EXPECT_EQ(ViewPort()->cursor().shape(), Qt::CrossCursor);
    }
}

TEST_F(MapWindowTest, SizeAndTileCountChangeOrAreRefusedWithTheReason)
{
    WriteMap("niveau.pixm", Level({"012", "000"}));
    OpenMap("niveau.pixm");
    InWindow<QSpinBox>("E_CarteLargeur")->setValue(5);
    InWindow<QSpinBox>("E_CarteHauteur")->setValue(1);
    ClickButton("B_CarteAppliquer");
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"01200"}));

    ClickButton("B_CarteSupprimerTuile");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Impossible de supprimer la dernière tuile : la tuile 2 est posée sur la carte, en (2, 0).");
    EXPECT_EQ(Map().tiles.Count(), 3);
    ClickButton("B_CarteAjouterTuile");
    ClickButton("B_CarteSupprimerTuile");
    EXPECT_EQ(Map().tiles.Count(), 3);
    EXPECT_EQ(InWindow<QLabel>("L_CarteTuile")->text().left(12), "Tuile 2 sur ");

    MapKey(Qt::Key_Z);
    MapKey(Qt::Key_Z);
    MapKey(Qt::Key_Z);
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"012", "000"}));
    EXPECT_EQ(InWindow<QSpinBox>("E_CarteLargeur")->value(), 3);
    EXPECT_EQ(Window()->windowTitle(), "Carte - niveau.pixm");
}

TEST_F(MapWindowTest, SavedMapsReopenWithTheSameBytes)
{
    WriteMap("niveau.pixm", Level({"01", "20"}));
    OpenMap("niveau.pixm");
    QTest::mouseClick(ViewPort(), Qt::RightButton, {}, At({1, 0}));
    PressCell(Qt::LeftButton, {1, 1});
    ReleaseCell(Qt::LeftButton, {1, 1});
    MapKey(Qt::Key_S);
    EXPECT_EQ(Window()->windowTitle(), "Carte - niveau.pixm");
    EXPECT_TRUE(dialogs.fileDialogs.size() == 1) << "Ctrl+S writes the map's own file quietly";
    EXPECT_EQ(Bytes("niveau.pixm").toStdString(), TileMapBytes(Level({"01", "21"})));

    dialogs.fileAnswers.push_back(PathOf("copie"));
    ClickButton("B_CarteEnregistrerSous");
    EXPECT_EQ(Bytes("copie.pixm"), Bytes("niveau.pixm"));
    EXPECT_EQ(Window()->windowTitle(), "Carte - copie.pixm");
    OpenMap("niveau.pixm");
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"01", "21"}));
    EXPECT_EQ(RecentNames().mid(0, 2), (QStringList{"niveau.pixm", "copie.pixm"}));
    EXPECT_TRUE(dialogs.questions.empty()) << "nothing unsaved";
}

TEST_F(MapWindowTest, AChangedMapAsksBeforeItIsReplacedOrClosed)
{
    struct Case {
        const char* what;
        std::function<bool()> action; // whether the map left
        int answer;
        bool left;
        QString beforeWhat;
    };
    const Case cases[] = {
        {"another map, not saved",
         [this] {
             OpenMap("autre.pixm");
             return Maps().Document()->DisplayName() == "autre.pixm";
         },
         DontSave, true, "avant d'ouvrir « autre.pixm »"},
        {"another map, cancelled",
         [this] {
             OpenMap("autre.pixm");
             return Maps().Document()->DisplayName() == "autre.pixm";
         },
         Cancel, false, "avant d'ouvrir « autre.pixm »"},
        {"the window closed, not saved", [this] { return Window()->close(); }, DontSave, true,
         "avant de fermer la carte"},
        {"the window closed, cancelled", [this] { return Window()->close(); }, Cancel, false,
         "avant de fermer la carte"},
        {"the window closed, saved", [this] { return Window()->close(); }, SaveFirst, true, "avant de fermer la carte"},
        {"the editor closed, cancelled", [this] { return form->close(); }, Cancel, false, "avant de quitter"},
    };
    for (const Case& c : cases) {
        WriteMap("niveau.pixm", Level({"00"}));
        WriteMap("autre.pixm", Level({"22"}));
        OpenMap("niveau.pixm");
        QTest::mouseClick(Palette()->viewport(), Qt::LeftButton, {}, Palette()->TileCentre(1));
        PressCell(Qt::LeftButton, {0, 0});
        ReleaseCell(Qt::LeftButton, {0, 0});
        ForgetDialogs();
        dialogs.questionAnswers = {c.answer};
        EXPECT_EQ(c.action(), c.left) << c.what;
        ASSERT_EQ(dialogs.questions.size(), 1u) << c.what;
        EXPECT_EQ(dialogs.questions[0].text, "La carte « niveau.pixm » a été modifiée.\nVoulez-vous enregistrer les "
                                             "modifications " +
                                                 c.beforeWhat + " ?")
            << c.what;
        EXPECT_EQ(dialogs.questions[0].buttons, CloseButtons);
        EXPECT_EQ(Bytes("niveau.pixm").toStdString(), TileMapBytes(Level({c.answer == SaveFirst ? "10" : "00"})))
            << c.what;
        // Leave nothing unsaved for the next case.
        dialogs.questionAnswers = {DontSave};
        Window()->close();
        ForgetDialogs();
    }
}

TEST_F(MapWindowTest, MapsOpenFromTheRecentFilesAndByDrop)
{
    WriteMap("un.pixm", Level({"1"}));
    WriteMap("deux.pixm", Level({"22"}));
    DropFile("un.pixm");
    ASSERT_TRUE(Window()->isVisible());
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"1"}));
    EXPECT_TRUE(dialogs.messages.empty());
    OpenMap("deux.pixm");
    EXPECT_EQ(RecentNames().mid(0, 2), (QStringList{"deux.pixm", "un.pixm"}));
    ChooseRecent(1);
    EXPECT_EQ(Window()->windowTitle(), "Carte - un.pixm");
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"1"}));
    EXPECT_EQ(ToRows(form->sprite), Rows(16, std::string(16, '.'))) << "the sprite stays as it was";

    WriteBytes("abime.pixm", "PIXM");
    DropFile("abime.pixm");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Le Chargement a échoué : « abime.pixm » "))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(Window()->windowTitle(), "Carte - un.pixm");
}

TEST_F(MapWindowTest, DataExportIsTheCommandsTextInTheSyntaxChosen)
{
    WriteMap("niveau.pixm", Level({"012"}));
    OpenMap("niveau.pixm");
    const struct {
        int syntax;
        QString file;
        std::string mapLine;
    } cases[] = {
        {0, "niveau.h", "unsigned char niveau_map[1][3] __attribute__((unused)) = {\n    {0, 1, 2},\n};"},
        {1, "niveau.asm", "dc.b"},
        {2, "niveau.s", ".byte"},
    };
    for (const auto& c : cases) {
        InWindow<QComboBox>("CB_CarteSyntaxe")->setCurrentIndex(c.syntax);
        dialogs.fileAnswers.push_back(PathOf(c.file));
        ClickButton("B_CarteExporterDonnees");
        EXPECT_EQ(QFileInfo(dialogs.fileDialogs.back().fileNameBefore).fileName(), c.file);
        const std::string text = Bytes(c.file).toStdString();
        EXPECT_NE(text.find("niveau_tiles"), std::string::npos) << text;
        EXPECT_NE(text.find("niveau_map"), std::string::npos) << text;
        EXPECT_NE(text.find(c.mapLine), std::string::npos) << text;
    }
}

} // namespace

// The grid is kept whether the window was opened in that session or not.
TEST_F(SettingsTest, TheMapWindowsGridIsKeptInTheSettingsFile)
{
    auto gridBox = [this] {
        QTest::mouseClick(Find<QPushButton>("B_Carte"), Qt::LeftButton);
        return form->documents->Maps().Window()->findChild<QCheckBox*>(QStringLiteral("CB_CarteGrille"));
    };
    gridBox()->setChecked(false);
    form->close();
    EXPECT_TRUE(Stored().contains("[Carte]\nGrille=0\n"));
    RestartWith(Stored());
    form->close(); // the map window never opened
    RestartWith(Stored());
    EXPECT_FALSE(gridBox()->isChecked());
    RestartWith("");
    EXPECT_TRUE(gridBox()->isChecked());
}

// "Importer une image..." cuts the picture of a level into the map's cells
// in the image import's dialog, always cut, equal cells one tile: a grid past
// 1024 columns or of no whole cell is refused before "OK", and the map opens
// untitled, named after the picture.
TEST_F(MapWindowTest, APictureOfALevelBecomesAMapOfItsCells)
{
    // 3 x 2 cells of 4 x 4: sky, brick, sky / brick, brick, sky.
    QImage level(12, 8, QImage::Format_RGB32);
    level.fill(Qt::white);
    for (const Point cell : {Point{1, 0}, Point{0, 1}, Point{1, 1}})
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                level.setPixel(cell.x * 4 + x, cell.y * 4 + y, qRgb(0, 0, 0));
    ASSERT_TRUE(level.save(PathOf("niveau.png")));
    QImage wide(1025, 8, QImage::Format_RGB32);
    wide.fill(Qt::white);
    ASSERT_TRUE(wide.save(PathOf("large.png")));
    ClickOnItsPage(Find<QPushButton>("B_Carte"));

    const struct {
        const char* file;
        Point cell;
        QString count; // what the dialog says of its cells
        bool accepted;
    } cases[] = {
        {"niveau.png", {13, 4}, "0 × 0 cases", false},
        {"large.png", {1, 8}, "1025 × 1 cases", false},
        {"niveau.png", {4, 4}, "3 × 2 cases", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.file) + ", cell " + std::to_string(test.cell.x));
        QString count;
        bool okEnabled = false, skipShown = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ImageImportDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->E_CelluleL->setValue(test.cell.x);
            dialog->E_CelluleH->setValue(test.cell.y);
            count = dialog->L_NombreImages->text();
            okEnabled = dialog->okButton->isEnabled();
            skipShown = dialog->CB_IgnorerVides->isVisibleTo(dialog);
            if (okEnabled)
                QTest::mouseClick(dialog->okButton, Qt::LeftButton);
            else
                dialog->reject();
        });
        dialogs.fileAnswers.push_back(PathOf(test.file));
        ClickButton("B_CarteImporterImage");
        EXPECT_EQ(count, test.count);
        EXPECT_EQ(okEnabled, test.accepted);
        EXPECT_FALSE(skipShown) << "a map keeps every cell";
        EXPECT_EQ(Window()->windowTitle(), test.accepted ? "Carte - niveau (importé)" : "Carte - nouvelle carte");
    }
    EXPECT_EQ(CellRows(Map()), (std::vector<std::string>{"010", "110"}));
    EXPECT_EQ(Map().tiles.tileSize, (Point{4, 4}));
    EXPECT_EQ(Map().tiles.Count(), 2);
}
