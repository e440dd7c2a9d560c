#include "ProgramText.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "Counted.h"
#include "FileRead.h"
#include "PreprocessorCondition.h"
#include "SourceTokens.h"
#include "SystemFiles.h"
#include "c_array_reader.h"
#include "c_array_sprites.h"

namespace fs = std::filesystem;

namespace {

// The name in #include "name" when the line is one, else nothing.
std::optional<std::string> QuotedInclude(std::string_view line)
{
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string_view::npos || line[at] != '#')
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + 1);
    constexpr std::string_view Include = "include";
    if (at == std::string_view::npos || line.substr(at, Include.size()) != Include)
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + Include.size());
    if (at == std::string_view::npos || line[at] != '"')
        return std::nullopt;
    const std::size_t close = line.find('"', at + 1);
    if (close == std::string_view::npos || close == at + 1)
        return std::nullopt;
    return std::string(line.substr(at + 1, close - at - 1));
}

// The word after the '#' of a preprocessor line, and the rest; nothing for
// another line.
std::optional<std::pair<std::string_view, std::string_view>> Directive(std::string_view line)
{
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string_view::npos || line[at] != '#')
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::size_t end = at;
    while (end < line.size() && IsIdentifierChar(line[end]))
        ++end;
    return std::pair(line.substr(at, end - at), line.substr(end));
}

// Conditional compilation as the program compiles it, with the names the
// files read #define: which lines are compiled. A condition the reader
// cannot decide (a name it does not know, an operator it does not take)
// keeps its first branch, and a note says so.
class Conditionals {
public:
    // Whether the line is compiled; the directives change what follows.
    bool Compiled(std::string_view line, const std::string& shown, std::vector<std::string>& notes)
    {
        const auto directive = Directive(line);
        if (!directive)
            return Active();
        const auto [word, rest] = *directive;
        if (word == "ifdef" || word == "ifndef") {
            const bool known = defined_.count(std::string(Name(rest))) != 0;
            Open(word == "ifdef" ? known : !known);
        } else if (word == "if") {
            Open(Decide(rest, shown, notes));
        } else if (word == "elif" && !levels_.empty()) {
            Level& level = levels_.back();
            level.active = !level.taken && level.outerActive && Decide(rest, shown, notes);
            level.taken = level.taken || level.active;
        } else if (word == "else" && !levels_.empty()) {
            Level& level = levels_.back();
            level.active = !level.taken && level.outerActive;
            level.taken = true;
        } else if (word == "endif" && !levels_.empty()) {
            levels_.pop_back();
        } else if (word == "define" && Active()) {
            Define(rest);
        } else if (word == "undef" && Active()) {
            defined_.erase(std::string(Name(rest)));
            values_.erase(std::string(Name(rest)));
        }
        return Active();
    }

private:
    struct Level {
        bool outerActive;
        bool active;
        bool taken; // a branch of this level was compiled
    };
    static constexpr std::size_t MostLevels = 256; // deeper #if are read as compiled

    bool Active() const { return levels_.empty() || levels_.back().active; }

    static std::string_view Name(std::string_view text)
    {
        const std::size_t start = std::min(text.find_first_not_of(" \t("), text.size());
        std::size_t end = start;
        while (end < text.size() && IsIdentifierChar(text[end]))
            ++end;
        return text.substr(start, end - start);
    }

    void Open(bool condition)
    {
        if (levels_.size() == MostLevels)
            condition = true;
        const bool outer = Active();
        levels_.push_back({outer, outer && condition, condition});
    }

    void Define(std::string_view rest)
    {
        const std::string name(Name(rest));
        if (name.empty() || defined_.size() >= MaxConstants)
            return;
        defined_.insert(name);
        const std::string_view body = rest.substr(rest.find(name) + name.size());
        if (!body.empty() && body.front() == '(') // a macro with parameters
            return;
        CTokenStream tokens(body, nullptr);
        const ExpressionResult value = ParseIntegerExpression(tokens, values_, CLiteralValue);
        if (value.error == ExpressionError::None && tokens.Current().kind == TokenKind::End)
            values_.insert_or_assign(name, value.value);
    }

    // The condition as the preprocessor evaluates it; undecided: true, and
    // said.
    bool Decide(std::string_view condition, const std::string& shown, std::vector<std::string>& notes)
    {
        const std::optional<bool> value = EvaluateCondition(condition, defined_, values_);
        if (!value) {
            constexpr std::size_t MostNotes = 20;
            if (notes.size() < MostNotes)
                notes.push_back(shown + " : condition « " + std::string(Trimmed(condition.substr(0, 64))) +
                                " » indécidable, première branche lue");
            return true;
        }
        return *value;
    }

