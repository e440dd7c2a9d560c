#include "c_array_sprites.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <unordered_map>

#include "AsmDataReader.h"
#include "Counted.h"
#include "OwnDataText.h"
#include "ShownText.h"
#include "SystemFiles.h"

namespace {

const std::string LightSuffix = "_LightPlane";
const std::string DarkSuffix = "_DarkPlane";
const std::string MaskSuffix = "_Mask";
const std::string InterlacedSuffix = "_Interlaced";
const std::string GrayMark = ":gris";
const std::string FirstPart = "[0]";

constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string WithoutSuffix(const std::string& text, const std::string& suffix)
{
    return text.substr(0, text.size() - suffix.size());
}

// The layout each group of the plug-ins is written in.
DataLayout LayoutOf(ArrayLayout layout, int elementBits)
{
    DataLayout data;
    data.rows = RowUnitOfBits(elementBits);
    switch (layout) {
    case ArrayLayout::Single:
    case ArrayLayout::DrawCall:
    case ArrayLayout::OwnText:
        data.order = {Plane::Black};
        break;
    case ArrayLayout::Planes:
        data.order = {Plane::Light, Plane::Dark};
        break;
    case ArrayLayout::Masked:
        data.order = {Plane::Black, Plane::Mask};
        break;
    case ArrayLayout::MaskedPlanes:
        data.order = {Plane::Light, Plane::Dark, Plane::Mask};
        break;
    case ArrayLayout::Interlaced:
        data.order = {Plane::Mask, Plane::Light, Plane::Dark};
        data.arrange = Arrangement::Interlaced;
        break;
    case ArrayLayout::Halves:
        data.order = {Plane::Light, Plane::Dark};
        data.arrange = Arrangement::Block;
        break;
    }
    return data;
}

DataSource SourceOf(const CArrayScan& scan, ArrayLayout layout, const std::vector<std::size_t>& arrays, int width,
                    int height)
{
    const int elementBits = scan.arrays[arrays.front()].elementBits;
    DataSource source;
    source.plan = PlanOfLayout(LayoutOf(layout, elementBits), width, height);
    for (const std::size_t index : arrays) {
        source.groups.push_back({index});
        source.names.push_back(scan.arrays[index].name);
    }
    source.elementBits = elementBits;
    return source;
}

// The plane an assembly label names by its ending, and its stem:
// key_light, key_l, keyLight, key_Light, key_clair... The endings after
// '_' in any case, the capitalised words also without it.
struct LabelPlane {
    std::string stem;
    Plane plane;
};

std::optional<LabelPlane> LabelPlaneOf(const std::string& name)
{
    static const std::pair<const char*, Plane> Words[] = {
        {"light", Plane::Light}, {"clair", Plane::Light}, {"l", Plane::Light},
        {"dark", Plane::Dark},   {"fonce", Plane::Dark},  {"d", Plane::Dark},
        {"mask", Plane::Mask},   {"masque", Plane::Mask}, {"m", Plane::Mask},
    };
    for (const auto& [word, plane] : Words) {
        const std::string ending = std::string("_") + word;
        if (name.size() > ending.size() && AsciiLowered(name.substr(name.size() - ending.size())) == ending)
            return LabelPlane{name.substr(0, name.size() - ending.size()), plane};
        std::string capitalised = word;
        capitalised[0] = static_cast<char>(capitalised[0] - 'a' + 'A');
        if (capitalised.size() > 1 && EndsWith(name, capitalised))
            return LabelPlane{WithoutSuffix(name, capitalised), plane};
    }
    return std::nullopt;
}

// Groups the scan's arrays into candidates, each array in at most one.
class Grouper {
public:
    explicit Grouper(ArraySprites& found) : found_(found), used_(found.scan.arrays.size(), false)
    {
        const auto& arrays = found.scan.arrays;
        for (std::size_t i = 0; i < arrays.size(); ++i)
            byName_.emplace(arrays[i].name, i); // a repeated name keeps its first array
    }

