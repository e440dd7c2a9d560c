#include "PluginFixture.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

struct Pixel {
    unsigned char color;
    unsigned char masked;
};

Pixel PixelFromChar(char c)
{
    switch (c) {
    case '.':
        return {0, 0};
    case 'l':
        return {1, 0};
    case 'd':
        return {2, 0};
    case '#':
        return {3, 0};
    case 'W':
        return {0, 1};
    case 'L':
        return {1, 1};
    case 'D':
        return {2, 1};
    case 'B':
        return {3, 1};
    }
    throw std::invalid_argument(std::string("unknown pixel character ") + c);
}

} // namespace

std::unique_ptr<SpritePlanes> PlanesFromRows(const Rows& rows)
{
    auto planes = std::make_unique<SpritePlanes>();
    std::memset(planes.get(), 0, sizeof(SpritePlanes));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const Pixel pixel = PixelFromChar(rows[y][x]);
            planes->color[x * MaxHeight + y] = pixel.color;
            planes->mask[x * MaxHeight + y] = pixel.masked;
        }
    return planes;
}

Rows ScatteredPicture(int width, int height, const std::string& palette, unsigned seed)
{
    Rows rows(height, std::string(width, ' '));
    for (std::string& row : rows)
        for (char& pixel : row) {
            seed = seed * 1103515245u + 12345u;
            pixel = palette[(seed >> 16) % palette.size()];
        }
    return rows;
}

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "pixora-plugins-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code error;
    fs::remove_all(path_, error);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

std::string Crlf(const std::string& text)
{
    std::string widened;
    for (char c : text) {
        if (c == '\n')
            widened += '\r';
        widened += c;
    }
    return widened;
}

std::string BuiltPlugin(const std::string& name)
{
    return std::string(PIXORA_PLUGIN_DIR) + "/" + name + ".so";
}

PluginRun RunPlugin(const std::string& plugin, const SpritePlanes& planes, int type, int height, int width,
                    const std::string& spriteName)
{
    TempFolder folder;
    const std::string file = folder.File("sprite.h");
    const ExportResult result = CallPluginWrite(BuiltPlugin(plugin), file, spriteName, type, planes, height, width);
    return {result, ReadBytes(file)};
}

ArrayValues CompiledArrays(const std::vector<std::string>& cTexts, const std::vector<std::string>& arrayNames,
                           const std::string& compilerFlags)
{
    TempFolder folder;
    std::string program = "#include <stdio.h>\n";
    for (size_t i = 0; i < cTexts.size(); ++i) {
        const std::string header = "sprite" + std::to_string(i) + ".h";
        WriteBytes(folder.File(header), cTexts[i]);
        program += "#include \"" + header + "\"\n";
    }
    program += "#define PRINT(a) do { size_t i; printf(\"%s\", #a); "
               "for (i = 0; i < sizeof a / sizeof a[0]; ++i) printf(\" %lu\", (unsigned long)a[i]); "
               "printf(\"\\n\"); } while (0)\n"
               "int main(void)\n{\n";
    for (const std::string& name : arrayNames)
        program += "    PRINT(" + name + ");\n";
    program += "    return 0;\n}\n";
    WriteBytes(folder.File("main.c"), program);

    const std::string build = "cd '" + folder.Path().string() + "' && gcc " + compilerFlags +
                              " -o print main.c > compiler.txt 2>&1 && ./print > values.txt";
    if (std::system(build.c_str()) != 0) {
        ADD_FAILURE() << "compiling or running failed:\n" << ReadBytes(folder.File("compiler.txt"));
        return {};
    }
    ArrayValues values;
    std::istringstream lines(ReadBytes(folder.File("values.txt")));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string name;
        unsigned long value;
        words >> name;
        while (words >> value)
            values[name].push_back(value);
    }
    return values;
}
