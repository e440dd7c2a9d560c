#include "SourceReading.h"

#include <algorithm>

#include "AsciiText.h"
#include "Counted.h"
#include "ShownText.h"

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
        list += (i ? ", " : "") + ShownSourceText(scan.arrays[i].name);
    if (scan.arrays.size() > Shown)
        list += "...";
    return list.empty() ? " (aucun tableau lisible)" : " ; tableaux trouvés : " + list;
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

// Why the sprite read with no array named is this one.
std::string WhyChosen(const ArrayCandidate& candidate)
{
    switch (candidate.layout) {
    case ArrayLayout::DrawCall:
        return "celui d'un appel de dessin, ";
    case ArrayLayout::OwnText:
        return "celui du commentaire de Pixora, ";
    default:
        return "le premier, ";
    }
}

// The group of assembly labels the request names when all it says of a
// layout is the mask bit (--array key --mask-bit opaque): the group is read
// as itself with that mask bit, not as a layout given by hand.
const ArrayCandidate* MaskBitOfLabelGroup(const ArraySprites& found, const SourceRequest& request)
{
    if (!request.layout)
        return nullptr;
    const ReadingRequest& layout = *request.layout;
    if (layout.arrays.size() != 1 || layout.height || layout.rows || layout.order ||
        layout.arrange != Arrangement::Separate)
        return nullptr;
    const ArrayCandidate* candidate = FindCandidate(found, layout.arrays.front());
    return candidate && candidate->labelGroup && candidate->id == layout.arrays.front() ? candidate : nullptr;
}

class Answering {
public:
    Answering(const ArraySprites& found, const SourceRequest& request) : found_(found), request_(request) {}

    SourceAnswer Run()
    {
        if (!ReadInLayout())
            ReadCandidate();
        return std::move(answer_);
    }

private:
    bool Refuse(std::string why)
    {
        answer_.frames.clear();
        answer_.refusal = std::move(why);
        return true;
    }

    void Note(std::string note) { answer_.notes.push_back(std::move(note)); }

    // The arrays in the layout given by hand, or as the call that reads the
    // named array reads it; false when neither applies.
    bool ReadInLayout()
    {
        if (!request_.array && !request_.layout)
            return false;
        DataSource source;
        std::string why;
        std::string how = "disposition demandée";
        if (request_.layout) {
            why = PlanRequest(found_.scan, *request_.layout, source);
        } else {
            const DrawCall* call = CallReading(found_.calls, *request_.array);
            if (!call)
                return ReadTableFrame();
            how = "lu comme l'appel " + call->routine;
            why = PlanDrawCall(found_.scan, *call, std::nullopt, request_.width, source);
            if (!why.empty() && !call->height)
                why += " (--height pour la donner)";
        }
        if (!why.empty())
            return Refuse(request_.path + " : " + why +
                          (why.rfind("pas de tableau", 0) == 0 ? ArraysFound(found_.scan) : ""));
        const std::size_t held = std::min<std::size_t>(FramesOf(found_.scan, source), MaxFrames);
        const std::string size = Size(source.plan.width, source.plan.height);
        if (request_.allFrames) {
            Note(request_.path + " : " +
                 Counted(static_cast<long long>(held), "image de " + size + " lue", "images de " + size + " lues") +
                 ", " + how);
            answer_.frames = ReadDataFrames(found_.scan, source, 0, held);
            return true;
        }
        if (held > 1)
            Note(request_.path + " : " + std::to_string(held) + " images de " + size +
                 " dans les tableaux, lue la première (--to-pixs pour toutes), " + how);
        answer_.frames = ReadDataFrames(found_.scan, source, 0, 1);
        return true;
    }

