#include "DataCommands.h"

#include <algorithm>

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

std::optional<ReadingRequest> LayoutOfOptions(const CliOptions& options)
{
    if (!options.arrayName || !LayoutAsked(options))
        return std::nullopt;
    return RequestOf(options);
}
