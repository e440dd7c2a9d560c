// Drawing the sprite into a view region, and the colors of the view and of
// the pen swatches.
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include "Controls.h"
#include "U_main.h"
#include "ViewColors.h"
#include "ViewGeometry.h"
#include "ViewImage.h"
#include "ViewPanel.h"

QRect RegionBounds(const QWidget* region)
{
    return region->geometry();
}

QString TypeText(int8_t spriteType)
{
    switch (spriteType) {
    case BlackWhite:
        return QStringLiteral("Type: Noir && Blanc");
    case Grayscale:
        return QStringLiteral("Type: niveaux de gris");
    case BlackWhiteMasked:
        return QStringLiteral("Type: Noir && Blanc maské");
    default:
        return QStringLiteral("Type: niveaux de gris maské");
    }
}

namespace {

// The label's box is sized for its longest text in the window's designed
// font; where the system's font draws that text wider, the text is narrowed
// to the box instead of being cut at both ends.
void NarrowTextToFit(QLabel& label)
{
    QFont font = label.font();
    font.setStretch(QFont::Unstretched);
    const int advance = QFontMetrics(font).horizontalAdvance(label.text());
    if (advance > label.width())
        font.setStretch(label.width() * QFont::Unstretched / advance);
    label.setFont(font);
}

} // namespace

// Label2 has no buddy, so Qt shows an ampersand as written: the doubled one
// of the type texts is undone for display.
void ShowSpriteType(TForm1& form, const Sprite& sprite)
{
    const QString text = TypeText(sprite.GetType()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (form.Label2->text() == text)
        return; // every paint comes here: the label is measured once a text
    form.Label2->setText(text);
    NarrowTextToFit(*form.Label2);
}

// "Transparence en damier" shows masked cells as a checkerboard; off, the
// view is the designed one.
void DrawSpriteView(TForm1& form, const QRect& region, const Sprite& sprite, QPainter& painter, bool trueColors)
{
    ShowSpriteType(form, sprite);
    DrawFittedSprite(painter, ToViewRegion(region), sprite, trueColors, form.viewPanel->TransparenceDamier != 0);
}

void TForm1::ShowButtonPens()
{
    Shape1->setFill(PaletteColor(ButtonPen[0], false));
    Shape2->setFill(PaletteColor(ButtonPen[1], false));
    Shape3->setFill(PaletteColor(ButtonPen[2], false));
}

// Qt erases what it repaints of the view to the window's background before
// painting, so a repaint request of the inside of the region (its one-pixel
// ring kept) clears it of cells that a larger grid left there. Asked of the
// view itself, it joins the view's own repaint in one.
void TForm1::ClearSpriteView(QWidget* region)
{
    region->update(region->rect().adjusted(1, 1, -1, -1));
}
