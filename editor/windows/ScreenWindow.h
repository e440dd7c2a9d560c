// "Écran de calculatrice": the frame being edited (or the set playing, or a
// text in a font) on the screen of a TI-89, TI-92 Plus or V200 as the
// sprite routines draw it, composed by ScreenScene and shown at an integer
// zoom. The user moves the frame by dragging it or with the arrow keys
// (Shift: 8 pixels); the position, model, zoom and mode are kept in the
// settings file's section "EcranCalculatrice". View coordinates: screen
// pixels times the zoom, (0, 0) top-left of the screen.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "ScreenScene.h"
#include "SpriteDocument.h"

class IniFile;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimer;
class ScreenView;

// What the settings file keeps of the window, valid once read: the window
// is built only when first shown, so its choices live on without it.
struct ScreenChoices {
    int model = 1; // index in the model list: TI-92 Plus
    int zoom = 2;
    int mode = 0; // 0: the sprite as drawn, else a routine's mode
    Point position{0, 0};

    static ScreenChoices Read(const IniFile& settings);
    void Write(const IniFile& settings) const;
};

class ScreenWindow : public QWidget {
public:
    // frameDelay: the animation's delay between frames, in milliseconds.
    ScreenWindow(const SpriteDocument& document, std::function<int()> frameDelay, QWidget* parent = nullptr);
    ~ScreenWindow() override;

    // The document changed: the screen is composed afresh at once.
    void ShowFrameChange();
    void Apply(const ScreenChoices& choices);
    ScreenChoices Choices() const;

    Point Position() const { return scene_.position; }
    // The screen as the view shows it, at zoom 1.
    CalculatorScreen ComposedScreen() const;

    // Handlers of the view.
    void ViewMouseDown(Point viewPoint);
    void ViewMouseMove(Point viewPoint);
    void ViewKeyDown(int key, bool shift);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    void ChooseBackground(int index);
    void ChooseFont();
    void PlayToggled(bool playing);
    void FlickerToggled(bool flickering);
    void MoveTo(Point position);
    void Redraw();
    const Sprite& ShownFrame() const;
    bool TextShown() const;
    SceneText Text() const;

    const SpriteDocument& document_;
    std::function<int()> frameDelay_;
    ScreenScene scene_;
    int zoom_ = ScreenChoices().zoom;
    std::unique_ptr<Sprite> background_;
    FrameList font_;
    int playedFrame_ = 0;
    int flickerPhase_ = 0;
    Point dragStart_{0, 0};
    Point dragPressed_{0, 0};
    FileDialog backgroundDialog_;
    FileDialog fontDialog_;

    QComboBox* CB_ModeleEcran;
    QSpinBox* E_ZoomEcran;
    QComboBox* CB_ModeEcran;
    QComboBox* CB_FondEcran;
    QLabel* L_PositionEcran;
    QCheckBox* CB_JouerPlanche;
    QCheckBox* CB_Scintillement;
    QLineEdit* E_TexteEcran;
    QLineEdit* E_PremierCaractere;
    QCheckBox* CB_Proportionnelle;
    QLabel* L_EtatEcran;
    ScreenView* view_;
    QTimer* timerJouer;
    QTimer* timerScintillement;
};
