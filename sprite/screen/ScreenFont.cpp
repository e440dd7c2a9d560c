#include "ScreenFont.h"

#include <algorithm>
#include <cstdio>

std::optional<int> FontCodeFromText(const std::string& text)
{
    const std::vector<int> codes = TextCodes(text);
    const bool digits = text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos;
    std::optional<int> code;
    if (codes.size() == 1)
        code = codes[0];
    else if (!text.empty() && digits)
        code = std::stoi(text);
    if (!code || *code < FirstFontCode || *code > LastFontCode)
        return std::nullopt;
    return code;
}

int UsedColumns(const Sprite& glyph)
{
    for (int x = glyph.width - 1; x >= 0; --x)
        for (int y = 0; y < glyph.height; ++y) {
            const int8_t cell = glyph.cells[CellIndex(x, y)];
            if (!IsMaskedCell(cell) && ColorOfCell(cell) != White)
                return x + 1;
        }
    return 0;
}

int GlyphAdvance(const Sprite& glyph, const FontSpec& font)
{
    if (!font.proportional)
        return glyph.width;
    const int used = UsedColumns(glyph);
    return (used > 0 ? used : std::max(1, glyph.width / 2)) + font.spacing;
}

std::vector<int> GlyphAdvances(const std::vector<const Sprite*>& glyphs, const FontSpec& font)
{
    std::vector<int> advances;
    for (const Sprite* glyph : glyphs)
        advances.push_back(GlyphAdvance(*glyph, font));
    return advances;
}

std::vector<int> TextCodes(const std::string& utf8)
{
    std::vector<int> codes;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80             ? 1
                           : (lead & 0xE0) == 0xC0 ? 2
                           : (lead & 0xF0) == 0xE0 ? 3
                           : (lead & 0xF8) == 0xF0 ? 4
                                                   : 0;
        bool whole = length > 0 && i + length <= utf8.size();
        int code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; whole && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            whole = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        codes.push_back(whole ? code : lead);
        i += whole ? length : 1;
    }
    return codes;
}

std::optional<int> FirstMissingCode(const std::vector<int>& codes, int glyphCount, const FontSpec& font)
{
    for (const int code : codes)
        if (code < font.first || code >= font.first + glyphCount)
            return code;
    return std::nullopt;
}

namespace {
void AppendUtf8(std::string& text, int code)
{
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | code >> 6);
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | code >> 12);
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | code >> 18);
        text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Latin-1 prints nothing at 127 to 160 (the delete and the C1 controls).
bool Prints(int code)
{
    return code >= 32 && code != 127 && !(code >= 128 && code < 160) && code <= 0x10FFFF;
}
} // namespace

std::string DescribeCode(int code)
{
    std::string text = std::to_string(code);
    if (Prints(code)) {
        text += " « ";
        AppendUtf8(text, code);
        text += " »";
    }
    return text;
}

std::string FontCharacters(int glyphCount, const FontSpec& font)
{
    std::string text;
    for (int code = font.first; code < font.first + glyphCount; ++code) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
        text += code < 127 ? std::string(1, static_cast<char>(code)) : std::string(escaped);
    }
    return text;
}

bool IsMaskedFont(const std::vector<const Sprite*>& glyphs)
{
    return std::any_of(glyphs.begin(), glyphs.end(),
                       [](const Sprite* glyph) { return IsMaskedType(glyph->GetType()); });
}

void DrawText(CalculatorScreen& screen, const std::vector<const Sprite*>& glyphs, const FontSpec& font,
              const std::vector<int>& codes, int x, int y, DrawMode mode)
{
    const int glyphCount = static_cast<int>(glyphs.size());
    for (const int code : codes) {
        const int index = code - font.first;
        if (index < 0 || index >= glyphCount)
            continue;
        screen.DrawSprite(*glyphs[index], x, y, mode);
        // Far enough off the screen the rest of the text shows nothing.
        x = std::min(x + GlyphAdvance(*glyphs[index], font), 2 * MaxScreenOffset);
    }
}
