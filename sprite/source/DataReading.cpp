#include "DataReading.h"

#include <algorithm>

#include "Counted.h"

namespace {

constexpr int MaxDataWidth = MaxWidth;

std::size_t ElementBytesOf(const CArrayScan& scan, const std::vector<std::size_t>& group)
{
    return static_cast<std::size_t>(scan.arrays[group.front()].elementBits / 8);
}

std::string HeightRefusal(int height)
{
    if (height >= 1 && height <= MaxHeight)
        return {};
    return "hauteur de " + std::to_string(height) + " lignes : de 1 à " + std::to_string(MaxHeight);
}

std::string WidthRangeRefusal(int width)
{
    if (width >= 1 && width <= MaxDataWidth)
        return {};
    return "largeur de " + std::to_string(width) + " pixels : de 1 à " + std::to_string(MaxDataWidth);
}

// Why the arrays cannot hold one frame of the plan, or nothing.
std::string ShortArrayRefusal(const CArrayScan& scan, const DataSource& source)
{
    const std::optional<ShortArray> shortArray = FirstShortArray(source.plan, ImagesOf(scan, source));
    if (!shortArray)
        return {};
    const std::vector<std::size_t>& group = source.groups[shortArray->array];
    const std::size_t elementBytes = ElementBytesOf(scan, group);
    std::size_t elements = 0;
    for (const std::size_t index : group)
        elements += ElementCount(scan.arrays[index]);
    return InGuillemets(source.names[shortArray->array]) + " : " + std::to_string(elements) + " éléments, il en faut " +
           std::to_string((shortArray->needed + elementBytes - 1) / elementBytes) + " pour une image de " +
           std::to_string(source.plan.height) + " lignes";
}

// The index of the image of the array in the source, added when it is not
// there yet, so that planes at offsets in one array share its image; or the
// reason why there is no such array.
std::string ImageOf(const CArrayScan& scan, const std::string& name, DataSource& source, std::size_t& image)
{
    const auto known = std::find(source.names.begin(), source.names.end(), name);
    image = static_cast<std::size_t>(known - source.names.begin());
    if (known != source.names.end())
        return {};
    std::vector<std::size_t> group = ArrayGroupNamed(scan, name);
    if (group.empty())
        return "pas de tableau " + InGuillemets(name);
    if (source.groups.empty())
        source.elementBits = scan.arrays[group.front()].elementBits;
    source.groups.push_back(std::move(group));
    source.names.push_back(name);
    return {};
}

// Where the argument's plane lies: its array's image, its first row (after
// the bytes `before` that the plane's place in a row or a block adds) and,
// for every row of a table, the table's row as its own frame stride.
std::string PlaceArgument(const CArrayScan& scan, const PlaneArgument& argument, std::size_t before, DataSource& source,
                          PlaneSource& placed)
{
    std::size_t image = 0;
    if (std::string why = ImageOf(scan, argument.array, source, image); !why.empty())
        return why;
    const std::vector<std::size_t>& group = source.groups[image];
    const std::size_t elementBytes = ElementBytesOf(scan, group);
    // A table gives a frame per row, whatever the length of the rows of the others.
    const std::size_t rowBytes = argument.wholeParts ? ElementCount(scan.arrays[group.front()]) * elementBytes : 0;
    placed = {argument.plane, image, argument.elementOffset * elementBytes + before, rowBytes};
    return {};
}

std::string DefaultOrderOf(const ReadingRequest& request, std::vector<Plane>& order)
{
    if (request.arrange != Arrangement::Separate) {
        order = {Plane::Light, Plane::Dark};
        return {};
    }
    switch (request.arrays.size()) {
    case 1:
        order = {Plane::Black};
        return {};
    case 2:
        order = {Plane::Light, Plane::Dark};
        return {};
    case 3:
        order = {Plane::Light, Plane::Dark, Plane::Mask};
        return {};
    default:
        break;
    }
    return std::to_string(request.arrays.size()) + " tableaux : au plus 3, un par plan (B, ou L et D, et M)";
}

std::string ArrayCountRefusal(const ReadingRequest& request, const std::vector<Plane>& order)
{
    const std::size_t count = request.arrays.size();
    if (request.arrange != Arrangement::Separate)
        return count == 1 ? std::string()
                          : "l'arrangement " + std::string(NameOf(request.arrange)) + " lit un seul tableau, pas " +
                                std::to_string(count);
    if (count == order.size())
        return {};
    return Counted(static_cast<long long>(count), "tableau", "tableaux") + " pour les " + std::to_string(order.size()) +
           " plans de l'ordre " + InGuillemets(OrderText(order)) + " : un tableau par plan";
}

// Bytes from one frame to the next when the planes sit where their
// arguments say (one per plane of the plan): the row size of a table read
// row by row, the rows of all planes when they are interlaced, else the span
// that the planes cover in their arrays.
std::size_t FrameStride(const std::vector<PlaneArgument>& arguments, bool interlaced, const DataSource& source)
{
    const DataPlan& plan = source.plan;
    for (std::size_t i = 0; i < arguments.size(); ++i)
        if (arguments[i].wholeParts)
            return std::max<std::size_t>(plan.planes[i].frameStride, 1);
    const std::size_t rows = static_cast<std::size_t>(plan.height) * plan.rowStride;
    if (interlaced)
        return rows;
    std::size_t stride = 0;
    for (std::size_t image = 0; image < source.groups.size(); ++image) {
        std::size_t first = SIZE_MAX;
        std::size_t last = 0;
        for (const PlaneSource& plane : plan.planes)
            if (plane.array == image) {
                first = std::min(first, plane.firstByte);
                last = std::max(last, plane.firstByte);
            }
        if (first != SIZE_MAX)
            stride = std::max(stride, last - first + rows);
    }
    return std::max<std::size_t>(stride, 1);
}

// The arguments of the planes typed by hand: one per plane when separate,
// else the one array's for every plane.
std::string ArgumentsOf(const CArrayScan& scan, const ReadingRequest& request, std::vector<PlaneArgument>& arguments)
{
    for (const std::string& text : request.arrays) {
        PlaneText read = ReadPlaneText(text, scan);
        if (!read.argument)
            return read.refusal;
        arguments.push_back(std::move(*read.argument));
    }
    return {};
}

} // namespace

