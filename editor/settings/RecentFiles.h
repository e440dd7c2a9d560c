// The files the user saved, loaded or imported last, newest first: at most
// Capacity of them, each once. Names are file-system paths, made absolute
// and lexically normal, so two spellings of one path ("a/./b.pixo" and
// "a/b.pixo") count once. The settings file keeps them as the keys
// "Fichier1" (newest) to "Fichier8" of a section of their own; what a user
// typed there by hand is taken only as far as it names existing files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "IniFile.h"

class RecentFiles {
public:
    static constexpr std::size_t Capacity = 8;

    // Puts the file first; an entry for the same file moves up rather than
    // repeats, and the oldest entry beyond Capacity drops out. An empty
    // name is ignored.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

    // Replaces the list with the keys of the section that name existing
    // regular files, in key order, each once; empty names, folders, missing
    // files and repeats are left out.
    void Read(const IniFile& settings, const std::string& section);
    // Writes every key, the unused ones empty, so entries of a longer list
    // read earlier do not come back. An empty list is written only over
    // keys already there: a settings file that never knew recent files
    // gains no section.
    void Write(const IniFile& settings, const std::string& section) const;

private:
    std::vector<std::string> paths_;
};
