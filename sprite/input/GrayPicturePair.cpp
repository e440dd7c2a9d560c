#include "GrayPicturePair.h"

#include <cstring>
#include <filesystem>

#include "SystemFiles.h"

namespace fs = std::filesystem;

namespace {

// The letter after the last "_" of the file's stem, lowered: 'l' for
// "mur_l.89i", 'd' for "MUR_D.9XI", 0 for any other name.
char PlaneLetter(const std::string& path)
{
    const std::string stem = NativeName(NativePath(path).stem());
    if (stem.size() < 3 || stem[stem.size() - 2] != '_')
        return 0;
    const char letter = stem.back();
    return letter == 'l' || letter == 'L' ? 'l' : letter == 'd' || letter == 'D' ? 'd' : 0;
}

std::string SizeText(const Sprite& sprite)
{
    return std::to_string(sprite.width) + " x " + std::to_string(sprite.height);
}

// Light gray has the light bit, dark gray the dark bit, black both.
std::unique_ptr<Sprite> Combined(const Sprite& light, const Sprite& dark)
{
    auto gray = std::make_unique<Sprite>(light.GetSize());
    for (int x = 0; x < light.width; ++x)
        for (int y = 0; y < light.height; ++y) {
            const int lightBit = light.GetColor(x, y) == Black ? 1 : 0;
            const int darkBit = dark.GetColor(x, y) == Black ? 2 : 0;
            gray->SetPixel(x, y, static_cast<PenValue>(lightBit | darkBit));
        }
    return gray;
}

} // namespace

InputFrames ReadGrayPicturePair(const std::string& lightPath, const std::string& darkPath)
{
    for (const std::string& path : {lightPath, darkPath})
        if (InputKindOf(path) != InputKind::CalculatorPicture)
            return InputFrames::Refused(path, "les deux plans d'une image en gris sont des images de calculatrice "
                                              "(.89i, .9xi ou .v2i)");
    if (PlaneLetter(lightPath) == 'd' && PlaneLetter(darkPath) == 'l')
        return InputFrames::Refused(lightPath, "c'est le plan foncé et " + darkPath +
                                                   " le plan clair : donnez le plan clair (_l) d'abord, puis le plan "
                                                   "foncé (_d)");
    InputFrames light = ReadInputFrames(lightPath, {});
    if (!light.Read())
        return light;
    InputFrames dark = ReadInputFrames(darkPath, {});
    if (!dark.Read())
        return dark;
    const Sprite& lightPlane = *light.frames.front();
    const Sprite& darkPlane = *dark.frames.front();
    if (!(lightPlane.GetSize() == darkPlane.GetSize()))
        return InputFrames::Refused(darkPath, "image de " + SizeText(darkPlane) + " pixels, le plan clair " +
                                                  lightPath + " en a " + SizeText(lightPlane) +
                                                  " : les deux plans d'une image en gris ont la même taille");
    return InputFrames::One(Combined(lightPlane, darkPlane));
}

std::optional<std::string> DarkPlaneBeside(const std::string& lightPath)
{
    if (InputKindOf(lightPath) != InputKind::CalculatorPicture || PlaneLetter(lightPath) != 'l')
        return std::nullopt;
    fs::path dark = NativePath(lightPath);
    std::string stem = NativeName(dark.stem());
    stem.back() = stem.back() == 'L' ? 'D' : 'd';
    dark.replace_filename(NativePath(stem + NativeName(dark.extension())));
    std::error_code error;
    if (!fs::is_regular_file(dark, error))
        return std::nullopt;
    return NativeName(dark);
}

bool ReadGrayPictureBeside(Sprite& sprite, const std::string& lightPath)
{
    const std::optional<std::string> darkPath = DarkPlaneBeside(lightPath);
    if (!darkPath)
        return false;
    const InputFrames pair = ReadGrayPicturePair(lightPath, *darkPath);
    if (!pair.Read())
        return false;
    // The whole storage, as a calculator picture's import replaces it; the
    // marks stay.
    const Sprite& gray = *pair.frames.front();
    std::memcpy(sprite.cells, gray.cells, sizeof sprite.cells);
    sprite.RestoreState(gray.GetSize(), gray.GetType());
    return true;
}
