// Whether a sprite name can name C arrays. The export plug-ins paste the name
// into C text as it is, so a name that is not an identifier, or one that the
// compiler already gives a meaning (a keyword, a predefined macro such as
// "linux" in GNU C, a name reserved for the implementation), gives C that
// does not compile, or worse, C that says something else.
#pragma once

#include <string>

// The French reason why name cannot name C arrays, or nothing when it can.
std::string WhyNotCIdentifier(const std::string& name);

// A name of identifier syntax that the compiler keeps for itself.
bool IsReservedCName(const std::string& name);
