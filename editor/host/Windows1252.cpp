#include "Windows1252.h"

#include <array>

namespace {

constexpr char32_t Undefined = U'\uFFFD';

// Bytes 0x80 to 0x9F; every other byte shares its code point with Unicode.
constexpr std::array<char32_t, 32> HighBlock = {
    U'\u20AC', Undefined, U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', Undefined, U'\u017D', Undefined,
    Undefined, U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', Undefined, U'\u017E', U'\u0178',
};

constexpr bool InHighBlock(char32_t value)
{
    return value >= 0x80 && value < 0xA0;
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace

char32_t Windows1252ToUnicode(unsigned char byte)
{
    return InHighBlock(byte) ? HighBlock[byte - 0x80] : char32_t(byte);
}

int UnicodeToWindows1252(char32_t codePoint)
{
    if (codePoint < 0x100 && !InHighBlock(codePoint))
        return static_cast<int>(codePoint);
    for (unsigned index = 0; index < HighBlock.size(); ++index)
        if (HighBlock[index] == codePoint && codePoint != Undefined)
            return static_cast<int>(0x80 + index);
    return -1;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes)
        AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(byte)));
    return out;
}
