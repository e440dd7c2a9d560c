// The settings file, the option check boxes, and what the main window does
// for the preview window when it is shown, activated and moved.
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <utility>

#include "DocumentManager.h"
#include "EditorPanel.h"
#include "IniFile.h"
#include "PixoraApplication.h"
#include "SpriteView.h"
#include "U_apercu.h"
#include "U_main.h"
#include "WindowPlacement.h"

namespace {

const std::string OptionsSection = "Options";
const std::string MainWindowSection = "FenetreMain";

// Every value is written as soon as it is taken, in the file's key order.
void WriteSettings(const TForm1& form)
{
    const IniFile settings = SettingsFileAt(form.Paths.settingsFile);
    settings.WriteBool(OptionsSection, "Apercu", form.Apercu != 0);
    settings.WriteBool(OptionsSection, "ApercuAttache", form.ApercuAttache != 0);
    settings.WriteBool(OptionsSection, "CouleursVraiesMain", form.CouleursVraiesMain != 0);
    settings.WriteBool(OptionsSection, "CouleursVraiesApercu", form.CouleursVraiesApercu != 0);
    settings.WriteBool(OptionsSection, "OuvrirFenetre", form.OuvrirFenetre != 0);
    settings.WriteInteger(MainWindowSection, "Onglet", form.PageControl1->currentIndex());
    WriteWindowBounds(settings, MainWindowSection, *form.placement);
    if (form.F_Apercu)
        WriteWindowBounds(settings, PreviewWindowSection, *form.F_Apercu->placement);
    for (const EditorPanel* panel : form.Panels())
        panel->WriteSettings(settings);
}

} // namespace

void TForm1::ConnectOptionHandlers()
{
    // toggled rather than clicked: a handler runs whenever its box changes
    // state, by the user or from code, and only then.
    const std::pair<QCheckBox*, void (TForm1::*)()> options[] = {
        {CB_Apercu, &TForm1::CB_ApercuClick},
        {CB_ApercuAttache, &TForm1::CB_ApercuAttacheClick},
        {CB_CouleursPrincipale, &TForm1::CB_CouleursPrincipaleClick},
        {CB_CouleursApercu, &TForm1::CB_CouleursApercuClick},
        {CB_OuvrirFenetre, &TForm1::CB_OuvrirFenetreClick},
    };
    for (const auto& [box, handler] : options)
        connect(box, &QCheckBox::toggled, this, handler);
    connect(timerAttache, &QTimer::timeout, this, &TForm1::timerAttacheTimer);
}

void TForm1::ReadSettings()
{
    // Made here, before the window has any frame: the settings are what
    // first place it.
    placement = new WindowPlacement(*this);
    const IniFile settings = SettingsFileAt(Paths.settingsFile);
    Apercu = settings.ReadBool(OptionsSection, "Apercu", true);
    ApercuAttache = settings.ReadBool(OptionsSection, "ApercuAttache", false);
    CouleursVraiesMain = settings.ReadBool(OptionsSection, "CouleursVraiesMain", false);
    CouleursVraiesApercu = settings.ReadBool(OptionsSection, "CouleursVraiesApercu", true);
    OuvrirFenetre = settings.ReadBool(OptionsSection, "OuvrirFenetre", true);

    const int page = settings.ReadInteger(MainWindowSection, "Onglet", PageControl1->currentIndex());
    // Any other number names no page; the design's page then stays.
    if (page >= 0 && page < PageControl1->count())
        PageControl1->setCurrentIndex(page);
    ReadWindowBounds(settings, MainWindowSection, *placement);

    CB_Apercu->setChecked(Apercu != 0);
    CB_ApercuAttache->setChecked(ApercuAttache != 0);
    CB_CouleursPrincipale->setChecked(CouleursVraiesMain != 0);
    CB_CouleursApercu->setChecked(CouleursVraiesApercu != 0);
    CB_OuvrirFenetre->setChecked(OuvrirFenetre != 0);
    for (EditorPanel* panel : Panels())
        panel->ReadSettings(settings);
}

// Restoring a minimized window is no new showing.
void TForm1::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
}

void TForm1::FormShow()
{
    PageControl1->update();
    if (F_Apercu)
        F_Apercu->show();
}

void TForm1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm1::FormActivate()
{
    Activated = 1;
    if (!Apercu && F_Apercu)
        F_Apercu->hide();
}

// A close that would lose changes asks first and may be called off; once
// the window does close, it stays accepted whatever happens to the settings.
void TForm1::closeEvent(QCloseEvent* event)
{
    if (!documents->MayClose()) {
        event->ignore();
        return;
    }
    FormClose();
}

void TForm1::FormClose()
{
    // The per-user configuration folder is made by the first close; one that
    // cannot be made shows as the file that cannot be written.
    if (Paths.perUser)
        QDir().mkpath(QFileInfo(Paths.settingsFile).path());
    try {
        WriteSettings(*this);
    } catch (const IniWriteError& error) {
        // Said once, and the window closes all the same: refusing to close
        // while the file stays unwritable would leave no way out.
        ShowErrorBox(QFile::decodeName(error.what()));
    }
}

void TForm1::CB_ApercuClick()
{
    Apercu = CB_Apercu->isChecked();
    // Before the first activation the showing of the main window decides.
    if (Activated && F_Apercu)
        F_Apercu->setVisible(Apercu != 0);
}

void TForm1::CB_ApercuAttacheClick()
{
    ApercuAttache = CB_ApercuAttache->isChecked();
    if (ApercuAttache)
        timerAttache->start();
    else
        timerAttache->stop();
}

void TForm1::CB_CouleursPrincipaleClick()
{
    CouleursVraiesMain = CB_CouleursPrincipale->isChecked();
    if (isVisible())
        I_Principale->update();
}

void TForm1::CB_CouleursApercuClick()
{
    CouleursVraiesApercu = CB_CouleursApercu->isChecked();
    if (isVisible() && F_Apercu)
        F_Apercu->update();
}

// The export command reads the box itself.
void TForm1::CB_OuvrirFenetreClick()
{
    OuvrirFenetre = CB_OuvrirFenetre->isChecked();
}

// The preview stands against the main window's left edge, tops level, or on
// its other side when the desktop leaves no room on the left; it is put back
// at every tick, shown or not, so moving or resizing either window is undone
// within one interval.
void TForm1::timerAttacheTimer()
{
    if (!F_Apercu)
        return;
    F_Apercu->placement->SetPosition(AttachedPreviewPosition(placement->Bounds(), F_Apercu->placement->Bounds().size(),
                                                             screen()->availableVirtualGeometry()));
}
