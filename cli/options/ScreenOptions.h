// The options of pixora-export for the calculator's screen and its fonts:
// --screen MODEL with --to-png draws a sprite (or, with --text, a string in
// a font) on the screen of a calculator; --font with --data writes a set as
// a font. Read here as they come; CheckScreenOptions sees them together.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "CalculatorScreen.h"
#include "ScreenFont.h"

struct ScreenRequest {
    std::set<std::string> given; // the long names given
    std::optional<CalculatorModel> model;
    Point at{0, 0};
    std::optional<DrawMode> mode;
    std::optional<std::string> background;
    std::optional<std::string> text;
    // --font: the set of the glyphs with --text, the first character with --data.
    std::optional<std::string> font;
    FontSpec fontSpec;
};

// Whether name is one of these options, and whether it takes a value.
bool IsScreenOption(const std::string& name, bool& takesValue);
// Throws UsageError for a value out of range or an option given twice.
void StoreScreenOption(ScreenRequest& request, const std::string& name, const std::string& value);
// Which options go with which command: --screen with --to-png, its options
// with --screen, --text with --font and --first, --font alone with --data,
// --proportional and --spacing with a font. Throws UsageError.
// With --data, --font's value becomes the font's first character.
void CheckScreenOptions(ScreenRequest& request, bool toPng, bool data);
