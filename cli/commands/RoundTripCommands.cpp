#include "RoundTripCommands.h"

#include <memory>
#include <ostream>

#include "CliFailure.h"
#include "DataCommands.h"
#include "SourceReading.h"

namespace {

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

std::unique_ptr<Sprite> ReadCArraySprite(const std::string& path, const CliOptions& options, std::ostream& err)
{
    return std::move(ReadSourceFrames(path, options, false, err).front());
}

FrameList ReadCArrayFrames(const std::string& path, const CliOptions& options, std::ostream& err)
{
    return ReadSourceFrames(path, options, true, err);
}
