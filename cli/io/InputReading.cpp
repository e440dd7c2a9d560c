#include "InputReading.h"

#include "CliFailure.h"
#include "ImageCommands.h"
#include "InputFrames.h"
#include "RoundTripCommands.h"

namespace {

// "2 images, numérotées de 0 à 1", or "une seule image, la 0".
std::string FrameNumbers(int count)
{
    if (count == 1)
        return "une seule image, la 0";
    return std::to_string(count) + " images, numérotées de 0 à " + std::to_string(count - 1);
}

} // namespace

// The command's readers give up by throwing CliFailure, which the model's
// reader lets through.
FrameList ReadInputFrames(const std::string& path, const CliOptions& options, std::ostream& err)
{
    InputReaders readers;
    readers.picture = [&options](const std::string& picture) {
        return InputFrames::One(ReadImageSprite(picture, options.conversion));
    };
    readers.source = [&options, &err](const std::string& source) {
        if (options.mode == CliMode::ToPixs)
            return InputFrames{ReadCArrayFrames(source, options, err), {}};
        return InputFrames::One(ReadCArraySprite(source, options, err));
    };
    InputFrames read = ReadInputFrames(path, readers);
    if (!read.Read())
        throw CliFailure(ExitBadInput, read.problem);
    return std::move(read.frames);
}

std::unique_ptr<Sprite> ReadOneSprite(const CliOptions& options, std::ostream& err)
{
    FrameList frames = ReadInputFrames(options.input, options, err);
    return ChosenFrame(frames, options, false);
}

std::unique_ptr<Sprite> ChosenFrame(FrameList& frames, const CliOptions& options, bool severalAllowed)
{
    const int count = static_cast<int>(frames.size());
    if (options.frame) {
        if (*options.frame >= count)
            throw CliFailure(ExitBadInput, options.input + " : pas d'image " + std::to_string(*options.frame) + " (" +
                                               FrameNumbers(count) + ")");
        return std::move(frames[*options.frame]);
    }
    if (count == 1)
        return std::move(frames.front());
    if (!severalAllowed)
        throw CliFailure(ExitBadInput, options.input + " : la planche a " + std::to_string(count) +
                                           " images ; choisissez-en une avec --frame K (de 0 à " +
                                           std::to_string(count - 1) + ")");
    return nullptr;
}
