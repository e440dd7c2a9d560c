// What the layout tests share: frames written as text (SpriteText.h), the
// data text of a layout, and the frames read back from it by the arrays'
// names, as a program's author would name them to the reader.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DataReading.h"
#include "DataText.h"
#include "SpriteText.h"
#include "c_array_sprites.h"

struct Frames {
    std::vector<std::unique_ptr<Sprite>> owned;
    std::vector<const Sprite*> list;

    explicit Frames(const std::vector<Rows>& pictures)
    {
        for (const Rows& rows : pictures) {
            owned.push_back(std::make_unique<Sprite>(FromRows(rows)));
            list.push_back(owned.back().get());
        }
    }
};

inline LayoutRequest Request(std::optional<RowUnit> rows, std::optional<std::string> order = std::nullopt,
                             Arrangement arrange = Arrangement::Separate, MaskBit maskBit = MaskBit::Transparent,
                             DataSyntax syntax = DataSyntax::C)
{
    LayoutRequest request;
    request.rows = rows;
    request.order = std::move(order);
    request.arrange = arrange;
    request.maskBit = maskBit;
    request.syntax = syntax;
    return request;
}

inline SourceKind KindOf(DataSyntax syntax)
{
    return IsAssembly(syntax) ? SourceKind::Assembly : SourceKind::C;
}

// The layout ResolveLayout gives, or a failure naming the refusal.
inline DataLayout Resolved(const Frames& frames, const LayoutRequest& request)
{
    DataLayout layout;
    const std::string why = ResolveLayout(request, ShapeOfFrames(frames.list), layout);
    EXPECT_EQ(why, "");
    return layout;
}

// Every frame the text holds under name, read with the layout's options;
// frames kept in arrays of their own (NAME_0...) are read one by one.
inline std::vector<Rows> ReadBack(const std::string& text, const std::string& name, const DataLayout& layout, int width,
                                  int height, int frameCount)
{
    const ArraySprites found = FindSourceSprites(text, KindOf(layout.syntax));
    const bool separateFrames = frameCount > 1 && layout.frames == FrameArrays::Separate;
    std::vector<Rows> pictures;
    for (int group = 0; group < (separateFrames ? frameCount : 1); ++group) {
        ReadingRequest request;
        request.arrays = ArrayNames(layout, separateFrames ? name + "_" + std::to_string(group) : name);
        request.rows = layout.rows;
        request.order = OrderText(layout.order);
        request.arrange = layout.arrange;
        request.maskBit = layout.maskBit;
        request.height = height;
        request.width = width;
        DataSource source;
        const std::string why = PlanRequest(found.scan, request, source);
        if (!why.empty())
            return {{"<" + why + ">"}};
        for (const auto& frame : ReadDataFrames(found.scan, source, 0, FramesOf(found.scan, source)))
            pictures.push_back(ToRows(*frame));
    }
    return pictures;
}

// Every frame of the candidate a reader given no option takes first.
inline std::vector<Rows> ReadWithNoOption(const std::string& text, DataSyntax syntax)
{
    const ArraySprites found = FindSourceSprites(text, KindOf(syntax));
    if (found.candidates.empty())
        return {{"<aucun sprite>"}};
    const ArrayCandidate& candidate = found.candidates[FirstCandidateToShow(found)];
    std::vector<Rows> pictures;
    for (const auto& frame : BuildCandidateFrames(found, candidate, candidate.width))
        pictures.push_back(ToRows(*frame));
    return pictures;
}
