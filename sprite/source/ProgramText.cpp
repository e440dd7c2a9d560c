#include "ProgramText.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "Counted.h"
#include "FileRead.h"
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
    void ReadFile(const fs::path& path, const std::string& shown, bool given)
    {
        std::error_code error;
        const fs::path key = fs::weakly_canonical(path, error);
        if (!seen_.insert(error ? path : key).second)
            return; // read already: an include loop, or a header that a folder holds too
        if (program_.files.size() == MaxProgramFiles) {
            ++leftOut_;
            return;
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
            return;
        }
        bytes_ += content.bytes.size();
        program_.files.push_back(shown);
        if (SourceKindOfPath(NativeName(path)) == SourceKind::Assembly) {
            program_.assembly += content.bytes;
            program_.assembly += '\n';
            return;
        }
        AddC(content.bytes, path, shown);
    }

    // The text line by line, each quoted include's file read after its line.
    void AddC(const std::string& text, const fs::path& path, const std::string& shown)
    {
        std::size_t at = 0;
        while (at < text.size() && program_.refusal.empty()) {
            std::size_t end = text.find_first_of("\r\n", at);
            end = end == std::string::npos ? text.size() : end;
            const std::optional<std::string> include = QuotedInclude(std::string_view(text).substr(at, end - at));
            const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
            program_.c.append(text, at, std::min(next, text.size()) - at);
            if (include)
                Include(*include, path, shown);
            at = next;
        }
        program_.c += '\n';
    }

    void Include(const std::string& name, const fs::path& from, const std::string& shownFrom)
    {
        const fs::path included = from.parent_path() / NativePath(name);
        const std::string shown = (fs::path(shownFrom).parent_path() / name).generic_string();
        std::error_code error;
        if (!fs::is_regular_file(included, error)) {
            program_.notes.push_back(shownFrom + " : #include \"" + name + "\" introuvable, passé");
            return;
        }
        program_.c += '\n';
        ReadFile(included, shown, false);
    }

    ProgramText& program_;
    std::set<fs::path> seen_;
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
