#include "ShownText.h"

namespace {

// The length of the valid UTF-8 sequence that starts text, or 0 when the
// bytes there are not one (a stray continuation byte, an overlong or
// surrogate form, a sequence cut short).
std::size_t Utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

// U+0080 to U+009F: the C1 controls, which terminals obey (0x9B starts an
// escape sequence as ESC [ does).
bool IsC1Control(std::string_view sequence)
{
    return sequence.size() == 2 && static_cast<unsigned char>(sequence[0]) == 0xC2 &&
           static_cast<unsigned char>(sequence[1]) <= 0x9F;
}

void AppendEscaped(std::string& shown, std::string_view bytes)
{
    constexpr char Digits[] = "0123456789abcdef";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        shown += "\\x";
        shown += Digits[byte >> 4];
        shown += Digits[byte & 0x0F];
    }
}

} // namespace

std::string ShownSourceText(std::string_view text)
{
    std::string shown;
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size() && characters < ShownTextLength; ++characters) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += text[at++];
            continue;
        }
        const std::size_t length = byte < 0x80 ? 0 : Utf8SequenceLength(text.substr(at));
        const std::string_view character = text.substr(at, length == 0 ? 1 : length);
        if (length == 0 || IsC1Control(character))
            AppendEscaped(shown, character);
        else
            shown += character;
        at += character.size();
    }
    if (at < text.size())
        shown += "…";
    return shown;
}

std::string QuotedSourceText(std::string_view text)
{
    return "« " + ShownSourceText(text) + " »";
}
