// The main window's tab control: Qt's tab widget, whose tab bar lays the
// tabs out on several rows when their captions do not fit on one, as the
// multi-line tab controls of desktop systems do, and never hides a tab behind
// scroll arrows. With one row the bar is Qt's own, drawn and worked by Qt.
// With several, each row holds the next tabs in order, stretched to the
// whole width; the row of the current tab lies against the pages, the others
// above it in turn; and the control grows by the rows added, so that its
// pages keep the size they have under one row.
//
// Coordinates are the bar's own pixels. The rows are counted again at every
// resize of the control.
#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <vector>

class MultiRowTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit MultiRowTabBar(QWidget* parent = nullptr);

    // The room between a caption and its tab's sides, and above and below
    // it, instead of the style's own.
    void SetCaptionPadding(int pixels);

    // The rows the tabs take in the width the bar is given.
    int RowCount() const;
    // Where tab `index` is drawn and takes clicks, in whatever row it is;
    // with one row, Qt's own tabRect.
    QRect TabArea(int index) const;
    // How much taller than one row of tabs the bar is at that width.
    int AddedRowsHeight(int width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Rows {
        std::vector<QRect> areas; // by tab index
        std::vector<int> rowOf;   // by tab index
        int count = 1;
    };
    Rows LayOut(int width) const;
    bool OnOneRow() const { return RowCount() <= 1; }
    // The width the tab widget gives the bar: its own.
    int OfferedWidth() const;
    int RowHeight() const;
    int TabAt(QPoint point) const;
    void SetHovered(int index);

    int hovered_ = -1;
};

class TabControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    MultiRowTabBar* Bar() const { return bar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    MultiRowTabBar* bar_;
    // The height added for the rows beyond the first, and the height this
    // control last gave itself: any other height comes from outside and is
    // the height under one row.
    int addedHeight_ = 0;
    int ownHeight_ = -1;
};
