#include "CliText.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstdlib>
#include <filesystem>

#include "CIdentifier.h"
#include "SystemFiles.h"
#include "Windows1252.h"

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

} // namespace

std::string DefaultSpriteName(const std::string& inputPath)
{
    const std::string stem = NativeName(NativePath(inputPath).stem());
    std::string name;
    for (size_t at = 0; at < stem.size(); at += Utf8CharLength(stem, at)) {
        const auto c = static_cast<unsigned char>(stem[at]);
        name += IsIdentifierChar(c) ? static_cast<char>(c) : '_';
    }
    if (!name.empty() && name[0] >= '0' && name[0] <= '9')
        name.insert(name.begin(), '_');
    // "int.pixo" must not give arrays named int; no name the compiler keeps
    // for itself is another such name with _ added.
    if (IsReservedCName(name))
        name += '_';
    return name;
}

std::string TerminalText(const std::string& pluginText)
{
    std::string lf;
    for (size_t i = 0; i < pluginText.size(); ++i)
        if (!(pluginText[i] == '\r' && i + 1 < pluginText.size() && pluginText[i + 1] == '\n'))
            lf += pluginText[i];
#if defined(_WIN32)
    return lf; // already in the code page of the console (ShowAnsiTextOnConsole)
#else
    return Windows1252ToUtf8(lf);
#endif
}

void ShowAnsiTextOnConsole()
{
#if defined(_WIN32)
    static const UINT consoleCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(GetACP());
    std::atexit([] { SetConsoleOutputCP(consoleCodePage); });
#endif
}

std::string Quoted(const std::string& text)
{
    return "« " + text + " »";
}
