#include "ScreenCommands.h"

#include "CliFailure.h"
#include "DataText.h"
#include "InputReading.h"
#include "MapFile.h"
#include "PendingOutput.h"
#include "PictureModule.h"
#include "set_file.h"
#include "sprite_file_kind.h"

namespace {

// The background of the screen, drawn from the corner: a calculator
// picture, a sprite or a tile map.
void DrawBackgroundFile(CalculatorScreen& screen, const std::string& path, const CliOptions& options, std::ostream& err)
{
    if (IsTileMapFileName(path)) {
        TileMap map;
        const MapFileCheck check = ReadTileMapFile(path, map);
        if (check.problem != MapFileProblem::None)
            throw CliFailure(ExitBadInput, path + " : " + MapFileProblemText(check));
        DrawBackground(screen, *ScreenPartOfMap(map));
        return;
    }
    if (IsSpriteSetFileName(path) || SpriteFileKindOf(path) == SpriteFileKind::Unknown)
        throw CliFailure(ExitBadInput, path + " : fond non pris en charge (une image de calculatrice .89i, .9xi, "
                                              ".v2i, un sprite .pixo ou une carte .pixm est attendu)");
    DrawBackground(screen, *ReadInputFrames(path, options, err).front());
}

// Every glyph of the font exists: its last character is at most 255.
void CheckFontRange(const std::string& path, int glyphCount, const FontSpec& font)
{
    const int last = font.first + glyphCount - 1;
    if (last > LastFontCode)
        throw CliFailure(ExitBadInput, path + " : " + std::to_string(glyphCount) + " caractères à partir du code " +
                                           std::to_string(font.first) + " dépassent le code 255 (jusqu'à " +
                                           std::to_string(last) + ")");
}

void DrawTextOnScreen(CalculatorScreen& screen, const CliOptions& options, std::ostream& err)
{
    const ScreenRequest& request = options.screen;
    const FrameList font = ReadInputFrames(*request.font, options, err);
    const std::vector<const Sprite*> glyphs = FramePointers(font);
    const std::vector<int> codes = TextCodes(*request.text);
    if (const std::optional<int> missing = FirstMissingCode(codes, static_cast<int>(glyphs.size()), request.fontSpec))
        throw CliFailure(ExitBadInput, "le caractère " + DescribeCode(*missing) + " n'est pas dans la police " +
                                           *request.font + " (codes " + std::to_string(request.fontSpec.first) + " à " +
                                           std::to_string(request.fontSpec.first + glyphs.size() - 1) + ")");
    const DrawMode mode = request.mode.value_or(IsMaskedFont(glyphs) ? DrawMode::Mask : DrawMode::Or);
    DrawText(screen, glyphs, request.fontSpec, codes, request.at.x, request.at.y, mode);
}

} // namespace

int DrawOnScreen(const CliOptions& options, std::ostream& err)
{
    const ScreenRequest& request = options.screen;
    CalculatorScreen screen(*request.model);
    if (request.background)
        DrawBackgroundFile(screen, *request.background, options, err);
    if (request.text) {
        DrawTextOnScreen(screen, options, err);
    } else {
        const std::unique_ptr<Sprite> sprite = ReadOneSprite(options, err);
        screen.DrawSprite(*sprite, request.at.x, request.at.y, request.mode.value_or(DefaultDrawMode(*sprite)));
    }
    std::string bytes;
    std::string reason;
    if (!EncodeOpaquePicturePng(ScreenPicture(screen, options.pngScale), bytes, reason))
        throw CliFailure(ExitBadInput, options.output + " : " + reason);
    for (const std::optional<std::string>& read :
         {std::optional<std::string>(options.input), request.background, request.font})
        if (read && !read->empty())
            RefuseOverwritingInput(*read, options.output);
    WriteOutput(options.output, bytes);
    return ExitWritten;
}

std::string FontTables(const std::vector<const Sprite*>& glyphs, const std::string& name, const DataLayout& layout,
                       const CliOptions& options)
{
    if (!options.screen.font)
        return {};
    const FontSpec& font = options.screen.fontSpec;
    const int count = static_cast<int>(glyphs.size());
    CheckFontRange(options.input, count, font);
    return WriteFontTables(name, layout, FontCharacters(count, font),
                           font.proportional ? GlyphAdvances(glyphs, font) : std::vector<int>{});
}
