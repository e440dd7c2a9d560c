// Editing with the mouse over the main view, the tools and the palette, and
// the commands of the page "Retouche" that change the sprite as a whole.
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "Controls.h"
#include "EditCommands.h"
#include "EditorError.h"
#include "SpriteView.h"
#include "ToolPanel.h"
#include "U_main.h"
#include "ViewPanel.h"

namespace {

int MouseButtonIndex(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 0;
    case Qt::RightButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    default:
        return -1;
    }
}

Point WindowPoint(const QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    return {position.x(), position.y()};
}

Point ViewPoint(const SpriteView& view, Point windowPoint)
{
    const QPoint inView = view.mapFromParent(QPoint(windowPoint.x, windowPoint.y));
    return {inView.x(), inView.y()};
}

} // namespace

void TForm1::ConnectEditingHandlers()
{
    const std::pair<PaletteButton*, void (TForm1::*)(int)> palette[] = {
        {bbNoir, &TForm1::bbNoirMouseDown},   {bbDark, &TForm1::bbDarkMouseDown},
        {bbLight, &TForm1::bbLightMouseDown}, {bbBlanc, &TForm1::bbBlancMouseDown},
        {bbMask, &TForm1::bbMaskMouseDown},   {bbNoMask, &TForm1::bbNoMaskMouseDown},
    };
    for (const auto& [button, handler] : palette) {
        connect(button, &PaletteButton::mouseDown, this, [this, handler](Qt::MouseButton mouseButton) {
            const int index = MouseButtonIndex(mouseButton);
            if (index >= 0)
                (this->*handler)(index);
        });
    }
    for (QToolButton* toolButton : {sbPencil, sbLine, sbRempli}) {
        toolButton->setMouseTracking(true);
        toolButton->installEventFilter(this);
    }
    // A button shown pressed is the tool that draws, even before the
    // pointer moves over the buttons again.
    connect(toolButtons, &QButtonGroup::buttonClicked, this, &TForm1::sbPencilMouseMove);
    E_TailleX->installEventFilter(this);
    E_TailleY->installEventFilter(this);
    connect(B_OK, &QPushButton::clicked, this, &TForm1::B_OKClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm1::SpeedButton1Click);
}

// The eyedropper, or Alt with any tool, takes the cell's pen instead.
void TForm1::mousePressEvent(QMouseEvent* event)
{
    const int button = MouseButtonIndex(event->button());
    const bool altHeld = event->modifiers() & Qt::AltModifier;
    if (button >= 0 && !toolPanel->PickPen(button, CellUnder(WindowPoint(event)), altHeld))
        FormMouseDown(button, WindowPoint(event));
}

void TForm1::mouseMoveEvent(QMouseEvent* event)
{
    FormMouseMove(WindowPoint(event));
}

void TForm1::mouseReleaseEvent(QMouseEvent* event)
{
    const int button = MouseButtonIndex(event->button());
    if (button >= 0)
        FormMouseUp(button, WindowPoint(event));
}

