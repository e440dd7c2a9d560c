// Feeds arbitrary bytes to the reader of Pixora's cells on the clipboard,
// which any program may put there: a refusal leaves the picture given as it
// was; an accepted picture is 1..240 x 1..128 cells, each a value a cell may
// hold, and writing it again gives back exactly the bytes read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cell_clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CellPicture picture(2, 1);
    picture.cells = {Black, White + MaskOffset};
    const CellPicture before = picture;

    if (!DecodeCells(bytes, picture)) {
        if (picture.width != before.width || picture.height != before.height || picture.cells != before.cells)
            std::abort();
        return 0;
    }
    if (picture.width < 1 || picture.width > MaxWidth || picture.height < 1 || picture.height > MaxHeight ||
        picture.cells.size() != static_cast<std::size_t>(picture.width) * picture.height)
        std::abort();
    for (int8_t cell : picture.cells)
        if (!(cell >= White && cell <= Black) && !(cell >= MaskOffset && cell <= MaskOffset + Black))
            std::abort();
    if (EncodeCells(picture) != bytes)
        std::abort();
    return 0;
}
