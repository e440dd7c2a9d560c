#include "DataCommands.h"

#include <algorithm>
#include <ostream>

#include "CIdentifier.h"
#include "CliFailure.h"
#include "CliText.h"
#include "Commands.h"
#include "Counted.h"
#include "DataText.h"
#include "ScreenCommands.h"

namespace {

std::string Size(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

// The arrays of the source, for a message about one it does not have.
std::string ArraysFound(const CArrayScan& scan)
{
    constexpr std::size_t Shown = 20;
    std::string list;
    for (std::size_t i = 0; i < scan.arrays.size() && i < Shown; ++i)
        list += (i ? ", " : "") + scan.arrays[i].name;
    if (scan.arrays.size() > Shown)
        list += "...";
    return list.empty() ? " (aucun tableau lisible)" : " ; tableaux trouvés : " + list;
}

bool LayoutAsked(const CliOptions& options)
{
    const std::set<std::string>& given = options.layout.given;
    const bool layoutOption = std::any_of(given.begin(), given.end(), [](const std::string& name) {
        return std::find(WritingOnlyOptions.begin(), WritingOnlyOptions.end(), name) == WritingOnlyOptions.end();
    });
    return layoutOption || options.arrayName->find(',') != std::string::npos;
}

ReadingRequest RequestOf(const CliOptions& options)
{
    const LayoutRequest& layout = options.layout.request;
    ReadingRequest request;
    request.arrays = ArrayList(*options.arrayName);
    request.rows = layout.rows;
    request.order = layout.order;
    request.arrange = layout.arrange;
    request.maskBit = layout.maskBit;
    request.height = options.layout.height;
    request.width = options.width;
    return request;
}

} // namespace

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
    std::vector<const Sprite*> list;
    for (const std::unique_ptr<Sprite>& frame : frames)
        list.push_back(frame.get());
    DataLayout layout;
    if (const std::string why = ResolveLayout(options.layout.request, ShapeOfFrames(list), layout); !why.empty())
        throw CliFailure(ExitBadInput, options.input + " : " + why);
    const std::string text = WriteDataText(list, name, layout) + FontTables(list, name, layout, options);
    RefuseOverwritingInput(options.input, options.output);
    WriteOutput(options.output, text);
    return ExitWritten;
}

std::optional<FrameList> ReadSourceLayout(const ArraySprites& found, const std::string& path, const CliOptions& options,
                                          bool allFrames, std::ostream& err)
{
    if (!options.arrayName)
        return std::nullopt;
    DataSource source;
    std::string why;
    std::string how = "disposition demandée";
    if (LayoutAsked(options)) {
        why = PlanRequest(found.scan, RequestOf(options), source);
    } else {
        const DrawCall* call = CallReading(found.calls, *options.arrayName);
        if (!call)
            return std::nullopt;
        how = "lu comme l'appel " + call->routine;
        why = PlanDrawCall(found.scan, *call, std::nullopt, options.width, source);
        if (!why.empty() && !call->height)
            why += " (--height pour la donner)";
    }
    if (!why.empty())
        throw CliFailure(ExitBadInput,
                         path + " : " + why + (why.rfind("pas de tableau", 0) == 0 ? ArraysFound(found.scan) : ""));
    const std::size_t held = std::min<std::size_t>(FramesOf(found.scan, source), MaxFrames);
    const std::string size = Size(source.plan.width, source.plan.height);
    if (allFrames) {
        err << "pixora-export : " << path << " : "
            << Counted(static_cast<long long>(held), "image de " + size + " lue", "images de " + size + " lues") << ", "
            << how << '\n';
        return ReadDataFrames(found.scan, source, 0, held);
    }
    if (held > 1)
        err << "pixora-export : " << path << " : " << held << " images de " << size
            << " dans les tableaux, lue la première (--to-pixs pour toutes), " << how << '\n';
    return ReadDataFrames(found.scan, source, 0, 1);
}
