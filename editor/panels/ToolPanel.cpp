#include "ToolPanel.h"

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
#include "FormLayout.h"
#include "FrameStrip.h"
#include "IniFile.h"
#include "SpriteView.h"
#include "U_main.h"
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

enum class Glyph { Rectangle, FilledRectangle, Ellipse, FilledEllipse, Eyedropper };

QIcon ToolPicture(Glyph glyph)
{
    const QColor ink(40, 40, 40);
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 2));
    const QRectF box(3, 5, 14, 10);
    switch (glyph) {
    case Glyph::Rectangle:
        painter.drawRect(box);
        break;
    case Glyph::FilledRectangle:
        painter.setBrush(ink);
        painter.drawRect(box);
        break;
    case Glyph::Ellipse:
        painter.drawEllipse(box);
        break;
    case Glyph::FilledEllipse:
        painter.setBrush(ink);
        painter.drawEllipse(box);
        break;
    case Glyph::Eyedropper:
        painter.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 16), QPointF(12, 8));
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(14.5, 5.5), 3, 3);
        break;
    }
    return QIcon(picture);
}

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

// The button that is down for a tool: the filled shapes share theirs.
int ButtonIdOf(int tool)
{
    switch (tool) {
    case ToolFilledRectangle:
        return ToolRectangle;
    case ToolFilledEllipse:
        return ToolEllipse;
    default:
        return tool;
    }
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

ToolPanel::ToolPanel(TForm1& form) : EditorPanel(form)
{
    BuildToolButtons();
    BuildToolKeys();

    CB_ReperesEcran =
        Place(new QCheckBox(QStringLiteral("Repères d'écran"), form.TabSheet5), "CB_ReperesEcran", 8, 166, 281, 20);
    CB_ReperesEcran->setToolTip(QStringLiteral("Lignes de l'écran de la TI-89 (160 × 100) et de celui des "
                                               "TI-92 Plus et V200 (240 × 128) dans la vue"));
    connect(CB_ReperesEcran, &QCheckBox::toggled, this, &ToolPanel::CB_ReperesEcranClick);

    frameStrip = new FrameStrip(form.document.Frames(), &form);
    frameStrip->hide();
    frameStrip->frameClicked = [this](int index) {
        this->form.ShowDocumentChange(this->form.document.SelectFrame(index));
    };

    L_Zoom = new QLabel(&form);
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

void ToolPanel::BuildToolButtons()
{
    QWidget* const page = form.TabSheet1;
    designedToolKeys = {
        {form.sbPencil, QStringLiteral("B")}, {form.sbLine, QStringLiteral("L")}, {form.sbRempli, QStringLiteral("G")}};
    for (QObject* button : {form.sbPencil, form.sbLine, form.sbRempli})
        button->installEventFilter(this);
    sbRectangle = ToolButton(page, "sbRectangle", QStringLiteral("Rectangle (U) ; plein : Maj+U ou second clic"), 0);
    sbEllipse = ToolButton(page, "sbEllipse", QStringLiteral("Ellipse (O) ; pleine : Maj+O ou second clic"), 1);
    sbPipette = ToolButton(page, "sbPipette",
                           QStringLiteral("Pipette (I) : le bouton de la souris qui clique prend la couleur de la "
                                          "case, ou le masque ; Alt + clic avec tout outil"),
                           2);
    sbPipette->setIcon(ToolPicture(Glyph::Eyedropper));
    form.toolButtons->addButton(sbRectangle, ToolRectangle);
    form.toolButtons->addButton(sbEllipse, ToolEllipse);
    form.toolButtons->addButton(sbPipette, ToolEyedropper);
    ShowShapeButtons();

    // A click on the shape already chosen turns it filled, or back.
    connect(sbRectangle, &QToolButton::clicked, this,
            [this] { ChooseTool(ShapeOnClick(ToolRectangle, ToolFilledRectangle, filledRectangle)); });
    connect(sbEllipse, &QToolButton::clicked, this,
            [this] { ChooseTool(ShapeOnClick(ToolEllipse, ToolFilledEllipse, filledEllipse)); });
    connect(sbPipette, &QToolButton::clicked, this, [this] { ChooseTool(ToolEyedropper); });
}

// S, the selection's key, is the transform panel's.
void ToolPanel::BuildToolKeys()
{
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::Key_B), ToolPencil},
        {QKeySequence(Qt::Key_L), ToolLine},
        {QKeySequence(Qt::Key_G), ToolFill},
        {QKeySequence(Qt::Key_U), ToolRectangle},
        {QKeySequence(Qt::SHIFT | Qt::Key_U), ToolFilledRectangle},
        {QKeySequence(Qt::Key_O), ToolEllipse},
        {QKeySequence(Qt::SHIFT | Qt::Key_O), ToolFilledEllipse},
        {QKeySequence(Qt::Key_I), ToolEyedropper},
    };
    for (const auto& [key, tool] : keys)
        AddCommandKeys(&form, {key}, [this, tool = tool] { ChooseTool(tool); });

    // Only while a button draws, so that Escape keeps its other
    // uses (dropping the selection) the rest of the time.
    cancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), &form);
    cancelKey->setEnabled(false);
    connect(cancelKey, &QShortcut::activated, this,
            [this] { this->form.ShowDocumentChange(this->form.document.CancelDrawing()); });
}

