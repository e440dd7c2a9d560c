// Feeds arbitrary C text to the draw-call reader: every call it finds must
// name arrays of the text, be found again by each of them, and read (when
// its plan is not refused) sprites within limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzFile.h"
#include "c_array_sprites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ArraySprites found = FindArraySprites(text);
    if (found.calls.size() > MaxDrawCalls)
        std::abort();
    for (const DrawCall& call : found.calls) {
        if (call.planes.empty() || (call.height && (*call.height < 1 || *call.height > MaxHeight)))
            std::abort();
        for (const PlaneArgument& plane : call.planes)
            if (ArrayGroupNamed(found.scan, plane.array).empty() || !CallReading(found.calls, plane.array))
                std::abort();
        DataSource source;
        if (!PlanDrawCall(found.scan, call, std::nullopt, std::nullopt, source).empty())
            continue;
        if (FramesOf(found.scan, source) == 0)
            std::abort();
        for (const auto& frame : ReadDataFrames(found.scan, source, 0, 1))
            CheckSpriteLimits(*frame);
    }
    for (const ArrayCandidate& candidate : found.candidates)
        if (candidate.layout == ArrayLayout::DrawCall)
            for (const auto& frame : BuildCandidateFrames(found, candidate, candidate.width))
                CheckSpriteLimits(*frame);
    return 0;
}
