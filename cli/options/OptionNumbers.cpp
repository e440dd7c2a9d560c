#include "OptionNumbers.h"

#include <charconv>

#include "CliFailure.h"

int ParseOptionNumber(const std::string& option, const std::string& text, int minimum, int maximum)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < minimum || value > maximum)
        throw UsageError("l'option " + option + " attend un nombre entier de " + std::to_string(minimum) + " à " +
                         std::to_string(maximum) + " (et non « " + text + " »)");
    return value;
}
