#include "LoadCommands.h"

#include <memory>
#include <utility>

#include "set_file.h"
#include "sheet.h"

LoadResult ReadIntoFrames(SpriteDocument& document, SpriteReader reader, const std::string& path, LoadInto target,
                          std::optional<Point> sliceCell, const std::string& label)
{
    const bool slice = target == LoadInto::CurrentFrame && sliceCell;
    const bool setFile = target == LoadInto::WholeSet && IsSpriteSetFileName(path);
    if (!slice && !setFile && (target == LoadInto::CurrentFrame || document.Frames().Count() == 1)) {
        bool loaded = false;
        DocumentChange change = document.Edit(label, [&](Sprite& frame) { loaded = reader(frame, path); });
        change.size = loaded;
        return {loaded ? LoadOutcome::Loaded : LoadOutcome::Refused, change};
    }

    FrameList loaded;
    if (setFile) {
        if (!LoadSpriteSetFile(path, loaded))
            return {};
    } else {
        // A copy, so that a refused file leaves the set as it was and the
        // marks stay, as a load keeps them.
        auto one = std::make_unique<Sprite>(document.Current());
        if (!reader(*one, path))
            return {};
        if (slice)
            return SliceIntoFrames(document, PictureOfSprite(*one), SliceGrid{*sliceCell}, false, label);
        loaded.push_back(std::move(one));
    }
    return ReplaceSet(document, std::move(loaded), label);
}

LoadResult SliceIntoFrames(SpriteDocument& document, const CellPicture& picture, const SliceGrid& grid, bool skipEmpty,
                           const std::string& label)
{
    const long long count = SlicedFrameCount(picture, grid, skipEmpty);
    if (count < 1 || count > MaxFrames)
        return {LoadOutcome::Explained, {}, {picture.width, picture.height}, static_cast<int>(count)};
    return ReplaceSet(document, SliceSheetGrid(picture, grid, skipEmpty), label);
}

LoadResult ReplaceSet(SpriteDocument& document, FrameList frames, const std::string& label)
{
    const DocumentChange change = document.ReplaceFrames(std::move(frames), label);
    return {change.frames ? LoadOutcome::Loaded : LoadOutcome::Refused, change};
}

DocumentChange ReplaceCurrentFrame(SpriteDocument& document, const std::string& label,
                                   const std::function<void(Sprite&)>& fill)
{
    DocumentChange change = document.Edit(label, fill);
    change.size = true;
    return change;
}

DocumentChange StartBlank(SpriteDocument& document, Point size)
{
    FrameList blank;
    blank.push_back(std::make_unique<Sprite>(size));
    DocumentChange change = document.ReplaceFrames(std::move(blank), "nouveau");
    change |= document.StartNewHistory();
    document.MarkSaved(SpriteDocument::Saved::WholeSet);
    return change;
}

bool WouldResizeOtherFrames(const SpriteDocument& document, Point pictureSize)
{
    return document.Frames().Count() > 1 && !(document.Current().GetSize() == pictureSize);
}
