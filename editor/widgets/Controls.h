// Two small controls of the main window that Qt lacks as such: a flat picture
// button that reports which mouse button pressed it (the palette), and a
// rectangle swatch with a fixed outline that shows a color (the pens); and
// what tells the keys of the window from those of a text box.
#pragma once

#include <QColor>
#include <QKeySequence>
#include <QList>
#include <QToolButton>
#include <QWidget>
#include <functional>

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

// Keys of the window that run command from whatever control has the focus,
// except a text box being typed in, where they keep their meaning for the
// text.
void AddCommandKeys(QWidget* window, const QList<QKeySequence>& keys, std::function<void()> command);

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
