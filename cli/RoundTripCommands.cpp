#include "RoundTripCommands.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "CliFailure.h"
#include "CliText.h"
#include "Commands.h"
#include "DataCommands.h"
#include "FileRead.h"
#include "PendingOutput.h"
#include "SystemFiles.h"
#include "c_array_sprites.h"
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

std::string Refusals(const ArraySprites& found)
{
    std::string text;
    for (const std::string& refusal : found.refusals)
        text += "\n  " + refusal;
    return text;
}

std::string CandidateList(const ArraySprites& found, const std::vector<const ArrayCandidate*>& candidates)
{
    std::string list;
    for (const ArrayCandidate* candidate : candidates)
        list += "\n  " + DescribeCandidate(found, *candidate);
    return list;
}

std::vector<const ArrayCandidate*> AllCandidates(const ArraySprites& found)
{
    std::vector<const ArrayCandidate*> all;
    for (const ArrayCandidate& candidate : found.candidates)
        all.push_back(&candidate);
    return all;
}

// The sprite --array names, or the first one.
const ArrayCandidate& ChooseCandidate(const std::string& path, const CliOptions& options, const ArraySprites& found)
{
    if (found.candidates.empty())
        throw CliFailure(ExitBadInput, path +
                                           " : aucun tableau de sprite lisible (tableaux C de char, short, long ou "
                                           "long long, uint8_t à uint64_t ; données dc.b, dc.w, dc.l ou .byte, "
                                           ".word, .long, .quad d'assembleur)" +
                                           Refusals(found));
    if (!options.arrayName)
        return found.candidates.front();
    const ArrayCandidate* chosen = FindCandidate(found, *options.arrayName);
    if (!chosen)
        throw CliFailure(ExitBadInput, path + " : pas de tableau " + Quoted(*options.arrayName) +
                                           " ; sprites trouvés :" + CandidateList(found, AllCandidates(found)));
    return *chosen;
}

int ChosenWidth(const CliOptions& options, const ArrayCandidate& candidate)
{
    const int width = options.width.value_or(candidate.width);
    const std::string refusal = WidthRefusal(candidate, width);
    if (!refusal.empty())
        throw CliFailure(ExitBadInput, refusal);
    return width;
}

} // namespace

// The arrays of a C or assembly source and the sprites they make.
ArraySprites ReadSourceSprites(const std::string& path)
{
    FileContent source = ReadWholeFile(path, MaxSourceBytes);
    if (!source.Read())
        throw CliFailure(ExitBadInput, path + " : " + ReadProblemText(source));
    return FindSourceSprites(source.bytes, SourceKindOfPath(path).value_or(SourceKind::C));
}

bool IsDataSourcePath(const std::string& path)
{
    return SourceKindOfPath(path).has_value();
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
    const ArraySprites found = ReadSourceSprites(path);
    if (std::optional<FrameList> frames = ReadSourceLayout(found, path, options, false, err))
        return std::move(frames->front());
    const ArrayCandidate& candidate = ChooseCandidate(path, options, found);
    if (!options.arrayName && found.candidates.size() > 1)
        err << "pixora-export : " << found.candidates.size() << " sprites trouvés, lu le premier, "
            << Quoted(candidate.id) << " (--array pour un autre) :" << CandidateList(found, AllCandidates(found))
            << '\n';
    auto sprite = std::make_unique<Sprite>();
    BuildArraySprite(found, candidate, ChosenWidth(options, candidate), *sprite);
    return sprite;
}

FrameList ReadCArrayFrames(const std::string& path, const CliOptions& options, std::ostream& err)
{
    const ArraySprites found = ReadSourceSprites(path);
    if (std::optional<FrameList> frames = ReadSourceLayout(found, path, options, true, err))
        return std::move(*frames);
    const ArrayCandidate& model = ChooseCandidate(path, options, found);
    const std::vector<const ArrayCandidate*> alike = SameSizeCandidates(found, model);
    const bool one = alike.size() == 1;
    err << "pixora-export : " << path << " : " << alike.size() << (one ? " sprite de " : " sprites de ") << model.width
        << " x " << model.height << (one ? " lu en image :" : " lus en images :") << CandidateList(found, alike)
        << '\n';
    const std::size_t others = found.candidates.size() - alike.size();
    if (others == 1)
        err << "pixora-export : " << path
            << " : 1 autre sprite, d'une autre taille ou d'une autre lecture, laissé de côté (--array pour le "
               "choisir)\n";
    else if (others > 1)
        err << "pixora-export : " << path << " : " << others
            << " autres sprites, d'une autre taille ou d'une autre lecture, laissés de côté (--array pour en "
               "choisir un)\n";
    return BuildArrayFrames(found, alike, ChosenWidth(options, model));
}
