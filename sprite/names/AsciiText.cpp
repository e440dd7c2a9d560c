#include "AsciiText.h"

#include "ShownText.h"

std::string AsciiLowered(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return lower;
}

std::string InGuillemets(std::string_view text)
{
    return QuotedSourceText(text);
}
