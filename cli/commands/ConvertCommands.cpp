#include "ConvertCommands.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "CIdentifier.h"
#include "CliFailure.h"
#include "CliText.h"
#include "DataText.h"
#include "GrayPicturePair.h"
#include "ImageCommands.h"
#include "InputReading.h"
#include "PendingOutput.h"
#include "ScreenCommands.h"
#include "SystemFiles.h"
#include "set_file.h"
#include "ti_picture_writer.h"

namespace fs = std::filesystem;

namespace {

// The sprite the light and the dark calculator picture make together.
std::unique_ptr<Sprite> ReadGrayPair(const CliOptions& options)
{
    InputFrames pair = ReadGrayPicturePair(options.inputs[0], options.inputs[1]);
    if (!pair.Read())
        throw CliFailure(ExitBadInput, pair.problem);
    return ChosenFrame(pair.frames, options, false);
}

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

} // namespace

int ConvertToPixo(const CliOptions& options, std::ostream& err)
{
    const bool pair = options.inputs.size() == 2;
    const std::unique_ptr<Sprite> sprite = pair ? ReadGrayPair(options) : ReadOneSprite(options, err);
    for (const std::string& input : pair ? options.inputs : std::vector<std::string>{options.input})
        RefuseOverwritingInput(input, options.output);
    WriteOutput(options.output, sprite->FileBytes());
    return ExitWritten;
}

// The inputs' frames in order, all of the first frame's size.
int ConvertToPixs(const CliOptions& options, std::ostream& err)
{
    FrameList frames;
    std::error_code error;
    for (const std::string& input : options.inputs) {
        if (options.output != "-" && fs::equivalent(NativePath(input), NativePath(options.output), error))
            throw CliFailure(ExitBadInput, options.output + " : la sortie remplacerait l'entrée " + input);
        FrameList read = ReadInputFrames(input, options, err);
        for (std::unique_ptr<Sprite>& frame : read) {
            if (!frames.empty() && !(frame->GetSize() == frames.front()->GetSize()))
                throw CliFailure(ExitBadInput, input + " : taille " + std::to_string(frame->width) + " x " +
                                                   std::to_string(frame->height) + " au lieu de " +
                                                   std::to_string(frames.front()->width) + " x " +
                                                   std::to_string(frames.front()->height) + " (celle de " +
                                                   options.inputs.front() + ")");
            if (frames.size() == MaxFrames)
                throw CliFailure(ExitBadInput,
                                 input + " : une planche a au plus " + std::to_string(MaxFrames) + " images");
            frames.push_back(std::move(frame));
        }
    }
    WriteOutput(options.output, SpriteSetBytes(FramePointers(frames)));
    return ExitWritten;
}

int ConvertToPng(const CliOptions& options, std::ostream& err)
{
    const std::unique_ptr<Sprite> sprite = ReadOneSprite(options, err);
    RefuseOverwritingInput(options.input, options.output);
    WriteOutput(options.output, SpritePngBytes(*sprite, options));
    return ExitWritten;
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
    const bool gray = IsGrayType(sprite->GetType());
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

int ExportData(const CliOptions& options, std::ostream& err)
{
    FrameList frames;
    if (options.frame)
        frames.push_back(ReadOneSprite(options, err));
    else
        frames = ReadInputFrames(options.input, options, err);
    const std::string name = options.spriteName.value_or(DefaultSpriteName(options.input));
    if (const std::string why = DataNameRefusal(name, options.layout.request.syntax); !why.empty())
        throw CliFailure(ExitBadInput, "nom " + Quoted(name) + " refusé : " + why + " (-n pour en donner un autre)");
    const std::vector<const Sprite*> list = FramePointers(frames);
    DataLayout layout;
    if (const std::string why = ResolveLayout(options.layout.request, ShapeOfFrames(list), layout); !why.empty())
        throw CliFailure(ExitBadInput, options.input + " : " + why);
    const std::string text = WriteDataText(list, name, layout) + FontTables(list, name, layout, options);
    RefuseOverwritingInput(options.input, options.output);
    WriteOutput(options.output, text);
    return ExitWritten;
}