void ToolPanel::ChooseTool(int tool)
{
    if (tool == ToolEyedropper && form.Tool != ToolEyedropper)
        toolBeforeEyedropper = form.Tool;
    if (ButtonIdOf(tool) == ToolRectangle)
        filledRectangle = tool == ToolFilledRectangle;
    if (ButtonIdOf(tool) == ToolEllipse)
        filledEllipse = tool == ToolFilledEllipse;
    form.toolButtons->button(ButtonIdOf(tool))->setChecked(true);
    form.Tool = static_cast<int8_t>(tool);
    ShowShapeButtons();
}

// Each shape's button shows whether it draws outlined or filled.
void ToolPanel::ShowShapeButtons()
{
    sbRectangle->setIcon(ToolPicture(filledRectangle ? Glyph::FilledRectangle : Glyph::Rectangle));
    sbEllipse->setIcon(ToolPicture(filledEllipse ? Glyph::FilledEllipse : Glyph::Ellipse));
}

int ToolPanel::ShapeOnClick(int outlined, int filled, bool isFilled) const
{
    const bool again = form.Tool == outlined || form.Tool == filled;
    return again != isFilled ? filled : outlined;
}

bool ToolPanel::PickPen(int button, Point cell, bool altHeld)
{
    const bool eyedropper = form.Tool == ToolEyedropper;
    if (!eyedropper && !altHeld)
        return false;
    // A click beside the grid picks nothing and keeps the eyedropper.
    const std::optional<PenValue> pen = PenOfCell(form.sprite, cell);
    if (!pen)
        return true;
    form.ButtonPen[button] = *pen;
    form.ShowButtonPens();
    if (eyedropper)
        ChooseTool(toolBeforeEyedropper);
    return true;
}

int ToolPanel::FrameStripHeight() const
{
    return form.document.Frames().Count() > 1 ? FrameStrip::StripHeight : 0;
}

void ToolPanel::LayOutAroundView()
{
    const int stripHeight = FrameStripHeight();
    const int viewWidth = form.I_Principale->width();
    form.I_Principale->setGeometry(0, 0, viewWidth, std::max(form.height() - stripHeight, 0));
    frameStrip->setGeometry(0, form.height() - stripHeight, viewWidth, stripHeight);
    frameStrip->setVisible(stripHeight > 0);
    const QRect tabs = form.PageControl1->geometry();
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
            form.I_Principale->LayOutBars();
            form.update();
        }
        frameStrip->ShowCurrent();
    } else if (change.pixels) {
        frameStrip->ShowCurrentPixels();
    }
    cancelKey->setEnabled(form.document.AnyButtonDrawing());
}

// Each screen's right and bottom edges, as far as the sprite reaches them,
// on the first pixel after the screen's last column and row; true colors
// draw every cell one pixel up and left.
void ToolPanel::PaintOverView(QPainter& painter)
{
    ShowZoom();
    const CellEdges edges = form.I_Principale->Edges();
    if (!ReperesEcran || edges.IsEmpty())
        return;
    const int shift = form.CouleursVraiesMain != 0 && !edges.IsZoomed() ? -1 : 0;
    const Point size = form.sprite.GetSize();
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
    const QString text = ZoomText(form.I_Principale->Zoom());
    if (L_Zoom->text() != text)
        L_Zoom->setText(text);
}

void ToolPanel::CB_ReperesEcranClick()
{
    ReperesEcran = CB_ReperesEcran->isChecked();
    form.I_Principale->RepaintShown();
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
