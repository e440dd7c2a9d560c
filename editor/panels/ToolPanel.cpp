#include "ToolPanel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>
#include <optional>

#include "Controls.h"
#include "EditorContext.h"
#include "FormLayout.h"
#include "FrameStrip.h"
#include "IniFile.h"
#include "SpriteView.h"
#include "shapes.h"

namespace {

// The view's section of the settings file, which ViewPanel shares.
const std::string ViewSection = "Affichage";

// A calculator's screen, from the top-left of the sprite.
struct ScreenGuide {
    Point size;
    QColor color;
};

const ScreenGuide ScreenGuides[] = {
    {{160, 100}, QColor(220, 0, 220)}, // TI-89
    {{240, 128}, QColor(0, 170, 170)}, // TI-92 Plus and V200
};

// In the free column of "Retouche", between the transforms and the frame
// controls, in line with the transform buttons.
QToolButton* ToolButton(QWidget* page, const char* name, const QString& hint, int place)
{
    constexpr int left = FreeColumn::Left;
    constexpr int top = 215;
    constexpr int step = 36;
    auto* button = Place(new QToolButton(page), name, left + place * step, top, 33, 24);
    button->setToolTip(hint);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setIconSize(QSize(20, 20));
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

// "Crayon (B)": a hint and the key of its tool.
QString ToolTipWithKey(const QString& hint, const QString& key)
{
    return QStringLiteral("%1 (%2)").arg(hint, key);
}

QString ZoomText(int zoom)
{
    return zoom == FittedZoom ? QStringLiteral("Zoom : ajusté") : QStringLiteral("Zoom : %1 px").arg(zoom);
}

} // namespace

ToolPanel::ToolPanel(EditorContext& editor) : EditorPanel(editor)
{
    BuildToolButtons();
    BuildToolKeys();
    ShowToolCursor();

    CB_ReperesEcran = Place(new QCheckBox(QStringLiteral("Repères d'écran"), editor.Page(EditorPage::Options)),
                            "CB_ReperesEcran", 8, 166, 281, 20);
    CB_ReperesEcran->setToolTip(QStringLiteral("Lignes de l'écran de la TI-89 (160 × 100) et de celui des "
                                               "TI-92 Plus et V200 (240 × 128) dans la vue"));
    connect(CB_ReperesEcran, &QCheckBox::toggled, this, &ToolPanel::CB_ReperesEcranClick);

    frameStrip = new FrameStrip(editor.Document().Frames(), &editor.Window());
    frameStrip->hide();
    frameStrip->frameClicked = [this](int index) {
        this->editor.ShowChange(this->editor.Document().SelectFrame(index));
    };

    L_Zoom = new QLabel(&editor.Window());
    L_Zoom->setObjectName(QStringLiteral("L_Zoom"));
    L_Zoom->setToolTip(QStringLiteral("Taille d'une case de la vue en pixels de l'écran (Ctrl + molette)"));
    ShowZoom();
}

bool ToolPanel::eventFilter(QObject* watched, QEvent* event)
{
    const auto key = designedToolKeys.constFind(watched);
    if (event->type() != QEvent::ToolTip || key == designedToolKeys.cend())
        return EditorPanel::eventFilter(watched, event);
    auto* button = static_cast<QWidget*>(watched);
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), ToolTipWithKey(button->toolTip(), *key), button);
    return true;
}

// The added buttons of the drawing row in the order of their table; the
// selection's is the transform panel's, first in its row.
void ToolPanel::BuildToolButtons()
{
    int place = 0;
    for (const AddedToolButton& added : AddedToolButtons()) {
        if (added.row == ToolButtonRow::Drawing) {
            QToolButton* button =
                ToolButton(editor.Page(EditorPage::Retouche), added.name, QString::fromUtf8(added.hint), place++);
            editor.Designed().toolButtons->addButton(button, added.tool);
        }
        auto* button = editor.Window().findChild<QAbstractButton*>(QString::fromLatin1(added.name));
        shownTools.insert(button, added.tool);
        ShowToolButtonPicture(button, added.tool);
        // A click on the shape already chosen turns it filled, or back.
        connect(button, &QAbstractButton::clicked, this,
                [this, button, &added] { ChooseTool(ToolOnClick(added, shownTools.value(button))); });
    }
}

// The designed buttons' hints name no key: their tooltips add it.
void ToolPanel::BuildToolKeys()
{
    for (const SpriteViewTool& entry : SpriteViewTools()) {
        const SpriteToolChoice& choice = entry.chosenBy;
        AddCommandKeys(&editor.Window(), {QKeySequence(choice.key)},
                       [this, tool = entry.gesture] { ChooseTool(tool); });
        auto* button = editor.Window().findChild<QAbstractButton*>(QString::fromLatin1(choice.button));
        buttonOfTool.insert(entry.gesture, button);
        if (AddedButtonOf(entry.gesture))
            continue;
        designedToolKeys.insert(button, QKeySequence(choice.key).toString(QKeySequence::NativeText));
        button->installEventFilter(this);
    }

    // Only while a button draws, so that Escape keeps its other
    // uses (dropping the selection) the rest of the time.
    cancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), &editor.Window());
    cancelKey->setEnabled(false);
    connect(cancelKey, &QShortcut::activated, this,
            [this] { this->editor.ShowChange(this->editor.Document().CancelDrawing()); });
}

