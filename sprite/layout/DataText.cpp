// The comments are French worded without accented letters, so that the text
// stays ASCII for every compiler and assembler.
#include "DataText.h"

#include <algorithm>
#include <cstdio>

#include "AsciiText.h"
#include "CIdentifier.h"
#include "DataPlan.h"
#include "joined_export.h"

namespace {

constexpr const char* FrameIndex = "image"; // the variable a program indexes a set's arrays with

// The array name's suffix of a plane (as the plug-ins name them) and its
// word in the comments.
struct PlaneNames {
    Plane plane;
    const char* suffix;
    const char* word;
};

constexpr PlaneNames PlaneTable[] = {
    {Plane::Black, "", "noir"},
    {Plane::Light, "_LightPlane", "clair"},
    {Plane::Dark, "_DarkPlane", "sombre"},
    {Plane::Mask, "_Mask", "masque"},
};

const PlaneNames& NamesOf(Plane plane)
{
    for (const PlaneNames& names : PlaneTable)
        if (names.plane == plane)
            return names;
    return PlaneTable[0];
}

const char* PlaneSuffix(Plane plane)
{
    return NamesOf(plane).suffix;
}

const char* PlaneWord(Plane plane)
{
    return NamesOf(plane).word;
}

const char* CTypeName(int bits)
{
    switch (bits) {
    case 8:
        return "unsigned char";
    case 16:
        return "unsigned short";
    case 32:
        return "unsigned long";
    default:
        return "unsigned long long";
    }
}

std::string Joined(const std::vector<std::string>& parts, const std::string& separator)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i ? separator : "") + parts[i];
    return text;
}

// One element as the syntax writes it, all its digits shown.
std::string Literal(uint64_t value, int bits, DataSyntax syntax)
{
    std::string digits;
    if (IsBinary(syntax)) {
        for (int bit = bits - 1; bit >= 0; --bit)
            digits += (value >> bit) & 1 ? '1' : '0';
    } else {
        char hex[17];
        std::snprintf(hex, sizeof hex, "%0*llX", bits / 4, static_cast<unsigned long long>(value));
        digits = hex;
    }
    const bool a68k = syntax == DataSyntax::A68k || syntax == DataSyntax::A68kBinary;
    const std::string prefix = a68k ? (IsBinary(syntax) ? "%" : "$") : (IsBinary(syntax) ? "0b" : "0x");
    const bool c = !IsAssembly(syntax);
    return prefix + digits + (c && bits == 64 ? "ULL" : "");
}

// What a text is made of, syntax by syntax.
class TextBuilder {
public:
    TextBuilder(const DataLayout& layout, const SpriteShape& shape)
        : layout_(layout), shape_(shape), elementBits_(ElementBits(layout.rows))
    {
    }

