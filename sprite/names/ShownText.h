// Text taken from a file the user did not write for us (a source's names,
// tokens, file names it mentions) as a message may show it. Such text can be
// of any length and hold any byte: a 10 MB identifier would flood the error
// output, and an ESC byte would drive the terminal that shows the message.
// Shown text is cut after 64 characters, followed by "…", and every byte
// that is not printable text is written as an escape such as \x1b.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The characters kept before the cut: more than any name a program uses.
constexpr std::size_t ShownTextLength = 64;

// The text made safe and short: control bytes (below 0x20, 0x7f), the C1
// controls written in UTF-8 and bytes that are no valid UTF-8 become \xNN
// escapes; a valid UTF-8 letter counts as one character. Reads no more of
// text than it shows.
std::string ShownSourceText(std::string_view text);

// The same, as messages quote a name: « text ».
std::string QuotedSourceText(std::string_view text);
