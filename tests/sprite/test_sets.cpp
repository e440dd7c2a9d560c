// Sprite sets: the frames around the editing sprite, their ".pixs" file, the
// undo of frame commands, the slicing of sheets and the joined export.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SpriteText.h"
#include "history.h"
#include "joined_export.h"
#include "set_file.h"
#include "sheet.h"
#include "sprite_set.h"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<Sprite> Frame(const Rows& rows)
{
    return std::make_unique<Sprite>(FromRows(rows));
}

// The set's frames as text, "|" marking the current one.
std::vector<Rows> FramesOf(const SpriteSet& set)
{
    std::vector<Rows> frames;
    for (int k = 0; k < set.Count(); ++k)
        frames.push_back(ToRows(set.Frame(k)));
    return frames;
}

// A set around editing whose frames are the rows given, frame 0 current.
void Fill(SpriteSet& set, const std::vector<Rows>& frames)
{
    set.Editing() = FromRows(frames.front());
    for (std::size_t k = 1; k < frames.size(); ++k)
        ASSERT_TRUE(set.InsertFrame(static_cast<int>(k), Frame(frames[k])));
}

std::string Le16(int value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Le32(int value)
{
    return Le16(value & 0xFFFF) + Le16(value >> 16);
}

// A ".pixo" record written by hand: width, height, type, the cells given by
// index (all others 0), three zero bytes.
std::string Record(int width, int height, int type, const std::vector<std::pair<int, int>>& cells = {})
{
    std::string record = Le32(width) + Le32(height) + static_cast<char>(type) + std::string(CellCount + 3, '\0');
    for (const auto& [index, value] : cells)
        record[9 + index] = static_cast<char>(value);
    return record;
}

std::string Header(int version, int count)
{
    return std::string("PIXS") + Le16(version) + Le16(count);
}

class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("pixora-sets-" + std::to_string(getpid())))
    {
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SpriteSet, FramesTradePlacesWithTheEditingSpriteAndKeepOneSize)
{
    Sprite editing = FromRows({"#.", ".."});
    SpriteSet set(editing);
    EXPECT_EQ(set.Count(), 1);
    ASSERT_TRUE(set.InsertFrame(1, Frame({"..", ".l"})));
    ASSERT_TRUE(set.InsertFrame(0, Frame({"B"}))); // takes the set's size, 2 x 2
    EXPECT_EQ(set.Current(), 1) << "inserting before the current frame keeps it current";
    EXPECT_EQ(FramesOf(set), (std::vector<Rows>{{"B.", ".."}, {"#.", ".."}, {"..", ".l"}}));

    ASSERT_TRUE(set.Select(2));
    EXPECT_EQ(ToRows(editing), (Rows{"..", ".l"}));
    editing.SetPixel(0, 0, Black);
    ASSERT_TRUE(set.Select(0));
    EXPECT_EQ(ToRows(set.Frame(2)), (Rows{"#.", ".l"})) << "an edit stays with its frame";

    editing.SetSize({3, 1});
    set.ApplySizeToAll();
    for (int k = 0; k < set.Count(); ++k)
        EXPECT_EQ(set.Frame(k).GetSize(), (Point{3, 1})) << k;
    set.Editing().SetSize({2, 2});
    set.ApplySizeToAll();
    EXPECT_EQ(ToRows(set.Frame(2)), (Rows{"#.", ".l"})) << "pixels outside a smaller size are kept";
}

TEST(SpriteSet, RefusesWhatWouldBreakItsLimits)
{
    Sprite editing({4, 4});
    SpriteSet set(editing);
    EXPECT_FALSE(set.TakeFrame(0)) << "the last frame is never removed";
    EXPECT_FALSE(set.InsertFrame(2, std::make_unique<Sprite>()));
    EXPECT_FALSE(set.InsertFrame(-1, std::make_unique<Sprite>()));
    EXPECT_FALSE(set.Select(1));
    EXPECT_FALSE(set.MoveFrame(0, 1));
    // The 65536th frame cannot be tried here: 65535 whole sprites take 4 GB.
    constexpr int BeyondFormerLimit = 300;
    for (int k = 1; k < BeyondFormerLimit; ++k)
        ASSERT_TRUE(set.InsertFrame(k, std::make_unique<Sprite>()));
    EXPECT_EQ(set.Count(), BeyondFormerLimit);

    FrameList mixed;
    mixed.push_back(Frame({".."}));
    mixed.push_back(Frame({"."}));
    int current = 0;
    EXPECT_FALSE(set.SwapFrames(mixed, current)) << "frames of different sizes";
    EXPECT_EQ(set.Count(), BeyondFormerLimit);
}

