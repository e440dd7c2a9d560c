#include "U_apercu.h"

#include <QPainter>

#include "U_main.h"

TF_Apercu::TF_Apercu(TForm1& mainForm) : QWidget(nullptr, Qt::Tool), mainForm_(mainForm)
{
    setObjectName(QStringLiteral("F_Apercu"));
    setWindowTitle(QStringLiteral("Aperçu"));
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    move(24, 74);
    resize(192, 208);
    I_Apercu = new QWidget(this);
    I_Apercu->setObjectName(QStringLiteral("I_Apercu"));
    I_Apercu->setGeometry(rect());
    I_Apercu->setAttribute(Qt::WA_TransparentForMouseEvents);
    mainForm_.F_Apercu = this;
}

TF_Apercu::~TF_Apercu() { mainForm_.F_Apercu = nullptr; }

void TF_Apercu::paintEvent(QPaintEvent*) { FormPaint(); }

void TF_Apercu::FormPaint()
{
    QPainter painter(this);
    DrawSpriteView(mainForm_, RegionBounds(I_Apercu), mainForm_.sprite, painter, mainForm_.CouleursVraiesApercu != 0);
}

void TF_Apercu::resizeEvent(QResizeEvent*) { I_Apercu->setGeometry(rect()); }