// The designed buttons choose their tool again at every move of the
// pointer over them: only what changes is drawn again.
void ToolPanel::ChooseTool(int tool)
{
    if (tool == ToolEyedropper && editor.ChosenTool() != ToolEyedropper)
        toolBeforeEyedropper = editor.ChosenTool();
    QAbstractButton* button = buttonOfTool.value(tool);
    button->setChecked(true);
    editor.ChosenTool() = static_cast<int8_t>(tool);
    const auto shown = shownTools.find(button);
    if (shown != shownTools.end() && *shown != tool) {
        *shown = tool;
        ShowToolButtonPicture(button, tool);
    }
    ShowToolCursor();
}

// Each added button shows the tool it stands for: a shape outlined or filled.
void ToolPanel::ShowToolButtonPicture(QAbstractButton* button, int tool)
{
    button->setIcon(SpriteViewToolOf(tool).chosenBy.picture());
}

// Only over the view: the rest of the window keeps the arrow.
void ToolPanel::ShowToolCursor()
{
    const ToolCursor cursor = SpriteViewToolOf(editor.ChosenTool()).cursor;
    if (cursor == viewCursor)
        return;
    viewCursor = cursor;
    editor.MainView().setCursor(CursorOf(cursor));
}

int ToolPanel::ToolOnClick(const AddedToolButton& button, int shown) const
{
    if (!button.Has(editor.ChosenTool()))
        return shown;
    return shown == button.tool ? button.otherTool : button.tool;
}

bool ToolPanel::PickPen(int button, Point cell, bool altHeld)
{
    const bool eyedropper = editor.ChosenTool() == ToolEyedropper;
    if (!eyedropper && !altHeld)
        return false;
    // A click beside the grid picks nothing and keeps the eyedropper.
    const std::optional<PenValue> pen = PenOfCell(editor.Document().Editing(), cell);
    if (!pen)
        return true;
    editor.ButtonPens()[button] = *pen;
    editor.ShowButtonPens();
    if (eyedropper)
        ChooseTool(toolBeforeEyedropper);
    return true;
}

int ToolPanel::FrameStripHeight() const
{
    return editor.Document().Frames().Count() > 1 ? FrameStrip::StripHeight : 0;
}

void ToolPanel::LayOutAroundView()
{
    const int stripHeight = FrameStripHeight();
    const int viewWidth = editor.MainView().width();
    editor.MainView().setGeometry(0, 0, viewWidth, std::max(editor.Window().height() - stripHeight, 0));
    frameStrip->setGeometry(0, editor.Window().height() - stripHeight, viewWidth, stripHeight);
    frameStrip->setVisible(stripHeight > 0);
    const QRect tabs = editor.Designed().pages->geometry();
    // In line with the position display, below the page.
    L_Zoom->setGeometry(tabs.left() + 13, tabs.bottom() + 3, 150, 16);
}

void ToolPanel::CheckerFrameRowMasks(bool checkered)
{
    frameStrip->checkerMasked = checkered;
    frameStrip->update();
}

void ToolPanel::ShowChange(const DocumentChange& change)
{
    if (change.frames || change.size) {
        const bool stripWasShown = frameStrip->isVisible();
        LayOutAroundView();
        // The view region grew or shrank: its grid may have another size.
        if (frameStrip->isVisible() != stripWasShown) {
            editor.MainView().LayOutBars();
            editor.Window().update();
        }
        frameStrip->ShowCurrent();
    } else if (change.pixels) {
        frameStrip->ShowCurrentPixels();
    }
    cancelKey->setEnabled(editor.Document().AnyButtonDrawing());
}

// Each screen's right and bottom edges, as far as the sprite reaches them,
// on the first pixel after the screen's last column and row; true colors
// draw every cell one pixel up and left.
void ToolPanel::PaintOverView(QPainter& painter)
{
    ShowZoom();
    const CellEdges edges = editor.MainView().Edges();
    if (!ReperesEcran || edges.IsEmpty())
        return;
    const int shift = editor.MainViewInTrueColors() && !edges.IsZoomed() ? -1 : 0;
    const Point size = editor.Document().Editing().GetSize();
    for (const ScreenGuide& screen : ScreenGuides) {
        const int right = size.x >= screen.size.x ? edges.Column(screen.size.x) : edges.Column(size.x) - 1;
        const int bottom = size.y >= screen.size.y ? edges.Row(screen.size.y) : edges.Row(size.y) - 1;
        if (size.x >= screen.size.x)
            painter.fillRect(QRect(QPoint(right, edges.Row(0)), QPoint(right, bottom)).translated(shift, shift),
                             screen.color);
        if (size.y >= screen.size.y)
            painter.fillRect(QRect(QPoint(edges.Column(0), bottom), QPoint(right, bottom)).translated(shift, shift),
                             screen.color);
    }
}

void ToolPanel::ShowZoom()
{
    const QString text = ZoomText(editor.MainView().Zoom());
    if (L_Zoom->text() != text)
        L_Zoom->setText(text);
}

void ToolPanel::CB_ReperesEcranClick()
{
    ReperesEcran = CB_ReperesEcran->isChecked();
    editor.MainView().RepaintShown();
}

void ToolPanel::ReadSettings(const IniFile& settings)
{
    ReperesEcran = settings.ReadBool(ViewSection, "ReperesEcran", false);
    CB_ReperesEcran->setChecked(ReperesEcran != 0);
}

void ToolPanel::WriteSettings(const IniFile& settings) const
{
    settings.WriteIntegerUnlessDefault(ViewSection, "ReperesEcran", ReperesEcran != 0 ? 1 : 0, 0);
}