    static std::string_view Trimmed(std::string_view text)
    {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        return text;
    }

    std::vector<Level> levels_;
    std::set<std::string> defined_;
    IntegerConstants values_;
};

class ProgramReader {
public:
    explicit ProgramReader(ProgramText& program) : program_(program) {}

    // A file given by the user: one that cannot be read refuses the whole.
    void ReadGivenFile(const fs::path& path, const std::string& shown) { ReadFile(path, shown, true); }

    void ReadFolder(const fs::path& folder, const std::string& shown)
    {
        std::vector<std::string> found;
        std::error_code error;
        fs::recursive_directory_iterator walk(folder, fs::directory_options::skip_permission_denied, error);
        for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
            std::error_code typeError;
            if (!walk->is_regular_file(typeError) || !SourceKindOfPath(NativeName(walk->path())))
                continue;
            if (found.size() == MaxListedFiles) {
                program_.refusal = shown + " : plus de " + std::to_string(MaxListedFiles) +
                                   " fichiers source dans le dossier : refusé";
                return;
            }
            found.push_back(NativeName(walk->path().lexically_relative(folder)));
        }
        if (error && found.empty()) {
            program_.refusal = shown + " : dossier illisible (" + error.message() + ")";
            return;
        }
        std::sort(found.begin(), found.end());
        for (const std::string& relative : found) {
            if (!program_.refusal.empty())
                return;
            ReadFile(folder / NativePath(relative), (fs::path(shown) / relative).generic_string(), false);
        }
        if (found.empty())
            program_.refusal = shown + " : aucun fichier C ou assembleur dans le dossier";
    }

    void NoteLeftOut()
    {
        if (leftOut_ > 0)
            program_.notes.push_back(Counted(static_cast<long long>(leftOut_), "fichier laissé", "fichiers laissés") +
                                     " de côté : au plus " + std::to_string(MaxProgramFiles) +
                                     " fichiers lus, les premiers dans l'ordre des chemins");
    }

private:
    // The file's index in files, read now or before; files.size() when it
    // is not read.
    std::size_t ReadFile(const fs::path& path, const std::string& shown, bool given)
    {
        std::error_code error;
        const fs::path key = fs::weakly_canonical(path, error);
        const auto [seen, fresh] = seen_.try_emplace(error ? path : key, NotRead);
        if (!fresh) // read already: an include loop, or a header that a folder holds too
            return seen->second == NotRead ? program_.files.size() : seen->second;
        if (program_.files.size() == MaxProgramFiles) {
            ++leftOut_;
            return program_.files.size();
        }
        const FileContent content = ReadWholeFile(NativeName(path), MaxSourceBytes - bytes_);
        if (!content.Read()) {
            const std::string why =
                content.problem == ReadProblem::TooLarge && bytes_ > 0
                    ? "programme trop grand (plus de " + std::to_string(MaxSourceBytes / (1024 * 1024)) + " Mo en tout)"
                    : ReadProblemText(content);
            if (given || content.problem == ReadProblem::TooLarge)
                program_.refusal = shown + " : " + why;
            else
                program_.notes.push_back(shown + " : " + why + ", passé");
            return program_.files.size();
        }
        bytes_ += content.bytes.size();
        const std::size_t file = program_.files.size();
        seen->second = file;
        program_.files.push_back(shown);
        if (SourceKindOfPath(NativeName(path)) == SourceKind::Assembly) {
            program_.assembly += content.bytes;
            program_.assembly += '\n';
            return file;
        }
        AddC(content.bytes, path, shown);
        return file;
    }

    // The text line by line, each quoted include's file read after its line.
    void AddC(const std::string& text, const fs::path& path, const std::string& shown)
    {
        const std::size_t file = program_.files.size() - 1;
        program_.cPieces.push_back({program_.c.size(), file, 1});
        int line = 1;
        std::size_t at = 0;
        while (at < text.size() && program_.refusal.empty()) {
            std::size_t end = text.find_first_of("\r\n", at);
            end = end == std::string::npos ? text.size() : end;
            const std::string_view lineText = std::string_view(text).substr(at, end - at);
            const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
            if (!conditionals_.Compiled(lineText, shown, program_.notes)) {
                program_.c += '\n'; // a line not compiled, kept as an empty line
                at = next;
                ++line;
                continue;
            }
            const std::optional<std::string> include = QuotedInclude(lineText);
            program_.c.append(text, at, std::min(next, text.size()) - at);
            ++line;
            if (include && Include(*include, path, shown, file))
                program_.cPieces.push_back({program_.c.size(), file, line});
            at = next;
        }
        program_.c += '\n';
    }

    // Whether the file was read into the text (not read before, nor left out).
    bool Include(const std::string& name, const fs::path& from, const std::string& shownFrom, std::size_t fromFile)
    {
        const fs::path included = from.parent_path() / NativePath(name);
        const std::string shown = (fs::path(shownFrom).parent_path() / name).generic_string();
        std::error_code error;
        if (!fs::is_regular_file(included, error)) {
            program_.notes.push_back(shownFrom + " : #include \"" + name + "\" introuvable, passé");
            return false;
        }
        const std::size_t filesBefore = program_.files.size();
        program_.c += '\n';
        if (const std::size_t file = ReadFile(included, shown, false);
            file < program_.files.size() && edges_.emplace(fromFile, file).second)
            program_.includes.emplace_back(fromFile, file);
        if (program_.files.size() != filesBefore)
            return true;
        program_.c.pop_back(); // nothing read: the including file's lines go on where they were
        return false;
    }

    ProgramText& program_;
    Conditionals conditionals_; // of the whole program, as the includes chain them
    static constexpr std::size_t NotRead = static_cast<std::size_t>(-1);
    std::map<fs::path, std::size_t> seen_;                // the file's index in files, or NotRead
    std::set<std::pair<std::size_t, std::size_t>> edges_; // of program_.includes, each once
    std::size_t bytes_ = 0;
    std::size_t leftOut_ = 0;
};

} // namespace

