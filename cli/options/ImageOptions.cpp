#include "ImageOptions.h"

#include <vector>

#include "CliFailure.h"
#include "OptionNumbers.h"

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
