// Start-up state, layout and the window's own behaviour.
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "TabControl.h"
#include "gui_fixture.h"

namespace {

using MainWindow = EditorWindowTest;

TEST_F(MainWindow, StartsWithAWhiteSixteenBySixteenSpriteAndDefaultPens)
{
    EXPECT_EQ(form->windowTitle(), "Pixora by Kestrune::..");
    EXPECT_EQ(form->size(), QSize(802, 527));
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(form->E_TailleX->text(), "16");
    EXPECT_EQ(form->E_TailleY->text(), "16");
    EXPECT_EQ(ToRows(form->sprite), Rows(16, std::string(16, '.')));
    EXPECT_EQ(form->sprite.GetType(), BlackWhite);
    EXPECT_TRUE(form->sbPencil->isChecked());
    EXPECT_EQ(form->Tool, ToolPencil);
    EXPECT_EQ(CentreColor(form->Shape1), 0x000000u); // left: black
    EXPECT_EQ(CentreColor(form->Shape3), 0x555555u); // middle: dark gray
    EXPECT_EQ(CentreColor(form->Shape2), 0xAAAAAAu); // right: light gray
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindow, LabelsKeepTheirDesignTextsUntilFirstPaintAndMove)
{
    TForm1 unshown(Paths());
    EXPECT_EQ(unshown.Label2->text(), "Label2");
    EXPECT_EQ(unshown.E_PositionX->text(), "E_PositionX");
    EXPECT_EQ(unshown.E_PositionY->text(), "E_PositionY");
    EXPECT_EQ(unshown.RequestedSize, (Point{16, 16}));
}

TEST_F(MainWindow, ResizeKeepsTheTabControlBesideTheViewWithNoLowerBound)
{
    // The rule works on the outer size, frame included.
    const QSize frame = form->frameGeometry().size() - form->size();
    auto resizeOuter = [&](int width, int height) { form->resize(QSize(width, height) - frame); };
    resizeOuter(810, 561);
    EXPECT_EQ(form->I_Principale->geometry(), QRect(0, 0, 495, form->height()));
    EXPECT_EQ(form->PageControl1->pos(), QPoint(495, 34));
    resizeOuter(810, 473);
    EXPECT_EQ(form->PageControl1->pos(), QPoint(495, -10));
    resizeOuter(200, 300);
    EXPECT_EQ(form->I_Principale->width(), 0);
    EXPECT_EQ(form->PageControl1->x(), -115);
}

// The added commands live in the free space of the designed pages: the tab
// bar keeps its five captions in view, and every control of a page lies
// inside it without covering another.
TEST_F(MainWindow, AddedCommandsLeaveTheFiveTabsInViewAndOverlapNothing)
{
    QTabBar* bar = form->PageControl1->tabBar();
    ASSERT_EQ(form->PageControl1->count(), 5);
    const QStringList captions{"Retouche", "Enreg/charger", "Exporter", "Plugins", "Options"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar->tabText(i), captions[i]);
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(i))) << captions[i].toStdString() << " is cut off";
    }
    for (int i = 0; i < 5; ++i) {
        QWidget* page = form->PageControl1->widget(i);
        const QList<QWidget*> controls = page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (const QWidget* control : controls) {
            EXPECT_TRUE(page->rect().contains(control->geometry())) << control->objectName().toStdString();
            for (const QWidget* other : controls) {
                if (other != control && !other->isWindow()) {
                    EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                        << control->objectName().toStdString() << " covers " << other->objectName().toStdString();
                }
            }
        }
    }
}

// The width a label's, a check box's or a push button's text takes, the
// check box's box or the button's frame included; 0 for other controls.
int WidthOfText(const QWidget& control)
{
    const QStyle& style = *control.style();
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->wordWrap() ? 0 : label->fontMetrics().horizontalAdvance(label->text().remove(u'&'));
    if (const auto* box = qobject_cast<const QCheckBox*>(&control))
        return style.pixelMetric(QStyle::PM_IndicatorWidth) + style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing) +
               box->fontMetrics().horizontalAdvance(box->text().remove(u'&'));
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
        return button->text().isEmpty() ? 0
                                        : 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth) +
                                              button->fontMetrics().horizontalAdvance(button->text().remove(u'&'));
    return 0;
}

