#include "DataLayout.h"

#include <algorithm>
#include <array>

#include "AsciiText.h"

namespace {

template <typename Value> struct Named {
    Value value;
    const char* name;
};

constexpr std::array<Named<RowUnit>, 5> RowUnitNames = {{
    {RowUnit::Bits8, "8"},
    {RowUnit::Bits16, "16"},
    {RowUnit::Bits32, "32"},
    {RowUnit::Bits64, "64"},
    {RowUnit::Bytes, "bytes"},
}};
constexpr std::array<Named<Arrangement>, 3> ArrangementNames = {{
    {Arrangement::Separate, "separate"},
    {Arrangement::Block, "block"},
    {Arrangement::Interlaced, "interlaced"},
}};
constexpr std::array<Named<MaskBit>, 2> MaskBitNames = {{
    {MaskBit::Transparent, "transparent"},
    {MaskBit::Opaque, "opaque"},
}};
constexpr std::array<Named<FrameArrays>, 2> FrameArraysNames = {{
    {FrameArrays::Array, "array"},
    {FrameArrays::Separate, "separate"},
}};
constexpr std::array<Named<DataSyntax>, 6> DataSyntaxNames = {{
    {DataSyntax::C, "c"},
    {DataSyntax::CBinary, "c-binary"},
    {DataSyntax::A68k, "a68k"},
    {DataSyntax::A68kBinary, "a68k-binary"},
    {DataSyntax::GnuAs, "gnu-as"},
    {DataSyntax::GnuAsBinary, "gnu-as-binary"},
}};

template <typename Value, std::size_t N>
std::optional<Value> Find(const std::array<Named<Value>, N>& table, std::string_view name)
{
    for (const Named<Value>& entry : table)
        if (name == entry.name)
            return entry.value;
    return std::nullopt;
}

template <typename Value, std::size_t N> const char* Find(const std::array<Named<Value>, N>& table, Value value)
{
    for (const Named<Value>& entry : table)
        if (value == entry.value)
            return entry.name;
    return "";
}

bool Has(const std::vector<Plane>& order, Plane plane)
{
    return std::find(order.begin(), order.end(), plane) != order.end();
}

// Why the order's planes are not exactly the sprite's, or nothing.
std::string PlanesRefusal(const std::vector<Plane>& order, const SpriteShape& shape)
{
    const std::string prefix = "ordre " + InGuillemets(OrderText(order)) + " : ";
    if (shape.gray && Has(order, Plane::Black))
        return prefix + "le sprite est en niveaux de gris, ses plans sont L et D";
    if (!shape.gray && !Has(order, Plane::Black))
        return prefix + "le sprite est en noir et blanc, son plan est B";
    if (shape.masked && !Has(order, Plane::Mask))
        return prefix + "il manque le plan M du masque du sprite";
    if (!shape.masked && Has(order, Plane::Mask))
        return prefix + "le sprite n'a aucun pixel masqué, il n'a pas de plan M";
    return {};
}

} // namespace

std::optional<RowUnit> RowUnitNamed(std::string_view name)
{
    return Find(RowUnitNames, name);
}
std::optional<Arrangement> ArrangementNamed(std::string_view name)
{
    return Find(ArrangementNames, name);
}
std::optional<MaskBit> MaskBitNamed(std::string_view name)
{
    return Find(MaskBitNames, name);
}
std::optional<FrameArrays> FrameArraysNamed(std::string_view name)
{
    return Find(FrameArraysNames, name);
}
std::optional<DataSyntax> DataSyntaxNamed(std::string_view name)
{
    return Find(DataSyntaxNames, name);
}
const char* NameOf(RowUnit value)
{
    return Find(RowUnitNames, value);
}
const char* NameOf(Arrangement value)
{
    return Find(ArrangementNames, value);
}
const char* NameOf(MaskBit value)
{
    return Find(MaskBitNames, value);
}
const char* NameOf(FrameArrays value)
{
    return Find(FrameArraysNames, value);
}
const char* NameOf(DataSyntax value)
{
    return Find(DataSyntaxNames, value);
}

std::string OrderText(const std::vector<Plane>& order)
{
    std::string text;
    for (const Plane plane : order)
        text += static_cast<char>(plane);
    return text;
}

