// All the frames of a set at once, for sets far longer than the frame row:
// a grid of pictures in reading order, each the frame at the largest whole
// scale that fits a thumbnail (never smoothed, never below one screen pixel
// per sprite pixel), the current one framed. A click asks to go to a frame;
// a picture dragged onto another asks to move it to that place. Like the
// frame row it keeps no copy of the frames and draws, at every paint, only
// the rows in sight. Widget coordinates of the grid, (0, 0) top-left.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QScrollArea;
class SpriteSet;

class FrameGrid : public QWidget {
public:
    FrameGrid(const SpriteSet& frames, QWidget* parent);

    // Called with the index of the frame clicked.
    std::function<void(int)> frameClicked;
    // Called when the picture of frame from is dropped on place to.
    std::function<void(int from, int to)> frameDropped;
    // Called while a picture is dragged, with the place to keep in sight.
    std::function<void(QRect)> dragShows;
    // Masked pixels over a light checkerboard instead of white.
    bool checkerMasked = false;

    // Screen pixels per sprite pixel.
    int Scale() const;
    int Columns() const;
    // Where frame index is drawn.
    QRect PictureRect(int index) const;
    // The frame whose cell holds the point, or -1.
    int FrameAt(QPoint point) const;
    // Takes the height that its frames need at this width.
    void FitWidth(int width);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize PictureSize() const;
    QSize CellSize() const;
    // The place a drop at the point goes to: the frame under it, or the
    // nearest place of the grid.
    int PlaceAt(QPoint point) const;

    const SpriteSet& frames_;
    int pressed_ = -1;
    QPoint pressPoint_;
    int dropPlace_ = -1; // while a picture is dragged
};

// The window of the grid, scrollable, with the count of frames and the
// sheet export below it.
class FrameOverview : public QWidget {
public:
    FrameOverview(const SpriteSet& frames, QWidget* parent);

    FrameGrid* grid;
    QPushButton* B_ExporterPlanche;

    // After frames were added, removed, moved, or another became current:
    // the grid's size, the current frame in sight.
    void ShowFrames();
    // After the pixels of the current frame changed.
    void ShowPixels();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const SpriteSet& frames_;
    QScrollArea* scroll_;
    QLabel* count_;
};
