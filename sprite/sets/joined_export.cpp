#include "joined_export.h"

#include <cstdio>

#include "SystemFiles.h"

namespace {

// One scratch file for the whole export, in the system's temporary folder:
// each frame's write truncates it, and it is removed at the end.
class ScratchFile {
public:
    ScratchFile()
    {
        std::error_code error;
        path_ = CreateTemporaryFile("pixora-frame-", error);
    }
    ~ScratchFile()
    {
        if (!path_.empty())
            std::remove(path_.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return path_; }
    // Emptied before each frame, so a writer that writes nothing is never
    // credited with the previous frame's text.
    bool Empty() const
    {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        return file && std::fclose(file) == 0;
    }
    std::string Read() const
    {
        std::string text;
        if (std::FILE* file = std::fopen(path_.c_str(), "rb")) {
            char block[8192];
            std::size_t count;
            while ((count = std::fread(block, 1, sizeof block, file)) > 0)
                text.append(block, count);
            std::fclose(file);
        }
        return text;
    }

private:
    std::string path_;
};

} // namespace

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
    const int count = static_cast<int>(frames.size());
    for (int k = 0; k < count; ++k) {
        if (!scratch.Empty())
            return joined;
        const FrameWrite result = write(*frames[k], FrameSpriteName(name, k, count), scratch.Path());
        if (result != FrameWrite::Written) {
            joined.result = result;
            joined.failedFrame = k;
            joined.text = result == FrameWrite::Refused ? scratch.Read() : std::string();
            return joined;
        }
        const std::string text = scratch.Read();
        if (text.empty() && joined.emptyFrame < 0)
            joined.emptyFrame = k;
        if (k > 0)
            joined.text += "\r\n";
        joined.text += text;
    }
    joined.result = FrameWrite::Written;
    return joined;
}
