// Small text helpers shared by the readers and writers of program text:
// plain ASCII case folding (the locale has no say in what C calls a letter)
// and the guillemets the French messages quote names in.
#pragma once

#include <string>
#include <string_view>

// ASCII letters lowered, every other byte as it is.
std::string AsciiLowered(std::string_view text);
// A name as the messages quote it: « name », cut and escaped as
// ShownText.h shows source text.
std::string InGuillemets(std::string_view text);
