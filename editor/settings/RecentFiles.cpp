#include "RecentFiles.h"

#include <algorithm>
#include <filesystem>

#include "SystemFiles.h"

namespace fs = std::filesystem;

namespace {

std::string KeyOf(std::size_t position)
{
    return "Fichier" + std::to_string(position + 1);
}

std::string NormalPath(const std::string& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(NativePath(path), error);
    return error ? path : NativeName(absolute.lexically_normal());
}

bool IsExistingFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(NativePath(path), error);
}

bool HasAnyKey(const IniFile& settings, const std::string& section)
{
    for (std::size_t k = 0; k < RecentFiles::Capacity; ++k)
        if (settings.HasKey(section, KeyOf(k)))
            return true;
    return false;
}

} // namespace

void RecentFiles::Add(const std::string& path)
{
    if (path.empty())
        return;
    const std::string normal = NormalPath(path);
    Remove(normal);
    paths_.insert(paths_.begin(), normal);
    if (paths_.size() > Capacity)
        paths_.resize(Capacity);
}

void RecentFiles::Remove(const std::string& path)
{
    const std::string normal = NormalPath(path);
    paths_.erase(std::remove(paths_.begin(), paths_.end(), normal), paths_.end());
}

void RecentFiles::Read(const IniFile& settings, const std::string& section)
{
    paths_.clear();
    for (std::size_t k = 0; k < Capacity; ++k) {
        const std::string path = settings.ReadString(section, KeyOf(k), std::string());
        if (path.empty() || !IsExistingFile(path))
            continue;
        const std::string normal = NormalPath(path);
        if (std::find(paths_.begin(), paths_.end(), normal) == paths_.end())
            paths_.push_back(normal);
    }
}

void RecentFiles::Write(const IniFile& settings, const std::string& section) const
{
    if (paths_.empty() && !HasAnyKey(settings, section))
        return;
    for (std::size_t k = 0; k < Capacity; ++k)
        settings.WriteString(section, KeyOf(k), k < paths_.size() ? paths_[k] : std::string());
}
