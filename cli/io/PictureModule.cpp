#include "PictureModule.h"

#include "DynamicLibrary.h"
#include "PluginHost.h"

namespace {

#if defined(_WIN32)

const char* const NoPictures = "les images PNG, BMP, GIF et JPEG ne sont pas prises en charge par pixora-export pour "
                               "Windows (sprites .pixo et .pixs, images de calculatrice et sources C seulement)";

template <typename Function> Function ModuleFunction(const char*, std::string& reason)
{
    reason = NoPictures;
    return nullptr;
}

#else

// Loaded once and never released: Qt's own clean-up runs at the exit.
const DynamicLibrary& Module()
{
    static const DynamicLibrary& module =
        *new DynamicLibrary(ProgramFolder() + "pixora-export-images" + LibrarySuffix());
    return module;
}

template <typename Function> Function ModuleFunction(const char* name, std::string& reason)
{
    const DynamicLibrary& module = Module();
    const char* const names[] = {name};
    if (auto function = module.FindFirstAs<Function>(names))
        return function;
    reason = "lecture et écriture des images impossibles, le module pixora-export-images manque ou est illisible (" +
             (module.IsLoaded() ? std::string("fonction ") + name + " absente" : module.LoadError()) + ")";
    return nullptr;
}

#endif

} // namespace

bool DecodePictureFile(const std::string& path, RgbaImage& image, std::string& reason)
{
    const auto decode = ModuleFunction<DecodePictureFunction>(DecodePictureName, reason);
    return decode && decode(path.c_str(), &image, &reason);
}

bool EncodeIndexedPicturePng(const IndexedPicture& picture, bool calculatorColors, std::string& bytes,
                             std::string& reason)
{
    const auto encode = ModuleFunction<EncodeIndexedPngFunction>(EncodeIndexedPngName, reason);
    return encode && encode(&picture, calculatorColors, &bytes, &reason);
}

bool EncodePicturePng(const Sprite& sprite, int scale, bool calculatorColors, std::string& bytes, std::string& reason)
{
    const auto encode = ModuleFunction<EncodePngFunction>(EncodePngName, reason);
    return encode && encode(&sprite, scale, calculatorColors, &bytes, &reason);
}

bool EncodeOpaquePicturePng(const RgbaImage& picture, std::string& bytes, std::string& reason)
{
    const auto encode = ModuleFunction<EncodeOpaquePngFunction>(EncodeOpaquePngName, reason);
    return encode && encode(&picture, &bytes, &reason);
}