    void Comment(const std::vector<std::string>& lines)
    {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!IsAssembly(layout_.syntax))
                text_ += (i == 0 ? "/* " : " * ") + lines[i] + "\n";
            else
                text_ += CommentMark() + lines[i] + "\n";
        }
        if (!IsAssembly(layout_.syntax))
            text_ += " */\n";
    }

    void Define(const std::string& name, int value)
    {
        const std::string number = std::to_string(value);
        switch (layout_.syntax) {
        case DataSyntax::C:
        case DataSyntax::CBinary:
            text_ += "#define " + name + " " + number + "\n";
            break;
        case DataSyntax::A68k:
        case DataSyntax::A68kBinary:
            text_ += name + " equ " + number + "\n";
            break;
        case DataSyntax::GnuAs:
        case DataSyntax::GnuAsBinary:
            text_ += "\t.set " + name + ", " + number + "\n";
            break;
        }
    }

    void BlankLine() { text_ += "\n"; }

    // One array: every frame's rows in the plan's bytes, braced by frame
    // in C when it holds a set.
    void Array(const std::string& name, const std::vector<uint8_t>& image, std::size_t parts,
               const std::vector<Plane>& blockPlanes)
    {
        const std::size_t elementBytes = static_cast<std::size_t>(elementBits_ / 8);
        const std::size_t partBytes = image.size() / parts;
        const std::size_t planeBytes = partBytes / std::max<std::size_t>(blockPlanes.size(), 1);
        const std::size_t rowBytes = static_cast<std::size_t>(RowBytes(layout_.rows, shape_.width));
        OpenArray(name, parts, partBytes / elementBytes);
        for (std::size_t part = 0; part < parts; ++part) {
            if (parts > 1)
                OpenPart(part);
            for (std::size_t at = part * partBytes; at < (part + 1) * partBytes; at += rowBytes) {
                const std::size_t inPart = at - part * partBytes;
                if (!blockPlanes.empty() && inPart % planeBytes == 0)
                    Line(parts > 1, CommentMark(true) + PlaneWord(blockPlanes[inPart / planeBytes]) + CommentEnd());
                Row(image, at, rowBytes, parts > 1);
            }
            if (parts > 1 && !IsAssembly(layout_.syntax))
                text_ += "    },\n";
        }
        if (!IsAssembly(layout_.syntax))
            text_ += "};\n";
    }

    // Small numbers in decimal, sixteen to a line: unsigned char in C, bytes
    // in assembly.
    void ByteTable(const std::string& name, const std::vector<int>& values)
    {
        if (C())
            text_ += "static const unsigned char " + name + "[" + std::to_string(values.size()) +
                     "] __attribute__((unused)) = {\n";
        else
            text_ += name + ":\n";
        constexpr std::size_t PerLine = 16;
        for (std::size_t at = 0; at < values.size(); at += PerLine) {
            std::vector<std::string> numbers;
            for (std::size_t i = at; i < std::min(values.size(), at + PerLine); ++i)
                numbers.push_back(std::to_string(values[i]));
            if (C())
                Line(false, Joined(numbers, ", ") + ",");
            else
                Line(false, (A68k() ? "dc.b " : ".byte ") + Joined(numbers, A68k() ? "," : ", "));
        }
        if (C())
            text_ += "};\n";
    }

    // A matrix of small numbers (a tile map), one row per line: a C array of
    // two dimensions, or one directive per row under the label.
    void Matrix(const std::string& name, const std::vector<uint16_t>& values, int width, int bits)
    {
        const int height = static_cast<int>(values.size()) / width;
        if (C())
            text_ += std::string("static const ") + CTypeName(bits) + " " + name + "[" + std::to_string(height) + "][" +
                     std::to_string(width) + "] __attribute__((unused)) = {\n";
        else
            text_ += (bits > 8 ? (A68k() ? "\tEVEN\n" : "\t.even\n") : std::string()) + name + ":\n";
        for (int row = 0; row < height; ++row) {
            std::vector<std::string> numbers;
            for (int column = 0; column < width; ++column)
                numbers.push_back(std::to_string(values[static_cast<std::size_t>(row) * width + column]));
            if (C())
                Line(false, "{" + Joined(numbers, ", ") + "},");
            else
                Line(false, std::string(A68k() ? (bits > 8 ? "dc.w " : "dc.b ") : (bits > 8 ? ".word " : ".byte ")) +
                                Joined(numbers, A68k() ? "," : ", "));
        }
        if (C())
            text_ += "};\n";
    }

    std::string Text() const { return text_; }

private:
    bool C() const { return !IsAssembly(layout_.syntax); }
    bool A68k() const { return layout_.syntax == DataSyntax::A68k || layout_.syntax == DataSyntax::A68kBinary; }

    std::string CommentMark(bool inArray = false) const
    {
        if (C())
            return inArray ? "/* " : "";
        return A68k() ? "; " : "| ";
    }
    std::string CommentEnd() const { return C() ? " */" : ""; }

    void Line(bool inPart, const std::string& line)
    {
        if (C())
            text_ += inPart ? "        " : "    ";
        else if (!line.empty() && line[0] != ';' && line[0] != '|')
            text_ += "\t";
        text_ += line + "\n";
    }

    void OpenArray(const std::string& name, std::size_t parts, std::size_t elementsPerPart)
    {
        if (!C()) {
            if (elementBits_ > 8) // words and longs must start at an even address
                text_ += A68k() ? "\tEVEN\n" : "\t.even\n";
            text_ += name + ":\n";
            return;
        }
        const std::string size = parts > 1 ? "[" + std::to_string(parts) + "][" + std::to_string(elementsPerPart) + "]"
                                           : "[" + std::to_string(elementsPerPart) + "]";
        text_ += std::string("static const ") + CTypeName(elementBits_) + " " + name + size +
                 " __attribute__((unused)) = {\n";
    }

    void OpenPart(std::size_t part)
    {
        if (C())
            text_ += "    { /* " + std::to_string(part) + " */\n";
        else
            text_ += CommentMark() + "image " + std::to_string(part) + "\n";
    }

    void Row(const std::vector<uint8_t>& image, std::size_t at, std::size_t rowBytes, bool inPart)
    {
        // A68k has no 64-bit directive: two dc.l, the high half first.
        const int bits = A68k() ? std::min(elementBits_, 32) : elementBits_;
        const std::size_t valueBytes = static_cast<std::size_t>(bits / 8);
        std::vector<std::string> values;
        for (std::size_t byte = at; byte < at + rowBytes; byte += valueBytes) {
            uint64_t value = 0;
            for (std::size_t i = 0; i < valueBytes; ++i)
                value = value << 8 | image[byte + i];
            values.push_back(Literal(value, bits, layout_.syntax));
        }
        if (C()) {
            Line(inPart, Joined(values, ", ") + ",");
            return;
        }
        // An A68k operand field ends at the first space.
        const char* directive = A68k() ? (bits == 8    ? "dc.b "
                                          : bits == 16 ? "dc.w "
                                                       : "dc.l ")
                                       : (bits == 8    ? ".byte "
                                          : bits == 16 ? ".word "
                                          : bits == 32 ? ".long "
                                                       : ".quad ");
        Line(inPart, directive + Joined(values, A68k() ? "," : ", "));
    }

    const DataLayout& layout_;
    SpriteShape shape_;
    int elementBits_;
    std::string text_;
};