TEST(SpriteSet, RemovingOrMovingTheCurrentFrameKeepsAFrameCurrent)
{
    Sprite editing;
    SpriteSet set(editing);
    Fill(set, {{"#"}, {"l"}, {"d"}});
    set.Select(2);
    ASSERT_TRUE(set.TakeFrame(2));
    EXPECT_EQ(set.Current(), 1);
    EXPECT_EQ(ToRows(editing), (Rows{"l"}));
    ASSERT_TRUE(set.MoveFrame(1, 0));
    EXPECT_EQ(set.Current(), 0) << "the moved frame stays current";
    EXPECT_EQ(FramesOf(set), (std::vector<Rows>{{"l"}, {"#"}}));
    ASSERT_TRUE(set.TakeFrame(0));
    EXPECT_EQ(ToRows(editing), (Rows{"#"}));
}

TEST(SpriteSetHistory, FrameCommandsAreStepsAndEditsUndoOnTheirFrame)
{
    Sprite editing = FromRows({".."});
    SpriteSet set(editing);
    SpriteHistory history;
    ASSERT_TRUE(history.InsertFrame(set, 1, Frame({"##"}), "nouvelle image"));
    EXPECT_EQ(set.Current(), 1);
    history.Begin(editing, set.Current());
    editing.SetPixel(0, 0, LightGray);
    history.Commit(editing, "crayon");
    ASSERT_TRUE(history.MoveFrame(set, 1, 0, "déplacement"));
    ASSERT_TRUE(history.InsertFrame(set, 2, Frame({"d."}), "duplication"));
    ASSERT_TRUE(history.RemoveFrame(set, 1, "suppression"));
    const std::vector<Rows> final = {{"l#"}, {"d."}};
    EXPECT_EQ(FramesOf(set), final);

    const std::vector<std::vector<Rows>> undone = {
        {{"l#"}, {".."}, {"d."}}, // the removed frame is back
        {{"l#"}, {".."}},         // the added one is gone
        {{".."}, {"l#"}},         // moved back
        {{".."}, {"##"}},         // the stroke undone, on its own frame
        {{".."}},
    };
    for (const auto& expected : undone) {
        ASSERT_TRUE(history.Undo(set));
        EXPECT_EQ(FramesOf(set), expected) << history.RedoLabel();
    }
    EXPECT_FALSE(history.Undo(set));
    EXPECT_EQ(set.Current(), 0);

    // Undoing the stroke made frame 1 current again, where the stroke is.
    ASSERT_TRUE(history.Redo(set));
    ASSERT_TRUE(history.Redo(set));
    EXPECT_EQ(set.Current(), 1);
    EXPECT_EQ(ToRows(editing), (Rows{"l#"}));
    while (history.Redo(set)) {
    }
    EXPECT_EQ(FramesOf(set), final);
    ASSERT_TRUE(history.RemoveFrame(set, 0, "suppression"));
    EXPECT_FALSE(history.RemoveFrame(set, 0, "suppression")) << "never the last frame";
    EXPECT_EQ(set.Count(), 1);
}

TEST(SpriteSetHistory, ASizeChangeReachesEveryFrameAndUndoesOnAll)
{
    Sprite editing = FromRows({"#.", ".#"});
    SpriteSet set(editing);
    SpriteHistory history;
    ASSERT_TRUE(history.InsertFrame(set, 1, Frame({"ll", "ll"}), "nouvelle image"));
    history.Begin(editing, set.Current());
    editing.SetSize({1, 1});
    history.Commit(editing, "taille");
    set.ApplySizeToAll();
    EXPECT_EQ(set.Frame(0).GetSize(), (Point{1, 1}));
    ASSERT_TRUE(history.Undo(set));
    EXPECT_EQ(FramesOf(set), (std::vector<Rows>{{"#.", ".#"}, {"ll", "ll"}}));
}

TEST(SpriteSetHistory, ReplacingTheWholeSetIsOneStep)
{
    Sprite editing = FromRows({"#"});
    SpriteSet set(editing);
    SpriteHistory history;
    history.InsertFrame(set, 1, Frame({"l"}), "nouvelle image");
    FrameList loaded;
    loaded.push_back(Frame({"..", "dd"}));
    ASSERT_TRUE(history.ReplaceFrames(set, std::move(loaded), 0, "chargement"));
    EXPECT_EQ(FramesOf(set), (std::vector<Rows>{{"..", "dd"}}));
    ASSERT_TRUE(history.Undo(set));
    EXPECT_EQ(FramesOf(set), (std::vector<Rows>{{"#"}, {"l"}}));
    EXPECT_EQ(set.Current(), 1);
    ASSERT_TRUE(history.Redo(set));
    EXPECT_EQ(ToRows(editing), (Rows{"..", "dd"}));
}

