#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "SpriteText.h"
#include "U_class.h"
#include "UndoList.h"
#include "history.h"
#include "ti_picture.h"

// Every allocation of this test program is counted, so the memory a history
// holds is measured from the outside rather than taken from its own word.
namespace {
std::size_t liveBytes = 0;
}

void* operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    liveBytes += malloc_usable_size(block);
    return block;
}

void operator delete(void* block) noexcept
{
    if (block)
        liveBytes -= malloc_usable_size(block);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

namespace fs = std::filesystem;

namespace {

struct State {
    Point size;
    int type;
    std::vector<int8_t> cells;
    bool operator==(const State&) const = default;
};

State StateOf(const Sprite& s)
{
    return {s.GetSize(), s.GetType(), {s.cells, s.cells + CellCount}};
}

std::string Describe(const State& state)
{
    int black = 0, masked = 0;
    for (int8_t cell : state.cells) {
        black += cell % 15 == Black;
        masked += cell >= 15;
    }
    return std::to_string(state.size.x) + "x" + std::to_string(state.size.y) + " type " + std::to_string(state.type) +
           ", " + std::to_string(black) + " black, " + std::to_string(masked) + " masked";
}

// Files for the load and import commands, and a random source of commands.
class Commands {
public:
    explicit Commands(unsigned seed) : random(seed)
    {
        folder = fs::temp_directory_path() / ("pixora-history-" + std::to_string(getpid()));
        fs::create_directories(folder);
        Sprite other({50, 60});
        other.DrawLine(0, 0, 49, 59, LightGray);
        other.SetPixel(200, 100, Mask);
        other.SaveToFile(Native());
        std::ofstream picture(Picture(), std::ios::binary);
        std::vector<char> bytes(92 + 2 * 10, '\x5A');
        bytes[88] = 0, bytes[89] = 10, bytes[90] = 0, bytes[91] = 13; // 13 x 10
        picture.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~Commands() { fs::remove_all(folder); }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // Runs one random command on the sprite, as the windows would.
    void RunOne(Sprite& s)
    {
        switch (Pick(0, 9)) {
        case 0:
            s.SetSize({Pick(-5, 245), Pick(-5, 133)});
            break;
        case 1:
            s.FloodFill(Pick(0, 60), Pick(0, 60), static_cast<PenValue>(Pick(White, NoMask)),
                        static_cast<PixelColor>(Pick(White, Black)));
            break;
        case 2:
            s.AutoMask();
            break;
        case 3:
            if (Pick(0, 3) == 0)
                s.Clear();
            break;
        case 4:
            s.LoadFromFile(Pick(0, 1) ? Native() : (folder / "missing").string());
            break;
        case 5:
            ChargerImageTI(s, Pick(0, 1) ? Picture() : Native());
            break;
        case 6: // the line tool previews into the marks only
            s.DrawLine(Pick(0, 60), Pick(0, 60), Pick(0, 60), Pick(0, 60), Mark);
            break;
        default:
            for (int segment = Pick(1, 4); segment > 0; --segment)
                s.DrawLine(Pick(0, 70), Pick(0, 70), Pick(0, 70), Pick(0, 70), static_cast<PenValue>(Pick(0, 5)));
        }
    }

private:
    std::string Native() const { return (folder / "other.pixo").string(); }
    std::string Picture() const { return (folder / "picture.89i").string(); }

    std::mt19937 random;
    fs::path folder;
};

// Random commands, undos and redos against a timeline of the states seen:
// every undo and redo must land exactly on the neighbouring state.
void CheckAgainstTimeline(std::size_t depth, int actions, unsigned seed)
{
    Commands commands(seed);
    Sprite s({40, 30});
    SpriteHistory history(depth);
    std::vector<State> timeline{StateOf(s)};
    std::size_t at = 0;
    for (int action = 0; action < actions; ++action) {
        const int choice = commands.Pick(0, 9);
        if (choice < 2) {
            const bool done = history.Undo(s);
            ASSERT_EQ(done, at > 0) << "action " << action;
            at -= done;
        } else if (choice < 4) {
            const bool done = history.Redo(s);
            ASSERT_EQ(done, at + 1 < timeline.size()) << "action " << action;
            at += done;
        } else {
            history.Begin(s);
            commands.RunOne(s);
            const bool changed = !(StateOf(s) == timeline[at]);
            ASSERT_EQ(history.Commit(s, "pas " + std::to_string(action)), changed) << "action " << action;
            if (!changed)
                continue;
            timeline.resize(++at);
            timeline.push_back(StateOf(s));
            if (timeline.size() > depth + 1) {
                timeline.erase(timeline.begin());
                --at;
            }
        }
        ASSERT_TRUE(StateOf(s) == timeline[at])
            << "action " << action << ": " << Describe(StateOf(s)) << " instead of " << Describe(timeline[at]);
        s.SetPixel(0, 0, Mark); // recomputes the type: its counts must follow the restored cells
        ASSERT_EQ(s.GetType(), RescanType(s)) << "action " << action;
        s.RestoreState(timeline[at].size, static_cast<SpriteType>(timeline[at].type));
    }
    while (history.Undo(s))
        --at;
    EXPECT_EQ(at, 0u);
    EXPECT_TRUE(StateOf(s) == timeline.front());
    while (history.Redo(s))
        ++at;
    EXPECT_EQ(at, timeline.size() - 1);
    EXPECT_TRUE(StateOf(s) == timeline.back());
}

} // namespace

TEST(History, RandomCommandsUndoAndRedoThroughEveryStateSeen)
{
    CheckAgainstTimeline(SpriteHistory::DefaultDepth, 3000, 7);
}

TEST(History, RandomCommandsPastTheDepthKeepTheNewestSteps)
{
    CheckAgainstTimeline(20, 2000, 11);
}

TEST(History, UndoBringsBackCellsHiddenBySizeAndTheStaleType)
{
    Sprite s({32, 32});
    SpriteHistory history;
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"crayon", [&] { s.SetPixel(20, 5, LightGray); }},
        {"taille",
         [&] {
             s.SetSize({16, 16});
         }},
        {"effacer tout", [&] { s.Clear(); }},
    };
    std::vector<State> seen{StateOf(s)};
    for (const auto& [label, command] : commands) {
        history.Begin(s);
        command();
        ASSERT_TRUE(history.Commit(s, label));
        seen.push_back(StateOf(s));
    }
    EXPECT_EQ(history.UndoLabel(), "effacer tout");
    ASSERT_TRUE(history.Undo(s));
    EXPECT_EQ(s.GetSize(), (Point{16, 16}));
    EXPECT_EQ(s.GetType(), Grayscale); // still the hidden pixel's, as before the clear
    EXPECT_EQ(s.cells[20 * 128 + 5], LightGray);
    ASSERT_TRUE(history.Undo(s));
    EXPECT_TRUE(StateOf(s) == seen[1]);
    EXPECT_EQ(history.RedoLabel(), "taille");
    ASSERT_TRUE(history.Redo(s));
    ASSERT_TRUE(history.Redo(s));
    EXPECT_TRUE(StateOf(s) == seen[3]);
    EXPECT_FALSE(history.Redo(s));
}