// The draw call that reads this layout as it is, or nothing.
class CallWriter {
public:
    CallWriter(const DataLayout& layout, const SpriteShape& shape, const std::string& name, bool indexed)
        : layout_(layout), shape_(shape), name_(name), indexed_(indexed),
          height_(layout.defines ? name + "_HEIGHT" : std::to_string(shape.height))
    {
    }

    std::string Call() const
    {
        const bool transparent = layout_.maskBit == MaskBit::Transparent;
        const std::string& order = OrderText(layout_.order);
        const std::string destinations = "GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE)";
        if (layout_.rows == RowUnit::Bytes)
            return order == "B" ? "SpriteX8_OR(x, y, " + height_ + ", " + Planes({Plane::Black}) + ", " +
                                      std::to_string(RowBytes(layout_.rows, shape_.width)) + ", LCD_MEM)"
                                : "";
        if (layout_.rows == RowUnit::Bits64)
            return "";
        const std::string bits = NameOf(layout_.rows);
        const std::string start = "(x, y, " + height_ + ", ";
        if (layout_.arrange == Arrangement::Interlaced) {
            if (order == "LD")
                return "GrayClipISprite" + bits + "_OR_R" + start + Base() + ", " + destinations + ")";
            if (order == "MLD" && transparent)
                return "GrayClipISprite" + bits + "_MASK_R" + start + Base() + ", " + destinations + ")";
            return "";
        }
        if (order == "B")
            return "Sprite" + bits + start + Planes({Plane::Black}) + ", LCD_MEM, SPRT_XOR)";
        if (!shape_.masked)
            return "GrayClipSprite" + bits + "_OR_R" + start + Planes({Plane::Light, Plane::Dark}) + ", " +
                   destinations + ")";
        if (!transparent)
            return "";
        if (!shape_.gray)
            return "ClipSprite" + bits + "_MASK_R" + start + Planes({Plane::Black, Plane::Mask}) + ", LCD_MEM)";
        return "GrayClipSprite" + bits + "_SMASK_R" + start + Planes({Plane::Light, Plane::Dark, Plane::Mask}) + ", " +
               destinations + ")";
    }

private:
    std::string Base() const { return name_ + (indexed_ ? std::string("[") + FrameIndex + "]" : ""); }

    // Where each plane's first row is, as C pointer arithmetic on the arrays.
    std::string Planes(const std::vector<Plane>& planes) const
    {
        std::vector<std::string> expressions;
        for (const Plane plane : planes) {
            const std::size_t index = static_cast<std::size_t>(
                std::find(layout_.order.begin(), layout_.order.end(), plane) - layout_.order.begin());
            if (layout_.arrange == Arrangement::Separate) {
                expressions.push_back(name_ + PlaneSuffix(plane) +
                                      (indexed_ ? std::string("[") + FrameIndex + "]" : ""));
                continue;
            }
            // The rows of the planes before it, in elements.
            const int rowElements = RowBytes(layout_.rows, shape_.width) * 8 / ElementBits(layout_.rows);
            std::string offset = index > 1 ? std::to_string(index) + "*" + height_ : height_;
            if (rowElements > 1)
                offset += "*" + std::to_string(rowElements);
            expressions.push_back(index == 0 ? Base() : Base() + "+" + offset);
        }
        return Joined(expressions, ", ");
    }

