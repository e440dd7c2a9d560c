// A plug-in as the writer of the frames of a set (joined_export.h): each call
// builds the frame's planes and hands them to the plug-in's write function,
// loading and releasing the library as every export does.
#pragma once

#include <string>

#include "joined_export.h"

// height and width are what the plug-in receives for every frame;
// folderToCreate, when given, is created once the write function is found.
FrameWriter PluginFrameWriter(const std::string& libraryPath, int height, int width,
                              const std::string& folderToCreate = {});
