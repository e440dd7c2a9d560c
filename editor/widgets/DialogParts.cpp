#include "DialogParts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

QComboBox* ChoiceBox(const char* objectName, const Choices& choices)
{
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(objectName));
    for (const auto& [text, value] : choices)
        box->addItem(text, value);
    return box;
}

void SelectValue(QComboBox* box, const QString& value)
{
    box->setCurrentIndex(std::max(box->findData(value), 0));
}

QSpinBox* NamedNumberBox(const char* objectName, int minimum, int maximum, int value)
{
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(objectName));
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QPushButton* NamedButton(const char* objectName, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

Choices ArrangementChoices()
{
    return {{QStringLiteral("Un tableau par plan"), QStringLiteral("separate")},
            {QStringLiteral("Un tableau, plan après plan"), QStringLiteral("block")},
            {QStringLiteral("Un tableau, ligne par ligne (entrelacé)"), QStringLiteral("interlaced")}};
}

Choices RowUnitChoices(const QString& openEntry)
{
    return {{openEntry, QString()},
            {QStringLiteral("8 bits"), QStringLiteral("8")},
            {QStringLiteral("16 bits"), QStringLiteral("16")},
            {QStringLiteral("32 bits"), QStringLiteral("32")},
            {QStringLiteral("64 bits"), QStringLiteral("64")},
            {QStringLiteral("Octets (largeur / 8)"), QStringLiteral("bytes")}};
}
