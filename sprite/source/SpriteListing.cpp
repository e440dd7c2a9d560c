#include "SpriteListing.h"

#include <algorithm>

#include "Counted.h"
#include "ShownText.h"

namespace {

const std::string Alone = "tableau seul";
const std::string Labels = "étiquettes";

// The call a draw-call candidate was made from ("NAME:ROUTINE", NAME its
// first plane's array), else the first call that reads one of its arrays.
const DrawCall* CallOf(const ArraySprites& found, const ArrayCandidate& candidate)
{
    if (candidate.layout == ArrayLayout::DrawCall)
        for (const DrawCall& call : found.calls)
            if (call.planes.front().array + ":" + call.routine == candidate.id)
                return &call;
    for (const std::size_t index : candidate.arrays) {
        const std::string& name = found.scan.arrays[index].name; // a part taupe[1] is drawn with its array taupe
        if (const DrawCall* call = CallReading(found.calls, name.substr(0, name.find('['))))
            return call;
    }
    return nullptr;
}

} // namespace

std::vector<SpriteListing> ListCandidates(const ProgramText& program, const ArraySprites& found)
{
    std::vector<const DrawCall*> calls;
    std::vector<std::size_t> callOffsets;
    for (const ArrayCandidate& candidate : found.candidates) {
        calls.push_back(CallOf(found, candidate));
        if (calls.back())
            callOffsets.push_back(calls.back()->textOffset);
    }
    const std::vector<std::string> places = PlacesInProgram(program, callOffsets); // the text read once for all
    std::vector<SpriteListing> listings;
    std::size_t placed = 0;
    for (std::size_t i = 0; i < found.candidates.size(); ++i) {
        const ArrayCandidate& candidate = found.candidates[i];
        std::string origin = calls[i] ? places[placed++] : std::string();
        if (origin.empty())
            origin = candidate.labelGroup ? Labels : Alone;
        listings.push_back({candidate.id, candidate.width, candidate.height, CandidateKind(candidate),
                            ReadsEveryFrame(candidate) ? CandidateFrameCount(found, candidate) : 1, std::move(origin)});
    }
    return listings;
}

std::vector<SpriteListing> ListProgramSprites(const ProgramText& program, const ArraySprites& found)
{
    std::vector<SpriteListing> listings = ListCandidates(program, found);
    std::vector<std::size_t> order(listings.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_partition(order.begin(), order.end(),
                          [&](std::size_t i) { return found.candidates[i].layout == ArrayLayout::DrawCall; });
    std::vector<SpriteListing> ordered;
    for (const std::size_t i : order)
        ordered.push_back(std::move(listings[i]));
    return ordered;
}

std::string WithinFolder(const std::string& text, const std::string& folder)
{
    if (folder.empty())
        return text;
    const std::string start = folder.back() == '/' ? folder : folder + '/';
    std::string within;
    std::size_t at = 0;
    for (std::size_t found = text.find(start); found != std::string::npos; found = text.find(start, at)) {
        within.append(text, at, found - at);
        at = found + start.size();
    }
    return within.append(text, at, std::string::npos);
}
std::string SpriteListingLine(const SpriteListing& listing)
{
    return ShownSourceText(listing.name) + "  " + std::to_string(listing.width) + " x " +
           std::to_string(listing.height) + "  " + listing.kind + "  " +
           Counted(static_cast<long long>(listing.frames), "image", "images") + "  " + listing.origin;
}
