#include "IniFile.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "AtomicFile.h"
#include "FileRead.h"
#include "SystemFiles.h"

namespace {

// One line of the file as it stands on disk: its text and its own line end
// ("\r\n", "\n", or nothing on a last line without one).
struct IniLine {
    std::string text;
    std::string end;
};

// Where a key stands in the file: its line, or, when the key is missing,
// the line after which it belongs (the section's last key or its header).
struct KeyPlace {
    std::optional<size_t> keyLine;
    std::optional<size_t> sectionEnd;
};

// A lone carriage return counts as a blank, so a stray one never spoils a value.
constexpr std::string_view Blanks = " \t\r";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

// "[name]" with optional blanks; text after the closing bracket is ignored.
std::optional<std::string_view> SectionName(std::string_view line)
{
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const size_t close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

bool IsComment(std::string_view line)
{
    const std::string_view text = Trim(line);
    return !text.empty() && (text.front() == ';' || text.front() == '#');
}

// The key of a "key = value" line; comments and lines without '=' have none.
std::optional<std::string_view> KeyName(std::string_view line)
{
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || IsComment(line))
        return std::nullopt;
    return Trim(line.substr(0, equals));
}

std::string_view Value(std::string_view line)
{
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

// Far above any real settings file, which holds a few dozen lines: every
// read of a key reads the whole file again.
constexpr std::size_t MaxSettingsBytes = 16 * 1024 * 1024;

// Nothing for a missing file and for anything that cannot be read as one
// (a folder, a device, a read error, a file far too large).
std::optional<std::string> ReadSettings(const std::string& path)
{
    FileContent content = ReadWholeFile(path, MaxSettingsBytes);
    if (!content.Read())
        return std::nullopt;
    return std::move(content.bytes);
}

std::vector<IniLine> SplitLines(const std::string& content)
{
    std::vector<IniLine> lines;
    size_t start = 0;
    while (start < content.size()) {
        const size_t feed = content.find('\n', start);
        if (feed == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        const bool crlf = feed > start && content[feed - 1] == '\r';
        const size_t textEnd = crlf ? feed - 1 : feed;
        lines.push_back({content.substr(start, textEnd - start), crlf ? "\r\n" : "\n"});
        start = feed + 1;
    }
    return lines;
}

// The first occurrence wins, for reading and writing alike, so a file with a
// repeated key or section reads back what was written.
KeyPlace FindKey(const std::vector<IniLine>& lines, std::string_view section, std::string_view key)
{
    KeyPlace place;
    bool inSection = false;
    bool inFirstSection = false; // a missing key is added to the section's first occurrence
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionName(lines[i].text)) {
            inSection = SameName(*name, section);
            inFirstSection = inSection && !place.sectionEnd;
            if (inFirstSection)
                place.sectionEnd = i;
            continue;
        }
        const auto name = inSection ? KeyName(lines[i].text) : std::nullopt;
        if (!name)
            continue;
        if (SameName(*name, key)) {
            place.keyLine = i;
            return place;
        }
        if (inFirstSection)
            place.sectionEnd = i;
    }
    return place;
}

std::optional<std::string> ReadValue(const std::string& path, const std::string& section, const std::string& key)
{
    const auto content = ReadSettings(path);
    if (!content)
        return std::nullopt;
    const std::vector<IniLine> lines = SplitLines(*content);
    const KeyPlace place = FindKey(lines, section, key);
    if (!place.keyLine)
        return std::nullopt;
    return std::string(Value(lines[*place.keyLine].text));
}

std::optional<int32_t> ParseInteger(std::string_view text)
{
    const bool hex = text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex) {
        uint32_t pattern = 0;
        const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), pattern, 16);
        if (error != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        return static_cast<int32_t>(pattern);
    }
    if (text.size() >= 2 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string JoinLines(const std::vector<IniLine>& lines)
{
    std::string content;
    for (const IniLine& line : lines)
        content += line.text + line.end;
    return content;
}

// Written beside the file and renamed over it, so a failed write leaves the
// old settings whole.
void ReplaceFile(const std::string& path, const std::string& content)
{
    if (WriteFileAtomically(path, content))
        throw IniWriteError(path);
}

// The line end that new lines get: the file's own, LF for a new file.
std::string LineEndOf(const std::vector<IniLine>& lines)
{
    for (const IniLine& line : lines)
        if (!line.end.empty())
            return line.end;
    return "\n";
}

void WriteValue(const std::string& path, const std::string& section, const std::string& key, const std::string& value)
{
    const auto content = ReadSettings(path);
    std::error_code error;
    if (!content && std::filesystem::exists(NativePath(path), error))
        throw IniWriteError(path); // rewriting it would lose what it holds
    std::vector<IniLine> lines = content ? SplitLines(*content) : std::vector<IniLine>();
    const std::string end = LineEndOf(lines);
    const KeyPlace place = FindKey(lines, section, key);
    if (place.keyLine) {
        std::string& text = lines[*place.keyLine].text;
        const size_t valueStart = text.find_first_not_of(Blanks, text.find('=') + 1);
        text = text.substr(0, valueStart == std::string::npos ? text.size() : valueStart) + value;
    } else {
        if (!lines.empty() && lines.back().end.empty())
            lines.back().end = end;
        std::vector<IniLine> added;
        if (!place.sectionEnd) {
            if (!lines.empty() && !Trim(lines.back().text).empty())
                added.push_back({"", end});
            added.push_back({"[" + section + "]", end});
        }
        added.push_back({key + "=" + value, end});
        const size_t at = place.sectionEnd ? *place.sectionEnd + 1 : lines.size();
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    }
    ReplaceFile(path, JoinLines(lines));
}

} // namespace

std::string SettingsFilePath(const std::string& executablePath)
{
    return NativeName(NativePath(executablePath).replace_extension(".ini"));
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    const auto text = ReadValue(path_, section, key);
    if (!text)
        return defaultValue;
    return ParseInteger(*text).value_or(defaultValue);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) const
{
    WriteValue(path_, section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) const
{
    WriteInteger(section, key, value ? 1 : 0);
}

void IniFile::WriteIntegerUnlessDefault(const std::string& section, const std::string& key, int value,
                                        int defaultValue) const
{
    // Two different defaults give the same answer only for a stored integer.
    const bool stored = ReadInteger(section, key, 0) == ReadInteger(section, key, 1);
    if (value != defaultValue || stored)
        WriteInteger(section, key, value);
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const
{
    return ReadValue(path_, section, key).has_value();
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    return ReadValue(path_, section, key).value_or(defaultValue);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const
{
    const bool oneLine = value.find_first_of("\r\n") == std::string::npos;
    WriteValue(path_, section, key, '"' + (oneLine ? value : std::string()) + '"');
}
