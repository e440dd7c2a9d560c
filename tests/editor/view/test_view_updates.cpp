// How the two views follow the sprite: one repaint each per event, and the
// preview drawing the same sprite in its own window.
#include <QApplication>
#include <QCheckBox>
#include <QPaintEvent>
#include <QPushButton>
#include <functional>

#include "gui_fixture.h"

namespace {

// Counts the paints of a window that reach its view region (a window also
// paints behind its other controls when they change).
class PaintCounter : public QObject {
public:
    explicit PaintCounter(const QWidget*& viewRegion) : viewRegion_(viewRegion) {}
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint &&
            static_cast<QPaintEvent*>(event)->rect().intersects(viewRegion_->geometry()))
            ++paints;
        return false;
    }

private:
    const QWidget*& viewRegion_;
};

class ViewUpdates : public EditorWindowTest {
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        preview->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
        QApplication::processEvents();
        mainRegion = form->I_Principale;
        previewRegion = preview->I_Apercu;
        form->installEventFilter(&mainPaints);
        preview->installEventFilter(&previewPaints);
    }
    void CountPaintsOf(const std::function<void()>& event)
    {
        mainPaints.paints = previewPaints.paints = 0;
        event();
        QApplication::processEvents();
    }
    const QWidget* mainRegion = nullptr;
    const QWidget* previewRegion = nullptr;
    PaintCounter mainPaints{mainRegion};
    PaintCounter previewPaints{previewRegion};
};

TEST_F(ViewUpdates, ThreeButtonStrokeRepaintsEachViewOncePerMove)
{
    Press(Qt::LeftButton, CellCenter(0, 0));
    Press(Qt::RightButton, CellCenter(0, 0));
    Press(Qt::MiddleButton, CellCenter(0, 0));
    QApplication::processEvents();
    for (int x = 1; x < 6; ++x) {
        CountPaintsOf([&] { Move(CellCenter(x, x)); });
        EXPECT_EQ(mainPaints.paints, 1) << "move " << x;
        EXPECT_EQ(previewPaints.paints, 1) << "move " << x;
    }
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        Release(button, CellCenter(5, 5));
}

TEST_F(ViewUpdates, PreviewShowsTheSpriteScaledToItsWindow)
{
    form->CB_CouleursApercu->setChecked(false);
    ClickCell(Qt::LeftButton, 15, 15);
    QApplication::processEvents();
    const QImage shown = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // 16 cells across the shorter side of the preview less its ring.
    const double cell = (std::min(preview->width(), preview->height()) - 2) / 16.0;
    const int middle = int(1 + 15.5 * cell);
    EXPECT_EQ(shown.pixel(middle, middle) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(shown.pixel(int(1 + 14.5 * cell), middle) & 0xFFFFFF, 0xFFFFFFu);
    form->CouleursVraiesApercu = 1;
    const QImage trueColors = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(trueColors.pixel(middle, middle) & 0xFFFFFF, 0x302F20u);
    EXPECT_EQ(MainView().pixel(CellCenter(15, 15)) & 0xFFFFFF, 0x000000u);
}

TEST_F(ViewUpdates, ViewsAreRepaintedAfterSizeAndWholeSpriteCommands)
{
    for (QWidget* command : std::initializer_list<QWidget*>{form->B_OK, form->BitBtn3, form->SpeedButton1}) {
        CountPaintsOf([&] { QTest::mouseClick(command, Qt::LeftButton); });
        EXPECT_EQ(mainPaints.paints, 1) << command->objectName().toStdString();
        EXPECT_EQ(previewPaints.paints, 1) << command->objectName().toStdString();
    }
}

} // namespace
