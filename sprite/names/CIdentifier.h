// Whether a sprite name can name C arrays. The export plug-ins paste the name
// into C text as it is, so a name that is not an identifier, or one that the
// compiler already gives a meaning (a keyword, a predefined macro such as
// "linux" in GNU C, a name reserved for the implementation), gives C that
// does not compile, or worse, C that says something else. The name a sprite
// gets from its file by default is one of them.
#pragma once

#include <string>

// The French reason why name cannot name C arrays, or nothing when it can.
std::string WhyNotCIdentifier(const std::string& name);

// A name of identifier syntax that the compiler keeps for itself.
bool IsReservedCName(const std::string& name);

// A file's base name without its extension, made a C identifier: every
// character that is not an ASCII letter, digit or underscore becomes one
// underscore (a multi-byte UTF-8 letter counts as one character), and an
// underscore goes in front of a leading digit; a name that the C compiler
// keeps for itself ("int", "_Bool", "linux") gets an underscore at its end.
std::string DefaultSpriteName(const std::string& filePath);