TEST(SpriteSetFile, ThreeFramesAreTheHeaderAndThreePixoRecords)
{
    Sprite editing({2, 3});
    SpriteSet set(editing);
    editing.SetPixel(1, 0, Black); // cell 128
    auto gray = std::make_unique<Sprite>(Point{2, 3});
    gray->SetPixel(0, 2, DarkGray); // cell 2
    auto masked = std::make_unique<Sprite>(Point{2, 3});
    masked->SetPixel(0, 1, Mask); // cell 1, white masked
    set.InsertFrame(1, std::move(gray));
    set.InsertFrame(2, std::move(masked));

    const std::string expected = Header(1, 3) + Record(2, 3, BlackWhite, {{128, 3}}) +
                                 Record(2, 3, Grayscale, {{2, 2}}) + Record(2, 3, BlackWhiteMasked, {{1, 15}});
    ASSERT_EQ(expected.size(), 8u + 3 * 30732);
    EXPECT_TRUE(SpriteSetBytes(set.Frames()) == expected);

    TempDir dir;
    const std::string path = dir.File("trois.pixs");
    ASSERT_TRUE(SaveSpriteSetFile(path, set.Frames()));
    EXPECT_TRUE(ReadAll(path) == expected);
    FrameList read;
    ASSERT_TRUE(LoadSpriteSetFile(path, read));
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(ToRows(*read[1]), (Rows{"..", "..", "d."}));
    EXPECT_EQ(read[2]->GetType(), BlackWhiteMasked);
}

TEST(SpriteSetFile, EveryBrokenRuleRefusesTheWholeFile)
{
    const std::string good = Record(8, 8, BlackWhite);
    const std::string other = Record(8, 9, BlackWhite);
    struct Case {
        const char* what;
        std::string bytes;
        SetFileProblem problem;
        int frame;
    };
    const Case cases[] = {
        {"empty", "", SetFileProblem::NotASet, -1},
        {"magic", "PIXO" + Le16(1) + Le16(1) + good, SetFileProblem::NotASet, -1},
        {"magic in lower case", "pixs" + Le16(1) + Le16(1) + good, SetFileProblem::NotASet, -1},
        {"version 0", Header(0, 1) + good, SetFileProblem::Version, -1},
        {"version 2", Header(2, 1) + good, SetFileProblem::Version, -1},
        {"no frame", Header(1, 0), SetFileProblem::FrameCount, -1},
        {"65535 frames announced, one there", Header(1, 65535) + good, SetFileProblem::Truncated, -1},
        {"one byte short", Header(1, 2) + good + good.substr(1), SetFileProblem::Truncated, -1},
        {"header only", Header(1, 1), SetFileProblem::Truncated, -1},
        {"width 0", Header(1, 2) + good + Record(0, 8, BlackWhite), SetFileProblem::BadFrame, 1},
        {"height 129", Header(1, 1) + Record(8, 129, BlackWhite), SetFileProblem::BadFrame, 0},
        {"type 5", Header(1, 2) + good + Record(8, 8, 5), SetFileProblem::BadFrame, 1},
        {"type 0", Header(1, 1) + Record(8, 8, 0), SetFileProblem::BadFrame, 0},
        {"cell 4", Header(1, 1) + Record(8, 8, BlackWhite, {{30719, 4}}), SetFileProblem::BadFrame, 0},
        {"cell 19", Header(1, 1) + Record(8, 8, BlackWhite, {{0, 19}}), SetFileProblem::BadFrame, 0},
        {"sizes differ", Header(1, 3) + good + good + other, SetFileProblem::SizesDiffer, 2},
    };
    for (const Case& c : cases) {
        FrameList frames;
        frames.push_back(Frame({"#"}));
        const Sprite* before = frames.front().get();
        const SetFileCheck check = ReadSpriteSet(c.bytes, frames);
        EXPECT_EQ(check.problem, c.problem) << c.what;
        EXPECT_EQ(check.frame, c.frame) << c.what;
        ASSERT_EQ(frames.size(), 1u) << c.what;
        EXPECT_EQ(frames.front().get(), before) << c.what << ": the frames given are untouched";
    }

    FrameList frames;
    const std::string full = Header(1, 256) + [&] {
        std::string all;
        for (int k = 0; k < 256; ++k)
            all += Record(240, 128, k % 2 ? Grayscale : BlackWhite, {{k, k % 2 ? 1 : 3}});
        return all;
    }();
    ASSERT_EQ(ReadSpriteSet(full, frames).problem, SetFileProblem::None) << "256 frames of 240 x 128";
    EXPECT_EQ(frames.size(), 256u);
    EXPECT_EQ(frames[255]->GetColor(1, 127), LightGray) << "cell 255 of the last frame";
    EXPECT_EQ(frames[1]->GetType(), Grayscale) << "types may differ";

    TempDir dir;
    EXPECT_EQ(ReadSpriteSetFile(dir.File("absent.pixs"), frames).problem, SetFileProblem::Unreadable);
    EXPECT_TRUE(SpriteSetBytes({}).empty());
}

