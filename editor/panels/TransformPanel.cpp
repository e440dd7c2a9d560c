#include "TransformPanel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "Controls.h"
#include "Dialogs.h"
#include "DocumentManager.h"
#include "EditorContext.h"
#include "ImageFiles.h"
#include "PicturePanel.h"
#include "SelectionCommands.h"
#include "SpriteView.h"
#include "ToolEntries.h"
#include "ToolPanel.h"
#include "TransformCommands.h"
#include "ViewColors.h"
#include "cell_clipboard.h"

namespace {

// A transform's button in the free column and its key.
struct TransformControl {
    PictureTransform transform;
    const char* name;
    const char* text;
    const char* hint;
    int key;
    Qt::KeyboardModifiers modifiers;
};

const TransformControl TransformControls[] = {
    {PictureTransform::FlipHorizontal, "B_MiroirH", "↔", "Miroir horizontal (Maj+H)", Qt::Key_H, Qt::ShiftModifier},
    {PictureTransform::FlipVertical, "B_MiroirV", "↕", "Miroir vertical (Maj+V)", Qt::Key_V, Qt::ShiftModifier},
    {PictureTransform::RotateClockwise, "B_RotationHoraire", "↻", "Rotation de 90° à droite (Maj+R)", Qt::Key_R,
     Qt::ShiftModifier},
    {PictureTransform::RotateCounterClockwise, "B_RotationAntihoraire", "↺", "Rotation de 90° à gauche (Ctrl+Maj+R)",
     Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier},
    {PictureTransform::Rotate180, "B_Rotation180", "180°", "Rotation de 180° (Maj+T)", Qt::Key_T, Qt::ShiftModifier},
    {PictureTransform::InvertColors, "B_Inverser", "Inv", "Inverser les couleurs (Maj+I)", Qt::Key_I,
     Qt::ShiftModifier},
    {PictureTransform::ShiftLeft, "B_DecalerGauche", "←", "Décaler d'un pixel à gauche (Ctrl+Gauche)", Qt::Key_Left,
     Qt::ControlModifier},
    {PictureTransform::ShiftRight, "B_DecalerDroite", "→", "Décaler d'un pixel à droite (Ctrl+Droite)", Qt::Key_Right,
     Qt::ControlModifier},
    {PictureTransform::ShiftUp, "B_DecalerHaut", "↑", "Décaler d'un pixel vers le haut (Ctrl+Haut)", Qt::Key_Up,
     Qt::ControlModifier},
    {PictureTransform::ShiftDown, "B_DecalerBas", "↓", "Décaler d'un pixel vers le bas (Ctrl+Bas)", Qt::Key_Down,
     Qt::ControlModifier},
};

// The free right column of the page, below "Annuler" and "Rétablir" and above
// the frame controls, three small buttons a row.
QToolButton* SmallButton(QWidget* page, const char* name, const QString& text, const QString& hint, int place)
{
    constexpr int left = FreeColumn::Left;
    constexpr int top = 72;
    constexpr int side = 33;
    constexpr int step = 36;
    auto* button = new QToolButton(page);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setGeometry(left + place % 3 * step, top + place / 3 * step, side, side);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

bool Is(const QKeyEvent& key, Qt::KeyboardModifiers modifiers)
{
    return (key.modifiers() & ~Qt::KeypadModifier) == modifiers;
}

// What other programs read: the plain grays, masked pixels transparent.
QImage ImageOfCells(const CellPicture& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int8_t cell = picture.At(x, y);
            image.setPixel(x, y, cell >= MaskedThreshold ? qRgba(0, 0, 0, 0) : PaletteColor(cell, false).rgb());
        }
    }
    return image;
}

void Frame(QPainter& painter, const QRect& rect, const QColor& color, int thickness)
{
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), thickness), color);
    painter.fillRect(QRect(rect.left(), rect.bottom() - thickness + 1, rect.width(), thickness), color);
    painter.fillRect(QRect(rect.left(), rect.top(), thickness, rect.height()), color);
    painter.fillRect(QRect(rect.right() - thickness + 1, rect.top(), thickness, rect.height()), color);
}

} // namespace

