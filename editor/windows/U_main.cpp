#include "U_main.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>
#include <algorithm>

#include "FilePanel.h"
#include "FramePanel.h"
#include "MapPanel.h"
#include "OverviewPanel.h"
#include "PicturePanel.h"
#include "RoundTripPanel.h"
#include "ScreenPanel.h"
#include "SpriteView.h"
#include "ToolPanel.h"
#include "TransformPanel.h"
#include "U_apercu.h"
#include "UndoPanel.h"
#include "ViewPanel.h"

TForm1::TForm1(const ProgramPaths& paths, QWidget* parent)
    : QWidget(parent), document({MaxWidth, MaxHeight}), Paths(paths)
{
    BuildLayout();
    designed = {sbPencil, sbLine,  sbRempli, toolButtons,           BitBtn5,      BitBtn7,
                BitBtn9,  Button1, Edit2,    CB_CouleursPrincipale, PageControl1, &OpenDialog1};

    Activated = 0;
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
    undoPanel = new UndoPanel(*this);
    picturePanel = new PicturePanel(*this);
    framePanel = new FramePanel(*this);
    roundTripPanel = new RoundTripPanel(*this);
    transformPanel = new TransformPanel(*this);
    viewPanel = new ViewPanel(*this);
    toolPanel = new ToolPanel(*this);
    screenPanel = new ScreenPanel(*this);
    overviewPanel = new OverviewPanel(*this);
    mapPanel = new MapPanel(*this);
    ConnectMainView();

    // Last: the options' handlers may start the attach timer.
    ConnectOptionHandlers();
    ReadSettings();
}

// The main view shows the sprite edited, in the options' look.
void TForm1::ConnectMainView()
{
    I_Principale->SetSprite(&sprite);
    I_Principale->SetLook([this] { return ViewLook{CouleursVraiesMain != 0, viewPanel->TransparenceDamier != 0}; });
    I_Principale->AddOverlay([this](QPainter& painter) { FormPaint(painter); });
}

void TForm1::FormPaint(QPainter& painter)
{
    ShowSpriteType(*this, sprite);
    for (EditorPanel* panel : Panels())
        panel->PaintOverView(painter);
}

void TForm1::RedrawBothViews()
{
    I_Principale->LayOutBars();
    I_Principale->RepaintShown();
    RepaintPreview(true);
}

void TForm1::ShowDocumentChange(const DocumentChange& change)
{
    // The new size may be smaller than the old: the main view is cleared so
    // that cells of the larger old grid do not stay behind.
    if (change.size) {
        E_TailleX->setText(QString::number(sprite.width));
        E_TailleY->setText(QString::number(sprite.height));
        ClearSpriteView(I_Principale);
    }
    if (change.pixels || change.size || change.frames || change.selection)
        RedrawBothViews();
    // The type label speaks of the frame edited, whatever the preview shows.
    if (change.pixels || change.size)
        ShowSpriteType(*this, sprite);
    for (EditorPanel* panel : Panels())
        panel->ShowChange(change);
}

// The panel's filter sees every event of the application, also those that
// closing the window sends while it is destroyed: it goes before the window
// does.
TForm1::~TForm1()
{
    qApp->removeEventFilter(transformPanel);
}

std::vector<EditorPanel*> TForm1::Panels() const
{
    return {undoPanel, filePanel, picturePanel, framePanel,    roundTripPanel, transformPanel,
            viewPanel, toolPanel, screenPanel,  overviewPanel, mapPanel};
}

const Sprite& TForm1::PreviewSprite() const
{
    return framePanel->PreviewSprite();
}

bool TForm1::PreviewAtTrueSize() const
{
    return viewPanel->ApercuTailleReelle != 0;
}

bool TForm1::PreviewChecksMasks() const
{
    return viewPanel->TransparenceDamier != 0;
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
    toolPanel->LayOutAroundView();
}