TEST(SpriteSetFile, NameEndsInPixsInAnyCase)
{
    EXPECT_TRUE(IsSpriteSetFileName("a.pixs"));
    EXPECT_TRUE(IsSpriteSetFileName("dir/A.PiXs"));
    EXPECT_FALSE(IsSpriteSetFileName("a.pixo"));
    EXPECT_FALSE(IsSpriteSetFileName("a.pixs.bak"));
    EXPECT_FALSE(IsSpriteSetFileName("pixs"));
}

TEST(SpriteSheet, CellsGoLeftToRightThenDownAndIncompleteOnesAreDropped)
{
    // A 5 x 3 sheet of 2 x 1 cells: two whole cells per row, column 4 dropped.
    const Sprite sheet = FromRows({"#.l.d", "W..BD", "dd##."});
    const FrameList frames = SliceSheet(PictureOfSprite(sheet), {2, 1});
    std::vector<Rows> got;
    for (const auto& frame : frames)
        got.push_back(ToRows(*frame));
    EXPECT_EQ(got, (std::vector<Rows>{{"#."}, {"l."}, {"W."}, {".B"}, {"dd"}, {"##"}}));
    const SpriteType types[] = {BlackWhite, Grayscale, BlackWhiteMasked, BlackWhiteMasked, Grayscale, BlackWhite};
    for (std::size_t k = 0; k < frames.size(); ++k)
        EXPECT_EQ(frames[k]->GetType(), types[k]) << "frame " << k << " is what its pixels make it";

    EXPECT_EQ(SheetFrameCount(PictureOfSprite(sheet), {6, 1}), 0);
    EXPECT_TRUE(SliceSheet(PictureOfSprite(sheet), {0, 1}).empty());
    EXPECT_EQ(SheetFrameCount(PictureOfSprite(Sprite({240, 128})), {1, 1}), 30720);
    EXPECT_EQ(SliceSheet(PictureOfSprite(Sprite({240, 128})), {15, 8}).size(), 256u);
}

// A writer that writes "NAME:w" for each frame, or refuses the frame whose
// top-left pixel is black.
FrameWrite FakeWriter(const Sprite& frame, const std::string& name, const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    if (frame.GetColor(0, 0) == Black) {
        out << "refus de " << name;
        return FrameWrite::Refused;
    }
    out << name << ":" << frame.width;
    return FrameWrite::Written;
}

TEST(JoinedExport, TextsAreJoinedByOneCrLfAndTheFirstRefusalStops)
{
    const Sprite a({3, 1}), b({3, 1}), c({3, 1});
    Sprite refused({3, 1});
    refused.SetPixel(0, 0, Black);

    JoinedExport joined = ExportFrames({&a, &b, &c}, "hero", FakeWriter);
    EXPECT_EQ(joined.result, FrameWrite::Written);
    EXPECT_EQ(joined.text, "hero_0:3\r\nhero_1:3\r\nhero_2:3");
    joined = ExportFrames({&a}, "hero", FakeWriter);
    EXPECT_EQ(joined.text, "hero:3") << "one frame exports as one sprite";

    int calls = 0;
    const auto counting = [&calls](const Sprite& frame, const std::string& name, const std::string& path) {
        ++calls;
        return FakeWriter(frame, name, path);
    };
    joined = ExportFrames({&a, &refused, &c}, "hero", counting);
    EXPECT_EQ(joined.result, FrameWrite::Refused);
    EXPECT_EQ(joined.failedFrame, 1);
    EXPECT_EQ(joined.text, "refus de hero_1") << "only the explanation";
    EXPECT_EQ(calls, 2);

    // A writer that says it wrote but wrote nothing must not be credited
    // with the frame before it.
    const auto silent = [](const Sprite& frame, const std::string& name, const std::string& path) {
        return frame.width == 3 ? FakeWriter(frame, name, path) : FrameWrite::Written;
    };
    const Sprite narrow({2, 1});
    const JoinedExport empty = ExportFrames({&a, &narrow}, "s", silent);
    EXPECT_EQ(empty.text, "s_0:3\r\n");
    EXPECT_EQ(empty.emptyFrame, 1);
}

} // namespace
