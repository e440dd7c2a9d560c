// The settings file: a plain INI text file that a user may also edit by hand.
// Like the Windows profile functions, every read and every write opens the
// file afresh, so nothing is cached between calls and the file is created
// only by the first write. Section and key names match without regard to
// (ASCII) case; blanks around names and values are ignored. A write keeps
// every line it does not own (comments, unknown keys and sections) in its
// place and keeps the file's line ends; a new file gets LF line ends and its
// sections and keys in the order they were first written.
#pragma once

#include <stdexcept>
#include <string>

// The settings file of a program: its path with the extension replaced by
// ".ini", or ".ini" appended when the file name has no extension.
std::string SettingsFilePath(const std::string& executablePath);

// Raised by a write that cannot be completed; the message is the one the
// windows show to the user.
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}
};

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& FileName() const { return path_; }

    // Decimal, or hexadecimal when the value is at least three characters
    // long and starts with "0x" or "0X" (read as a 32-bit pattern, so
    // 0xFFFFFFFF is -1). A missing file, section or key, or a value that is
    // no 32-bit integer, gives defaultValue.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // Any integer other than 0 is true.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Both throw IniWriteError when the file cannot be written; the file is
    // then left as it was.
    void WriteInteger(const std::string& section, const std::string& key, int value) const;
    void WriteBool(const std::string& section, const std::string& key, bool value) const;
    // Writes the value unless it is defaultValue and the file holds no
    // integer for the key: the file of a user who never changed an option
    // added beside the design keeps only the designed keys, and a default
    // chosen again replaces the value stored.
    void WriteIntegerUnlessDefault(const std::string& section, const std::string& key, int value,
                                   int defaultValue) const;

    bool HasKey(const std::string& section, const std::string& key) const;
    // Text as it stands after the equals sign, blanks around it removed and
    // one pair of enclosing quotes taken off. A missing value gives
    // defaultValue.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Written in double quotes, so blanks and quotes at either end come back
    // as they were. A value holding a line break is written empty: it would
    // otherwise add lines, even sections, of its own to the file.
    void WriteString(const std::string& section, const std::string& key, const std::string& value) const;

private:
    std::string path_;
};
