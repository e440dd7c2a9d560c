#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "SpriteText.h"
#include "U_class.h"
#include "ti_picture.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

constexpr std::size_t kRecordSize = 30732;

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Everything a load may change, to check that a refused file changed nothing.
struct State {
    Point size;
    int type;
    std::vector<int8_t> cells;
    std::vector<uint8_t> marks;
    bool operator==(const State&) const = default;
};

State StateOf(const Sprite& s)
{
    return {s.GetSize(), s.GetType(), {s.cells, s.cells + CellCount}, {s.marks, s.marks + CellCount}};
}

// A sprite with something in every plane, including a mark and hidden pixels.
Sprite BusySprite()
{
    Sprite s({40, 20});
    s.DrawLine(0, 0, 39, 19, DarkGray);
    s.SetPixel(100, 100, Black);
    s.SetPixel(5, 6, Mask);
    s.SetPixel(7, 7, Mark);
    s.SetSize({30, 20});
    return s;
}

class FileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("pixora-files-" + std::to_string(getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

} // namespace

// ---- Native ".pixo" file ----

TEST_F(FileTest, NewSpriteSavesItsExactRecord)
{
    const Sprite s({16, 16});
    ASSERT_TRUE(s.SaveToFile(PathOf("new.pixo")));
    Bytes expected(kRecordSize, 0);
    expected[0] = 0x10;
    expected[4] = 0x10;
    expected[8] = 0x01;
    EXPECT_EQ(ReadBytes(PathOf("new.pixo")), expected);
}

TEST_F(FileTest, EachFieldLandsAtItsOffset)
{
    struct Row {
        const char* name;
        std::function<void(Sprite&)> draw;
        std::size_t offset;
        uint8_t value;
    } rows[] = {
        {"black at (1, 0)", [](Sprite& s) { s.SetPixel(1, 0, Black); }, 137, 3},
        {"masked white at (0, 1)", [](Sprite& s) { s.SetPixel(0, 1, Mask); }, 10, 15},
        {"masked dark gray at (239, 127)",
         [](Sprite& s) {
             s.SetPixel(239, 127, DarkGray);
             s.SetPixel(239, 127, Mask);
         },
         30728, 17},
        {"type of a masked gray pixel",
         [](Sprite& s) {
             s.SetPixel(2, 2, LightGray);
             s.SetPixel(2, 2, Mask);
         },
         8, 4},
        {"width 240, low byte",
         [](Sprite& s) {
             s.SetSize({240, 128});
         },
         0, 0xF0},
        {"height 128, low byte",
         [](Sprite& s) {
             s.SetSize({240, 128});
         },
         4, 0x80},
    };
    for (const Row& row : rows) {
        Sprite s({16, 16});
        row.draw(s);
        ASSERT_TRUE(s.SaveToFile(PathOf("f.pixo")));
        const Bytes bytes = ReadBytes(PathOf("f.pixo"));
        ASSERT_EQ(bytes.size(), kRecordSize);
        EXPECT_EQ(bytes[row.offset], row.value) << row.name;
    }
}

TEST_F(FileTest, LoadRestoresEverythingSavedAndKeepsTheMarks)
{
    Sprite saved = BusySprite();
    saved.SetSize({8, 8}); // the stored type still counts the hidden pixels
    ASSERT_TRUE(saved.SaveToFile(PathOf("small.pixo")));
    saved.SetSize({30, 20});
    ASSERT_TRUE(saved.SaveToFile(PathOf("large.pixo")));
    const Bytes small = ReadBytes(PathOf("small.pixo")), large = ReadBytes(PathOf("large.pixo"));
    EXPECT_TRUE(std::equal(small.begin() + 9, small.end(), large.begin() + 9));

    Sprite loaded({3, 3});
    loaded.SetPixel(1, 2, Mark);
    ASSERT_TRUE(loaded.LoadFromFile(PathOf("small.pixo")));
    EXPECT_EQ(loaded.GetSize(), (Point{8, 8}));
    EXPECT_EQ(loaded.GetType(), GrayscaleMasked);
    EXPECT_TRUE(std::equal(loaded.cells, loaded.cells + CellCount, saved.cells));
    EXPECT_TRUE(loaded.IsMarked(1, 2));
    EXPECT_FALSE(loaded.IsMarked(7, 7));
    loaded.SetSize({30, 20});
    EXPECT_EQ(ToRows(loaded), ToRows(saved));
    loaded.SetPixel(0, 0, Black); // the counts behind the type follow the loaded cells
    EXPECT_EQ(loaded.GetType(), RescanType(loaded));
}

TEST_F(FileTest, MalformedFilesAreRefusedAndTheSpriteIsUntouched)
{
    Bytes valid(kRecordSize, 0);
    valid[0] = 16, valid[4] = 16, valid[8] = 1;
    struct Row {
        const char* name;
        std::function<void(Bytes&)> spoil;
    } rows[] = {
        {"empty", [](Bytes& b) { b.clear(); }},
        {"one byte short", [](Bytes& b) { b.pop_back(); }},
        {"cut inside the cells", [](Bytes& b) { b.resize(5000); }},
        {"width 0", [](Bytes& b) { b[0] = 0; }},
        {"width 241", [](Bytes& b) { b[0] = 241; }},
        {"width 256 + 16", [](Bytes& b) { b[1] = 1; }},
        {"width -1", [](Bytes& b) { std::memset(b.data(), 0xFF, 4); }},
        {"height 0", [](Bytes& b) { b[4] = 0; }},
        {"height 129", [](Bytes& b) { b[4] = 129; }},
        {"height 2^24 + 16", [](Bytes& b) { b[7] = 1; }},
        {"type 0", [](Bytes& b) { b[8] = 0; }},
        {"type 5", [](Bytes& b) { b[8] = 5; }},
        {"cell 4", [](Bytes& b) { b[9] = 4; }},
        {"cell 14", [](Bytes& b) { b[500] = 14; }},
        {"cell 19 in the last cell", [](Bytes& b) { b[30728] = 19; }},
        {"cell -1", [](Bytes& b) { b[1000] = 0xFF; }},
    };
    for (const Row& row : rows) {
        Bytes bytes = valid;
        row.spoil(bytes);
        WriteBytes(PathOf("bad.pixo"), bytes);
        Sprite s = BusySprite();
        const State before = StateOf(s);
        EXPECT_FALSE(s.LoadFromFile(PathOf("bad.pixo"))) << row.name;
        EXPECT_TRUE(StateOf(s) == before) << row.name;
    }
    for (const std::string& path : {PathOf("missing.pixo"), folder.string()}) {
        Sprite s = BusySprite();
        const State before = StateOf(s);
        EXPECT_FALSE(s.LoadFromFile(path)) << path;
        EXPECT_TRUE(StateOf(s) == before) << path;
    }
}

TEST_F(FileTest, ALongerFileLoadsFromItsFirstRecord)
{
    Bytes bytes(kRecordSize, 0);
    bytes[0] = 2, bytes[4] = 3, bytes[8] = 3;
    bytes[9 + 128 + 2] = 18; // masked black at (1, 2)
    bytes[30729] = 0x55;     // padding is not read
    bytes.insert(bytes.end(), 1000, 0xEE);
    WriteBytes(PathOf("long.pixo"), bytes);
    Sprite s;
    ASSERT_TRUE(s.LoadFromFile(PathOf("long.pixo")));
    EXPECT_EQ(ToRows(s), (Rows{"..", "..", ".B"}));
    EXPECT_EQ(s.GetType(), BlackWhiteMasked);
}

TEST_F(FileTest, SavingReplacesTheFileAndLeavesNothingElseBehind)
{
    const Sprite s = BusySprite();
    // The longest name a folder holds leaves no room to extend it.
    for (const std::string& name : {PathOf("mon sprite \xC3\xA9.pixo"), PathOf(std::string(250, 'n') + ".pixo")}) {
        WriteBytes(name, Bytes(50000, 0xAB));
        ASSERT_TRUE(s.SaveToFile(name));
        Sprite loaded;
        ASSERT_TRUE(loaded.LoadFromFile(name));
        EXPECT_EQ(ToRows(loaded), ToRows(s));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
        fs::remove(name);
    }
}

TEST_F(FileTest, SavingThroughALinkReplacesTheFileItNames)
{
    WriteBytes(PathOf("real.pixo"), Bytes(10, 1));
    fs::create_symlink(folder / "real.pixo", folder / "link.pixo");
    ASSERT_TRUE(Sprite({16, 16}).SaveToFile(PathOf("link.pixo")));
    EXPECT_TRUE(fs::is_symlink(folder / "link.pixo"));
    EXPECT_EQ(ReadBytes(PathOf("real.pixo")).size(), kRecordSize);
}

TEST_F(FileTest, AFailedSaveReportsFailureAndDamagesNothing)
{
    const Bytes old(kRecordSize, 7);
    WriteBytes(PathOf("old.pixo"), old);
    fs::create_directory(folder / "sub");
    WriteBytes(folder / "sub" / "inside", Bytes(3, 1));
    const std::string targets[] = {PathOf("no such folder/x.pixo"), PathOf("sub"), PathOf("old.pixo/x.pixo"), ""};
    for (const std::string& target : targets) {
        EXPECT_FALSE(BusySprite().SaveToFile(target)) << target;
        EXPECT_EQ(ReadBytes(PathOf("old.pixo")), old) << target;
        EXPECT_TRUE(fs::is_directory(folder / "sub")) << target;
        EXPECT_EQ(ReadBytes(folder / "sub" / "inside").size(), 3u) << target;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2) << target;
    }
}

