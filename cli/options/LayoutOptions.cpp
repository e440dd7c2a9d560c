#include "LayoutOptions.h"

#include <algorithm>

#include "CliFailure.h"
#include "OptionNumbers.h"

const std::vector<std::string> WritingOnlyOptions = {"--frames", "--syntax", "--defines"};
const std::vector<std::string> ReadingOnlyOptions = {"--height"};
const std::vector<std::string> SharedLayoutOptions = {"--rows", "--order", "--arrange", "--mask-bit"};

namespace {

bool Among(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The value read by its table, or a usage error listing the values.
template <typename Value>
Value Named(const std::string& option, const std::string& value, std::optional<Value> (*read)(std::string_view),
            const char* values)
{
    const std::optional<Value> known = read(value);
    if (!known)
        throw UsageError("l'option " + option + " attend " + values + " (et non « " + value + " »)");
    return *known;
}

} // namespace

bool IsLayoutOption(const std::string& name, bool& takesValue)
{
    takesValue = name != "--defines";
    return Among(WritingOnlyOptions, name) || Among(ReadingOnlyOptions, name) || Among(SharedLayoutOptions, name);
}

void StoreLayoutOption(LayoutOptions& layout, const std::string& name, const std::string& value)
{
    LayoutRequest& request = layout.request;
    if (!layout.given.insert(name).second)
        throw UsageError("l'option " + name + " est donnée plusieurs fois");
    if (name == "--rows")
        request.rows = Named(name, value, RowUnitNamed, "8, 16, 32, 64 ou bytes");
    else if (name == "--order")
        request.order = value; // checked against the sprite or the arrays
    else if (name == "--arrange")
        request.arrange = Named(name, value, ArrangementNamed, "separate, block ou interlaced");
    else if (name == "--mask-bit")
        request.maskBit = Named(name, value, MaskBitNamed, "transparent ou opaque");
    else if (name == "--frames")
        request.frames = Named(name, value, FrameArraysNamed, "array ou separate");
    else if (name == "--syntax")
        request.syntax = Named(name, value, DataSyntaxNamed, "c, c-binary, a68k, a68k-binary, gnu-as ou gnu-as-binary");
    else if (name == "--defines")
        request.defines = true;
    else if (name == "--height")
        layout.height = ParseOptionNumber("--height", value, 1, 128);
}

std::vector<std::string> ArrayList(const std::string& value)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        names.push_back(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return names;
        start = comma + 1;
    }
}
