// pixora-export for Windows: Debian ships no Qt for Windows, whose image
// readers and PNG writer the pictures need, so they are refused with the
// reason rather than misread.
#include "CliFailure.h"
#include "ImageCommands.h"

namespace {

[[noreturn]] void RefusePicture(const std::string& path)
{
    throw CliFailure(ExitBadInput, path + " : les images PNG, BMP, GIF et JPEG ne sont pas prises en charge par "
                                          "pixora-export pour Windows (sprites .pixo et .pixs, images de "
                                          "calculatrice et sources C seulement)");
}

} // namespace

std::unique_ptr<Sprite> ReadImageSprite(const std::string& path, const ConversionOptions&)
{
    RefusePicture(path);
}

void WriteSpritePng(const Sprite&, const CliOptions& options)
{
    RefusePicture(options.output);
}
