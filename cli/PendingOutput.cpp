#include "PendingOutput.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "CliFailure.h"
#include "SystemFiles.h"

namespace fs = std::filesystem;

namespace {

bool IsStandardOutput(const std::string& target)
{
    return target == "-";
}

std::string ScratchFile()
{
    std::error_code error;
    std::string path = CreateTemporaryFile("pixora-export-", error);
    if (path.empty())
        throw CliFailure(ExitBadInput, "impossible de créer un fichier temporaire : " + error.message());
    return path;
}

std::string WhyNotWritable(const std::error_code& status)
{
    switch (status.value()) {
    case EISDIR:
        return "c'est un dossier, pas un fichier";
    case EACCES:
        return "fichier protégé en écriture, il n'est pas remplacé";
    case EINVAL:
        return "ce n'est ni un fichier ordinaire ni un périphérique";
    default:
        return "impossible de créer un fichier dans son dossier (" + status.message() + ")";
    }
}

[[noreturn]] void FailedWrite(const std::string& target, const std::error_code& error)
{
    throw CliFailure(ExitBadInput, target + " : écriture impossible (" + error.message() + ")");
}

} // namespace

PendingOutput::PendingOutput(const std::string& target) : requested_(target)
{
    if (!IsStandardOutput(target)) {
        file_.emplace(target);
        if (const std::error_code status = file_->Status())
            throw CliFailure(ExitBadInput, target + " : " + WhyNotWritable(status));
    }
    const bool stream = !file_ || file_->WritesInPlace();
    if (stream)
        scratch_ = ScratchFile();
    writePath_ = stream ? scratch_ : file_->WritePath();
}

PendingOutput::~PendingOutput()
{
    if (!scratch_.empty())
        std::remove(scratch_.c_str());
}

const std::string& PendingOutput::Target() const
{
    return file_ ? file_->Target() : requested_;
}

std::optional<std::string> PendingOutput::ReadBack() const
{
    std::error_code error;
    if (!fs::is_regular_file(NativePath(writePath_), error))
        return std::nullopt;
    std::ifstream in(writePath_, std::ios::binary);
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return content;
}

std::error_code PendingOutput::CheckWritten()
{
    const std::string& onDisk = scratch_.empty() ? file_->Target() : scratch_;
    if (const std::error_code error = scratch_.empty() ? file_->Sync() : std::error_code())
        return error;
    // A writer that ignores its failed writes leaves a short file on a full
    // file system, which fsync cannot tell.
    return FileSystemIsFull(onDisk) ? std::make_error_code(std::errc::no_space_on_device) : std::error_code();
}

void PendingOutput::Deliver()
{
    if (scratch_.empty()) {
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
    std::cout.flush();
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::cout.write(content->data(), static_cast<std::streamsize>(content->size()));
    std::cout.flush();
    if (!std::cout)
        throw CliFailure(ExitBadInput, "écriture sur la sortie standard impossible");
}
