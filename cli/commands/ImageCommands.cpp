#include "ImageCommands.h"

#include "CliFailure.h"
#include "PictureModule.h"

namespace {

std::string SizeText(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string ConversionRefusal(const ImageArea& area, const ConversionOptions& conversion)
{
    switch (area.problem) {
    case ConversionProblem::TooLarge:
        if (conversion.largest.x > MaxWidth) // a sheet, cut into cells afterwards
            return "image de " + SizeText(area.part.width, area.part.height) + " pixels, plus grande que " +
                   SizeText(conversion.largest.x, conversion.largest.y) + " (--crop ou --scale-down pour la réduire)";
        if (conversion.crop)
            return "la partie " + SizeText(area.part.width, area.part.height) + " dépasse les " +
                   SizeText(MaxWidth, MaxHeight) + " pixels d'un sprite";
        return "image de " + SizeText(area.scaledWidth, area.scaledHeight) + " pixels, plus grande qu'un sprite (" +
               SizeText(MaxWidth, MaxHeight) +
               ") : réduisez-la avec --scale-down N ou prenez-en une partie avec --crop X,Y,L,H";
    case ConversionProblem::EmptyScaled:
        return "--scale-down " + std::to_string(conversion.scaleDown) + " ne laisse aucun pixel de l'image";
    case ConversionProblem::CropOutside:
        return "la partie --crop n'est pas dans l'image (" + SizeText(area.scaledWidth, area.scaledHeight) + " pixels" +
               (conversion.scaleDown > 1 ? " après --scale-down" : "") + ")";
    case ConversionProblem::BadOption:
    case ConversionProblem::None:
        break;
    }
    return "options de conversion hors limites";
}

} // namespace

CellPicture ReadImagePicture(const std::string& path, const ConversionOptions& conversion)
{
    RgbaImage image;
    std::string reason;
    if (!DecodePictureFile(path, image, reason))
        throw CliFailure(ExitBadInput, path + " : " + reason);
    Conversion converted = ConvertImage(image, conversion);
    if (!converted.Succeeded())
        throw CliFailure(ExitBadInput, path + " : " + ConversionRefusal(converted.area, conversion));
    return std::move(converted.picture);
}

std::unique_ptr<Sprite> ReadImageSprite(const std::string& path, const ConversionOptions& conversion)
{
    auto sprite = std::make_unique<Sprite>();
    PutIntoSprite(ReadImagePicture(path, conversion), *sprite);
    return sprite;
}

void RefuseLargePicture(long long width, long long height, const CliOptions& options)
{
    width *= options.pngScale;
    height *= options.pngScale;
    if (width * height > MaxWrittenPixels)
        throw CliFailure(ExitBadInput, options.output + " : image de " + std::to_string(width) + " x " +
                                           std::to_string(height) + " pixels, plus de " +
                                           std::to_string(MaxWrittenPixels / (1024 * 1024)) + " millions de pixels");
}

std::string PicturePngBytes(const CellPicture& picture, const CliOptions& options)
{
    RefuseLargePicture(picture.width, picture.height, options);
    std::string bytes;
    std::string reason;
    if (!EncodeIndexedPicturePng(PictureIndexes(picture, options.pngScale), options.calculatorColors, bytes, reason))
        throw CliFailure(ExitBadInput, options.output + " : " + reason);
    return bytes;
}

std::string SpritePngBytes(const Sprite& sprite, const CliOptions& options)
{
    std::string bytes;
    std::string reason;
    if (!EncodePicturePng(sprite, options.pngScale, options.calculatorColors, bytes, reason))
        throw CliFailure(ExitBadInput, options.output + " : " + reason);
    return bytes;
}
