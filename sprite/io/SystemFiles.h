// File names and new files as the system has them. Names are byte strings
// exactly as the system's narrow file functions take them (fopen,
// LoadLibraryA, the file name handed to a plug-in): any bytes on Linux, the
// ANSI code page (Windows-1252 in Western Europe) on Windows. std::filesystem
// on Windows reads narrow strings in another code page and gives them back in
// UTF-8, so every name that crosses into or out of std::filesystem goes
// through NativePath or NativeName.
#pragma once

#include <filesystem>
#include <string>

std::filesystem::path NativePath(const std::string& name);

// Characters that the ANSI code page cannot hold become '?' on Windows.
std::string NativeName(const std::filesystem::path& path);

// Creates a new file from pattern, whose last six characters "XXXXXX" are
// replaced by the ones that made its name unique, and returns its descriptor
// open for reading and writing (binary, and open to other writers on
// Windows: a plug-in writes into it by name); -1 with errno on failure.
int CreateUniqueFile(std::string& pattern);
