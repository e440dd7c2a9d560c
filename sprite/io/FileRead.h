// Whole-file reads, for every reader of the project: sprite files, sets and
// calculator pictures, C sources, image files, the settings file, what a
// plug-in wrote. Only a regular file is read: a folder, a FIFO, a device or
// a socket is refused before anything is read (a FIFO would wait for a writer
// forever, a device may never end), and the file is opened without waiting,
// so a FIFO put in a file's place meanwhile cannot block either. Each caller
// gives the most bytes it takes; a longer file is refused without being read,
// or, for the readers of fixed layouts, read up to that many bytes.
#pragma once

#include <cstddef>
#include <string>
#include <system_error>

enum class ReadProblem {
    None,
    Missing,    // no file of that name
    Folder,     // a folder
    NotRegular, // a FIFO, a device or a socket
    TooLarge,   // more bytes than the caller takes
    Failed,     // the system refused to open or read it: error says why
};

struct FileContent {
    std::string bytes;
    ReadProblem problem = ReadProblem::None;
    std::error_code error; // the system's reason, for Missing and Failed
    std::size_t limit = 0; // the most bytes the caller takes

    bool Read() const { return problem == ReadProblem::None; }
};

// The whole file, when it holds at most limit bytes.
FileContent ReadWholeFile(const std::string& path, std::size_t limit);

// The first count bytes of the file, or all of it when it is shorter: for the
// readers of a fixed layout, which ignore whatever follows it. Never TooLarge.
FileContent ReadFileStart(const std::string& path, std::size_t count);

// Why the file was not read, in French, for messages after the file's name:
// "fichier introuvable", "fichier trop grand (plus de 64 Mo)",
// "lecture impossible (Permission denied)"...
std::string ReadProblemText(const FileContent& content);
