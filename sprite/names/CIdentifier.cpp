#include "CIdentifier.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string_view>

#include "SystemFiles.h"

namespace {

// C89 to C23, GNU C's own keywords and the macros that gcc predefines
// without a leading underscore in its GNU modes.
constexpr std::string_view TakenNames[] = {
    "_Alignas",      "_Alignof",      "_Atomic",  "_BitInt",    "_Bool",        "_Complex", "_Decimal128",
    "_Decimal32",    "_Decimal64",    "_Generic", "_Imaginary", "_Noreturn",    "_Pragma",  "_Static_assert",
    "_Thread_local", "alignas",       "alignof",  "asm",        "auto",         "bool",     "break",
    "case",          "char",          "const",    "constexpr",  "continue",     "default",  "do",
    "double",        "else",          "enum",     "extern",     "false",        "float",    "for",
    "goto",          "i386",          "if",       "inline",     "int",          "linux",    "long",
    "nullptr",       "register",      "restrict", "return",     "short",        "signed",   "sizeof",
    "static",        "static_assert", "struct",   "switch",     "thread_local", "true",     "typedef",
    "typeof",        "typeof_unqual", "union",    "unix",       "unsigned",     "void",     "volatile",
    "while",
};

bool IsIdentifierStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsIdentifierChar(char c)
{
    return IsIdentifierStart(c) || (c >= '0' && c <= '9');
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

bool IsReservedCName(const std::string& name)
{
    // "__x" and "_X" belong to the compiler and its library: gcc's own
    // keywords (__attribute__, __asm__...) and predefined macros (__linux__,
    // __GNUC__...) all have one of these forms.
    if (name.size() >= 2 && name[0] == '_' && (name[1] == '_' || (name[1] >= 'A' && name[1] <= 'Z')))
        return true;
    return std::find(std::begin(TakenNames), std::end(TakenNames), name) != std::end(TakenNames);
}

std::string WhyNotCIdentifier(const std::string& name)
{
    if (name.empty())
        return "le nom est vide";
    if (!IsIdentifierStart(name[0]))
        return "un nom C commence par une lettre ou _";
    if (!std::all_of(name.begin(), name.end(), IsIdentifierChar))
        return "un nom C ne contient que des lettres sans accent, des chiffres et _";
    if (IsReservedCName(name))
        return "« " + name + " » est un mot réservé du C";
    return {};
}

std::string DefaultSpriteName(const std::string& filePath)
{
    const std::string stem = NativeName(NativePath(filePath).stem());
    std::string name;
    for (size_t at = 0; at < stem.size(); at += Utf8CharLength(stem, at)) {
        name += IsIdentifierChar(stem[at]) ? stem[at] : '_';
    }
    if (!name.empty() && name[0] >= '0' && name[0] <= '9')
        name.insert(name.begin(), '_');
    // "int.pixo" must not give arrays named int; no name the compiler keeps
    // for itself is another such name with _ added.
    if (IsReservedCName(name))
        name += '_';
    return name;
}
