// The files of a program read as one text per language, so that a draw call
// in one file gives the reading of an array defined in another: a source
// file with the files its quoted includes name (#include "x.h", looked up
// beside the including file, read where they are included, each file once,
// recursively; #include <...> is left), or a folder with every C and
// assembly file (.c .h .s .S .asm .inc) in it and its subfolders, in the
// byte order of their paths. A loop of includes is no error: a file already
// read is not read again.
//
// C files are read as they compile: #ifdef, #ifndef, #if, #elif, #else and
// #endif with the names #defined in the files read (in the order read),
// the lines of a branch not compiled left empty. A condition is
// [!]defined(NAME) or a constant expression of literals and defined
// values; one the reader cannot decide keeps its first branch, with a note.
//
// Bounds, so that no program and no folder can take time or memory without
// end: at most MaxProgramFiles files are read (the first in path order, the
// rest counted in a note), at most MaxSourceBytes in all, and a folder of
// more than MaxListedFiles source files is refused. An include that is not
// found and a file of a folder that cannot be read are skipped with a note.
#pragma once

#include <string>
#include <utility>
#include <vector>

constexpr std::size_t MaxProgramFiles = 256;
constexpr std::size_t MaxListedFiles = 1 << 16;

// Where a stretch of the C text comes from: from offset on, the file
// files[file] from its line line, up to the next piece.
struct ProgramPiece {
    std::size_t offset;
    std::size_t file;
    int line;
};

struct ProgramText {
    std::string c;                     // the C files one after the other, the included ones in place
    std::vector<ProgramPiece> cPieces; // in the order of the text
    // Which file includes which (indexes in files), also a file read
    // before; each pair once.
    std::vector<std::pair<std::size_t, std::size_t>> includes;
    std::string assembly;           // the assembly files one after the other
    std::vector<std::string> files; // read, in that order, named from the path given
    std::vector<std::string> notes; // what was skipped or left out, in French
    std::string refusal;            // why nothing could be read, in French; empty when read
};

ProgramText ReadProgram(const std::string& path);

// "main.c:12": the file (named as in files) and line of an offset in the C
// text; empty when the text has no pieces (it was not read from files).
std::string PlaceInProgram(const ProgramText& program, std::size_t offset);
// The same for many offsets at once, in their order, the text read once.
std::vector<std::string> PlacesInProgram(const ProgramText& program, const std::vector<std::size_t>& offsets);
// The index in files of the file an offset of the C text lies in; files.size()
// when the text has no pieces.
std::size_t FileInProgram(const ProgramText& program, std::size_t offset);
// Per file of files: whether it is file, or file includes it, directly or
// through the files it includes.
std::vector<bool> FilesSeenFrom(const ProgramText& program, std::size_t file);
