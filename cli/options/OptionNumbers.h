// The numbers that options of pixora-export take, read strictly: a value
// that is not a whole decimal number of the option's range is a usage error,
// never clipped.
#pragma once

#include <string>

// A whole decimal number from minimum to maximum; option names the option
// in the message. Throws UsageError.
int ParseOptionNumber(const std::string& option, const std::string& text, int minimum, int maximum);
