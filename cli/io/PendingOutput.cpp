#include "PendingOutput.h"

#include <unistd.h>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include <filesystem>

#include "CliFailure.h"
#include "CliText.h"
#include "StandardStreams.h"
#include "SystemFiles.h"

namespace fs = std::filesystem;

namespace {

// Far above the largest export: every frame of a full set through the most
// verbose plug-in gives some 30 MB of C.
constexpr std::size_t MaxOutputBytes = 256 * 1024 * 1024;

bool IsStandardOutput(const std::string& target)
{
    return target == "-";
}

std::string FolderOf(const std::string& path)
{
    const fs::path folder = NativePath(path).parent_path();
    return folder.empty() ? std::string(".") : NativeName(folder);
}

// The target is the file PendingFile would replace, links resolved.
std::string WhyNotWritable(const std::string& target, const std::error_code& status)
{
    std::error_code error;
    switch (status.value()) {
    case EISDIR:
        return "c'est un dossier, pas un fichier";
    case EINVAL:
        return "ce n'est ni un fichier ordinaire ni un périphérique";
    case ELOOP:
        return "écriture impossible (" + status.message() + ")";
    case EACCES:
        if (fs::exists(NativePath(target), error))
            return "fichier protégé en écriture, il n'est pas remplacé";
        break;
    default:
        break;
    }
    return "impossible de créer un fichier dans le dossier " + Quoted(FolderOf(target)) + " (" + status.message() + ")";
}

[[noreturn]] void FailedWrite(const std::string& target, const std::error_code& error)
{
    throw CliFailure(ExitBadInput, target + " : écriture impossible (" + error.message() + ")");
}

} // namespace

PendingOutput::PendingOutput(const std::string& target) : requested_(target)
{
    if (IsStandardOutput(target)) {
        RefuseClosedStandardOutput();
    } else {
        file_.emplace(target);
        if (const std::error_code status = file_->Status())
            throw CliFailure(ExitBadInput, target + " : " + WhyNotWritable(file_->Target(), status));
    }
    if (file_ && !file_->WritesInPlace()) {
        writePath_ = file_->WritePath();
        return;
    }
    scratch_.emplace();
    if (scratch_->Path().empty())
        throw CliFailure(ExitBadInput,
                         "impossible de créer un fichier temporaire en mémoire : " + scratch_->Error().message());
    writePath_ = scratch_->Path();
}

const std::string& PendingOutput::Target() const
{
    return file_ ? file_->Target() : requested_;
}

std::optional<std::string> PendingOutput::ReadBack() const
{
    FileContent content = ReadWholeFile(writePath_, MaxOutputBytes);
    if (!content.Read())
        return std::nullopt;
    return std::move(content.bytes);
}

std::error_code PendingOutput::CheckWritten()
{
    return scratch_ ? std::error_code() : file_->CheckWritten();
}

void PendingOutput::Write(const std::string& bytes)
{
    std::error_code error = scratch_ ? scratch_->Write(bytes) : file_->Write(bytes);
    if (!error)
        error = CheckWritten();
    if (error)
        FailedWrite(requested_, error);
    if (ReadBack() != bytes)
        FailedWrite(requested_, std::make_error_code(std::errc::io_error));
}

void PendingOutput::Deliver()
{
    if (!scratch_) {
        if (const std::error_code error = file_->Commit())
            FailedWrite(requested_, error);
        return;
    }
    const std::optional<std::string> content = ReadBack();
    if (!content)
        FailedWrite(requested_, std::make_error_code(std::errc::io_error));
    if (file_) {
        if (const std::error_code error = file_->Write(*content))
            FailedWrite(requested_, error);
        return;
    }
#if defined(_WIN32)
    // The bytes as the plug-in wrote them: a text-mode stream would turn its
    // CR LF into CR CR LF.
    _setmode(STDOUT_FILENO, _O_BINARY);
#endif
    if (const std::error_code error = WriteFully(STDOUT_FILENO, *content))
        throw CliFailure(ExitBadInput, "écriture sur la sortie standard impossible (" + error.message() + ")");
}

void WriteOutput(const std::string& output, const std::string& bytes)
{
    PendingOutput pending(output);
    pending.Write(bytes);
    pending.Deliver();
}

void RefuseOverwritingInput(const std::string& input, const std::string& output)
{
    std::error_code error;
    if (output != "-" && fs::equivalent(NativePath(input), NativePath(output), error))
        throw CliFailure(ExitBadInput, output + " : la sortie remplacerait le sprite d'entrée");
}