    const DataLayout& layout_;
    SpriteShape shape_;
    std::string name_;
    bool indexed_;
    std::string height_;
};

std::string KindWords(const SpriteShape& shape)
{
    return std::string(shape.gray ? "niveaux de gris" : "noir et blanc") + (shape.masked ? " avec masque" : "");
}

// The element as the syntax declares it: C's type, the directive.
std::string ElementWords(const DataLayout& layout)
{
    const int bits = ElementBits(layout.rows);
    switch (layout.syntax) {
    case DataSyntax::C:
    case DataSyntax::CBinary:
        return CTypeName(bits);
    case DataSyntax::A68k:
    case DataSyntax::A68kBinary:
        return bits == 8 ? "dc.b" : bits == 16 ? "dc.w" : bits == 32 ? "dc.l" : "deux dc.l";
    case DataSyntax::GnuAs:
    case DataSyntax::GnuAsBinary:
        break;
    }
    return bits == 8 ? ".byte" : bits == 16 ? ".word" : bits == 32 ? ".long" : ".quad";
}

std::string RowWords(const DataLayout& layout, const SpriteShape& shape)
{
    if (layout.rows == RowUnit::Bytes)
        return "Lignes de " + std::to_string(RowBytes(layout.rows, shape.width)) + " octets (" + ElementWords(layout) +
               "), pixel de gauche = bit de poids fort du premier octet";
    return std::string("Lignes de ") + NameOf(layout.rows) + " bits (" + ElementWords(layout) +
           "), pixel de gauche = bit de poids fort";
}

std::string ArrangementWords(const DataLayout& layout, const std::vector<std::string>& names)
{
    std::vector<std::string> planes;
    for (const Plane plane : layout.order)
        planes.push_back(PlaneWord(plane));
    switch (layout.arrange) {
    case Arrangement::Separate: {
        std::vector<std::string> arrays;
        for (std::size_t i = 0; i < names.size(); ++i)
            arrays.push_back(names[i] + " (" + planes[i] + ")");
        return (names.size() > 1 ? "Un tableau par plan : " : "Un tableau : ") + Joined(arrays, ", ");
    }
    case Arrangement::Block:
        return "Un tableau, plan par plan : toutes les lignes du " + Joined(planes, ", puis du ");
    case Arrangement::Interlaced:
        break;
    }
    return "Un tableau, ligne par ligne : " + Joined(planes, ", ");
}

std::vector<std::string> HeaderLines(const std::vector<const Sprite*>& frames, const std::string& name,
                                     const DataLayout& layout, const SpriteShape& shape)
{
    const std::size_t count = frames.size();
    const bool set = count > 1;
    const bool separateFrames = set && layout.frames == FrameArrays::Separate;
    const std::string first = separateFrames ? FrameSpriteName(name, 0, static_cast<int>(count)) : name;
    std::vector<std::string> lines = {
        name + " : " + std::to_string(shape.width) + " x " + std::to_string(shape.height) + " pixels, " +
            (set ? std::to_string(count) + " images, " : "") + KindWords(shape),
        RowWords(layout, shape),
        ArrangementWords(layout, ArrayNames(layout, first)),
    };
    if (shape.masked)
        lines.push_back(layout.maskBit == MaskBit::Transparent
                            ? "Masque : 1 = transparent (le fond reste), 0 = opaque"
                            : "Masque : 1 = opaque, 0 = transparent (le fond reste)");
    if (separateFrames)
        lines.push_back(std::to_string(count) + " images : " + first + " ... " +
                        FrameSpriteName(name, static_cast<int>(count) - 1, static_cast<int>(count)));
    else if (set && IsAssembly(layout.syntax))
        lines.push_back(std::to_string(count) + " images qui se suivent dans chaque tableau");
    else if (set)
        lines.push_back(std::to_string(count) + " images : [0] ... [" + std::to_string(count - 1) +
                        "] dans chaque tableau");
    const std::string call = CallWriter(layout, shape, first, set && !separateFrames).Call();
    lines.push_back(call.empty() ? "Aucune routine de dessin connue ne lit ce format tel quel"
                                 : "Appel : " + call + ";");
    return lines;
}

} // namespace

SpriteShape ShapeOfFrames(const std::vector<const Sprite*>& frames)
{
    SpriteShape shape{frames.front()->width, frames.front()->height, false, false};
    for (const Sprite* frame : frames) {
        const SpriteType type = frame->GetType();
        shape.gray = shape.gray || IsGrayType(type);
        shape.masked = shape.masked || IsMaskedType(type);
    }
    return shape;
}

