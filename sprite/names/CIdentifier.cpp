#include "CIdentifier.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

// C89 to C23, GNU C's own keywords and the macros that gcc predefines
// without a leading underscore in its GNU modes.
constexpr std::string_view TakenNames[] = {
    "_Alignas",     "_Alignof",   "_Atomic",   "_BitInt",        "_Bool",        "_Complex",    "_Decimal128",
    "_Decimal32",   "_Decimal64", "_Generic",  "_Imaginary",     "_Noreturn",    "_Pragma",     "_Static_assert",
    "_Thread_local", "alignas",   "alignof",   "asm",            "auto",         "bool",        "break",
    "case",         "char",       "const",     "constexpr",      "continue",     "default",     "do",
    "double",       "else",       "enum",      "extern",         "false",        "float",       "for",
    "goto",       "i386",      "if",             "inline",       "int",         "linux",
    "long",         "nullptr",    "register",  "restrict",       "return",       "short",       "signed",
    "sizeof",       "static",     "static_assert", "struct",     "switch",       "thread_local", "true",
    "typedef",      "typeof",     "typeof_unqual", "union",      "unix",         "unsigned",    "void",
    "volatile",     "while",
};

bool IsIdentifierStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsIdentifierChar(char c)
{
    return IsIdentifierStart(c) || (c >= '0' && c <= '9');
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
