#include "Commands.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "CIdentifier.h"
#include "CliFailure.h"
#include "CliText.h"
#include "Counted.h"
#include "FileRead.h"
#include "ImageCommands.h"
#include "PendingOutput.h"
#include "PluginCrashGuard.h"
#include "PluginFolders.h"
#include "PluginFrames.h"
#include "PluginHost.h"
#include "RoundTripCommands.h"
#include "SystemFiles.h"
#include "U_class.h"
#include "Windows1252.h"
#include "joined_export.h"
#include "native_file.h"
#include "set_file.h"
#include "sprite_file_kind.h"
#include "ti_picture.h"

namespace fs = std::filesystem;

namespace {

enum class InputKind { Native, Picture, Set, Image, CSource };

InputKind KindOf(const std::string& path)
{
    if (IsSpriteSetFileName(path))
        return InputKind::Set;
    if (IsImageFileName(path))
        return InputKind::Image;
    if (IsDataSourcePath(path))
        return InputKind::CSource;
    switch (SpriteFileKindOf(path)) {
    case SpriteFileKind::Native:
        return InputKind::Native;
    case SpriteFileKind::CalculatorPicture:
        return InputKind::Picture;
    case SpriteFileKind::Unknown:
        break;
    }
    throw CliFailure(ExitBadInput, path + " : extension inconnue (.pixo, .pixs, .89i, .9xi, .v2i, .png, .bmp, .gif, "
                                          ".jpg, .jpeg, .c, .h, .s, .asm ou .inc attendue)");
}

std::string SetRefusalReason(const SetFileCheck& check)
{
    const std::string frame = "l'image " + std::to_string(check.frame);
    switch (check.problem) {
    case SetFileProblem::None:
    case SetFileProblem::Unreadable:
        break;
    case SetFileProblem::NotASet:
        return "ce n'est pas une planche .pixs (il manque « PIXS » au début)";
    case SetFileProblem::Version:
        return "version de planche .pixs inconnue (seule la version 1 est lue)";
    case SetFileProblem::FrameCount:
        return "planche .pixs de " + Counted(check.frameCount, "image", "images") + " (de 1 à " +
               std::to_string(MaxFrames) + " attendues)";
    case SetFileProblem::Truncated:
        return "planche .pixs tronquée (moins d'octets qu'il n'en faut pour " +
               Counted(check.frameCount, "image", "images") + ")";
    case SetFileProblem::BadFrame:
        return "planche .pixs non valide : " + frame +
               " a une largeur, une hauteur, un type ou des pixels hors limites";
    case SetFileProblem::SizesDiffer:
        return "planche .pixs non valide : " + frame + " n'a pas la taille de l'image 0";
    }
    return "lecture impossible";
}

// The bytes the readers of .pixo files, sets and calculator pictures take:
// no more than their largest file holds.
std::string ReadFixedLayout(const std::string& path, std::size_t most)
{
    FileContent content = ReadFileStart(path, most);
    if (!content.Read())
        throw CliFailure(ExitBadInput, path + " : " + ReadProblemText(content));
    return std::move(content.bytes);
}

std::unique_ptr<Sprite> NativeSprite(const std::string& path)
{
    const std::string bytes = ReadFixedLayout(path, PixoRecordSize);
    if (bytes.size() < PixoRecordSize)
        throw CliFailure(ExitBadInput, path + " : fichier .pixo trop court (" + std::to_string(bytes.size()) +
                                           " octets au lieu de " + std::to_string(PixoRecordSize) + ")");
    auto sprite = std::make_unique<Sprite>();
    if (!TakePixoRecord(reinterpret_cast<const uint8_t*>(bytes.data()), *sprite))
        throw CliFailure(ExitBadInput,
                         path + " : fichier .pixo non valide (largeur, hauteur, type ou pixels hors limites)");
    return sprite;
}

std::unique_ptr<Sprite> CalculatorPicture(const std::string& path)
{
    auto sprite = std::make_unique<Sprite>();
    if (!TakeTiPicture(ReadFixedLayout(path, MaxTiPictureBytes), *sprite))
        throw CliFailure(ExitBadInput, path + " : image de calculatrice non valide (taille nulle ou au-delà de 240 x "
                                              "128, ou fichier tronqué)");
    return sprite;
}

FrameList SetFrames(const std::string& path)
{
    FrameList frames;
    const SetFileCheck check = ReadSpriteSet(ReadFixedLayout(path, LargestSetBytes), frames);
    if (check.problem != SetFileProblem::None)
        throw CliFailure(ExitBadInput, path + " : " + SetRefusalReason(check));
    return frames;
}

FrameList OneFrame(std::unique_ptr<Sprite> sprite)
{
    FrameList frames;
    frames.push_back(std::move(sprite));
    return frames;
}

} // namespace

// The same file through links, "..", or a hard link.
void RefuseOverwritingInput(const std::string& input, const std::string& output)
{
    std::error_code error;
    if (output != "-" && fs::equivalent(NativePath(input), NativePath(output), error))
        throw CliFailure(ExitBadInput, output + " : la sortie remplacerait le sprite d'entrée");
}