    void Run()
    {
        const auto& arrays = found_.scan.arrays;
        for (std::size_t i = 0; i < arrays.size(); ++i)
            if (!used_[i] && arrays[i].label)
                GroupLabels(i);
        for (std::size_t i = 0; i < arrays.size(); ++i)
            if (!used_[i])
                Group(i);
        for (std::size_t i = 0; i < singles_.size(); ++i)
            OfferHalves(singles_[i]);
        for (std::size_t i = 0; i < singles_.size(); ++i)
            OfferPartPlanes(singles_[i]);
    }

private:
    const CArray& Array(std::size_t index) const { return found_.scan.arrays[index]; }

    // The unused array of that name with this many elements of these bits.
    std::size_t Partner(const std::string& name, int bits, std::size_t count) const
    {
        const auto it = byName_.find(name);
        if (it == byName_.end() || used_[it->second])
            return NotFound;
        const CArray& array = Array(it->second);
        return array.elementBits == bits && ElementCount(array) == count && array.offered ? it->second : NotFound;
    }

    // The labels of one sprite's planes: stem_light and stem_dark, with
    // stem_mask or not, or stem and stem_mask, each of the same size.
    void GroupLabels(std::size_t index)
    {
        const std::optional<LabelPlane> named = LabelPlaneOf(Array(index).name);
        if (!named)
            return;
        const int bits = Array(index).elementBits;
        const std::size_t count = ElementCount(Array(index));
        std::size_t planes[3] = {NotFound, NotFound, NotFound}; // light, dark, mask
        for (std::size_t i = 0; i < found_.scan.arrays.size(); ++i) {
            const CArray& other = Array(i);
            const std::optional<LabelPlane> plane = other.label ? LabelPlaneOf(other.name) : std::nullopt;
            if (plane && plane->stem == named->stem && !used_[i] && other.offered && other.elementBits == bits &&
                ElementCount(other) == count) {
                std::size_t& slot = planes[plane->plane == Plane::Light ? 0 : plane->plane == Plane::Dark ? 1 : 2];
                slot = slot == NotFound ? i : slot;
            }
        }
        const auto [light, dark, mask] = planes;
        const std::size_t candidates = found_.candidates.size();
        if (light != NotFound && dark != NotFound) {
            if (mask != NotFound)
                Add(named->stem, ArrayLayout::MaskedPlanes, {light, dark, mask}, count);
            else
                Add(named->stem, ArrayLayout::Planes, {light, dark}, count);
        } else if (const std::size_t sprite = Partner(named->stem, bits, count);
                   mask != NotFound && sprite != NotFound && Array(sprite).label) {
            Add(named->stem, ArrayLayout::Masked, {sprite, mask}, count);
        }
        if (found_.candidates.size() > candidates)
            found_.candidates.back().labelGroup = true;
    }

    void Group(std::size_t index)
    {
        const CArray& array = Array(index);
        const int bits = array.elementBits;
        const std::size_t count = ElementCount(array);
        if (!array.offered) { // tile maps and text
            used_[index] = true;
            return;
        }
        if (EndsWith(array.name, LightSuffix) || EndsWith(array.name, DarkSuffix)) {
            const bool light = EndsWith(array.name, LightSuffix);
            const std::string base = WithoutSuffix(array.name, light ? LightSuffix : DarkSuffix);
            const std::size_t other = Partner(base + (light ? DarkSuffix : LightSuffix), bits, count);
            if (other != NotFound) {
                const std::size_t lightIndex = light ? index : other;
                const std::size_t darkIndex = light ? other : index;
                const std::size_t mask = Partner(base + MaskSuffix, bits, count);
                const std::size_t interlaced = Partner(base + InterlacedSuffix, bits, 3 * count);
                if (interlaced != NotFound) // maskplane's other form of the same sprite
                    used_[interlaced] = true;
                if (mask != NotFound)
                    Add(base, ArrayLayout::MaskedPlanes, {lightIndex, darkIndex, mask}, count);
                else
                    Add(base, ArrayLayout::Planes, {lightIndex, darkIndex}, count);
                return;
            }
        }
        if (EndsWith(array.name, InterlacedSuffix) && count % 3 == 0) {
            Add(WithoutSuffix(array.name, InterlacedSuffix), ArrayLayout::Interlaced, {index}, count / 3);
            return;
        }
        if (EndsWith(array.name, MaskSuffix)) {
            const std::string base = WithoutSuffix(array.name, MaskSuffix);
            const std::size_t sprite = Partner(base, bits, count);
            if (sprite != NotFound) {
                Add(base, ArrayLayout::Masked, {sprite, index}, count);
                return;
            }
        }
        const std::size_t mask = Partner(array.name + MaskSuffix, bits, count);
        if (mask != NotFound) {
            Add(array.name, ArrayLayout::Masked, {index, mask}, count);
            return;
        }
        used_[index] = true;
        singles_.push_back(index);
        if (count <= MaxHeight)
            Add(array.name, ArrayLayout::Single, {index}, count);
    }

