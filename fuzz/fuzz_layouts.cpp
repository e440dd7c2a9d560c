// Feeds arbitrary sources to the layout reader: the first bytes choose the
// source kind and the layout options, the rest is the text. Whatever it
// reads must be sprites within limits, and frames it reads must come back
// the same through the writer and the reader (one description, two
// directions).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "DataReading.h"
#include "DataText.h"
#include "FuzzFile.h"
#include "c_array_sprites.h"

namespace {

constexpr std::size_t MostFramesChecked = 4;
constexpr const char* Orders[] = {"B", "BM", "MB", "LD", "DL", "LDM", "MLD", "DML", "LM", "BB"};

// The layout options from the option bytes.
ReadingRequest RequestOf(const uint8_t* options, const CArrayScan& scan)
{
    ReadingRequest request;
    const RowUnit rows[] = {RowUnit::Bits8, RowUnit::Bits16, RowUnit::Bits32, RowUnit::Bits64, RowUnit::Bytes};
    if (options[0] % 6 < 5)
        request.rows = rows[options[0] % 6];
    if (options[1] % 11 < 10)
        request.order = Orders[options[1] % 11];
    request.arrange = static_cast<Arrangement>(options[2] % 3);
    request.maskBit = static_cast<MaskBit>(options[3] % 2);
    request.height = options[4] % 132; // a few heights out of range too
    if (options[5] % 2)
        request.width = options[5] / 2;
    for (std::size_t i = 0; i < 1u + options[6] % 3 && i < scan.arrays.size(); ++i)
        request.arrays.push_back(scan.arrays[(i + options[6] / 3) % scan.arrays.size()].name);
    return request;
}

// The layout the source was read with, its defaults filled in.
LayoutRequest LayoutRead(const ReadingRequest& request, const DataSource& source)
{
    LayoutRequest writing;
    writing.rows = request.rows.value_or(RowUnitOfBits(source.elementBits));
    std::vector<Plane> order;
    for (const PlaneSource& plane : source.plan.planes)
        order.push_back(plane.plane);
    writing.order = OrderText(order);
    writing.arrange = request.arrange;
    writing.maskBit = request.maskBit;
    return writing;
}

void CheckRoundTrip(const FrameList& frames, const ReadingRequest& request, const DataSource& read, SourceKind kind)
{
    std::vector<const Sprite*> list;
    for (const auto& frame : frames)
        list.push_back(frame.get());
    LayoutRequest writing = LayoutRead(request, read);
    writing.syntax = kind == SourceKind::C ? DataSyntax::C : DataSyntax::GnuAs;
    DataLayout layout;
    if (!ResolveLayout(writing, ShapeOfFrames(list), layout).empty())
        return; // the frames read need not have every plane of the order
    const std::string text = WriteDataText(list, "s", layout);
    const ArraySprites again = FindSourceSprites(text, kind);
    ReadingRequest reading = request;
    reading.arrays = ArrayNames(layout, "s");
    reading.rows = writing.rows;
    reading.order = writing.order;
    DataSource source;
    if (!PlanRequest(again.scan, reading, source).empty() || FramesOf(again.scan, source) != frames.size())
        std::abort();
    const FrameList back = ReadDataFrames(again.scan, source, 0, frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i)
        if (!SameSprite(*back[i], *frames[i]))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr std::size_t OptionBytes = 8;
    if (size < OptionBytes)
        return 0;
    const SourceKind kind = data[7] % 2 ? SourceKind::Assembly : SourceKind::C;
    const std::string_view text(reinterpret_cast<const char*>(data + OptionBytes), size - OptionBytes);
    const ArraySprites found = FindSourceSprites(text, kind);
    if (found.scan.arrays.empty())
        return 0;
    const ReadingRequest request = RequestOf(data, found.scan);
    DataSource source;
    if (!PlanRequest(found.scan, request, source).empty())
        return 0;
    const std::size_t held = FramesOf(found.scan, source);
    if (held == 0)
        std::abort(); // a plan that was not refused holds one frame at least
    const FrameList frames = ReadDataFrames(found.scan, source, 0, std::min(held, MostFramesChecked));
    for (const auto& frame : frames) {
        CheckSpriteLimits(*frame);
        if (frame->width != source.plan.width || frame->height != source.plan.height)
            std::abort();
    }
    CheckRoundTrip(frames, request, source, kind);
    return 0;
}
