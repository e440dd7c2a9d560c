// Transforms of the sprite or of its selection (mirrors, rotations, one-pixel
// shifts, inversion), their buttons on the page "Retouche", and the keys of
// the view: they reach the window from whatever control has the focus,
// except a text box being typed in.
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

#include "Controls.h"
#include "Dialogs.h"
#include "PreShift.h"
#include "U_main.h"

namespace {

struct TransformCommand {
    PictureTransform transform;
    const char* stepLabel;
};

constexpr TransformCommand TransformCommands[] = {
    {PictureTransform::FlipHorizontal, "miroir horizontal"},
    {PictureTransform::FlipVertical, "miroir vertical"},
    {PictureTransform::Rotate180, "rotation 180°"},
    {PictureTransform::RotateClockwise, "rotation horaire"},
    {PictureTransform::RotateCounterClockwise, "rotation anti-horaire"},
    {PictureTransform::ShiftLeft, "décalage à gauche"},
    {PictureTransform::ShiftRight, "décalage à droite"},
    {PictureTransform::ShiftUp, "décalage vers le haut"},
    {PictureTransform::ShiftDown, "décalage vers le bas"},
    {PictureTransform::InvertColors, "inversion des couleurs"},
};

QString StepLabel(PictureTransform transform)
{
    for (const TransformCommand& command : TransformCommands) {
        if (command.transform == transform)
            return QString::fromUtf8(command.stepLabel);
    }
    return QString();
}

// Sends the key events of the main window and its controls to the window's
// key handlers before the control with the focus sees them.
class ViewKeys : public QObject {
public:
    explicit ViewKeys(TForm1* form) : QObject(form), form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A Space released in another window never reaches this one.
        if (watched == form && event->type() == QEvent::WindowDeactivate) {
            form->EndKeyboardStroke();
            return false;
        }
        const bool press = event->type() == QEvent::KeyPress;
        if (!press && event->type() != QEvent::KeyRelease)
            return false;
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != form || IsTextEditing(QApplication::focusWidget()))
            return false;
        const auto& key = *static_cast<QKeyEvent*>(event);
        return press ? form->FormKeyDown(key) : form->FormKeyUp(key);
    }

private:
    TForm1* form;
};

// The free right column of the page, below "Annuler" and "Rétablir" and above
// the frame controls, three small buttons a row.
QToolButton* SmallButton(QWidget* page, const char* name, const QString& text, const QString& hint, int row, int column)
{
    constexpr int left = 176;
    constexpr int top = 72;
    constexpr int side = 33;
    constexpr int step = 36;
    auto* button = new QToolButton(page);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setGeometry(left + column * step, top + row * step, side, side);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

struct TransformKey {
    int key;
    Qt::KeyboardModifiers modifiers;
    PictureTransform transform;
};

const TransformKey TransformKeys[] = {
    {Qt::Key_H, Qt::ShiftModifier, PictureTransform::FlipHorizontal},
    {Qt::Key_V, Qt::ShiftModifier, PictureTransform::FlipVertical},
    {Qt::Key_R, Qt::ShiftModifier, PictureTransform::RotateClockwise},
    {Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier, PictureTransform::RotateCounterClockwise},
    {Qt::Key_T, Qt::ShiftModifier, PictureTransform::Rotate180},
    {Qt::Key_I, Qt::ShiftModifier, PictureTransform::InvertColors},
    {Qt::Key_Left, Qt::ControlModifier, PictureTransform::ShiftLeft},
    {Qt::Key_Right, Qt::ControlModifier, PictureTransform::ShiftRight},
    {Qt::Key_Up, Qt::ControlModifier, PictureTransform::ShiftUp},
    {Qt::Key_Down, Qt::ControlModifier, PictureTransform::ShiftDown},
};

// A dashed square, as the selection is shown in the view.
QIcon SelectionPicture()
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(40, 40, 40), 2, Qt::DashLine));
    painter.drawRect(QRect(4, 4, 16, 16));
    return QIcon(picture);
}

bool Is(const QKeyEvent& key, Qt::KeyboardModifiers modifiers)
{
    return (key.modifiers() & ~Qt::KeypadModifier) == modifiers;
}

} // namespace