TEST_F(FileTest, AFileTheUserMayNotWriteIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the super-user may write any file";
    const Bytes old(100, 7);
    WriteBytes(PathOf("locked.pixo"), old);
    fs::permissions(PathOf("locked.pixo"), fs::perms::owner_read);
    EXPECT_FALSE(Sprite({16, 16}).SaveToFile(PathOf("locked.pixo")));
    EXPECT_EQ(ReadBytes(PathOf("locked.pixo")), old);
}

// ---- Calculator picture import ----

namespace {

using PixelRule = std::function<bool(int x, int y)>;

// A picture variable file in the layout calculators write: header, length,
// height and width (16-bit big-endian), rows padded to whole bytes, then a
// tag byte and a checksum that the reader ignores.
Bytes PictureFile(int width, int height, const PixelRule& black, bool paddingOnes)
{
    Bytes bytes(86, 0);
    const char signature[] = "**TI89**";
    std::memcpy(bytes.data(), signature, 8);
    const int rowBytes = (width + 7) / 8;
    const int length = 4 + rowBytes * height;
    for (int value : {length, height, width}) {
        bytes.push_back(static_cast<uint8_t>(value >> 8));
        bytes.push_back(static_cast<uint8_t>(value));
    }
    for (int y = 0; y < height; ++y) {
        for (int byte = 0; byte < rowBytes; ++byte) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < width ? black(x, y) : paddingOnes)
                    bits |= static_cast<uint8_t>(0x80 >> bit);
            }
            bytes.push_back(bits);
        }
    }
    bytes.insert(bytes.end(), {0xDF, 0x12, 0x34});
    return bytes;
}

