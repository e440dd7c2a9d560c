// What the tests of pixora-export share: the built command run as a build
// tool runs it, in a folder of its own with the test plug-ins, and the bytes
// of the files it reads.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using Args = std::vector<std::string>;

inline const std::string Command = PIXORA_PROGRAM_DIR "/pixora-export";

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

inline std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline int Shell(const std::string& command)
{
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

struct Cell {
    int x, y;
    int8_t value; // color, + 15 when masked
};

inline std::string PixoBytes(int width, int height, int type, const std::vector<Cell>& cells)
{
    std::string bytes(30732, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((width >> (8 * i)) & 0xFF);
        bytes[4 + i] = static_cast<char>((height >> (8 * i)) & 0xFF);
    }
    bytes[8] = static_cast<char>(type);
    for (const Cell& cell : cells)
        bytes[9 + cell.x * 128 + cell.y] = static_cast<char>(cell.value);
    return bytes;
}

// A sprite whose every cell inside its size is cellAt(x, y).
template <typename CellAt> inline std::string PixoFrom(int width, int height, int type, CellAt cellAt)
{
    std::vector<Cell> cells;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            cells.push_back({x, y, static_cast<int8_t>(cellAt(x, y))});
    return PixoBytes(width, height, type, cells);
}

inline std::string PatternPixo(int width, int height, int type)
{
    return PixoFrom(width, height, type, [&](int x, int y) { return (x + 2 * y) % 3 == 0 ? 3 : type == 2 ? 1 : 0; });
}

inline bool PictureBit(int x, int y)
{
    return (x * 7 + y * 3) % 5 == 0 || x == y;
}

// A calculator picture as the calculators write it: 16-bit big-endian height
// at 88 and width at 90, rows of (width + 7) / 8 bytes from 92 whose padding
// bits are set, then a tag byte and a checksum.
inline std::string PictureBytes(int width, int height)
{
    const int rowBytes = (width + 7) / 8;
    std::string bytes(92, '\0');
    bytes.replace(0, 8, "**TI89**");
    const int length = rowBytes * height + 4;
    const int fields[][2] = {{86, length}, {88, height}, {90, width}};
    for (const auto& [offset, value] : fields) {
        bytes[offset] = static_cast<char>(value >> 8);
        bytes[offset + 1] = static_cast<char>(value & 0xFF);
    }
    for (int y = 0; y < height; ++y)
        for (int b = 0; b < rowBytes; ++b) {
            int byte = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = b * 8 + bit;
                if (x >= width || PictureBit(x, y))
                    byte |= 0x80 >> bit;
            }
            bytes += static_cast<char>(byte);
        }
    return bytes + "\xDF\x12\x34";
}

// A ".pixs" set of these records; count, when given, is the one the header
// announces.
inline std::string PixsBytes(const std::vector<std::string>& records, int count = -1)
{
    const int n = count < 0 ? static_cast<int>(records.size()) : count;
    std::string bytes = std::string("PIXS") + '\x01' + '\0' + static_cast<char>(n & 0xFF) + static_cast<char>(n >> 8);
    for (const std::string& record : records)
        bytes += record;
    return bytes;
}

inline std::string PixoOfPicture(int width, int height)
{
    return PixoFrom(width, height, 1, [](int x, int y) { return PictureBit(x, y) ? 3 : 0; });
}

class CommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The process id keeps apart runs of the same test by other builds.
        dir_ = fs::temp_directory_path() /
               ("pixora_cli_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "plugins");
        for (const char* plugin : {"probe.so", "nowrite.so"})
            fs::copy_file(fs::path(CLI_TEST_PLUGIN_DIR) / plugin, dir_ / "plugins" / plugin);
        WriteFile(dir_ / "plugins" / "junk.so", "pas une bibliotheque");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string At(const std::string& name) const { return (dir_ / name).string(); }
    std::string Plugins() const { return At("plugins"); }

    RunResult Run(const Args& arguments) const
    {
        std::string line = ShellQuoted(Command);
        for (const std::string& argument : arguments)
            line += " " + ShellQuoted(argument);
        line += " >" + ShellQuoted(At("stdout")) + " 2>" + ShellQuoted(At("stderr"));
        const int status = Shell(line);
        RunResult result{status, ReadFile(At("stdout")), ReadFile(At("stderr"))};
        // In the sanitizer build a report would otherwise hide behind an expected non-zero status.
        EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("runtime error"), std::string::npos) << result.err;
        fs::remove(At("stdout"));
        fs::remove(At("stderr"));
        return result;
    }

    std::vector<std::string> FolderContents() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};
