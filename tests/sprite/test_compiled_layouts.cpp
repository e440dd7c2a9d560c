// The C and GNU as texts of the layouts, compiled and assembled for the
// 68000 (Debian's gcc-m68k-linux-gnu and binutils-m68k-linux-gnu): every
// array's bytes, found in the object file by its symbol, are the sprite's
// rows laid out by hand, big-endian. The C text compiles with -Wall -Wextra
// -Werror although the program uses only its first array.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "LayoutFixture.h"

namespace {

namespace fs = std::filesystem;

using ArrayBytes = std::map<std::string, std::string>;

bool Masked(char c)
{
    return c == 'W' || c == 'L' || c == 'D' || c == 'B';
}

// One row of one plane, worked out from the picture's characters.
std::string RowBytesOf(char plane, const std::string& row, int rowBytes, bool transparentBit)
{
    std::string bytes(static_cast<std::size_t>(rowBytes), '\0');
    for (int x = 0; x < rowBytes * 8; ++x) {
        bool bit;
        if (x >= static_cast<int>(row.size())) {
            bit = plane == 'M' && transparentBit;
        } else {
            const char c = row[static_cast<std::size_t>(x)];
            switch (plane) {
            case 'M':
                bit = Masked(c) == transparentBit;
                break;
            case 'B':
                bit = c == '#';
                break;
            case 'L':
                bit = c == 'l' || c == '#';
                break;
            default:
                bit = c == 'd' || c == '#';
                break;
            }
        }
        if (bit)
            bytes[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    }
    return bytes;
}

std::string Suffix(char plane)
{
    return plane == 'L' ? "_LightPlane" : plane == 'D' ? "_DarkPlane" : plane == 'M' ? "_Mask" : "";
}

struct CompiledCase {
    std::vector<Rows> frames;
    std::string order;
    RowUnit rows;
    Arrangement arrange;
    MaskBit maskBit;
    FrameArrays framesAs;
};

// Every array of the case as a programmer would lay it out: one per plane,
// or one for all planes, plane after plane or row after row.
ArrayBytes HandLaidArrays(const CompiledCase& test, const std::string& name)
{
    const int width = static_cast<int>(test.frames[0][0].size());
    const int rowBytes = test.rows == RowUnit::Bytes ? (width + 7) / 8 : static_cast<int>(test.rows) / 8;
    const bool transparent = test.maskBit == MaskBit::Transparent;
    const bool separateFrames = test.frames.size() > 1 && test.framesAs == FrameArrays::Separate;
    ArrayBytes arrays;
    for (std::size_t frame = 0; frame < test.frames.size(); ++frame) {
        const Rows& rows = test.frames[frame];
        const std::string base = separateFrames ? name + "_" + std::to_string(frame) : name;
        for (std::size_t p = 0; p < test.order.size(); ++p)
            for (std::size_t y = 0; y < rows.size(); ++y) {
                const std::string bytes = RowBytesOf(test.order[p], rows[y], rowBytes, transparent);
                if (test.arrange == Arrangement::Separate)
                    arrays[base + Suffix(test.order[p])] += bytes;
            }
        if (test.arrange == Arrangement::Block)
            for (const char plane : test.order)
                for (const std::string& row : rows)
                    arrays[base] += RowBytesOf(plane, row, rowBytes, transparent);
        if (test.arrange == Arrangement::Interlaced)
            for (const std::string& row : rows)
                for (const char plane : test.order)
                    arrays[base] += RowBytesOf(plane, row, rowBytes, transparent);
    }
    return arrays;
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ObjectFile {
    std::string failure; // the tool's messages when it failed
    std::map<std::string, std::size_t> offsets;
    std::map<std::string, std::size_t> sizes;
    std::string section;
};

// Builds the text (C: with a program that uses its first array) and reads
// back the symbols and the data section.
ObjectFile Build(const std::string& text, bool assembly, const std::string& firstArray)
{
    const fs::path folder = fs::temp_directory_path() / ("pixora-m68k-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "data.h", std::ios::binary) << text;
    std::ofstream(folder / "data.s", std::ios::binary) << text;
    std::ofstream(folder / "main.c") << "#include \"data.h\"\nconst void *first_array(void) { return " << firstArray
                                     << "; }\n";
    const std::string sectionName = assembly ? ".text" : ".rodata";
    const std::string build = assembly ? "m68k-linux-gnu-as data.s -o data.o"
                                       : "m68k-linux-gnu-gcc -std=gnu99 -Wall -Wextra -Werror -O0 -c main.c -o data.o";
    const std::string command =
        "cd '" + folder.string() + "' && " + build + " > tool.txt 2>&1 && " +
        "m68k-linux-gnu-objdump -t data.o > symbols.txt && m68k-linux-gnu-objcopy -O binary -j " + sectionName +
        " data.o section.bin >> tool.txt 2>&1";
    ObjectFile object;
    if (std::system(command.c_str()) != 0) {
        object.failure = ReadAll(folder / "tool.txt");
        fs::remove_all(folder);
        return object;
    }
    std::istringstream symbols(ReadAll(folder / "symbols.txt"));
    std::string line;
    while (std::getline(symbols, line)) {
        std::istringstream words(line);
        std::vector<std::string> fields{std::istream_iterator<std::string>(words),
                                        std::istream_iterator<std::string>()};
        if (fields.size() >= 4 && fields[fields.size() - 3] == sectionName) {
            object.offsets[fields.back()] = std::stoul(fields[0], nullptr, 16);
            object.sizes[fields.back()] = std::stoul(fields[fields.size() - 2], nullptr, 16);
        }
    }
    object.section = ReadAll(folder / "section.bin");
    fs::remove_all(folder);
    return object;
}

std::string Hex(const std::string& bytes)
{
    std::string hex;
    char digits[4];
    for (const char byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned char>(byte));
        hex += digits;
    }
    return hex;
}

TEST(CompiledLayouts, EveryArrayHoldsTheRowsBigEndianInTheObjectFile)
{
    const CompiledCase cases[] = {
        {{{"ld#W........", "#..........W", "...dd.ll...."}},
         "MLD",
         RowUnit::Bits16,
         Arrangement::Interlaced,
         MaskBit::Transparent,
         FrameArrays::Array},
        {{{"#.#....", "..#.#.#"}, {".......", "#######"}, {"#......", "......#"}},
         "B",
         RowUnit::Bits8,
         Arrangement::Separate,
         MaskBit::Transparent,
         FrameArrays::Array},
        {{{std::string(39, 'l') + "#", "d" + std::string(39, '.')}, {std::string(40, '#'), std::string(40, 'd')}},
         "DL",
         RowUnit::Bits64,
         Arrangement::Block,
         MaskBit::Transparent,
         FrameArrays::Separate},
        {{{"#W#W#W#W#W#W#W#W#W#W", "...................W"}},
         "MB",
         RowUnit::Bytes,
         Arrangement::Block,
         MaskBit::Opaque,
         FrameArrays::Array},
        {{{"l.d.#.W.l.d.#.W.l.d.#.W.l.d.#.", "W" + std::string(29, '#')}, {std::string(30, 'W'), std::string(30, 'l')}},
         "LDM",
         RowUnit::Bits32,
         Arrangement::Separate,
         MaskBit::Transparent,
         FrameArrays::Array},
    };
    for (const CompiledCase& test : cases)
        for (const DataSyntax syntax :
             {DataSyntax::C, DataSyntax::CBinary, DataSyntax::GnuAs, DataSyntax::GnuAsBinary}) {
            const Frames frames(test.frames);
            LayoutRequest request = Request(test.rows, test.order, test.arrange, test.maskBit, syntax);
            request.frames = test.framesAs;
            request.defines = true;
            const std::string text = WriteDataText(frames.list, "spr", Resolved(frames, request));
            const ArrayBytes expected = HandLaidArrays(test, "spr");
            const bool assembly = IsAssembly(syntax);
            const ObjectFile object = Build(text, assembly, expected.begin()->first);
            ASSERT_EQ(object.failure, "") << text;
            for (const auto& [name, bytes] : expected) {
                SCOPED_TRACE(name + " in\n" + text);
                ASSERT_EQ(object.offsets.count(name), 1u);
                if (!assembly) {
                    EXPECT_EQ(object.sizes.at(name), bytes.size());
                }
                const std::string found = object.section.substr(object.offsets.at(name), bytes.size());
                EXPECT_EQ(Hex(found), Hex(bytes));
            }
        }
}

} // namespace