void TForm1::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (viewPanel->WheelNavigatesView(*event))
        return;
    FormMouseWheel(event->angleDelta().y());
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    const bool overToolButton = watched == sbPencil || watched == sbLine || watched == sbRempli;
    const bool inSizeEdit = watched == E_TailleX || watched == E_TailleY;
    if (overToolButton && event->type() == QEvent::MouseMove)
        sbPencilMouseMove();
    else if (inSizeEdit && event->type() == QEvent::KeyPress)
        E_TailleXKeyDown(static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

Point TForm1::CellUnder(Point windowPoint) const
{
    return I_Principale->CellAt(ViewPoint(*I_Principale, windowPoint));
}

// The document draws, selects or drags with the tool chosen and the pen of
// the button pressed.
void TForm1::FormMouseDown(int button, Point windowPoint)
{
    ShowDocumentChange(document.MouseDown(Tool, button, ButtonPen[button], CellUnder(windowPoint)));
}

void TForm1::FormMouseMove(Point windowPoint)
{
    const Point cell = CellUnder(windowPoint);
    ShowDocumentChange(document.MouseMove(Tool, cell, ClampedCellUnder(windowPoint)));
    ShowPosition(windowPoint, cell);
}

void TForm1::FormMouseUp(int button, Point windowPoint)
{
    ShowDocumentChange(document.MouseUp(Tool, button, CellUnder(windowPoint), ClampedCellUnder(windowPoint)));
}

// Beside the grid, or beside the part a zoomed view shows: the cell the
// point would be over, held inside the sprite.
Point TForm1::ClampedCellUnder(Point windowPoint) const
{
    return I_Principale->NearestCell(ViewPoint(*I_Principale, windowPoint));
}

// Inside the region less its one-pixel ring, and over a cell on both axes.
void TForm1::ShowPosition(Point windowPoint, Point cell)
{
    const QRect bounds = RegionBounds(I_Principale);
    const bool insideRing = bounds.left() + 1 <= windowPoint.x && windowPoint.x <= bounds.left() + bounds.width() - 1 &&
                            bounds.top() + 1 <= windowPoint.y && windowPoint.y <= bounds.top() + bounds.height() - 1;
    if (insideRing && cell.x != -1 && cell.y != -1) {
        ShowCellPosition(cell);
    } else {
        E_PositionX->setText(QStringLiteral("X==undef"));
        E_PositionY->setText(QStringLiteral("Y==undef"));
    }
}

void TForm1::ShowCellPosition(Point cell)
{
    E_PositionX->setText(QStringLiteral("X==%1").arg(cell.x));
    E_PositionY->setText(QStringLiteral("Y==%1").arg(cell.y));
}

// Away from the user goes back one tool, toward the user on by one; the
// ends do not wrap round. From a tool added after the three, either way
// goes to the fill.
void TForm1::FormMouseWheel(int delta)
{
    const int from = std::min<int>(Tool, ToolFill + 1);
    toolPanel->ChooseTool(delta > 0 ? std::max<int>(from - 1, ToolPencil) : std::min<int>(from + 1, ToolFill));
}

// The tool follows whichever button is down as soon as the pointer moves
// over the tool buttons; pressing one only changes the button.
void TForm1::sbPencilMouseMove()
{
    if (sbPencil->isChecked())
        toolPanel->ChooseTool(ToolPencil);
    else if (sbLine->isChecked())
        toolPanel->ChooseTool(ToolLine);
    else if (sbRempli->isChecked())
        toolPanel->ChooseTool(ToolFill);
}

// A stroke in progress keeps the pen it started with.
void TForm1::AssignPen(int button, PenValue pen)
{
    ButtonPen[button] = pen;
    ShowButtonPens();
}

void TForm1::bbNoirMouseDown(int button)
{
    AssignPen(button, Black);
}
void TForm1::bbDarkMouseDown(int button)
{
    AssignPen(button, DarkGray);
}
void TForm1::bbLightMouseDown(int button)
{
    AssignPen(button, LightGray);
}
void TForm1::bbBlancMouseDown(int button)
{
    AssignPen(button, White);
}
void TForm1::bbMaskMouseDown(int button)
{
    AssignPen(button, Mask);
}
void TForm1::bbNoMaskMouseDown(int button)
{
    AssignPen(button, NoMask);
}

void TForm1::B_OKClick()
{
    ApplySize();
}

void TForm1::E_TailleXKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        ApplySize();
}

// The height is converted first, so with both edits wrong its text is the
// one reported. A size the sprite refuses is kept in RequestedSize and left
// in the edits as typed.
void TForm1::ApplySize()
{
    ClearSpriteView(I_Principale);
    const int rows = StrToInt(E_TailleY->text());
    const int cols = StrToInt(E_TailleX->text());
    RequestedSize = {cols, rows};
    ShowDocumentChange(Resize(document, RequestedSize));
}

void TForm1::BitBtn3Click()
{
    ShowDocumentChange(ClearFrame(document));
}

void TForm1::SpeedButton1Click()
{
    ShowDocumentChange(AutoMaskFrame(document));
}
