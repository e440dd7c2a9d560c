// Parts that the editor's dialogs laid out by Qt's layouts share: drop-down
// lists of (text, value) choices named for the tests, the choice of a value,
// the row of buttons at the bottom right, and the lists of a data layout's
// options that both data dialogs offer.
#pragma once

#include <QString>
#include <initializer_list>
#include <utility>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QPushButton;
class QSpinBox;

using Choices = std::vector<std::pair<QString, QString>>; // text shown, value

QComboBox* ChoiceBox(const char* objectName, const Choices& choices);
// Chooses the item of that value, or the first one when there is none.
void SelectValue(QComboBox* box, const QString& value);
// A spin box of that range and value, named for the tests.
QSpinBox* NamedNumberBox(const char* objectName, int minimum, int maximum, int value);
// A push button named for the tests.
QPushButton* NamedButton(const char* objectName, const QString& text);
// The buttons, right-aligned, in order.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);

// How the planes share the arrays: separate, block, interlaced.
Choices ArrangementChoices();
// The row units, after a first entry of value "" that leaves it open.
Choices RowUnitChoices(const QString& openEntry);
