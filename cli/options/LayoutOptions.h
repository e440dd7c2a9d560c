// The options of pixora-export that describe how sprite data lies in the
// arrays of a program (DataLayout.h): written by --data, read back by
// --to-pixo and --to-pixs from C or assembly sources. Values are read
// strictly: an unknown value is a usage error naming the ones there are.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "DataLayout.h"

struct LayoutOptions {
    LayoutRequest request;     // --rows --order --arrange --mask-bit --frames --syntax --defines
    std::optional<int> height; // --height: the rows of one frame, for reading
    std::set<std::string> given;
};

// The layout options by name: whether the name is one, and whether it takes
// a value.
bool IsLayoutOption(const std::string& name, bool& takesValue);

// Stores one of them; throws UsageError for a value it does not know.
void StoreLayoutOption(LayoutOptions& layout, const std::string& name, const std::string& value);

// The options that only --data writes with, that only reading takes, and
// that both take.
extern const std::vector<std::string> WritingOnlyOptions;  // --frames --syntax --defines
extern const std::vector<std::string> ReadingOnlyOptions;  // --height
extern const std::vector<std::string> SharedLayoutOptions; // --rows --order --arrange --mask-bit

// The names of --array: NAME, or NAME,NAME2[,NAME3] for a plane each.
std::vector<std::string> ArrayList(const std::string& value);
