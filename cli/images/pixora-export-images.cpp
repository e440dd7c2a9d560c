// The module of pixora-export that reads and writes pictures through Qt
// (PictureModule.h): the editor's own image files code behind three plain
// entry points, the only symbols it exports.
#include <exception>
#include <new>
#include <type_traits>

#include "ImageFiles.h"
#include "PictureModule.h"

#define PIXORA_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
// pixora-export may carry its own copy of the C++ runtime, so no exception
// may cross into it: a failure inside the module comes back as a reason.
template <typename Work> bool WithoutExceptions(std::string* reason, Work work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        *reason = "mémoire insuffisante";
    } catch (const std::exception& error) {
        *reason = error.what();
    }
    return false;
}
// A function of the editor's image files, which says why in a QString.
template <typename Call> bool CallWithReason(std::string* reason, Call call)
{
    return WithoutExceptions(reason, [&] {
        QString why;
        if (call(why))
            return true;
        *reason = why.toStdString();
        return false;
    });
}
} // namespace

PIXORA_MODULE_EXPORT bool pixoraDecodePicture(const char* path, RgbaImage* image, std::string* reason)
{
    return CallWithReason(reason, [&](QString& why) { return DecodeImageFile(path, *image, why); });
}

PIXORA_MODULE_EXPORT bool pixoraEncodePng(const Sprite* sprite, int scale, bool calculatorColors, std::string* bytes,
                                          std::string* reason)
{
    return CallWithReason(reason,
                          [&](QString& why) { return EncodePng(*sprite, scale, calculatorColors, *bytes, why); });
}

PIXORA_MODULE_EXPORT bool pixoraEncodeOpaquePng(const RgbaImage* picture, std::string* bytes, std::string* reason)
{
    return CallWithReason(reason, [&](QString& why) { return EncodeOpaquePng(*picture, *bytes, why); });
}

PIXORA_MODULE_EXPORT bool pixoraEncodeIndexedPng(const IndexedPicture* picture, bool calculatorColors,
                                                 std::string* bytes, std::string* reason)
{
    return WithoutExceptions(reason, [&] {
        QString why;
        if (EncodeIndexedPng(*picture, calculatorColors, *bytes, why))
            return true;
        *reason = why.toStdString();
        return false;
    });
}

static_assert(std::is_same_v<decltype(&pixoraDecodePicture), DecodePictureFunction>);
static_assert(std::is_same_v<decltype(&pixoraEncodeIndexedPng), EncodeIndexedPngFunction>);
static_assert(std::is_same_v<decltype(&pixoraEncodePng), EncodePngFunction>);
static_assert(std::is_same_v<decltype(&pixoraEncodeOpaquePng), EncodeOpaquePngFunction>);
