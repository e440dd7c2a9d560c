// Text rules of pixora-export that do not touch any file: names quoted in
// messages, and the conversion of plug-in texts (Windows-1252, CR LF) into
// what a Linux terminal shows (UTF-8, LF).
#pragma once

#include <string>

// A plug-in text ready for a terminal: UTF-8 with LF line ends.
std::string TerminalText(const std::string& pluginText);

// A name as the messages quote it: « name ».
std::string Quoted(const std::string& text);
