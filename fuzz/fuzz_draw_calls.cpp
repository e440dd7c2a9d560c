// Feeds arbitrary programs of several files to the draw-call reader: the
// input is cut at its NUL bytes into two C files and an assembly file, read
// together as one program, so that calls of one file name arrays and
// constants of the others. Every call it finds must name arrays of the
// program, be found again by each of them, and read (when its plan is not
// refused) sprites within limits. The second file is also read as the
// condition of an #if line, with the program's constants.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "FuzzFile.h"
#include "PreprocessorCondition.h"
#include "c_array_sprites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view files[3];
    std::size_t at = 0;
    for (std::size_t i = 0; i < 3 && at <= input.size(); ++i) {
        const std::size_t end = i == 2 ? input.size() : std::min(input.find('\0', at), input.size());
        files[i] = input.substr(at, end - at);
        at = end + 1;
    }
    ProgramText program;
    program.c = std::string(files[0]) + "\n" + std::string(files[1]);
    program.assembly = files[2];
    const ArraySprites found = FindProgramSprites(program);
    std::set<std::string> defined;
    for (const auto& [name, value] : found.scan.constants)
        defined.insert(name);
    EvaluateCondition(files[1], defined, found.scan.constants);
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
