#include "set_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "AtomicFile.h"
#include "FileRead.h"
#include "LittleEndian.h"
#include "native_file.h"

namespace {

constexpr char Magic[4] = {'P', 'I', 'X', 'S'};
constexpr uint16_t Version = 1;
constexpr std::size_t VersionOffset = 4;
constexpr std::size_t CountOffset = 6;

bool CanMakeSet(const std::vector<const Sprite*>& frames)
{
    if (frames.empty() || frames.size() > MaxFrames)
        return false;
    for (const Sprite* frame : frames)
        if (!frame || !(frame->GetSize() == frames.front()->GetSize()))
            return false;
    return true;
}

} // namespace

bool IsSpriteSetFileName(const std::string& path)
{
    static const char suffix[] = ".pixs";
    const std::size_t length = sizeof suffix - 1;
    if (path.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = path[path.size() - length + i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != suffix[i])
            return false;
    }
    return true;
}

std::string SpriteSetBytes(const std::vector<const Sprite*>& frames)
{
    if (!CanMakeSet(frames))
        return {};
    std::string bytes(PixsHeaderSize + frames.size() * PixoRecordSize, '\0');
    std::memcpy(bytes.data(), Magic, sizeof Magic);
    PutUint16(bytes, VersionOffset, Version);
    PutUint16(bytes, CountOffset, static_cast<uint16_t>(frames.size()));
    for (std::size_t k = 0; k < frames.size(); ++k)
        PutPixoRecord(*frames[k], reinterpret_cast<uint8_t*>(bytes.data() + PixsHeaderSize + k * PixoRecordSize));
    return bytes;
}

bool SaveSpriteSetFile(const std::string& path, const std::vector<const Sprite*>& frames)
{
    const std::string bytes = SpriteSetBytes(frames);
    return !path.empty() && !bytes.empty() && !WriteFileAtomically(path, bytes);
}

SetFileCheck ReadSpriteSet(const std::string& bytes, FrameList& frames)
{
    SetFileCheck check;
    if (bytes.size() < PixsHeaderSize || std::memcmp(bytes.data(), Magic, sizeof Magic) != 0) {
        check.problem = SetFileProblem::NotASet;
        return check;
    }
    check.frameCount = GetUint16(bytes, CountOffset);
    const std::size_t count = static_cast<std::size_t>(check.frameCount);
    if (GetUint16(bytes, VersionOffset) != Version)
        check.problem = SetFileProblem::Version;
    else if (count < 1 || count > MaxFrames)
        check.problem = SetFileProblem::FrameCount;
    else if (bytes.size() < PixsHeaderSize + count * PixoRecordSize)
        check.problem = SetFileProblem::Truncated;
    if (check.problem != SetFileProblem::None)
        return check;

    FrameList read;
    read.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        // Made at 1 x 1, so that only the record's own size is counted.
        auto frame = std::make_unique<Sprite>(Point{1, 1});
        const auto* record = reinterpret_cast<const uint8_t*>(bytes.data() + PixsHeaderSize + k * PixoRecordSize);
        if (!TakePixoRecord(record, *frame))
            check.problem = SetFileProblem::BadFrame;
        else if (k > 0 && !(frame->GetSize() == read.front()->GetSize()))
            check.problem = SetFileProblem::SizesDiffer;
        if (check.problem != SetFileProblem::None) {
            check.frame = static_cast<int>(k);
            return check;
        }
        read.push_back(std::move(frame));
    }
    frames = std::move(read);
    return check;
}

SetFileCheck ReadSpriteSetFile(const std::string& path, FrameList& frames)
{
    // No more than the largest set can hold is read, whatever the file's size.
    const FileContent content = ReadFileStart(path, LargestSetBytes);
    if (!content.Read())
        return {SetFileProblem::Unreadable, 0, -1};
    return ReadSpriteSet(content.bytes, frames);
}

bool ParseSpriteSet(const std::string& bytes, FrameList& frames)
{
    return ReadSpriteSet(bytes, frames).problem == SetFileProblem::None;
}

bool LoadSpriteSetFile(const std::string& path, FrameList& frames)
{
    return ReadSpriteSetFile(path, frames).problem == SetFileProblem::None;
}
