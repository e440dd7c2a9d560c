#include "WindowPlacement.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

int WithinCoordinateRange(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, -WindowCoordinateLimit - 1, WindowCoordinateLimit));
}

int WithinSizeRange(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, 0, WindowCoordinateLimit));
}

// Qt does not show a window with an empty client area at all, which would
// leave the user no window to close.
int ClientExtent(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, 1, WindowCoordinateLimit));
}

} // namespace

WindowPlacement::WindowPlacement(QWidget& window) : QObject(&window), window_(window)
{
    window_.installEventFilter(this);
}

// Until a window exists, and again once it is closed, a position given to
// it is its frame's: pos() reports it so, while frameGeometry() would shift
// it by the last frame known.
QRect WindowPlacement::Bounds() const
{
    return QRect(window_.pos(), window_.frameGeometry().size());
}

bool WindowPlacement::WindowExists() const
{
    return window_.testAttribute(Qt::WA_WState_Created);
}

QSize WindowPlacement::FrameExtent() const
{
    return window_.frameGeometry().size() - window_.size();
}

// move() places a top-level window by its frame, also before it has one.
void WindowPlacement::SetPosition(QPoint topLeft)
{
    const QPoint frameTopLeft(WithinCoordinateRange(topLeft.x()), WithinCoordinateRange(topLeft.y()));
    window_.move(frameTopLeft);
    if (WindowExists())
        PinFrameAt(frameTopLeft);
    else
        positionBeforeShowing_ = frameTopLeft;
}

// Once a window exists, Qt moves and resizes it by its client area, and some
// platforms (Qt's offscreen one among them) then push a client area that
// would start left of or above the screen back onto it. Placing the frame
// itself as well keeps the position asked for.
void WindowPlacement::PinFrameAt(QPoint frameTopLeft)
{
    QWindow* handle = window_.windowHandle();
    if (handle && WindowExists())
        handle->setFramePosition(frameTopLeft);
}

void WindowPlacement::SetLeft(int left)
{
    if (left != Bounds().left())
        SetPosition({left, Bounds().top()});
}

void WindowPlacement::SetTop(int top)
{
    if (top != Bounds().top())
        SetPosition({Bounds().left(), top});
}

void WindowPlacement::SetWidth(int width)
{
    if (width == Bounds().width())
        return;
    wantedWidth_ = WithinSizeRange(width);
    ApplyWantedSize();
}

void WindowPlacement::SetHeight(int height)
{
    if (height == Bounds().height())
        return;
    wantedHeight_ = WithinSizeRange(height);
    ApplyWantedSize();
}

void WindowPlacement::ApplyWantedSize()
{
    const QSize frame = FrameExtent();
    const int width = wantedWidth_ ? ClientExtent(*wantedWidth_ - frame.width()) : window_.width();
    const int height = wantedHeight_ ? ClientExtent(*wantedHeight_ - frame.height()) : window_.height();
    frameAtLastSize_ = frame;
    // Known before resizing: the resize's own event must not read as a foreign one.
    clientAtLastSize_ = QSize(width, height).expandedTo(window_.minimumSize()).boundedTo(window_.maximumSize());
    const QPoint frameTopLeft = Bounds().topLeft();
    window_.resize(width, height);
    PinFrameAt(frameTopLeft);
    clientAtLastSize_ = window_.size();
}

void WindowPlacement::KeepWantedSize()
{
    if (window_.size() != clientAtLastSize_) {
        wantedWidth_.reset();
        wantedHeight_.reset();
    } else if (FrameExtent() != frameAtLastSize_) {
        ApplyWantedSize();
    }
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return false;
    const QEvent::Type type = event->type();
    // Showing places the new window by its client area once more after
    // this event, so the frame is placed when the showing is over.
    if (type == QEvent::Show && positionBeforeShowing_) {
        QTimer::singleShot(0, this, [this, frameTopLeft = *positionBeforeShowing_] { PinFrameAt(frameTopLeft); });
        positionBeforeShowing_.reset();
    }
    const bool geometryNews = type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show;
    if (geometryNews && (wantedWidth_ || wantedHeight_))
        KeepWantedSize();
    return false;
}

QPoint AttachedPreviewPosition(const QRect& main, QSize preview, const QRect& desktop)
{
    const int leftOfMain = main.left() - preview.width();
    const int shown = std::min(main.left(), desktop.right() + 1) - std::max(leftOfMain, desktop.left());
    if (4 * shown >= preview.width())
        return {leftOfMain, main.top()};
    const int rightOfMain = main.right() + 1;
    if (rightOfMain >= desktop.left() && rightOfMain + preview.width() <= desktop.right() + 1)
        return {rightOfMain, main.top()};
    return {desktop.left(), main.top()};
}

IniFile SettingsFileAt(const QString& path)
{
    return IniFile(QFile::encodeName(path).toStdString());
}

void ReadWindowBounds(const IniFile& settings, const std::string& section, WindowPlacement& placement)
{
    placement.SetLeft(settings.ReadInteger(section, "X", placement.Bounds().left()));
    placement.SetTop(settings.ReadInteger(section, "Y", placement.Bounds().top()));
    placement.SetWidth(settings.ReadInteger(section, "Largeur", placement.Bounds().width()));
    placement.SetHeight(settings.ReadInteger(section, "Hauteur", placement.Bounds().height()));
}

void WriteWindowBounds(const IniFile& settings, const std::string& section, const WindowPlacement& placement)
{
    const QRect bounds = placement.Bounds();
    settings.WriteInteger(section, "X", bounds.left());
    settings.WriteInteger(section, "Y", bounds.top());
    settings.WriteInteger(section, "Largeur", bounds.width());
    settings.WriteInteger(section, "Hauteur", bounds.height());
}