// With the fonts of a fresh machine, no text of a page is cut: every label,
// check box and button is as wide as its text needs, and a label set while
// editing (the sprite's type) fits its box in each of its texts.
TEST_F(MainWindow, EveryTextOfThePagesIsShownWhole)
{
    for (int i = 0; i < 5; ++i)
        for (const QWidget* control : form->PageControl1->widget(i)->findChildren<QWidget*>()) {
            const int needed = WidthOfText(*control);
            EXPECT_LE(needed, control->width()) << control->objectName().toStdString() << " on page " << i;
        }
    for (const char* rows : {"#.", "l.", "#W", "lW"}) { // the four types
        UseSprite({rows});
        form->ShowDocumentChange(DocumentChange{.pixels = true});
        QCoreApplication::processEvents();
        EXPECT_LE(form->Label2->fontMetrics().horizontalAdvance(form->Label2->text()), form->Label2->width())
            << form->Label2->text().toStdString();
    }
}

// Narrower than its five captions, the tab control puts the tabs on several
// rows, never behind scroll arrows: each tab wide enough for its caption,
// drawn in its own place, the current one's row against the pages, a click
// showing its page; and the control grows so that the pages keep their size.
TEST_F(MainWindow, TabsThatDoNotFitOneRowGoOnSeveralRows)
{
    QTabWidget* control = form->PageControl1;
    auto* bar = qobject_cast<MultiRowTabBar*>(control->tabBar());
    ASSERT_NE(bar, nullptr);
    const QSize pageSize = control->currentWidget()->size();
    const int designedHeight = control->height();
    for (int width : {220, 150, 90}) {
        control->resize(width, designedHeight);
        ASSERT_GE(bar->RowCount(), 2) << width;
        EXPECT_EQ(control->currentWidget()->size(), QSize(width - (305 - pageSize.width()), pageSize.height()))
            << width;
        for (QToolButton* arrow : bar->findChildren<QToolButton*>())
            EXPECT_FALSE(arrow->isVisible()) << width;
        for (int i : {4, 0, 3, 1, 2}) {
            const QRect area = bar->TabArea(i);
            const QString caption = bar->tabText(i);
            EXPECT_TRUE(bar->rect().contains(area)) << caption.toStdString() << " at " << width;
            EXPECT_GT(area.width(), bar->fontMetrics().horizontalAdvance(caption)) << caption.toStdString();
            for (int other = 0; other < 5; ++other)
                EXPECT_TRUE(other == i || !area.intersects(bar->TabArea(other))) << caption.toStdString();
            const QImage drawn = bar->grab(area).toImage();
            int dark = 0;
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    dark += qGray(drawn.pixel(x, y)) < 100;
            EXPECT_GT(dark, 10) << caption.toStdString() << ": its caption is drawn there";

            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, area.center());
            EXPECT_EQ(control->currentIndex(), i) << caption.toStdString() << " at " << width;
            EXPECT_TRUE(control->widget(i)->isVisible()) << caption.toStdString();
            EXPECT_EQ(bar->TabArea(i).bottom(), bar->height() - 1) << caption.toStdString();
        }
    }
    control->resize(305, control->height());
    EXPECT_EQ(bar->RowCount(), 1);
    EXPECT_EQ(control->height(), designedHeight);
}

TEST_F(MainWindow, EveryCloseButtonClosesTheWindowAndShowsTheStylesCloseIcon)
{
    const QImage closeIcon = form->style()->standardIcon(QStyle::SP_DialogCloseButton).pixmap(16).toImage();
    for (QPushButton* close : {form->BitBtn1, form->BitBtn6, form->BitBtn4, form->BitBtn2, form->BitBtn8}) {
        EXPECT_EQ(close->icon().pixmap(16).toImage(), closeIcon) << close->objectName().toStdString();
        form->PageControl1->setCurrentWidget(close->parentWidget());
        QTest::mouseClick(close, Qt::LeftButton);
        EXPECT_FALSE(form->isVisible()) << close->objectName().toStdString();
        form->show();
    }
}

TEST_F(MainWindow, ErrorLeftToTheApplicationIsShownAndTheProgramGoesOn)
{
    form->E_TailleX->setText("abc");
    QTest::mouseClick(form->B_OK, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "'abc' is not a valid integer value");
    EXPECT_EQ(dialogs.messages[0].caption, "Pixora");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    ClickCell(Qt::LeftButton, 0, 0);
    EXPECT_EQ(form->sprite.GetColor(0, 0), Black);
}

} // namespace