    void OfferHalves(std::size_t index)
    {
        const CArray& array = Array(index);
        const std::size_t count = ElementCount(array);
        if (count % 2 == 0)
            Add(array.name + GrayMark, ArrayLayout::Halves, {index}, count / 2, true);
        else if (count > MaxHeight)
            Refuse(array.name, count);
    }

    // NAME[0] and NAME[1] of an array of exactly two parts, as its planes.
    void OfferPartPlanes(std::size_t index)
    {
        const CArray& array = Array(index);
        if (!EndsWith(array.name, FirstPart))
            return;
        const std::string base = WithoutSuffix(array.name, FirstPart);
        const auto second = byName_.find(base + "[1]");
        if (second == byName_.end() || byName_.count(base + "[2]") != 0)
            return;
        const CArray& dark = Array(second->second);
        const std::size_t count = ElementCount(array);
        if (dark.elementBits == array.elementBits && ElementCount(dark) == count && count <= MaxHeight)
            Add(base + GrayMark, ArrayLayout::Planes, {index, second->second}, count, true);
    }

    void Add(const std::string& id, ArrayLayout layout, std::vector<std::size_t> arrays, std::size_t height,
             bool rereading = false)
    {
        for (std::size_t index : arrays)
            used_[index] = true;
        const CArray& first = Array(arrays.front());
        if (height > static_cast<std::size_t>(MaxHeight)) {
            Refuse(id, height);
            return;
        }
        const auto sized = found_.scan.commentSizes.find(id);
        int width = first.elementBits;
        if (sized != found_.scan.commentSizes.end() && sized->second.width >= 1 && sized->second.width <= width)
            width = sized->second.width;
        DataSource source = SourceOf(found_.scan, layout, arrays, width, static_cast<int>(height));
        found_.candidates.push_back({id, layout, std::move(arrays), first.elementBits, width, static_cast<int>(height),
                                     rereading, std::move(source)});
    }

    void Refuse(const std::string& id, std::size_t height)
    {
        found_.refusals.push_back(ShownSourceText(id) + " : " + std::to_string(height) + " lignes, au plus " +
                                  std::to_string(MaxHeight));
    }