TEST(History, ANewStepDiscardsWhatCouldBeRedone)
{
    Sprite s({8, 8});
    SpriteHistory history;
    int step = 0;
    for (const char* label : {"un", "deux", "trois"}) {
        history.Begin(s);
        s.SetPixel(step, step, Black);
        ++step;
        history.Commit(s, label);
    }
    history.Undo(s);
    history.Undo(s);
    EXPECT_EQ(history.RedoLabel(), "deux");
    history.Begin(s);
    s.AutoMask();
    EXPECT_TRUE(history.Commit(s, "masque auto"));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.RedoLabel(), "");
    EXPECT_EQ(history.UndoLabel(), "masque auto");
    history.Undo(s);
    EXPECT_EQ(history.UndoLabel(), "un");
}

TEST(History, CommandsThatChangeNothingAddNoStep)
{
    Sprite s = FromRows({"..##", "...."});
    s.SetPixel(1, 1, Mark);
    SpriteHistory history;
    const std::pair<const char*, std::function<void()>> unchanged[] = {
        {"fill of the same color", [&] { s.FloodFill(3, 0, Black, Black); }},
        {"fill of another color", [&] { s.FloodFill(3, 0, White, LightGray); }},
        {"refused size",
         [&] {
             s.SetSize({0, 300});
         }},
        {"same size",
         [&] {
             s.SetSize({4, 2});
         }},
        {"failed load", [&] { s.LoadFromFile("/nonexistent/pixora.pixo"); }},
        {"failed import", [&] { ChargerImageTI(s, "/nonexistent/picture.89i"); }},
        {"line preview", [&] { s.DrawLine(0, 0, 3, 1, Mark); }},
        {"clear marks", [&] { s.ClearMarks(); }},
        {"pencil over the same color", [&] { s.DrawLine(2, 0, 3, 0, Black); }},
    };
    for (const auto& [name, command] : unchanged) {
        history.Begin(s);
        command();
        EXPECT_FALSE(history.Commit(s, name)) << name;
        EXPECT_FALSE(history.CanUndo()) << name;
    }
    EXPECT_FALSE(history.Commit(s, "no step begun"));
}