bool IsAssembly(DataSyntax syntax)
{
    return syntax != DataSyntax::C && syntax != DataSyntax::CBinary;
}

bool IsBinary(DataSyntax syntax)
{
    return syntax == DataSyntax::CBinary || syntax == DataSyntax::A68kBinary || syntax == DataSyntax::GnuAsBinary;
}

RowUnit RowUnitOfBits(int bits)
{
    switch (bits) {
    case 8:
        return RowUnit::Bits8;
    case 16:
        return RowUnit::Bits16;
    case 32:
        return RowUnit::Bits32;
    default:
        return RowUnit::Bits64;
    }
}

int ElementBits(RowUnit rows)
{
    return rows == RowUnit::Bytes ? 8 : static_cast<int>(rows);
}

int RowBytes(RowUnit rows, int width)
{
    return rows == RowUnit::Bytes ? (width + 7) / 8 : ElementBits(rows) / 8;
}

RowUnit DefaultRowUnit(int width)
{
    for (const RowUnit rows : {RowUnit::Bits8, RowUnit::Bits16, RowUnit::Bits32})
        if (width <= ElementBits(rows))
            return rows;
    return RowUnit::Bytes;
}

std::vector<Plane> DefaultOrder(const SpriteShape& shape, Arrangement arrange)
{
    std::vector<Plane> order;
    if (shape.gray)
        order = {Plane::Light, Plane::Dark};
    else
        order = {Plane::Black};
    if (shape.masked)
        order.insert(arrange == Arrangement::Interlaced ? order.begin() : order.end(), Plane::Mask);
    return order;
}

std::string ReadOrder(std::string_view text, std::vector<Plane>& order)
{
    const std::string prefix = "ordre " + InGuillemets(std::string(text)) + " : ";
    if (text.empty())
        return "ordre vide : donnez les plans, par exemple B, LD ou MLD";
    std::vector<Plane> read;
    for (const char letter : text) {
        const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
        if (upper != 'B' && upper != 'L' && upper != 'D' && upper != 'M')
            return prefix + "lettre " + InGuillemets(std::string(1, letter)) + " inconnue (B, L, D ou M)";
        const Plane plane = static_cast<Plane>(upper);
        if (Has(read, plane))
            return prefix + "le plan " + std::string(1, upper) + " est nommé deux fois";
        read.push_back(plane);
    }
    const bool light = Has(read, Plane::Light);
    const bool dark = Has(read, Plane::Dark);
    if (Has(read, Plane::Black) && (light || dark))
        return prefix + "B (noir et blanc) ne va pas avec L ou D (niveaux de gris)";
    if (light != dark)
        return prefix + "il manque le plan " + (light ? "D" : "L");
    if (!light && !Has(read, Plane::Black))
        return prefix + "il manque le plan B, ou les plans L et D";
    order = std::move(read);
    return {};
}

SpriteShape ShapeOfOrder(const std::vector<Plane>& order, SpriteShape shape)
{
    shape.gray = Has(order, Plane::Light);
    shape.masked = Has(order, Plane::Mask);
    return shape;
}

std::string RowWidthRefusal(RowUnit rows, int width)
{
    if (rows == RowUnit::Bytes || width <= ElementBits(rows))
        return {};
    return "largeur de " + std::to_string(width) + " pixels : plus que les " + NameOf(rows) + " bits d'une ligne";
}

std::string ResolveLayout(const LayoutRequest& request, const SpriteShape& shape, DataLayout& layout)
{
    DataLayout resolved;
    static_cast<LayoutChoices&>(resolved) = request;
    resolved.rows = request.rows.value_or(DefaultRowUnit(shape.width));
    if (std::string why = RowWidthRefusal(resolved.rows, shape.width); !why.empty())
        return why;
    resolved.order = DefaultOrder(shape, request.arrange);
    if (request.order) {
        if (std::string why = ReadOrder(*request.order, resolved.order); !why.empty())
            return why;
        if (std::string why = PlanesRefusal(resolved.order, shape); !why.empty())
            return why;
    }
    layout = std::move(resolved);
    return {};
}