    ArraySprites& found_;
    std::vector<bool> used_;
    std::unordered_map<std::string, std::size_t> byName_;
    std::vector<std::size_t> singles_;
};

const char* LayoutText(ArrayLayout layout)
{
    switch (layout) {
    case ArrayLayout::Single:
        return "noir et blanc";
    case ArrayLayout::Planes:
        return "niveaux de gris";
    case ArrayLayout::Masked:
        return "noir et blanc masqué";
    case ArrayLayout::MaskedPlanes:
    case ArrayLayout::Interlaced:
        return "niveaux de gris masqué";
    case ArrayLayout::Halves:
    case ArrayLayout::DrawCall:
    case ArrayLayout::OwnText:
        break;
    }
    return "niveaux de gris, plan clair puis plan foncé dans un seul tableau";
}

// A candidate that reads its arrays as the source's plan says.
ArrayCandidate WholeReading(const std::string& id, ArrayLayout layout, DataSource source)
{
    std::vector<std::size_t> arrays;
    for (const std::vector<std::size_t>& group : source.groups)
        arrays.insert(arrays.end(), group.begin(), group.end());
    const DataPlan& plan = source.plan;
    return {id, layout, std::move(arrays), plan.rowBytes * 8, plan.width, plan.height, true, std::move(source)};
}

// The candidates of the calls, after the others: "NAME:ROUTINE", the array
// of the call's first plane, each once.
void AddCallCandidates(ArraySprites& found)
{
    for (const DrawCall& call : found.calls) {
        DataSource source;
        if (!PlanDrawCall(found.scan, call, std::nullopt, std::nullopt, source).empty())
            continue;
        const std::string id = call.planes.front().array + ":" + call.routine;
        const bool known = std::any_of(found.candidates.begin(), found.candidates.end(),
                                       [&](const ArrayCandidate& candidate) { return candidate.id == id; });
        if (known)
            continue;
        found.candidates.push_back(WholeReading(id, ArrayLayout::DrawCall, std::move(source)));
    }
}

// The candidates of Pixora's own comments, ahead of the others, so that
// --array NAME finds them before another reading of the same arrays.
void AddOwnTextCandidates(ArraySprites& found, std::string_view text)
{
    std::vector<ArrayCandidate> own;
    for (const OwnDataHeader& header : FindOwnDataHeaders(text)) {
        DataSource source;
        if (const std::string why = PlanOwnData(found.scan, header, source); !why.empty()) {
            found.refusals.push_back(header.name + " : " + why);
            continue;
        }
        own.push_back(WholeReading(header.name, ArrayLayout::OwnText, std::move(source)));
    }
    const auto afterOwn = std::find_if(found.candidates.begin(), found.candidates.end(),
                                       [](const ArrayCandidate& c) { return c.layout != ArrayLayout::OwnText; });
    found.candidates.insert(afterOwn, std::make_move_iterator(own.begin()), std::make_move_iterator(own.end()));
}

// Whether the array holds cells of a map Pixora's comments describe: NAME_map
// or one of its parts NAME_map[k].
bool IsMapCells(const ArraySprites& found, const std::string& arrayName)
{
    return std::any_of(found.maps.begin(), found.maps.end(), [&](const OwnMapHeader& map) {
        const std::string cells = map.CellsName();
        return arrayName.starts_with(cells) && (arrayName.size() == cells.size() || arrayName[cells.size()] == '[');
    });
}

// A map's cells are tile numbers, never a sprite's rows: no candidate reads them.
void DropMapCells(ArraySprites& found)
{
    if (found.maps.empty())
        return;
    std::erase_if(found.candidates, [&](const ArrayCandidate& candidate) {
        return std::any_of(candidate.arrays.begin(), candidate.arrays.end(),
                           [&](std::size_t index) { return IsMapCells(found, found.scan.arrays[index].name); });
    });
}

bool HasPlane(const DataPlan& plan, Plane plane)
{
    return std::any_of(plan.planes.begin(), plan.planes.end(),
                       [plane](const PlaneSource& source) { return source.plane == plane; });
}

// The kind of a whole reading, and what it is read as.
std::string WholeReadingWords(const ArrayCandidate& candidate)
{
    const std::string kind = CandidateKind(candidate);
    if (candidate.layout == ArrayLayout::OwnText)
        return kind + ", lu d'après le commentaire de Pixora";
    return kind + ", lu comme l'appel " + candidate.id.substr(candidate.id.rfind(':') + 1);
}

// The candidates of a scan: the arrays grouped, the calls of the C text
// (callText) on them, the readings Pixora's comments in the texts say.
ArraySprites FindSprites(CArrayScan scan, std::string_view callText, std::initializer_list<std::string_view> texts)
{
    ArraySprites found;
    found.scan = std::move(scan);
    found.refusals = found.scan.refusals;
    if (found.scan.refusedCount > found.scan.refusals.size())
        found.refusals.push_back("et " +
                                 Counted(static_cast<long long>(found.scan.refusedCount - found.scan.refusals.size()),
                                         "autre tableau illisible", "autres tableaux illisibles"));
    Grouper(found).Run();
    if (!callText.empty()) {
        found.calls = FindDrawCalls(callText, found.scan);
        AddCallCandidates(found);
    }
    for (const std::string_view text : texts) {
        AddOwnTextCandidates(found, text);
        for (OwnMapHeader& map : FindOwnMapHeaders(text))
            found.maps.push_back(std::move(map));
    }
    DropMapCells(found);
    return found;
}

// The definitions of each array name in a program's C text (an array of
// parts is one definition), by where they stand.
std::map<std::string, std::vector<std::size_t>> DefinitionsByName(const CArrayScan& scan)
{
    std::map<std::string, std::vector<std::size_t>> definitions;
    for (const CArray& array : scan.arrays) {
        std::vector<std::size_t>& offsets = definitions[array.name.substr(0, array.name.find('['))];
        if (std::find(offsets.begin(), offsets.end(), array.textOffset) == offsets.end())
            offsets.push_back(array.textOffset);
    }
    return definitions;
}

// One definition of each name of a program's C arrays: where two files
// define it, the one in the file of the first call that draws it (or
// included into that file), else the first read; the others are left out
// of the scan, and a note says which was read.
std::vector<std::string> KeepOneDefinitionEach(const ProgramText& program, CArrayScan& scan)
{
    constexpr std::size_t MostNotes = 20; // one per name; the rest counted
    std::map<std::string, std::vector<std::size_t>> definitions = DefinitionsByName(scan);
    std::erase_if(definitions, [](const auto& named) { return named.second.size() < 2; });
    if (definitions.empty())
        return {};
    const std::vector<DrawCall> calls = FindDrawCalls(program.c, scan);
    struct Choice {
        std::size_t kept;
        const DrawCall* call; // beside which the kept one is, or null: the first read
    };
    std::map<std::string, Choice> kept;
    std::vector<std::size_t> offsets;                  // whose places the notes say, the text read once for all
    std::map<std::size_t, std::vector<bool>> seenFrom; // the files each call's file includes
    for (const auto& [name, defined] : definitions) {
        Choice choice{defined.front(), nullptr};
        if (const DrawCall* call = CallReading(calls, name)) {
            const std::size_t callFile = FileInProgram(program, call->textOffset);
            auto seen = seenFrom.find(callFile);
            if (seen == seenFrom.end())
                seen = seenFrom.emplace(callFile, FilesSeenFrom(program, callFile)).first;
            const auto inCallFile = std::find_if(defined.begin(), defined.end(), [&](std::size_t offset) {
                const std::size_t file = FileInProgram(program, offset);
                return file < seen->second.size() && seen->second[file];
            });
            if (inCallFile != defined.end())
                choice = {*inCallFile, call};
        }
        kept.emplace(name, choice);
        offsets.insert(offsets.end(), defined.begin(), defined.end());
        offsets.push_back(choice.kept);
        offsets.push_back(choice.call ? choice.call->textOffset : 0);
    }
    const std::vector<std::string> places = PlacesInProgram(program, offsets);
    std::vector<std::string> notes;
    std::size_t at = 0;
    for (const auto& [name, defined] : definitions) {
        std::string files;
        for (std::size_t i = 0; i < defined.size(); ++i)
            files += (i ? ", " : "") + places[at++];
        const std::string read = places[at++];
        const std::string callPlace = places[at++];
        const std::string why = kept.at(name).call ? "celui que voit l'appel " + callPlace : "le premier lu";
        if (notes.size() < MostNotes)
            notes.push_back(QuotedSourceText(name) + " défini " + std::to_string(defined.size()) + " fois (" + files +
                            ") : lu " + read + ", " + why);
    }
    if (definitions.size() > MostNotes)
        notes.push_back("et " + std::to_string(definitions.size() - MostNotes) +
                        " autres noms définis plusieurs fois, lus de même");
    std::erase_if(scan.arrays, [&](const CArray& array) {
        const auto chosen = kept.find(array.name.substr(0, array.name.find('[')));
        return chosen != kept.end() && chosen->second.kept != array.textOffset;
    });
    return notes;
}

} // namespace

