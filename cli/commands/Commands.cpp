#include "Commands.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "CIdentifier.h"
#include "CliFailure.h"
#include "CliText.h"
#include "InputReading.h"
#include "PendingOutput.h"
#include "PluginCrashGuard.h"
#include "PluginFolders.h"
#include "PluginFrames.h"
#include "PluginHost.h"
#include "SystemFiles.h"
#include "Windows1252.h"
#include "joined_export.h"

namespace fs = std::filesystem;

namespace {

// The editor's plug-ins (beside the program, then the user's own for an
// installed program), or the folder given.
std::vector<std::string> SearchedFolders(const CliOptions& options)
{
    if (options.pluginFolder.empty()) {
        const std::string programFolder = ProgramFolder();
        return PluginFolders(programFolder, KeepsFilesBesideProgram(programFolder));
    }
    std::error_code error;
    if (!fs::is_directory(NativePath(options.pluginFolder), error))
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
// typed in UTF-8 or match the plug-in's own bytes. A file name loads that
// library alone: a build exporting sprite after sprite does not load every
// plug-in for each.
ChosenPlugin FindPlugin(const CliOptions& options)
{
    const std::vector<std::string> folders = SearchedFolders(options);
    const std::string& wanted = options.plugin;
    for (const std::string& fileName : {wanted, wanted + LibrarySuffix()})
        if (const std::optional<std::string> path = FindListedPlugin(folders, fileName))
            return {fileName, *path};
    const PluginScan scan = ScanPluginFolders(folders);
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

std::string NoWriterMessage(const ChosenPlugin& plugin)
{
    return "le plug-in " + Quoted(plugin.fileName) + " n'a pas pu être chargé ou n'a pas de fonction d'enregistrement";
}

// Every frame through the plug-in, joined into one text (joined_export.h).
int ExportAllFrames(const FrameList& frames, const ChosenPlugin& plugin, const std::string& name,
                    const CliOptions& options)
{
    const std::vector<const Sprite*> list = FramePointers(frames);
    const Sprite& first = *frames.front();
    PendingOutput output(options.output);
    JoinedExport joined;
    {
        const PluginCrashGuard guard(plugin.fileName, output.TemporaryPath());
        joined = ExportFrames(list, name, PluginFrameWriter(plugin.path, first.height, first.width));
    }
    const std::string frame = "image " + std::to_string(joined.failedFrame) + " : ";
    const std::string explanation = WithoutTrailingLineEnds(TerminalText(joined.text));
    switch (joined.result) {
    case FrameWrite::NoWriter:
        throw CliFailure(ExitNoPlugin, NoWriterMessage(plugin));
    case FrameWrite::Refused:
        throw CliFailure(ExitRefused, frame + "le plug-in " + Quoted(plugin.fileName) +
                                          (explanation.empty() ? " refuse le sprite ou n'a pas pu écrire son fichier "
                                                                 "(il ne dit pas pourquoi)"
                                                               : " refuse le sprite :\n" + explanation));
    case FrameWrite::Written:
        break;
    }
    if (joined.emptyFrame >= 0)
        throw CliFailure(ExitNoPlugin, "image " + std::to_string(joined.emptyFrame) + " : le plug-in " +
                                           Quoted(plugin.fileName) + " n'a rien écrit");
    output.Write(joined.text);
    output.Deliver();
    return ExitWritten;
}

} // namespace

int ExportSprite(const CliOptions& options, std::ostream& err)
{
    FrameList frames = ReadInputFrames(options.input, options, err);
    const std::unique_ptr<Sprite> sprite = ChosenFrame(frames, options, true);
    RefuseOverwritingInput(options.input, options.output);
    const ChosenPlugin plugin = FindPlugin(options);
    const std::string name = options.spriteName.value_or(DefaultSpriteName(options.input));
    if (!sprite)
        return ExportAllFrames(frames, plugin, name, options);
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
        throw CliFailure(ExitNoPlugin, NoWriterMessage(plugin));
    case ExportResult::Refused:
        throw RefusalOrFailedWrite(plugin, output);
    case ExportResult::Written:
        CheckExportWritten(plugin, output);
        break;
    }
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
