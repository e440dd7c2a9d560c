#include "ViewPanel.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QShortcut>
#include <QWheelEvent>

#include "EditorContext.h"
#include "FormLayout.h"
#include "IniFile.h"
#include "SpriteView.h"
#include "ToolPanel.h"
#include "U_apercu.h"

namespace {

const std::string ViewSection = "Affichage";

} // namespace

// The options take rows of "Options" below the designed five: the true-size
// preview the first, the checkerboard the one below the screen guides.
ViewPanel::ViewPanel(EditorContext& editor) : EditorPanel(editor)
{
    CB_ApercuTailleReelle =
        Place(new QCheckBox(QStringLiteral("Aperçu en taille réelle"), editor.Page(EditorPage::Options)),
              "CB_ApercuTailleReelle", 8, 140, 281, 20);
    CB_TransparenceDamier =
        Place(new QCheckBox(QStringLiteral("Transparence en damier"), editor.Page(EditorPage::Options)),
              "CB_TransparenceDamier", 8, 192, 281, 20);
    CB_TransparenceDamier->setToolTip(QStringLiteral("Les pixels maskés en damier clair, dans la vue, l'aperçu "
                                                     "et la rangée d'images"));
    auto bind = [this](const QKeySequence& keys, auto action) {
        auto* shortcut = new QShortcut(keys, &this->editor.Window());
        connect(shortcut, &QShortcut::activated, this, action);
    };
    SpriteView* view = &editor.MainView();
    bind(QKeySequence(Qt::CTRL | Qt::Key_Plus), [view] { view->ZoomAtCentre(+1); });
    // Ctrl+"=" too: on most keyboards "+" needs Shift.
    bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), [view] { view->ZoomAtCentre(+1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_Minus), [view] { view->ZoomAtCentre(-1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_0), [view] { view->ShowFitted(); });

    connect(CB_ApercuTailleReelle, &QCheckBox::toggled, this, &ViewPanel::CB_ApercuTailleReelleClick);
    connect(CB_TransparenceDamier, &QCheckBox::toggled, this, &ViewPanel::CB_TransparenceDamierClick);
    // True colors draw no grid lines, which changes the zoomed grid's extent.
    connect(editor.Designed().mainTrueColors, &QCheckBox::toggled, view, &SpriteView::LayOutBars);
}

bool ViewPanel::WheelNavigatesView(const QWheelEvent& event)
{
    const bool zooms = event.modifiers() & Qt::ControlModifier;
    const bool scrolls = event.modifiers() & Qt::ShiftModifier;
    if (!zooms && !scrolls)
        return false;
    // Some systems turn a wheel held with Shift into a horizontal one.
    const int delta = event.angleDelta().y() != 0 ? event.angleDelta().y() : event.angleDelta().x();
    const QPoint pointer = editor.MainView().mapFromParent(event.position().toPoint());
    if (zooms)
        editor.MainView().TurnZoomWheel(delta, {pointer.x(), pointer.y()});
    else
        editor.MainView().ScrollByWheel(delta);
    return true;
}

void ViewPanel::CB_ApercuTailleReelleClick()
{
    ApercuTailleReelle = CB_ApercuTailleReelle->isChecked();
    editor.RepaintPreview(true);
}

void ViewPanel::CB_TransparenceDamierClick()
{
    TransparenceDamier = CB_TransparenceDamier->isChecked();
    editor.CheckerFramePictures(TransparenceDamier != 0);
    editor.RedrawViews();
}

// A zoom level that is no step, hand-edited or from a later version, shows
// the designed view.
void ViewPanel::ReadSettings(const IniFile& settings)
{
    editor.MainView().SetZoom(settings.ReadInteger(ViewSection, "ZoomPrincipale", FittedZoom));
    ApercuTailleReelle = settings.ReadBool(ViewSection, "ApercuTailleReelle", false);
    CB_ApercuTailleReelle->setChecked(ApercuTailleReelle != 0);
    TransparenceDamier = settings.ReadBool(ViewSection, "TransparenceDamier", false);
    CB_TransparenceDamier->setChecked(TransparenceDamier != 0);
}

void ViewPanel::WriteSettings(const IniFile& settings) const
{
    settings.WriteIntegerUnlessDefault(ViewSection, "ZoomPrincipale", editor.MainView().Zoom(), FittedZoom);
    settings.WriteIntegerUnlessDefault(ViewSection, "ApercuTailleReelle", ApercuTailleReelle != 0 ? 1 : 0, 0);
    settings.WriteIntegerUnlessDefault(ViewSection, "TransparenceDamier", TransparenceDamier != 0 ? 1 : 0, 0);
}
