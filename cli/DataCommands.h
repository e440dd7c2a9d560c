// The commands of pixora-export on sprite data in the layouts programs use
// (DataLayout.h): --data writes the data of any input as C or assembly
// text, and --to-pixo / --to-pixs read it back from a source, by the layout
// options of the command line or by a draw call of the source. Each throws
// CliFailure (status 2) with the reason; notes go to err.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "CliOptions.h"
#include "DataReading.h"

int ExportData(const CliOptions& options, std::ostream& err);

// The arrays and layout the options give for reading a source: when --array
// comes with layout options, or names several arrays. Nothing otherwise: the
// source's own readings are then taken (SourceReading.h).
std::optional<ReadingRequest> LayoutOfOptions(const CliOptions& options);
