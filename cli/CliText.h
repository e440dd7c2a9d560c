// Text rules of pixora-export that do not touch any file: names quoted in
// messages, and the conversion of plug-in texts (Windows-1252, CR LF) into
// what a Linux terminal shows (UTF-8, LF). On Windows every text of the
// command, its messages, the file names and the plug-ins' texts alike, is in
// the ANSI code page.
#pragma once

#include <string>

// A plug-in text ready for a terminal: UTF-8 with LF line ends (on Windows,
// its own code page with LF line ends, which the text-mode stream widens).
std::string TerminalText(const std::string& pluginText);

// A Windows console shows the OEM code page unless told otherwise: while the
// command runs it shows the ANSI one, its texts'. Nothing elsewhere.
void ShowAnsiTextOnConsole();

// A name as the messages quote it: « name ».
std::string Quoted(const std::string& text);
