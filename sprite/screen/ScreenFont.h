// A sprite set used as a font: frame k is the glyph of character code
// first + k. A fixed font advances the pen by the cell width; a proportional
// one by the glyph's own width (its last used column + 1, a used pixel being
// neither white nor masked) plus a spacing, and a glyph with no used column
// (the space) by half the cell width, at least 1, plus the spacing.
//
// Character codes are those of the calculator, 32 to 255; a text is read as
// UTF-8, where a byte that begins no UTF-8 character stands for itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CalculatorScreen.h"
#include "U_class.h"

constexpr int FirstFontCode = 32; // the space
constexpr int LastFontCode = 255;

struct FontSpec {
    int first = FirstFontCode;
    bool proportional = false;
    int spacing = 1; // proportional fonts only; 0 allowed
};

// "65" (a decimal code) or "A" (one character, so "7" is the digit seven,
// code 55): the code when it is 32 to 255.
std::optional<int> FontCodeFromText(const std::string& text);

// The columns a glyph uses: its last used column + 1, 0 when it uses none.
int UsedColumns(const Sprite& glyph);
// How far the pen moves after the glyph.
int GlyphAdvance(const Sprite& glyph, const FontSpec& font);
std::vector<int> GlyphAdvances(const std::vector<const Sprite*>& glyphs, const FontSpec& font);

// The text's character codes, in order.
std::vector<int> TextCodes(const std::string& utf8);
// The first code of codes that the font of count glyphs has no glyph for.
std::optional<int> FirstMissingCode(const std::vector<int>& codes, int glyphCount, const FontSpec& font);
// A code as a reader sees it: the character itself in UTF-8, or its number
// when it prints nothing ("65 « A »", "127").
std::string DescribeCode(int code);
// The characters of the glyphs in order, in ASCII for the data's comment:
// a code from 127 up as \xNN.
std::string FontCharacters(int glyphCount, const FontSpec& font);

// Whether any glyph has a masked pixel: such a font is drawn with mask.
bool IsMaskedFont(const std::vector<const Sprite*>& glyphs);

// Draws the codes' glyphs from the pen (x, y), each at the pen, the pen moving
// right by the glyph's advance; codes outside the font are skipped (check
// FirstMissingCode first).
void DrawText(CalculatorScreen& screen, const std::vector<const Sprite*>& glyphs, const FontSpec& font,
              const std::vector<int>& codes, int x, int y, DrawMode mode);
