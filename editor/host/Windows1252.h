// Windows-1252, the code page of every text that crosses the plug-in
// boundary: the information strings plug-ins return, the sprite name handed
// to them and the files they write. Shared by the windows and the
// command-line exporter so both read plug-in texts the same way.
#pragma once

#include <string>
#include <string_view>

// The five bytes the code page leaves undefined give U+FFFD.
char32_t Windows1252ToUnicode(unsigned char byte);

// The byte of a code point, or -1 when the code page cannot hold it.
int UnicodeToWindows1252(char32_t codePoint);

std::string Windows1252ToUtf8(std::string_view bytes);
