#include "CalculatorScreen.h"

#include <algorithm>
#include <cmath>

#include "sheet.h"

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

// Eight pixels of one plane after the rule, bit by bit as the routines do
// it; cover marks the pixels of the sprite's box, white and black those
// stored white (or masked) and black in both planes.
uint8_t RuleByte(DrawMode mode, uint8_t b, uint8_t s, uint8_t m, uint8_t white, uint8_t black, uint8_t cover)
{
    uint8_t drawn = b;
    switch (mode) {
    case DrawMode::Or:
        drawn = b | s;
        break;
    case DrawMode::Xor:
        drawn = b ^ s;
        break;
    case DrawMode::And:
        drawn = b & s;
        break;
    case DrawMode::Mask:
        drawn = (b & m) | s;
        break;
    case DrawMode::Replace:
        drawn = s;
        break;
    case DrawMode::TransparentWhite:
        drawn = (b & white) | (s & ~white);
        break;
    case DrawMode::TransparentBlack:
        drawn = (b & black) | (s & ~black);
        break;
    }
    return static_cast<uint8_t>((b & ~cover) | (drawn & cover));
}

// One row of a sprite laid on the screen's bytes, from the first byte it
// touches.
struct RowBits {
    static constexpr int MaxBytes = CalculatorScreen::RowBytes;
    uint8_t light[MaxBytes], dark[MaxBytes], mask[MaxBytes], white[MaxBytes], black[MaxBytes], cover[MaxBytes];

    void Clear(int count)
    {
        for (uint8_t* bits : {light, dark, mask, white, black, cover})
            std::fill(bits, bits + count, 0);
    }
    void Put(int byte, uint8_t bit, int8_t cell)
    {
        const bool masked = IsMaskedCell(cell);
        const int color = masked ? White : ColorOfCell(cell);
        cover[byte] |= bit;
        light[byte] |= color & 1 ? bit : 0;
        dark[byte] |= color & 2 ? bit : 0;
        mask[byte] |= masked ? bit : 0;
        white[byte] |= color == White ? bit : 0;
        black[byte] |= color == Black ? bit : 0;
    }
};

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
    return IsMaskedType(type) ? DrawMode::Mask : DrawMode::Or;
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
    if (left >= right || top >= bottom)
        return;
    const int firstByte = (x + left) / 8, byteCount = (x + right - 1) / 8 - firstByte + 1;
    RowBits row;
    for (int sy = top; sy < bottom; ++sy) {
        row.Clear(byteCount);
        for (int sx = left; sx < right; ++sx) {
            const int px = x + sx;
            row.Put(px / 8 - firstByte, static_cast<uint8_t>(0x80 >> (px % 8)), sprite.cells[CellIndex(sx, sy)]);
        }
        const int at = (y + sy) * RowBytes + firstByte;
        for (int i = 0; i < byteCount; ++i) {
            light_[at + i] =
                RuleByte(mode, light_[at + i], row.light[i], row.mask[i], row.white[i], row.black[i], row.cover[i]);
            dark_[at + i] =
                RuleByte(mode, dark_[at + i], row.dark[i], row.mask[i], row.white[i], row.black[i], row.cover[i]);
        }
    }
}

void DrawBackground(CalculatorScreen& screen, const Sprite& background)
{
    screen.Clear();
    screen.DrawSprite(background, 0, 0, DrawMode::Replace);
}

std::unique_ptr<Sprite> ScreenPartOfMap(const TileMap& map)
{
    const CellPicture drawn = DrawMap(map);
    SliceGrid screenPart;
    screenPart.cell = {std::min(drawn.width, int{MaxWidth}), std::min(drawn.height, int{MaxHeight})};
    return std::move(SliceSheetGrid(drawn, screenPart).front());
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
