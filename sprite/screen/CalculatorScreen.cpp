#include "CalculatorScreen.h"

#include <algorithm>
#include <cmath>

namespace {

struct ModelEntry {
    CalculatorModel value;
    const char* name;
    const char* label;
};
constexpr ModelEntry Models[] = {
    {CalculatorModel::Ti89, "ti89", "TI-89"},
    {CalculatorModel::Ti92Plus, "ti92p", "TI-92 Plus"},
    {CalculatorModel::V200, "v200", "V200"},
};

struct ModeEntry {
    DrawMode value;
    const char* name;
};
constexpr ModeEntry Modes[] = {
    {DrawMode::Or, "or"},
    {DrawMode::Xor, "xor"},
    {DrawMode::And, "and"},
    {DrawMode::Mask, "mask"},
    {DrawMode::Replace, "replace"},
    {DrawMode::TransparentWhite, "tranw"},
    {DrawMode::TransparentBlack, "tranb"},
};

// The entry of a table of names with this name, or with this value.
template <typename Entry, std::size_t N> const Entry* EntryNamed(const Entry (&table)[N], const std::string& name)
{
    const Entry* found = std::find_if(table, table + N, [&name](const Entry& entry) { return name == entry.name; });
    return found == table + N ? nullptr : found;
}
template <typename Entry, std::size_t N, typename Value> const Entry& EntryOf(const Entry (&table)[N], Value value)
{
    const Entry* found = std::find_if(table, table + N, [value](const Entry& entry) { return entry.value == value; });
    return found == table + N ? table[0] : *found;
}

constexpr ScreenRgb ScreenWhite{207, 224, 204};
constexpr ScreenRgb ScreenBlack{34, 46, 49};

// white + k/3 x (black - white), each channel rounded to the nearest.
uint8_t Between(uint8_t white, uint8_t black, int thirds)
{
    return static_cast<uint8_t>(std::lround(white + thirds * (black - white) / 3.0));
}
ScreenRgb GrayOfThirds(int thirds)
{
    return {Between(ScreenWhite.r, ScreenBlack.r, thirds), Between(ScreenWhite.g, ScreenBlack.g, thirds),
            Between(ScreenWhite.b, ScreenBlack.b, thirds)};
}

// One plane's bit after the rule; white and black say whether the sprite's
// pixel is stored white (or masked) or black in both planes.
bool RuleBit(DrawMode mode, bool b, bool s, bool m, bool white, bool black)
{
    switch (mode) {
    case DrawMode::Or:
        return b | s;
    case DrawMode::Xor:
        return b ^ s;
    case DrawMode::And:
        return b & s;
    case DrawMode::Mask:
        return (b & m) | s;
    case DrawMode::Replace:
        return s;
    case DrawMode::TransparentWhite:
        return white ? b : s;
    case DrawMode::TransparentBlack:
        return black ? b : s;
    }
    return b;
}

// Each screen pixel scale x scale times, in the color pick gives it.
template <typename Pick> RgbaImage ScaledPicture(const CalculatorScreen& screen, int scale, Pick pick)
{
    const Point size = screen.Size();
    RgbaImage image(size.x * scale, size.y * scale);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const ScreenRgb color = pick(x / scale, y / scale);
            uint8_t* pixel = image.At(x, y);
            pixel[0] = color.r;
            pixel[1] = color.g;
            pixel[2] = color.b;
            pixel[3] = 255;
        }
    return image;
}

} // namespace

const std::array<ScreenRgb, 4> ScreenColors{ScreenWhite, GrayOfThirds(1), GrayOfThirds(2), ScreenBlack};

std::optional<CalculatorModel> ModelFromName(const std::string& name)
{
    const ModelEntry* entry = EntryNamed(Models, name);
    return entry ? std::optional(entry->value) : std::nullopt;
}

const char* ModelLabel(CalculatorModel model)
{
    return EntryOf(Models, model).label;
}

