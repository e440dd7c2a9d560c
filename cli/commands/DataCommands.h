// How the layout options of pixora-export ask for sprite data to be read
// back from a source (DataLayout.h): by --array with layout options, or by
// several arrays; otherwise the source's own readings are taken
// (SourceReading.h).
#pragma once

#include <optional>

#include "CliOptions.h"
#include "DataReading.h"

// The arrays and layout the options give for reading a source, or nothing.
std::optional<ReadingRequest> LayoutOfOptions(const CliOptions& options);
