// How sprite data lies in the arrays of a calculator program, described
// once for writing and for reading: the unit of a row, the planes and their
// order, how the planes share the arrays, what a mask bit means, how the
// frames of a set are kept, and the syntax of the text.
//
// A row is the sprite's pixels left to right, the leftmost in the most
// significant bit, big-endian as the 68000 holds it: one element of 8, 16,
// 32 or 64 bits, or ceil(width / 8) bytes. The planes are B (black and
// white, black = 1), L (light, colors 1 and 3), D (dark, colors 2 and 3) and
// M (the mask). The option names and values here are those of the command
// line and the settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class RowUnit { Bits8 = 8, Bits16 = 16, Bits32 = 32, Bits64 = 64, Bytes = 0 };
enum class Plane : char { Black = 'B', Light = 'L', Dark = 'D', Mask = 'M' };
enum class Arrangement { Separate, Block, Interlaced };
enum class MaskBit { Transparent, Opaque };
enum class FrameArrays { Array, Separate };
enum class DataSyntax { C, CBinary, A68k, A68kBinary, GnuAs, GnuAsBinary };

// What the user chooses as is, writing or reading.
struct LayoutChoices {
    Arrangement arrange = Arrangement::Separate;
    MaskBit maskBit = MaskBit::Transparent;
    FrameArrays frames = FrameArrays::Array;
    DataSyntax syntax = DataSyntax::C;
    bool defines = false;
};

struct DataLayout : LayoutChoices {
    RowUnit rows = RowUnit::Bits16;
    std::vector<Plane> order{Plane::Black};
};

// What the user asked for: the row unit and the order take their defaults
// from the sprite when they are not given.
struct LayoutRequest : LayoutChoices {
    std::optional<RowUnit> rows;
    std::optional<std::string> order;
};

// What a layout must hold: the size and the planes of a sprite, or of every
// frame of a set together.
struct SpriteShape {
    int width = 1;
    int height = 1;
    bool gray = false;
    bool masked = false;
};

// The values' names: "8" "16" "32" "64" "bytes"; "separate" "block"
// "interlaced"; "transparent" "opaque"; "array" "separate"; "c" "c-binary"
// "a68k" "a68k-binary" "gnu-as" "gnu-as-binary". Nothing for an unknown name.
std::optional<RowUnit> RowUnitNamed(std::string_view name);
std::optional<Arrangement> ArrangementNamed(std::string_view name);
std::optional<MaskBit> MaskBitNamed(std::string_view name);
std::optional<FrameArrays> FrameArraysNamed(std::string_view name);
std::optional<DataSyntax> DataSyntaxNamed(std::string_view name);
const char* NameOf(RowUnit value);
const char* NameOf(Arrangement value);
const char* NameOf(MaskBit value);
const char* NameOf(FrameArrays value);
const char* NameOf(DataSyntax value);
// "B" "LD" "MLD"...
std::string OrderText(const std::vector<Plane>& order);

bool IsAssembly(DataSyntax syntax);
bool IsBinary(DataSyntax syntax);

// The row unit of elements of 8, 16, 32 or 64 bits.
RowUnit RowUnitOfBits(int bits);
// The bits of one element (8 to 64); a row of bytes is written in elements of 8.
int ElementBits(RowUnit rows);
// The bytes of one row of a sprite this wide.
int RowBytes(RowUnit rows, int width);
// The smallest of 8, 16 and 32 bits that holds the width, else bytes.
RowUnit DefaultRowUnit(int width);
// The sprite's planes in the default order: light before dark, the mask
// last, or first when interlaced.
std::vector<Plane> DefaultOrder(const SpriteShape& shape, Arrangement arrange);

// The planes of a written order: letters B, L, D and M, each at most once,
// B not with L or D, L and D together; the French reason when it is not one.
std::string ReadOrder(std::string_view text, std::vector<Plane>& order);
// The shape of the planes of an order (the size left as it is).
SpriteShape ShapeOfOrder(const std::vector<Plane>& order, SpriteShape shape);

// The layout for writing this sprite, or the French reason why the request
// does not fit it (a width beyond the row, an order that is not exactly the
// sprite's planes).
std::string ResolveLayout(const LayoutRequest& request, const SpriteShape& shape, DataLayout& layout);
// Why a row unit cannot hold this width, or nothing.
std::string RowWidthRefusal(RowUnit rows, int width);
