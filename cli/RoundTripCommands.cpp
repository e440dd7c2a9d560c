#include "RoundTripCommands.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "CliFailure.h"
#include "CliText.h"
#include "Commands.h"
#include "DataCommands.h"
#include "PendingOutput.h"
#include "SourceReading.h"
#include "SystemFiles.h"
#include "set_file.h"
#include "sprite_file_kind.h"
#include "ti_picture_writer.h"

namespace fs = std::filesystem;

namespace {

// A name typed with --var-name is taken as the calculator keeps it (lower
// case) or refused; one taken from the output's name is shortened to fit.
std::string VariableNameFor(const CliOptions& options)
{
    return options.variableName ? LoweredVariableName(*options.variableName) : VariableNameOfPath(options.output);
}

std::string VariableNameRefusal(const CliOptions& options, const std::string& name)
{
    if (!options.variableName)
        return options.output + " : ce nom de fichier ne donne aucun nom de variable (" + VariableNameRule +
               ") ; donnez-en un avec --var-name";
    return "nom de variable " + Quoted(name) + " refusé : " + VariableNameRule;
}

// The source read as the options ask, or a failure with the reason; the
// notes go to err.
FrameList ReadSourceFrames(const std::string& path, const CliOptions& options, bool allFrames, std::ostream& err)
{
    SourceRequest request;
    request.path = path;
    request.array = options.arrayName;
    request.layout = LayoutOfOptions(options);
    request.width = options.width;
    request.allFrames = allFrames;
    SourceAnswer answer = ReadSource(request);
    if (!answer.refusal.empty())
        throw CliFailure(ExitBadInput, answer.refusal);
    for (const std::string& note : answer.notes)
        err << "pixora-export : " << note << '\n';
    return std::move(answer.frames);
}

} // namespace

bool IsDataSourcePath(const std::string& path)
{
    if (SourceKindOfPath(path))
        return true;
    // A folder named like another input (dossier.pixo) is refused as that input is.
    std::error_code error;
    const bool otherKind =
        SpriteFileKindOf(path) != SpriteFileKind::Unknown || IsSpriteSetFileName(path) || IsImageFileName(path);
    return !otherKind && fs::is_directory(NativePath(path), error);
}

int WriteTiPicture(const CliOptions& options, std::ostream& err)
{
    const std::optional<TiModel> model = TiModelOfPath(options.output);
    if (!model)
        throw CliFailure(ExitBadInput, options.output + " : extension .89i (TI-89), .9xi (TI-92 Plus) ou .v2i "
                                                        "(V200) attendue");
    const std::string name = VariableNameFor(options);
    if (!IsValidVariableName(name))
        throw CliFailure(ExitBadInput, VariableNameRefusal(options, name));
    const std::unique_ptr<Sprite> sprite = ReadOneSprite(options, err);
    const bool gray = sprite->GetType() == Grayscale || sprite->GetType() == GrayscaleMasked;
    const std::vector<TiPictureFile> files = PlanTiPictures(options.output, name, gray);
    // Every file prepared before any is written: a refused one leaves all.
    std::vector<std::unique_ptr<PendingOutput>> outputs;
    for (const TiPictureFile& file : files) {
        RefuseOverwritingInput(options.input, file.path);
        outputs.push_back(std::make_unique<PendingOutput>(file.path));
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        outputs[i]->Write(TiPictureBytes(*sprite, *model, files[i].variableName, files[i].plane));
    for (const auto& output : outputs)
        output->Deliver();
    if (gray)
        err << "pixora-export : sprite en niveaux de gris, écrit en deux images : " << files[0].path << " (variable "
            << files[0].variableName << ", plan clair) et " << files[1].path << " (variable " << files[1].variableName
            << ", plan foncé)\n";
    return ExitWritten;
}

std::unique_ptr<Sprite> ReadCArraySprite(const std::string& path, const CliOptions& options, std::ostream& err)
{
    return std::move(ReadSourceFrames(path, options, false, err).front());
}

FrameList ReadCArrayFrames(const std::string& path, const CliOptions& options, std::ostream& err)
{
    return ReadSourceFrames(path, options, true, err);
}