Point ScreenSizeOf(CalculatorModel model)
{
    return model == CalculatorModel::Ti89 ? Point{160, 100} : Point{240, 128};
}

std::optional<DrawMode> DrawModeFromName(const std::string& name)
{
    const ModeEntry* entry = EntryNamed(Modes, name);
    return entry ? std::optional(entry->value) : std::nullopt;
}

const char* DrawModeName(DrawMode mode)
{
    return EntryOf(Modes, mode).name;
}

DrawMode DefaultDrawMode(const Sprite& sprite)
{
    const SpriteType type = sprite.GetType();
    return type == BlackWhiteMasked || type == GrayscaleMasked ? DrawMode::Mask : DrawMode::Or;
}

CalculatorScreen::CalculatorScreen(CalculatorModel model) : model_(model) {}

void CalculatorScreen::Clear()
{
    light_.fill(0);
    dark_.fill(0);
}

bool CalculatorScreen::Bit(const Plane& plane, int x, int y)
{
    if (x < 0 || x >= PlaneWidth || y < 0 || y >= PlaneHeight)
        return false;
    return (plane[y * RowBytes + x / 8] >> (7 - x % 8)) & 1;
}

void CalculatorScreen::PutBit(Plane& plane, int x, int y, bool bit)
{
    uint8_t& byte = plane[y * RowBytes + x / 8];
    const uint8_t mask = static_cast<uint8_t>(0x80 >> (x % 8));
    byte = bit ? byte | mask : byte & ~mask;
}

void CalculatorScreen::SetPixel(int x, int y, PixelColor color)
{
    if (x < 0 || x >= PlaneWidth || y < 0 || y >= PlaneHeight)
        return;
    PutBit(light_, x, y, color & 1);
    PutBit(dark_, x, y, color & 2);
}

PixelColor CalculatorScreen::PixelAt(int x, int y) const
{
    return static_cast<PixelColor>(LightBit(x, y) | DarkBit(x, y) << 1);
}

void CalculatorScreen::DrawSprite(const Sprite& sprite, int x, int y, DrawMode mode)
{
    x = std::clamp(x, -MaxScreenOffset, MaxScreenOffset);
    y = std::clamp(y, -MaxScreenOffset, MaxScreenOffset);
    const Point screen = Size();
    // The part of the box on the screen, in sprite coordinates.
    const int left = std::max(0, -x), right = std::min(sprite.width, screen.x - x);
    const int top = std::max(0, -y), bottom = std::min(sprite.height, screen.y - y);
    for (int sx = left; sx < right; ++sx)
        for (int sy = top; sy < bottom; ++sy) {
            const int8_t cell = sprite.cells[CellIndex(sx, sy)];
            const bool masked = IsMaskedCell(cell);
            const int color = masked ? White : ColorOfCell(cell);
            const bool white = color == White, black = color == Black;
            const int px = x + sx, py = y + sy;
            PutBit(light_, px, py, RuleBit(mode, Bit(light_, px, py), color & 1, masked, white, black));
            PutBit(dark_, px, py, RuleBit(mode, Bit(dark_, px, py), color & 2, masked, white, black));
        }
}

void DrawBackground(CalculatorScreen& screen, const Sprite& background)
{
    screen.Clear();
    screen.DrawSprite(background, 0, 0, DrawMode::Replace);
}

RgbaImage ScreenPicture(const CalculatorScreen& screen, int scale)
{
    return ScaledPicture(screen, scale, [&screen](int x, int y) { return ScreenColors[screen.PixelAt(x, y)]; });
}

RgbaImage FlickerPicture(const CalculatorScreen& screen, int phase, int scale)
{
    const bool showsDark = phase % FlickerPhases != 2;
    return ScaledPicture(screen, scale, [&screen, showsDark](int x, int y) {
        const bool on = showsDark ? screen.DarkBit(x, y) : screen.LightBit(x, y);
        return on ? ScreenColors[Black] : ScreenColors[White];
    });
}