std::vector<std::size_t> ArrayGroupNamed(const CArrayScan& scan, const std::string& name)
{
    const auto named = [&](const std::string& wanted) {
        return std::find_if(scan.arrays.begin(), scan.arrays.end(),
                            [&](const CArray& array) { return array.name == wanted; });
    };
    if (const auto exact = named(name); exact != scan.arrays.end())
        return {static_cast<std::size_t>(exact - scan.arrays.begin())};
    // The parts of an array of two dimensions are kept one after the other.
    std::vector<std::size_t> parts;
    auto part = named(name + "[0]");
    while (part != scan.arrays.end() && part->name == name + "[" + std::to_string(parts.size()) + "]") {
        parts.push_back(static_cast<std::size_t>(part - scan.arrays.begin()));
        ++part;
    }
    return parts;
}

MemoryImages ImagesOf(const CArrayScan& scan, const DataSource& source)
{
    MemoryImages images;
    for (const std::vector<std::size_t>& group : source.groups) {
        std::vector<uint8_t> image;
        for (const std::size_t index : group) {
            const std::vector<uint8_t> bytes = MemoryImage(scan.arrays[index]);
            image.insert(image.end(), bytes.begin(), bytes.end());
        }
        images.push_back(std::move(image));
    }
    return images;
}

std::size_t FramesOf(const CArrayScan& scan, const DataSource& source)
{
    return FramesHeld(source.plan, ImagesOf(scan, source));
}

