// The preview window: the main window's Sprite drawn on its own, scaled to
// the window, in a small tool window beside the main one. It holds nothing
// but its window; what it draws and how it comes through PreviewSource, and
// its bounds come from and go to the settings file.
#pragma once

#include <QString>
#include <QWidget>

#include "U_class.h"

class TF_Apercu;
class WindowPlacement;

// What the preview shows, as the main window tells it: the preview reads
// nothing else of that window and sets none of its controls.
class PreviewSource {
public:
    // The frame being edited, or the frame the set plays.
    virtual const Sprite& PreviewSprite() const = 0;
    virtual bool PreviewInTrueColors() const = 0;
    virtual bool PreviewAtTrueSize() const = 0;
    // Masked pixels as a light checkerboard ("Transparence en damier").
    virtual bool PreviewChecksMasks() const = 0;
    // The settings file that keeps the preview's bounds.
    virtual QString PreviewSettingsFile() const = 0;
    // The preview window while it exists, null once it is gone.
    virtual void SetPreviewWindow(TF_Apercu* preview) = 0;

protected:
    ~PreviewSource() = default;
};

// Its section of the settings file.
inline constexpr char PreviewWindowSection[] = "FenetreApercu";

class TF_Apercu : public QWidget {
    Q_OBJECT
public:
    explicit TF_Apercu(PreviewSource& source);
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
    PreviewSource& source_;
};
