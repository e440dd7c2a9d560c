// Helpers for the plug-in tests: planes drawn as text, a temporary folder, and
// a run of a built plug-in through the host core that returns the file's
// bytes. Rows use '.' white, 'l' light gray, 'd' dark gray, '#' black, and
// 'W', 'L', 'D', 'B' for the same colors masked; row y, column x.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PluginHost.h"

using Rows = std::vector<std::string>;

// Planes holding the picture in their top-left corner and white, unmasked
// pixels elsewhere.
std::unique_ptr<SpritePlanes> PlanesFromRows(const Rows& rows);

// A picture of the given size whose pixels are drawn from the palette's
// characters by a fixed pseudo-random sequence.
Rows ScatteredPicture(int width, int height, const std::string& palette, unsigned seed);

// A fresh empty folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The text as a plug-in puts it on disk: every "\n" as CR LF.
std::string Crlf(const std::string& text);

// A library of the build's Plugins folder, by name ("hexplane").
std::string BuiltPlugin(const std::string& name);

struct PluginRun {
    ExportResult result;
    std::string bytes; // the written file; empty when none was written
};

PluginRun RunPlugin(const std::string& plugin, const SpritePlanes& planes, int type, int height, int width,
                    const std::string& spriteName = "Sprite");

// Compiles C text with the system's C compiler and the given flags, runs a
// program that prints every element of the named arrays, and returns the
// values by array name. Fails the test when the text does not compile.
using ArrayValues = std::map<std::string, std::vector<unsigned long>>;
ArrayValues CompiledArrays(const std::vector<std::string>& cTexts, const std::vector<std::string>& arrayNames,
                           const std::string& compilerFlags);

// A row's bits from text: '1' where the predicate holds, most significant
// bit first, read by the standard library's base-2 conversion.
template <typename Predicate> unsigned long RowBitsOf(const std::string& row, Predicate isSet)
{
    std::string bits;
    for (char c : row)
        bits += isSet(c) ? '1' : '0';
    return std::stoul(bits, nullptr, 2);
}