Bytes FirstBytes(Bytes bytes, std::size_t count)
{
    bytes.resize(count);
    return bytes;
}

bool Scattered(int x, int y)
{
    return (x * 7 + y * 3) % 5 == 0 || x == y;
}

} // namespace

TEST_F(FileTest, PictureBytesMapToRowsAndColumns)
{
    Bytes file = PictureFile(
        16, 16, [](int, int) { return false; }, false);
    file[92] = 0x80; // row 0, column 0
    file[93] = 0x01; // row 0, column 15
    file[94] = 0x40; // row 1, column 1
    WriteBytes(PathOf("p.89i"), file);
    Sprite s;
    ASSERT_TRUE(ChargerImageTI(s, PathOf("p.89i")));
    EXPECT_EQ(ToRows(s)[0], "#..............#");
    EXPECT_EQ(ToRows(s)[1], ".#..............");
    EXPECT_EQ(ToRows(s)[2], "................");
}

TEST_F(FileTest, PicturesOfEverySizeAreReadWithTheirPadding)
{
    const Point sizes[] = {{16, 16}, {240, 128}, {13, 7}, {159, 77}, {239, 103}, {1, 1}, {8, 128}};
    for (Point size : sizes) {
        WriteBytes(PathOf("p.9xi"), PictureFile(size.x, size.y, Scattered, true));
        Sprite s({32, 32});
        s.FloodFill(0, 0, DarkGray, White);
        s.SetPixel(239, 127, Mask);
        ASSERT_TRUE(ChargerImageTI(s, PathOf("p.9xi"))) << size.x << "x" << size.y;
        EXPECT_EQ(s.GetSize(), size);
        EXPECT_EQ(s.GetType(), BlackWhite);
        for (int x = 0; x < MaxWidth; ++x)
            for (int y = 0; y < MaxHeight; ++y) {
                const bool inside = x < size.x && y < size.y;
                ASSERT_EQ(s.cells[x * 128 + y], inside && Scattered(x, y) ? Black : White)
                    << size.x << "x" << size.y << " at " << x << "," << y;
            }
    }
}

