// Two small controls of the main window that Qt lacks as such: a flat picture
// button that reports which mouse button pressed it (the palette), and a
// rectangle swatch with a fixed outline that shows a color (the pens).
#pragma once

#include <QColor>
#include <QToolButton>
#include <QWidget>

class PaletteButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;

signals:
    // Qt::LeftButton, Qt::RightButton or Qt::MiddleButton.
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// Whether the widget is a text box the user can type in: there keys keep
// their meaning for the text. Read-only boxes have no text undo or cursor
// keys of their own, so the window's shortcuts act there.
bool IsTextEditing(const QWidget* widget);
// Any text box, read-only ones too: they copy their selected text, so
// Ctrl+C is theirs.
bool IsTextBox(const QWidget* widget);

class Swatch : public QWidget {
public:
    Swatch(QColor outline, QWidget* parent);
    void setFill(QColor fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor outline_;
    QColor fill_ = Qt::white;
};