std::string PlanRequest(const CArrayScan& scan, const ReadingRequest& request, DataSource& source)
{
    DataSource result;
    if (request.arrays.empty())
        return "aucun tableau nommé";
    std::vector<PlaneArgument> arguments;
    if (std::string why = ArgumentsOf(scan, request, arguments); !why.empty())
        return why;
    for (const PlaneArgument& argument : arguments) {
        std::size_t image = 0;
        if (std::string why = ImageOf(scan, argument.array, result, image); !why.empty())
            return why;
    }
    DataLayout layout;
    layout.rows = request.rows.value_or(RowUnitOfBits(result.elementBits));
    layout.arrange = request.arrange;
    layout.maskBit = request.maskBit;
    if (!request.height)
        return "hauteur manquante : les tableaux ne la disent pas";
    if (std::string why = HeightRefusal(*request.height); !why.empty())
        return why;
    if (!request.width && layout.rows == RowUnit::Bytes)
        return "largeur manquante : des lignes d'octets ne la disent pas";
    const int width = request.width.value_or(ElementBits(layout.rows));
    if (std::string why = WidthRangeRefusal(width); !why.empty())
        return why;
    if (std::string why = RowWidthRefusal(layout.rows, width); !why.empty())
        return why;
    std::string why = request.order ? ReadOrder(*request.order, layout.order) : DefaultOrderOf(request, layout.order);
    if (why.empty())
        why = ArrayCountRefusal(request, layout.order);
    if (!why.empty())
        return why;
    result.plan = PlanOfLayout(layout, width, *request.height);
    // Each plane where the layout puts it in its array, from where its text says.
    std::vector<PlaneArgument> perPlane;
    for (std::size_t i = 0; i < result.plan.planes.size(); ++i) {
        PlaneSource& plane = result.plan.planes[i];
        perPlane.push_back(arguments[request.arrange == Arrangement::Separate ? i : 0]);
        perPlane.back().plane = plane.plane;
        PlaceArgument(scan, perPlane.back(), plane.firstByte, result, plane);
    }
    result.plan.arrayCount = result.groups.size();
    result.plan.frameStride = FrameStride(perPlane, request.arrange == Arrangement::Interlaced, result);
    if (std::string shortArray = ShortArrayRefusal(scan, result); !shortArray.empty())
        return shortArray;
    source = std::move(result);
    return {};
}

std::string PlanDrawCall(const CArrayScan& scan, const DrawCall& call, std::optional<int> height,
                         std::optional<int> width, DataSource& source)
{
    DataSource result;
    DataPlan& plan = result.plan;
    plan.height = height.value_or(call.height.value_or(0));
    if (!height && !call.height)
        return "hauteur illisible dans l'appel de " + call.routine + " : " + InGuillemets(call.heightText);
    if (std::string why = HeightRefusal(plan.height); !why.empty())
        return why;
    if (call.rows == RowUnit::Bytes && !call.byteWidth && !width)
        return "largeur en octets illisible dans l'appel de " + call.routine;
    const int rowBits =
        call.rows == RowUnit::Bytes ? 8 * call.byteWidth.value_or((*width + 7) / 8) : ElementBits(call.rows);
    plan.width = width.value_or(rowBits);
    if (std::string why = WidthRangeRefusal(plan.width); !why.empty())
        return why;
    if (plan.width > rowBits)
        return "largeur de " + std::to_string(plan.width) + " pixels : plus que les " + std::to_string(rowBits) +
               " bits d'une ligne de " + call.routine;
    plan.rowBytes = rowBits / 8;
    plan.rowStride = static_cast<std::size_t>(plan.rowBytes) * (call.interlaced ? call.planes.size() : 1);
    plan.maskBit = MaskBit::Transparent; // the routines AND the background with the mask
    for (std::size_t i = 0; i < call.planes.size(); ++i) {
        const std::size_t rowInGroup = call.interlaced ? i * static_cast<std::size_t>(plan.rowBytes) : 0;
        PlaneSource placed{};
        if (std::string why = PlaceArgument(scan, call.planes[i], rowInGroup, result, placed); !why.empty())
            return why;
        plan.planes.push_back(placed);
    }
    plan.arrayCount = result.groups.size();
    plan.frameStride = FrameStride(call.planes, call.interlaced, result);
    if (std::string shortArray = ShortArrayRefusal(scan, result); !shortArray.empty())
        return shortArray;
    source = std::move(result);
    return {};
}

std::string PlaneTextOf(const CArrayScan& scan, const DataSource& source, const PlaneSource& plane)
{
    const std::size_t elementBytes = ElementBytesOf(scan, source.groups[plane.array]);
    const std::size_t offset = plane.firstByte / elementBytes;
    return source.names[plane.array] + (plane.frameStride ? "[*]" : "") +
           (offset ? "+" + std::to_string(offset) : std::string());
}

FrameList ReadDataFrames(const CArrayScan& scan, const DataSource& source, std::size_t first, std::size_t count)
{
    const MemoryImages images = ImagesOf(scan, source);
    FrameList frames;
    for (std::size_t frame = first; frame < first + count; ++frame) {
        frames.push_back(std::make_unique<Sprite>());
        DecodeFrame(source.plan, images, frame, *frames.back());
    }
    return frames;
}
