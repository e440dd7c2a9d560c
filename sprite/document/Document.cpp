#include "Document.h"

#include <filesystem>

namespace {

std::string FileNameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

std::string StemOfPath(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

void Document::AttachFile(const std::string& path, bool savesInPlace)
{
    filePath_ = path;
    savesInPlace_ = savesInPlace;
    importedName_.clear();
}

void Document::Detach(const std::string& importedName)
{
    filePath_.clear();
    savesInPlace_ = false;
    importedName_ = importedName;
}

std::string Document::DisplayName() const
{
    if (!filePath_.empty())
        return FileNameOf(filePath_);
    return importedName_.empty() ? std::string() : importedName_ + " (importé)";
}

std::string Document::CaptionName() const
{
    return DisplayName() + (IsChangedSinceSaved() ? "*" : "");
}

std::string Document::ProposedName() const
{
    return filePath_.empty() ? importedName_ : StemOfPath(filePath_);
}
