#include "ListCommands.h"

#include <filesystem>
#include <ostream>

#include "SourceReading.h"
#include "SpriteListing.h"
#include "SystemFiles.h"

namespace {

// A file named like no source is not read as C; a folder, or a file that
// cannot be found, is left to the program reader, which says why.
bool ReadsAsProgram(const std::string& path)
{
    std::error_code error;
    return SourceKindOfPath(path) || !std::filesystem::is_regular_file(NativePath(path), error);
}

// The lines of one source; how many.
std::size_t ListSource(const std::string& path, std::ostream& out, std::ostream& err)
{
    if (!ReadsAsProgram(path)) {
        err << "pixora-export : " << path
            << " : ni une source C (.c, .h) ou assembleur (.s, .S, .asm, .inc), ni un dossier\n";
        return 0;
    }
    const SourceProgram read = ReadSourceProgram(path);
    for (const std::string& note : read.notes)
        err << "pixora-export : " << note << '\n';
    if (!read.refusal.empty()) {
        err << "pixora-export : " << read.refusal << '\n';
        return 0;
    }
    const std::vector<SpriteListing> listings = ListProgramSprites(read.program, read.found);
    for (const SpriteListing& listing : listings)
        out << SpriteListingLine(listing) << '\n';
    if (listings.empty())
        err << "pixora-export : " << path << " : aucun tableau de sprite lisible\n";
    return listings.size();
}

} // namespace

int ListSourceSprites(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    std::size_t listed = 0;
    for (const std::string& path : options.inputs)
        listed += ListSource(path, out, err);
    return listed > 0 ? ExitWritten : ExitBadInput;
}
