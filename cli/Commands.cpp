#include "Commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>

#include "CliFailure.h"
#include "CliText.h"
#include "PendingOutput.h"
#include "PluginCrashGuard.h"
#include "PluginFolders.h"
#include "PluginHost.h"
#include "U_class.h"
#include "Windows1252.h"
#include "ti_picture.h"

namespace fs = std::filesystem;

namespace {

constexpr uintmax_t NativeFileSize = 30732;

enum class InputKind { Native, Picture };

std::string Quoted(const std::string& text)
{
    return "« " + text + " »";
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

InputKind KindOf(const std::string& path)
{
    const std::string extension = LowerCase(fs::path(path).extension().string());
    if (extension == ".pixo")
        return InputKind::Native;
    if (extension == ".89i" || extension == ".9xi" || extension == ".v2i")
        return InputKind::Picture;
    throw CliFailure(ExitBadInput, path + " : extension inconnue (.pixo, .89i, .9xi ou .v2i attendue)");
}

// The system's reason when the file cannot be read to its end (no right to
// read it, an I/O error), or nothing; the readers only say yes or no.
std::string WhyUnreadable(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::generic_category().message(errno);
    char buffer[4096];
    while (std::fread(buffer, 1, sizeof buffer, file) == sizeof buffer) {
    }
    const int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    return error ? std::generic_category().message(error) : std::string();
}

// Why a reader refused a file it was given; the readers only say yes or no.
std::string RefusalReason(const std::string& path, InputKind kind)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    if (error)
        return "lecture impossible";
    if (kind == InputKind::Native && size < NativeFileSize)
        return "fichier .pixo trop court (" + std::to_string(size) + " octets au lieu de 30732)";
    if (kind == InputKind::Native)
        return "fichier .pixo non valide (largeur, hauteur, type ou pixels hors limites)";
    return "image de calculatrice non valide (taille nulle ou au-delà de 240 x 128, ou fichier tronqué)";
}

std::unique_ptr<Sprite> ReadSprite(const std::string& path)
{
    const InputKind kind = KindOf(path);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        throw CliFailure(ExitBadInput, path + " : fichier introuvable");
    if (fs::is_directory(status))
        throw CliFailure(ExitBadInput, path + " : c'est un dossier, pas un fichier");
    if (!fs::is_regular_file(status)) // a pipe or a device would block or never end
        throw CliFailure(ExitBadInput, path + " : ce n'est pas un fichier ordinaire");
    if (const std::string why = WhyUnreadable(path); !why.empty())
        throw CliFailure(ExitBadInput, path + " : lecture impossible (" + why + ")");
    auto sprite = std::make_unique<Sprite>();
    const bool read = kind == InputKind::Native ? sprite->LoadFromFile(path) : ChargerImageTI(*sprite, path);
    if (!read)
        throw CliFailure(ExitBadInput, path + " : " + RefusalReason(path, kind));
    return sprite;
}

// The editor's plug-ins (beside the program, then the user's own for an
// installed program), or the folder given.
std::vector<std::string> SearchedFolders(const CliOptions& options)
{
    if (options.pluginFolder.empty()) {
        const std::string programFolder = ProgramFolder();
        return PluginFolders(programFolder, FolderIsWritable(programFolder));
    }
    std::error_code error;
    if (!fs::is_directory(options.pluginFolder, error))
        throw CliFailure(ExitNoPlugin, "dossier de plug-ins " + Quoted(options.pluginFolder) + " introuvable");
    const char last = options.pluginFolder.back();
    return {last == '/' || last == '\\' ? options.pluginFolder : options.pluginFolder + "/"};
}

std::string FolderList(const std::vector<std::string>& folders)
{
    std::string list;
    for (const std::string& folder : folders)
        list += (list.empty() ? "" : " et ") + Quoted(folder);
    return list;
}

std::string WithoutSuffix(const std::string& fileName)
{
    const std::string suffix = LibrarySuffix();
    const bool hasSuffix = fileName.size() > suffix.size() && fileName.ends_with(suffix);
    return hasSuffix ? fileName.substr(0, fileName.size() - suffix.size()) : fileName;
}

bool NamesFile(const std::string& wanted, const std::string& fileName)
{
    return wanted == fileName || wanted == WithoutSuffix(fileName);
}

struct ChosenPlugin {
    std::string fileName;
    std::string path;
};

// A file name (with or without suffix) wins over a display name, which may be
// typed in UTF-8 or match the plug-in's own bytes.
ChosenPlugin FindPlugin(const CliOptions& options)
{
    const std::vector<std::string> folders = SearchedFolders(options);
    const PluginScan scan = ScanPluginFolders(folders);
    const std::string& wanted = options.plugin;
    for (size_t i = 0; i < scan.paths.size(); ++i)
        if (NamesFile(wanted, scan.fileNames[i]))
            return {scan.fileNames[i], scan.paths[i]};
    for (size_t i = 0; i < scan.paths.size(); ++i)
        if (wanted == scan.displayNames[i] || wanted == Windows1252ToUtf8(scan.displayNames[i]))
            return {scan.fileNames[i], scan.paths[i]};
    for (const std::string& invalid : scan.invalidFiles)
        if (NamesFile(wanted, invalid))
            throw CliFailure(ExitNoPlugin, "plug-in " + Quoted(invalid) + " non valide (pas de fonction pluginNom)");
    std::string known;
    for (const std::string& fileName : scan.fileNames)
        known += (known.empty() ? "" : ", ") + WithoutSuffix(fileName);
    throw CliFailure(ExitNoPlugin, "plug-in " + Quoted(wanted) + " introuvable dans " + FolderList(folders) +
                                       (known.empty() ? " (aucun plug-in)" : " (disponibles : " + known + ")"));
}

// One line of a plug-in text, safe for a tab-separated listing.
std::string ListField(const std::string& pluginText)
{
    std::string field = TerminalText(pluginText.substr(0, pluginText.find('\r')));
    std::replace_if(
        field.begin(), field.end(), [](char c) { return c == '\t' || c == '\n'; }, ' ');
    return field;
}

// The version section of an information text, or nothing.
std::string VersionFromInfo(const std::string& info)
{
    const std::string label = "\r\n\r\n-Version:\r\n    ";
    const size_t at = info.find(label);
    return at == std::string::npos ? "" : ListField(info.substr(at + label.size()));
}

std::string WithoutTrailingLineEnds(std::string text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// The same file through links, "..", or a hard link.
void RefuseOverwritingInput(const CliOptions& options)
{
    std::error_code error;
    if (options.output != "-" && fs::equivalent(options.input, options.output, error))
        throw CliFailure(ExitBadInput, options.output + " : la sortie remplacerait le sprite d'entrée");
}

CliFailure FailedWrite(const std::string& output, const std::error_code& error)
{
    return CliFailure(ExitBadInput, output + " : écriture impossible (" + error.message() + ")");
}

// A plug-in answers false both when it refuses the sprite and when its own
// writes failed; the file system tells the two apart.
CliFailure RefusalOrFailedWrite(const ChosenPlugin& plugin, PendingOutput& output)
{
    if (const std::error_code error = output.CheckWritten())
        return FailedWrite(output.Target(), error);
    const std::string explanation = WithoutTrailingLineEnds(TerminalText(output.ReadBack().value_or("")));
    if (explanation.empty())
        return CliFailure(ExitRefused, "le plug-in " + Quoted(plugin.fileName) +
                                           " refuse le sprite ou n'a pas pu écrire son fichier (il ne dit pas "
                                           "pourquoi)");
    return CliFailure(ExitRefused, "le plug-in " + Quoted(plugin.fileName) + " refuse le sprite :\n" + explanation);
}

// An accepted export whose file is empty would replace a good header with
// one that make takes as up to date.
void CheckExportWritten(const ChosenPlugin& plugin, PendingOutput& output)
{
    if (const std::error_code error = output.CheckWritten())
        throw FailedWrite(output.Target(), error);
    const std::optional<std::string> content = output.ReadBack();
    if (!content || content->empty())
        throw CliFailure(ExitNoPlugin, "le plug-in " + Quoted(plugin.fileName) + " n'a rien écrit");
}

} // namespace

int ExportSprite(const CliOptions& options)
{
    const std::unique_ptr<Sprite> sprite = ReadSprite(options.input);
    RefuseOverwritingInput(options);
    const ChosenPlugin plugin = FindPlugin(options);
    const std::string name = options.spriteName.value_or(DefaultSpriteName(options.input));
    auto planes = std::make_unique<SpritePlanes>();
    BuildPlanes(*sprite, *planes);

    PendingOutput output(options.output);
    ExportResult result;
    {
        const PluginCrashGuard guard(plugin.fileName, output.TemporaryPath());
        result = CallPluginWrite(plugin.path, output.TemporaryPath(), name, sprite->type, *planes, sprite->height,
                                 sprite->width);
    }
    switch (result) {
    case ExportResult::NoWriteFunction:
        throw CliFailure(ExitNoPlugin, "le plug-in " + Quoted(plugin.fileName) +
                                           " n'a pas pu être chargé ou n'a pas de fonction d'enregistrement");
    case ExportResult::Refused:
        throw RefusalOrFailedWrite(plugin, output);
    case ExportResult::Written:
        CheckExportWritten(plugin, output);
        break;
    }
    output.Deliver();
    return ExitWritten;
}

int ConvertToPixo(const CliOptions& options)
{
    const std::unique_ptr<Sprite> sprite = ReadSprite(options.input);
    RefuseOverwritingInput(options);
    PendingOutput output(options.output);
    const std::string bytes = sprite->FileBytes();
    std::ofstream(output.TemporaryPath(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (const std::error_code error = output.CheckWritten())
        throw FailedWrite(options.output, error);
    if (output.ReadBack() != bytes)
        throw FailedWrite(options.output, std::make_error_code(std::errc::io_error));
    output.Deliver();
    return ExitWritten;
}

int ListPlugins(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    const PluginScan scan = ScanPluginFolders(SearchedFolders(options));
    for (const std::string& invalid : scan.invalidFiles)
        err << "pixora-export : plug-in " << Quoted(invalid) << " non valide, ignoré\n";
    for (size_t i = 0; i < scan.paths.size(); ++i) {
        std::string info;
        PluginInfoText(scan.paths[i], info);
        out << scan.fileNames[i] << '\t' << ListField(scan.displayNames[i]) << '\t' << VersionFromInfo(info) << '\n';
    }
    return ExitWritten;
}

int ShowPluginInfo(const CliOptions& options, std::ostream& out)
{
    const ChosenPlugin plugin = FindPlugin(options);
    std::string info;
    if (!PluginInfoText(plugin.path, info))
        throw CliFailure(ExitNoPlugin, "le plug-in " + Quoted(plugin.fileName) + " n'a pas pu être chargé");
    out << TerminalText(info) << '\n';
    return ExitWritten;
}
