// A row of small pictures of the frames of a set, left to right in their
// order, the current one framed; a click on a picture asks to go to that
// frame and the wheel scrolls the row. At its right end, "Vue d'ensemble"
// asks for all the frames at once. Widget coordinates. It keeps no copy
// of the frames: every paint draws the pictures it shows from the set, so
// it follows whatever changed them.
#pragma once

#include <QWidget>
#include <functional>

class QPainter;
class QPushButton;
class QRect;
class SpriteSet;

// What shows through the masked pixels of a frame's picture, here and in the
// overview: white, or with checkerMasked the views' light checkerboard, in
// squares from the picture's top-left corner.
void FillUnderFramePicture(QPainter& painter, const QRect& place, bool checkerMasked);

class FrameStrip : public QWidget {
public:
    // A picture and its frame fit this height, margins included.
    static constexpr int StripHeight = 38;

    FrameStrip(const SpriteSet& frames, QWidget* parent);

    // Called with the index of the frame clicked.
    std::function<void(int)> frameClicked;
    QPushButton* B_VueEnsemble;
    // Masked pixels over a light checkerboard instead of white.
    bool checkerMasked = false;

    // Where frame index is drawn, empty when it is scrolled out of view.
    QRect PictureRect(int index) const;
    // The frame whose picture holds the point, or -1.
    int FrameAt(QPoint point) const;
    // Scrolls the row so that the current frame shows.
    void ShowCurrent();
    // Draws the current frame's picture again, after its pixels changed.
    void ShowCurrentPixels();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize PictureSize() const;
    int Step() const;
    int ShownCount() const;
    void ScrollTo(int first);

    const SpriteSet& frames_;
    int first_ = 0;
};
