#include "U_export.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "U_main.h"

TForm2::TForm2(TForm1& mainForm) : QWidget(nullptr, Qt::Tool), mainForm_(mainForm)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Export"));
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(QFont(QStringLiteral("Courier New"), 8));
    move(2, 107);
    resize(688, 319);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Memo1);
    mainForm_.Form2 = this;
}

TForm2::~TForm2() { mainForm_.Form2 = nullptr; }