TEST(History, NothingToUndoOrRedoAndUndoWhileRecordingChangeNothing)
{
    Sprite s = FromRows({"l#", "WD"});
    const State start = StateOf(s);
    SpriteHistory history;
    EXPECT_FALSE(history.Undo(s));
    EXPECT_FALSE(history.Redo(s));
    EXPECT_EQ(history.UndoLabel(), "");
    history.Begin(s);
    s.SetPixel(0, 0, Black);
    history.Commit(s, "crayon");
    history.Begin(s);
    s.SetPixel(1, 0, White);
    EXPECT_TRUE(history.IsRecording());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Undo(s));
    EXPECT_EQ(ToRows(s), (Rows{"#.", "WD"}));
    history.Commit(s, "crayon");
    history.Undo(s);
    history.Undo(s);
    EXPECT_TRUE(StateOf(s) == start);
    history.Clear();
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Redo(s));
}

TEST(History, KeepsTheLastThousandSteps)
{
    Sprite s({240, 128});
    SpriteHistory history;
    std::vector<State> seen;
    for (int step = 0; step < 1005; ++step) {
        history.Begin(s);
        s.SetPixel(step % 240, step / 240, step % 2 ? Black : DarkGray);
        ASSERT_TRUE(history.Commit(s, "crayon"));
        seen.push_back(StateOf(s));
    }
    int undone = 0;
    while (history.Undo(s))
        ++undone;
    EXPECT_EQ(undone, 1000);
    EXPECT_TRUE(StateOf(s) == seen[4]);
}

TEST(History, AThousandPencilStrokesTakeWellUnderTenMegabytes)
{
    std::mt19937 random(3);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Sprite s({240, 128});
    const std::size_t start = liveBytes;
    SpriteHistory history;
    for (int stroke = 0; stroke < 1000; ++stroke) {
        history.Begin(s);
        int x = pick(0, 239), y = pick(0, 127);
        for (int segment = 0; segment < 8; ++segment) {
            const int nextX = std::clamp(x + pick(-12, 12), 0, 239), nextY = std::clamp(y + pick(-12, 12), 0, 127);
            s.DrawLine(x, y, nextX, nextY, stroke % 2 ? Black : White);
            x = nextX, y = nextY;
        }
        history.Commit(s, "crayon");
    }
    const std::size_t used = liveBytes - start;
    RecordProperty("bytes_for_1000_strokes", std::to_string(used));
    std::printf("1000 pencil strokes: %zu bytes of history\n", used);
    EXPECT_LT(used, 2u << 20);
}

TEST(History, AThousandWholeStorageFillsStayBounded)
{
    Sprite s({240, 128});
    const std::size_t start = liveBytes;
    SpriteHistory history;
    for (int fill = 0; fill < 1000; ++fill) {
        history.Begin(s);
        s.FloodFill(0, 0, fill % 2 ? White : Black, s.GetColor(0, 0));
        ASSERT_TRUE(history.Commit(s, "remplissage"));
    }
    const std::size_t used = liveBytes - start;
    std::printf("1000 fills of the whole storage: %zu bytes of history\n", used);
    EXPECT_LT(used, 1000u * (CellCount + 512));
}

// A saved file is the document again only in the state it was saved in:
// no state the list reaches, past its depth or after a clear, may share
// another's identity.
TEST(History, EveryStateTheListReachesHasAnIdentityOfItsOwn)
{
    struct Labelled {
        std::string label;
    };
    const auto noSwap = [](Labelled&) {};
    UndoList<Labelled> list(2);
    std::vector<uint64_t> seen{list.StateId()};
    const std::function<void()> commands[] = {
        [&] { list.Add({"a"}); },   [&] { list.Add({"b"}); },   [&] { list.Add({"c"}); }, // "a" dropped
        [&] { list.Undo(noSwap); }, [&] { list.Undo(noSwap); },              // back to the state before "b"
        [&] { list.Clear(); },      [&] { list.Add({"d"}); },
    };
    for (const auto& command : commands) {
        command();
        seen.push_back(list.StateId());
    }
    // Undo comes back to states already seen: those repeat, nothing else does.
    EXPECT_EQ(seen[4], seen[2]);
    EXPECT_EQ(seen[5], seen[1]);
    seen.erase(seen.begin() + 4, seen.begin() + 6);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(list.UndoLabel(), "d");
    EXPECT_EQ(list.StepsAdded(), 4u);
}
