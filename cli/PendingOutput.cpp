#include "PendingOutput.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>

#include "CliFailure.h"

namespace fs = std::filesystem;

namespace {

bool IsStandardOutput(const std::string& target)
{
    return target == "-";
}

fs::path TemporaryFolderFor(const std::string& target)
{
    if (IsStandardOutput(target))
        return fs::temp_directory_path();
    const fs::path folder = fs::path(target).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// A hidden name that no pattern rule for the target's extension matches.
std::string TemporaryName(const std::string& target, unsigned salt)
{
    const std::string base = IsStandardOutput(target) ? "pixora-export" : fs::path(target).filename().string();
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", salt);
    return "." + base + suffix;
}

// Created exclusively, so two runs never share a temporary file.
std::string CreateTemporaryFile(const std::string& target)
{
    const fs::path folder = TemporaryFolderFor(target);
    std::random_device entropy;
    constexpr int Attempts = 100;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const std::string path = (folder / TemporaryName(target, entropy())).string();
        errno = 0;
        if (std::FILE* file = std::fopen(path.c_str(), "wbx")) {
            std::fclose(file);
            return path;
        }
        if (errno != EEXIST)
            break;
    }
    throw CliFailure(ExitBadInput, "impossible de créer un fichier dans le dossier « " + folder.string() + " »");
}

} // namespace

PendingOutput::PendingOutput(const std::string& target) : target_(target)
{
    std::error_code error;
    if (!IsStandardOutput(target) && fs::is_directory(target, error))
        throw CliFailure(ExitBadInput, target + " : c'est un dossier, pas un fichier");
    temporary_ = CreateTemporaryFile(target);
}

PendingOutput::~PendingOutput()
{
    std::error_code error;
    if (!delivered_)
        fs::remove(temporary_, error);
}

std::string PendingOutput::ReadBack() const
{
    std::ifstream in(temporary_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PendingOutput::Deliver()
{
    if (IsStandardOutput(target_)) {
        const std::string content = ReadBack();
        std::cout.write(content.data(), static_cast<std::streamsize>(content.size()));
        std::cout.flush();
        if (!std::cout)
            throw CliFailure(ExitBadInput, "écriture sur la sortie standard impossible");
        return; // the destructor removes the temporary file
    }
    std::error_code error;
    fs::rename(temporary_, target_, error);
    if (error)
        throw CliFailure(ExitBadInput, target_ + " : écriture impossible");
    delivered_ = true;
}
