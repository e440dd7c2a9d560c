#include "U_apercu.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "ViewImage.h"
#include "WindowPlacement.h"

TF_Apercu::TF_Apercu(PreviewSource& source) : QWidget(nullptr, Qt::Tool), source_(source)
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
    ReadWindowBounds(SettingsFileAt(source_.PreviewSettingsFile()), PreviewWindowSection, *placement);
    I_Apercu->setGeometry(rect());
    source_.SetPreviewWindow(this);
    KeepRoomForTrueSize();
}

TF_Apercu::~TF_Apercu()
{
    source_.SetPreviewWindow(nullptr);
}

void TF_Apercu::paintEvent(QPaintEvent*)
{
    FormPaint();
}

void TF_Apercu::FormPaint()
{
    QPainter painter(this);
    const Sprite& shown = source_.PreviewSprite();
    const ViewRegion region = ToViewRegion(I_Apercu->geometry());
    const bool checkerMasked = source_.PreviewChecksMasks();
    if (source_.PreviewAtTrueSize())
        DrawTrueSizeView(painter, region, shown, checkerMasked);
    else
        DrawFittedSprite(painter, region, shown, source_.PreviewInTrueColors(), checkerMasked);
}

// A window grown past the screen's right or bottom edge comes back onto it.
void TF_Apercu::KeepRoomForTrueSize()
{
    const QRect onScreen = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    QSize needed(0, 0);
    if (source_.PreviewAtTrueSize()) {
        const Point spriteSize = source_.PreviewSprite().GetSize();
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
