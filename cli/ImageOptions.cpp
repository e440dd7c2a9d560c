#include "ImageOptions.h"

#include <charconv>
#include <vector>

#include "CliOptions.h"

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

int ParseLevels(const std::string& text)
{
    if (text != "2" && text != "4")
        throw UsageError("l'option --levels attend 2 ou 4 (et non « " + text + " »)");
    return text[0] - '0';
}

Dithering ParseDithering(const std::string& text)
{
    if (text == "none")
        return Dithering::None;
    if (text == "floyd-steinberg")
        return Dithering::FloydSteinberg;
    if (text == "atkinson")
        return Dithering::Atkinson;
    if (text == "bayer")
        return Dithering::Bayer;
    throw UsageError("l'option --dither attend none, floyd-steinberg, atkinson ou bayer (et non « " + text + " »)");
}

CropRect ParseCrop(const std::string& text)
{
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (fields.size() != 4)
        throw UsageError("l'option --crop attend X,Y,LARGEUR,HAUTEUR (et non « " + text + " »)");
    constexpr int largest = 1 << 30;
    return {ParseOptionNumber("--crop", fields[0], 0, largest), ParseOptionNumber("--crop", fields[1], 0, largest),
            ParseOptionNumber("--crop", fields[2], 1, largest), ParseOptionNumber("--crop", fields[3], 1, largest)};
}