    // TABLE[k] of a table that a call draws row by row (TABLE[i] with i
    // known only when the program runs): frame k of the call's reading;
    // false when the name is no such part.
    bool ReadTableFrame()
    {
        const std::string& name = *request_.array;
        const std::size_t open = name.find('[');
        if (open == std::string::npos || open == 0 || name.back() != ']' || name.size() - open > 6)
            return false;
        const std::string index = name.substr(open + 1, name.size() - open - 2);
        if (index.empty() || !std::all_of(index.begin(), index.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        const DrawCall* call = CallReading(found_.calls, name.substr(0, open));
        if (!call)
            return false;
        DataSource source;
        if (const std::string why = PlanDrawCall(found_.scan, *call, std::nullopt, request_.width, source);
            !why.empty())
            return Refuse(request_.path + " : " + why);
        const std::size_t frame = std::stoul(index);
        const std::size_t held = std::min<std::size_t>(FramesOf(found_.scan, source), MaxFrames);
        if (frame >= held)
            return Refuse(request_.path + " : " + ShownSourceText(name) + " : pas d'image " + index + ", l'appel " +
                          call->routine + " en lit " + std::to_string(held) +
                          (held > 0 ? " (de 0 à " + std::to_string(held - 1) + ")" : ""));
        Note(request_.path + " : image " + index + " sur " + std::to_string(held) + " de " +
             Size(source.plan.width, source.plan.height) + ", lu comme l'appel " + call->routine);
        answer_.frames = ReadDataFrames(found_.scan, source, frame, 1);
        return true;
    }

    // The candidate named, or the one shown first.
    const ArrayCandidate* Chosen()
    {
        if (found_.candidates.empty()) {
            Refuse(request_.path +
                   " : aucun tableau de sprite lisible (tableaux C de char, short, long ou long long, uint8_t à "
                   "uint64_t ; données dc.b, dc.w, dc.l ou .byte, .word, .long, .quad d'assembleur)" +
                   Refusals(found_));
            return nullptr;
        }
        if (!request_.array)
            return &found_.candidates[FirstCandidateToShow(found_)];
        const ArrayCandidate* chosen = FindCandidate(found_, *request_.array);
        if (!chosen)
            Refuse(request_.path + " : pas de tableau " + InGuillemets(*request_.array) +
                   " ; sprites trouvés :" + CandidateList(found_, AllCandidates(found_)));
        return chosen;
    }

    std::optional<int> Width(const ArrayCandidate& candidate)
    {
        const int width = request_.width.value_or(candidate.width);
        if (std::string refusal = WidthRefusal(candidate, width); !refusal.empty()) {
            Refuse(std::move(refusal));
            return std::nullopt;
        }
        return width;
    }

    void ReadCandidate()
    {
        const ArrayCandidate* candidate = Chosen();
        if (!candidate)
            return;
        const std::optional<int> width = Width(*candidate);
        if (!width)
            return;
        if (request_.allFrames && ReadsEveryFrame(*candidate))
            ReadWholeCandidate(*candidate, *width);
        else if (request_.allFrames)
            ReadSameSize(*candidate, *width);
        else
            ReadFirstFrame(*candidate, *width);
    }

    void ReadFirstFrame(const ArrayCandidate& candidate, int width)
    {
        if (!request_.array && found_.candidates.size() > 1)
            Note(std::to_string(found_.candidates.size()) + " sprites trouvés, lu " + WhyChosen(candidate) +
                 InGuillemets(candidate.id) +
                 " (--array pour un autre) :" + CandidateList(found_, AllCandidates(found_)));
        if (const std::size_t held = CandidateFrameCount(found_, candidate); held > 1)
            Note(request_.path + " : " + std::to_string(held) + " images dans " + InGuillemets(candidate.id) +
                 ", lue la première (--to-pixs pour toutes)");
        answer_.frames.push_back(std::make_unique<Sprite>());
        BuildArraySprite(found_, candidate, width, *answer_.frames.back());
    }

    // Every frame of a call's or Pixora's comment's reading.
    void ReadWholeCandidate(const ArrayCandidate& candidate, int width)
    {
        answer_.frames = BuildCandidateFrames(found_, candidate, width);
        const std::string size = Size(width, candidate.height);
        Note(request_.path + " : " +
             Counted(static_cast<long long>(answer_.frames.size()), "image de " + size + " lue",
                     "images de " + size + " lues") +
             " :\n  " + DescribeCandidate(found_, candidate));
    }

    // The chosen sprite and every other of its size and reading, in the order of the text.
    void ReadSameSize(const ArrayCandidate& model, int width)
    {
        const std::vector<const ArrayCandidate*> alike = SameSizeCandidates(found_, model);
        const bool one = alike.size() == 1;
        Note(request_.path + " : " + std::to_string(alike.size()) + (one ? " sprite de " : " sprites de ") +
             Size(model.width, model.height) + (one ? " lu en image :" : " lus en images :") +
             CandidateList(found_, alike));
        const std::size_t others = found_.candidates.size() - alike.size();
        if (others == 1)
            Note(request_.path +
                 " : 1 autre sprite, d'une autre taille ou d'une autre lecture, laissé de côté (--array pour le "
                 "choisir)");
        else if (others > 1)
            Note(request_.path + " : " + std::to_string(others) +
                 " autres sprites, d'une autre taille ou d'une autre lecture, laissés de côté (--array pour en "
                 "choisir un)");
        answer_.frames = BuildArrayFrames(found_, alike, width);
    }

    const ArraySprites& found_;
    const SourceRequest& request_;
    SourceAnswer answer_;
};

} // namespace

SourceProgram ReadSourceProgram(const std::string& path)
{
    SourceProgram read;
    read.program = ReadProgram(path);
    read.notes = read.program.notes;
    if (!read.program.refusal.empty()) {
        read.refusal = read.program.refusal;
        return read;
    }
    read.found = FindProgramSprites(read.program);
    read.notes.insert(read.notes.end(), read.found.notes.begin(), read.found.notes.end());
    return read;
}

SourceAnswer ReadSource(const SourceRequest& request)
{
    const SourceProgram read = ReadSourceProgram(request.path);
    if (!read.refusal.empty()) {
        SourceAnswer refused;
        refused.refusal = read.refusal;
        return refused;
    }
    SourceAnswer answer = AnswerFromSprites(read.found, request);
    answer.notes.insert(answer.notes.begin(), read.notes.begin(), read.notes.end());
    return answer;
}

SourceAnswer AnswerFromSprites(const ArraySprites& found, const SourceRequest& request)
{
    const ArrayCandidate* group = MaskBitOfLabelGroup(found, request);
    if (!group)
        return Answering(found, request).Run();
    ArraySprites changed = found;
    changed.candidates[static_cast<std::size_t>(group - found.candidates.data())].source.plan.maskBit =
        request.layout->maskBit;
    SourceRequest named = request;
    named.layout.reset();
    return Answering(changed, named).Run();
}
