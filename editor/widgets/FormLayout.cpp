#include "FormLayout.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QFrame* Panel(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* panel = Place(new QFrame(parent), name, left, top, width, height);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    return panel;
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel* Heading(QWidget* parent, const char* name, const QString& text, int width)
{
    auto* label = Place(new QLabel(text, parent), name, 4, 6, width - 8, 30);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    return Place(new QPushButton(text, parent), name, left, top, width, height);
}

QLineEdit* Edit(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    return Place(new QLineEdit(text, parent), name, left, top, width, height);
}
