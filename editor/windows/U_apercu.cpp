#include "U_apercu.h"

#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "U_main.h"
#include "ViewImage.h"
#include "WindowPlacement.h"

TF_Apercu::TF_Apercu(TForm1& mainForm) : QWidget(nullptr, Qt::Tool), mainForm_(mainForm)
{
    setObjectName(QStringLiteral("F_Apercu"));
    setWindowTitle(QStringLiteral("Aperçu"));
    // Only the main window's closing ends the program; the preview's own
    // close box merely hides it.
    setAttribute(Qt::WA_QuitOnClose, false);
    // It only shows the sprite, so showing it never takes the keyboard from
    // the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    I_Apercu = new QWidget(this);
    I_Apercu->setObjectName(QStringLiteral("I_Apercu"));
    I_Apercu->setAttribute(Qt::WA_TransparentForMouseEvents);

    placement = new WindowPlacement(*this);
    placement->SetPosition({24, 74});
    placement->SetWidth(192);
    placement->SetHeight(208);
    ReadWindowBounds(SettingsFileAt(mainForm_.Paths.settingsFile), PreviewWindowSection, *placement);
    I_Apercu->setGeometry(rect());
    mainForm_.F_Apercu = this;
    KeepRoomForTrueSize();
}

TF_Apercu::~TF_Apercu()
{
    mainForm_.F_Apercu = nullptr;
}

void TF_Apercu::paintEvent(QPaintEvent*)
{
    FormPaint();
}

void TF_Apercu::FormPaint()
{
    QPainter painter(this);
    const Sprite& shown = mainForm_.PreviewSprite();
    if (mainForm_.ApercuTailleReelle) {
        ShowSpriteType(mainForm_, mainForm_.sprite);
        DrawTrueSizeView(painter, ToViewRegion(RegionBounds(I_Apercu)), shown);
        return;
    }
    DrawSpriteView(mainForm_, RegionBounds(I_Apercu), shown, painter, mainForm_.CouleursVraiesApercu != 0);
    // While the set plays, the type label still speaks of the frame edited.
    if (&shown != &mainForm_.sprite)
        ShowSpriteType(mainForm_, mainForm_.sprite);
}

// A window grown past the screen's right or bottom edge comes back onto it.
void TF_Apercu::KeepRoomForTrueSize()
{
    const QRect onScreen = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    QSize needed(0, 0);
    if (mainForm_.ApercuTailleReelle) {
        const Point spriteSize = mainForm_.sprite.GetSize();
        needed = QSize(spriteSize.x, spriteSize.y).boundedTo(onScreen.size() - frame);
    }
    if (needed == minimumSize())
        return;
    const QRect before = placement->Bounds();
    setMinimumSize(needed);
    const QRect after = placement->Bounds();
    if (after.size() == before.size())
        return;
    const int left = std::max(std::min(after.left(), onScreen.right() + 1 - after.width()), onScreen.left());
    const int top = std::max(std::min(after.top(), onScreen.bottom() + 1 - after.height()), onScreen.top());
    if (left != after.left() || top != after.top())
        placement->SetPosition({left, top});
}

void TF_Apercu::resizeEvent(QResizeEvent*)
{
    I_Apercu->setGeometry(rect());
}