void TForm1::BuildTransformControls()
{
    sbSelection = SmallButton(TabSheet1, "sbSelection", QString(), QStringLiteral("Sélection (S)"), 0, 0);
    sbSelection->setIcon(SelectionPicture());
    sbSelection->setIconSize(QSize(24, 24));
    sbSelection->setCheckable(true);
    sbSelection->setAutoRaise(true);
    toolButtons->addButton(sbSelection, ToolSelection);
    connect(sbSelection, &QToolButton::toggled, this, [this](bool down) {
        if (down)
            Tool = ToolSelection;
    });

    const struct {
        QToolButton*& button;
        const char* name;
        const char* text;
        const char* hint;
        PictureTransform transform;
    } buttons[] = {
        {B_MiroirH, "B_MiroirH", "↔", "Miroir horizontal (Maj+H)", PictureTransform::FlipHorizontal},
        {B_MiroirV, "B_MiroirV", "↕", "Miroir vertical (Maj+V)", PictureTransform::FlipVertical},
        {B_RotationHoraire, "B_RotationHoraire", "↻", "Rotation de 90° à droite (Maj+R)",
         PictureTransform::RotateClockwise},
        {B_RotationAntihoraire, "B_RotationAntihoraire", "↺", "Rotation de 90° à gauche (Ctrl+Maj+R)",
         PictureTransform::RotateCounterClockwise},
        {B_Rotation180, "B_Rotation180", "180°", "Rotation de 180° (Maj+T)", PictureTransform::Rotate180},
        {B_Inverser, "B_Inverser", "Inv", "Inverser les couleurs (Maj+I)", PictureTransform::InvertColors},
        {B_DecalerGauche, "B_DecalerGauche", "←", "Décaler d'un pixel à gauche (Ctrl+Gauche)",
         PictureTransform::ShiftLeft},
        {B_DecalerDroite, "B_DecalerDroite", "→", "Décaler d'un pixel à droite (Ctrl+Droite)",
         PictureTransform::ShiftRight},
        {B_DecalerHaut, "B_DecalerHaut", "↑", "Décaler d'un pixel vers le haut (Ctrl+Haut)", PictureTransform::ShiftUp},
        {B_DecalerBas, "B_DecalerBas", "↓", "Décaler d'un pixel vers le bas (Ctrl+Bas)", PictureTransform::ShiftDown},
    };
    int place = 1; // after the selection tool
    for (const auto& entry : buttons) {
        entry.button = SmallButton(TabSheet1, entry.name, QString::fromUtf8(entry.text), QString::fromUtf8(entry.hint),
                                   place / 3, place % 3);
        ++place;
        const PictureTransform transform = entry.transform;
        connect(entry.button, &QToolButton::clicked, this, [this, transform] { TransformClick(transform); });
    }

    B_PreDecaler = SmallButton(TabSheet1, "B_PreDecaler", QStringLiteral("×8"),
                               QStringLiteral("Pré-décaler : une planche de 8 images décalées de 0 à 7 pixels "
                                              "vers la droite, 8 pixels plus large"),
                               place / 3, place % 3);
    connect(B_PreDecaler, &QToolButton::clicked, this, &TForm1::B_PreDecalerClick);

    viewKeys = new ViewKeys(this);
    qApp->installEventFilter(viewKeys);
}

// The filter sees every event of the application, also those that closing
// the window sends while it is destroyed: it goes before the window does.
TForm1::~TForm1()
{
    qApp->removeEventFilter(viewKeys);
}

// The set becomes the eight shifted copies of the frame edited, one undo
// step, as a load replaces it.
void TForm1::B_PreDecalerClick()
{
    std::vector<Sprite> shifted;
    if (!PreShiftedFrames(sprite, shifted)) {
        AppDialogs().ShowMessage(QStringLiteral("Pré-décalage impossible : le sprite ferait %1 pixels de large, "
                                                "plus que les 240 d'un écran.")
                                     .arg(sprite.width + 8),
                                 QStringLiteral("Echec!"), MessageIcon::Warning);
        return;
    }
    FrameList copies;
    for (Sprite& frame : shifted)
        copies.push_back(std::make_unique<Sprite>(frame));
    CloseGestureStep();
    if (history.ReplaceFrames(frames, std::move(copies), 0, "pré-décalage"))
        ShowLoadedSprite();
    ShowUndoState();
}

void TForm1::TransformClick(PictureTransform transform)
{
    const QString label = StepLabel(transform);
    if (selection.IsActive(sprite)) {
        BeginSpriteStep();
        selection.Transform(sprite, transform);
        CommitSpriteStep(label);
        RedrawBothViews();
        return;
    }
    const Point size = TransformedSize(sprite.GetSize(), transform);
    if (size.x > MaxWidth || size.y > MaxHeight) {
        AppDialogs().ShowMessage(QStringLiteral("Rotation impossible : le sprite ferait %1 × %2 pixels, "
                                                "plus que les 240 × 128 d'un écran.")
                                     .arg(size.x)
                                     .arg(size.y),
                                 QStringLiteral("Echec!"), MessageIcon::Warning);
        return;
    }
    BeginSpriteStep();
    TransformSprite(sprite, transform);
    CommitSpriteStep(label);
    // A quarter turn changes the size, shown as after a load.
    ShowLoadedSprite();
}

bool TForm1::FormKeyDown(const QKeyEvent& key)
{
    const int code = key.key();
    const bool arrow = code == Qt::Key_Left || code == Qt::Key_Right || code == Qt::Key_Up || code == Qt::Key_Down;
    // During a Space stroke the modifiers chose the pen: every arrow draws.
    if (arrow && (KeyboardPen != NotDrawing || Is(key, Qt::NoModifier))) {
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
        if (!key.isAutoRepeat() && KeyboardPen == NotDrawing)
            KeyboardPenDown(Is(key, Qt::ControlModifier) ? 2 : Is(key, Qt::ShiftModifier) ? 1 : 0);
        return true;
    }
    for (const TransformKey& entry : TransformKeys) {
        if (code == entry.key && Is(key, entry.modifiers)) {
            TransformClick(entry.transform);
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
    case Qt::Key_S:
        sbSelection->setChecked(true);
        return true;
    case Qt::Key_Delete:
        EraseSelection();
        return true;
    case Qt::Key_Escape:
        if (!selection.IsActive(sprite))
            return false;
        selection.Deselect();
        RedrawBothViews();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!selection.IsFloating(sprite))
            return false;
        DropSelection();
        return true;
    default:
        return false;
    }
}

bool TForm1::FormKeyUp(const QKeyEvent& key)
{
    if (key.key() != Qt::Key_Space)
        return false;
    if (!key.isAutoRepeat())
        EndKeyboardStroke();
    return true;
}