FrameList ReadInputFrames(const std::string& path, const CliOptions& options, std::ostream& err)
{
    switch (KindOf(path)) {
    case InputKind::Native:
        return OneFrame(NativeSprite(path));
    case InputKind::Picture:
        return OneFrame(CalculatorPicture(path));
    case InputKind::Set:
        return SetFrames(path);
    case InputKind::Image:
        return OneFrame(ReadImageSprite(path, options.conversion));
    case InputKind::CSource:
        break;
    }
    if (options.mode == CliMode::ToPixs)
        return ReadCArrayFrames(path, options, err);
    return OneFrame(ReadCArraySprite(path, options, err));
}

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

void RefuseOverwritingInput(const CliOptions& options)
{
    ::RefuseOverwritingInput(options.input, options.output);
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

// "2 images, numérotées de 0 à 1", or "une seule image, la 0".
std::string FrameNumbers(int count)
{
    if (count == 1)
        return "une seule image, la 0";
    return std::to_string(count) + " images, numérotées de 0 à " + std::to_string(count - 1);
}

// The frame --frame names, or the only one; several frames without --frame
// are the joined export's, which only ExportSprite does.
std::unique_ptr<Sprite> ChosenFrame(FrameList& frames, const CliOptions& options, bool severalAllowed)
{
    const int count = static_cast<int>(frames.size());
    if (options.frame) {
        if (*options.frame >= count)
            throw CliFailure(ExitBadInput, options.input + " : pas d'image " + std::to_string(*options.frame) + " (" +
                                               FrameNumbers(count) + ")");
        return std::move(frames[*options.frame]);
    }
    if (count == 1)
        return std::move(frames.front());
    if (!severalAllowed)
        throw CliFailure(ExitBadInput, options.input + " : la planche a " + std::to_string(count) +
                                           " images ; choisissez-en une avec --frame K (de 0 à " +
                                           std::to_string(count - 1) + ")");
    return nullptr;
}

std::string NoWriterMessage(const ChosenPlugin& plugin)
{
    return "le plug-in " + Quoted(plugin.fileName) + " n'a pas pu être chargé ou n'a pas de fonction d'enregistrement";
}

// Every frame through the plug-in, joined into one text (joined_export.h).
int ExportAllFrames(const FrameList& frames, const ChosenPlugin& plugin, const std::string& name,
                    const CliOptions& options)
{
    std::vector<const Sprite*> list;
    for (const std::unique_ptr<Sprite>& frame : frames)
        list.push_back(frame.get());
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

std::unique_ptr<Sprite> ReadOneSprite(const CliOptions& options, std::ostream& err)
{
    FrameList frames = ReadInputFrames(options.input, options, err);
    return ChosenFrame(frames, options, false);
}

void WriteOutput(const std::string& output, const std::string& bytes)
{
    PendingOutput pending(output);
    pending.Write(bytes);
    pending.Deliver();
}

int ExportSprite(const CliOptions& options, std::ostream& err)
{
    FrameList frames = ReadInputFrames(options.input, options, err);
    const std::unique_ptr<Sprite> sprite = ChosenFrame(frames, options, true);
    RefuseOverwritingInput(options);
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

int ConvertToPixo(const CliOptions& options, std::ostream& err)
{
    const std::unique_ptr<Sprite> sprite = ReadOneSprite(options, err);
    RefuseOverwritingInput(options);
    WriteOutput(options.output, sprite->FileBytes());
    return ExitWritten;
}

// The inputs' frames in order, all of the first frame's size.
int ConvertToPixs(const CliOptions& options, std::ostream& err)
{
    FrameList frames;
    std::error_code error;
    for (const std::string& input : options.inputs) {
        if (options.output != "-" && fs::equivalent(NativePath(input), NativePath(options.output), error))
            throw CliFailure(ExitBadInput, options.output + " : la sortie remplacerait l'entrée " + input);
        FrameList read = ReadInputFrames(input, options, err);
        for (std::unique_ptr<Sprite>& frame : read) {
            if (!frames.empty() && !(frame->GetSize() == frames.front()->GetSize()))
                throw CliFailure(ExitBadInput, input + " : taille " + std::to_string(frame->width) + " x " +
                                                   std::to_string(frame->height) + " au lieu de " +
                                                   std::to_string(frames.front()->width) + " x " +
                                                   std::to_string(frames.front()->height) + " (celle de " +
                                                   options.inputs.front() + ")");
            if (frames.size() == MaxFrames)
                throw CliFailure(ExitBadInput,
                                 input + " : une planche a au plus " + std::to_string(MaxFrames) + " images");
            frames.push_back(std::move(frame));
        }
    }
    std::vector<const Sprite*> list;
    for (const std::unique_ptr<Sprite>& frame : frames)
        list.push_back(frame.get());
    WriteOutput(options.output, SpriteSetBytes(list));
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

int ConvertToPng(const CliOptions& options, std::ostream& err)
{
    const std::unique_ptr<Sprite> sprite = ReadOneSprite(options, err);
    RefuseOverwritingInput(options);
    WriteOutput(options.output, SpritePngBytes(*sprite, options));
    return ExitWritten;
}
