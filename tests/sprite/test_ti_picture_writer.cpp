// Calculator pictures written by Pixora, read back by the link software's own
// library (libtifiles, which checks the file's structure and computes the
// checksum itself) and by Pixora's importer.
#include <gtest/gtest.h>
#include <tifiles.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "SpriteText.h"
#include "ti_picture.h"
#include "ti_picture_writer.h"

namespace fs = std::filesystem;

namespace {

struct ModelCase {
    TiModel model;
    const char* extension;
    CalcModel linkModel;
};

const ModelCase Models[] = {
    {TiModel::Ti89, ".89i", CALC_TI89},
    {TiModel::Ti92Plus, ".9xi", CALC_TI92P},
    {TiModel::V200, ".v2i", CALC_V200},
};

class Folder {
public:
    Folder() : path_(fs::temp_directory_path() / ("pixora-ti-" + std::to_string(::getpid())))
    {
        fs::create_directories(path_);
    }
    ~Folder() { fs::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// A picture of every color and some masked pixels, from a fixed sequence.
Sprite ScatteredSprite(int width, int height, unsigned seed)
{
    Sprite sprite({width, height});
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) {
            seed = seed * 1103515245u + 12345u;
            const unsigned draw = seed >> 16;
            sprite.SetPixel(x, y, static_cast<PenValue>(draw % 4));
            if (draw % 7 == 0)
                sprite.SetPixel(x, y, Mask);
        }
    return sprite;
}

// What a picture pixel must be: set for any color but white, never masked.
bool ExpectedBit(const Sprite& sprite, int x, int y, int plane)
{
    if (sprite.GetMask(x, y) == Mask)
        return false;
    const int color = sprite.GetColor(x, y);
    return plane == 0 ? color != White : (color & plane) != 0;
}

struct LinkFile {
    FileContent* content = nullptr;
    ~LinkFile()
    {
        if (content)
            tifiles_content_delete_regular(content);
    }
};

// Reads the file with libtifiles and checks everything the link software
// checks, then every pixel and padding bit of the picture.
void ExpectLinkSoftwareReads(const std::string& path, const ModelCase& model, const std::string& variable,
                             const Sprite& sprite, int plane)
{
    SCOPED_TRACE(path);
    ASSERT_TRUE(tifiles_file_is_regular(path.c_str()));
    EXPECT_EQ(tifiles_file_get_model(path.c_str()), model.linkModel);
    LinkFile file;
    file.content = tifiles_content_create_regular(CALC_NONE);
    ASSERT_EQ(tifiles_file_read_regular(path.c_str(), file.content), 0);
    EXPECT_EQ(file.content->checksum, file.content->stored_checksum);
    EXPECT_STREQ(file.content->default_folder, "main");
    ASSERT_EQ(file.content->num_entries, 1u);
    const VarEntry& entry = *file.content->entries[0];
    EXPECT_STREQ(entry.name, variable.c_str());
    EXPECT_STREQ(entry.folder, "main");
    EXPECT_EQ(entry.type, 0x10); // picture
    const int rowBytes = (sprite.width + 7) / 8;
    // Length, height, width, the rows and the picture tag.
    ASSERT_EQ(entry.size, 2u + 4u + static_cast<unsigned>(rowBytes * sprite.height) + 1u);
    const uint8_t* data = entry.data;
    EXPECT_EQ((data[0] << 8 | data[1]), static_cast<int>(entry.size) - 2);
    EXPECT_EQ((data[2] << 8 | data[3]), sprite.height);
    EXPECT_EQ((data[4] << 8 | data[5]), sprite.width);
    EXPECT_EQ(data[entry.size - 1], 0xDF);
    EXPECT_EQ(fs::file_size(path), 0x52u + 4u + entry.size + 2u);
    int wrong = 0;
    for (int y = 0; y < sprite.height; ++y)
        for (int x = 0; x < rowBytes * 8; ++x) {
            const bool bit = (data[6 + y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
            const bool expected = x < sprite.width && ExpectedBit(sprite, x, y, plane);
            wrong += bit != expected;
        }
    EXPECT_EQ(wrong, 0);
}

// The importer gives back, cell for cell, the black and white picture.
void ExpectImporterReads(const std::string& path, const Sprite& sprite, int plane)
{
    Sprite back({16, 16});
    ASSERT_TRUE(ChargerImageTI(back, path)) << path;
    ASSERT_EQ(back.GetSize(), sprite.GetSize());
    int wrong = 0;
    for (int x = 0; x < MaxWidth; ++x)
        for (int y = 0; y < MaxHeight; ++y) {
            const bool inside = x < sprite.width && y < sprite.height;
            const int expected = inside && ExpectedBit(sprite, x, y, plane) ? Black : White;
            wrong += back.cells[CellIndex(x, y)] != expected;
        }
    EXPECT_EQ(wrong, 0) << path;
}

class TiPictureWriterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { tifiles_library_init(); }
    Folder folder;
};

TEST_F(TiPictureWriterTest, EveryModelAndWidthIsReadByTheLinkLibraryAndTheImporter)
{
    for (const ModelCase& model : Models)
        for (int width : {1, 8, 9, 159, 239, 240})
            for (int height : {1, 37, 128}) {
                Sprite sprite = ScatteredSprite(width, height, static_cast<unsigned>(width * 131 + height));
                // Black and white only, so that it is written as one picture.
                for (int x = 0; x < width; ++x)
                    for (int y = 0; y < height; ++y)
                        if (sprite.GetColor(x, y) == LightGray || sprite.GetColor(x, y) == DarkGray)
                            sprite.SetPixel(x, y, sprite.GetMask(x, y) == Mask ? White + MaskOffset : Black);
                const std::string path = folder.File("pic" + std::to_string(width) + model.extension);
                const auto files = PlanTiPictures(path, "pic", false);
                ASSERT_EQ(files.size(), 1u);
                ASSERT_FALSE(WriteTiPictures(sprite, model.model, files));
                ExpectLinkSoftwareReads(path, model, "pic", sprite, 0);
                ExpectImporterReads(path, sprite, 0);
            }
}

TEST_F(TiPictureWriterTest, GrayIsWrittenAsItsLightAndDarkPlanes)
{
    const Sprite sprite = ScatteredSprite(23, 11, 7);
    ASSERT_EQ(sprite.GetType(), GrayscaleMasked);
    for (const ModelCase& model : Models) {
        const std::string path = folder.File(std::string("sprite12") + model.extension);
        const auto files = PlanTiPictures(path, "sprite12", true);
        ASSERT_EQ(files.size(), 2u);
        EXPECT_EQ(files[0].path, folder.File(std::string("sprite12_l") + model.extension));
        EXPECT_EQ(files[1].path, folder.File(std::string("sprite12_d") + model.extension));
        ASSERT_FALSE(WriteTiPictures(sprite, model.model, files));
        EXPECT_FALSE(fs::exists(path));
        // Shortened to the calculator's eight characters.
        ExpectLinkSoftwareReads(files[0].path, model, "sprite_l", sprite, 1);
        ExpectLinkSoftwareReads(files[1].path, model, "sprite_d", sprite, 2);
        ExpectImporterReads(files[0].path, sprite, 1);
        ExpectImporterReads(files[1].path, sprite, 2);
    }
}

TEST_F(TiPictureWriterTest, ExactBytesOfASmallPicture)
{
    const Sprite sprite = FromRows({"#.......#", "W.B.#...."}); // masked pixels come out white
    const std::string bytes = TiPictureBytes(sprite, TiModel::Ti89, "ab", 0);
    const std::string expected = std::string("**TI89**\x01\x00main\0\0\0\0", 18);
    EXPECT_EQ(bytes.substr(0, 18), expected);
    EXPECT_EQ(bytes.substr(0x40, 8), std::string("ab\0\0\0\0\0\0", 8));
    EXPECT_EQ(bytes.substr(0x50, 2), "\xA5\x5A") << "the entry mark, as link software writes it";
    // From 86: length 9, height 2, width 9, rows 80 80 / 08 00, the tag, the sum.
    const std::string variable("\x00\x09\x00\x02\x00\x09\x80\x80\x08\x00\xDF", 11);
    EXPECT_EQ(bytes.substr(86, 11), variable);
    unsigned sum = 0;
    for (char c : variable)
        sum += static_cast<uint8_t>(c);
    EXPECT_EQ(static_cast<uint8_t>(bytes[97]), sum & 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(bytes[98]), sum >> 8);
    EXPECT_EQ(bytes.size(), 99u);
}

// Pictures written before the entry mark was A5 5A, and pictures of other
// programs, hold anything there: the reader never looks at it.
TEST(TiPictureReader, ReadsWhateverEntryMarkTheFileHolds)
{
    const Sprite sprite = FromRows({"#.......#", "..#.#...."});
    for (const char* mark : {"\xA5\x5A", "\x5A\xA5", "\0\0"}) {
        std::string bytes = TiPictureBytes(sprite, TiModel::V200, "ab", 0);
        bytes.replace(0x50, 2, std::string(mark, 2));
        Sprite back({1, 1});
        ASSERT_TRUE(TakeTiPicture(bytes, back));
        EXPECT_EQ(ToRows(back), ToRows(sprite));
    }
}

TEST(TiPictureNames, TheCalculatorRuleAndTheNameFromTheFile)
{
    for (const char* valid : {"a", "balle", "x_1", "abcdefgh", "z9_"})
        EXPECT_TRUE(IsValidVariableName(valid)) << valid;
    for (const char* invalid : {"", "1abc", "_abc", "abcdefghi", "mon nom", "Balle", "é", "a-b"})
        EXPECT_FALSE(IsValidVariableName(invalid)) << invalid;

    // A name from a file keeps the first 8 characters the rule allows, from
    // its first letter on; a file name without a letter gives none.
    const std::pair<const char*, const char*> fromFiles[] = {
        {"/tmp/Balle.89i", "balle"},    {"dir.x/MONSPRITE.V2I", "monsprit"},
        {"cli_final.89i", "cli_fina"},  {"mon sprite.9xi", "monsprit"},
        {"1st-ball.89i", "stball"},     {"_x.89i", "x"},
        {"\xC3\xA9t\xC3\xA9.89i", "t"}, {"123.89i", ""},
        {"ab.cd.89i", "abcd"},
    };
    for (const auto& [path, name] : fromFiles)
        EXPECT_EQ(VariableNameOfPath(path), name) << path;

    EXPECT_EQ(TiModelOfPath("a.89I"), TiModel::Ti89);
    EXPECT_EQ(TiModelOfPath("a.9xi"), TiModel::Ti92Plus);
    EXPECT_EQ(TiModelOfPath("a.V2i"), TiModel::V200);
    EXPECT_FALSE(TiModelOfPath("a.pixo"));
    EXPECT_FALSE(TiModelOfPath("89i"));

    const auto gray = PlanTiPictures("out/b.9xi", "b", true);
    EXPECT_EQ(gray[0].variableName, "b_l");
    EXPECT_EQ(gray[1].path, "out/b_d.9xi");
}

TEST_F(TiPictureWriterTest, AFailedWriteLeavesNoFile)
{
    const Sprite sprite = FromRows({"##", "ll"});
    const std::string blocked = folder.File("blocked_d.89i");
    fs::create_directory(blocked); // the dark plane cannot be written
    const auto files = PlanTiPictures(folder.File("blocked.89i"), "blocked", true);
    EXPECT_TRUE(WriteTiPictures(sprite, TiModel::Ti89, files));
    EXPECT_FALSE(fs::exists(files[0].path));
    EXPECT_TRUE(fs::is_directory(blocked));
}

} // namespace
