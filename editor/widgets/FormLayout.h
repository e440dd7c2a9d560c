// How the main window's controls are made and placed: each at its bounds
// (left, top, width, height inside its parent), named as the code and the
// tests know it, panels raised and headed as the designed ones are.
#pragma once

#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

template <class Control> Control* Place(Control* control, const char* name, int left, int top, int width, int height)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

QFrame* Panel(QWidget* parent, const char* name, int left, int top, int width, int height);
// A caption as wide as its text.
QLabel* Caption(QWidget* parent, const char* name, const QString& text, int left, int top);
// A panel's bold title, centred along its top.
QLabel* Heading(QWidget* parent, const char* name, const QString& text, int width);
QPushButton* Button(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height);
QLineEdit* Edit(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height);