ArraySprites FindArraySprites(std::string_view text)
{
    return FindSourceSprites(text, SourceKind::C);
}

std::optional<SourceKind> SourceKindOfPath(const std::string& path)
{
    const std::string extension = AsciiLowered(NativeName(NativePath(path).extension()));
    if (extension == ".c" || extension == ".h")
        return SourceKind::C;
    if (extension == ".s" || extension == ".asm" || extension == ".inc")
        return SourceKind::Assembly;
    return std::nullopt;
}

ArraySprites FindSourceSprites(std::string_view text, SourceKind kind)
{
    return FindSprites(kind == SourceKind::C ? ScanCArrays(text) : ScanAssemblyArrays(text),
                       kind == SourceKind::C ? text : std::string_view(), {text});
}

ArraySprites FindProgramSprites(const ProgramText& program)
{
    CArrayScan scan = ScanCArrays(program.c);
    std::vector<std::string> notes = KeepOneDefinitionEach(program, scan);
    AddScan(scan, ScanAssemblyArrays(program.assembly));
    ArraySprites found = FindSprites(std::move(scan), program.c, {program.c, program.assembly});
    found.notes = std::move(notes);
    return found;
}

std::string DescribeCandidate(const ArraySprites& found, const ArrayCandidate& candidate)
{
    const std::string words = ReadsEveryFrame(candidate) ? WholeReadingWords(candidate) : LayoutText(candidate.layout);
    std::string text = ShownSourceText(candidate.id) + " : " + std::to_string(candidate.width) + " x " +
                       std::to_string(candidate.height) + ", " + words + " (";
    for (std::size_t i = 0; i < candidate.arrays.size(); ++i)
        text += (i ? ", " : "") + ShownSourceText(found.scan.arrays[candidate.arrays[i]].name);
    return text + ")";
}

