// The preview window: the main window's Sprite drawn on its own, scaled to
// the window, in a small tool window beside the main one. It holds nothing
// but its window; what it draws and how comes from the main window, and its
// bounds come from and go to the settings file.
#pragma once

#include <QWidget>

class TForm1;
class WindowPlacement;

// Its section of the settings file.
inline constexpr char PreviewWindowSection[] = "FenetreApercu";

class TF_Apercu : public QWidget {
    Q_OBJECT
public:
    explicit TF_Apercu(TForm1& mainForm);
    ~TF_Apercu() override;

    // Fills the client area; used only for its bounds.
    QWidget* I_Apercu;
    // The window's outer bounds, as the settings file keeps them.
    WindowPlacement* placement;

    void FormPaint();
    // While the preview shows the sprite at its true size, its client area
    // is kept at least as large as the sprite, as far as the screen allows,
    // so that the sprite shows whole; it grows when it is smaller.
    void KeepRoomForTrueSize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TForm1& mainForm_;
};
