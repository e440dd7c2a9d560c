#include "CliText.h"

#include <cstdint>
#include <filesystem>

namespace {

bool IsIdentifierChar(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Bytes a UTF-8 character takes from its lead byte; a stray continuation or
// invalid byte counts as a character of its own.
size_t Utf8CharLength(const std::string& text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (size_t i = 1; i < length; ++i)
        if (at + i >= text.size() || (static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

// Code points of bytes 0x80 to 0x9F; 0 marks the five undefined bytes.
constexpr uint16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, uint32_t codePoint)
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

std::string DefaultSpriteName(const std::string& inputPath)
{
    const std::string stem = std::filesystem::path(inputPath).stem().string();
    std::string name;
    for (size_t at = 0; at < stem.size(); at += Utf8CharLength(stem, at)) {
        const auto c = static_cast<unsigned char>(stem[at]);
        name += IsIdentifierChar(c) ? static_cast<char>(c) : '_';
    }
    if (!name.empty() && name[0] >= '0' && name[0] <= '9')
        name.insert(name.begin(), '_');
    return name;
}

std::string Cp1252ToUtf8(const std::string& text)
{
    constexpr uint32_t Replacement = 0xFFFD;
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0)
            AppendUtf8(out, Cp1252High[byte - 0x80] ? Cp1252High[byte - 0x80] : Replacement);
        else
            AppendUtf8(out, byte); // ASCII and Latin-1 share their code points with Unicode
    }
    return out;
}

std::string TerminalText(const std::string& pluginText)
{
    std::string lf;
    for (size_t i = 0; i < pluginText.size(); ++i)
        if (!(pluginText[i] == '\r' && i + 1 < pluginText.size() && pluginText[i + 1] == '\n'))
            lf += pluginText[i];
    return Cp1252ToUtf8(lf);
}
