#include "OwnDataText.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <tuple>
#include <utility>

#include "DataText.h"
#include "joined_export.h"

namespace {

// The words DataText.cpp writes for each plane.
struct PlaneWord {
    const char* word;
    Plane plane;
};
constexpr PlaneWord PlaneWords[] = {
    {"noir", Plane::Black}, {"clair", Plane::Light}, {"sombre", Plane::Dark}, {"masque", Plane::Mask}};

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The number at the start of text, taken off it.
std::optional<int> TakeNumber(std::string_view& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

bool TakeText(std::string_view& text, std::string_view expected)
{
    if (!StartsWith(text, expected))
        return false;
    text.remove_prefix(expected.size());
    return true;
}

// The lines of one comment, without their comment marks: a C block comment
// whose first line follows "/* " and the others " * ", or a run of lines that
// start with the assembly comment mark.
class CommentLines {
public:
    explicit CommentLines(std::string_view text) : text_(text) {}

    // The next comment that opens as Pixora's do, or an empty list at the end.
    std::vector<std::string_view> Next()
    {
        while (at_ < text_.size()) {
            const std::string_view line = NextLine();
            for (const Marks& marks : MarkTable)
                if (StartsWith(line, marks.first)) {
                    std::vector<std::string_view> lines{line.substr(marks.first.size())};
                    ReadFollowing(marks.next, lines);
                    return lines;
                }
        }
        return {};
    }

private:
    struct Marks {
        std::string_view first;
        std::string_view next;
    };
    static constexpr Marks MarkTable[] = {{"/* ", " * "}, {"; ", "; "}, {"| ", "| "}};

    std::string_view NextLine()
    {
        std::size_t end = at_;
        while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
            ++end;
        const std::string_view line = text_.substr(at_, end - at_);
        at_ = end;
        const bool carriageReturn = at_ < text_.size() && text_[at_] == '\r';
        if (carriageReturn)
            ++at_;
        if (at_ < text_.size() && text_[at_] == '\n' && (carriageReturn || at_ == end))
            ++at_;
        return Trimmed(line);
    }

    void ReadFollowing(std::string_view mark, std::vector<std::string_view>& lines)
    {
        while (at_ < text_.size()) {
            const std::size_t start = at_;
            const std::string_view line = NextLine();
            if (!StartsWith(line, mark)) {
                at_ = start;
                return;
            }
            lines.push_back(line.substr(mark.size()));
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::optional<Plane> PlaneOfWord(std::string_view word)
{
    for (const PlaneWord& entry : PlaneWords)
        if (word == entry.word)
            return entry.plane;
    return std::nullopt;
}

// The name before separator at the start of a title, both taken off it.
std::optional<std::string> TakeName(std::string_view& line, std::string_view separator)
{
    const std::size_t end = line.find(separator);
    if (end == std::string_view::npos || end == 0)
        return std::nullopt;
    std::string name(line.substr(0, end));
    line.remove_prefix(end + separator.size());
    return name;
}

// "W x H" followed by unit, taken off the text.
std::optional<std::pair<int, int>> TakeSize(std::string_view& text, std::string_view unit)
{
    const std::optional<int> width = TakeNumber(text);
    if (!width || !TakeText(text, " x "))
        return std::nullopt;
    const std::optional<int> height = TakeNumber(text);
    if (!height || !TakeText(text, unit))
        return std::nullopt;
    return std::pair{*width, *height};
}

// "NAME : W x H pixels, [N images, ]kind"
bool ReadTitle(std::string_view line, OwnDataHeader& header)
{
    std::optional<std::string> name = TakeName(line, " : ");
    const std::optional<std::pair<int, int>> size = name ? TakeSize(line, " pixels, ") : std::nullopt;
    if (!size)
        return false;
    header.name = std::move(*name);
    std::tie(header.width, header.height) = *size;
    std::string_view rest = line;
    if (const std::optional<int> frames = TakeNumber(rest); frames && TakeText(rest, " images, "))
        header.frames = *frames;
    return true;
}

// "Lignes de 16 bits (...)" or "Lignes de 3 octets (...)"
bool ReadRows(std::string_view line, DataLayout& layout)
{
    if (!TakeText(line, "Lignes de "))
        return false;
    const std::optional<int> count = TakeNumber(line);
    if (!count)
        return false;
    if (StartsWith(line, " octets")) {
        layout.rows = RowUnit::Bytes;
        return true;
    }
    if (!StartsWith(line, " bits") || (*count != 8 && *count != 16 && *count != 32 && *count != 64))
        return false;
    layout.rows = RowUnitOfBits(*count);
    return true;
}

// The plane words of a list: "clair, puis du sombre" or "NAME (clair), NAME (sombre)".
bool ReadPlaneList(std::string_view list, std::string_view separator, bool inParentheses, std::vector<Plane>& order)
{
    order.clear();
    while (!list.empty()) {
        const std::size_t end = list.find(separator);
        std::string_view item = list.substr(0, end);
        if (inParentheses) {
            const std::size_t open = item.rfind(" (");
            if (open == std::string_view::npos || item.back() != ')')
                return false;
            item = item.substr(open + 2, item.size() - open - 3);
        }
        const std::optional<Plane> plane = PlaneOfWord(item);
        if (!plane)
            return false;
        order.push_back(*plane);
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + separator.size());
    }
    return !order.empty();
}

bool ReadArrangement(std::string_view line, DataLayout& layout)
{
    if (TakeText(line, "Un tableau : ") || TakeText(line, "Un tableau par plan : ")) {
        layout.arrange = Arrangement::Separate;
        return ReadPlaneList(line, ", ", true, layout.order);
    }
    if (TakeText(line, "Un tableau, plan par plan : toutes les lignes du ")) {
        layout.arrange = Arrangement::Block;
        return ReadPlaneList(line, ", puis du ", false, layout.order);
    }
    if (TakeText(line, "Un tableau, ligne par ligne : ")) {
        layout.arrange = Arrangement::Interlaced;
        return ReadPlaneList(line, ", ", false, layout.order);
    }
    return false;
}

// The lines after the title, in the order they are written; the mask and
// frames lines only when they apply.
bool ReadHeader(const std::vector<std::string_view>& lines, OwnDataHeader& header)
{
    if (lines.size() < 3 || !ReadTitle(lines[0], header) || !ReadRows(lines[1], header.layout) ||
        !ReadArrangement(lines[2], header.layout))
        return false;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        if (lines[i] == "Masque : 1 = opaque, 0 = transparent (le fond reste)")
            header.layout.maskBit = MaskBit::Opaque;
        const std::string separateFrames =
            std::to_string(header.frames) + " images : " + FrameSpriteName(header.name, 0, header.frames) + " ... ";
        if (header.frames > 1 && StartsWith(lines[i], separateFrames))
            header.layout.frames = FrameArrays::Separate;
    }
    return header.width >= 1 && header.height >= 1 && header.frames >= 1 && header.frames <= MaxFrames;
}

// "NAME : carte de W x H cases, N tuiles (NAME_tiles)", the first line.
bool ReadHeader(const std::vector<std::string_view>& lines, OwnMapHeader& header)
{
    std::string_view line = lines.empty() ? std::string_view() : lines[0];
    std::optional<std::string> name = TakeName(line, " : carte de ");
    const std::optional<std::pair<int, int>> size = name ? TakeSize(line, " cases, ") : std::nullopt;
    const std::optional<int> tiles = size ? TakeNumber(line) : std::nullopt;
    if (!tiles || !TakeText(line, " tuiles (") || line != *name + "_tiles)")
        return false;
    header.name = std::move(*name);
    std::tie(header.width, header.height) = *size;
    header.tiles = *tiles;
    return header.width >= 1 && header.height >= 1 && header.tiles >= 1;
}

ReadingRequest RequestOf(const OwnDataHeader& header, const std::string& groupName)
{
    ReadingRequest request;
    request.arrays = ArrayNames(header.layout, groupName);
    request.rows = header.layout.rows;
    request.order = OrderText(header.layout.order);
    request.arrange = header.layout.arrange;
    request.maskBit = header.layout.maskBit;
    request.height = header.height;
    request.width = header.width;
    return request;
}

// The headers that read (ReadHeader) from the comments of text.
template <class Header> std::vector<Header> FindHeaders(std::string_view text)
{
    std::vector<Header> headers;
    CommentLines comments(text);
    for (std::vector<std::string_view> lines = comments.Next(); !lines.empty() && headers.size() < MaxOwnDataHeaders;
         lines = comments.Next()) {
        Header header;
        if (ReadHeader(lines, header))
            headers.push_back(std::move(header));
    }
    return headers;
}

} // namespace

std::vector<OwnDataHeader> FindOwnDataHeaders(std::string_view text)
{
    return FindHeaders<OwnDataHeader>(text);
}

std::vector<OwnMapHeader> FindOwnMapHeaders(std::string_view text)
{
    return FindHeaders<OwnMapHeader>(text);
}

std::string PlanOwnData(const CArrayScan& scan, const OwnDataHeader& header, DataSource& source)
{
    const bool separateFrames = header.frames > 1 && header.layout.frames == FrameArrays::Separate;
    DataSource result;
    for (int frame = 0; frame < (separateFrames ? header.frames : 1); ++frame) {
        const std::string name = separateFrames ? FrameSpriteName(header.name, frame, header.frames) : header.name;
        DataSource group;
        if (std::string why = PlanRequest(scan, RequestOf(header, name), group); !why.empty())
            return why;
        if (frame == 0) {
            result = std::move(group);
            continue;
        }
        // The frames' arrays of one plane one after the other, as one array holding them all.
        for (std::size_t image = 0; image < result.groups.size(); ++image)
            result.groups[image].insert(result.groups[image].end(), group.groups[image].begin(),
                                        group.groups[image].end());
    }
    source = std::move(result);
    return {};
}