ProgramText ReadProgram(const std::string& path)
{
    ProgramText program;
    ProgramReader reader(program);
    std::error_code error;
    if (fs::is_directory(NativePath(path), error))
        reader.ReadFolder(NativePath(path), path);
    else
        reader.ReadGivenFile(NativePath(path), path);
    reader.NoteLeftOut();
    if (!program.refusal.empty()) {
        program.c.clear();
        program.assembly.clear();
    }
    return program;
}

namespace {

const ProgramPiece* PieceAt(const ProgramText& program, std::size_t offset)
{
    const auto after = std::upper_bound(program.cPieces.begin(), program.cPieces.end(), offset,
                                        [](std::size_t at, const ProgramPiece& piece) { return at < piece.offset; });
    return after == program.cPieces.begin() ? nullptr : &*std::prev(after);
}

} // namespace

std::vector<std::string> PlacesInProgram(const ProgramText& program, const std::vector<std::size_t>& offsets)
{
    std::vector<std::size_t> order(offsets.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return offsets[a] < offsets[b]; });
    std::vector<std::string> places(offsets.size());
    // One walk over the text for all offsets: each counts on from the one
    // before it when both lie in the same piece.
    const ProgramPiece* counted = nullptr;
    std::size_t countedTo = 0;
    int line = 0;
    for (const std::size_t index : order) {
        const std::size_t offset = std::min(offsets[index], program.c.size());
        const ProgramPiece* piece = PieceAt(program, offset);
        if (!piece)
            continue;
        if (piece != counted) {
            counted = piece;
            countedTo = piece->offset;
            line = piece->line;
        }
        for (; countedTo < offset; ++countedTo) // a line ends in LF, CR LF or CR alone
            if (program.c[countedTo] == '\n' || (program.c[countedTo] == '\r' && (countedTo + 1 >= program.c.size() ||
                                                                                  program.c[countedTo + 1] != '\n')))
                ++line;
        places[index] = program.files[piece->file] + ":" + std::to_string(line);
    }
    return places;
}

std::string PlaceInProgram(const ProgramText& program, std::size_t offset)
{
    return PlacesInProgram(program, {offset}).front();
}

std::size_t FileInProgram(const ProgramText& program, std::size_t offset)
{
    const ProgramPiece* piece = PieceAt(program, offset);
    return piece ? piece->file : program.files.size();
}

std::vector<bool> FilesSeenFrom(const ProgramText& program, std::size_t file)
{
    std::vector<std::vector<std::size_t>> included(program.files.size());
    for (const auto& [including, other] : program.includes)
        included[including].push_back(other);
    std::vector<bool> seen(program.files.size(), false);
    std::vector<std::size_t> pending = {file};
    while (!pending.empty()) {
        const std::size_t at = pending.back();
        pending.pop_back();
        if (at >= seen.size() || seen[at])
            continue;
        seen[at] = true;
        pending.insert(pending.end(), included[at].begin(), included[at].end());
    }
    return seen;
}