// The selection tool first, then the transforms in the order of their
// table, then the pre-shift. The panel filters the keys of the whole
// application, so that they reach the view before the control with the
// focus sees them.
TransformPanel::TransformPanel(EditorContext& editor) : EditorPanel(editor)
{
    QWidget* const page = editor.Page(EditorPage::Retouche);
    int place = 0;
    // Its picture, key and click are the tool panel's, as the other tools'.
    const AddedToolButton& selection = *AddedButtonOf(ToolSelection);
    sbSelection = SmallButton(page, selection.name, QString(), QString::fromUtf8(selection.hint), place++);
    sbSelection->setIconSize(QSize(24, 24));
    sbSelection->setCheckable(true);
    sbSelection->setAutoRaise(true);
    editor.Designed().toolButtons->addButton(sbSelection, ToolSelection);

    for (const TransformControl& control : TransformControls) {
        QToolButton* button =
            SmallButton(page, control.name, QString::fromUtf8(control.text), QString::fromUtf8(control.hint), place++);
        const PictureTransform transform = control.transform;
        connect(button, &QToolButton::clicked, this, [this, transform] { TransformClick(transform); });
    }

    QToolButton* preShift = SmallButton(page, "B_PreDecaler", QStringLiteral("×8"),
                                        QStringLiteral("Pré-décaler : chaque image devient 8 images décalées de 0 à 7 "
                                                       "pixels vers la droite, larges de 8, 16, 32 pixels ou d'octets "
                                                       "entiers"),
                                        place);
    connect(preShift, &QToolButton::clicked, this, &TransformPanel::B_PreDecalerClick);

    qApp->installEventFilter(this);
}

bool TransformPanel::eventFilter(QObject* watched, QEvent* event)
{
    // A Space released in another window never reaches this one.
    if (watched == &editor.Window() && event->type() == QEvent::WindowDeactivate) {
        EndKeyboardStroke();
        return false;
    }
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &editor.Window() || IsTextEditing(QApplication::focusWidget()))
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    return press ? ViewKeyDown(key) : ViewKeyUp(key);
}

// Every frame becomes its eight shifted copies, one undo step, as a load
// replaces the set; a changed set is asked about first, as before an import
// over it.
void TransformPanel::B_PreDecalerClick()
{
    if (editor.Document().Frames().Count() > 1 && !editor.Documents().MayPreShiftOver())
        return;
    const TransformOutcome outcome = PreShiftFrames(editor.Document());
    if (outcome.tooLarge) {
        ShowFailure(QStringLiteral("Pré-décalage impossible : le sprite ferait %1 pixels de large, "
                                   "plus que les 240 d'un écran.")
                        .arg(outcome.tooLarge->x));
        return;
    }
    if (outcome.tooManyFrames) {
        ShowFailure(QStringLiteral("Pré-décalage impossible : la planche ferait %1 images, "
                                   "plus que les %2 d'une planche.")
                        .arg(*outcome.tooManyFrames)
                        .arg(MaxFrames));
        return;
    }
    editor.ShowChange(outcome.change);
}

void TransformPanel::TransformClick(PictureTransform transform)
{
    const TransformOutcome outcome = TransformPicture(editor.Document(), transform);
    if (outcome.tooLarge) {
        ShowFailure(QStringLiteral("Rotation impossible : le sprite ferait %1 × %2 pixels, "
                                   "plus que les 240 × 128 d'un écran.")
                        .arg(outcome.tooLarge->x)
                        .arg(outcome.tooLarge->y));
        return;
    }
    editor.ShowChange(outcome.change);
}

bool TransformPanel::ViewKeyDown(const QKeyEvent& key)
{
    const int code = key.key();
    const bool arrow = code == Qt::Key_Left || code == Qt::Key_Right || code == Qt::Key_Up || code == Qt::Key_Down;
    // During a Space stroke the modifiers chose the pen: every arrow draws.
    if (arrow && (editor.Document().IsKeyboardStroke() || Is(key, Qt::NoModifier))) {
        MoveKeyboardCell(code == Qt::Key_Left    ? -1
                         : code == Qt::Key_Right ? 1
                                                 : 0,
                         code == Qt::Key_Up     ? -1
                         : code == Qt::Key_Down ? 1
                                                : 0);
        return true;
    }
    if (code == Qt::Key_Space) {
        // Held down, the key repeats; only the first press starts a stroke.
        if (!key.isAutoRepeat() && !editor.Document().IsKeyboardStroke())
            KeyboardPenDown(Is(key, Qt::ControlModifier) ? 2 : Is(key, Qt::ShiftModifier) ? 1 : 0);
        return true;
    }
    for (const TransformControl& control : TransformControls) {
        if (code == control.key && Is(key, control.modifiers)) {
            TransformClick(control.transform);
            return true;
        }
    }
    if (Is(key, Qt::ControlModifier)) {
        switch (code) {
        case Qt::Key_C:
            if (IsTextBox(QApplication::focusWidget()))
                return false;
            CopySelection();
            return true;
        case Qt::Key_X:
            CutSelection();
            return true;
        case Qt::Key_V:
            PasteClipboard();
            return true;
        default:
            return false;
        }
    }
    if (!Is(key, Qt::NoModifier))
        return false;
    switch (code) {
    case Qt::Key_Delete:
        EraseSelection();
        return true;
    case Qt::Key_Escape:
        if (!editor.Document().HasSelection())
            return false;
        editor.ShowChange(editor.Document().Deselect());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!editor.Document().IsSelectionFloating())
            return false;
        DropSelection();
        return true;
    default:
        return false;
    }
}

