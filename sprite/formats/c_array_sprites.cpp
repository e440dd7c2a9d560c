#include "c_array_sprites.h"

#include <cstring>
#include <unordered_map>

#include "Counted.h"

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
        return array.elementBits == bits && array.values.size() == count ? it->second : NotFound;
    }

    void Group(std::size_t index)
    {
        const CArray& array = Array(index);
        const int bits = array.elementBits;
        const std::size_t count = array.values.size();
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
        const std::size_t count = array.values.size();
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
        if (dark.elementBits == array.elementBits && dark.values.size() == array.values.size() &&
            array.values.size() <= MaxHeight)
            Add(base + GrayMark, ArrayLayout::Planes, {index, second->second}, array.values.size(), true);
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
        found_.candidates.push_back(
            {id, layout, std::move(arrays), first.elementBits, width, static_cast<int>(height), rereading});
    }

    void Refuse(const std::string& id, std::size_t height)
    {
        found_.refusals.push_back(id + " : " + std::to_string(height) + " lignes, au plus " +
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
        break;
    }
    return "niveaux de gris, plan clair puis plan foncé dans un seul tableau";
}

bool IsBitSet(uint32_t row, int elementBits, int x)
{
    return (row >> (elementBits - 1 - x)) & 1;
}

// The cell of pixel (x, y) from the candidate's arrays.
int8_t CellAt(const ArraySprites& found, const ArrayCandidate& candidate, int x, int y)
{
    const auto values = [&](std::size_t which) -> const std::vector<uint32_t>& {
        return found.scan.arrays[candidate.arrays[which]].values;
    };
    const int bits = candidate.elementBits;
    int light = 0;
    int dark = 0;
    bool masked = false;
    switch (candidate.layout) {
    case ArrayLayout::Single:
    case ArrayLayout::Masked:
        light = dark = IsBitSet(values(0)[y], bits, x);
        masked = candidate.layout == ArrayLayout::Masked && IsBitSet(values(1)[y], bits, x);
        break;
    case ArrayLayout::Planes:
    case ArrayLayout::MaskedPlanes:
        light = IsBitSet(values(0)[y], bits, x);
        dark = IsBitSet(values(1)[y], bits, x);
        masked = candidate.layout == ArrayLayout::MaskedPlanes && IsBitSet(values(2)[y], bits, x);
        break;
    case ArrayLayout::Interlaced:
        masked = IsBitSet(values(0)[3 * y], bits, x);
        light = IsBitSet(values(0)[3 * y + 1], bits, x);
        dark = IsBitSet(values(0)[3 * y + 2], bits, x);
        break;
    case ArrayLayout::Halves:
        light = IsBitSet(values(0)[y], bits, x);
        dark = IsBitSet(values(0)[candidate.height + y], bits, x);
        break;
    }
    // The color under a transparent pixel is not in the text.
    if (masked)
        return White + MaskOffset;
    return static_cast<int8_t>(light | dark << 1);
}

} // namespace

ArraySprites FindArraySprites(std::string_view text)
{
    ArraySprites found;
    found.scan = ScanCArrays(text);
    found.refusals = found.scan.refusals;
    if (found.scan.refusedCount > found.scan.refusals.size())
        found.refusals.push_back("et " +
                                 Counted(static_cast<long long>(found.scan.refusedCount - found.scan.refusals.size()),
                                         "autre tableau illisible", "autres tableaux illisibles"));
    Grouper(found).Run();
    return found;
}

std::string DescribeCandidate(const ArraySprites& found, const ArrayCandidate& candidate)
{
    std::string text = candidate.id + " : " + std::to_string(candidate.width) + " x " +
                       std::to_string(candidate.height) + ", " + LayoutText(candidate.layout) + " (";
    for (std::size_t i = 0; i < candidate.arrays.size(); ++i)
        text += (i ? ", " : "") + found.scan.arrays[candidate.arrays[i]].name;
    return text + ")";
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
    return "largeur " + std::to_string(width) + " impossible pour " + candidate.id + " : de 1 à " +
           std::to_string(candidate.elementBits) + " (les bits de ses éléments)";
}

void BuildArraySprite(const ArraySprites& found, const ArrayCandidate& candidate, int width, Sprite& sprite)
{
    std::memset(sprite.cells, White, sizeof sprite.cells);
    bool gray = false;
    bool masked = false;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < candidate.height; ++y) {
            const int8_t cell = CellAt(found, candidate, x, y);
            sprite.cells[CellIndex(x, y)] = cell;
            gray = gray || cell == LightGray || cell == DarkGray;
            masked = masked || cell >= MaskedThreshold;
        }
    const int type = 1 + (gray ? 1 : 0) + (masked ? 2 : 0);
    sprite.RestoreState({width, candidate.height}, static_cast<SpriteType>(type));
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
