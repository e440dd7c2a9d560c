#include "InputFrames.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "Counted.h"
#include "FileRead.h"
#include "SystemFiles.h"
#include "c_array_sprites.h"
#include "native_file.h"
#include "set_file.h"
#include "ti_picture.h"

namespace {

struct KnownExtension {
    std::string_view extension;
    InputKind kind;
};

constexpr KnownExtension KnownExtensions[] = {
    {".pixo", InputKind::Native},           {".pixs", InputKind::Set},
    {".89i", InputKind::CalculatorPicture}, {".9xi", InputKind::CalculatorPicture},
    {".v2i", InputKind::CalculatorPicture}, {".png", InputKind::Picture},
    {".bmp", InputKind::Picture},           {".gif", InputKind::Picture},
    {".jpg", InputKind::Picture},           {".jpeg", InputKind::Picture},
};

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}


std::string SetRefusalReason(const SetFileCheck& check)
{
    const std::string frame = "l'image " + std::to_string(check.frame);
    switch (check.problem) {
    case SetFileProblem::None:
    case SetFileProblem::Unreadable:
        break;
    case SetFileProblem::NotASet:
        return "ce n'est pas une planche .pixs (il manque « PIXS » au début)";
    case SetFileProblem::Version:
        return "version de planche .pixs inconnue (seule la version 1 est lue)";
    case SetFileProblem::FrameCount:
        return "planche .pixs de " + Counted(check.frameCount, "image", "images") + " (de 1 à " +
               std::to_string(MaxFrames) + " attendues)";
    case SetFileProblem::Truncated:
        return "planche .pixs tronquée (moins d'octets qu'il n'en faut pour " +
               Counted(check.frameCount, "image", "images") + ")";
    case SetFileProblem::BadFrame:
        return "planche .pixs non valide : " + frame +
               " a une largeur, une hauteur, un type ou des pixels hors limites";
    case SetFileProblem::SizesDiffer:
        return "planche .pixs non valide : " + frame + " n'a pas la taille de l'image 0";
    }
    return "lecture impossible";
}

InputFrames NativeSprite(const std::string& path, const std::string& bytes)
{
    if (bytes.size() < PixoRecordSize)
        return InputFrames::Refused(path, "fichier .pixo trop court (" + std::to_string(bytes.size()) +
                                              " octets au lieu de " + std::to_string(PixoRecordSize) + ")");
    auto sprite = std::make_unique<Sprite>();
    if (!TakePixoRecord(reinterpret_cast<const uint8_t*>(bytes.data()), *sprite))
        return InputFrames::Refused(path, "fichier .pixo non valide (largeur, hauteur, type ou pixels hors limites)");
    return InputFrames::One(std::move(sprite));
}

InputFrames SetFrames(const std::string& path, const std::string& bytes)
{
    InputFrames read;
    const SetFileCheck check = ReadSpriteSet(bytes, read.frames);
    if (check.problem != SetFileProblem::None)
        return InputFrames::Refused(path, SetRefusalReason(check));
    return read;
}

InputFrames CalculatorPicture(const std::string& path, const std::string& bytes)
{
    auto sprite = std::make_unique<Sprite>();
    if (!TakeTiPicture(bytes, *sprite))
        return InputFrames::Refused(path, "image de calculatrice non valide (taille nulle ou au-delà de 240 x 128, "
                                          "ou fichier tronqué)");
    return InputFrames::One(std::move(sprite));
}

// The files of a fixed layout are read no further than their largest one.
std::size_t MostBytesOf(InputKind kind)
{
    switch (kind) {
    case InputKind::Native:
        return PixoRecordSize;
    case InputKind::Set:
        return LargestSetBytes;
    default:
        return MaxTiPictureBytes;
    }
}

InputFrames ReadFixedLayout(const std::string& path, InputKind kind)
{
    const FileContent content = ReadFileStart(path, MostBytesOf(kind));
    if (!content.Read())
        return InputFrames::Refused(path, ReadProblemText(content));
    switch (kind) {
    case InputKind::Native:
        return NativeSprite(path, content.bytes);
    case InputKind::Set:
        return SetFrames(path, content.bytes);
    default:
        return CalculatorPicture(path, content.bytes);
    }
}

InputFrames ReadWith(const InputReader& reader, const std::string& path, const char* what)
{
    if (!reader)
        return InputFrames::Refused(path, std::string(what) + " ne se lit pas ici");
    return reader(path);
}

} // namespace

std::string LoweredExtension(std::string_view path)
{
#if defined(_WIN32)
    const char* separators = "/\\";
#else
    const char* separators = "/";
#endif
    const std::string_view name = path.substr(path.find_last_of(separators) + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    std::string extension(name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower);
    return extension;
}

InputFrames InputFrames::One(std::unique_ptr<Sprite> sprite)
{
    InputFrames read;
    read.frames.push_back(std::move(sprite));
    return read;
}

InputKind InputKindOf(const std::string& path)
{
    const std::string extension = LoweredExtension(path);
    for (const KnownExtension& known : KnownExtensions)
        if (known.extension == extension)
            return known.kind;
    std::error_code error;
    const bool source = SourceKindOfPath(path) || std::filesystem::is_directory(NativePath(path), error);
    return source ? InputKind::Source : InputKind::Unknown;
}

InputFrames ReadInputFrames(const std::string& path, const InputReaders& readers)
{
    switch (const InputKind kind = InputKindOf(path)) {
    case InputKind::Native:
    case InputKind::Set:
    case InputKind::CalculatorPicture:
        return ReadFixedLayout(path, kind);
    case InputKind::Picture:
        return ReadWith(readers.picture, path, "une image de ce type");
    case InputKind::Source:
        return ReadWith(readers.source, path, "une source de programme");
    case InputKind::Unknown:
        break;
    }
    return InputFrames::Refused(path, "extension inconnue (.pixo, .pixs, .89i, .9xi, .v2i, .png, .bmp, .gif, .jpg, "
                                      ".jpeg, .c, .h, .s, .asm ou .inc attendue)");
}