std::string CandidateKind(const ArrayCandidate& candidate)
{
    const DataPlan& plan = candidate.source.plan;
    return std::string(HasPlane(plan, Plane::Light) ? "niveaux de gris" : "noir et blanc") +
           (HasPlane(plan, Plane::Mask) ? " masqué" : "");
}

std::size_t FirstCandidateToShow(const ArraySprites& found)
{
    // Own text candidates come first in the list: the first of them is the
    // first candidate when no call reads the arrays.
    const auto call =
        std::find_if(found.candidates.begin(), found.candidates.end(),
                     [](const ArrayCandidate& candidate) { return candidate.layout == ArrayLayout::DrawCall; });
    return call == found.candidates.end() ? 0 : static_cast<std::size_t>(call - found.candidates.begin());
}

bool ReadsEveryFrame(const ArrayCandidate& candidate)
{
    return candidate.layout == ArrayLayout::DrawCall || candidate.layout == ArrayLayout::OwnText;
}

const ArrayCandidate* FindCandidate(const ArraySprites& found, const std::string& name)
{
    for (const ArrayCandidate& candidate : found.candidates)
        if (candidate.id == name)
            return &candidate;
    for (const ArrayCandidate& candidate : found.candidates)
        for (std::size_t index : candidate.arrays)
            if (found.scan.arrays[index].name == name)
                return &candidate;
    return nullptr;
}

std::string WidthRefusal(const ArrayCandidate& candidate, int width)
{
    if (width >= 1 && width <= candidate.elementBits)
        return {};
    return "largeur " + std::to_string(width) + " impossible pour " + ShownSourceText(candidate.id) + " : de 1 à " +
           std::to_string(candidate.elementBits) + " (les bits de ses éléments)";
}

void BuildArraySprite(const ArraySprites& found, const ArrayCandidate& candidate, int width, Sprite& sprite)
{
    DataSource source = candidate.source;
    source.plan.width = width;
    DecodeFrame(source.plan, ImagesOf(found.scan, source), 0, sprite);
}

std::vector<const ArrayCandidate*> SameSizeCandidates(const ArraySprites& found, const ArrayCandidate& model)
{
    const auto sameReading = [&model](const ArrayCandidate& candidate) {
        return candidate.rereading == model.rereading && (!model.rereading || candidate.layout == model.layout);
    };
    std::vector<const ArrayCandidate*> alike;
    for (const ArrayCandidate& candidate : found.candidates)
        if (alike.size() < MaxFrames && candidate.elementBits == model.elementBits && candidate.width == model.width &&
            candidate.height == model.height && sameReading(candidate))
            alike.push_back(&candidate);
    return alike;
}

FrameList BuildArrayFrames(const ArraySprites& found, const std::vector<const ArrayCandidate*>& candidates, int width)
{
    FrameList frames;
    for (const ArrayCandidate* candidate : candidates) {
        frames.push_back(std::make_unique<Sprite>());
        BuildArraySprite(found, *candidate, width, *frames.back());
    }
    return frames;
}

std::size_t CandidateFrameCount(const ArraySprites& found, const ArrayCandidate& candidate)
{
    return std::min<std::size_t>(FramesOf(found.scan, candidate.source), MaxFrames);
}

FrameList BuildCandidateFrames(const ArraySprites& found, const ArrayCandidate& candidate, int width)
{
    DataSource source = candidate.source;
    source.plan.width = width;
    return ReadDataFrames(found.scan, source, 0, CandidateFrameCount(found, candidate));
}
