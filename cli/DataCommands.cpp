#include "DataCommands.h"

#include <algorithm>
#include <ostream>

#include "CIdentifier.h"
#include "CliFailure.h"
#include "CliText.h"
#include "Commands.h"
#include "Counted.h"
#include "DataText.h"

namespace {

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
    const std::string text = WriteDataText(list, name, layout);
    RefuseOverwritingInput(options.input, options.output);
    WriteOutput(options.output, text);
    return ExitWritten;
}

std::optional<ReadingRequest> LayoutOfOptions(const CliOptions& options)
{
    if (!options.arrayName || !LayoutAsked(options))
        return std::nullopt;
    return RequestOf(options);
}
