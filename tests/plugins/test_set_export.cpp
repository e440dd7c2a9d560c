// A set exported through each shipped plug-in is the plug-in's export of
// every frame, named NAME_0, NAME_1 ..., joined by one CR LF, byte for byte,
// and compiles as one C file.
#include <gtest/gtest.h>

#include "PluginFixture.h"
#include "PluginFrames.h"
#include "SpriteText.h"
#include "joined_export.h"

namespace {

const char* const kGnuFlags = "-std=gnu99 -Wall -Wextra -Werror"; // binplane's 0b literals are a GNU extension

bool IsGray(int type)
{
    return type == Grayscale || type == GrayscaleMasked;
}

std::vector<std::string> ArrayNames(const std::string& plugin, const std::string& name, int type)
{
    if (plugin == "maskplane")
        return IsGray(type) ? std::vector<std::string>{name + "_LightPlane", name + "_DarkPlane", name + "_Mask",
                                                       name + "_Interlaced"}
                            : std::vector<std::string>{name, name + "_Mask"};
    return IsGray(type) ? std::vector<std::string>{name + "_LightPlane", name + "_DarkPlane"}
                        : std::vector<std::string>{name};
}

struct SetCase {
    const char* plugin;
    std::vector<Rows> frames;
};

TEST(SetExport, EveryShippedPluginGivesItsFrameExportsJoined)
{
    const std::vector<Rows> squares = {ScatteredPicture(16, 16, ".ld#", 7), ScatteredPicture(16, 16, ".#", 8),
                                       ScatteredPicture(16, 16, ".l", 9)};
    const std::vector<Rows> masked = {ScatteredPicture(12, 5, ".#W", 10), ScatteredPicture(12, 5, ".ldB", 11),
                                      ScatteredPicture(12, 5, ".#", 12)};
    const SetCase cases[] = {{"hexplane", squares}, {"binplane", squares}, {"maskplane", masked}};
    for (const SetCase& c : cases) {
        SCOPED_TRACE(c.plugin);
        std::vector<Sprite> frames;
        for (const Rows& rows : c.frames)
            frames.push_back(FromRows(rows));
        std::vector<const Sprite*> list;
        for (const Sprite& frame : frames)
            list.push_back(&frame);
        const int width = frames[0].width;
        const int height = frames[0].height;

        std::string expected;
        std::vector<std::string> texts, arrays;
        for (std::size_t k = 0; k < frames.size(); ++k) {
            const std::string name = "Hero_" + std::to_string(k);
            SpritePlanes planes;
            BuildPlanes(frames[k], planes);
            const PluginRun run = RunPlugin(c.plugin, planes, frames[k].GetType(), height, width, name);
            ASSERT_EQ(run.result, ExportResult::Written) << k;
            expected += (k ? "\r\n" : "") + run.bytes;
            texts.push_back(run.bytes);
            for (const std::string& array : ArrayNames(c.plugin, name, frames[k].GetType()))
                arrays.push_back(array);
        }
        const JoinedExport joined = ExportFrames(list, "Hero", PluginFrameWriter(BuiltPlugin(c.plugin), height, width));
        ASSERT_EQ(joined.result, FrameWrite::Written);
        EXPECT_EQ(joined.text, expected);
        EXPECT_EQ(CompiledArrays({joined.text}, arrays, kGnuFlags), CompiledArrays(texts, arrays, kGnuFlags));
    }
}

TEST(SetExport, ARefusedFrameLeavesOnlyThePluginsExplanation)
{
    const Sprite bw = FromRows(ScatteredPicture(16, 16, ".#", 1));
    const Sprite maskedFrame = FromRows(ScatteredPicture(16, 16, ".#W", 2));
    const JoinedExport joined =
        ExportFrames({&bw, &maskedFrame, &bw}, "Hero", PluginFrameWriter(BuiltPlugin("hexplane"), 16, 16));
    EXPECT_EQ(joined.result, FrameWrite::Refused);
    EXPECT_EQ(joined.failedFrame, 1);
    EXPECT_EQ(joined.text, Crlf("Les tailles support\xE9"
                                "es par un sprite TIGGC sont(non mask\xE9s):\n  - 8x 8\n  -16x16\n  -32x32\n"));

    const JoinedExport missing = ExportFrames({&bw}, "Hero", PluginFrameWriter("/nonexistent/plugin.so", 16, 16));
    EXPECT_EQ(missing.result, FrameWrite::NoWriter);
}

} // namespace
