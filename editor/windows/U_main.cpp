#include "U_main.h"

#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QTabWidget>
#include <algorithm>

#include "U_apercu.h"
#include "ZoomedView.h"

TForm1::TForm1(const ProgramPaths& paths, QWidget* parent)
    : QWidget(parent), sprite({MaxWidth, MaxHeight}), Paths(paths)
{
    BuildLayout();

    Activated = 0;
    ActivePen.fill(NotDrawing);
    Tool = ToolPencil;

    ButtonPen = {Black, LightGray, DarkGray};
    ShowButtonPens();

    RequestedSize = {16, 16};
    sprite.SetSize(RequestedSize);
    E_TailleX->setText(QString::number(RequestedSize.x));
    E_TailleY->setText(QString::number(RequestedSize.y));

    LoadPlugins();

    ConnectEditingHandlers();
    ConnectFileCommands();
    BuildUndoControls();
    BuildImageControls();
    AddRoundTripCommands();
    AddDataCommands();
    BuildFrameControls();
    BuildTransformControls();
    BuildViewNavigation();

    // Last: the options' handlers may start the attach timer.
    ConnectOptionHandlers();
    ReadSettings();
}

void TForm1::paintEvent(QPaintEvent* event)
{
    // Repaints of the tab control's area alone need not walk the grid.
    if (event->rect().intersects(I_Principale->geometry()))
        FormPaint();
}

void TForm1::FormPaint()
{
    QPainter painter(this);
    if (MainZoom != FittedZoom) {
        DrawZoomedMainView(painter);
        // Marks of cells scrolled out of view stay off the ring and the bars.
        painter.setClipRect(MainViewArea());
    } else {
        DrawSpriteView(*this, RegionBounds(I_Principale), sprite, painter, CouleursVraiesMain != 0);
    }
    PaintOnionSkin(painter);
    DrawEditingMarks(painter);
}

void TForm1::RedrawBothViews()
{
    LayOutMainView();
    update(MainViewArea());
    if (F_Apercu) {
        F_Apercu->KeepRoomForTrueSize();
        F_Apercu->update();
    }
    ShowFileState();
}

void TForm1::resizeEvent(QResizeEvent*)
{
    FormResize();
}

// The tab control keeps its size; the view takes the rest of the width and
// the tab control stays centred vertically beside it, with no lower bound.
void TForm1::FormResize()
{
    const int outerWidth = frameGeometry().width();
    const int outerHeight = frameGeometry().height();
    const int viewWidth = outerWidth - PageControl1->width() - 10;
    I_Principale->setGeometry(0, 0, std::max(viewWidth, 0), height());
    PageControl1->move(viewWidth, outerHeight / 2 - PageControl1->height() / 2 - 10);
    LayOutMainView();
}
