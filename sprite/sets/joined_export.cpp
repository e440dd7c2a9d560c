#include "joined_export.h"

#include "ScratchFile.h"

std::string FrameSpriteName(const std::string& name, int frame, int frameCount)
{
    return frameCount == 1 ? name : name + "_" + std::to_string(frame);
}

JoinedExport ExportFrames(const std::vector<const Sprite*>& frames, const std::string& name, const FrameWriter& write)
{
    JoinedExport joined;
    ScratchFile scratch;
    if (scratch.Path().empty())
        return joined;
    // A text that cannot be read back counts as none.
    const auto text = [&scratch] { return scratch.Read(MaxFrameTextBytes).bytes; };
    const int count = static_cast<int>(frames.size());
    for (int k = 0; k < count; ++k) {
        if (!scratch.Clear())
            return joined;
        const FrameWrite result = write(*frames[k], FrameSpriteName(name, k, count), scratch.Path());
        if (result != FrameWrite::Written) {
            joined.result = result;
            joined.failedFrame = k;
            joined.text = result == FrameWrite::Refused ? text() : std::string();
            return joined;
        }
        const std::string written = text();
        if (written.empty() && joined.emptyFrame < 0)
            joined.emptyFrame = k;
        if (k > 0)
            joined.text += "\r\n";
        joined.text += written;
    }
    joined.result = FrameWrite::Written;
    return joined;
}
