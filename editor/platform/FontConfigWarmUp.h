// Reading the system's font configuration (its XML files and font caches)
// is the largest part of the first text Qt measures, and nothing in it
// needs the display: started first thing in main, it runs on a second core
// while Qt loads its platform plug-in and connects to the display, which is
// mostly waiting. Qt's own first use then finds the configuration read.
// Where Qt does not take its fonts from fontconfig, this does nothing.
#pragma once

#include <thread>

class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    // Waits for the reading, should the program end before it did.
    ~FontConfigWarmUp() = default;

private:
    std::jthread reading_;
};
