#include "PluginFrames.h"

#include <memory>

#include "PluginHost.h"

FrameWriter PluginFrameWriter(const std::string& libraryPath, int height, int width, const std::string& folderToCreate)
{
    return [=](const Sprite& frame, const std::string& spriteName, const std::string& path) {
        auto planes = std::make_unique<SpritePlanes>();
        BuildPlanes(frame, *planes);
        switch (
            CallPluginWrite(libraryPath, path, spriteName, frame.GetType(), *planes, height, width, folderToCreate)) {
        case ExportResult::Written:
            return FrameWrite::Written;
        case ExportResult::Refused:
            return FrameWrite::Refused;
        case ExportResult::NoWriteFunction:
            break;
        }
        return FrameWrite::NoWriter;
    };
}
