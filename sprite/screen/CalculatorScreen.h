// The screen of a calculator as its sprite routines leave it: two bit planes
// of 240 x 128 pixels (light and dark, as the gray routine keeps them), of
// which a TI-89 shows the top-left 160 x 100 and a TI-92 Plus or a V200 the
// whole. Sprites are drawn onto the planes by the rules of the library's
// routines (DrawMode), each pixel of the sprite's box that falls outside the
// model's screen dropped, as the clipping routines do.
//
// Screen coordinates, (0, 0) top-left; a sprite may be placed anywhere from
// -10000 to 10000 on either axis. The colors are those of the liquid-crystal
// screen, where a pixel's darkness is the time its planes are shown:
// (2 x dark + light) / 3.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ImageConversion.h"
#include "TileMap.h"
#include "U_class.h"

enum class CalculatorModel { Ti89, Ti92Plus, V200 };

// The command line's names (ti89, ti92p, v200), and the window's (TI-89...).
std::optional<CalculatorModel> ModelFromName(const std::string& name);
const char* ModelLabel(CalculatorModel model);
// 160 x 100 for the TI-89, 240 x 128 for the others.
Point ScreenSizeOf(CalculatorModel model);

// The routines' rules, per plane and per pixel of the sprite's box, with b the
// screen's bit, s the sprite's bit (0 where masked) and m the mask bit (1 =
// transparent): or b|s, xor b^s, and b&s, mask (b&m)|s, replace s,
// transparent white: b where the sprite's pixel is white in both planes (a
// masked pixel is), else s; transparent black: b where it is black in both.
enum class DrawMode { Or, Xor, And, Mask, Replace, TransparentWhite, TransparentBlack };

// The command line's names: or, xor, and, mask, replace, tranw, tranb.
std::optional<DrawMode> DrawModeFromName(const std::string& name);
const char* DrawModeName(DrawMode mode);
// What a sprite is drawn with when nothing else is asked: mask for a masked
// sprite, or otherwise.
DrawMode DefaultDrawMode(const Sprite& sprite);

// The farthest a sprite may be placed from the screen's corner.
constexpr int MaxScreenOffset = 10000;

struct ScreenRgb {
    uint8_t r, g, b;
};
inline bool operator==(ScreenRgb a, ScreenRgb b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
// The screen's four colors, indexed by a PixelColor (bit 0 the light plane,
// bit 1 the dark one): white, light gray, dark gray, black.
extern const std::array<ScreenRgb, 4> ScreenColors;

class CalculatorScreen {
public:
    static constexpr int PlaneWidth = MaxWidth;
    static constexpr int PlaneHeight = MaxHeight;
    static constexpr int RowBytes = PlaneWidth / 8; // 30, leftmost pixel in the high bit as in the LCD memory
    using Plane = std::array<uint8_t, RowBytes * PlaneHeight>;

    explicit CalculatorScreen(CalculatorModel model = CalculatorModel::Ti92Plus);

    CalculatorModel Model() const { return model_; }
    Point Size() const { return ScreenSizeOf(model_); }

    // Both planes cleared: a white screen.
    void Clear();
    // Both planes of one pixel, from a PixelColor; ignored off the planes.
    void SetPixel(int x, int y, PixelColor color);
    // The pixel's two bits as a PixelColor; white off the planes.
    PixelColor PixelAt(int x, int y) const;
    bool LightBit(int x, int y) const { return Bit(light_, x, y); }
    bool DarkBit(int x, int y) const { return Bit(dark_, x, y); }

    // The sprite's box (its current size) with its top-left corner at
    // (x, y), clipped to the model's screen. A position beyond
    // MaxScreenOffset is taken as that far.
    void DrawSprite(const Sprite& sprite, int x, int y, DrawMode mode);

private:
    static bool Bit(const Plane& plane, int x, int y);
    static void PutBit(Plane& plane, int x, int y, bool bit);

    CalculatorModel model_;
    Plane light_{};
    Plane dark_{};
};

// A background drawn from 0,0 with replace onto a white screen: a
// calculator picture (its pixels black in both planes) or a sprite.
void DrawBackground(CalculatorScreen& screen, const Sprite& background);
// What of a drawn tile map a background shows: its top-left 240 x 128 at
// most, the rest being past the screen's planes.
std::unique_ptr<Sprite> ScreenPartOfMap(const TileMap& map);

// The model's screen in its colors, each pixel scale x scale, fully opaque.
RgbaImage ScreenPicture(const CalculatorScreen& screen, int scale);

// The gray routine shows the dark plane for two periods and the light plane
// for one: phase 0 and 1 show the dark plane, phase 2 the light plane, each
// a black-and-white picture in the screen's white and black.
constexpr int FlickerPhases = 3;
RgbaImage FlickerPicture(const CalculatorScreen& screen, int phase, int scale);
