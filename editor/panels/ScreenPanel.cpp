#include "ScreenPanel.h"

#include <QPushButton>
#include <QShortcut>

#include "Controls.h"
#include "EditorContext.h"
#include "FramePanel.h"
#include "ScreenWindow.h"

// The button takes a free row of "Options" below the designed check boxes
// and those of the other panels; F5 works from the preview and from the
// screen window too, so it is the application's.
ScreenPanel::ScreenPanel(EditorContext& editor) : EditorPanel(editor)
{
    B_EcranCalculatrice = new QPushButton(QStringLiteral("Écran de calculatrice..."), editor.Page(EditorPage::Options));
    B_EcranCalculatrice->setObjectName(QStringLiteral("B_EcranCalculatrice"));
    B_EcranCalculatrice->setGeometry(8, 292, 180, 24);
    B_EcranCalculatrice->setToolTip(QStringLiteral("Le sprite sur l'écran de la calculatrice, comme ses routines le "
                                                   "dessinent (F5)"));
    connect(B_EcranCalculatrice, &QPushButton::clicked, this, &ScreenPanel::B_EcranCalculatriceClick);
    auto* key = new QShortcut(QKeySequence(Qt::Key_F5), &editor.Window());
    key->setContext(Qt::ApplicationShortcut);
    connect(key, &QShortcut::activated, this, &ScreenPanel::B_EcranCalculatriceClick);
}

// Building the window's controls costs the start of the program more than
// any of the main window's panels, for a window most sessions never open.
ScreenWindow& ScreenPanel::BuiltWindow()
{
    if (!window_) {
        window_ = new ScreenWindow(
            editor.Document(), [this] { return this->editor.Frames().FrameDelayMs(); }, &editor.Window());
        window_->Apply(choices_);
    }
    return *window_;
}

void ScreenPanel::B_EcranCalculatriceClick()
{
    ScreenWindow& window = BuiltWindow();
    window.ShowFrameChange();
    window.show();
    window.raise();
    window.activateWindow();
    if (auto* view = window.findChild<QWidget*>(QStringLiteral("ScreenView")))
        view->setFocus();
}

void ScreenPanel::ShowChange(const DocumentChange& change)
{
    if (window_ && window_->isVisible() && (change.pixels || change.size || change.frames))
        window_->ShowFrameChange();
}

void ScreenPanel::ReadSettings(const IniFile& settings)
{
    choices_ = ScreenChoices::Read(settings);
    if (window_)
        window_->Apply(choices_);
}

void ScreenPanel::WriteSettings(const IniFile& settings) const
{
    (window_ ? window_->Choices() : choices_).Write(settings);
}