bool TransformPanel::ViewKeyUp(const QKeyEvent& key)
{
    if (key.key() != Qt::Key_Space)
        return false;
    if (!key.isAutoRepeat())
        EndKeyboardStroke();
    return true;
}

// Space paints with the left button's pen, Shift + Space with the right
// button's, Ctrl + Space with the middle button's, and holding Space while
// moving draws one stroke, one undo step.
void TransformPanel::MoveKeyboardCell(int dx, int dy)
{
    const DocumentChange change = editor.Document().MoveKeyboardCell(dx, dy);
    editor.ShowCellPosition(editor.Document().KeyboardCell());
    editor.ShowChange(change);
}

void TransformPanel::KeyboardPenDown(int button)
{
    const DocumentChange change = editor.Document().KeyboardPenDown(editor.ButtonPens()[button]);
    editor.ShowCellPosition(editor.Document().KeyboardCell());
    editor.ShowChange(change);
}

void TransformPanel::EndKeyboardStroke()
{
    editor.ShowChange(editor.Document().EndKeyboardStroke());
}

// Without a selection the whole sprite is copied.
void TransformPanel::CopySelection()
{
    const CopiedCells copied = CellsToCopy(editor.Document());
    auto* data = new QMimeData;
    // Other programs get the whole sprite as "Exporter en PNG..." draws it.
    data->setImageData(copied.selected
                           ? ImageOfCells(copied.cells)
                           : SpriteImage(editor.Document().Editing(), 1, false).convertToFormat(QImage::Format_ARGB32));
    data->setData(QString::fromLatin1(CellClipboardFormat), QByteArray::fromStdString(EncodeCells(copied.cells)));
    data->setData(QString::fromLatin1(CellOriginClipboardFormat),
                  QByteArray::fromStdString(EncodeCellOrigin(copied.origin)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TransformPanel::CutSelection()
{
    if (!editor.Document().HasSelection())
        return;
    CopySelection();
    editor.ShowChange(::CutSelection(editor.Document()));
}

void TransformPanel::EraseSelection()
{
    editor.ShowChange(DeleteSelection(editor.Document()));
}

// The pasted pixels float where they were copied from, with the selection
// tool chosen so that they can be dragged elsewhere. Cells of another kind
// under Pixora's name are refused whole; cells that come without their
// place land at the top-left corner.
void TransformPanel::PasteClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    const QString cellsFormat = QString::fromLatin1(CellClipboardFormat);
    CellPicture cells;
    if (!(data->hasFormat(cellsFormat) && DecodeCells(data->data(cellsFormat).toStdString(), cells))) {
        // A picture of another program is converted as an imported image.
        editor.Pictures().PasteClipboardImage();
        return;
    }
    Point origin{0, 0};
    const QString originFormat = QString::fromLatin1(CellOriginClipboardFormat);
    if (data->hasFormat(originFormat))
        DecodeCellOrigin(data->data(originFormat).toStdString(), origin);
    const DocumentChange change = PasteCells(editor.Document(), cells, origin);
    editor.Tools().ChooseTool(ToolSelection);
    editor.ShowChange(change);
}

// The floating pixels stay where they are shown.
void TransformPanel::DropSelection()
{
    editor.ShowChange(editor.Document().Deselect());
}

void TransformPanel::PaintOverView(QPainter& painter)
{
    const CellEdges edges = editor.MainView().Edges();
    if (edges.IsEmpty())
        return;
    const auto pixelsOf = [&](const CellRect& cells) {
        return QRect(QPoint(edges.Column(cells.x), edges.Row(cells.y)),
                     QPoint(edges.Column(cells.x + cells.width) - 1, edges.Row(cells.y + cells.height) - 1));
    };
    const CellRect selected =
        Intersection(editor.Document().SelectionBounds(), SpriteArea(editor.Document().Editing()));
    if (!selected.IsEmpty()) {
        // White under black dashes reads on every color of the palette.
        const QRect outline = pixelsOf(selected).adjusted(0, 0, -1, -1);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(outline);
    }
    if (editor.Document().IsKeyboardCellShown()) {
        const Point cell = editor.Document().KeyboardCell();
        const QRect frame = pixelsOf({cell.x, cell.y, 1, 1});
        Frame(painter, frame, QColor(255, 140, 0), std::clamp(frame.width() / 6, 1, 3));
    }
}