TEST_F(FileTest, APictureOverAMaskedGraySpriteLeavesABlackAndWhiteOneWithItsMarks)
{
    WriteBytes(PathOf("p.v2i"), PictureFile(
                                    16, 8, [](int x, int y) { return x == 15 && y == 7; }, false));
    Sprite s({32, 32});
    s.FloodFill(0, 0, LightGray, White);
    s.AutoMask();
    s.FloodFill(0, 0, NoMask, White);
    s.SetPixel(20, 20, Mask);
    s.SetPixel(3, 3, Mark);
    ASSERT_EQ(s.GetType(), GrayscaleMasked);
    ASSERT_TRUE(ChargerImageTI(s, PathOf("p.v2i")));
    EXPECT_EQ(s.GetSize(), (Point{16, 8}));
    EXPECT_EQ(s.GetType(), BlackWhite);
    EXPECT_EQ(ToRows(s)[7], "...............#");
    EXPECT_TRUE(s.IsMarked(3, 3));
    s.SetSize({240, 128});
    EXPECT_EQ(RescanType(s), BlackWhite);
    s.SetPixel(0, 0, White);
    EXPECT_EQ(s.GetType(), BlackWhite);
}

TEST_F(FileTest, UnusablePicturesAreRefusedAndTheSpriteIsUntouched)
{
    struct Row {
        const char* name;
        Bytes file;
    } rows[] = {
        {"320 wide (low byte 64)", PictureFile(320, 16, Scattered, false)},
        {"241 wide", PictureFile(241, 16, Scattered, false)},
        {"129 high", PictureFile(16, 129, Scattered, false)},
        {"256 + 8 high (low byte 8)", PictureFile(16, 264, Scattered, false)},
        {"no width", PictureFile(0, 16, Scattered, false)},
        {"no height", PictureFile(16, 0, Scattered, false)},
        {"cut inside the last row", FirstBytes(PictureFile(159, 77, Scattered, false), 92 + 20 * 77 - 1)},
        {"cut inside the header", FirstBytes(PictureFile(16, 16, Scattered, false), 91)},
        {"empty", {}},
    };
    for (const Row& row : rows) {
        WriteBytes(PathOf("bad.89i"), row.file);
        Sprite s = BusySprite();
        const State before = StateOf(s);
        EXPECT_FALSE(ChargerImageTI(s, PathOf("bad.89i"))) << row.name;
        EXPECT_TRUE(StateOf(s) == before) << row.name;
    }
    for (const std::string& path : {PathOf("missing.89i"), folder.string()}) {
        Sprite s = BusySprite();
        const State before = StateOf(s);
        EXPECT_FALSE(ChargerImageTI(s, path)) << path;
        EXPECT_TRUE(StateOf(s) == before) << path;
    }
}

TEST_F(FileTest, APictureEndingExactlyAfterItsLastRowIsRead)
{
    WriteBytes(PathOf("exact.89i"), FirstBytes(PictureFile(159, 77, Scattered, true), 92 + 20 * 77));
    Sprite s;
    ASSERT_TRUE(ChargerImageTI(s, PathOf("exact.89i")));
    EXPECT_EQ(s.GetColor(158, 76), Scattered(158, 76) ? Black : White);
    EXPECT_EQ(s.GetColor(76, 76), Black);
}