std::string DataNameRefusal(const std::string& name, DataSyntax syntax)
{
    if (std::string why = WhyNotCIdentifier(name); !why.empty())
        return why;
    if (!IsAssembly(syntax))
        return {};
    const std::string lower = AsciiLowered(name);
    const bool dataOrAddress =
        lower.size() == 2 && (lower[0] == 'd' || lower[0] == 'a') && lower[1] >= '0' && lower[1] <= '7';
    if (dataOrAddress || lower == "sp" || lower == "pc" || lower == "sr" || lower == "ccr" || lower == "usp" ||
        lower == "fp")
        return InGuillemets(name) + " est un registre du 68000";
    return {};
}

std::string WriteMapText(const std::vector<uint16_t>& cells, int width, int tileCount, const std::string& name,
                         const DataLayout& layout)
{
    // A map of up to 256 tiles fits bytes, as the tile-map routines prefer.
    const int bits = tileCount <= 256 ? 8 : 16;
    const int height = static_cast<int>(cells.size()) / width;
    TextBuilder text(layout, SpriteShape{});
    text.Comment({name + " : carte de " + std::to_string(width) + " x " + std::to_string(height) + " cases, " +
                      std::to_string(tileCount) + " tuiles (" + name + "_tiles)",
                  std::string("Une ligne de la carte par ligne, une case = le numero de sa tuile (") +
                      (bits == 8 ? "octet" : "mot de 16 bits") + ")"});
    if (layout.defines) {
        text.Define(name + "_MAP_WIDTH", width);
        text.Define(name + "_MAP_HEIGHT", height);
        text.Define(name + "_TILES", tileCount);
    }
    text.BlankLine();
    text.Matrix(name + "_map", cells, width, bits);
    return text.Text();
}

std::vector<std::string> ArrayNames(const DataLayout& layout, const std::string& name)
{
    if (layout.arrange != Arrangement::Separate)
        return {name};
    std::vector<std::string> names;
    for (const Plane plane : layout.order)
        names.push_back(name + PlaneSuffix(plane));
    return names;
}

std::string WriteDataText(const std::vector<const Sprite*>& frames, const std::string& name, const DataLayout& layout)
{
    const SpriteShape shape = ShapeOfFrames(frames);
    const int count = static_cast<int>(frames.size());
    TextBuilder text(layout, shape);
    text.Comment(HeaderLines(frames, name, layout, shape));
    if (layout.defines) {
        text.Define(name + "_WIDTH", shape.width);
        text.Define(name + "_HEIGHT", shape.height);
        if (count > 1)
            text.Define(name + "_FRAMES", count);
    }
    const DataPlan plan = PlanOfLayout(layout, shape.width, shape.height);
    const std::vector<Plane> blockPlanes =
        layout.arrange == Arrangement::Block && layout.order.size() > 1 ? layout.order : std::vector<Plane>{};
    // Every frame in one array per plane, or each frame in arrays of its own.
    const bool separateFrames = count > 1 && layout.frames == FrameArrays::Separate;
    const int groups = separateFrames ? count : 1;
    for (int group = 0; group < groups; ++group) {
        const std::vector<const Sprite*> groupFrames =
            separateFrames ? std::vector<const Sprite*>{frames[static_cast<std::size_t>(group)]} : frames;
        const std::string groupName = separateFrames ? FrameSpriteName(name, group, count) : name;
        const MemoryImages images = EncodeFrames(plan, groupFrames);
        const std::vector<std::string> names = ArrayNames(layout, groupName);
        for (std::size_t i = 0; i < images.size(); ++i) {
            text.BlankLine();
            text.Array(names[i], images[i], groupFrames.size(), blockPlanes);
        }
    }
    return text.Text();
}

std::string WriteFontTables(const std::string& name, const DataLayout& layout, const std::string& characters,
                            const std::vector<int>& advances)
{
    TextBuilder text(layout, SpriteShape{1, 1, false, false});
    std::vector<std::string> lines = {"Police : un caractere par image, dans l'ordre :", characters};
    if (!advances.empty())
        lines.push_back(name + "_widths : l'avance de chaque caractere, espacement compris");
    text.BlankLine();
    text.Comment(lines);
    if (!advances.empty())
        text.ByteTable(name + "_widths", advances);
    return text.Text();
}
