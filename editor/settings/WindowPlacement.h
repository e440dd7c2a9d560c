// Where a top-level window stands and how big it is, told by its outer
// bounds: frame included, in screen pixels, as the settings file keeps them.
// Qt sizes a window by its client area and learns the frame only once the
// window system shows the window, so an outer size set before that is
// remembered, and the client area is corrected as soon as the frame is
// known, until something else resizes the window. Positions and sizes are
// not checked against the screen; they are only held within the window
// system's coordinate range, and the client area keeps at least one pixel.
#pragma once

#include <QObject>
#include <QRect>
#include <optional>
#include <string>

#include "IniFile.h"

class QWidget;

// X11 coordinates and window sizes are 16-bit; Qt's own rectangle arithmetic
// would also overflow near the int limits.
constexpr int WindowCoordinateLimit = 32767;

class WindowPlacement : public QObject {
public:
    // Becomes a child of the window and watches its events.
    explicit WindowPlacement(QWidget& window);

    QRect Bounds() const;
    // Each changes only what it names; asking for the value the window
    // already has changes nothing.
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void SetPosition(QPoint topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSize FrameExtent() const;
    bool WindowExists() const;
    void PinFrameAt(QPoint frameTopLeft);
    void ApplyWantedSize();
    void KeepWantedSize();

    QWidget& window_;
    // Where the frame goes once the window exists.
    std::optional<QPoint> positionBeforeShowing_;
    std::optional<int> wantedWidth_;
    std::optional<int> wantedHeight_;
    // The frame and client size of the last correction, to see a new frame
    // or a resize by someone else.
    QSize frameAtLastSize_;
    QSize clientAtLastSize_;
};

// Where the attached preview window stands, by outer bounds: against the
// main window's left edge, tops level, as long as a quarter of its width at
// least lies on the desktop (`desktop`, the free area of its screens); when
// the main window stands at the desktop's left edge or fills it, against the
// main window's right edge if the preview fits there whole; else at the
// desktop's left edge, over the main window.
QPoint AttachedPreviewPosition(const QRect& main, QSize preview, const QRect& desktop);

// The settings file at a path as Qt holds it.
IniFile SettingsFileAt(const QString& path);

// The keys "X", "Y", "Largeur" and "Hauteur" of a section, each read with
// the window's current value as default and applied at once.
void ReadWindowBounds(const IniFile& settings, const std::string& section, WindowPlacement& placement);
void WriteWindowBounds(const IniFile& settings, const std::string& section, const WindowPlacement& placement);
